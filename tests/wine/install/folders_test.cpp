// The install dialog: its colours, the default folder, every refusal with
// its message and the order of the checks, the accepted forms, and Cancel.
// Runs in a prefix where D: is a CD-ROM, E: removable, F: a network drive,
// G: a second fixed disk and M: not mapped.
#include "check.h"
#include "files.h"
#include "steps.h"

#include "../../../install/install_ids.h"


static const char MEDIUM[] = "C:\\medio";
static const char TEXT_BAD_FORM[] = "La ruta debe estar en la forma C:\\Carpeta";
static const char TEXT_BAD_DRIVE[] = "La unidad no especificada no existe o no es un disco duro";
static const char TEXT_BAD_CHARS[] = "Los caracteres siguientes no son válidos:\n\n: ? < > | * \" /";
static const char TEXT_UNC[] = "No se puede instalar en una ruta UNC";
static const char TEXT_NO_FOLDER[] = "No se pudo crear el directorio";
static const char TEXT_CANCEL[] = "¿Está seguro que quiere salir sin instalar el programa?";

// The texts and sizes of the template are checked with the resources; here
// what the dialog itself does: black behind the controls, the label's
// letters in pure red.
static void check_colours(HWND dialog) {
  HWND label = GetWindow(GetWindow(dialog, GW_CHILD), GW_HWNDLAST);
  HDC screen = GetDC(nullptr);
  POINT corner = {2, 2};
  ClientToScreen(dialog, &corner);
  COLORREF background = CLR_INVALID;
  for (int tries = 0; tries < 100 && background != RGB(0, 0, 0); ++tries, Sleep(20))
    background = GetPixel(screen, corner.x, corner.y);
  CHECK(background == RGB(0, 0, 0), "dialog background is black");
  RECT box;
  GetWindowRect(label, &box);
  bool red = false;
  for (int y = box.top; y < box.bottom && !red; ++y)
    for (int x = box.left; x < box.right && !red; ++x) red = GetPixel(screen, x, y) == RGB(255, 0, 0);
  CHECK(red, "label drawn in red");
  ReleaseDC(nullptr, screen);
}

// The box, then the focus back in the folder with all of it selected, so
// that typing replaces it; the folder shows as typed, or normalised once it
// has passed the checks on what was typed.
static void refuse(const Program &program, HWND dialog, const std::string &folder, const char *text,
                   const std::string &shown_as = "") {
  std::string shown = shown_as.empty() ? folder : shown_as;
  type_folder(dialog, folder);
  press(dialog, IDOK);
  expect_box(program, TITLE_ERROR, text, dialog, IDOK, "refusal of " + folder);
  HWND edit = GetDlgItem(dialog, IDC_FOLDER);
  DWORD selection = 0;
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  for (int tries = 0; tries < 100; ++tries, Sleep(20)) {
    selection = static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0));
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui);
    if (gui.hwndFocus == edit && HIWORD(selection) == shown.size()) break;
  }
  CHECK(gui.hwndFocus == edit && LOWORD(selection) == 0 && HIWORD(selection) == shown.size(),
        "focus in the folder, all of it selected, after refusing " + folder);
  CHECK_TEXT(item_text(dialog, IDC_FOLDER), shown, "the folder shown after refusing " + folder);
  CHECK(IsWindowVisible(dialog), "dialog stays open after refusing " + folder);
}

static void check_refusals(const Program &program, HWND dialog) {
  refuse(program, dialog, "D:", TEXT_BAD_FORM);
  refuse(program, dialog, "juegos", TEXT_BAD_FORM);
  refuse(program, dialog, "D:juegos", TEXT_BAD_FORM);
  refuse(program, dialog, "\\\\servidor\\juegos", TEXT_BAD_FORM);
  refuse(program, dialog, "", TEXT_BAD_FORM);
  refuse(program, dialog, "D:\\juegos", TEXT_BAD_DRIVE);  // CD-ROM
  refuse(program, dialog, "E:\\juegos", TEXT_BAD_DRIVE);  // removable
  refuse(program, dialog, "F:\\juegos", TEXT_BAD_DRIVE);  // network
  refuse(program, dialog, "M:\\juegos", TEXT_BAD_DRIVE);  // no such drive
  refuse(program, dialog, "C:\\jue:gos", TEXT_BAD_CHARS);
  for (const char *c = "?/*<>|\""; *c; ++c)
    refuse(program, dialog, std::string("C:\\juegos") + *c, TEXT_BAD_CHARS);
  refuse(program, dialog, "C:\\juegos\\\\nuevo", TEXT_UNC);
  refuse(program, dialog, "C:\\juegos\\\\", TEXT_UNC);
  // The checks run in order: drive before characters, characters before
  // the network form.
  refuse(program, dialog, "M:\\jue?gos", TEXT_BAD_DRIVE);
  refuse(program, dialog, "C:\\a?\\\\b", TEXT_BAD_CHARS);
  // A drive root and the system's own folders, however spelt.
  std::string windows = windows_folder();
  refuse(program, dialog, "C:\\", TEXT_BAD_FORM);
  refuse(program, dialog, "C:\\Juegos\\..\\" + windows.substr(3) + "\\.", TEXT_BAD_FORM, windows);
  refuse(program, dialog, windows + "\\system32", TEXT_BAD_FORM);
  // 248 characters leave no room for the files' names, and more than the
  // folder buffer holds cannot be read whole: refused before anything is
  // made, never installed under a shorter name.
  std::string longest = "C:\\largo\\" + std::string(239, 'a');
  CHECK(longest.size() == 248, "a folder too long for its files");
  refuse(program, dialog, longest, TEXT_NO_FOLDER);
  refuse(program, dialog, "C:\\largo\\" + std::string(300, 'b'), TEXT_NO_FOLDER);
  CHECK(!folder_exists("C:\\largo"), "no parent made for a folder that cannot fit");
  // A parent that is a file: the folder cannot be made.
  write_file("C:\\archivo", "x");
  refuse(program, dialog, "C:\\archivo\\juegos", TEXT_NO_FOLDER);
}

// Esc with No keeps the dialog; the close box with Yes ends it with 0 and
// leaves nothing behind.
static void check_cancel(Program &program, HWND dialog) {
  type_folder(dialog, "C:\\nunca");
  PostMessageA(GetDlgItem(dialog, IDC_FOLDER), WM_KEYDOWN, VK_ESCAPE, 0);
  Box box = wait_message_box(program);
  CHECK(box.window != nullptr, "Esc asks");
  if (box.window != nullptr) {
    CHECK(GetDlgItem(box.window, IDYES) && GetDlgItem(box.window, IDNO), "Yes and No buttons");
    CHECK(is_default_button(box.window, IDNO), "No is the default answer");
  }
  press(box.window, IDNO);
  wait_gone(box.window);
  CHECK_TEXT(box.caption, TITLE_INSTALL, "cancel question caption");
  CHECK_TEXT(box.text, TEXT_CANCEL, "cancel question text");
  CHECK(box.owner == dialog, "cancel question owned by the dialog");
  Sleep(100);
  CHECK(IsWindowVisible(dialog) && still_running(program), "No keeps the dialog open");
  PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  expect_box(program, TITLE_INSTALL, TEXT_CANCEL, dialog, IDYES, "close box");
  CHECK(wait_exit(program) == 0, "Yes ends the installer with 0");
  CHECK(!folder_exists("C:\\nunca"), "cancelling creates nothing");
  CHECK(!machine_key_exists(KEY_GAME), "cancelling writes no registry key");
}

static void check_accepted(const char *folder, const char *installed_as, bool press_enter) {
  Program program;
  if (!start_installer(program, MEDIUM)) return;
  HWND dialog = wait_install_dialog(program);
  CHECK(dialog != nullptr, std::string("dialog for ") + folder);
  if (dialog == nullptr) return;
  type_folder(dialog, folder);
  if (press_enter)
    PostMessageA(GetDlgItem(dialog, IDC_FOLDER), WM_KEYDOWN, VK_RETURN, 0);
  else
    press(dialog, IDOK);
  expect_box(program, TITLE_INSTALL, TEXT_INSTALLED, dialog, IDOK, std::string("installing into ") + folder);
  close_shell_window();
  CHECK(wait_exit(program) == 0, std::string("exit after installing into ") + folder);
  CHECK(file_exists(std::string(installed_as) + "Korvalo.exe"), std::string("game in ") + installed_as);
  CHECK_TEXT(read_machine_value(KEY_GAME, "Path").text, installed_as, "Path after " + std::string(folder));
}

static void check_default_folder() {
  RegText program_files = read_machine_value(KEY_VERSION, "ProgramFilesDir");
  CHECK(program_files.present, "the prefix has ProgramFilesDir");
  const struct {
    bool remove;
    std::string expected;
  } cases[] = {{false, program_files.text + "\\Zenta Korvalo"},
               {true, windows_folder().substr(0, 3) + "Zenta Korvalo"}};
  for (const auto &c : cases) {
    if (c.remove) delete_machine_value(KEY_VERSION, "ProgramFilesDir");
    Program program;
    if (!start_installer(program, MEDIUM)) continue;
    HWND dialog = wait_install_dialog(program);
    CHECK(dialog != nullptr, "dialog for the default folder");
    if (dialog != nullptr) {
      CHECK_TEXT(item_text(dialog, IDC_FOLDER), c.expected,
                 c.remove ? "default folder without ProgramFilesDir" : "default folder");
      PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
      expect_box(program, TITLE_INSTALL, TEXT_CANCEL, dialog, IDYES, "leaving");
    }
    CHECK(wait_exit(program) == 0, "exit after leaving");
  }
  set_machine_text(KEY_VERSION, "ProgramFilesDir", program_files.text);
}

int run_folder_checks(const TestPaths &paths) {
  make_medium(MEDIUM, paths.installer, paths.game);
  check_default_folder();
  Program program;
  if (!start_installer(program, MEDIUM)) return 1;
  HWND dialog = wait_install_dialog(program);
  CHECK(dialog != nullptr, "install dialog appears");
  if (dialog == nullptr) return 1;
  check_colours(dialog);
  check_refusals(program, dialog);
  check_cancel(program, dialog);
  // The drive letter's case does not matter; a second fixed disk is fine.
  check_accepted("c:\\juegos", "c:\\juegos\\", true);
  check_accepted("G:\\Korvalo", "G:\\Korvalo\\", false);
  return check_failures;
}
