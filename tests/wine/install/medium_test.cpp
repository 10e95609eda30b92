// The staged installation medium installs the game: every name the staging
// rule writes is one the installer looks for. An incomplete medium (parts
// of the game not built yet) is reported and the test skipped.
#include "check.h"
#include "files.h"
#include "steps.h"

#include <shlobj.h>

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

// The desktop shortcut is looked for in all users' desktop and then in the
// player's own, so that where the installer puts it may change.
int run_player_install(const std::string &medium) {
  install_into(medium, "", "the player's installation");
  LinkInfo link;
  for (int desktop : {CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_DESKTOPDIRECTORY})
    if (!link.loaded) link = read_link(special_folder(desktop) + "\\Zenta Korvalo.lnk");
  CHECK(link.loaded, "the game's shortcut on the desktop");
  const std::string program_files = read_machine_value(KEY_VERSION, "ProgramFilesDir").text + "\\";
  CHECK(!link.target.empty() && link.target.compare(0, program_files.size(), program_files) == 0,
        "the game installed under " + program_files + ": " + link.target);
  std::printf("game: %s\nfolder: %s\n", link.target.c_str(), link.working_folder.c_str());
  return check_failures;
}
