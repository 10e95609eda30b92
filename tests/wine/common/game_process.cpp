#include "game_process.h"

#include "log_text.h"
#include "screen.h"

#include <cstdio>

bool wait_until(const std::function<bool()>& condition, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > ms) return false;
        Sleep(20);
    }
}

static HWND find_game_window(DWORD pid) {
    for (HWND w = FindWindowExA(nullptr, nullptr, "Korvalo Class", nullptr); w;
         w = FindWindowExA(nullptr, w, "Korvalo Class", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

std::string game_arguments;

bool launch_game(const char* exe, const char* folder, Game& game) {
    game.folder = folder;
    char command[2 * MAX_PATH];
    std::snprintf(command, sizeof command, "\"%s\" %s", exe, game_arguments.c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (CreateProcessA(exe, command, nullptr, nullptr, FALSE, 0, nullptr, folder, &startup, &game.process)) return true;
    std::printf("cannot start %s: error %lu\n", exe, GetLastError());
    return false;
}

bool start_game_in(const char* exe, const char* folder, Game& game) {
    if (!launch_game(exe, folder, game)) return false;
    const DWORD pid = game.process.dwProcessId;
    return wait_until([&] { return (game.window = find_game_window(pid)) != nullptr; }, 20000);
}

int wait_for_exit(Game& game, DWORD ms) {
    if (WaitForSingleObject(game.process.hProcess, ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(game.process.hProcess, &code);
    return static_cast<int>(code);
}

void stop_game(Game& game) {
    if (!game.process.hProcess) return;
    // Waited for: a game started next would take this one, still holding
    // its single-copy mutex, for a copy already running.
    if (WaitForSingleObject(game.process.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(game.process.hProcess, 99);
        WaitForSingleObject(game.process.hProcess, 5000);
    }
    CloseHandle(game.process.hProcess);
    CloseHandle(game.process.hThread);
    game.process = {};
}

// A paint comes only when the game's queue is empty, after any sent
// message: so the wait goes on until nothing of the window is left to
// paint (on a busy machine that can take a while).
void settle(const Game& game) {
    DWORD_PTR result;
    SendMessageTimeoutA(game.window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    RedrawWindow(game.window, nullptr, nullptr, RDW_UPDATENOW);
    wait_until([&] { return !IsWindow(game.window) || !GetUpdateRect(game.window, nullptr, FALSE); }, 3000);
    SendMessageTimeoutA(game.window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
}

// Given in design pixels, sent in the window's, as the system would.
void post_mouse(const Game& game, UINT message, int x, int y, bool button_down) {
    const POINT p = on_screen(x, y);
    PostMessageA(game.window, message, button_down ? MK_LBUTTON : 0, MAKELPARAM(p.x, p.y));
}

void click(const Game& game, int x, int y) {
    post_mouse(game, WM_LBUTTONDOWN, x, y, true);
    post_mouse(game, WM_LBUTTONUP, x, y, false);
}

void post_key(const Game& game, UINT key) { PostMessageA(game.window, WM_KEYDOWN, key, 1); }

std::string window_text(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return read_as_1252(text);
}

std::string box_text(HWND box) {
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    return read_as_1252(text);
}

void press_box_button(HWND box, int id) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}
