#include "install.h"

#include <cstdio>
#include <cstring>

char install_folder[MAX_PATH];

bool has_drive_form(const char *folder) {
  return folder[0] != '\0' && folder[1] == ':' && folder[2] == '\\';
}

// A colon is allowed only after the drive letter, so the search starts at
// the third character; the other characters are forbidden anywhere.
bool has_invalid_char(const char *folder) {
  if (std::strpbrk(folder, "?/*<>|\"") != nullptr) return true;
  return std::strlen(folder) > 2 && std::strchr(folder + 2, ':') != nullptr;
}

bool has_double_backslash(const char *folder) {
  return std::strstr(folder, "\\\\") != nullptr;
}

// Every file path is a folder plus a bare name; a path that would not fit in
// MAX_PATH is refused rather than cut, so nothing lands under a shorter name.
bool join_path(char *out, const char *folder, const char *name) {
  int written = std::snprintf(out, MAX_PATH, "%s%s", folder, name);
  return written >= 0 && written < MAX_PATH;
}

static bool read_program_files_dir(char *out, DWORD size) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", 0,
                    KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return false;
  DWORD type = 0;
  DWORD bytes = size - 1;
  LONG status = RegQueryValueExA(key, "ProgramFilesDir", nullptr, &type,
                                 reinterpret_cast<BYTE *>(out), &bytes);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ) return false;
  out[bytes] = '\0';  // the stored value need not carry its NUL
  return out[0] != '\0';
}

// When "ProgramFilesDir" cannot be read the folder goes to the root of the
// drive that holds Windows: a fixed disk, so the proposal passes the checks,
// where a bare "\Zenta Korvalo" would be refused for its form.
void default_install_folder(char *out) {
  char base[MAX_PATH];
  if (read_program_files_dir(base, sizeof base) &&
      std::snprintf(out, MAX_PATH, "%s\\Zenta Korvalo", base) < MAX_PATH)
    return;
  char windows[MAX_PATH];
  UINT length = GetWindowsDirectoryA(windows, sizeof windows);
  if (length < 3 || length >= sizeof windows || !has_drive_form(windows))
    std::strcpy(windows, "C:\\");
  std::snprintf(out, MAX_PATH, "%.3sZenta Korvalo", windows);
}

FolderCheck validate_install_folder() {
  if (!has_drive_form(install_folder)) return FOLDER_BAD_FORM;
  size_t length = std::strlen(install_folder);
  if (install_folder[length - 1] != '\\') {
    // A typed folder that fills the buffer leaves no room for its final
    // backslash; cutting it would install somewhere the user did not name.
    if (length + 1 >= sizeof install_folder) return FOLDER_TOO_LONG;
    install_folder[length] = '\\';
    install_folder[length + 1] = '\0';
  }
  char root[4] = {install_folder[0], ':', '\\', '\0'};
  if (GetDriveTypeA(root) != DRIVE_FIXED) return FOLDER_BAD_DRIVE;
  if (has_invalid_char(install_folder)) return FOLDER_BAD_CHARS;
  if (has_double_backslash(install_folder)) return FOLDER_UNC;
  return FOLDER_ACCEPTED;
}

// Parents first, each one passed over when it exists or cannot be made; only
// the final folder's existence decides.
bool create_install_folder() {
  char partial[MAX_PATH];
  for (size_t i = 3; install_folder[i] != '\0'; ++i) {
    if (install_folder[i] != '\\') continue;
    std::memcpy(partial, install_folder, i);
    partial[i] = '\0';
    CreateDirectoryA(partial, nullptr);
  }
  CreateDirectoryA(install_folder, nullptr);
  DWORD attributes = GetFileAttributesA(install_folder);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
