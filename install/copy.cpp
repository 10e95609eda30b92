#include "install.h"

#include <cstring>
#include <cwchar>

// The files come from one of two places: the payload of the setup file, or
// the medium, the folder install.exe lies in (found through the running
// program's own file: started from elsewhere, by its full name or from a
// shortcut, the current folder would be another one). open_sources, which
// every installation passes first, chooses and checks.
static bool from_payload;
static WCHAR source_folder[MAX_PATH];
static WCHAR own_file[MAX_PATH];

// The uninstaller of every user's installation lies in the Windows folder,
// where administrators look for it; a user's own lies in the user's own
// programs folder, which needs no rights.
bool uninstaller_path(const InstallScope& scope, WCHAR* out) {
    WCHAR folder[MAX_PATH];
    if (scope.all_users) {
        UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
        if (length == 0 || length + 1 >= MAX_PATH) return false;
        if (!append_path(folder, L"\\")) return false;
    } else if (!user_programs_folder(folder)) {
        return false;
    }
    return join_path(out, folder, UNINSTALLER_NAME);
}

// Every source is looked for before anything is made, so that a medium
// lacking a file, or a damaged download, leaves nothing behind. The names a
// medium lacks go into `missing`, one a line.
SourceCheck open_sources(char* missing, size_t size) {
    missing[0] = '\0';
    switch (open_payload()) {
    case PAYLOAD_READY: from_payload = true; return SOURCE_READY;
    case PAYLOAD_DAMAGED: return SOURCE_DAMAGED;
    case NO_PAYLOAD: break;
    }
    DWORD length = GetModuleFileNameW(nullptr, own_file, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return SOURCE_MISSING;
    std::wcscpy(source_folder, own_file);
    WCHAR* name = std::wcsrchr(source_folder, L'\\');
    if (name == nullptr) return SOURCE_MISSING;
    name[1] = L'\0';
    WCHAR path[MAX_PATH];
    for (const InstallFile& file : install_file_table)
        if ((!join_path(path, source_folder, file.source) || !file_exists(path)) &&
            std::strlen(missing) + std::strlen(file.source) + 2 < size) {
            std::strcat(missing, file.source);
            std::strcat(missing, "\n");
        }
    return missing[0] == '\0' ? SOURCE_READY : SOURCE_MISSING;
}

static bool write_bytes(const std::vector<uint8_t>& bytes, const WCHAR* destination) {
    HANDLE file = CreateFileW(destination, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool whole =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    whole = CloseHandle(file) && whole;
    if (!whole) DeleteFileW(destination);
    return whole;
}

// The copies are plain files whatever the medium's attributes: a read-only
// copy from a CD could never be deleted by the uninstaller. Entry
// INSTALL_FILE_COUNT is the installer itself, without its payload.
static bool place_file(int entry, const WCHAR* destination) {
    if (from_payload) return write_bytes(payload_file(entry), destination);
    WCHAR source[MAX_PATH];
    if (entry == INSTALL_FILE_COUNT) std::wcscpy(source, own_file);
    else if (!join_path(source, source_folder, install_file_table[entry].source)) return false;
    return CopyFileW(source, destination, FALSE) && SetFileAttributesW(destination, FILE_ATTRIBUTE_NORMAL);
}

// A copy that fails takes back what this run made, the files it created
// (not those it overwrote) and the folders, so that an installation that
// stops part-way leaves what was there before and nothing else.
bool copy_game_files() {
    bool made[INSTALL_FILE_COUNT] = {};
    WCHAR destination[MAX_PATH];
    for (int row = 0; row < INSTALL_FILE_COUNT; ++row) {
        if (join_path(destination, install_folder, install_file_table[row].destination)) {
            made[row] = !file_exists(destination);
            if (place_file(row, destination)) continue;
        }
        for (int done = 0; done <= row; ++done)
            if (made[done] && join_path(destination, install_folder, install_file_table[done].destination))
                DeleteFileW(destination);
        remove_made_folders();
        return false;
    }
    return true;
}

// The uninstaller is the installer's own program, under the name the
// uninstall entry starts. A user's programs folder is made when the game
// went elsewhere and it is missing.
bool place_uninstaller(const InstallScope& scope) {
    WCHAR target[MAX_PATH], folder[MAX_PATH];
    if (!scope.all_users && user_programs_folder(folder)) CreateDirectoryW(folder, nullptr);
    return uninstaller_path(scope, target) && place_file(INSTALL_FILE_COUNT, target);
}
