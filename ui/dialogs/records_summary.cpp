// Records summary dialog 198: per seat the name and its three counts over
// the run's games, the games won again in the central square, and the
// total playing time. Everything is painted; there are no controls.
#include "ui/dialogs/dialogs.h"
#include "ui/dialogs/dialog_scale.h"

#include "game/board.h"
#include "game/state.h"
#include "records/records.h"
#include "ui/app/app.h"
#include "ui/app/text.h"
#include "ui/draw/scale.h"
#include "ui/resources/graphics.h"
#include "ui/resources/resource.h"

#include <cstdio>

enum { SUMMARY_W = 640, SUMMARY_H = 480 };

static HFONT summary_font;

// Drawing order of the three label lines and the count each one shows.
static const char* const count_labels[3] = {"Juegos ganados:", "Primera ficha:", "Último jugador:"};
static const int count_column[3] = {RECORD_WINNER, RECORD_FIRST_HOME, RECORD_LAST_PLAYER};

static void init_summary(HWND dialog, unsigned last_game) {
    scale_dialog(dialog);
    tally_records(last_game);
    HANDLE icon = LoadImageA(app_instance, MAKEINTRESOURCEA(IDI_KORVALO), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                             GetSystemMetrics(SM_CYSMICON), LR_SHARED);
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    // 18 points at 100 %, in design pixels: the painting draws them larger.
    summary_font =
        CreateFontA(-MulDiv(18, 96, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    // Signed: a screen smaller than the box puts it partly off the top left.
    const int k = pixel_scale;
    const int x = (static_cast<int>(screen_w) - SUMMARY_W) / 2, y = (static_cast<int>(screen_h) - SUMMARY_H) / 2;
    RECT monitor; // the game's
    GetWindowRect(main_window, &monitor);
    SetWindowPos(dialog, nullptr, monitor.left + x * k, monitor.top + y * k, SUMMARY_W * k, SUMMARY_H * k,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // Shown after the game's window was hidden: a window of its own with a
    // taskbar button, in front, or the player could not find it while the
    // program waits for it.
    if (!GetWindow(dialog, GW_OWNER)) {
        SetWindowLongPtrA(dialog, GWL_EXSTYLE, GetWindowLongPtrA(dialog, GWL_EXSTYLE) | WS_EX_APPWINDOW);
        SetForegroundWindow(dialog);
    }
}

// 255 bands laid over the screen's height, not the box's: the box shows
// the upper, yellower part of it. In design pixels, like all the summary.
static void paint_summary_gradient(HDC dc) {
    const int saved = SaveDC(dc);
    draw_in_design_pixels(dc);
    const float band = screen_h / 256.0f;
    for (int i = 0; i < 255; ++i) {
        const RECT r = {0, static_cast<LONG>(i * band), screen_w, static_cast<LONG>((i + 1) * band)};
        HBRUSH brush = CreateSolidBrush(RGB(255, 255 - i, 0));
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
    RestoreDC(dc, saved);
}

static void text_at(HDC dc, int x, int y, const char* text) { write_text(dc, x, y, text); }

static void paint_seat(HDC dc, unsigned seat) {
    const int x = 45 + 320 * (seat % 2);
    const int y = 30 + 240 * (seat / 2);
    char text[40];
    SetTextColor(dc, RGB(0, 0, 0));
    text_at(dc, x, y, player_name[seat]);
    std::snprintf(text, sizeof text, "%d", record_tally[seat][RECORD_WINNER]);
    text_at(dc, 292 + 40 * (seat % 2), 203 + 40 * (seat / 2), text);
    SetTextColor(dc, player_colour[seat]);
    for (int line = 0; line < 3; ++line) {
        std::snprintf(text, sizeof text, "%s%d", count_labels[line], record_tally[seat][count_column[line]]);
        text_at(dc, x, y + 40 + 48 * line, text);
    }
}

// The square's outline is filled, one design pixel wide at any scale.
static void paint_summary(HWND dialog) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    const int saved = SaveDC(dc);
    draw_in_design_pixels(dc);
    SelectObject(dc, summary_font);
    SetBkMode(dc, TRANSPARENT);
    const RECT square = {280, 200, 361, 281};
    FrameRect(dc, &square, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    for (unsigned seat = 0; seat < SEATS; ++seat) paint_seat(dc, seat);
    const uint32_t ms = total_game_time;
    char line[48];
    std::snprintf(line, sizeof line, "Tiempo total: %02u:%02u:%02u", ms / 3600000u, ms / 60000u % 60u,
                  ms / 1000u % 60u);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT r = {0, 5, 639, 479};
    write_text_in(dc, line, &r, DT_CENTER);
    RestoreDC(dc, saved);
    EndPaint(dialog, &ps);
}

static INT_PTR CALLBACK summary_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: init_summary(dialog, static_cast<unsigned>(lparam)); return TRUE;
    case WM_ERASEBKGND: {
        const ScreenScale kept = enter_dialog_scale(dialog);
        paint_summary_gradient(reinterpret_cast<HDC>(wparam));
        leave_dialog_scale(kept);
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    case WM_PAINT: {
        const ScreenScale kept = enter_dialog_scale(dialog);
        paint_summary(dialog);
        leave_dialog_scale(kept);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) EndDialog(dialog, 1);
        return TRUE;
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
    case WM_DESTROY:
        DeleteObject(summary_font);
        summary_font = nullptr;
        release_dialog_font(dialog);
        return TRUE;
    }
    return FALSE;
}

// A hidden window owning the summary would keep it off the taskbar.
void show_records_summary(unsigned last_game) {
    HWND owner = IsWindowVisible(main_window) ? main_window : nullptr;
    DialogBoxParamW(app_instance, MAKEINTRESOURCEW(IDD_RECORDS), owner, summary_dialog_proc,
                    static_cast<LPARAM>(last_game));
}
