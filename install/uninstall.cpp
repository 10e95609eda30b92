#include "install.h"

#include <shlobj.h>
#include <cstring>

static void delete_in(const char *folder, const char *name) {
  char path[MAX_PATH];
  if (join_path(path, folder, name)) DeleteFileA(path);
}

// Without a trusted game folder nothing is deleted by name: the bare names
// would otherwise resolve in the current folder. The folder then counts as
// not removed, so the user is told to finish by hand.
static void remove_game_folder() {
  char game_folder[MAX_PATH];
  bool removed = false;
  if (read_game_folder(game_folder)) {
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
