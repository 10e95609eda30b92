#include "ui/app/text.h"

#include <cstddef>
#include <cstring>
#include <cwchar>

enum { CP_WESTERN = 1252 };

std::wstring wide_text(const char* text, int length) {
    if (length < 0) length = static_cast<int>(std::strlen(text));
    // Every 1252 byte is one UTF-16 unit.
    std::wstring wide(static_cast<size_t>(length), L'\0');
    if (length > 0) MultiByteToWideChar(CP_WESTERN, 0, text, length, &wide[0], length);
    return wide;
}

int message_box(HWND owner, const char* text, const char* caption, UINT kind) {
    return MessageBoxW(owner, wide_text(text).c_str(), wide_text(caption).c_str(), kind);
}

void set_window_text(HWND window, const char* text) { SetWindowTextW(window, wide_text(text).c_str()); }

void set_item_text(HWND dialog, int id, const char* text) { SetDlgItemTextW(dialog, id, wide_text(text).c_str()); }

void get_window_text(HWND window, char* out, int size) {
    std::wstring typed(static_cast<size_t>(size), L'\0');
    const int length = GetWindowTextW(window, &typed[0], size);
    // One byte for each UTF-16 unit: the size - 1 units read fit.
    const int made = length > 0 ? WideCharToMultiByte(CP_WESTERN, WC_NO_BEST_FIT_CHARS, typed.c_str(), length, out,
                                                      size - 1, "?", nullptr)
                                : 0;
    out[made] = 0;
}

void write_text(HDC dc, int x, int y, const char* text, int length) {
    const std::wstring wide = wide_text(text, length);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

void write_text_in(HDC dc, const char* text, RECT* box, UINT format) {
    const std::wstring wide = wide_text(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), box, format);
}

static int realised_charset(HFONT font) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    const int charset = GetTextCharset(screen);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return charset;
}

// By the request, not the handle: a dialog makes its font anew each time
// it opens, and a handle freed may come back as another font.
struct WesternFont {
    LOGFONTW request;
    HFONT font; // null: the requested font has the letters itself
};
enum { WESTERN_FONTS = 8 };
static WesternFont western_fonts[WESTERN_FONTS];
static int western_font_count;

// The face name is compared as a string: what follows its end is whatever
// the font's maker left there.
static bool same_request(const LOGFONTW& a, const LOGFONTW& b) {
    return std::memcmp(&a, &b, offsetof(LOGFONTW, lfFaceName)) == 0 && std::wcscmp(a.lfFaceName, b.lfFaceName) == 0;
}

static HFONT make_western_font(LOGFONTW request) {
    request.lfCharSet = ANSI_CHARSET;
    request.lfWidth = 0;
    HFONT made = CreateFontIndirectW(&request);
    if (made && realised_charset(made) == ANSI_CHARSET) return made;
    if (made) DeleteObject(made);
    std::wcscpy(request.lfFaceName, L"Arial");
    return CreateFontIndirectW(&request);
}

HFONT font_with_1252_letters(HFONT font) {
    LOGFONTW request;
    if (!font || !GetObjectW(font, sizeof request, &request)) return font;
    for (int i = 0; i < western_font_count; ++i)
        if (same_request(western_fonts[i].request, request))
            return western_fonts[i].font ? western_fonts[i].font : font;
    if (western_font_count == WESTERN_FONTS) return font;
    WesternFont& entry = western_fonts[western_font_count++];
    entry.request = request;
    entry.font = realised_charset(font) == ANSI_CHARSET ? nullptr : make_western_font(request);
    return entry.font ? entry.font : font;
}

// Only the controls: a dialog frees its own font when it closes, and
// would free this one instead.
void use_1252_font(HWND dialog) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    HFONT western = font_with_1252_letters(font);
    if (western == font) return;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(western), FALSE);
}

void release_1252_fonts() {
    for (int i = 0; i < western_font_count; ++i)
        if (western_fonts[i].font) DeleteObject(western_fonts[i].font);
    western_font_count = 0;
}
