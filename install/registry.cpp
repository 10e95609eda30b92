#include "install.h"

#include <cstdio>
#include <cstring>

static void set_text_value(const char *key_name, const char *value, const char *data) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key_name, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE *>(data),
                 static_cast<DWORD>(std::strlen(data) + 1));
  RegCloseKey(key);
}

// The uninstall command carries no quotation marks; the blank inside
// "Korvalo Setup.exe" is harmless because the program looks for "/uninstall"
// anywhere in what follows the first blank.
void write_install_registry() {
  set_text_value(KEY_GAME, "Path", install_folder);
  set_text_value(KEY_UNINSTALL, "DisplayName", PROGRAM_GROUP_NAME);
  char windows[MAX_PATH];
  UINT length = GetWindowsDirectoryA(windows, sizeof windows);
  if (length == 0 || length >= sizeof windows) return;
  char command[MAX_PATH + 32];
  const char *separator = windows[length - 1] == '\\' ? "" : "\\";
  std::snprintf(command, sizeof command, "%s%s%s /uninstall", windows, separator, UNINSTALLER_NAME);
  set_text_value(KEY_UNINSTALL, "UninstallString", command);
}

// Only a folder the installer itself would have accepted is trusted: drive
// letter, colon, backslash, a final backslash, none of the refused characters
// and no network path. Anything else (missing, empty, relative, not ending in
// a backslash) would make the bare file names resolve in the current folder
// or glue them onto a sibling's name, and those files are not ours.
bool read_game_folder(char *out) {
  HKEY key;
  out[0] = '\0';
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, KEY_GAME, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return false;
  DWORD type = 0;
  DWORD bytes = MAX_PATH - 1;
  LONG status = RegQueryValueExA(key, "Path", nullptr, &type, reinterpret_cast<BYTE *>(out), &bytes);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ) {
    out[0] = '\0';
    return false;
  }
  out[bytes] = '\0';
  size_t length = std::strlen(out);
  bool trusted = has_drive_form(out) && out[length - 1] == '\\' && !has_invalid_char(out) &&
                 !has_double_backslash(out);
  if (!trusted) out[0] = '\0';
  return trusted;
}

void remove_install_registry() {
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, KEY_UNINSTALL);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, KEY_GAME);
}
