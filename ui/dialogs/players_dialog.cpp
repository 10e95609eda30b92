// Players dialog 162: a name and a computer choice per seated seat, and
// the "Soplar" option. Its OK is what starts the game.
#include "ui/dialogs/players_dialog.h"
#include "ui/dialogs/dialog_scale.h"
#include "ui/dialogs/frame.h"

#include "saves/save_file.h"
#include "game/seam.h"
#include "game/state.h"
#include "ui/app/app.h"
#include "ui/app/text.h"
#include "ui/resources/graphics.h"
#include "ui/resources/resource.h"
#include "ui/timing/timing.h"

#include <cstdio>

// The row controls of each seat, by seat: their ids follow no arithmetic.
static const int label_id[SEATS] = {IDC_SEAT0_LABEL, IDC_SEAT1_LABEL, IDC_SEAT2_LABEL, IDC_SEAT3_LABEL};
static const int name_id[SEATS] = {IDC_SEAT0_NAME, IDC_SEAT1_NAME, IDC_SEAT2_NAME, IDC_SEAT3_NAME};
static const int cpu_id[SEATS] = {IDC_SEAT0_CPU, IDC_SEAT1_CPU, IDC_SEAT2_CPU, IDC_SEAT3_CPU};

// Handles of the open dialog's controls.
static HWND name_edit[SEATS];
static HWND seat_label[SEATS];
static HWND cpu_box[SEATS];
static HWND soplar_yes;
static HWND soplar_no;
static ButtonRecord* ok_button;

static bool ticked(HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
static void set_ticked(HWND box, bool on) { SendMessageA(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

static void set_default_name(unsigned seat, unsigned number) {
    char text[NAME_SIZE + 8];
    std::snprintf(text, sizeof text, "Jugador %u", number);
    set_window_text(name_edit[seat], text);
}

static unsigned count_ticked() {
    unsigned count = 0;
    for (unsigned seat = 0; seat <= last_player; seat += player_step)
        if (ticked(cpu_box[seat])) count += 1;
    return count;
}

static void fetch_controls(HWND dialog) {
    for (unsigned seat = 0; seat < SEATS; ++seat) {
        name_edit[seat] = GetDlgItem(dialog, name_id[seat]);
        seat_label[seat] = GetDlgItem(dialog, label_id[seat]);
        cpu_box[seat] = GetDlgItem(dialog, cpu_id[seat]);
    }
    soplar_yes = GetDlgItem(dialog, IDC_SOPLAR_YES);
    soplar_no = GetDlgItem(dialog, IDC_SOPLAR_NO);
}

static void fill_rows() {
    for (unsigned seat = 0; seat <= last_player; seat += player_step) {
        if (game_number == 0) {
            set_default_name(seat, seat + 1);
        } else {
            set_window_text(name_edit[seat], player_name[seat]);
            set_ticked(cpu_box[seat], cpu_player[seat] != 0);
        }
    }
    // Two players sit at seats 0 and 2 but are numbered 1 and 2.
    if (player_step == 2) {
        set_window_text(seat_label[2], "2");
        if (player_name[2][0] == 0) set_default_name(2, 2);
    }
    // Choices kept from a game with more seats could hand every seat of
    // this one to the computer; the first seat stays a person.
    if (count_ticked() == player_count) set_ticked(cpu_box[0], false);
    for (unsigned seat = 0; seat <= last_player; seat += player_step) {
        SendMessageA(name_edit[seat], EM_LIMITTEXT, NAME_SIZE - 1, 0);
        ShowWindow(name_edit[seat], SW_SHOW);
        ShowWindow(seat_label[seat], SW_SHOW);
        ShowWindow(cpu_box[seat], SW_SHOW);
    }
}

static void init_players_dialog(HWND dialog) {
    use_1252_font(dialog);
    scale_dialog(dialog);
    apply_ellipse_shape(dialog);
    game_flags &= ~GF_BUTTON_HELD;
    ok_button = new ButtonRecord();
    ok_button->pressed = load_picture(IDB_OK_PRESSED);
    ok_button->normal = load_picture(IDB_OK);
    put_picture(dialog, IDOK, static_cast<HBITMAP>(ok_button->normal));
    fetch_controls(dialog);
    set_ticked((game_flags & GF_SOPLAR) ? soplar_yes : soplar_no, true);
    fill_rows();
    SetFocus(name_edit[0]);
}

static void release_players_dialog() {
    DeleteObject(static_cast<HGDIOBJ>(ok_button->pressed));
    DeleteObject(static_cast<HGDIOBJ>(ok_button->normal));
    delete ok_button;
    ok_button = nullptr;
}

static void start_game(HWND dialog) {
    flash_button(dialog, IDOK, *ok_button);
    play_sound("Tit.wav", SOUND_CUTS);
    delay_seconds(0.1f);
    drop_queued_input();
    for (unsigned seat = 0; seat <= last_player; seat += player_step) {
        char* name = player_name[seat];
        get_window_text(name_edit[seat], name, NAME_SIZE);
        // A pasted tab or a character 1252 leaves undefined would make every
        // save of this game fail.
        for (char* c = name; *c; ++c)
            if (!name_byte_ok(static_cast<unsigned char>(*c))) *c = '?';
        cpu_player[seat] = ticked(cpu_box[seat]) ? 1 : 0;
        if (name[0] >= 'a' && name[0] <= 'z') name[0] = static_cast<char>(name[0] - 'a' + 'A');
    }
    if (ticked(soplar_yes)) game_flags |= GF_SOPLAR;
    else game_flags &= ~GF_SOPLAR;
    EndDialog(dialog, 1);
    new_game();
}

// Any seat but one may be the computer: a click that would hand every seat
// to it is undone, in a two-player game by clearing the other box (the
// last click wins), otherwise by clearing the clicked one.
static void keep_one_person(HWND control) {
    if (count_ticked() != player_count) return;
    if (player_count == 2) set_ticked(control == cpu_box[0] ? cpu_box[2] : cpu_box[0], false);
    else set_ticked(control, false);
}

static void players_command(HWND dialog, int id, int code, HWND control) {
    if (id == IDOK) {
        if (!second_click_of_busy_press()) start_game(dialog);
        return;
    }
    if (id == IDCANCEL) {
        EndDialog(dialog, 0);
        return;
    }
    if (code == BN_CLICKED) keep_one_person(control);
    // Typing replaces the name rather than adding to it.
    if (code == EN_SETFOCUS) SendMessageA(control, EM_SETSEL, 0, -1);
}

static INT_PTR colour_players_control(HWND control, HDC dc) {
    for (unsigned seat = 0; seat < SEATS; ++seat)
        if (control == name_edit[seat] || control == cpu_box[seat]) return colour_control(dc, player_colour[seat]);
    return colour_control(dc, player_colour[0]);
}

static INT_PTR CALLBACK players_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: init_players_dialog(dialog); return FALSE; // the focus is set
    case WM_COMMAND:
        players_command(dialog, LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
        return TRUE;
    case WM_PAINT: paint_ellipse_border(dialog); return TRUE;
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: return colour_players_control(reinterpret_cast<HWND>(lparam), reinterpret_cast<HDC>(wparam));
    case WM_DESTROY:
        release_players_dialog();
        release_dialog_font(dialog);
        return TRUE;
    }
    return FALSE;
}

INT_PTR players_dialog(HWND owner) {
    return DialogBoxParamW(app_instance, MAKEINTRESOURCEW(IDD_PLAYERS), owner, players_dialog_proc, 0);
}
