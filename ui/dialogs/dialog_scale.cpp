#include "ui/dialogs/dialog_scale.h"

#include "game/board.h"
#include "ui/dialogs/scaled_controls.h"
#include "ui/draw/scale.h"

#include <cwchar>
#include <initializer_list>

namespace {

const wchar_t font_property[] = L"Korvalo.ScaledFont";
const wchar_t design_font_property[] = L"Korvalo.DesignFont";
const wchar_t screen_property[] = L"Korvalo.Screen";

ScreenScale now_in_force() { return ScreenScale{pixel_scale, screen_w, screen_h}; }

// Looked up at run time: Windows 10 1703 and later only.
void keep_system_from_rescaling(HWND dialog) {
    enum { DDC_DISABLE_ALL = 0x0001 | 0x0002 | 0x0004 }; // font change, resize, control relayout
    using Behaviour = BOOL(WINAPI*)(HWND, int, int);
    const auto set = reinterpret_cast<Behaviour>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetDialogDpiChangeBehavior")));
    if (set) set(dialog, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
}

// The system's scaling as the dialog manager used it for the template's
// font: the window's own where the system says it (Windows 10 on), the
// system's otherwise.
int dialog_dpi(HWND dialog) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    const auto dpi_for_window = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (dpi_for_window) return static_cast<int>(dpi_for_window(dialog));
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

TEXTMETRICW metrics_of(HFONT font, SIZE* letters) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(screen, &metrics);
    GetTextExtentPoint32W(screen, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, letters);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return metrics;
}

// Pixels of the system's layout back to the design's, through dialog units:
// a unit is more than a pixel wide and high, so the system's pixels give
// each unit back exactly, and the design's font turns it into its pixels
// as the dialog manager would (the letters' average width, the cell height).
struct Units {
    SIZE system, design;
    int x(int v) const { return MulDiv(MulDiv(v, 4, system.cx), design.cx, 4); }
    int y(int v) const { return MulDiv(MulDiv(v, 8, system.cy), design.cy, 8); }
};

bool is_picture(HWND control) {
    wchar_t kind[16] = L"";
    GetClassNameW(control, kind, 16);
    return _wcsicmp(kind, L"Static") == 0 && (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
}

void place_controls(HWND dialog, const Units& units) {
    const int k = pixel_scale;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        const UINT keep_size = is_picture(child) ? SWP_NOSIZE : 0;
        SetWindowPos(child, nullptr, units.x(r.left) * k, units.y(r.top) * k, units.x(r.right - r.left) * k,
                     units.y(r.bottom - r.top) * k, SWP_NOZORDER | SWP_NOACTIVATE | keep_size);
    }
}

// The frame (caption, border) stays the system's; only the inside grows.
void size_dialog(HWND dialog, const Units& units) {
    RECT outside, inside;
    GetWindowRect(dialog, &outside);
    GetClientRect(dialog, &inside);
    const int w = units.x(inside.right) * pixel_scale + (outside.right - outside.left) - inside.right;
    const int h = units.y(inside.bottom) * pixel_scale + (outside.bottom - outside.top) - inside.bottom;
    int x = outside.left, y = outside.top;
    if (GetWindowLongW(dialog, GWL_STYLE) & DS_CENTER) {
        RECT work;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        x = work.left + (work.right - work.left - w) / 2;
        y = work.top + (work.bottom - work.top - h) / 2;
    }
    SetWindowPos(dialog, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void scale_dialog(HWND dialog) {
    const ScreenScale now = now_in_force();
    SetPropW(dialog, screen_property,
             reinterpret_cast<HANDLE>(static_cast<uintptr_t>(now.k) | static_cast<uintptr_t>(now.w) << 8 |
                                      static_cast<uintptr_t>(now.h) << 24));
    keep_system_from_rescaling(dialog);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    LOGFONTW design = {};
    const int dpi = dialog_dpi(dialog);
    if (!font || !GetObjectW(font, sizeof design, &design) || (dpi == 96 && pixel_scale == 1) || dpi <= 0) return;
    // The template's point size at 100 %.
    const int points = MulDiv(design.lfHeight < 0 ? -design.lfHeight : design.lfHeight, 72, dpi);
    design.lfHeight = -MulDiv(points, 96, 72);
    design.lfWidth = 0;
    design.lfCharSet = ANSI_CHARSET;
    HFONT design_font = CreateFontIndirectW(&design);
    SIZE letters = {0, 0};
    const TEXTMETRICW metrics = metrics_of(design_font, &letters);
    RECT system_units = {0, 0, 4, 8};
    MapDialogRect(dialog, &system_units);
    Units units = {SIZE{system_units.right, system_units.bottom}, SIZE{(letters.cx / 26 + 1) / 2, metrics.tmHeight}};
    if (units.system.cx <= 0 || units.system.cy <= 0) return void(DeleteObject(design_font));
    // A font made of pixels comes in one set of sizes for each scaling: at
    // another than 100 % the design's sizes are not there to measure, and
    // its units are the system's brought back to 100 %. An outline font
    // measures the same at any scaling.
    const bool pixels = !(metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE));
    if (pixels && dpi != 96) {
        units.design = SIZE{MulDiv(units.system.cx, 96, dpi), MulDiv(units.system.cy, 96, dpi)};
        DeleteObject(design_font);
        std::wcscpy(design.lfFaceName, L"Tahoma");
        design_font = CreateFontIndirectW(&design);
    }
    // Kept while the dialog is open: the marks of its controls are drawn in it.
    SetPropW(dialog, design_font_property, design_font);
    place_controls(dialog, units);
    size_dialog(dialog, units);

    LOGFONTW shown = design;
    shown.lfHeight = design.lfHeight * pixel_scale;
    if (pixels) std::wcscpy(shown.lfFaceName, L"Tahoma");
    HFONT made = CreateFontIndirectW(&shown);
    if (!made) return;
    SetPropW(dialog, font_property, made);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(made), FALSE);
        if (has_system_marks(child)) scale_control(child, design_font);
    }
}

ScreenScale enter_dialog_scale(HWND dialog) {
    const ScreenScale kept = now_in_force();
    const uintptr_t own = reinterpret_cast<uintptr_t>(GetPropW(dialog, screen_property));
    if (own)
        leave_dialog_scale(ScreenScale{static_cast<uint8_t>(own & 0xFF), static_cast<uint16_t>(own >> 8 & 0xFFFF),
                                       static_cast<uint16_t>(own >> 24 & 0xFFFF)});
    return kept;
}

void leave_dialog_scale(const ScreenScale& kept) {
    pixel_scale = kept.k;
    screen_w = kept.w;
    screen_h = kept.h;
}

void centre_design_area(HWND dialog) {
    const int dx = board_dx * pixel_scale, dy = board_dy * pixel_scale;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(child, nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    }
}

void release_dialog_font(HWND dialog) {
    RemovePropW(dialog, screen_property);
    for (const wchar_t* property : {font_property, design_font_property}) {
        HFONT made = static_cast<HFONT>(RemovePropW(dialog, property));
        if (made) DeleteObject(made);
    }
}
