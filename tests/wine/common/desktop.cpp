#include "desktop.h"

#include "log_text.h"

#include <richedit.h>

HWND find_window_of(const char* window_class, DWORD pid) {
    for (HWND w = FindWindowExA(nullptr, nullptr, window_class, nullptr); w;
         w = FindWindowExA(nullptr, w, window_class, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (IsWindowVisible(w) && (!pid || owner == pid)) return w;
    }
    return nullptr;
}

static HWND page_pane(HWND viewer) { return viewer ? FindWindowExA(viewer, nullptr, "RichEdit20A", nullptr) : nullptr; }

// Sent with a time-out: a viewer busy opening a file must not hang the test.
std::string help_page_text(HWND viewer) {
    HWND pane = page_pane(viewer);
    wchar_t text[4096] = {};
    DWORD_PTR got = 0;
    if (!pane || !SendMessageTimeoutW(pane, WM_GETTEXT, 4096, LPARAM(text), SMTO_NORMAL, 2000, &got)) return "";
    return read_as_1252(text);
}

// The text read back ends its lines with \r\n where the pane keeps one
// character; and EM_POSFROMCHAR is given in the edit control's form (index
// in, packed point out), which the rich edit control also takes.
bool click_page_text(HWND viewer, const std::string& words) {
    const std::string text = help_page_text(viewer);
    const size_t found = text.find(words);
    if (found == std::string::npos) return false;
    size_t at = found;
    for (size_t i = 0; i < found; ++i) at -= text[i] == '\n';
    HWND pane = page_pane(viewer);
    const LRESULT point = SendMessageA(pane, EM_POSFROMCHAR, at, 0);
    const LPARAM place = MAKELPARAM(LOWORD(point) + 2, HIWORD(point) + 4);
    PostMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON, place);
    PostMessageA(pane, WM_LBUTTONUP, 0, place);
    return true;
}
