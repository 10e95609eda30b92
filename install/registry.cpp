#include "install.h"
#include "product/product.h"

#include <cwchar>

static void set_value(HKEY root, const char* key_name, const char* value, DWORD type, const void* data, DWORD bytes) {
    HKEY key;
    if (RegCreateKeyExW(root, wide(key_name).text, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExW(key, wide(value).text, 0, type, static_cast<const BYTE*>(data), bytes);
    RegCloseKey(key);
}

static void set_text(HKEY root, const char* key, const char* value, const WCHAR* text) {
    set_value(root, key, value, REG_SZ, text, static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(WCHAR)));
}

static void set_number(HKEY root, const char* key, const char* value, DWORD number) {
    set_value(root, key, value, REG_DWORD, &number, sizeof number);
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
// It names its scope, so that it removes what this installation made.
void write_install_registry(const InstallScope& scope) {
    HKEY root = scope.root;
    set_text(root, KEY_GAME, "Path", install_folder);
    set_text(root, KEY_UNINSTALL, "DisplayName", wide(PROGRAM_GROUP_NAME).text);
    WCHAR uninstaller[MAX_PATH];
    WCHAR command[MAX_PATH + 32] = L"\"";
    if (uninstaller_path(scope, uninstaller)) {
        std::wcscat(command, uninstaller);
        std::wcscat(command, L"\" /uninstall");
        std::wcscat(command, wide(scope.uninstall_switch).text);
        set_text(root, KEY_UNINSTALL, "UninstallString", command);
    }
    WCHAR game[MAX_PATH];
    if (join_path(game, install_folder, install_file_table[GAME_PROGRAM_ROW].destination))
        set_text(root, KEY_UNINSTALL, "DisplayIcon", game);
    set_text(root, KEY_UNINSTALL, "DisplayVersion", wide(KORVALO_VERSION_TEXT).text);
    set_text(root, KEY_UNINSTALL, "Publisher", wide(PUBLISHER).text);
    set_text(root, KEY_UNINSTALL, "InstallLocation", install_folder);
    set_number(root, KEY_UNINSTALL, "EstimatedSize", installed_kilobytes());
    set_number(root, KEY_UNINSTALL, "NoModify", 1);
    set_number(root, KEY_UNINSTALL, "NoRepair", 1);
}

static bool read_path_value(HKEY root, WCHAR* out) {
    HKEY key;
    out[0] = L'\0';
    if (RegOpenKeyExW(root, wide(KEY_GAME).text, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
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
InstalledGame find_game_folder(const InstallScope& scope, WCHAR* out) {
    WCHAR path[MAX_PATH];
    out[0] = L'\0';
    if (!read_path_value(scope.root, path)) return GAME_NOT_INSTALLED;
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

static bool key_gone(HKEY root, const char* key) {
    LONG status = RegDeleteKeyW(root, wide(key).text);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

// A user's profile may have had no list of uninstall entries before ours
// made one: left empty, it goes too.
static void remove_empty_list(HKEY root) {
    HKEY list;
    const WCHAR* name = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    if (RegOpenKeyExW(root, name, 0, KEY_READ, &list) != ERROR_SUCCESS) return;
    DWORD subkeys = 1, values = 1;
    RegQueryInfoKeyW(list, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(list);
    if (subkeys == 0 && values == 0) RegDeleteKeyW(root, name);
}

// Both keys are tried; true when neither is left.
bool remove_install_registry(const InstallScope& scope) {
    bool entry = key_gone(scope.root, KEY_UNINSTALL);
    if (!scope.all_users) remove_empty_list(scope.root);
    return key_gone(scope.root, KEY_GAME) && entry;
}
