#include "install.h"

#include <shlobj.h>

WCHAR program_group_folder[MAX_PATH];

static bool special_folder(int csidl, WCHAR *out) {
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list)) || list == nullptr) return false;
  bool found = SHGetPathFromIDListW(list, out) && out[0] != L'\0';
  CoTaskMemFree(list);
  return found;
}

bool form_program_group_folder(int csidl) {
  WCHAR programs[MAX_PATH];
  program_group_folder[0] = L'\0';
  if (!special_folder(csidl, programs)) return false;
  bool formed = append_path(program_group_folder, programs) &&
                append_path(program_group_folder, L"\\") &&
                append_path(program_group_folder, wide(PROGRAM_GROUP_NAME).text) &&
                append_path(program_group_folder, L"\\");
  if (!formed) program_group_folder[0] = L'\0';
  return formed;
}

bool desktop_link_path(int csidl, WCHAR *out) {
  WCHAR desktop[MAX_PATH];
  return special_folder(csidl, desktop) && append_path(desktop, L"\\") &&
         join_path(out, desktop, DESKTOP_LINK);
}

// The working folder is the game folder: the game finds its sounds and help
// there by bare name and writes its record files there.
static void create_shortcut(const WCHAR *target, const WCHAR *link_path) {
  IShellLinkW *link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void **>(&link))))
    return;
  IPersistFile *file = nullptr;
  if (SUCCEEDED(link->SetPath(target)) && SUCCEEDED(link->SetWorkingDirectory(install_folder)) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
    file->Save(link_path, FALSE);
    file->Release();
  }
  link->Release();
}

static void create_game_shortcut(const WCHAR *folder, const char *link_name, const char *target_name) {
  WCHAR target[MAX_PATH];
  WCHAR link[MAX_PATH];
  if (join_path(target, install_folder, target_name) && join_path(link, folder, link_name))
    create_shortcut(target, link);
}

// The shortcuts are every user's: an installer that asked for elevation
// runs as the administrator who gave the password, whose own Start menu and
// desktop the player never sees. The desktop shortcut is the group's last
// one, the game, again.
void create_shortcuts() {
  if (form_program_group_folder(CSIDL_COMMON_PROGRAMS)) {
    CreateDirectoryW(program_group_folder, nullptr);
    for (const Shortcut &shortcut : shortcut_table)
      create_game_shortcut(program_group_folder, shortcut.link, shortcut.target);
  }
  WCHAR desktop_link[MAX_PATH];
  WCHAR target[MAX_PATH];
  if (desktop_link_path(CSIDL_COMMON_DESKTOPDIRECTORY, desktop_link) &&
      join_path(target, install_folder, shortcut_table[SHORTCUT_COUNT - 1].target)) {
    create_shortcut(target, desktop_link);
    SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_PATHW | SHCNF_FLUSH, desktop_link, nullptr);
  }
}
