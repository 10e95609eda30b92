// Installation from a read-only medium: one lacking a file, copies that fail
// and are taken back, a folder typed roundabout, everything a full
// installation leaves, an update proposed in place, the game started from
// its shortcut; and the uninstaller started as the system starts it:
// declined or closed, under the running game, complete, incomplete, with its
// argument in any form, and with a registry that names nothing installed, no
// trustworthy folder, or a folder that is not the game's.
#include "check.h"
#include "files.h"
#include "steps.h"

#include "../../../install/install_ids.h"

#include <shellapi.h>

static const char MEDIUM[] = "C:\\medio";
static const char SHORT_MEDIUM[] = "C:\\medio12";
static const char GAME[] = "C:\\Juegos\\Korvalo\\";
// The current folder of every uninstaller run: files named like the game's,
// which must survive whatever the registry says.
static const char DECOY[] = "C:\\señuelo";
static const char TEXT_COPY_FAILED[] = "No fueron copiados todos los archivos";
static const char TEXT_NOT_UNINSTALLED[] =
    "No se desinstaló completamente.\nDebe eliminar los archivos manualmente";
static const char TEXT_NOT_INSTALLED[] = "Zenta Korvalo no está instalado.";

static std::string in_game(const char *name) { return std::string(GAME) + name; }

// Nothing is made before every source has been found, the last one too.
static void check_missing_source(const TestPaths &paths) {
  make_medium(SHORT_MEDIUM, paths.installer, paths.game, game_files[GAME_FILE_COUNT - 1].source);
  Program program;
  if (!start_installer(program, SHORT_MEDIUM)) return;
  HWND dialog = wait_install_dialog(program);
  CHECK(dialog != nullptr, "dialog from the short medium");
  if (dialog == nullptr) return;
  type_folder(dialog, "C:\\Parcial\\Juego");
  press(dialog, IDOK);
  expect_box(program, TITLE_ERROR, "No se encontraron los archivos para instalar", dialog, IDOK,
             "missing last file");
  CHECK(wait_exit(program) == 0, "the installer ends after a missing source");
  CHECK(!folder_exists("C:\\Parcial"), "nothing made for a medium lacking a file");
  CHECK(!file_exists(uninstaller()) && !machine_key_exists(KEY_GAME) && !file_exists(desktop_link()),
        "no uninstaller, registry keys or shortcut");
}

static void check_installed(const TestPaths &paths) {
  size_t bytes = 0;
  for (const NamePair &file : game_files) {
    std::string installed = in_game(file.destination);
    std::string original = read_file(std::string(MEDIUM) + "\\" + file.source);
    bytes += original.size();
    CHECK(read_file(installed) == original && !is_read_only(installed),
          "byte-identical and writable: " + installed);
  }
  CHECK(read_file(uninstaller()) == read_file(paths.installer) && !is_read_only(uninstaller()),
        "uninstaller copy is the installer, writable");
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
    CHECK(lstrcmpiA(link.target.c_str(), in_game(expected.target).c_str()) == 0,
          "target of " + expected.link + " is " + link.target);
    CHECK(lstrcmpiA(link.working_folder.c_str(), GAME) == 0,
          "working folder of " + expected.link + " is " + link.working_folder);
  }
  const struct {
    const char *key, *value;
    std::string text;
  } texts[] = {{KEY_GAME, "Path", GAME},
               {KEY_UNINSTALL, "DisplayName", "Zenta Korvalo 2.0"},
               {KEY_UNINSTALL, "UninstallString", "\"" + uninstaller() + "\" /uninstall"},
               {KEY_UNINSTALL, "DisplayIcon", in_game("Korvalo.exe")},
               {KEY_UNINSTALL, "DisplayVersion", "2.0"},
               {KEY_UNINSTALL, "Publisher", "Zenta Korvalo"},
               {KEY_UNINSTALL, "InstallLocation", GAME}};
  for (const auto &expected : texts) {
    RegText value = read_machine_value(expected.key, expected.value);
    CHECK(value.type == REG_SZ && value.bytes == value.text.size() + 1,
          std::string(expected.value) + " is REG_SZ with its NUL");
    CHECK_TEXT(value.text, expected.text, expected.value);
  }
  CHECK(read_machine_number(KEY_UNINSTALL, "EstimatedSize") == static_cast<long long>((bytes + 1023) / 1024) &&
            read_machine_number(KEY_UNINSTALL, "NoModify") == 1 &&
            read_machine_number(KEY_UNINSTALL, "NoRepair") == 1,
        "EstimatedSize, NoModify and NoRepair");
}

// The desktop shortcut starts the game in the game folder, where it finds
// its sounds and writes its records. The game keeps running.
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
  std::string started_in = "<missing>";
  for (int tries = 0; tries < 500 && started_in == "<missing>"; ++tries, Sleep(20))
    started_in = read_file(in_game("inicio.txt"));
  started_in += "\\";
  CHECK(lstrcmpiA(started_in.c_str(), GAME) == 0, "game started in " + started_in);
}

static void stop_game() {
  for (int tries = 0; tries < 100 && !DeleteFileA(in_game("inicio.txt").c_str()); ++tries) Sleep(20);
  HANDLE mark = nullptr;
  for (int tries = 0; tries < 250; ++tries, Sleep(20)) {
    mark = OpenMutexA(SYNCHRONIZE, FALSE, "ZentaKorvaloJuego");
    if (mark == nullptr) break;
    CloseHandle(mark);
  }
  CHECK(mark == nullptr, "the game has ended");
}

// Copies that fail (a medium file held open) take back the folders and the
// files this run made, but nothing that was there before; the folder typed
// roundabout is the game folder, shown as such.
static void check_failed_copies_then_install(const TestPaths &paths) {
  CreateDirectoryA("C:\\Juegos", nullptr);
  CreateDirectoryA(GAME, nullptr);
  write_file(in_game("Korvalo.exe"), "viejo");
  HANDLE held = CreateFileA((std::string(MEDIUM) + "\\Ficha.wa_").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  CHECK(held != INVALID_HANDLE_VALUE, "Ficha.wa_ held open");
  Program program;
  if (!start_installer(program, MEDIUM)) return;
  HWND dialog = wait_install_dialog(program);
  CHECK(dialog != nullptr, "install dialog");
  if (dialog == nullptr) return;
  type_folder(dialog, "C:\\Nuevo\\Juego");
  press(dialog, IDOK);
  expect_box(program, TITLE_ERROR, TEXT_COPY_FAILED, dialog, IDOK, "copy into new folders");
  CHECK(!folder_exists("C:\\Nuevo"), "the folders made are removed again");
  type_folder(dialog, "C:\\Juegos \\Nada\\..\\Korvalo. ");
  press(dialog, IDOK);
  expect_box(program, TITLE_ERROR, TEXT_COPY_FAILED, dialog, IDOK, "copy over an earlier installation");
  CHECK_TEXT(item_text(dialog, IDC_FOLDER), "C:\\Juegos\\Korvalo", "the folder shown normalised");
  CHECK(file_exists(in_game("Korvalo.exe")) && !file_exists(in_game("Korvalo.hlp")),
        "the files made are removed again, those there before stay");
  CHECK(IsWindowVisible(dialog) && still_running(program), "the dialog stays for another try");
  CHECK(!machine_key_exists(KEY_GAME) && !file_exists(desktop_link()),
        "no shortcuts or registry after a failed copy");
  CloseHandle(held);
  press(dialog, IDOK);
  expect_box(program, TITLE_INSTALL, TEXT_INSTALLED, dialog, IDOK, "third try");
  // The group shows its three shortcuts; the Programs or desktop folder would not.
  CHECK(close_shell_window() == 3, "the program group is opened");
  CHECK(wait_exit(program) == 0, "exit code 0 after installing");
  CHECK(!folder_exists("C:\\Juegos\\Nada"), "no folder made for one the path only passed through");
  check_installed(paths);
}

// Files named like the game's, "Korvalo.gid" among them; the game program
// too unless with_program is false.
static void make_decoy(const std::string &folder = DECOY, bool with_program = true) {
  CreateDirectoryA(folder.c_str(), nullptr);
  for (int row = 0; row < GAME_FILE_COUNT; ++row)
    if (with_program || row != 2) write_file(folder + "\\" + game_files[row].destination, "ajeno");
  write_file(folder + "\\Korvalo.gid", "ajeno");
}

static bool decoy_intact(const std::string &folder = DECOY, bool with_program = true) {
  for (int row = 0; row < GAME_FILE_COUNT; ++row)
    if ((with_program || row != 2) && read_file(folder + "\\" + game_files[row].destination) != "ajeno")
      return false;
  return read_file(folder + "\\Korvalo.gid") == "ajeno";
}

static void remove_decoy(const std::string &folder) {
  for (const NamePair &file : game_files) DeleteFileA((folder + "\\" + file.destination).c_str());
  DeleteFileA((folder + "\\Korvalo.gid").c_str());
}

static bool anything_removed() {
  for (const NamePair &file : game_files)
    if (!file_exists(in_game(file.destination))) return true;
  for (const char *link : group_links)
    if (!file_exists(program_group() + "\\" + link)) return true;
  return !file_exists(desktop_link()) || !machine_key_exists(KEY_GAME) ||
         !machine_key_exists(KEY_UNINSTALL);
}

// Starts the uninstaller with the given command line from the decoy folder,
// answers the confirmation and expects the given result text (none when the
// answer is not Yes). A line that names the program itself is run as the
// system runs "UninstallString". With the game running, Yes is met by the
// request to close it and the question again, with nothing removed; the
// game is then ended and the question answered.
static void uninstall(const std::string &line, int answer, const char *result, const std::string &what,
                      bool game_running = false) {
  Program program;
  std::string exe = uninstaller();
  bool named_by_line = line.compare(0, exe.size() + 1, "\"" + exe) == 0;
  CHECK(start_program(program, named_by_line ? nullptr : exe.c_str(), line, DECOY), what + ": started");
  Box box = wait_message_box(program);
  if (game_running && box.window != nullptr) {
    press(box.window, IDYES);
    wait_gone(box.window);
    expect_box(program, TITLE_UNINSTALL, "Cierre Zenta Korvalo antes de desinstalarlo.", nullptr, IDOK,
               what + ": game running");
    box = wait_message_box(program);
    CHECK(!anything_removed(), what + ": nothing removed under the running game");
    stop_game();
  }
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

// Shortcuts where the installer puts them and where an earlier version did.
static void plant_shortcuts() {
  for (int csidl : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS}) {
    CreateDirectoryA(program_group(csidl).c_str(), nullptr);
    for (const char *link : group_links) write_file(program_group(csidl) + "\\" + link, "enlace");
  }
  write_file(desktop_link(), "enlace");
  write_file(desktop_link(CSIDL_DESKTOPDIRECTORY), "enlace");
}

static void check_all_shortcuts_and_keys_gone(const std::string &what) {
  for (int csidl : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS})
    CHECK(!folder_exists(program_group(csidl)), what + ": program group removed: " + program_group(csidl));
  for (int csidl : {CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_DESKTOPDIRECTORY})
    CHECK(!file_exists(desktop_link(csidl)), what + ": desktop shortcut removed: " + desktop_link(csidl));
  CHECK(!machine_key_exists(KEY_GAME), what + ": game key removed");
  CHECK(!machine_key_exists(KEY_UNINSTALL), what + ": uninstall key removed");
  CHECK(file_exists(uninstaller()), what + ": the uninstaller itself stays");
}

static void check_uninstall() {
  make_decoy();
  std::string as_registered = read_machine_value(KEY_UNINSTALL, "UninstallString").text;
  uninstall(as_registered, IDNO, nullptr, "declined");
  uninstall(as_registered, IDCANCEL, nullptr, "question closed");
  CHECK(!anything_removed(), "No, Esc or the close box change nothing");

  check_game_starts();
  uninstall(as_registered, IDYES, TEXT_UNINSTALLED, "complete", true);
  for (const NamePair &file : game_files)
    CHECK(!file_exists(in_game(file.destination)), std::string("deleted: ") + file.destination);
  CHECK(!folder_exists(GAME), "game folder removed");
  check_all_shortcuts_and_keys_gone("complete");

  // A record file left by a run that did not end, and the help index.
  install_into(MEDIUM, "C:\\Juegos\\Korvalo", "reinstall");
  write_file(in_game("Juego1.dat"), "registro");
  write_file(in_game("Korvalo.gid"), "indice");
  uninstall("\"" + uninstaller() + "\" /Uninstall", IDYES, TEXT_NOT_UNINSTALLED, "record file left");
  CHECK_TEXT(read_file(in_game("Juego1.dat")), "registro", "the stray file stays");
  CHECK(!file_exists(in_game("Korvalo.gid")), "help index deleted");
  for (const NamePair &file : game_files)
    CHECK(!file_exists(in_game(file.destination)), std::string("deleted: ") + file.destination);
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

// "Path" decides what is deleted. None, or one naming a folder that is
// gone: nothing is installed. One that is relative, lacks its final
// backslash, names a drive root or a system folder however spelt, or a
// folder without the game program: the user is told to finish by hand.
// Either way files named like ours survive, and the shortcuts and keys go.
static void check_registry_paths() {
  write_file("C:\\Juegos\\KorvaloKorvalo.exe", "vecino");
  std::string windows = windows_folder();
  char system[MAX_PATH] = "";
  GetSystemDirectoryA(system, MAX_PATH);
  std::string windows_by_detour = std::string(system) + "\\..\\";
  CharUpperA(&windows_by_detour[0]);
  const struct {
    std::string path;  // the value of "Path", none when empty
    const char *result;
    std::string folder;  // where a decoy lies, besides the current folder
    bool with_program;
  } cases[] = {
      {"", TEXT_NOT_INSTALLED, "", false},
      {"C:\\Nunca\\", TEXT_NOT_INSTALLED, "", false},
      {"señuelo\\", TEXT_NOT_UNINSTALLED, "", false},
      {"C:\\Juegos\\Korvalo", TEXT_NOT_UNINSTALLED, "", false},
      {"C:señuelo\\", TEXT_NOT_UNINSTALLED, "", false},
      {windows + "\\", TEXT_NOT_UNINSTALLED, windows, true},
      {windows_by_detour, TEXT_NOT_UNINSTALLED, windows, true},
      {std::string(system) + "\\", TEXT_NOT_UNINSTALLED, system, true},
      {"C:\\", TEXT_NOT_UNINSTALLED, "C:", true},
      {"C:\\Juegos\\..\\", TEXT_NOT_UNINSTALLED, "C:", true},
      {"C:\\Otros\\", TEXT_NOT_UNINSTALLED, "C:\\Otros", false},
  };
  for (const auto &c : cases) {
    std::string what = "Path \"" + c.path + "\"";
    set_machine_text(KEY_UNINSTALL, "DisplayName", "Zenta Korvalo 2.0");
    if (!c.path.empty()) set_machine_text(KEY_GAME, "Path", c.path);
    plant_shortcuts();
    if (!c.folder.empty()) make_decoy(c.folder, c.with_program);
    uninstall("\"" + uninstaller() + "\" /uninstall", IDYES, c.result, what);
    check_all_shortcuts_and_keys_gone(what);
    if (c.folder.empty()) continue;
    CHECK(decoy_intact(c.folder, c.with_program), what + ": its files survive");
    remove_decoy(c.folder);
  }
  CHECK_TEXT(read_file("C:\\Juegos\\KorvaloKorvalo.exe"), "vecino", "a neighbour's file stays");
}

int run_lifecycle(const TestPaths &paths) {
  make_medium(MEDIUM, paths.installer, paths.game);
  check_missing_source(paths);
  check_failed_copies_then_install(paths);
  install_into(MEDIUM, "C:\\Juegos\\Korvalo", "update", true);
  check_uninstall();
  check_arguments();
  check_registry_paths();
  return check_failures;
}
