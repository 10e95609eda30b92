#include "window_driver.h"

#include <dlgs.h>

#include <cstdio>

namespace {

enum Kind { ANY_DIALOG, MESSAGE_BOX, FILE_DIALOG };

struct Search {
    DWORD pid;
    Kind kind;
    HWND found;
};

bool is_message_box(HWND w) { return GetDlgItem(w, 0xFFFF) != nullptr; }

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
