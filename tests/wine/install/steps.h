// Steps that several scenarios share: starting the installer, expecting a
// box and answering it, a whole successful installation.
#pragma once
#include "session.h"

#include <string>

struct TestPaths {
  std::string installer;  // the built install.exe
  std::string game;       // the stand-in game program
};

extern const char TITLE_INSTALL[];
extern const char TITLE_ERROR[];
extern const char TITLE_UNINSTALL[];
extern const char TEXT_INSTALLED[];
extern const char TEXT_CONFIRM[];
extern const char TEXT_UNINSTALLED[];

std::string uninstaller();
// Starts "<medium>\install.exe <arguments>" by its full name from another
// folder, as a shortcut or a command line would.
bool start_installer(Program &program, const std::string &medium, const std::string &arguments = "");
// Waits for a box, checks its caption, text and owner, answers it with
// answer and waits until it has closed.
Box expect_box(const Program &program, const char *caption, const char *text, HWND owner, int answer,
               const std::string &what);
// From the dialog to the exit: the folder typed (none: the one proposed;
// or, when proposed, checked to be the one there already), Instalar, the
// success box, the program group's window closed.
void install_into(const std::string &medium, const std::string &folder, const std::string &what,
                  bool proposed = false);

int run_folder_checks(const TestPaths &paths);
int run_lifecycle(const TestPaths &paths);
// MEDIUM_INCOMPLETE when the medium lacks files; the driver then exits with
// SKIP_CODE, which CTest reports as skipped.
constexpr int MEDIUM_INCOMPLETE = -1;
constexpr int SKIP_CODE = 77;
int run_medium_install(const std::string &medium);
// The player's installation: into the proposed folder under Program Files;
// prints the game shortcut's target ("game: ") and working folder ("folder: ").
int run_player_install(const std::string &medium);
