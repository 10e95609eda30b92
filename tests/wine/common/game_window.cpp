#include "game_window.h"

#include "file_dialog.h"
#include "log_text.h"

#include "screen.h"
#include "game/board.h"
#include "ui/app/scale_choice.h"

#include <algorithm>
#include <cstdio>

void take_screen(unsigned most) { take_screen_of(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), most); }

void take_screen_of(int w, int h, unsigned most) {
    scale = scale_for_screen(w, h, most);
    screen_w = static_cast<uint16_t>(std::max(w / scale, 640));
    screen_h = static_cast<uint16_t>(std::max(h / scale, 480));
    reset_board_geometry();
    recentre_board();
}

bool change_screen(int width, int height) {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    const bool changed = ChangeDisplaySettingsExA(nullptr, &mode, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL;
    take_screen();
    return changed;
}

bool start_game_at(const char* exe, const char* folder, Game& game) {
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    game.records = temp + std::wstring(L"Zenta Korvalo");
    if (!start_game_in(exe, folder, game)) return false;
    // The first paint is done when the frame's corner is red.
    return wait_until(
        [&] {
            HDC screen = GetDC(nullptr);
            const COLORREF c = GetPixel(screen, board_rect.left * scale, board_rect.top * scale);
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
    game.records = temporary + L"\\Zenta Korvalo";
    return started;
}

std::string record_file_of(const Game& game) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((game.records + L"\\Juego*.dat").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return "";
    FindClose(search);
    return read_as_1252(found.cFileName);
}

void post_alt_key(const Game& game, UINT key) { PostMessageA(game.window, WM_SYSKEYDOWN, key, 1 | (1 << 29)); }

HWND find_game_box(const Game& game) {
    for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w;
         w = FindWindowExA(nullptr, w, "#32770", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == game.process.dwProcessId && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

bool is_message_box(HWND box) { return GetDlgItem(box, 0xFFFF) != nullptr; }

HWND wait_for_control(const Game& game, int id, DWORD ms) {
    HWND box = nullptr;
    wait_until([&] { return (box = find_game_box(game)) && GetDlgItem(box, id) && IsWindowEnabled(box); }, ms);
    return box && GetDlgItem(box, id) ? box : nullptr;
}

HWND wait_for_file_dialog(const Game& game) {
    HWND box = nullptr;
    wait_until([&] { return (box = find_game_box(game)) && is_file_dialog(box) && IsWindowEnabled(box); }, 10000);
    return box && is_file_dialog(box) ? box : nullptr;
}

bool gone(HWND window) {
    return wait_until([&] { return !IsWindow(window) || !IsWindowVisible(window); }, 5000);
}

std::string control_text(HWND dialog, int id) {
    wchar_t text[256] = {};
    GetDlgItemTextW(dialog, id, text, 256);
    return read_as_1252(text);
}

std::string answer_box(const Game& game, int button) {
    HWND box = nullptr;
    if (!wait_until([&] { return (box = find_game_box(game)) && is_message_box(box); }, 5000)) return "";
    const std::string text = box_text(box);
    press_box_button(box, button);
    gone(box);
    settle(game);
    return text;
}

HCURSOR current_cursor() {
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    GetCursorInfo(&info);
    return info.hCursor;
}

HWND make_other_window(DWORD ex_style, int x, int y) {
    WNDCLASSA c = {};
    c.lpfnWndProc = DefWindowProcA;
    c.hInstance = GetModuleHandleA(nullptr);
    c.lpszClassName = "Other Program";
    RegisterClassA(&c);
    HWND w = CreateWindowExA(ex_style, "Other Program", "other", WS_POPUP, x, y, 50, 50, nullptr, nullptr, c.hInstance,
                             nullptr);
    ShowWindow(w, (ex_style & WS_EX_NOACTIVATE) ? SW_SHOWNOACTIVATE : SW_SHOW);
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

static void send_mouse(DWORD flags, int x = 0, int y = 0) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    // Absolute coordinates run from 0 to 65535 over the screen.
    in.mi.dx = x * 65536 / GetSystemMetrics(SM_CXSCREEN) + 1;
    in.mi.dy = y * 65536 / GetSystemMetrics(SM_CYSCREEN) + 1;
    SendInput(1, &in, sizeof in);
}

// The pointer is placed next to the point and then moved onto it, so that
// the window under it sees a move. Under the virtual desktop the X pointer
// is warped after SetCursorPos and its motion comes back later (and a
// first placing by a process new to the desktop can be lost): the place is
// seen to stay before the move.
void real_move(int x, int y) {
    const int beside = x > 0 ? x - 1 : x + 1;
    for (int attempt = 0; attempt < 5; ++attempt) {
        SetCursorPos(beside, y);
        Sleep(60);
        POINT at;
        if (GetCursorPos(&at) && at.x == beside && at.y == y) break;
    }
    send_mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
}

void real_button(bool down) { send_mouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP); }

void real_click(int x, int y) {
    real_move(x, y);
    real_button(true);
    real_button(false);
}

void real_click_and_key(int x, int y, WORD key) {
    real_move(x, y);
    INPUT in[4] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    in[2].type = in[3].type = INPUT_KEYBOARD;
    in[2].ki.wVk = in[3].ki.wVk = key;
    in[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, in, sizeof(INPUT));
}
