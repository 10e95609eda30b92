#include "install.h"

#include <shlobj.h>
#include <cstdio>

char program_group_folder[MAX_PATH];

static bool special_folder(int csidl, char *out) {
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list)) || list == nullptr) return false;
  bool found = SHGetPathFromIDListA(list, out) && out[0] != '\0';
  CoTaskMemFree(list);
  return found;
}

bool form_program_group_folder() {
  char programs[MAX_PATH];
  program_group_folder[0] = '\0';
  if (!special_folder(CSIDL_PROGRAMS, programs)) return false;
  if (std::snprintf(program_group_folder, MAX_PATH, "%s\\%s\\", programs, PROGRAM_GROUP_NAME) >=
      MAX_PATH) {
    program_group_folder[0] = '\0';
    return false;
  }
  return true;
}

bool desktop_link_path(char *out) {
  char desktop[MAX_PATH];
  if (!special_folder(CSIDL_DESKTOPDIRECTORY, desktop)) return false;
  return std::snprintf(out, MAX_PATH, "%s\\%s", desktop, DESKTOP_LINK) < MAX_PATH;
}

// The working folder is the game folder: the game finds its sounds and help
// there by bare name and writes its record files there.
static void create_shortcut(const char *target, const char *link_path) {
  IShellLinkA *link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void **>(&link))))
    return;
  IPersistFile *file = nullptr;
  WCHAR wide_path[MAX_PATH];
  if (SUCCEEDED(link->SetPath(target)) && SUCCEEDED(link->SetWorkingDirectory(install_folder)) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
    if (MultiByteToWideChar(CP_ACP, 0, link_path, -1, wide_path, MAX_PATH) > 0)
      file->Save(wide_path, FALSE);
    file->Release();
  }
  link->Release();
}

static void create_game_shortcut(const char *folder, const char *link_name, const char *target_name) {
  char target[MAX_PATH];
  char link[MAX_PATH];
  if (join_path(target, install_folder, target_name) && join_path(link, folder, link_name))
    create_shortcut(target, link);
}

// The desktop shortcut is the group's last one, the game, again.
void create_shortcuts() {
  if (form_program_group_folder()) {
    CreateDirectoryA(program_group_folder, nullptr);
    for (const Shortcut &shortcut : shortcut_table)
      create_game_shortcut(program_group_folder, shortcut.link, shortcut.target);
  }
  char desktop_link[MAX_PATH];
  char target[MAX_PATH];
  if (desktop_link_path(desktop_link) && join_path(target, install_folder, shortcut_table[SHORTCUT_COUNT - 1].target)) {
    create_shortcut(target, desktop_link);
    SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_PATHA | SHCNF_FLUSH, desktop_link, nullptr);
  }
}
