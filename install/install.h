// The installer's tables, its two process-wide folders and its operations.
// It shares no code with the game: the two meet only through the files,
// shortcuts and registry values listed here.
#pragma once
#include <windows.h>

struct InstallFile {
  const char *source;       // bare name in the installation medium (current folder)
  const char *destination;  // bare name in install_folder
};
struct Shortcut {
  const char *link;    // file name in program_group_folder
  const char *target;  // destination name in install_folder
};

constexpr int INSTALL_FILE_COUNT = 14;
constexpr int SHORTCUT_COUNT = 3;
// The row of the game program, whose presence marks a folder as the game's.
constexpr int GAME_PROGRAM_ROW = 2;
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
extern const char TEXT_UNINSTALLED[];
extern const char TEXT_NOT_UNINSTALLED[];
extern const char PROGRAM_GROUP_NAME[];
extern const char DESKTOP_LINK[];
extern const char UNINSTALLER_NAME[];
extern const char HELP_INDEX_NAME[];
extern const char KEY_GAME[];
extern const char KEY_UNINSTALL[];

// The folder typed by the user; after a successful check it ends in a
// backslash, and every game file path is it plus a bare name.
extern char install_folder[MAX_PATH];
// The Start-menu group, ending in a backslash; empty when the shell cannot
// name the Programs folder, so that nothing is made or deleted elsewhere.
extern char program_group_folder[MAX_PATH];

enum FolderCheck {
  FOLDER_ACCEPTED,
  FOLDER_BAD_FORM,
  FOLDER_BAD_DRIVE,
  FOLDER_BAD_CHARS,
  FOLDER_UNC,
  FOLDER_TOO_LONG,
};
enum CopyResult { COPY_DONE, COPY_MISSING_SOURCE, COPY_FAILED };

// folder.cpp
bool has_drive_form(const char *folder);
bool has_invalid_char(const char *folder);
bool has_double_backslash(const char *folder);
bool join_path(char *out, const char *folder, const char *name);
void default_install_folder(char *out);
FolderCheck validate_install_folder();
bool create_install_folder();

// copy.cpp
CopyResult copy_game_files();

// shortcuts.cpp
bool form_program_group_folder();
bool desktop_link_path(char *out);
void create_shortcuts();

// registry.cpp
void write_install_registry();
bool read_game_folder(char *out);
void remove_install_registry();

// dialog.cpp
INT_PTR CALLBACK install_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// uninstall.cpp
void uninstall_game();
