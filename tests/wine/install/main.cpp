// Drives the installer under Wine from outside, as its user would.
//   install_driver folders|lifecycle INSTALL.EXE STAND-IN-GAME.EXE
//   install_driver medium|player MEDIUM-FOLDER
#include "check.h"
#include "files.h"
#include "steps.h"

#include <objbase.h>
#include <cstdio>
#include <cstring>

int main(int argc, char **argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);
  bool player = argc == 3 && std::strcmp(argv[1], "player") == 0;
  bool medium = argc == 3 && (std::strcmp(argv[1], "medium") == 0 || player);
  if (argc != 4 && !medium) {
    std::printf("usage: install_driver folders|lifecycle INSTALL.EXE GAME.EXE\n"
                "       install_driver medium|player MEDIUM-FOLDER\n");
    return 2;
  }
  CoInitialize(nullptr);
  int failures = 2;
  if (medium) {
    failures = player ? run_player_install(windows_path(argv[2])) : run_medium_install(windows_path(argv[2]));
  } else {
    TestPaths paths{windows_path(argv[2]), windows_path(argv[3])};
    if (std::strcmp(argv[1], "folders") == 0) failures = run_folder_checks(paths);
    if (std::strcmp(argv[1], "lifecycle") == 0) failures = run_lifecycle(paths);
  }
  CoUninitialize();
  if (failures == MEDIUM_INCOMPLETE) {
    std::printf("%s: skipped\n", argv[1]);
    return SKIP_CODE;
  }
  std::printf("%s: %d failed checks\n", argv[1], failures);
  return failures == 0 ? 0 : 1;
}
