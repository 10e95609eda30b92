// Installation from a medium lacking a file, a copy that fails and is tried
// again over an existing folder, everything a full installation leaves, the
// game started from its shortcut, and the uninstaller started as the system
// starts it: declined, complete, incomplete, with its argument in any form,
// and with a registry that does not name a trustworthy folder or names one
// that is not the game's.
#include "check.h"
#include "files.h"
#include "steps.h"

#include <shellapi.h>
#include <shlobj.h>
#include <cstring>

static const char MEDIUM[] = "C:\\medio";
static const char SHORT_MEDIUM[] = "C:\\medio12";
static const char GAME[] = "C:\\Juegos\\Korvalo\\";
// The current folder of every uninstaller run: files named like the game's,
// which must survive whatever the registry says.
static const char DECOY[] = "C:\\señuelo";
static const char TITLE_UNINSTALL[] = "Desinstalación";
static const char TEXT_CONFIRM[] = "¿Está seguro de que quiere desinstalar el juego?";
static const char TEXT_UNINSTALLED[] = "El juego se ha desinstalado con éxito";
static const char TEXT_NOT_UNINSTALLED[] =
    "No se desinstaló completamente.\nDebe eliminar los archivos manualmente";

static std::string uninstaller() { return windows_folder() + "\\Korvalo Setup.exe"; }

static void check_missing_source(const TestPaths &paths) {
  make_medium(SHORT_MEDIUM, paths.installer, paths.game, "Turn.wa_");
  Program program;
  if (!start_installer(program, SHORT_MEDIUM)) return;
  HWND dialog = wait_install_dialog(program);
  CHECK(dialog != nullptr, "dialog from the short medium");
  if (dialog == nullptr) return;
  type_folder(dialog, "C:\\Parcial\\Juego");
  press(dialog, IDOK);
  expect_box(program, TITLE_ERROR, "No se encontraron los archivos para instalar", dialog, IDOK,
             "missing Turn.wa_");
  CHECK(wait_exit(program) == 0, "the installer ends after a missing source");
  for (int row = 0; row < 14; ++row) {
    std::string installed = std::string("C:\\Parcial\\Juego\\") + game_files[row].destination;
    if (row < 12)
      CHECK(read_file(installed) == read_file(std::string(SHORT_MEDIUM) + "\\" + game_files[row].source),
            "copied before the missing file: " + installed);
    else
      CHECK(!file_exists(installed), "not copied after the missing file: " + installed);
  }
  CHECK(!file_exists(uninstaller()), "no uninstaller placed");
  CHECK(!machine_key_exists(KEY_GAME) && !machine_key_exists(KEY_UNINSTALL), "no registry keys");
  CHECK(!file_exists(desktop_link()), "no desktop shortcut");
}

static void check_installed(const TestPaths &paths) {
  for (const NamePair &file : game_files) {
    std::string installed = std::string(GAME) + file.destination;
    CHECK(read_file(installed) == read_file(std::string(MEDIUM) + "\\" + file.source),
          "byte-identical: " + installed);
  }
  CHECK(read_file(uninstaller()) == read_file(paths.installer), "uninstaller copy is the installer");
  const struct {
    std::string link;
    const char *target;
  } links[] = {{program_group() + "\\Ayuda.lnk", "Korvalo.hlp"},
               {program_group() + "\\Léame.lnk", "Léame.txt"},
               {program_group() + "\\Zenta Korvalo.lnk", "Korvalo.exe"},
               {desktop_link(), "Korvalo.exe"}};
  for (const auto &expected : links) {
    LinkInfo link = read_link(expected.link);
    CHECK(link.loaded, "shortcut exists: " + expected.link);
    CHECK(lstrcmpiA(link.target.c_str(), (std::string(GAME) + expected.target).c_str()) == 0,
          "target of " + expected.link + " is " + link.target);
    CHECK(lstrcmpiA(link.working_folder.c_str(), GAME) == 0,
          "working folder of " + expected.link + " is " + link.working_folder);
  }
  RegText path = read_machine_value(KEY_GAME, "Path");
  CHECK(path.type == REG_SZ && path.bytes == std::strlen(GAME) + 1, "Path is REG_SZ with its NUL");
  CHECK_TEXT(path.text, GAME, "Path");
  RegText name = read_machine_value(KEY_UNINSTALL, "DisplayName");
  CHECK(name.type == REG_SZ && name.bytes == name.text.size() + 1, "DisplayName is REG_SZ with its NUL");
  CHECK_TEXT(name.text, "Zenta Korvalo 2.0", "DisplayName");
  RegText command = read_machine_value(KEY_UNINSTALL, "UninstallString");
  CHECK(command.type == REG_SZ && command.bytes == command.text.size() + 1,
        "UninstallString is REG_SZ with its NUL");
  CHECK_TEXT(command.text, uninstaller() + " /uninstall", "UninstallString");
}

// The desktop shortcut starts the game in the game folder, where it finds
// its sounds and writes its records.
static void check_game_starts() {
  SHELLEXECUTEINFOA run{};
  run.cbSize = sizeof run;
  run.fMask = SEE_MASK_NOCLOSEPROCESS;
  std::string link = desktop_link();
  run.lpFile = link.c_str();
  run.nShow = SW_SHOWNORMAL;
  CHECK(ShellExecuteExA(&run), "the desktop shortcut opens");
  if (run.hProcess != nullptr) CloseHandle(run.hProcess);
  // The shell may start the game through a helper, so its process is not
  // ours to wait for: wait for what it writes.
  std::string record = std::string(GAME) + "inicio.txt";
  std::string started_in = "<missing>";
  for (int tries = 0; tries < 500 && started_in == "<missing>"; ++tries, Sleep(20))
    started_in = read_file(record);
  started_in += "\\";
  CHECK(lstrcmpiA(started_in.c_str(), GAME) == 0, "game started in " + started_in);
  for (int tries = 0; tries < 100 && !DeleteFileA(record.c_str()); ++tries) Sleep(20);
}

static void check_failed_copy_then_install(const TestPaths &paths) {
  // An earlier installation's folder, with one file held open by someone.
  CreateDirectoryA("C:\\Juegos", nullptr);
  CreateDirectoryA(GAME, nullptr);
  write_file(std::string(GAME) + "Korvalo.exe", "viejo");
  write_file(std::string(GAME) + "Ficha.wav", "viejo");
  HANDLE held = CreateFileA((std::string(GAME) + "Ficha.wav").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  CHECK(held != INVALID_HANDLE_VALUE, "Ficha.wav held open");
  Program program;
  if (!start_installer(program, MEDIUM)) return;
  HWND dialog = wait_install_dialog(program);
  CHECK(dialog != nullptr, "install dialog");
  if (dialog == nullptr) return;
  type_folder(dialog, "C:\\Juegos\\Korvalo");
  press(dialog, IDOK);
  expect_box(program, TITLE_ERROR, "No fueron copiados todos los archivos", dialog, IDOK,
             "copy over a file in use");
  CHECK(IsWindowVisible(dialog) && still_running(program), "the dialog stays for another try");
  CHECK(read_file(std::string(GAME) + "Korvalo.exe") == read_file(std::string(MEDIUM) + "\\Korvalo.ex_"),
        "files before the failure were copied");
  CHECK(!machine_key_exists(KEY_GAME) && !file_exists(desktop_link()),
        "no shortcuts or registry after a failed copy");
  CloseHandle(held);
  CHECK_TEXT(read_file(std::string(GAME) + "Ficha.wav"), "viejo", "the file in use is untouched");
  press(dialog, IDOK);
  expect_box(program, TITLE_INSTALL, "La instalación se ha completado con éxito", dialog, IDOK,
             "second try");
  // The group shows its three shortcuts; the Programs or desktop folder would not.
  CHECK(close_shell_window() == 3, "the program group is opened");
  CHECK(wait_exit(program) == 0, "exit code 0 after installing");
  check_installed(paths);
}

// Files named like the game's, "Korvalo.gid" among them; the game program
// too unless with_program is false.
static void make_decoy(const std::string &folder = DECOY, bool with_program = true) {
  CreateDirectoryA(folder.c_str(), nullptr);
  for (int row = 0; row < 14; ++row)
    if (with_program || row != 2) write_file(folder + "\\" + game_files[row].destination, "ajeno");
  write_file(folder + "\\Korvalo.gid", "ajeno");
}

static bool decoy_intact(const std::string &folder = DECOY, bool with_program = true) {
  for (int row = 0; row < 14; ++row)
    if ((with_program || row != 2) && read_file(folder + "\\" + game_files[row].destination) != "ajeno")
      return false;
  return read_file(folder + "\\Korvalo.gid") == "ajeno";
}

static void remove_decoy(const std::string &folder) {
  for (const NamePair &file : game_files) DeleteFileA((folder + "\\" + file.destination).c_str());
  DeleteFileA((folder + "\\Korvalo.gid").c_str());
}

// Starts the uninstaller with the given command line from the decoy folder,
// answers the confirmation and expects the given result text (none when the
// answer is No). A line that names the program itself is run as the system
// runs "UninstallString": the program found from the unquoted line.
static void uninstall(const std::string &line, int answer, const char *result, const std::string &what) {
  Program program;
  std::string exe = uninstaller();
  bool named_by_line = line.compare(0, exe.size(), exe) == 0;
  CHECK(start_program(program, named_by_line ? nullptr : exe.c_str(), line, DECOY), what + ": started");
  Box box = wait_message_box(program);
  CHECK(box.window != nullptr, what + ": confirmation");
  if (box.window != nullptr) {
    CHECK_TEXT(box.caption, TITLE_UNINSTALL, what + ": confirmation caption");
    CHECK_TEXT(box.text, TEXT_CONFIRM, what + ": confirmation text");
    CHECK(box.owner == nullptr, what + ": confirmation has no owner");
    CHECK(is_default_button(box.window, IDYES), what + ": Yes is the default");
    press(box.window, answer);
    wait_gone(box.window);
    if (result != nullptr)
      expect_box(program, TITLE_INSTALL, result, nullptr, IDOK, what + ": result");
  }
  CHECK(wait_exit(program) == 0, what + ": exit code 0");
  CHECK(decoy_intact(), what + ": nothing deleted in the current folder");
}

static bool anything_removed() {
  for (const NamePair &file : game_files)
    if (!file_exists(std::string(GAME) + file.destination)) return true;
  for (const char *link : group_links)
    if (!file_exists(program_group() + "\\" + link)) return true;
  return !file_exists(desktop_link()) || !machine_key_exists(KEY_GAME) ||
         !machine_key_exists(KEY_UNINSTALL);
}

static void check_all_shortcuts_and_keys_gone(const std::string &what) {
  for (const char *link : group_links)
    CHECK(!file_exists(program_group() + "\\" + link), what + ": shortcut removed: " + link);
  CHECK(!folder_exists(program_group()), what + ": program group removed");
  CHECK(!file_exists(desktop_link()), what + ": desktop shortcut removed");
  CHECK(!machine_key_exists(KEY_GAME), what + ": game key removed");
  CHECK(!machine_key_exists(KEY_UNINSTALL), what + ": uninstall key removed");
  CHECK(file_exists(uninstaller()), what + ": the uninstaller itself stays");
}

static void check_uninstall() {
  make_decoy();
  std::string as_registered = read_machine_value(KEY_UNINSTALL, "UninstallString").text;
  uninstall(as_registered, IDNO, nullptr, "declined");
  CHECK(!anything_removed(), "No changes nothing");

  uninstall(as_registered, IDYES, TEXT_UNINSTALLED, "complete");
  for (const NamePair &file : game_files)
    CHECK(!file_exists(std::string(GAME) + file.destination), std::string("deleted: ") + file.destination);
  CHECK(!folder_exists(GAME), "game folder removed");
  check_all_shortcuts_and_keys_gone("complete");

  // A record file left by a run that did not end, and the help index.
  install_into(MEDIUM, "C:\\Juegos\\Korvalo", "reinstall");
  write_file(std::string(GAME) + "Juego1.dat", "registro");
  write_file(std::string(GAME) + "Korvalo.gid", "indice");
  uninstall("\"" + uninstaller() + "\" /Uninstall", IDYES, TEXT_NOT_UNINSTALLED, "record file left");
  CHECK_TEXT(read_file(std::string(GAME) + "Juego1.dat"), "registro", "the stray file stays");
  CHECK(!file_exists(std::string(GAME) + "Korvalo.gid"), "help index deleted");
  for (const NamePair &file : game_files)
    CHECK(!file_exists(std::string(GAME) + file.destination), std::string("deleted: ") + file.destination);
  check_all_shortcuts_and_keys_gone("record file left");
}

// Any letter case and any text around "/uninstall" uninstalls; the program
// name, quoted or not, is never part of the search.
static void check_arguments() {
  const char *uninstalling[] = {"x /UNINSTALL", "x --/uNiNsTaLl--y", "\"Korvalo Setup.exe\"/uninstall",
                                "\"sin cierre /uninstall"};
  for (const char *line : uninstalling) uninstall(line, IDNO, nullptr, line);
  const char *installing[] = {"x uninstall", "x /uninstal", "\"/uninstall\" y", "/uninstall"};
  for (const char *line : installing) {
    Program program;
    std::string exe = uninstaller();
    CHECK(start_program(program, exe.c_str(), line, DECOY), std::string(line) + ": started");
    HWND dialog = wait_install_dialog(program);
    CHECK(dialog != nullptr, std::string(line) + ": installs");
    if (dialog != nullptr) {
      PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
      expect_box(program, TITLE_INSTALL, "¿Está seguro que quiere salir sin instalar el programa?",
                 dialog, IDYES, line);
    }
    CHECK(wait_exit(program) == 0, std::string(line) + ": exit code 0");
  }
}

// A "Path" that is missing, empty, relative or without its final backslash
// names no folder of ours: nothing is deleted by name, the user is told to
// finish by hand, and the shortcuts and keys still go.
static void check_untrusted_paths() {
  write_file("C:\\Juegos\\KorvaloKorvalo.exe", "vecino");
  const char *paths[] = {nullptr, "", "señuelo\\", "C:\\Juegos\\Korvalo", "C:señuelo\\"};
  for (const char *path : paths) {
    std::string what = path ? std::string("Path \"") + path + "\"" : "no Path";
    set_machine_text(KEY_UNINSTALL, "DisplayName", "Zenta Korvalo 2.0");
    if (path != nullptr) set_machine_text(KEY_GAME, "Path", path);
    write_file(desktop_link(), "enlace");
    make_decoy();
    uninstall(uninstaller() + " /uninstall", IDYES, TEXT_NOT_UNINSTALLED, what);
    CHECK(!file_exists(desktop_link()), what + ": desktop shortcut removed");
    CHECK(!machine_key_exists(KEY_GAME) && !machine_key_exists(KEY_UNINSTALL), what + ": keys removed");
  }
  CHECK_TEXT(read_file("C:\\Juegos\\KorvaloKorvalo.exe"), "vecino", "a neighbour's file stays");
}

// A "Path" that is well formed but names a folder the installation cannot
// have made, or one without the game program, gets the same treatment as an
// untrusted one: the files there, named like ours, all survive.
static void check_foreign_folders() {
  std::string windows = windows_folder();
  char system[MAX_PATH] = "";
  GetSystemDirectoryA(system, MAX_PATH);
  std::string windows_by_detour = std::string(system) + "\\..\\";
  CharUpperA(&windows_by_detour[0]);
  const struct {
    std::string path;    // the value of "Path"
    std::string folder;  // where the decoy lies
    bool with_program;
  } cases[] = {
      {windows + "\\", windows, true},
      {windows_by_detour, windows, true},
      {std::string(system) + "\\", system, true},
      {"C:\\", "C:", true},
      {"C:\\Juegos\\..\\", "C:", true},
      {"C:\\Otros\\", "C:\\Otros", false},
  };
  for (const auto &foreign : cases) {
    std::string what = "Path \"" + foreign.path + "\"";
    set_machine_text(KEY_UNINSTALL, "DisplayName", "Zenta Korvalo 2.0");
    set_machine_text(KEY_GAME, "Path", foreign.path);
    CreateDirectoryA(program_group().c_str(), nullptr);
    for (const char *link : group_links) write_file(program_group() + "\\" + link, "enlace");
    write_file(desktop_link(), "enlace");
    make_decoy(foreign.folder, foreign.with_program);
    // Quoted: unquoted, the decoy "Korvalo.exe" in the Windows folder would
    // be run in place of "Korvalo Setup.exe".
    uninstall("\"" + uninstaller() + "\" /uninstall", IDYES, TEXT_NOT_UNINSTALLED, what);
    CHECK(decoy_intact(foreign.folder, foreign.with_program), what + ": its files survive");
    check_all_shortcuts_and_keys_gone(what);
    remove_decoy(foreign.folder);
  }
}

int run_lifecycle(const TestPaths &paths) {
  make_medium(MEDIUM, paths.installer, paths.game);
  check_missing_source(paths);
  check_failed_copy_then_install(paths);
  check_game_starts();
  check_uninstall();
  check_arguments();
  check_untrusted_paths();
  check_foreign_folders();
  return check_failures;
}
