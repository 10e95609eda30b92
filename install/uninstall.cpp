#include "install.h"

#include <shlobj.h>
#include <cwchar>

// What could not be removed, a line each, for the closing message.
struct Leftovers {
    WCHAR text[2048];
    void add(const WCHAR* line) {
        size_t have = std::wcslen(text);
        std::swprintf(text + have, ARRAYSIZE(text) - have, L"%ls\n", line);
    }
    void add(const char* line) { add(wide(line).text); }
};

// A file that is not there, or whose folder is not, counts as deleted.
static bool delete_file(const WCHAR* path) {
    return DeleteFileW(path) || GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND;
}

static bool delete_in(const WCHAR* folder, const char* name) {
    WCHAR path[MAX_PATH];
    return join_path(path, folder, name) && delete_file(path);
}

// Files are deleted only from a trusted game folder: the bare names would
// otherwise resolve in the current folder, or in a folder that is not ours.
// An untrusted folder counts as not removed, so the user is told to finish
// by hand. False when nothing was installed.
static bool delete_game_files(const InstallScope& scope, Leftovers& left) {
    WCHAR game_folder[MAX_PATH];
    switch (find_game_folder(scope, game_folder)) {
    case GAME_NOT_INSTALLED: return false;
    case GAME_UNTRUSTED: left.add(TEXT_LEFT_FOLDER); break;
    case GAME_FOUND:
        for (const InstallFile& file : install_file_table) delete_in(game_folder, file.destination);
        delete_in(game_folder, HELP_INDEX_NAME);
        if (!RemoveDirectoryW(game_folder)) left.add(game_folder);
        break;
    }
    return true;
}

static bool remove_program_group(int csidl) {
    if (!form_program_group_folder(csidl)) return true;
    bool removed = true;
    for (const Shortcut& shortcut : shortcut_table) removed = delete_in(program_group_folder, shortcut.link) && removed;
    removed = (RemoveDirectoryW(program_group_folder) || !folder_exists(program_group_folder)) && removed;
    program_group_folder[std::wcslen(program_group_folder) - 1] = L'\0';
    SHChangeNotify(SHCNE_RMDIR, SHCNF_PATHW | SHCNF_FLUSH, program_group_folder, nullptr);
    return removed;
}

static bool remove_desktop_shortcut(int csidl) {
    WCHAR link[MAX_PATH];
    if (!desktop_link_path(csidl, link)) return true;
    bool removed = delete_file(link);
    SHChangeNotify(SHCNE_DELETE, SHCNF_PATHW | SHCNF_FLUSH, link, nullptr);
    return removed;
}

// No step stops the ones after it: the shortcuts go even when the folder
// stays, so the game leaves no dead entries behind. An earlier version put
// every user's shortcuts in the user's own folders, and any left there go
// too, unless they are those of the user's own installation.
static bool remove_folder_and_shortcuts(const InstallScope& scope, Leftovers& left) {
    bool installed = delete_game_files(scope, left);
    bool removed = remove_program_group(scope.programs);
    removed = remove_desktop_shortcut(scope.desktop) && removed;
    WCHAR own[MAX_PATH];
    if (scope.all_users && find_game_folder(ONLY_ME, own) == GAME_NOT_INSTALLED) {
        removed = remove_program_group(ONLY_ME.programs) && removed;
        removed = remove_desktop_shortcut(ONLY_ME.desktop) && removed;
    }
    if (!removed) left.add(TEXT_LEFT_SHORTCUTS);
    return installed;
}

// A mark held by another user's game may refuse us access; it still runs.
static bool game_running() {
    HANDLE mark = OpenMutexW(SYNCHRONIZE, FALSE, wide(GAME_RUNNING_MARK).text);
    if (mark == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
    CloseHandle(mark);
    return true;
}

// Every user's uninstaller lies in the Windows folder. Started from there it
// is the running program, which the system will not delete but lets be
// renamed: it moves aside, so that an installation before the restart
// places its own uninstaller under the name undisturbed, and is deleted at
// the next restart. If it cannot move aside its real name is not scheduled:
// that would delete the next installation's uninstaller.
static bool remove_machine_uninstaller(const WCHAR* uninstaller, Leftovers& left) {
    WCHAR folder[MAX_PATH], aside[MAX_PATH];
    std::wcscpy(folder, uninstaller);
    *(std::wcsrchr(folder, L'\\') + 1) = L'\0';
    if (!GetTempFileNameW(folder, L"kor", 0, aside)) {
        left.add(uninstaller);
        return false;
    }
    if (!MoveFileExW(uninstaller, aside, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(aside);
        left.add(uninstaller);
        return false;
    }
    if (MoveFileExW(aside, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) return true;
    left.add(aside);
    return false;
}

// A user's own uninstaller cannot be deleted at the restart, which takes
// administrator rights: a hidden command interpreter from the system folder
// waits until this program has ended, then deletes it.
static bool remove_own_uninstaller(const WCHAR* uninstaller, Leftovers& left) {
    WCHAR shell[MAX_PATH], command[3 * MAX_PATH];
    UINT length = GetSystemDirectoryW(shell, MAX_PATH);
    bool started = length > 0 && length < MAX_PATH - 16;
    if (started) {
        std::wcscpy(shell + length, L"\\cmd.exe");
        std::swprintf(command, ARRAYSIZE(command), L"\"%ls\" /d /q /c ping -n 3 127.0.0.1 >nul & del /f /q \"%ls\"",
                      shell, uninstaller);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        started = CreateProcessW(shell, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                                 &process);
        if (started) {
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
    }
    if (!started) left.add(uninstaller);
    return started;
}

static void remove_uninstaller(const InstallScope& scope, Leftovers& left) {
    WCHAR uninstaller[MAX_PATH];
    if (!uninstaller_path(scope, uninstaller) || !file_exists(uninstaller) || DeleteFileW(uninstaller)) return;
    if (scope.all_users) remove_machine_uninstaller(uninstaller, left);
    else remove_own_uninstaller(uninstaller, left);
}

// Only "Sí" uninstalls: closing the question is no answer. Nothing is
// deleted under a running game; the user is asked to close it and asked
// again (a silent run ends instead). Success is said only when every step
// succeeded; otherwise what is left is named. A silent run answers with its
// exit code alone.
int uninstall_game(const InstallScope& scope, bool silent) {
    for (;;) {
        if (!silent && show_message(nullptr, TEXT_CONFIRM_UNINSTALL, TITLE_UNINSTALL,
                                    MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON1) != IDYES)
            return 0;
        if (!game_running()) break;
        if (silent) return EXIT_GAME_RUNNING;
        show_message(nullptr, TEXT_CLOSE_GAME, TITLE_UNINSTALL, MB_ICONWARNING | MB_OK);
    }
    Leftovers left{};
    bool installed = remove_folder_and_shortcuts(scope, left);
    if (!remove_install_registry(scope)) left.add(TEXT_LEFT_REGISTRY);
    remove_uninstaller(scope, left);
    if (left.text[0] != L'\0') {
        if (silent) return EXIT_LEFT_BEHIND;
        WCHAR text[2560];
        std::swprintf(text, ARRAYSIZE(text), L"%ls%ls", wide(TEXT_NOT_UNINSTALLED).text, left.text);
        MessageBoxW(nullptr, text, wide(TITLE_INSTALL).text, MB_ICONINFORMATION | MB_OK);
        return 0;
    }
    if (silent) return installed ? 0 : EXIT_NOT_INSTALLED;
    show_message(nullptr, installed ? TEXT_UNINSTALLED : TEXT_NOT_INSTALLED, TITLE_INSTALL, MB_ICONINFORMATION | MB_OK);
    return 0;
}
