#include "files.h"

#include <algorithm>
#include <vector>

const NamePair game_files[GAME_FILE_COUNT] = {
    {"Korvalo.hl_", "Korvalo.hlp"}, {"Léame.txt", "Léame.txt"}, {"Korvalo.ex_", "Korvalo.exe"},
    {"Perro.wa_", "Perro.wav"},     {"Aleluya.wa_", "Aleluya.wav"}, {"Bravo.wa_", "Bravo.wav"},
    {"Dados.wa_", "Dados.wav"},     {"Ficha.wa_", "Ficha.wav"},     {"Jail.wa_", "Jail.wav"},
    {"Libre.wa_", "Libre.wav"},     {"No.wa_", "No.wav"},           {"Tit.wa_", "Tit.wav"},
    {"Turn.wa_", "Turn.wav"},       {"Ajiji.wa_", "Ajiji.wav"},     {"Korvalo.ch_", "Korvalo.chm"},
};
const char *const group_links[3] = {"Ayuda.lnk", "Léame.lnk", "Zenta Korvalo.lnk"};

const char KEY_GAME[] = "Software\\Korvalo";
const char KEY_UNINSTALL[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zenta Korvalo";
const char KEY_VERSION[] = "Software\\Microsoft\\Windows\\CurrentVersion";

std::wstring wide(const std::string &text) {
  std::wstring out(text.size(), L'\0');
  int length = MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), &out[0],
                                   static_cast<int>(out.size()));
  out.resize(length);
  return out;
}

static std::string narrow(const std::wstring &text) {
  std::string out(text.size(), '\0');
  int length = WideCharToMultiByte(1252, 0, text.data(), static_cast<int>(text.size()), &out[0],
                                   static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(length);
  return out;
}

std::string windows_path(const std::string &path) {
  if (path.empty() || path[0] != '/') return path;
  std::string out = "Z:" + path;
  for (char &c : out)
    if (c == '/') c = '\\';
  return out;
}

std::string read_file(const std::string &path) {
  HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
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
  HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
            written == content.size();
  CloseHandle(file);
  return ok;
}

bool file_exists(const std::string &path) {
  DWORD attributes = GetFileAttributesW(wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool folder_exists(const std::string &path) {
  DWORD attributes = GetFileAttributesW(wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool is_read_only(const std::string &path) {
  DWORD attributes = GetFileAttributesW(wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

static std::string stand_in(const std::string &name) {
  std::string content = "stand-in for " + name + "\r\n\n";
  for (int i = 0; i < 256; ++i) content += static_cast<char>(i);
  content += "\x1A" + name;  // an end-of-file mark in mid-file
  return content;
}

void make_medium(const std::string &folder, const std::string &installer, const std::string &game,
                 const char *leave_out) {
  CreateDirectoryW(wide(folder).c_str(), nullptr);
  std::vector<std::string> written = {folder + "\\install.exe"};
  CopyFileW(wide(installer).c_str(), wide(written[0]).c_str(), FALSE);
  for (const NamePair &file : game_files) {
    std::string path = folder + "\\" + file.source;
    if (leave_out != nullptr && std::string(leave_out) == file.source) continue;
    if (std::string(file.source) == "Korvalo.ex_")
      CopyFileW(wide(game).c_str(), wide(path).c_str(), FALSE);
    else
      write_file(path, stand_in(file.source));
    written.push_back(path);
  }
  for (const std::string &path : written) SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_READONLY);
}

LinkInfo read_link(const std::string &path) {
  LinkInfo info;
  IShellLinkA *link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void **>(&link))))
    return info;
  IPersistFile *file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
    if (SUCCEEDED(file->Load(wide(path).c_str(), STGM_READ))) {
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

std::string program_group(int csidl) { return special_folder(csidl) + "\\Zenta Korvalo 2.0"; }
std::string desktop_link(int csidl) { return special_folder(csidl) + "\\Zenta Korvalo.lnk"; }

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
    bool text = result.type == REG_SZ && bytes > 0 && data[bytes - 1] == '\0';
    result.text.assign(data.data(), text ? bytes - 1 : bytes);
  }
  RegCloseKey(key);
  return result;
}

long long read_machine_number(const char *key, const char *value) {
  RegText number = read_machine_value(key, value);
  DWORD data = 0;
  if (number.type != REG_DWORD || number.bytes != sizeof data) return -1;
  std::copy(number.text.begin(), number.text.end(), reinterpret_cast<char *>(&data));
  return data;
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

static void list_folder(const std::wstring &folder, std::vector<std::string> &out) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    std::wstring path = folder + L"\\" + name;
    out.push_back(narrow(path) + " " + std::to_string(found.nFileSizeLow) + " " +
                  std::to_string(found.dwFileAttributes));
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) list_folder(path, out);
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

// Values are listed with a hash of their data, which keeps the list small.
static void list_key(HKEY root, const std::wstring &path, std::vector<std::string> &out) {
  HKEY key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  std::string name_of_key = (root == HKEY_CURRENT_USER ? "HKCU\\" : "HKLM\\") + narrow(path);
  out.push_back(name_of_key);
  DWORD longest_name = 0, longest_data = 0, longest_key = 0;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, &longest_key, nullptr, nullptr,
                   &longest_name, &longest_data, nullptr, nullptr);
  std::vector<WCHAR> name(std::max(longest_name, longest_key) + 2);
  std::vector<BYTE> data(longest_data + 2);
  for (DWORD index = 0;; ++index) {
    DWORD name_length = static_cast<DWORD>(name.size()), bytes = static_cast<DWORD>(data.size()), type = 0;
    if (RegEnumValueW(key, index, name.data(), &name_length, nullptr, &type, data.data(), &bytes) !=
        ERROR_SUCCESS)
      break;
    unsigned long long hash = 14695981039346656037ull;
    for (DWORD i = 0; i < bytes; ++i) hash = (hash ^ data[i]) * 1099511628211ull;
    out.push_back(name_of_key + " : " + narrow(std::wstring(name.data(), name_length)) + " " +
                  std::to_string(type) + " " + std::to_string(hash));
  }
  for (DWORD index = 0;; ++index) {
    DWORD name_length = static_cast<DWORD>(name.size());
    if (RegEnumKeyExW(key, index, name.data(), &name_length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    list_key(root, (path.empty() ? L"" : path + L"\\") + std::wstring(name.data(), name_length), out);
  }
  RegCloseKey(key);
}

std::vector<std::string> prefix_state() {
  std::vector<std::string> state;
  list_folder(L"C:", state);
  list_key(HKEY_LOCAL_MACHINE, L"", state);
  list_key(HKEY_CURRENT_USER, L"", state);
  std::sort(state.begin(), state.end());
  return state;
}
