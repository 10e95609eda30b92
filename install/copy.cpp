#include "install.h"

#include <cstdio>
#include <cstring>

static bool source_exists(const char *name) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(name, &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

// The uninstaller copy is the running program's own file, found through its
// module name rather than as "install.exe" in the current folder: started
// from elsewhere, or renamed, the current folder's copy would be missing or
// another program, and the uninstall entry would point at nothing.
static void place_uninstaller() {
  char own[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, own, sizeof own);
  if (length == 0 || length >= sizeof own) return;
  char windows[MAX_PATH];
  UINT folder_length = GetWindowsDirectoryA(windows, sizeof windows);
  if (folder_length == 0 || folder_length >= sizeof windows) return;
  char target[MAX_PATH];
  const char *separator = windows[folder_length - 1] == '\\' ? "" : "\\";
  if (std::snprintf(target, sizeof target, "%s%s%s", windows, separator, UNINSTALLER_NAME) >=
      MAX_PATH)
    return;
  CopyFileA(own, target, FALSE);
}

// Files copied before a failure stay; a second attempt overwrites them.
CopyResult copy_game_files() {
  for (const InstallFile &file : install_file_table) {
    if (!source_exists(file.source)) return COPY_MISSING_SOURCE;
    char destination[MAX_PATH];
    if (!join_path(destination, install_folder, file.destination)) return COPY_FAILED;
    if (!CopyFileA(file.source, destination, FALSE)) return COPY_FAILED;
  }
  place_uninstaller();
  return COPY_DONE;
}
