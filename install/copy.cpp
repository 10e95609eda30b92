#include "install.h"

#include <cwchar>

// The medium is the folder install.exe lies in, found through the running
// program's own file: started from elsewhere (by its full name, from a
// shortcut), the current folder would be another one. Both are set by
// sources_present, which every installation passes first.
static WCHAR source_folder[MAX_PATH];
static WCHAR own_file[MAX_PATH];

bool windows_file(WCHAR* out, const char* name) {
    WCHAR windows[MAX_PATH];
    UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    if (length == 0 || length + 1 >= MAX_PATH) return false;
    if (windows[length - 1] != L'\\') std::wcscpy(windows + length, L"\\");
    return join_path(out, windows, name);
}

// Every source is looked for before anything is made, so that a medium
// lacking a file leaves nothing behind.
bool sources_present() {
    DWORD length = GetModuleFileNameW(nullptr, own_file, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    std::wcscpy(source_folder, own_file);
    WCHAR* name = std::wcsrchr(source_folder, L'\\');
    if (name == nullptr) return false;
    name[1] = L'\0';
    WCHAR path[MAX_PATH];
    for (const InstallFile& file : install_file_table)
        if (!join_path(path, source_folder, file.source) || !file_exists(path)) return false;
    return true;
}

// The copies are plain files whatever the medium's attributes: a read-only
// copy from a CD could never be deleted by the uninstaller.
static bool copy_plain(const WCHAR* source, const WCHAR* destination) {
    return CopyFileW(source, destination, FALSE) && SetFileAttributesW(destination, FILE_ATTRIBUTE_NORMAL);
}

// A copy that fails takes back what this run made, the files it created
// (not those it overwrote) and the folders, so that an installation that
// stops part-way leaves what was there before and nothing else.
bool copy_game_files() {
    bool made[INSTALL_FILE_COUNT] = {};
    WCHAR source[MAX_PATH];
    WCHAR destination[MAX_PATH];
    for (int row = 0; row < INSTALL_FILE_COUNT; ++row) {
        const InstallFile& file = install_file_table[row];
        if (join_path(source, source_folder, file.source) && join_path(destination, install_folder, file.destination)) {
            made[row] = !file_exists(destination);
            if (copy_plain(source, destination)) continue;
        }
        for (int done = 0; done <= row; ++done)
            if (made[done] && join_path(destination, install_folder, install_file_table[done].destination))
                DeleteFileW(destination);
        remove_made_folders();
        return false;
    }
    return true;
}

// The uninstaller is the running program's own file, under the name the
// uninstall entry starts; a failure here is not reported.
void place_uninstaller() {
    WCHAR target[MAX_PATH];
    if (windows_file(target, UNINSTALLER_NAME)) copy_plain(own_file, target);
}
