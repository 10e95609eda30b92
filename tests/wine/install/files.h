// The test's view of the file system, the shortcuts and the registry.
#pragma once
#include <windows.h>
#include <string>

struct NamePair {
  const char *source;
  const char *destination;
};
// What the game folder must hold, written out again here so that a wrong
// name in the installer's own table is caught.
extern const NamePair game_files[14];
extern const char *const group_links[3];

std::string windows_path(const std::string &unix_or_windows);
std::string read_file(const std::string &path);
bool write_file(const std::string &path, const std::string &content);
bool file_exists(const std::string &path);
bool folder_exists(const std::string &path);

// A medium of small stand-ins, each with distinct bytes (all 256 values, so a
// text-mode or truncating copy shows); the game is the given program. Rows
// listed in leave_out are not written.
void make_medium(const std::string &folder, const std::string &installer,
                 const std::string &game, const char *leave_out = nullptr);

struct LinkInfo {
  bool loaded = false;
  std::string target;
  std::string working_folder;
};
LinkInfo read_link(const std::string &path);

std::string special_folder(int csidl);
std::string windows_folder();
std::string program_group();
std::string desktop_link();

struct RegText {
  bool present = false;
  DWORD type = 0;
  DWORD bytes = 0;
  std::string text;
};
RegText read_machine_value(const char *key, const char *value);
bool machine_key_exists(const char *key);
void set_machine_text(const char *key, const char *value, const std::string &text);
void delete_machine_value(const char *key, const char *value);

extern const char KEY_GAME[];
extern const char KEY_UNINSTALL[];
extern const char KEY_VERSION[];
