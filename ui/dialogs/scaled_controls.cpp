#include "ui/dialogs/scaled_controls.h"

#include "ui/app/app.h"
#include "ui/dialogs/dialog_scale.h"
#include "ui/draw/scale.h"

#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

namespace {

const wchar_t original_proc[] = L"Korvalo.ControlProc";
const wchar_t font_of_design[] = L"Korvalo.DesignFont";
HWND stand_in_host;

bool of_class(HWND control, const wchar_t* name) {
    wchar_t kind[16] = L"";
    GetClassNameW(control, kind, 16);
    return _wcsicmp(kind, name) == 0;
}

// The stand-ins' parent: their backgrounds black, as in the game's dialogs.
LRESULT CALLBACK host_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) {
        SetBkColor(reinterpret_cast<HDC>(wparam), RGB(0, 0, 0));
        SetTextColor(reinterpret_cast<HDC>(wparam), RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

// The stand-ins are windows of the system's 100 %: their marks have the
// design's size whatever the scaling (Windows 10 on; elsewhere the system
// has one scaling for all and the dialog's is the stand-ins' too).
using AwarenessSetter = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
DPI_AWARENESS_CONTEXT as_at_100_percent(DPI_AWARENESS_CONTEXT context) {
    static const auto set = reinterpret_cast<AwarenessSetter>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
    return set ? set(context) : nullptr;
}

HWND create_at_100_percent(const wchar_t* kind, const wchar_t* text, DWORD style, int w, int h, HWND parent) {
    const DPI_AWARENESS_CONTEXT previous = as_at_100_percent(DPI_AWARENESS_CONTEXT_UNAWARE);
    HWND made = CreateWindowExW(0, kind, text, style, 0, 0, w, h, parent, nullptr, app_instance, nullptr);
    if (previous) as_at_100_percent(previous);
    return made;
}

HWND host() {
    if (stand_in_host) return stand_in_host;
    WNDCLASSW c = {};
    c.lpfnWndProc = host_proc;
    c.hInstance = app_instance;
    c.lpszClassName = L"Korvalo Stand-ins";
    RegisterClassW(&c);
    stand_in_host = create_at_100_percent(c.lpszClassName, L"", WS_POPUP, 1, 1, nullptr);
    return stand_in_host;
}

// The stand-in as the system paints it, 32 bits a pixel, on black.
struct Shot {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ original = nullptr;
    uint32_t* px = nullptr;
    RECT inside = {}; // the stand-in's client area, inside its edge
};

bool take_shot(HWND stand_in, int w, int h, Shot& shot) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    shot.dc = CreateCompatibleDC(nullptr);
    shot.bitmap = CreateDIBSection(shot.dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&shot.px), nullptr, 0);
    if (!shot.dc || !shot.bitmap) return false;
    shot.original = SelectObject(shot.dc, shot.bitmap);
    RECT all = {0, 0, w, h};
    FillRect(shot.dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    // The stand-in's edge, which the system draws outside its client area,
    // then the client area inside it.
    const LONG_PTR ex_style = GetWindowLongPtrW(stand_in, GWL_EXSTYLE);
    if (ex_style & WS_EX_CLIENTEDGE) DrawEdge(shot.dc, &all, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    if (ex_style & WS_EX_STATICEDGE) DrawEdge(shot.dc, &all, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    SetViewportOrgEx(shot.dc, all.left, all.top, nullptr);
    SendMessageW(stand_in, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.dc), PRF_CLIENT | PRF_ERASEBKGND);
    SetViewportOrgEx(shot.dc, 0, 0, nullptr);
    shot.inside = all;
    GdiFlush();
    return true;
}

void drop_shot(Shot& shot) {
    if (shot.original) SelectObject(shot.dc, shot.original);
    if (shot.bitmap) DeleteObject(shot.bitmap);
    if (shot.dc) DeleteDC(shot.dc);
    shot = Shot{};
}

// Where the text shows: the pixels that differ between the stand-in with
// its text and without (for a group box, the gap in its frame too).
RECT text_place(const Shot& with_text, const Shot& without, int w, int h) {
    RECT r = {w, h, 0, 0};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (with_text.px[y * w + x] == without.px[y * w + x]) continue;
            if (x < r.left) r.left = x;
            if (y < r.top) r.top = y;
            if (x + 1 > r.right) r.right = x + 1;
            if (y + 1 > r.bottom) r.bottom = y + 1;
        }
    return r;
}

HWND make_stand_in(HWND control, int w, int h, const wchar_t* text) {
    wchar_t kind[16] = L"";
    GetClassNameW(control, kind, 16);
    const LONG style = GetWindowLongW(control, GWL_STYLE) & ~(WS_VISIBLE | WS_TABSTOP | WS_GROUP);
    HWND stand_in = create_at_100_percent(kind, text, style | WS_CHILD, w, h, host());
    if (!stand_in) return nullptr;
    SendMessageW(stand_in, WM_SETFONT, reinterpret_cast<WPARAM>(GetPropW(control, font_of_design)), FALSE);
    if (of_class(control, L"Button")) {
        SendMessageW(stand_in, BM_SETCHECK, SendMessageW(control, BM_GETCHECK, 0, 0), 0);
        SendMessageW(stand_in, BM_SETSTATE, (SendMessageW(control, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0, 0);
    }
    return stand_in;
}

// The text again, sharp, where the design's was: a button's beside its mark
// on one line, a static's from its corner on, wrapped as the static wraps.
void write_text_again(HWND control, HDC dc, const wchar_t* text, RECT place, const RECT& client, const RECT& inside) {
    HWND dialog = GetParent(control);
    const bool button = of_class(control, L"Button");
    // A static writes from the corner inside its edge, as the system does:
    // from the top of its ink (below the font's leading and accents) the
    // larger text would reach past the box and lose its descenders.
    if (!button) place = inside;
    HBRUSH background =
        reinterpret_cast<HBRUSH>(SendMessageW(dialog, button ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC,
                                              reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    if (button) // the classic buttons ask for the static colours
        background = reinterpret_cast<HBRUSH>(
            SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    FillRect(dc, &place, background ? background : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    // Within the edge, as the system's own text would be.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, inside.left, inside.top, inside.right, inside.bottom);
    HGDIOBJ old_font = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    UINT format = DT_LEFT | DT_TOP | DT_WORDBREAK;
    if (button) {
        place.right = client.right;
        format = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    }
    DrawTextW(dc, text, -1, &place, format);
    if (button && GetFocus() == control) {
        RECT ink = place;
        DrawTextW(dc, text, -1, &ink, format | DT_CALCRECT);
        InflateRect(&ink, 1, 1);
        DrawFocusRect(dc, &ink);
    }
    SelectObject(dc, old_font);
    RestoreDC(dc, saved);
}

void paint_control(HWND control, HDC dc) {
    RECT client;
    GetClientRect(control, &client);
    const POINT design = design_point(client.right, client.bottom);
    const int w = design.x, h = design.y;
    std::vector<wchar_t> text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    HWND stand_in = w > 0 && h > 0 ? make_stand_in(control, w, h, text.data()) : nullptr;
    Shot with_text, without;
    if (stand_in && take_shot(stand_in, w, h, with_text)) {
        // Blanks keep the layout (a box alone would be placed otherwise).
        SetWindowTextW(stand_in, std::wstring(text.size() - 1, L' ').c_str());
        if (take_shot(stand_in, w, h, without)) {
            SetStretchBltMode(dc, COLORONCOLOR);
            StretchBlt(dc, 0, 0, client.right, client.bottom, with_text.dc, 0, 0, w, h, SRCCOPY);
            const RECT place = text_place(with_text, without, w, h);
            if (place.left < place.right)
                write_text_again(control, dc, text.data(),
                                 window_rect(place.left, place.top, place.right, place.bottom), client,
                                 window_rect(with_text.inside.left, with_text.inside.top, with_text.inside.right,
                                             with_text.inside.bottom));
        }
    }
    drop_shot(with_text);
    drop_shot(without);
    if (stand_in) DestroyWindow(stand_in);
}

// The messages after which a button draws itself straight away (a click, a
// check, the focus): it is then painted again at once.
bool draws_itself(UINT message) {
    switch (message) {
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_CLICK:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE: return true;
    default: return false;
    }
}

LRESULT CALLBACK scaled_control_proc(HWND control, UINT message, WPARAM wparam, LPARAM lparam) {
    const WNDPROC original = reinterpret_cast<WNDPROC>(GetPropW(control, original_proc));
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(control, &ps);
        const ScreenScale kept = enter_dialog_scale(GetParent(control));
        paint_control(control, dc);
        leave_dialog_scale(kept);
        EndPaint(control, &ps);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropW(control, original_proc);
        RemovePropW(control, font_of_design);
    }
    const LRESULT result = CallWindowProcW(original, control, message, wparam, lparam);
    if (draws_itself(message) && IsWindow(control))
        RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return result;
}

} // namespace

bool has_system_marks(HWND control) {
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (of_class(control, L"Static")) return (style & SS_SUNKEN) != 0;
    if (!of_class(control, L"Button")) return false;
    switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_GROUPBOX: return true;
    default: return false;
    }
}

void scale_control(HWND control, HFONT design_font) {
    if (pixel_scale == 1) return;
    // The control's own edge would stay the system's width: its whole
    // window is painted instead, edge included.
    const LONG_PTR ex_style = GetWindowLongPtrW(control, GWL_EXSTYLE);
    SetWindowLongPtrW(control, GWL_EXSTYLE, ex_style & ~(WS_EX_STATICEDGE | WS_EX_CLIENTEDGE));
    SetWindowPos(control, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetPropW(control, font_of_design, design_font);
    SetPropW(control, original_proc, reinterpret_cast<HANDLE>(GetWindowLongPtrW(control, GWLP_WNDPROC)));
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(scaled_control_proc));
    InvalidateRect(control, nullptr, TRUE);
}

void release_scaled_controls() {
    if (stand_in_host) DestroyWindow(stand_in_host);
    stand_in_host = nullptr;
}
