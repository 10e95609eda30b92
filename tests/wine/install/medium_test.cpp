// Guards against: the medium's staging and the installer disagreeing on a name, the zip lacking the UTF-8 flag of a
// name, programs with symbols, a file installed changed or left out, anything of the prefix left behind or removed by
// a round trip, texts, names or the read-me garbled under another code page, a help shortcut that no viewer on Windows
// 10 and 11 opens.
//   install_driver all INSTALL.EXE STAND-IN-GAME.EXE MEDIUM README   (77, skipped: passed, but no staged medium)
//   install_driver player SETUP.exe   (the player's installation, for game.installed)
#include "harness.h"

#include <objbase.h>

#include <algorithm>
#include <cstdlib>

int failed_checks;

static std::string windows_path(std::string path) { // Wine's Z: is the Unix root
    std::replace(path.begin(), path.end(), '/', '\\');
    return path[0] == '\\' ? "Z:" + path : path;
}

// Each file of the medium byte for byte, its final "_" made a letter.
bool holds_medium(const std::string& game_folder, const std::string& medium) {
    std::map<std::string, std::string> expected = files_in(medium), got;
    expected.erase("install.exe");
    for (const auto& file : files_in(game_folder))
        got[expected.count(file.first) ? file.first : file.first.substr(0, file.first.size() - 1) + "_"] = file.second;
    return same(names(got), names(expected)) && got == expected;
}

// The target and the working folder, as the shell reads them.
static std::pair<std::string, std::string> read_link(const std::string& path) {
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    WCHAR target[MAX_PATH] = L"", folder[MAX_PATH] = L"";
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(wide_1252(path).c_str(), STGM_READ)))
        link->GetPath(target, MAX_PATH, nullptr, 0), link->GetWorkingDirectory(folder, MAX_PATH);
    if (file) file->Release();
    if (link) link->Release();
    return {read_as_1252(target), read_as_1252(folder)};
}

// No symbol table, and so none of the debugging sections it names (".debug_info" is "/4" there).
static bool stripped(const std::string& program) {
    IMAGE_FILE_HEADER file{};
    if (program.size() > 64) program.copy(reinterpret_cast<char*>(&file), sizeof file, *(DWORD*)&program[60] + 4);
    return file.Machine != 0 && file.PointerToSymbolTable == 0 && file.NumberOfSymbols == 0;
}

// What Notepad shows of the read-me under the UTF-8 code page of Windows 10 and 11 and under Greek, against the
// text it is made from. Wine gives a program the code page of its Unix locale, and every program it starts that
// locale too; Notepad is started by a Unix command in another.
static void check_readme(const std::string& readme, const std::string& source) {
    std::string utf8 = read_file(source), command = " wine notepad.exe \"" + readme + "\"";
    std::wstring text(utf8.size(), L'\0'), expected;
    text.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), &text[0], int(text.size())));
    for (WCHAR c : text) expected += c == L'\n' ? L"\r\n" : std::wstring(1, c);
    for (std::string name : {"WINEPREFIX", "WINEDEBUG", "WINEDLLOVERRIDES"})
        command = " \"" + name + "=" + std::getenv(name.c_str()) + "\"" + command;
    for (const char* ctype : {"hi_IN.UTF-8", "el_GR.UTF-8"}) {
        start("Z:\\usr\\bin\\env", std::string("env -u LC_ALL LC_CTYPE=") + ctype + command, "C:\\");
        HWND notepad = nullptr, edit = nullptr;
        auto length = [&] { return SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0); }; // Wine's GetWindowTextLength: 0
        auto open = [&] { return (edit = FindWindowExW(notepad = FindWindowW(L"Notepad", 0), 0, L"Edit", 0)) != 0; };
        wait_until([&] { return open() && length() > 0; }, 20000);
        std::wstring shown(length() + 1, L'\0');
        shown.resize(SendMessageW(edit, WM_GETTEXT, shown.size(), reinterpret_cast<LPARAM>(&shown[0])));
        CHECK(same(read_as_1252(shown), read_as_1252(expected)), "the read-me in Notepad under %s", ctype);
        PostMessageW(notepad, WM_CLOSE, 0, 0);
        wait_until([&] { return !IsWindow(notepad); }, 5000);
    }
}

// As on Windows 10 and 11, where no WinHelp viewer works. The build zips the medium only when it is
// complete; without the zip the round trip is skipped.
static bool run_medium(const std::string& medium, const std::string& readme_source) {
    if (!exists(medium + ".zip")) return false;
    // Léame.txt's entry in the zip's central directory flags its name as UTF-8 (bit 11), without which
    // Windows' own extraction reads it in the OEM code page and the installer cannot find the file.
    std::string zip = read_file(medium + ".zip");
    size_t name = zip.rfind("L\303\251ame.txt");
    CHECK(name != std::string::npos && name > 46 && zip[name - 37] & 8, "the zip flags a name as UTF-8");
    for (const char* program : {"\\install.exe", "\\Korvalo.ex_"})
        CHECK(stripped(read_file(medium + program)), "%s stripped", program);
    for (const char* viewer : {"\\winhlp32.exe", "\\system32\\winhlp32.exe"})
        DeleteFileW(wide_1252(special_folder(CSIDL_WINDOWS) + viewer).c_str());
    std::vector<std::string> before = prefix_state();
    std::string folder = special_folder(CSIDL_PROGRAM_FILES) + "\\Zenta Korvalo";
    install(medium + "\\install.exe", "", "from the staged medium");
    CHECK(same(read_link(program_group() + "\\Ayuda.lnk").first, folder + "\\Korvalo.chm"), "Ayuda: .chm");
    CHECK(holds_medium(folder, medium), "the game folder holds the staged medium's files");
    check_readme(folder + "\\Léame.txt", readme_source);
    PROCESS_INFORMATION process = start(uninstaller(), "\"" + uninstaller() + "\" /uninstall", "C:\\");
    answer(process, CAPTION_UNINSTALL, SAYS_CONFIRM, nullptr, IDYES, "uninstalling");
    answer(process, CAPTION_INSTALL, "El juego se ha desinstalado con éxito", nullptr, IDOK, "uninstalled");
    CHECK(wait_exit(process) == 0, "the uninstaller's exit code 0");
    // The uninstaller, which runs, moved aside under a name of its own and deleted at the restart.
    std::string changed = changed_since(before), aside = changed.substr(0, changed.find(' '));
    std::string restart = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session Manager : PendingFileRenameOperations=";
    CHECK(!exists(uninstaller()) && read_file(aside) == read_file(medium + "\\install.exe") &&
              changed.substr(changed.find('\n') + 1) == restart + "\\??\\" + aside + "\n",
          "the prefix as before but for the uninstaller; changed:\n%s", escaped_for_log(changed).c_str());
    check_setup(medium.substr(0, medium.rfind('\\')) + "\\ZentaKorvalo-2.0-instalar.exe", medium);
    return true;
}

// The single setup file, only for the player through the dialog: nothing written outside the player's profile
// and HKEY_CURRENT_USER. Prints the game shortcut's target ("game: ") and working folder ("folder: ").
static void run_player(const std::string& setup) {
    std::vector<std::string> before = prefix_state();
    install(setup, "", "the player's installation", IDC_CURRENT_USER);
    CHECK(same(outside_profile(changed_since(before)), ""), "only for me: nothing outside the profile and HKCU");
    auto [game, folder] = read_link(desktop_link(CSIDL_DESKTOPDIRECTORY));
    CHECK(game.rfind(special_folder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Zenta Korvalo\\", 0) == 0, "the shortcut: %s",
          game.c_str());
    std::printf("game: %s\nfolder: %s\n", game.c_str(), folder.c_str());
}

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    std::string mode = argc > 1 ? argv[1] : "";
    if (argc != (mode == "player" ? 3 : mode == "all" ? 6 : 0)) return std::printf("usage: see medium_test.cpp\n"), 2;
    CoInitialize(nullptr);
    bool medium_complete = true;
    if (mode == "player") {
        run_player(windows_path(argv[2]));
    } else {
        built_installer = windows_path(argv[2]);
        stand_in_game = windows_path(argv[3]);
        // Wine closes its desktop a moment after the last program on it ends,
        // and programs started later fail; one kept running spans the pauses.
        PROCESS_INFORMATION keeper = start(stand_in_game, "\"" + stand_in_game + "\" keep", "C:\\");
        // First, from a prefix no installer has seen.
        medium_complete = run_medium(windows_path(argv[4]), windows_path(argv[5]));
        run_lifecycle();
        TerminateProcess(keeper.hProcess, 0);
    }
    std::printf("%s: %d failed checks%s\n", mode.c_str(), failed_checks, medium_complete ? "" : ", no medium");
    return failed_checks != 0 ? 1 : medium_complete ? 0 : 77;
}
