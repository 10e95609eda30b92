// The test's view of the file system, the shortcuts and the registry. Names
// are Windows-1252, as the installer's are, and reach the system as UTF-16,
// so the driver reads the same files under any code page.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include <string>
#include <vector>

struct NamePair {
  const char *source;
  const char *destination;
};
// What the game folder must hold, written out again here so that a wrong
// name in the installer's own table is caught.
constexpr int GAME_FILE_COUNT = 15;
extern const NamePair game_files[GAME_FILE_COUNT];
extern const char *const group_links[3];

std::wstring wide(const std::string &text);
std::string windows_path(const std::string &unix_or_windows);
std::string read_file(const std::string &path);
bool write_file(const std::string &path, const std::string &content);
bool file_exists(const std::string &path);
bool folder_exists(const std::string &path);
bool is_read_only(const std::string &path);

// A read-only medium of small stand-ins, each with distinct bytes (all 256
// values, so a text-mode or truncating copy shows); the game is the given
// program. The row whose source is leave_out is not written.
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
// The shortcuts are every user's; the user's own folders are where an
// earlier version put them.
std::string program_group(int csidl = CSIDL_COMMON_PROGRAMS);
std::string desktop_link(int csidl = CSIDL_COMMON_DESKTOPDIRECTORY);

struct RegText {
  bool present = false;
  DWORD type = 0;
  DWORD bytes = 0;
  std::string text;
};
RegText read_machine_value(const char *key, const char *value);
// The value of a REG_DWORD, or -1 for anything else.
long long read_machine_number(const char *key, const char *value);
bool machine_key_exists(const char *key);
void set_machine_text(const char *key, const char *value, const std::string &text);
void delete_machine_value(const char *key, const char *value);

// Every file and folder of drive C: with its size and attributes, and every
// key and value of the machine's and the user's registry, one line each.
std::vector<std::string> prefix_state();

extern const char KEY_GAME[];
extern const char KEY_UNINSTALL[];
extern const char KEY_VERSION[];
