#include "steps.h"

#include "check.h"
#include "files.h"
#include "../../../install/install_ids.h"

const char TITLE_INSTALL[] = "Instalación de Zenta Korvalo 2.0";
const char TITLE_ERROR[] = "Error de instalación";
const char TITLE_UNINSTALL[] = "Desinstalación";
const char TEXT_INSTALLED[] = "La instalación se ha completado con éxito";
const char TEXT_CONFIRM[] = "¿Está seguro de que quiere desinstalar el juego?";
const char TEXT_UNINSTALLED[] = "El juego se ha desinstalado con éxito";

std::string uninstaller() { return windows_folder() + "\\Korvalo Setup.exe"; }

bool start_installer(Program &program, const std::string &medium, const std::string &arguments) {
  std::string exe = medium + "\\install.exe";
  std::string line = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
  bool started = start_program(program, exe.c_str(), line, "C:\\");
  CHECK(started, "installer started from " + medium);
  return started;
}

Box expect_box(const Program &program, const char *caption, const char *text, HWND owner, int answer,
               const std::string &what) {
  Box box = wait_message_box(program);
  CHECK(box.window != nullptr, what + ": a message box appears");
  if (box.window == nullptr) return box;
  CHECK_TEXT(box.caption, caption, what + ": caption");
  CHECK_TEXT(box.text, text, what + ": text");
  CHECK(box.owner == owner, what + ": owner window");
  press(box.window, answer);
  CHECK(wait_gone(box.window), what + ": the box closes");
  return box;
}

void install_into(const std::string &medium, const std::string &folder, const std::string &what,
                  bool proposed) {
  Program program;
  if (!start_installer(program, medium)) return;
  HWND dialog = wait_install_dialog(program);
  CHECK(dialog != nullptr, what + ": install dialog");
  if (dialog != nullptr) {
    if (proposed)
      CHECK_TEXT(item_text(dialog, IDC_FOLDER), folder, what + ": the folder proposed");
    else if (!folder.empty())
      type_folder(dialog, folder);
    press(dialog, IDOK);
    expect_box(program, TITLE_INSTALL, TEXT_INSTALLED, dialog, IDOK, what + ": success");
    CHECK(close_shell_window() == 3, what + ": program group window");
  }
  CHECK(wait_exit(program) == 0, what + ": exit code 0");
}
