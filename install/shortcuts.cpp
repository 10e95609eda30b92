#include "install.h"

#include <shlobj.h>

WCHAR program_group_folder[MAX_PATH];

bool form_program_group_folder(int csidl) {
    WCHAR programs[MAX_PATH];
    program_group_folder[0] = L'\0';
    if (!special_folder(csidl, programs)) return false;
    bool formed = append_path(program_group_folder, programs) && append_path(program_group_folder, L"\\") &&
                  append_path(program_group_folder, wide(PROGRAM_GROUP_NAME).text) &&
                  append_path(program_group_folder, L"\\");
    if (!formed) program_group_folder[0] = L'\0';
    return formed;
}

bool desktop_link_path(int csidl, WCHAR* out) {
    WCHAR desktop[MAX_PATH];
    return special_folder(csidl, desktop) && append_path(desktop, L"\\") && join_path(out, desktop, DESKTOP_LINK);
}

// The working folder is the game folder: the game finds its sounds and help
// there by bare name.
static void create_shortcut(const WCHAR* target, const WCHAR* link_path) {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->SetPath(target)) && SUCCEEDED(link->SetWorkingDirectory(install_folder)) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        file->Save(link_path, FALSE);
        file->Release();
    }
    link->Release();
}

static void create_game_shortcut(const WCHAR* folder, const char* link_name, const char* target_name) {
    WCHAR target[MAX_PATH];
    WCHAR link[MAX_PATH];
    if (join_path(target, install_folder, target_name) && join_path(link, folder, link_name))
        create_shortcut(target, link);
}

static bool file_in(UINT(WINAPI* folder)(LPWSTR, UINT), const WCHAR* name) {
    WCHAR path[MAX_PATH];
    UINT length = folder(path, MAX_PATH);
    return length > 0 && length < MAX_PATH && append_path(path, L"\\") && append_path(path, name) &&
           GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

// From Vista on Windows keeps at most a stub of the WinHelp viewer, which
// only says that it is gone: there the help shortcut opens the same help as
// HTML Help. Wine's viewer works. The game makes the same choice for F1.
static const char* help_target(const char* winhelp_file) {
    bool viewer = file_in(GetSystemWindowsDirectoryW, L"winhlp32.exe") || file_in(GetSystemDirectoryW, L"winhlp32.exe");
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    bool wine = ntdll && GetProcAddress(ntdll, "wine_get_version");
    return viewer && (LOBYTE(LOWORD(GetVersion())) < 6 || wine) ? winhelp_file : HTML_HELP_FILE;
}

// Every user's shortcuts go in the common folders: an installer that asked
// for elevation runs as the administrator who gave the password, whose own
// Start menu and desktop the player never sees. A user's own go in that
// user's. The desktop shortcut is the group's last one, the game, again.
void create_shortcuts(const InstallScope& scope) {
    if (form_program_group_folder(scope.programs)) {
        CreateDirectoryW(program_group_folder, nullptr);
        for (const Shortcut& shortcut : shortcut_table)
            create_game_shortcut(program_group_folder, shortcut.link,
                                 &shortcut == &shortcut_table[SHORTCUT_HELP] ? help_target(shortcut.target)
                                                                             : shortcut.target);
    }
    WCHAR desktop_link[MAX_PATH];
    WCHAR target[MAX_PATH];
    if (desktop_link_path(scope.desktop, desktop_link) &&
        join_path(target, install_folder, shortcut_table[SHORTCUT_COUNT - 1].target)) {
        create_shortcut(target, desktop_link);
        SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_PATHW | SHCNF_FLUSH, desktop_link, nullptr);
    }
}
