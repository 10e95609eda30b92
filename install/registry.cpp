#include "install.h"
#include "install_ids.h"

#include <cwchar>

static void set_value(const char* key_name, const char* value, DWORD type, const void* data, DWORD bytes) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, wide(key_name).text, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, wide(value).text, 0, type, static_cast<const BYTE*>(data), bytes);
    RegCloseKey(key);
}

static void set_text(const char* key, const char* value, const WCHAR* text) {
    set_value(key, value, REG_SZ, text, static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(WCHAR)));
}

static void set_number(const char* key, const char* value, DWORD number) {
    set_value(key, value, REG_DWORD, &number, sizeof number);
}

// What the installed files take on disk, in kilobytes, as the installed
// programs list shows it.
static DWORD installed_kilobytes() {
    ULONGLONG bytes = 0;
    WCHAR path[MAX_PATH];
    WIN32_FILE_ATTRIBUTE_DATA data;
    for (const InstallFile& file : install_file_table)
        if (join_path(path, install_folder, file.destination) &&
            GetFileAttributesExW(path, GetFileExInfoStandard, &data))
            bytes += (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return static_cast<DWORD>((bytes + 1023) / 1024);
}

// The uninstall command's path is quoted: unquoted, the system would try
// each prefix that ends at a blank ("C:\Windows\Korvalo") as the program.
void write_install_registry() {
    set_text(KEY_GAME, "Path", install_folder);
    set_text(KEY_UNINSTALL, "DisplayName", wide(PROGRAM_GROUP_NAME).text);
    WCHAR uninstaller[MAX_PATH];
    WCHAR command[MAX_PATH + 16] = L"\"";
    if (windows_file(uninstaller, UNINSTALLER_NAME)) {
        std::wcscat(command, uninstaller);
        std::wcscat(command, L"\" /uninstall");
        set_text(KEY_UNINSTALL, "UninstallString", command);
    }
    WCHAR game[MAX_PATH];
    if (join_path(game, install_folder, install_file_table[GAME_PROGRAM_ROW].destination))
        set_text(KEY_UNINSTALL, "DisplayIcon", game);
    set_text(KEY_UNINSTALL, "DisplayVersion", wide(INSTALL_VERSION_TEXT).text);
    set_text(KEY_UNINSTALL, "Publisher", wide(PUBLISHER).text);
    set_text(KEY_UNINSTALL, "InstallLocation", install_folder);
    set_number(KEY_UNINSTALL, "EstimatedSize", installed_kilobytes());
    set_number(KEY_UNINSTALL, "NoModify", 1);
    set_number(KEY_UNINSTALL, "NoRepair", 1);
}

static bool read_path_value(WCHAR* out) {
    HKEY key;
    out[0] = L'\0';
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, wide(KEY_GAME).text, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    DWORD type = 0;
    DWORD bytes = (MAX_PATH - 1) * sizeof(WCHAR);
    LONG status = RegQueryValueExW(key, L"Path", nullptr, &type, reinterpret_cast<BYTE*>(out), &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) bytes = 0;
    out[bytes / sizeof(WCHAR)] = L'\0';
    return out[0] != L'\0';
}

// The registry may have been edited since the installation, so "Path" is
// believed only when it names a folder the installer would have accepted
// (drive letter, colon, backslash, a final backslash, none of the refused
// characters, no network path), given as its full name so that ".." cannot
// lead elsewhere, that is none of the system's folders and still holds the
// game program. Anything else would make the bare file names resolve in the
// current folder, or in a folder whose files are not ours. No value, or a
// folder that is gone, means the game is not installed at all.
InstalledGame find_game_folder(WCHAR* out) {
    WCHAR path[MAX_PATH];
    out[0] = L'\0';
    if (!read_path_value(path)) return GAME_NOT_INSTALLED;
    size_t length = std::wcslen(path);
    if (!has_drive_form(path) || path[length - 1] != L'\\' || has_invalid_char(path) || has_double_backslash(path))
        return GAME_UNTRUSTED;
    DWORD full = GetFullPathNameW(path, MAX_PATH, out, nullptr);
    if (full == 0 || full >= MAX_PATH || out[full - 1] != L'\\') {
        out[0] = L'\0';
        return GAME_UNTRUSTED;
    }
    if (!folder_exists(out)) {
        out[0] = L'\0';
        return GAME_NOT_INSTALLED;
    }
    WCHAR program[MAX_PATH];
    if (is_system_folder(out) || !join_path(program, out, install_file_table[GAME_PROGRAM_ROW].destination) ||
        !file_exists(program)) {
        out[0] = L'\0';
        return GAME_UNTRUSTED;
    }
    return GAME_FOUND;
}

void remove_install_registry() {
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, wide(KEY_UNINSTALL).text);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, wide(KEY_GAME).text);
}
