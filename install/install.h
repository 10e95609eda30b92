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
void default_install_folder(WCHAR* out);
FolderCheck validate_install_folder(const WCHAR* typed);
bool create_install_folder();
void remove_made_folders();

// copy.cpp
bool windows_file(WCHAR* out, const char* name);
bool sources_present();
bool copy_game_files();
void place_uninstaller();

// shortcuts.cpp
bool form_program_group_folder(int csidl);
bool desktop_link_path(int csidl, WCHAR* out);
void create_shortcuts();

// registry.cpp
void write_install_registry();
InstalledGame find_game_folder(WCHAR* out);
void remove_install_registry();

// banner.cpp
UINT dialog_dpi(HWND dialog);
void fit_banner(HWND dialog, UINT dpi);
void release_banner();

// dialog.cpp
INT_PTR CALLBACK install_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// uninstall.cpp
void uninstall_game();
