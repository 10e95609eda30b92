// The staged installation medium installs the game: every name the staging
// rule writes is one the installer looks for. An incomplete medium (parts
// of the game not built yet) is reported and the test skipped.
#include "check.h"
#include "files.h"
#include "steps.h"

#include <cstdio>
#include <vector>

int run_medium_install(const std::string &medium) {
  int missing = 0;
  std::vector<std::string> needed = {"install.exe"};
  for (const NamePair &file : game_files) needed.push_back(file.source);
  for (const std::string &name : needed) {
    if (file_exists(medium + "\\" + name)) continue;
    std::printf("the medium lacks %s\n", name.c_str());
    ++missing;
  }
  if (missing > 0) return MEDIUM_INCOMPLETE;
  install_into(medium, "C:\\Juegos\\Korvalo", "from the staged medium");
  for (const NamePair &file : game_files)
    CHECK(read_file(std::string("C:\\Juegos\\Korvalo\\") + file.destination) ==
              read_file(medium + "\\" + file.source),
          std::string("installed from the medium: ") + file.destination);
  return check_failures;
}
