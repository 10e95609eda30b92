#include "install.h"

#include <shlobj.h>
#include <cwchar>

WCHAR install_folder[MAX_PATH];

bool has_drive_form(const WCHAR* folder) { return folder[0] != L'\0' && folder[1] == L':' && folder[2] == L'\\'; }

// A colon is allowed only after the drive letter, so the search starts at
// the third character; the other characters are forbidden anywhere.
bool has_invalid_char(const WCHAR* folder) {
    if (std::wcspbrk(folder, L"?/*<>|\"") != nullptr) return true;
    return std::wcslen(folder) > 2 && std::wcschr(folder + 2, L':') != nullptr;
}

bool has_double_backslash(const WCHAR* folder) { return std::wcsstr(folder, L"\\\\") != nullptr; }

// Paths are built by appending within MAX_PATH; one that would not fit is
// refused rather than cut, so nothing lands under a shorter name.
bool append_path(WCHAR* path, const WCHAR* tail) {
    size_t have = std::wcslen(path);
    size_t add = std::wcslen(tail);
    if (have + add >= MAX_PATH) return false;
    std::wmemcpy(path + have, tail, add + 1);
    return true;
}

bool join_path(WCHAR* out, const WCHAR* folder, const char* name) {
    out[0] = L'\0';
    return append_path(out, folder) && append_path(out, wide(name).text);
}

bool file_exists(const WCHAR* path) {
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool folder_exists(const WCHAR* path) {
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Folders are shown as people type them; a drive root keeps its backslash.
void drop_final_backslash(WCHAR* folder) {
    size_t length = std::wcslen(folder);
    if (length > 3 && folder[length - 1] == L'\\') folder[length - 1] = L'\0';
}

static bool folder_identity(const WCHAR* path, BY_HANDLE_FILE_INFORMATION* info) {
    HANDLE folder = CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return false;
    bool known = GetFileInformationByHandle(folder, info) != FALSE;
    CloseHandle(folder);
    return known && (info->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

static bool full_folder_name(const WCHAR* path, WCHAR* out) {
    DWORD length = GetFullPathNameW(path, MAX_PATH, out, nullptr);
    if (length == 0 || length + 1 >= MAX_PATH) return false;
    if (out[length - 1] != L'\\') std::wcscpy(out + length, L"\\");
    return true;
}

// Two spellings (letter case, short names, links) name one folder when
// volume and index agree; a folder that cannot be opened is compared by its
// full name, so that it is never taken for another merely for being shut.
static bool same_folder(const WCHAR* a, const WCHAR* b) {
    BY_HANDLE_FILE_INFORMATION first, second;
    if (folder_identity(a, &first) && folder_identity(b, &second))
        return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
               first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
    WCHAR full_a[MAX_PATH];
    WCHAR full_b[MAX_PATH];
    return full_folder_name(a, full_a) && full_folder_name(b, full_b) && lstrcmpiW(full_a, full_b) == 0;
}

// A drive root and the system's own folders are never the game's: the
// uninstaller could delete nothing there, and in the Windows folder the
// installed-programs list would start the game in place of the uninstaller.
bool is_system_folder(const WCHAR* folder) {
    WCHAR root[4] = {folder[0], L':', L'\\', L'\0'};
    if (same_folder(folder, root)) return true;
    UINT(WINAPI* const lookups[])(LPWSTR, UINT) = {GetWindowsDirectoryW, GetSystemDirectoryW, GetSystemWow64DirectoryW};
    for (auto lookup : lookups) {
        WCHAR system[MAX_PATH];
        UINT length = lookup(system, MAX_PATH);
        if (length > 0 && length < MAX_PATH && same_folder(folder, system)) return true;
    }
    return false;
}

static bool read_program_files_dir(WCHAR* out) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion", 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD bytes = (MAX_PATH - 1) * sizeof(WCHAR);
    LONG status = RegQueryValueExW(key, L"ProgramFilesDir", nullptr, &type, reinterpret_cast<BYTE*>(out), &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) return false;
    out[bytes / sizeof(WCHAR)] = L'\0'; // the stored value need not carry its NUL
    return out[0] != L'\0';
}

bool special_folder(int csidl, WCHAR* out) {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list)) || list == nullptr) return false;
    bool found = SHGetPathFromIDListW(list, out) && out[0] != L'\0';
    CoTaskMemFree(list);
    return found;
}

// The folder Windows gives a user's own programs (%LOCALAPPDATA%\Programs);
// ends in a backslash. It may not exist yet.
bool user_programs_folder(WCHAR* out) {
    return special_folder(CSIDL_LOCAL_APPDATA, out) && append_path(out, L"\\Programs\\");
}

// Every user's game goes under Program Files; when "ProgramFilesDir" cannot
// be read, to the root of the drive that holds Windows: a fixed disk, so the
// proposal passes the checks, where a bare "\Zenta Korvalo" would be refused
// for its form. The user's own goes under the user's programs folder.
void default_install_folder(const InstallScope& scope, WCHAR* out) {
    WCHAR base[MAX_PATH];
    out[0] = L'\0';
    if (!scope.all_users) {
        if (user_programs_folder(base) && append_path(out, base) && append_path(out, L"Zenta Korvalo")) return;
        out[0] = L'\0';
        return;
    }
    if (read_program_files_dir(base)) {
        if (append_path(out, base) && append_path(out, L"\\Zenta Korvalo")) return;
    }
    UINT length = GetWindowsDirectoryW(base, MAX_PATH);
    if (length < 3 || length >= MAX_PATH || !has_drive_form(base)) std::wcscpy(base, L"C:\\");
    std::wmemcpy(out, base, 3);
    std::wcscpy(out + 3, L"Zenta Korvalo");
}

// The folder as the system names it once made: the full path with "." and
// ".." resolved, and every name without the trailing blanks and dots that
// Windows drops when it creates a folder but not always when it looks one
// up, so that one typed folder never becomes two. Ends in a backslash.
static bool normalise_folder(const WCHAR* typed, WCHAR* out) {
    WCHAR full[MAX_PATH];
    DWORD length = GetFullPathNameW(typed, MAX_PATH, full, nullptr);
    if (length == 0 || length + 1 >= MAX_PATH || !has_drive_form(full)) return false;
    std::wmemcpy(out, full, 3);
    size_t used = 3;
    for (const WCHAR* name = full + 3; *name != L'\0';) {
        size_t name_length = std::wcscspn(name, L"\\");
        size_t kept = name_length;
        while (kept > 0 && (name[kept - 1] == L' ' || name[kept - 1] == L'.')) --kept;
        if (kept > 0) {
            std::wmemcpy(out + used, name, kept);
            used += kept;
            out[used++] = L'\\';
        }
        name += name_length;
        if (*name == L'\\') ++name;
    }
    out[used] = L'\0';
    return true;
}

// The typed text passes the form, drive, character and network checks as
// typed; then install_folder is the normalised folder (empty when there is
// none), which must be none of the system's and must leave room for every
// file name, so that nothing is created for a folder that cannot hold them.
FolderCheck validate_install_folder(const WCHAR* typed) {
    install_folder[0] = L'\0';
    if (!has_drive_form(typed)) return FOLDER_BAD_FORM;
    WCHAR root[4] = {typed[0], L':', L'\\', L'\0'};
    if (GetDriveTypeW(root) != DRIVE_FIXED) return FOLDER_BAD_DRIVE;
    if (has_invalid_char(typed)) return FOLDER_BAD_CHARS;
    if (has_double_backslash(typed)) return FOLDER_UNC;
    if (!normalise_folder(typed, install_folder)) return FOLDER_TOO_LONG;
    if (is_system_folder(install_folder)) return FOLDER_SYSTEM;
    WCHAR path[MAX_PATH];
    for (const InstallFile& file : install_file_table)
        if (!join_path(path, install_folder, file.destination)) return FOLDER_TOO_LONG;
    return FOLDER_ACCEPTED;
}

// Where in install_folder each folder this run made ends, in the order made.
static size_t made_lengths[MAX_PATH];
static int made_count;

// Parents first, each one passed over when it exists or cannot be made; only
// the final folder's existence decides, and when it is missing the folders
// made on the way go again.
bool create_install_folder() {
    made_count = 0;
    WCHAR partial[MAX_PATH];
    for (size_t i = 3; install_folder[i] != L'\0'; ++i) {
        if (install_folder[i] != L'\\') continue;
        std::wmemcpy(partial, install_folder, i);
        partial[i] = L'\0';
        if (CreateDirectoryW(partial, nullptr)) made_lengths[made_count++] = i;
    }
    if (folder_exists(install_folder)) return true;
    remove_made_folders();
    return false;
}

// Deepest first; a folder that has meanwhile gained other files stays.
void remove_made_folders() {
    WCHAR partial[MAX_PATH];
    while (made_count > 0) {
        size_t length = made_lengths[--made_count];
        std::wmemcpy(partial, install_folder, length);
        partial[length] = L'\0';
        RemoveDirectoryW(partial);
    }
}
