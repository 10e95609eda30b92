// A round trip from the staged installation medium: every name the staging
// rule writes is one the installer looks for, the game is installed and
// uninstalled again, and the prefix is then as it was but for the
// uninstaller, which stays in the Windows folder. Run as on Windows 10 and
// 11, under another code page and with no WinHelp viewer: every name and
// message must still come out right, and the help shortcut opens the .chm. An incomplete
// medium (parts of the game not built yet) is reported and the test skipped.
#include "check.h"
#include "files.h"
#include "steps.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <vector>

// Wine's own bookkeeping moves by itself: the display driver's date stamp,
// Wine's settings, the state of the shell's folder windows.
static bool wine_bookkeeping(const std::string &line) {
  return line.find(" : DriverDateData ") != std::string::npos ||
         line.rfind("HKCU\\Software\\Wine\\", 0) == 0 ||
         line.rfind("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\", 0) == 0;
}

static void check_round_trip(const std::vector<std::string> &before) {
  std::vector<std::string> after = prefix_state();
  std::vector<std::string> changed;
  std::set_symmetric_difference(before.begin(), before.end(), after.begin(), after.end(),
                                std::back_inserter(changed));
  bool uninstaller_left = false;
  for (const std::string &line : changed) {
    if (line.rfind(uninstaller() + " ", 0) == 0 && !uninstaller_left)
      uninstaller_left = true;
    else
      CHECK(wine_bookkeeping(line), "changed by the round trip: " + line);
  }
  CHECK(uninstaller_left, "the uninstaller stays in the Windows folder");
}

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
  // As on Windows 10 and 11: no working WinHelp viewer, so the help
  // shortcut must open the HTML Help.
  for (const char *viewer : {"\\winhlp32.exe", "\\system32\\winhlp32.exe"})
    DeleteFileA((windows_folder() + viewer).c_str());
  std::vector<std::string> before = prefix_state();
  std::string folder = read_machine_value(KEY_VERSION, "ProgramFilesDir").text + "\\Zenta Korvalo";
  install_into(medium, folder, "from the staged medium", true);
  const std::string help = read_link(program_group() + "\\Ayuda.lnk").target;
  CHECK(lstrcmpiA(help.c_str(), (folder + "\\Korvalo.chm").c_str()) == 0, "Ayuda opens the HTML Help: " + help);
  for (const NamePair &file : game_files)
    CHECK(read_file(folder + "\\" + file.destination) ==
              read_file(medium + "\\" + file.source),
          std::string("installed from the medium: ") + file.destination);
  Program program;
  CHECK(start_program(program, nullptr, read_machine_value(KEY_UNINSTALL, "UninstallString").text, "C:\\"),
        "uninstaller started as registered");
  expect_box(program, TITLE_UNINSTALL, TEXT_CONFIRM, nullptr, IDYES, "uninstall");
  expect_box(program, TITLE_INSTALL, TEXT_UNINSTALLED, nullptr, IDOK, "uninstalled");
  CHECK(wait_exit(program) == 0, "uninstaller exit code 0");
  check_round_trip(before);
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
