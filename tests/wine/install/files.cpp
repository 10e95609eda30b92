#include "files.h"

#include <shlobj.h>
#include <vector>

const NamePair game_files[14] = {
    {"Korvalo.hl_", "Korvalo.hlp"}, {"Léame.txt", "Léame.txt"}, {"Korvalo.ex_", "Korvalo.exe"},
    {"Perro.wa_", "Perro.wav"},     {"Aleluya.wa_", "Aleluya.wav"}, {"Bravo.wa_", "Bravo.wav"},
    {"Dados.wa_", "Dados.wav"},     {"Ficha.wa_", "Ficha.wav"},     {"Jail.wa_", "Jail.wav"},
    {"Libre.wa_", "Libre.wav"},     {"No.wa_", "No.wav"},           {"Tit.wa_", "Tit.wav"},
    {"Turn.wa_", "Turn.wav"},       {"Ajiji.wa_", "Ajiji.wav"},
};
const char *const group_links[3] = {"Ayuda.lnk", "Léame.lnk", "Zenta Korvalo.lnk"};

const char KEY_GAME[] = "Software\\Korvalo";
const char KEY_UNINSTALL[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zenta Korvalo";
const char KEY_VERSION[] = "Software\\Microsoft\\Windows\\CurrentVersion";

std::string windows_path(const std::string &path) {
  if (path.empty() || path[0] != '/') return path;
  std::string out = "Z:" + path;
  for (char &c : out)
    if (c == '/') c = '\\';
  return out;
}

std::string read_file(const std::string &path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string content;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
  CloseHandle(file);
  return content;
}

bool write_file(const std::string &path, const std::string &content) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
            written == content.size();
  CloseHandle(file);
  return ok;
}

bool file_exists(const std::string &path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool folder_exists(const std::string &path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

static std::string stand_in(const std::string &name) {
  std::string content = "stand-in for " + name + "\r\n\n";
  for (int i = 0; i < 256; ++i) content += static_cast<char>(i);
  content += "\x1A" + name;  // an end-of-file mark in mid-file
  return content;
}

void make_medium(const std::string &folder, const std::string &installer, const std::string &game,
                 const char *leave_out) {
  CreateDirectoryA(folder.c_str(), nullptr);
  CopyFileA(installer.c_str(), (folder + "\\install.exe").c_str(), FALSE);
  for (const NamePair &file : game_files) {
    std::string path = folder + "\\" + file.source;
    if (leave_out != nullptr && std::string(leave_out) == file.source) continue;
    if (std::string(file.source) == "Korvalo.ex_")
      CopyFileA(game.c_str(), path.c_str(), FALSE);
    else
      write_file(path, stand_in(file.source));
  }
}

LinkInfo read_link(const std::string &path) {
  LinkInfo info;
  IShellLinkA *link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void **>(&link))))
    return info;
  IPersistFile *file = nullptr;
  WCHAR wide[MAX_PATH];
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    if (SUCCEEDED(file->Load(wide, STGM_READ))) {
      char text[MAX_PATH] = "";
      info.loaded = true;
      link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
      info.target = text;
      text[0] = '\0';
      link->GetWorkingDirectory(text, MAX_PATH);
      info.working_folder = text;
    }
    file->Release();
  }
  link->Release();
  return info;
}

std::string special_folder(int csidl) {
  char path[MAX_PATH] = "";
  SHGetFolderPathA(nullptr, csidl, nullptr, 0, path);
  return path;
}

std::string windows_folder() {
  char path[MAX_PATH] = "";
  GetWindowsDirectoryA(path, MAX_PATH);
  return path;
}

std::string program_group() { return special_folder(CSIDL_PROGRAMS) + "\\Zenta Korvalo 2.0"; }
std::string desktop_link() { return special_folder(CSIDL_DESKTOPDIRECTORY) + "\\Zenta Korvalo.lnk"; }

RegText read_machine_value(const char *key_name, const char *value) {
  RegText result;
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_name, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return result;
  std::vector<char> data(4096);
  DWORD bytes = static_cast<DWORD>(data.size());
  if (RegQueryValueExA(key, value, nullptr, &result.type, reinterpret_cast<BYTE *>(data.data()),
                       &bytes) == ERROR_SUCCESS) {
    result.present = true;
    result.bytes = bytes;
    result.text.assign(data.data(), bytes > 0 && data[bytes - 1] == '\0' ? bytes - 1 : bytes);
  }
  RegCloseKey(key);
  return result;
}

bool machine_key_exists(const char *key_name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_name, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

void set_machine_text(const char *key_name, const char *value, const std::string &text) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key_name, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
  RegCloseKey(key);
}

void delete_machine_value(const char *key_name, const char *value) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_name, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  RegDeleteValueA(key, value);
  RegCloseKey(key);
}
