// Guards against: the banner cut or not scaled with the dialog; a folder refused with the wrong message, or not refused
// (a drive root, the Windows or system folder, one too long), the focus not back on it; anything made by a refused
// folder, a missing file or a failed copy, or an earlier installation harmed; a folder not normalised; copies
// read-only; shortcuts per user; registry values wrong; an installed game not proposed; an uninstaller that deletes on
// No or Esc, under the running game, outside a trusted game folder or in its current folder, says the wrong thing when
// nothing is installed, leaves shortcuts, keys or itself, or misreads its argument.
#include "harness.h"

#include "../../../install/install.h"

#include <algorithm>

static const char MEDIUM[] = "C:\\medio";
static const char GAME[] = "C:\\Juegos\\Korvalo\\";
static const char DECOY[] = "C:\\señuelo"; // every uninstaller's current folder
static const char GAME_KEY[] = "Software\\Korvalo";
static const char CAPTION_ERROR[] = "Error de instalación";
static const char FORM[] = "La ruta debe estar en la forma C:\\Carpeta";
static const char SAYS_CANCEL[] = "¿Está seguro que quiere salir sin instalar el programa?";
static const char NO_FOLDER[] = "No se pudo crear el directorio";
static const char PARTLY[] = "No se desinstaló completamente.\nDebe eliminar manualmente lo que queda:\n\n";

static std::string in_game(const char* name) { return std::string(GAME) + name; }

// Read-only stand-ins, as on a CD.
static void make_medium(const std::string& folder, bool leave_out_last = false) {
    CreateDirectoryW(wide_1252(folder).c_str(), nullptr);
    CopyFileW(wide_1252(built_installer).c_str(), wide_1252(folder + "\\install.exe").c_str(), FALSE);
    for (int row = 0; row < INSTALL_FILE_COUNT - leave_out_last; ++row) {
        std::string name = install_file_table[row].source;
        write_file(folder + "\\" + name, row == GAME_PROGRAM_ROW ? read_file(stand_in_game) : name);
    }
    for (const auto& file : files_in(folder))
        SetFileAttributesW(wide_1252(folder + "\\" + file.first).c_str(), FILE_ATTRIBUTE_READONLY);
}

// Files named like the game's, made or found intact.
static bool decoy(const std::string& folder, bool make) {
    CreateDirectoryW(wide_1252(folder).c_str(), nullptr);
    bool intact = true;
    for (const InstallFile& file : install_file_table) {
        if (make) write_file(folder + "\\" + file.destination, "ajeno");
        intact = intact && read_file(folder + "\\" + file.destination) == "ajeno";
    }
    return intact;
}

static std::string edit_text(HWND dialog) {
    WCHAR text[1024] = L"";
    SendDlgItemMessageW(dialog, IDC_FOLDER, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return read_as_1252(text);
}

static PROCESS_INFORMATION start_installer(const std::string& medium, const std::string& line = "install") {
    return start(medium + "\\install.exe", line, "C:\\");
}

static void close_installer(PROCESS_INFORMATION& installer, HWND dialog, const char* what) {
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    answer(installer, CAPTION_INSTALL, SAYS_CANCEL, dialog, IDYES, what);
    CHECK(wait_exit(installer) == 0, "%s: Yes ends the installer with 0", what);
}

// Clicked, so that the focus goes to the button first, as a user's click does.
static void click_install(HWND dialog, const std::string& folder) {
    type_folder(dialog, folder);
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}

// After each refusal the focus is back in the folder, all of it selected; the folder is shown as typed,
// or normalised once it has passed the checks on what was typed.
static void check_refusals(PROCESS_INFORMATION& installer, HWND dialog) {
    std::string windows = special_folder(CSIDL_WINDOWS);
    const std::pair<std::string, const char*> refusals[] = {
        {"M:\\juegos", "La unidad no especificada no existe o no es un disco duro"},
        {"C:\\jue:gos", "Los caracteres siguientes no son válidos:\n\n: ? < > | * \" /"},
        {"C:\\juegos\\\\nuevo", "No se puede instalar en una ruta UNC"},
        {"C:\\", FORM},
        {"C:\\Juegos\\..\\" + windows.substr(3) + "\\.", FORM}, // shown normalised
        {windows + "\\system32", FORM},
        {"C:\\largo\\" + std::string(239, 'a'), NO_FOLDER},
        {"C:\\largo\\" + std::string(300, 'b'), NO_FOLDER},
    };
    HWND edit = GetDlgItem(dialog, IDC_FOLDER);
    for (const auto& [typed, text] : refusals) {
        const std::string& shown = typed.find("..") != std::string::npos ? windows : typed;
        click_install(dialog, typed);
        answer(installer, CAPTION_ERROR, text, dialog, IDOK, "refusing " + typed);
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        auto back = [&] {
            GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui);
            return gui.hwndFocus == edit && SendMessageW(edit, EM_GETSEL, 0, 0) == MAKELONG(0, shown.size());
        };
        CHECK(wait_until(back, 2000), "after refusing %s: the focus in the folder, all selected", typed.c_str());
        CHECK(same(edit_text(dialog), shown), "the folder shown after refusing %s", typed.c_str());
    }
}

// The banner (314 by 71 pixels) whole in the dialog: at its own size at 100 %, and above it grown with the scale as far
// as the dialog, laid out by the system with its font scaled, has room for it.
static void check_banner(HWND dialog, DWORD dpi) {
    RECT room, shown;
    GetClientRect(dialog, &room);
    GetWindowRect(GetDlgItem(dialog, IDC_BANNER), &shown);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&shown), 2);
    int width = shown.right - shown.left, height = shown.bottom - shown.top;
    CHECK(shown.right <= room.right && shown.bottom <= room.bottom && width >= 314 &&
              width == std::min<int>(MulDiv(314, dpi, 96), room.right - shown.left) &&
              abs(width * 71 - height * 314) < 314,
          "at %lu dpi: the banner %dx%d at %ld,%ld in %ldx%ld", dpi, width, height, shown.left, shown.top, room.right,
          room.bottom);
}

// Nothing made for a missing source, a refused folder or a failed copy (a medium file held open), and an
// earlier installation kept. The installer's name holds its uninstall argument, which it must ignore.
static void check_nothing_made() {
    make_medium("C:\\medio14", true);
    CreateDirectoryW(L"C:\\Juegos", nullptr);
    CreateDirectoryW(wide_1252(GAME).c_str(), nullptr);
    write_file(in_game("Korvalo.exe"), read_file(stand_in_game));
    HANDLE held = CreateFileW(L"C:\\medio\\Ficha.wa_", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    std::vector<std::string> before = prefix_state();
    PROCESS_INFORMATION installer = start_installer("C:\\medio14");
    answer(installer, CAPTION_ERROR,
           "Faltan estos archivos junto a install.exe:\n\nKorvalo.ch_\n\nSi abrió install.exe dentro del archivo zip, "
           "extraiga antes todo el archivo, o use el instalador de un solo archivo ZentaKorvalo-2.0-instalar.exe.",
           nullptr, IDOK, "lacking");
    CHECK(wait_exit(installer) == 0, "the installer ends at once on a missing file");
    installer = start_installer(MEDIUM, "\"/uninstall\" x /uninstal");
    HWND dialog = wait_window(installer, true);
    CHECK(same(window_text(dialog), CAPTION_INSTALL), "the dialog's caption");
    check_refusals(installer, dialog);
    for (const char* folder : {"C:\\Nuevo\\Juego", "C:\\Juegos\\Korvalo"}) {
        click_install(dialog, folder);
        answer(installer, CAPTION_ERROR, "No fueron copiados todos los archivos", dialog, IDOK, folder);
    }
    PostMessageW(GetDlgItem(dialog, IDC_FOLDER), WM_KEYDOWN, VK_ESCAPE, 0);
    answer(installer, CAPTION_INSTALL, SAYS_CANCEL, dialog, IDNO, "Esc");
    close_installer(installer, dialog, "after No");
    CHECK(same(changed_since(before), ""), "refusals, a missing file, two failed copies: the prefix as before");
    CloseHandle(held);
}

// The files, every user's shortcuts and both keys; the folder proposed again, at every scale.
static void check_installed() {
    CHECK(same(names(files_in(program_group())), "Ayuda.lnk Léame.lnk Zenta Korvalo.lnk "), "the common group");
    size_t bytes = 0;
    for (const auto& file : files_in(GAME)) bytes += file.second.size();
    CHECK(same(machine_values(GAME_KEY), "Path=" + in_game("") + "\n"), "the game's key");
    CHECK(same(machine_values(UNINSTALL_KEY),
               "DisplayIcon=" + in_game("") +
                   "Korvalo.exe\nDisplayName=Zenta Korvalo 2.0\nDisplayVersion=2.0\nEstimatedSize=#" +
                   std::to_string((bytes + 1023) / 1024) + "\nInstallLocation=" + in_game("") +
                   "\nNoModify=#1\nNoRepair=#1\nPublisher=Zenta Korvalo\nUninstallString=\"" + uninstaller() +
                   "\" /uninstall /ALLUSERS\n"),
          "the uninstall entry");
    for (DWORD dpi : {144, 192, 96}) { // Wine gives a program started after a change of LogPixels the new scale
        RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
        PROCESS_INFORMATION installer = start_installer(MEDIUM);
        HWND dialog = wait_window(installer, true);
        CHECK(same(edit_text(dialog), "C:\\Juegos\\Korvalo"), "the installed folder proposed again");
        check_banner(dialog, dpi);
        close_installer(installer, dialog, "the proposal");
    }
}

static void uninstall(const std::string& line, int button, const std::string& result, const std::string& what) {
    PROCESS_INFORMATION process = start(uninstaller(), line, DECOY);
    answer(process, CAPTION_UNINSTALL, SAYS_CONFIRM, nullptr, button, what);
    if (!result.empty()) answer(process, CAPTION_INSTALL, result, nullptr, IDOK, what);
    CHECK(wait_exit(process) == 0 && decoy(DECOY, false), "%s: exit 0, its current folder intact", what.c_str());
}

// Shortcuts where the installer puts them and where an earlier version did.
static void plant_shortcuts() {
    for (int csidl : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS}) {
        CreateDirectoryW(wide_1252(program_group(csidl)).c_str(), nullptr);
        for (const char* link : {"\\Ayuda.lnk", "\\Léame.lnk", "\\Zenta Korvalo.lnk"})
            write_file(program_group(csidl) + link, "enlace");
    }
    for (int csidl : {CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_DESKTOPDIRECTORY}) write_file(desktop_link(csidl), "enlace");
}

static void check_all_gone(const std::string& what) {
    std::string left = machine_values(GAME_KEY) + " " + machine_values(UNINSTALL_KEY);
    for (const std::string& path :
         {program_group(), program_group(CSIDL_PROGRAMS), desktop_link(), desktop_link(CSIDL_DESKTOPDIRECTORY)})
        if (exists(path)) left += " " + path;
    CHECK(same(left, "(no key) (no key)") && !exists(uninstaller()), "%s: links, keys, uninstaller gone", what.c_str());
}

// The desktop shortcut starts the stand-in game in its folder, where it leaves a file. No, Esc, and Yes
// under the running game remove nothing; then Yes removes all but that file.
static void check_uninstall() {
    ShellExecuteW(nullptr, L"open", wide_1252(desktop_link()).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    std::string started_in = "<missing>";
    wait_until([&] { return (started_in = read_file(in_game("inicio.txt"))) != "<missing>"; }, 10000);
    CHECK(same(started_in + "\\", GAME), "the game started in its folder");
    decoy(DECOY, true);
    plant_shortcuts();
    HANDLE mark = CreateMutexW(nullptr, FALSE, L"ZentaKorvaloJuego");      // as the running game holds it
    const std::string registered = "\"" + uninstaller() + "\" /uninstall"; // as the uninstall entry holds it
    std::vector<std::string> before = prefix_state();
    uninstall("x --/uNiNsTaLl--y", IDNO, "", "No"); // its argument in any case, anywhere
    uninstall(registered, IDCANCEL, "", "Esc");
    PROCESS_INFORMATION process = start(uninstaller(), registered, DECOY);
    answer(process, CAPTION_UNINSTALL, SAYS_CONFIRM, nullptr, IDYES, "the game running");
    answer(process, CAPTION_UNINSTALL, "Cierre Zenta Korvalo antes de desinstalarlo.", nullptr, IDOK,
           "the game running");
    HWND again = answer(process, CAPTION_UNINSTALL, SAYS_CONFIRM, nullptr, 0, "asked again");
    CHECK(same(changed_since(before), ""), "No, Esc, and Yes under the running game: the prefix as before");
    CloseHandle(mark);
    write_file(in_game("Korvalo.gid"), "indice");
    reply(again, IDYES, "asked again");
    answer(process, CAPTION_INSTALL, PARTLY + in_game("") + "\n", nullptr, IDOK, "a file of the game's left");
    CHECK(wait_exit(process) == 0 && decoy(DECOY, false), "a file left: exit 0, the current folder's files kept");
    CHECK(same(names(files_in(GAME)), "inicio.txt "), "only the game's own file stays");
    check_all_gone("a file of the game's left");
}

// No "Path": nothing is installed. Relative, or a system folder however spelt: the user is to finish by
// hand, and the files there survive. Either way shortcuts and keys go.
static void check_registry_paths() {
    for (const wchar_t* path : {L"", L"señuelo\\", L"C:\\WINDOWS\\SYSTEM32\\..\\"}) {
        std::string what = "Path \"" + escaped_for_log(read_as_1252(path)) + "\"";
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, wide_1252(UNINSTALL_KEY).c_str(), L"DisplayName", REG_SZ, L"", 2);
        if (*path)
            RegSetKeyValueW(HKEY_LOCAL_MACHINE, L"Software\\Korvalo", L"Path", REG_SZ, path, 2 * lstrlenW(path) + 2);
        plant_shortcuts();
        CopyFileW(wide_1252(built_installer).c_str(), wide_1252(uninstaller()).c_str(), FALSE);
        decoy(special_folder(CSIDL_WINDOWS), true);
        uninstall("x /uninstall", IDYES,
                  !*path ? "Zenta Korvalo no está instalado."
                         : PARTLY + std::string("los archivos del juego (no se reconoce su carpeta)\n"),
                  what);
        check_all_gone(what);
        CHECK(decoy(special_folder(CSIDL_WINDOWS), false), "%s: the Windows folder intact", what.c_str());
    }
}

void run_lifecycle() {
    make_medium(MEDIUM);
    check_nothing_made();
    install(std::string(MEDIUM) + "\\install.exe", "C:\\Juegos \\Nada\\..\\Korvalo. ",
            "into a folder typed roundabout");
    CHECK(!exists("C:\\Juegos\\Nada"), "no folder made for one the path only passed through");
    check_installed();
    check_uninstall();
    check_registry_paths();
}
