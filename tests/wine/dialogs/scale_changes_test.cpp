// Faults: a dialog's text cut by its box at scale 2, 3 or 4 where the design's fits (the descenders of a sunken text),
// a dialog open while the scale changes painted at the new scale over its old layout, the turn name's font deleted
// while still selected in the window's context when the scale changes.
//
// The game's own window and dialog code runs in this process, with the game's resources, so that the scale can be
// set directly and every control read back from the screen.
#include "check.h"

#include "game/board.h"
#include "ui/app/app.h"
#include "ui/app/window.h"
#include "ui/dialogs/dialog_scale.h"
#include "ui/dialogs/frame.h"
#include "ui/draw/scale.h"
#include "ui/resources/graphics.h"
#include "ui/resources/resource.h"

#include <cstdint>
#include <vector>

int failed_checks;

namespace {

// The screen inside r, 0x00RRGGBB, top row first.
std::vector<uint32_t> capture(const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    std::vector<uint32_t> px(static_cast<size_t>(w) * h);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP shot = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, shot);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    for (size_t i = 0; i < px.size(); ++i) px[i] = static_cast<const uint32_t*>(bits)[i] & 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(shot);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return px;
}

void pump() {
    MSG m;
    for (int i = 0; i < 5; ++i) {
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
        Sleep(20);
    }
}

// Painted as the game's dialogs are: red texts on black, the red ring.
INT_PTR CALLBACK game_like_dialog(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: scale_dialog(dialog); return TRUE;
    case WM_PAINT: paint_ellipse_border(dialog); return TRUE;
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT: return colour_control(reinterpret_cast<HDC>(wparam), RGB(255, 0, 0));
    case WM_DESTROY: release_dialog_font(dialog); return FALSE;
    }
    return FALSE;
}

// Every control shown, with the longest of the texts the game puts there
// ("Jugador 2" has the descenders of g and j).
HWND open_dialog(int id, uint8_t k) {
    pixel_scale = k;
    HWND dialog = CreateDialogParamW(app_instance, MAKEINTRESOURCEW(id), nullptr, game_like_dialog, 0);
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char text[64] = "";
        GetWindowTextA(c, text, sizeof text);
        if (text[0] == 0 || lstrcmpA(text, "1") == 0) SetWindowTextA(c, "Jugador 2");
        ShowWindow(c, SW_SHOWNA);
    }
    SetDlgItemTextA(dialog, IDC_WINS_LABEL, "Jugador 2 gan\xF3:");
    for (int credit : {IDC_CREDIT_1, IDC_CREDIT_2, IDC_CREDIT_3})
        SetDlgItemTextA(dialog, credit, "Gracias a todos los que jugaron cada partida y cada tirada.");
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(dialog);
    pump();
    return dialog;
}

// Where the control shows anything but black, k pixels in from its edge (an
// edge is one design pixel wide), in pixels of its window rectangle.
struct Ink {
    int left, top, right, bottom;
    int w() const { return right - left; }
    int h() const { return bottom - top; }
};

Ink ink_of(HWND control, int k) {
    RECT r;
    GetWindowRect(control, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const std::vector<uint32_t> px = capture(r);
    Ink ink = {w, h, 0, 0};
    for (int y = k; y < h - k; ++y)
        for (int x = k; x < w - k; ++x)
            if (px[static_cast<size_t>(y) * w + x] != 0) {
                ink.left = x < ink.left ? x : ink.left;
                ink.top = y < ink.top ? y : ink.top;
                ink.right = x + 1 > ink.right ? x + 1 : ink.right;
                ink.bottom = y + 1 > ink.bottom ? y + 1 : ink.bottom;
            }
    return ink;
}

// Not one that lies outside the dialog, never seen. An edit box is left out: its border stays the system's width, which
// the measure cannot tell from its text, and its box grows more than its font.
bool shows_text(HWND control) {
    char kind[16] = "";
    GetClassNameA(control, kind, sizeof kind);
    RECT r, client;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    GetClientRect(GetParent(control), &client);
    return r.bottom <= client.bottom && IsWindowVisible(control) && lstrcmpiA(kind, "Edit") != 0 &&
           GetWindowTextLengthA(control) > 0 && (GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP;
}

// Each text as high as the design's k times (a font k times larger is
// within a pixel a block of that; the measure starts a block in), nearly
// as wide: nothing cut off.
void check_texts_fit(int id, const char* name) {
    struct Text {
        int control;
        Ink ink;
    };
    std::vector<Text> design;
    HWND dialog = open_dialog(id, 1);
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (shows_text(c)) {
            const Ink ink = ink_of(c, 1);
            if (ink.w() > 0) design.push_back(Text{GetDlgCtrlID(c), ink});
        }
    DestroyWindow(dialog);
    for (uint8_t k = 2; k <= 4; ++k) {
        dialog = open_dialog(id, k);
        for (const Text& t : design) {
            const Ink big = ink_of(GetDlgItem(dialog, t.control), k);
            CHECK(big.h() >= k * (t.ink.h() - 2) && big.w() * 10 >= k * (t.ink.w() * 9 - 10),
                  "%s, control %d at scale %d: its text %d x %d pixels for %d x %d at scale 1", name, t.control, k,
                  big.w(), big.h(), t.ink.w(), t.ink.h());
        }
        DestroyWindow(dialog);
    }
}

// The display changes to another scale while the dialog is open: painted
// again, it shows what it showed.
void check_paints_at_own_scale() {
    HWND dialog = open_dialog(IDD_GAME_OVER, 2);
    RECT r;
    GetWindowRect(dialog, &r);
    const std::vector<uint32_t> before = capture(r);
    pixel_scale = 4;
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pump();
    const std::vector<uint32_t> after = capture(r);
    int differ = 0;
    for (size_t i = 0; i < before.size(); ++i) differ += before[i] != after[i];
    CHECK(differ == 0, "a dialog laid out at scale 2 painted again after the scale became 4: %d pixels changed",
          differ);
    DestroyWindow(dialog);
}

// The window's context shows the turn's name in name_font; a change of
// scale makes that font again and must not delete it while selected.
void check_name_font_let_go() {
    WNDCLASSA c = {};
    c.style = CS_OWNDC;
    c.lpfnWndProc = main_window_proc;
    c.hInstance = app_instance;
    c.lpszClassName = "Korvalo Class";
    RegisterClassA(&c);
    const MeasuredScreen screen = measure_screen();
    screen_w = screen.w;
    screen_h = screen.h;
    pixel_scale = 3;
    // Not shown: only its creation set-up and its context are wanted.
    CreateWindowExA(0, c.lpszClassName, "", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, app_instance, nullptr);
    for (uint8_t k : {2, 4}) {
        SelectObject(window_dc, name_font);
        const HGDIOBJ shown = name_font;
        pixel_scale = k;
        scale_drawing();
        CHECK(GetCurrentObject(window_dc, OBJ_FONT) != shown || name_font == shown,
              "the name's font released at scale %d while still selected", k);
    }
    DestroyWindow(main_window);
}

} // namespace

int main() {
    setvbuf(stdout, nullptr, _IONBF, 0);
    app_instance = GetModuleHandleA(nullptr);
    check_texts_fit(IDD_GAME_OVER, "the game-over dialog");
    check_texts_fit(IDD_PLAYERS, "the players dialog");
    check_texts_fit(IDD_NEW_GAME, "the new-game dialog");
    check_texts_fit(IDD_ABOUT, "the About dialog");
    check_paints_at_own_scale();
    check_name_font_let_go();
    std::printf("scale changes: %d failed checks\n", failed_checks);
    return failed_checks == 0 ? 0 : 1;
}
