// The installer driven from outside as its user drives it, and the prefix read back. Texts are
// Windows-1252 and pass to and from the system as UTF-16, so they read the same under any code page.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <map>
#include <vector>

#include "check.h"
#include "game_process.h"
#include "log_text.h"
#include "../../../install/install_ids.h"

inline const char CAPTION_INSTALL[] = "Instalación de Zenta Korvalo 2.0";
inline const char CAPTION_UNINSTALL[] = "Desinstalación";
inline const char SAYS_CONFIRM[] = "¿Está seguro de que quiere desinstalar el juego?";
inline const char UNINSTALL_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zenta Korvalo";
extern std::string built_installer, stand_in_game;

bool same(const std::string& got, const std::string& expected); // prints both when they differ
std::string read_file(const std::string& path);                 // "<missing>" when it cannot be read
void write_file(const std::string& path, const std::string& content);
bool exists(const std::string& path);
std::map<std::string, std::string> files_in(const std::string& folder); // name: content
std::string names(const std::map<std::string, std::string>& files);

PROCESS_INFORMATION start(const std::string& program, const std::string& line, const std::string& folder);
int wait_exit(PROCESS_INFORMATION& process);
HWND wait_window(const PROCESS_INFORMATION& process, bool dialog); // the install dialog, or a box
void type_folder(HWND dialog, const std::string& folder);
// Checks the next box's caption, text and owner, and answers it (button 0: leaves it open).
HWND answer(const PROCESS_INFORMATION& process, const char* caption, const std::string& text, HWND owner, int button,
            const std::string& what);
void reply(HWND box, int button, const std::string& what); // and waits until it has closed
// The scope's button clicked (0: the one proposed), the folder typed (none: the one proposed), Enter, the success
// box, the group's window closed, exit 0.
void install(const std::string& program, const std::string& folder, const std::string& what, int scope = 0);

std::string special_folder(int csidl);
std::string uninstaller();
std::string program_group(int csidl = CSIDL_COMMON_PROGRAMS);
std::string desktop_link(int csidl = CSIDL_COMMON_DESKTOPDIRECTORY);

std::string machine_values(const char* key); // sorted "name=data" lines, numbers after "#"; "(no key)"
// Every file of drive C: and the registry's keys and values, a line each.
std::vector<std::string> prefix_state();
// What differs from before, less Wine's own bookkeeping, a line each.
std::string changed_since(const std::vector<std::string>& before);
// The lines of a change outside the user's profile and HKEY_CURRENT_USER.
std::string outside_profile(const std::string& changed);

void run_lifecycle();
bool holds_medium(const std::string& game_folder, const std::string& medium); // byte for byte
// The single setup file copied alone into an empty folder, installed and uninstalled in both scopes.
void check_setup(const std::string& built_setup, const std::string& medium);
