#include "install.h"

#include <shlobj.h>
#include <cstring>

static void delete_in(const char *folder, const char *name) {
  char path[MAX_PATH];
  if (join_path(path, folder, name)) DeleteFileA(path);
}

// Which folder a path names, whatever spelling it uses (letter case, short
// names, links): two paths are the same folder when volume and index agree.
static bool folder_identity(const char *path, BY_HANDLE_FILE_INFORMATION *info) {
  HANDLE folder = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return false;
  bool known = GetFileInformationByHandle(folder, info) != FALSE;
  CloseHandle(folder);
  return known && (info->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A system folder whose identity cannot be learnt is compared by its full
// name, so that it is never taken for the game folder merely for being shut.
static bool is_folder(const BY_HANDLE_FILE_INFORMATION &game, const char *game_path,
                      const char *other, UINT other_length) {
  if (other_length == 0 || other_length >= MAX_PATH) return false;
  BY_HANDLE_FILE_INFORMATION info;
  if (folder_identity(other, &info))
    return info.dwVolumeSerialNumber == game.dwVolumeSerialNumber &&
           info.nFileIndexHigh == game.nFileIndexHigh && info.nFileIndexLow == game.nFileIndexLow;
  char full[MAX_PATH];
  DWORD length = GetFullPathNameA(other, sizeof full, full, nullptr);
  if (length == 0 || length + 1 >= sizeof full) return false;
  if (full[length - 1] != '\\') std::strcpy(full + length, "\\");
  return lstrcmpiA(full, game_path) == 0;
}

static bool is_system_folder(const BY_HANDLE_FILE_INFORMATION &game, const char *game_path) {
  char root[4] = {game_path[0], ':', '\\', '\0'};
  char folder[MAX_PATH];
  if (is_folder(game, game_path, root, 3)) return true;
  if (is_folder(game, game_path, folder, GetWindowsDirectoryA(folder, sizeof folder))) return true;
  if (is_folder(game, game_path, folder, GetSystemDirectoryA(folder, sizeof folder))) return true;
  return is_folder(game, game_path, folder, GetSystemWow64DirectoryA(folder, sizeof folder));
}

// The registry may have been edited since the installation, so "Path" is
// believed only when it names a folder the installation could have made and
// that still holds the game program: a folder strictly below a drive root,
// none of the system's own folders (whatever spelling reaches them), given
// as its full name so that ".." cannot lead elsewhere. The full name is what
// the files are then deleted from.
static bool find_game_folder(char *out) {
  char path[MAX_PATH];
  out[0] = '\0';
  if (!read_game_folder(path)) return false;
  DWORD length = GetFullPathNameA(path, MAX_PATH, out, nullptr);
  if (length == 0 || length + 1 >= MAX_PATH) {
    out[0] = '\0';
    return false;
  }
  if (out[length - 1] != '\\') std::strcpy(out + length, "\\");
  char program[MAX_PATH];
  BY_HANDLE_FILE_INFORMATION game;
  bool trusted = has_drive_form(out) && out[3] != '\0' && !has_double_backslash(out) &&
                 folder_identity(out, &game) && !is_system_folder(game, out) &&
                 join_path(program, out, install_file_table[GAME_PROGRAM_ROW].destination);
  if (trusted) {
    DWORD attributes = GetFileAttributesA(program);
    trusted = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  if (!trusted) out[0] = '\0';
  return trusted;
}

// Without a trusted game folder nothing is deleted by name: the bare names
// would otherwise resolve in the current folder, or in a folder that is not
// ours. The folder then counts as not removed, so the user is told to
// finish by hand.
static void remove_game_folder() {
  char game_folder[MAX_PATH];
  bool removed = false;
  if (find_game_folder(game_folder)) {
    for (const InstallFile &file : install_file_table) delete_in(game_folder, file.destination);
    delete_in(game_folder, HELP_INDEX_NAME);
    removed = RemoveDirectoryA(game_folder) != FALSE;
  }
  MessageBoxA(nullptr, removed ? TEXT_UNINSTALLED : TEXT_NOT_UNINSTALLED, TITLE_INSTALL,
              MB_ICONINFORMATION | MB_OK);
}

static void remove_program_group() {
  if (!form_program_group_folder()) return;
  for (const Shortcut &shortcut : shortcut_table) delete_in(program_group_folder, shortcut.link);
  RemoveDirectoryA(program_group_folder);
  program_group_folder[std::strlen(program_group_folder) - 1] = '\0';
  SHChangeNotify(SHCNE_RMDIR, SHCNF_PATHA | SHCNF_FLUSH, program_group_folder, nullptr);
}

static void remove_desktop_shortcut() {
  char link[MAX_PATH];
  if (!desktop_link_path(link)) return;
  DeleteFileA(link);
  SHChangeNotify(SHCNE_DELETE, SHCNF_PATHA | SHCNF_FLUSH, link, nullptr);
}

// No step stops the ones after it: the shortcuts and the registry entry go
// even when the folder stays, so the game leaves no dead entries behind.
static void remove_game_files() {
  remove_game_folder();
  remove_program_group();
  remove_desktop_shortcut();
}

void uninstall_game() {
  if (MessageBoxA(nullptr, TEXT_CONFIRM_UNINSTALL, TITLE_UNINSTALL,
                  MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON1) == IDNO)
    return;
  remove_game_files();
  remove_install_registry();
}
