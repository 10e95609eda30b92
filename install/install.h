// The installer's tables, its two process-wide folders and its operations.
// It shares no code with the game: the two meet only through the files,
// shortcuts and registry values listed here.
//
// Every text and name of the program (a `char` string) is Windows-1252, as
// the game's are; paths (`WCHAR`) are UTF-16 as the system hands them out,
// so that a folder named in any language works. The two meet in text.cpp,
// once, on the way into the system.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

struct InstallFile {
    const char* source;      // bare name in the installation medium, beside install.exe
    const char* destination; // bare name in install_folder
};
struct Shortcut {
    const char* link;   // file name in program_group_folder
    const char* target; // destination name in install_folder
};

constexpr int INSTALL_FILE_COUNT = 15;
constexpr int SHORTCUT_COUNT = 3;
// The row of the game program, whose presence marks a folder as the game's.
constexpr int GAME_PROGRAM_ROW = 2;
// The help shortcut's row, and the help it opens where WinHelp cannot.
constexpr int SHORTCUT_HELP = 0;
extern const char HTML_HELP_FILE[];
extern const InstallFile install_file_table[INSTALL_FILE_COUNT];
extern const Shortcut shortcut_table[SHORTCUT_COUNT];

// Texts the user sees and names the system reads, each written once.
extern const char TITLE_INSTALL[];
extern const char TITLE_ERROR[];
extern const char TITLE_UNINSTALL[];
extern const char TEXT_BAD_FORM[];
extern const char TEXT_BAD_DRIVE[];
extern const char TEXT_BAD_CHARS[];
extern const char TEXT_UNC[];
extern const char TEXT_NO_FOLDER[];
extern const char TEXT_MISSING_SOURCE[];
extern const char TEXT_COPY_FAILED[];
extern const char TEXT_INSTALLED[];
extern const char TEXT_CANCEL[];
extern const char TEXT_CONFIRM_UNINSTALL[];
extern const char TEXT_CLOSE_GAME[];
extern const char TEXT_UNINSTALLED[];
extern const char TEXT_NOT_UNINSTALLED[];
extern const char TEXT_NOT_INSTALLED[];
extern const char TEXT_LEFT_FOLDER[];
extern const char TEXT_LEFT_SHORTCUTS[];
extern const char TEXT_LEFT_REGISTRY[];
extern const char TEXT_MISSING_BESIDE[];
extern const char TEXT_MISSING_HOW[];
extern const char TEXT_DAMAGED[];
extern const char TEXT_OTHER_SCOPE_EVERYONE[];
extern const char TEXT_OTHER_SCOPE_ME[];
extern const char TEXT_ELEVATION_REFUSED[];
extern const char TEXT_NOT_ADMIN[];
extern const char PROGRAM_GROUP_NAME[];
extern const char PUBLISHER[];
extern const char DESKTOP_LINK[];
extern const char UNINSTALLER_NAME[];
extern const char HELP_INDEX_NAME[];
extern const char GAME_RUNNING_MARK[];
extern const char KEY_GAME[];
extern const char KEY_UNINSTALL[];

// The game folder, as the system names it; after a successful check it ends
// in a backslash, and every game file path is it plus a bare name.
extern WCHAR install_folder[MAX_PATH];
// The Start-menu group, ending in a backslash; empty when the shell cannot
// name the Programs folder, so that nothing is made or deleted elsewhere.
extern WCHAR program_group_folder[MAX_PATH];

enum FolderCheck {
    FOLDER_ACCEPTED,
    FOLDER_BAD_FORM,
    FOLDER_BAD_DRIVE,
    FOLDER_BAD_CHARS,
    FOLDER_UNC,
    FOLDER_SYSTEM,
    FOLDER_TOO_LONG,
};
enum InstalledGame { GAME_NOT_INSTALLED, GAME_UNTRUSTED, GAME_FOUND };
enum PayloadState { NO_PAYLOAD, PAYLOAD_READY, PAYLOAD_DAMAGED };
enum SourceCheck { SOURCE_READY, SOURCE_MISSING, SOURCE_DAMAGED };

// Where one installation lives: for every user of the machine, or for the
// user alone with nothing outside the user's profile and registry.
struct InstallScope {
    bool all_users;
    HKEY root;                    // of the game's key and the uninstall entry
    int programs;                 // CSIDL of the Start menu's Programs folder
    int desktop;                  // CSIDL of the desktop folder
    const char* uninstall_switch; // what the uninstall command adds to "/uninstall"
};
extern const InstallScope EVERYONE, ONLY_ME;
const InstallScope& other_scope(const InstallScope& scope);
// The payload's entries: the game files in table order, then the installer.
constexpr int PAYLOAD_ENTRIES = INSTALL_FILE_COUNT + 1;

// What an installation or uninstallation ends with: the exit code of a
// silent run, and what the dialog says.
enum Outcome {
    DONE = 0,
    FAILED_FOLDER_FORM = 2,
    FAILED_FOLDER_DRIVE,
    FAILED_FOLDER_CHARS,
    FAILED_FOLDER_UNC,
    FAILED_FOLDER_SYSTEM,
    FAILED_FOLDER_LONG,
    FAILED_MISSING_FILES,
    FAILED_DAMAGED,
    FAILED_OTHER_SCOPE,
    FAILED_NO_FOLDER,
    FAILED_COPY,
    FAILED_NOT_ADMIN,
    EXIT_GAME_RUNNING,
    EXIT_LEFT_BEHIND,
    EXIT_NOT_INSTALLED,
};

// text.cpp
struct Wide {
    WCHAR text[1024];
};
Wide wide(const char* text);
int show_message(HWND owner, const char* text, const char* title, UINT style);

// folder.cpp
bool has_drive_form(const WCHAR* folder);
bool has_invalid_char(const WCHAR* folder);
bool has_double_backslash(const WCHAR* folder);
bool append_path(WCHAR* path, const WCHAR* tail);
bool join_path(WCHAR* out, const WCHAR* folder, const char* name);
bool file_exists(const WCHAR* path);
bool folder_exists(const WCHAR* path);
void drop_final_backslash(WCHAR* folder);
bool is_system_folder(const WCHAR* folder);
bool special_folder(int csidl, WCHAR* out);
bool user_programs_folder(WCHAR* out);
void default_install_folder(const InstallScope& scope, WCHAR* out);
FolderCheck validate_install_folder(const WCHAR* typed);
bool create_install_folder();
void remove_made_folders();

// payload.cpp
PayloadState open_payload();
const std::vector<uint8_t>& payload_file(int entry);

// copy.cpp
bool uninstaller_path(const InstallScope& scope, WCHAR* out);
SourceCheck open_sources(char* missing, size_t size);
bool copy_game_files();
bool place_uninstaller(const InstallScope& scope);

// shortcuts.cpp
bool form_program_group_folder(int csidl);
bool desktop_link_path(int csidl, WCHAR* out);
void create_shortcuts(const InstallScope& scope);

// registry.cpp
void write_install_registry(const InstallScope& scope);
InstalledGame find_game_folder(const InstallScope& scope, WCHAR* out);
bool remove_install_registry(const InstallScope& scope);

// perform.cpp
bool elevated();
bool account_is_admin();
Outcome install_game(const InstallScope& scope, const WCHAR* typed_folder);

// banner.cpp
UINT dialog_dpi(HWND dialog);
void fit_banner(HWND dialog, UINT dpi);
void release_banner();

// dialog.cpp
// What the command line asked for; the dialog starts from it.
struct Switches {
    bool uninstall, silent, all_users, current_user;
    WCHAR folder[MAX_PATH]; // /D=, empty when not given
};
INT_PTR CALLBACK install_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// uninstall.cpp
int uninstall_game(const InstallScope& scope, bool silent);
