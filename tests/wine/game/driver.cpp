#include "driver.h"

#include "screen.h"
#include "game/board.h"

#include <cstdio>

bool start_game_at(const char* exe, const char* folder, Game& game) {
    if (!start_game_in(exe, folder, game)) return false;
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

bool start_game(const char* exe, Game& game, const std::wstring& temporary) {
    char folder[MAX_PATH], work[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::snprintf(work, sizeof work, "%skorvalo-test-%lu-%lu", folder, GetCurrentProcessId(), GetTickCount());
    CreateDirectoryA(work, nullptr);
    if (temporary.empty()) return start_game_at(exe, work, game);
    // The game inherits the variables as they are when it starts; this
    // program keeps its own.
    wchar_t tmp[MAX_PATH] = L"", temp[MAX_PATH] = L"";
    GetEnvironmentVariableW(L"TMP", tmp, MAX_PATH);
    GetEnvironmentVariableW(L"TEMP", temp, MAX_PATH);
    SetEnvironmentVariableW(L"TMP", temporary.c_str());
    SetEnvironmentVariableW(L"TEMP", temporary.c_str());
    const bool started = start_game_at(exe, work, game);
    SetEnvironmentVariableW(L"TMP", tmp[0] ? tmp : nullptr);
    SetEnvironmentVariableW(L"TEMP", temp[0] ? temp : nullptr);
    return started;
}

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

HWND make_other_window() {
    WNDCLASSA c = {};
    c.lpfnWndProc = DefWindowProcA;
    c.hInstance = GetModuleHandleA(nullptr);
    c.lpszClassName = "Other Program";
    RegisterClassA(&c);
    HWND w = CreateWindowExA(0, "Other Program", "other", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr, nullptr,
                             c.hInstance, nullptr);
    return w;
}

void pump(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        Sleep(10);
    }
}
