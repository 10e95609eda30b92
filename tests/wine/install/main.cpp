// Drives the installer under Wine from outside, as its user would.
//   install_driver folders|lifecycle INSTALL.EXE STAND-IN-GAME.EXE
#include "check.h"
#include "files.h"
#include "steps.h"

#include <objbase.h>
#include <cstdio>
#include <cstring>

int main(int argc, char **argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc != 4) {
    std::printf("usage: install_driver folders|lifecycle INSTALL.EXE GAME.EXE\n");
    return 2;
  }
  CoInitialize(nullptr);
  TestPaths paths{windows_path(argv[2]), windows_path(argv[3])};
  int failures = 2;
  if (std::strcmp(argv[1], "folders") == 0) failures = run_folder_checks(paths);
  if (std::strcmp(argv[1], "lifecycle") == 0) failures = run_lifecycle(paths);
  CoUninitialize();
  std::printf("%s: %d failed checks\n", argv[1], failures);
  return failures == 0 ? 0 : 1;
}
