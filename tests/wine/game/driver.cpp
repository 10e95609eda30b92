#include "driver.h"

#include "screen.h"
#include "game/board.h"

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
        if (owner == pid) return w;
    }
    return nullptr;
}

bool start_game(const char* exe, Game& game) {
    char folder[MAX_PATH], work[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::snprintf(work, sizeof work, "%skorvalo-test-%lu-%lu", folder, GetCurrentProcessId(), GetTickCount());
    CreateDirectoryA(work, nullptr);
    game.folder = work;
    char command[2 * MAX_PATH];
    std::snprintf(command, sizeof command, "\"%s\"", exe);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(exe, command, nullptr, nullptr, FALSE, 0, nullptr, work, &startup, &game.process)) {
        std::printf("cannot start %s: error %lu\n", exe, GetLastError());
        return false;
    }
    const DWORD pid = game.process.dwProcessId;
    if (!wait_until([&] { return (game.window = find_game_window(pid)) != nullptr; }, 20000)) return false;
    // The first paint is done when the frame's corner is red.
    return wait_until(
        [&] {
            HDC screen = GetDC(nullptr);
            const COLORREF c = GetPixel(screen, board_rect.left, board_rect.top);
            ReleaseDC(nullptr, screen);
            return c == RGB(255, 0, 0);
        },
        20000);
}

int wait_for_exit(Game& game, DWORD ms) {
    if (WaitForSingleObject(game.process.hProcess, ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(game.process.hProcess, &code);
    return static_cast<int>(code);
}

void stop_game(Game& game) {
    if (!game.process.hProcess) return;
    if (WaitForSingleObject(game.process.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(game.process.hProcess, 99);
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

void post_mouse(const Game& game, UINT message, int x, int y, bool button_down) {
    PostMessageA(game.window, message, button_down ? MK_LBUTTON : 0, MAKELPARAM(x, y));
}

void click(const Game& game, int x, int y) {
    post_mouse(game, WM_LBUTTONDOWN, x, y, true);
    post_mouse(game, WM_LBUTTONUP, x, y, false);
}

void post_key(const Game& game, UINT key) { PostMessageA(game.window, WM_KEYDOWN, key, 1); }

void post_alt_key(const Game& game, UINT key) {
    PostMessageA(game.window, WM_SYSKEYDOWN, key, 1 | (1 << 29));
}

struct BoxSearch {
    DWORD pid;
    HWND found;
};

static BOOL CALLBACK look_at_window(HWND w, LPARAM data) {
    BoxSearch* search = reinterpret_cast<BoxSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    char name[16] = {};
    GetClassNameA(w, name, sizeof name);
    if (owner == search->pid && IsWindowVisible(w) && lstrcmpA(name, "#32770") == 0) {
        search->found = w;
        return FALSE;
    }
    return TRUE;
}

HWND find_game_box(const Game& game) {
    BoxSearch search = {game.process.dwProcessId, nullptr};
    EnumWindows(look_at_window, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool is_message_box(HWND box) { return GetDlgItem(box, 0xFFFF) != nullptr; }

std::string box_text(HWND box) {
    char text[256] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

std::string window_text(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void press_box_button(HWND box, int id) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

HWND wait_for_box(const Game& game, DWORD ms) {
    HWND box = nullptr;
    wait_until([&] { return (box = find_game_box(game)) != nullptr; }, ms);
    return box;
}

HCURSOR current_cursor() {
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    GetCursorInfo(&info);
    return info.hCursor;
}
