// Korvalo.hlp where the system has a working WinHelp viewer, Korvalo.chm
// (the same help as HTML Help) everywhere else.
#include "ui/app/help.h"

#include "game/state.h"
#include "ui/app/app.h"
#include "ui/app/help_choice.h"

#include <htmlhelp.h>

static const char winhelp_file[] = "Korvalo.hlp";
static const char winhelp_class[] = "MS_WINHELP";
static const char html_help_file[] = "Korvalo.chm";

bool help_was_opened;
static bool winhelp_opened, html_help_opened;

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
static HtmlHelpFunction html_help;

static bool file_exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// `folder` + "\" + `name` into `path`; false when it would not fit.
static bool join(char (&path)[MAX_PATH], UINT folder_length, const char* name) {
    if (folder_length == 0 || folder_length + 1 + lstrlenA(name) >= MAX_PATH) return false;
    path[folder_length] = '\\';
    lstrcpyA(path + folder_length + 1, name);
    return true;
}

// Windows keeps the viewer in its own folder, Wine in the system folder.
static bool viewer_file_in(UINT(WINAPI* folder)(LPSTR, UINT)) {
    char path[MAX_PATH];
    UINT length = folder(path, MAX_PATH);
    return length < MAX_PATH && join(path, length, "winhlp32.exe") && file_exists(path);
}

static HelpKind system_help_kind() {
    bool viewer_file = viewer_file_in(GetSystemWindowsDirectoryA) || viewer_file_in(GetSystemDirectoryA);
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    bool wine = ntdll && GetProcAddress(ntdll, "wine_get_version");
    return choose_help_kind(viewer_file, LOBYTE(LOWORD(GetVersion())), wine);
}

// The viewer finds a bare name only in the current folder, and asks the
// player to look for the file when it is not there: such a question would
// stop the game, so a missing help file is silent, like every other missing
// file of the game.
static void open_winhelp() {
    if (!file_exists(winhelp_file)) return;
    game_flags |= GF_HELP_OPEN;
    help_was_opened = winhelp_opened = true;
    if (!WinHelpA(main_window, winhelp_file, HELP_CONTENTS, 0)) {
        game_flags &= ~GF_HELP_OPEN;
        return;
    }
    // A help window left open behind the full-screen game is shown its
    // contents but stays behind it unless it is brought to the front.
    if (HWND help = FindWindowA(winhelp_class, nullptr)) SetForegroundWindow(help);
}

// Only from the system folder: a file of that name in the current or the
// game's folder must never be loaded in its place, nor the libraries it
// needs in turn (which the altered search looks for beside it first). Kept
// for the run.
static bool load_html_help() {
    if (html_help) return true;
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length >= MAX_PATH || !join(path, length, "hhctrl.ocx")) return false;
    HMODULE control = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (control)
        html_help = reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(GetProcAddress(control, "HtmlHelpA")));
    return html_help != nullptr;
}

// The HTML Help viewer takes any path, so the file is taken from the game's
// own folder whatever the current folder is. Its window belongs to this
// thread and is owned by the game's window: switching between the two never
// deactivates the game, which is why GF_HELP_OPEN is left alone here (it
// would stay set and keep the game from getting out of the way of the next
// program the player switches to).
static void open_html_help() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    char* slash = path + length;
    while (slash > path && *slash != '\\') --slash;
    if (!join(path, UINT(slash - path), html_help_file) || !file_exists(path) || !load_html_help()) return;
    help_was_opened = html_help_opened = true;
    html_help(main_window, path, HH_DISPLAY_TOPIC, 0); // 0: the default topic, the contents page
}

void open_help() {
    if (system_help_kind() == HELP_WINHELP) open_winhelp();
    else open_html_help();
}

// The game's own help window: switching to it, also after coming back to
// the board, is not leaving the game.
bool help_window_in_front() {
    HWND front = GetForegroundWindow();
    char name[sizeof winhelp_class];
    return winhelp_opened && front && GetClassNameA(front, name, sizeof name) && lstrcmpA(name, winhelp_class) == 0;
}

// Asking to close help that was never opened would start the help program
// only to end it.
void close_help() {
    if (winhelp_opened) WinHelpA(main_window, winhelp_file, HELP_QUIT, 0);
    if (html_help_opened) html_help(nullptr, nullptr, HH_CLOSE_ALL, 0);
}
