#include "install.h"

#include <shlobj.h>
#include <cwchar>

static void delete_in(const WCHAR* folder, const char* name) {
    WCHAR path[MAX_PATH];
    if (join_path(path, folder, name)) DeleteFileW(path);
}

// Files are deleted only from a trusted game folder: the bare names would
// otherwise resolve in the current folder, or in a folder that is not ours.
// An untrusted folder counts as not removed, so the user is told to finish
// by hand; with nothing installed there is nothing to finish.
static void remove_game_folder() {
    WCHAR game_folder[MAX_PATH];
    const char* result = TEXT_NOT_UNINSTALLED;
    switch (find_game_folder(game_folder)) {
    case GAME_NOT_INSTALLED: result = TEXT_NOT_INSTALLED; break;
    case GAME_UNTRUSTED: break;
    case GAME_FOUND:
        for (const InstallFile& file : install_file_table) delete_in(game_folder, file.destination);
        delete_in(game_folder, HELP_INDEX_NAME);
        if (RemoveDirectoryW(game_folder)) result = TEXT_UNINSTALLED;
        break;
    }
    show_message(nullptr, result, TITLE_INSTALL, MB_ICONINFORMATION | MB_OK);
}

static void remove_program_group(int csidl) {
    if (!form_program_group_folder(csidl)) return;
    for (const Shortcut& shortcut : shortcut_table) delete_in(program_group_folder, shortcut.link);
    RemoveDirectoryW(program_group_folder);
    program_group_folder[std::wcslen(program_group_folder) - 1] = L'\0';
    SHChangeNotify(SHCNE_RMDIR, SHCNF_PATHW | SHCNF_FLUSH, program_group_folder, nullptr);
}

static void remove_desktop_shortcut(int csidl) {
    WCHAR link[MAX_PATH];
    if (!desktop_link_path(csidl, link)) return;
    DeleteFileW(link);
    SHChangeNotify(SHCNE_DELETE, SHCNF_PATHW | SHCNF_FLUSH, link, nullptr);
}

// No step stops the ones after it: the shortcuts and the registry entry go
// even when the folder stays, so the game leaves no dead entries behind.
// The shortcuts are every user's; an earlier version put them in the
// user's own folders, and any left there go too.
static void remove_game_files() {
    remove_game_folder();
    remove_program_group(CSIDL_COMMON_PROGRAMS);
    remove_desktop_shortcut(CSIDL_COMMON_DESKTOPDIRECTORY);
    remove_program_group(CSIDL_PROGRAMS);
    remove_desktop_shortcut(CSIDL_DESKTOPDIRECTORY);
}

// A mark held by another user's game may refuse us access; it still runs.
static bool game_running() {
    HANDLE mark = OpenMutexW(SYNCHRONIZE, FALSE, wide(GAME_RUNNING_MARK).text);
    if (mark == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
    CloseHandle(mark);
    return true;
}

// The uninstaller left in the Windows folder is what administrators look
// for. Started from there it is the running program, which the system will
// not delete but lets be renamed: it moves aside, so that an installation
// before the restart places its own uninstaller under the name undisturbed,
// and is deleted at the next restart. Started from elsewhere, it goes now.
static void remove_uninstaller() {
    WCHAR uninstaller[MAX_PATH], folder[MAX_PATH], aside[MAX_PATH];
    if (!windows_file(uninstaller, UNINSTALLER_NAME) || !file_exists(uninstaller)) return;
    if (DeleteFileW(uninstaller) || !windows_file(folder, "")) return;
    const WCHAR* doomed = uninstaller;
    if (GetTempFileNameW(folder, L"kor", 0, aside)) {
        if (MoveFileExW(uninstaller, aside, MOVEFILE_REPLACE_EXISTING)) doomed = aside;
        else DeleteFileW(aside);
    }
    MoveFileExW(doomed, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

// Only "Sí" uninstalls: closing the question is no answer. Nothing is
// deleted under a running game; the user is asked to close it and asked
// again.
void uninstall_game() {
    for (;;) {
        if (show_message(nullptr, TEXT_CONFIRM_UNINSTALL, TITLE_UNINSTALL,
                         MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON1) != IDYES)
            return;
        if (!game_running()) break;
        show_message(nullptr, TEXT_CLOSE_GAME, TITLE_UNINSTALL, MB_ICONWARNING | MB_OK);
    }
    remove_game_files();
    remove_install_registry();
    remove_uninstaller();
}
