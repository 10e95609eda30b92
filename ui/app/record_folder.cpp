// Where the game keeps its record files: "Zenta Korvalo" in the player's
// temporary folder. The game's own folder is no place for them: installed
// under Program Files it cannot be written by a standard user.
#include "game/seam.h"
#include "records/records.h"
#include "ui/app/app.h"

#include <cstring>
#include <cwchar>

// Every folder of the path that is missing, from the drive's root on (a
// temporary folder named in the environment need not exist yet).
static bool make_folders(wchar_t* path) {
    for (wchar_t* p = std::wcschr(path, L'\\'); p; p = std::wcschr(p + 1, L'\\')) {
        if (p == path || p[-1] == L':' || p[1] == 0) continue;
        *p = 0;
        CreateDirectoryW(path, nullptr);
        *p = L'\\';
    }
    CreateDirectoryW(path, nullptr);
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The path as the C library's file functions take it (ANSI code page),
// or false if some character of it has no ANSI form.
static bool ansi_path(const wchar_t* path, char* out, int size) {
    if (GetACP() == CP_UTF8) return WideCharToMultiByte(CP_UTF8, 0, path, -1, out, size, nullptr, nullptr) > 0;
    BOOL lossy = FALSE;
    return WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path, -1, out, size, nullptr, &lossy) > 0 && !lossy;
}

static const wchar_t own_folder[] = L"Zenta Korvalo\\";
// The folder as the system named it, kept to make it again.
static wchar_t wide_folder[MAX_PATH + 1 + sizeof own_folder / sizeof own_folder[0]];

// A folder that cannot be made or named leaves record_folder empty: the
// current folder, as before.
void set_record_folder() {
    const DWORD length = GetTempPathW(MAX_PATH + 1, wide_folder);
    if (length == 0 || length > MAX_PATH) return;
    std::wcscat(wide_folder, own_folder);
    if (!make_folders(wide_folder)) return;
    // A user name in another script (say Greek under a Western code page)
    // has no ANSI spelling; its short form is plain ASCII.
    char path[RECORD_FOLDER_SIZE];
    wchar_t short_folder[MAX_PATH];
    if (!ansi_path(wide_folder, path, sizeof path)) {
        const DWORD n = GetShortPathNameW(wide_folder, short_folder, MAX_PATH);
        if (n == 0 || n >= MAX_PATH || !ansi_path(short_folder, path, sizeof path)) return;
    }
    lstrcpynA(record_folder, path, sizeof record_folder);
}

void make_record_folder() {
    wchar_t path[sizeof wide_folder / sizeof wide_folder[0]];
    lstrcpynW(path, wide_folder, sizeof path / sizeof path[0]);
    make_folders(path);
}

void delete_record_folder() {
    delete_record_files();
    char folder[RECORD_FOLDER_SIZE];
    lstrcpynA(folder, record_folder, sizeof folder);
    const size_t length = std::strlen(folder);
    if (length == 0) return; // the current folder: not the game's to remove
    if (folder[length - 1] == '\\') folder[length - 1] = 0;
    // Refused while the folder holds anything: whatever else is there stays.
    RemoveDirectoryA(folder);
}
