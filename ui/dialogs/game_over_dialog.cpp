// Game-over dialog 191: the whole screen in the winner's colour, the
// winner's name, the run's statistics, the car, and "Seguir" or "Salir".
#include "ui/dialogs/dialogs.h"
#include "ui/dialogs/car_animation.h"
#include "ui/dialogs/dialog_scale.h"
#include "ui/dialogs/frame.h"

#include "game/board.h"
#include "game/seam.h"
#include "game/state.h"
#include "records/records.h"
#include "ui/app/app.h"
#include "ui/app/text.h"
#include "ui/draw/scale.h"
#include "ui/resources/graphics.h"
#include "ui/resources/resource.h"
#include "ui/timing/timing.h"

// Entry 0 "Seguir" (its left and top used), entry 1 "Salir" (its right and
// bottom): the oval behind the two pictures spans from one to the other.
static ButtonRecord* exit_buttons;
// Where the design's 640 x 480 area stands on the screen the dialog was
// opened on: the board's place then.
static POINT design_origin;
enum { OVAL_MARGIN = 17 };

static void load_exit_buttons(HWND dialog) {
    exit_buttons = new ButtonRecord[2]();
    exit_buttons[0].pressed = load_picture(IDB_GO_ON_PRESSED);
    exit_buttons[0].normal = load_picture(IDB_GO_ON);
    exit_buttons[1].pressed = load_picture(IDB_QUIT_PRESSED);
    exit_buttons[1].normal = load_picture(IDB_QUIT);
    put_picture(dialog, IDOK, static_cast<HBITMAP>(exit_buttons[0].normal));
    put_picture(dialog, IDCANCEL, static_cast<HBITMAP>(exit_buttons[1].normal));
    // In the dialog's client coordinates, which maximising does not move
    // the controls in; kept in design pixels.
    RECT r;
    GetWindowRect(GetDlgItem(dialog, IDOK), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    const POINT go_on = design_point(r.left, r.top);
    exit_buttons[0].left = go_on.x;
    exit_buttons[0].top = go_on.y;
    GetWindowRect(GetDlgItem(dialog, IDCANCEL), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    const POINT quit = design_point(r.right, r.bottom);
    exit_buttons[1].right = quit.x;
    exit_buttons[1].bottom = quit.y;
}

static void release_exit_buttons() {
    for (int i = 0; i < 2; ++i) {
        DeleteObject(static_cast<HGDIOBJ>(exit_buttons[i].pressed));
        DeleteObject(static_cast<HGDIOBJ>(exit_buttons[i].normal));
    }
    delete[] exit_buttons;
    exit_buttons = nullptr;
}

static void show_statistics(HWND dialog) {
    finish_game_record();
    const GameOverTexts& t = game_over_texts;
    set_item_text(dialog, IDC_TIME, t.game_time);
    // A record that cannot be read leaves the template's text.
    if (t.first_home_read) set_item_text(dialog, IDC_FIRST_HOME, t.first_home);
    set_item_text(dialog, IDC_WINS_LABEL, t.won_label);
    set_item_text(dialog, IDC_WINS, t.games_won);
    set_item_text(dialog, IDC_GAMES, t.total_games);
    set_item_text(dialog, IDC_LAST_PLAYER, t.last_player);
}

static void init_game_over_dialog(HWND dialog) {
    scale_dialog(dialog);
    centre_design_area(dialog);
    design_origin = POINT{board_dx, board_dy};
    play_sound("Bravo.wav", SOUND_CUTS);
    make_car();
    load_exit_buttons(dialog);
    show_statistics(dialog);
    game_flags |= GF_ANIMATE;
    SetTimer(dialog, CAR_TIMER, 1, nullptr);
    // The dialog manager may show the dialog normally once its queue first
    // runs empty, which would undo the maximising: its normal place is the
    // whole screen too (the game's monitor).
    RECT screen;
    GetWindowRect(main_window, &screen);
    SetWindowPos(dialog, nullptr, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(dialog, SW_SHOWMAXIMIZED);
}

// 255 bands over the screen's height, from the winner's full colour down
// to almost black, in design pixels (the last column and row also cover
// what a screen of no whole number of blocks leaves over).
static void paint_winner_gradient(HDC dc) {
    const float band = screen_h / 255.0f;
    for (int i = 0; i < 255; ++i) {
        const int v = 255 - i;
        COLORREF colour = RGB(v, 0, 0);
        if (current_player == 1) colour = RGB(0, 0, v);
        if (current_player == 2) colour = RGB(v, v, 0);
        if (current_player == 3) colour = RGB(0, v, 0);
        const LONG bottom = i == 254 ? screen_h + 1 : static_cast<LONG>((i + 1) * band);
        const RECT r = {0, static_cast<LONG>(i * band), screen_w + 1, bottom};
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
}

static void erase_game_over(HDC dc) {
    const int saved = SaveDC(dc);
    draw_in_design_pixels(dc);
    paint_winner_gradient(dc);
    RestoreDC(dc, saved);
}

// The oval is drawn at the design's size over its own piece of the
// gradient and copied enlarged: its outline a whole block wide.
static void paint_oval(HDC dc) {
    const Rect r = {exit_buttons[0].left - OVAL_MARGIN, exit_buttons[0].top - OVAL_MARGIN,
                    exit_buttons[1].right + OVAL_MARGIN, exit_buttons[1].bottom + OVAL_MARGIN};
    DesignCanvas oval;
    if (!start_canvas(oval, r.left, r.top, r.right - r.left, r.bottom - r.top)) return;
    paint_winner_gradient(oval.dc);
    SelectObject(oval.dc, GetStockObject(BLACK_BRUSH));
    SelectObject(oval.dc, frame_pen);
    Ellipse(oval.dc, r.left, r.top, r.right, r.bottom);
    finish_canvas(oval, dc);
}

static void paint_game_over(HWND dialog) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    const int saved = SaveDC(dc);
    draw_in_design_pixels(dc);
    SelectObject(dc, count_font);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    const char* name = player_name[current_player];
    write_text(dc, design_origin.x + 224, design_origin.y + 24, name);
    paint_oval(dc);
    RestoreDC(dc, saved);
    EndPaint(dialog, &ps);
}

static void leave_game_over(HWND dialog, int entry, INT_PTR result) {
    flash_button(dialog, entry == 0 ? IDOK : IDCANCEL, exit_buttons[entry]);
    delay_seconds(0.1f);
    drop_queued_input();
    EndDialog(dialog, result);
}

static INT_PTR CALLBACK game_over_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: init_game_over_dialog(dialog); return TRUE;
    case WM_ERASEBKGND: {
        const ScreenScale kept = enter_dialog_scale(dialog);
        erase_game_over(reinterpret_cast<HDC>(wparam));
        leave_dialog_scale(kept);
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    case WM_PAINT: {
        const ScreenScale kept = enter_dialog_scale(dialog);
        paint_game_over(dialog);
        leave_dialog_scale(kept);
        return TRUE;
    }
    case WM_TIMER:
        // The car stands still while the game is in the background.
        if (wparam == CAR_TIMER && (game_flags & GF_ANIMATE)) {
            const ScreenScale kept = enter_dialog_scale(dialog);
            move_car(dialog);
            leave_dialog_scale(kept);
        }
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) leave_game_over(dialog, 0, 1);
        if (LOWORD(wparam) == IDCANCEL) leave_game_over(dialog, 1, 0);
        return TRUE;
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: return colour_control(reinterpret_cast<HDC>(wparam), RGB(255, 0, 0));
    case WM_DESTROY:
        KillTimer(dialog, CAR_TIMER);
        release_car();
        release_exit_buttons();
        release_dialog_font(dialog);
        return TRUE;
    }
    (void)lparam;
    return FALSE;
}

int game_over_dialog() {
    return static_cast<int>(
        DialogBoxParamW(app_instance, MAKEINTRESOURCEW(IDD_GAME_OVER), main_window, game_over_dialog_proc, 0));
}
