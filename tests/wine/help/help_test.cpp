// Guards F1 and the "?" button no longer reaching the help, the help opened on the wrong page or without its jumps, the
// help viewer minimising the game, F1 leaving an open help behind the game, help left open after the game ends, the
// WinHelp/HTML Help choice inverted, and Korvalo.chm not opened through the system's own hhctrl.ocx.
//
//   help_test GAME-FOLDER HHCTRL-STAND-IN
// On a 1024 x 768 screen, where the "?" button has moved with the centred
// board. First the prefix as Wine makes it, with its WinHelp viewer; then
// with winhlp32.exe removed and the stand-in HTML Help control in the system
// folder, loaded by the override hhctrl.ocx=n.
#include "check.h"
#include "desktop.h"
#include "game_process.h"
#include "log_text.h"

#include <htmlhelp.h>

#include <algorithm>
#include <fstream>
#include <sstream>

int failed_checks = 0;

static const char contents_title[] = "Zenta Korvalo: contenido";
static const char game_folder[] = "C:\\korvalo";

static bool page_starts(HWND viewer, const char* title) { return help_page_text(viewer).rfind(title, 0) == 0; }

static std::string page_start(HWND viewer) {
    std::string start = help_page_text(viewer).substr(0, 40);
    std::replace_if(
        start.begin(), start.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return escaped_for_log(start);
}

static bool bring_to_front(HWND w) {
    if (IsIconic(w)) ShowWindow(w, SW_RESTORE);
    SetForegroundWindow(w);
    return wait_until([&] { return GetForegroundWindow() == w; }, 5000);
}

static bool stays_shown(const Game& game, DWORD ms) {
    return !wait_until([&] { return IsIconic(game.window) != FALSE; }, ms);
}

static void leave(Game& game) {
    PostMessageA(game.window, WM_CLOSE, 0, 0);
    HWND box = nullptr;
    wait_until([&] { return (box = find_window_of("#32770", game.process.dwProcessId)) != nullptr; }, 5000);
    if (box) press_box_button(box, IDYES);
    CHECK(box && wait_for_exit(game, 10000) == 0, "Yes to leaving did not end the game");
}

static void winhelp() {
    Game game;
    if (!start_game_in((std::string(game_folder) + "\\korvalo.exe").c_str(), game_folder, game)) {
        CHECK(false, "the game did not start");
        return;
    }
    bring_to_front(game.window);
    post_key(game, VK_F1);
    HWND viewer = nullptr;
    CHECK(wait_until([&] { return (viewer = find_window_of("MS_WINHELP", 0)) && page_starts(viewer, contents_title); },
                     20000),
          "F1 showed no help on its contents (%s)", viewer ? page_start(viewer).c_str() : "no viewer");
    if (!viewer) return stop_game(game);
    CHECK(wait_until([&] { return GetForegroundWindow() == viewer; }, 5000), "the help opened behind the game");
    CHECK(stays_shown(game, 1500), "the help taking the activation minimised the game");

    const std::string jump = "Salir de la cárcel";
    CHECK(click_page_text(viewer, jump) && wait_until([&] { return page_starts(viewer, jump.c_str()); }, 5000),
          "the jump did not show its topic (%s)", page_start(viewer).c_str());

    bring_to_front(game.window);
    SetForegroundWindow(viewer);
    CHECK(stays_shown(game, 1500), "switching back to the open help minimised the game");

    bring_to_front(game.window);
    post_key(game, VK_F1);
    CHECK(wait_until([&] { return GetForegroundWindow() == viewer && page_starts(viewer, contents_title); }, 10000),
          "F1 did not bring the open help to the front on its contents (%s)", page_start(viewer).c_str());

    // Until its window is destroyed the closing viewer would be asked to
    // show the help, rather than a new one started.
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    wait_until([] { return !FindWindowA("MS_WINHELP", nullptr); }, 10000);
    bring_to_front(game.window);
    settle(game);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - 451) / 2 - 94,
              top = (GetSystemMetrics(SM_CYSCREEN) - 450) / 2 - 15;
    click(game, left + 593, top + 11);
    CHECK(wait_until([] { return find_window_of("MS_WINHELP", 0) != nullptr; }, 20000), "\"?\" opened no help");

    leave(game);
    CHECK(wait_until([] { return !find_window_of("MS_WINHELP", 0); }, 10000),
          "the help stayed open after the game ended");
    stop_game(game);
}

static std::string help_calls() {
    std::ifstream log("C:\\hhctrl-calls.txt", std::ios::binary);
    std::ostringstream text;
    text << log.rdbuf();
    return text.str();
}

// The game is started from another folder: Korvalo.chm is looked for in its
// own, and a hhctrl.ocx put beside it must not be loaded in place of the
// system's.
static void html_help(const char* stand_in) {
    char windows[MAX_PATH], system[MAX_PATH];
    GetSystemWindowsDirectoryA(windows, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);
    DeleteFileA((std::string(windows) + "\\winhlp32.exe").c_str());
    DeleteFileA((std::string(system) + "\\winhlp32.exe").c_str());
    const std::string control = std::string(system) + "\\hhctrl.ocx";
    CHECK(CopyFileA(stand_in, control.c_str(), FALSE) &&
              CopyFileA(stand_in, (std::string(game_folder) + "\\hhctrl.ocx").c_str(), FALSE),
          "cannot place the stand-in hhctrl.ocx");
    Game game;
    if (!start_game_in((std::string(game_folder) + "\\korvalo.exe").c_str(), "C:\\", game)) {
        CHECK(false, "the game did not start");
        return;
    }
    bring_to_front(game.window);
    post_key(game, VK_F1);
    const std::string shown =
        std::to_string(HH_DISPLAY_TOPIC) + "|" + game_folder + "\\Korvalo.chm|Korvalo Class|-|" + control + "\n";
    CHECK(wait_until([&] { return help_calls() == shown; }, 10000), "F1 made the calls [%s], expected [%s]",
          help_calls().c_str(), shown.c_str());
    leave(game);
    const std::string closed = shown + std::to_string(HH_CLOSE_ALL) + "|||-|" + control + "\n";
    CHECK(help_calls() == closed, "the calls were [%s], expected [%s] (the help closed at the end)",
          help_calls().c_str(), closed.c_str());
    stop_game(game);
}

int main(int argc, char** argv) {
    if (argc != 3) {
        NOTE("usage: help_test GAME-FOLDER HHCTRL-STAND-IN");
        return 2;
    }
    char from[MAX_PATH], stand_in[MAX_PATH];
    GetFullPathNameA(argv[1], MAX_PATH, from, nullptr);
    GetFullPathNameA(argv[2], MAX_PATH, stand_in, nullptr);
    CreateDirectoryA(game_folder, nullptr);
    for (const char* name : {"korvalo.exe", "Korvalo.hlp", "Korvalo.chm"})
        CHECK(CopyFileA((std::string(from) + "\\" + name).c_str(), (std::string(game_folder) + "\\" + name).c_str(),
                        FALSE),
              "%s is not in %s", name, from);
    winhelp();
    html_help(stand_in);
    // A viewer left open would keep the Wine session, and the test, alive.
    for (HWND viewer; (viewer = find_window_of("MS_WINHELP", 0)) != nullptr;) {
        PostMessageA(viewer, WM_CLOSE, 0, 0);
        if (!wait_until([&] { return !IsWindow(viewer); }, 5000)) break;
    }
    NOTE("help: %d failed checks", failed_checks);
    return failed_checks != 0;
}
