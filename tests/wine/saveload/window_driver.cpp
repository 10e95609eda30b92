#include "window_driver.h"

#include <dlgs.h>

#include <cstdio>

bool wait_until(const std::function<bool()>& condition, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > ms) return false;
        Sleep(20);
    }
}

bool start_game_in(const char* exe, const char* folder, Game& game) {
    char command[2 * MAX_PATH];
    std::snprintf(command, sizeof command, "\"%s\"", exe);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(exe, command, nullptr, nullptr, FALSE, 0, nullptr, folder, &startup, &game.process))
        return false;
    const DWORD pid = game.process.dwProcessId;
    return wait_until(
        [&] {
            for (HWND w = FindWindowExA(nullptr, nullptr, "Korvalo Class", nullptr); w;
                 w = FindWindowExA(nullptr, w, "Korvalo Class", nullptr)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == pid && IsWindowVisible(w)) game.window = w;
            }
            return game.window != nullptr;
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

// A sent message is answered only after the ones posted before it; the
// paint it leaves pending is asked for too.
void settle(const Game& game) {
    DWORD_PTR result;
    SendMessageTimeoutA(game.window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    RedrawWindow(game.window, nullptr, nullptr, RDW_UPDATENOW);
    SendMessageTimeoutA(game.window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
}

void post_key(const Game& game, UINT key) { PostMessageA(game.window, WM_KEYDOWN, key, 1); }

void click(const Game& game, int x, int y) {
    PostMessageA(game.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(game.window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

namespace {

enum Kind { ANY_DIALOG, MESSAGE_BOX, FILE_DIALOG };

struct Search {
    DWORD pid;
    Kind kind;
    HWND found;
};

bool is_message_box(HWND w) { return GetDlgItem(w, 0xFFFF) != nullptr; }
bool is_file_dialog(HWND w) { return GetDlgItem(w, cmb13) || GetDlgItem(w, edt1); }

BOOL CALLBACK look(HWND w, LPARAM data) {
    Search* s = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    char name[16] = {};
    GetClassNameA(w, name, sizeof name);
    if (owner != s->pid || !IsWindowVisible(w) || lstrcmpA(name, "#32770") != 0) return TRUE;
    const bool wanted = s->kind == ANY_DIALOG || (s->kind == MESSAGE_BOX ? is_message_box(w) : is_file_dialog(w));
    if (!wanted) return TRUE;
    s->found = w;
    return FALSE;
}

HWND find(const Game& game, Kind kind) {
    Search s = {game.process.dwProcessId, kind, nullptr};
    EnumWindows(look, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND wait_for(const Game& game, Kind kind, DWORD ms) {
    HWND w = nullptr;
    wait_until([&] { return (w = find(game, kind)) != nullptr && IsWindowEnabled(w); }, ms);
    return w;
}

int name_box_id(HWND dialog) { return GetDlgItem(dialog, cmb13) ? cmb13 : edt1; }

} // namespace

HWND find_dialog(const Game& game) { return find(game, ANY_DIALOG); }
HWND wait_for_dialog(const Game& game, DWORD ms) { return wait_for(game, ANY_DIALOG, ms); }
HWND wait_for_message_box(const Game& game, DWORD ms) { return wait_for(game, MESSAGE_BOX, ms); }
HWND wait_for_file_dialog(const Game& game, DWORD ms) { return wait_for(game, FILE_DIALOG, ms); }

bool nothing_opens(const Game& game, DWORD ms) {
    return !wait_until([&] { return find_dialog(game) != nullptr; }, ms);
}

bool gone(HWND window) {
    return wait_until([&] { return !IsWindow(window) || !IsWindowVisible(window); }, 5000);
}

std::string window_text(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string box_text(HWND box) {
    char text[256] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

void press(HWND box, int id) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

void choose_file(HWND dialog, const char* name) {
    SetDlgItemTextA(dialog, name_box_id(dialog), name);
    press(dialog, IDOK);
}

std::string file_name_box(HWND dialog) {
    char text[MAX_PATH] = {};
    GetDlgItemTextA(dialog, name_box_id(dialog), text, sizeof text);
    return text;
}

std::string filter_box(HWND dialog) {
    char text[128] = {};
    GetDlgItemTextA(dialog, cmb1, text, sizeof text);
    return text;
}

Image capture_screen() {
    Image shot;
    shot.w = GetSystemMetrics(SM_CXSCREEN);
    shot.h = GetSystemMetrics(SM_CYSCREEN);
    shot.px.resize(static_cast<size_t>(shot.w) * shot.h);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.w;
    info.bmiHeader.biHeight = -shot.h; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.w, shot.h, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const uint32_t* p = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < shot.px.size(); ++i) shot.px[i] = p[i] & 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

int differing_pixels(const Image& a, const Image& b) {
    if (a.w != b.w || a.h != b.h) return -1;
    int n = 0;
    for (size_t i = 0; i < a.px.size(); ++i) n += a.px[i] != b.px[i];
    return n;
}
