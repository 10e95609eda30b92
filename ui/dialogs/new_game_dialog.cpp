// New-game dialog 100: how many tokens each player has and how many play.
#include "ui/dialogs/dialogs.h"
#include "ui/dialogs/dialog_scale.h"
#include "ui/dialogs/frame.h"
#include "ui/dialogs/players_dialog.h"

#include "game/seam.h"
#include "game/state.h"
#include "ui/app/app.h"
#include "ui/resources/resource.h"
#include "ui/timing/timing.h"

unsigned char chosen_players;
unsigned char chosen_tokens;

// Entries 0 to 6 are the choice buttons 203 to 209 (selected picture in
// `pressed`, normal in `normal`); the player row shares the pictures of
// tokens 2 to 4. Entry 7 is OK (pressed, normal).
enum { PLAYER_ROW = 4, OK_ENTRY = 7, COUNT_ENTRIES = 8 };
static ButtonRecord* count_buttons;

static_assert(IDC_CHOICE_FIRST + PLAYER_ROW == IDC_PLAYERS_2, "player row after the token row");
static_assert(IDC_CHOICE_COUNT == OK_ENTRY, "one entry per choice button, then OK");

static bool is_selected(int entry) {
    return entry < PLAYER_ROW ? entry == tokens_per_player - 1 : entry == player_count + 2;
}

// Exactly the chosen button of each row shows its selected picture.
static void show_choices(HWND dialog) {
    for (int i = 0; i < OK_ENTRY; ++i) {
        const ButtonRecord& b = count_buttons[i];
        show_picture(dialog, IDC_CHOICE_FIRST + i, is_selected(i) ? b.pressed : b.normal);
    }
}

static void load_count_buttons(HWND dialog) {
    count_buttons = new ButtonRecord[COUNT_ENTRIES]();
    for (int n = 1; n <= IDB_COUNT_PAIRS; ++n) {
        count_buttons[n - 1].pressed = load_picture(IDB_COUNT_SELECTED(n));
        count_buttons[n - 1].normal = load_picture(IDB_COUNT_NORMAL(n));
    }
    for (int i = PLAYER_ROW; i < OK_ENTRY; ++i) count_buttons[i] = count_buttons[i - PLAYER_ROW + 1];
    count_buttons[OK_ENTRY].pressed = load_picture(IDB_OK_PRESSED);
    count_buttons[OK_ENTRY].normal = load_picture(IDB_OK);
    put_picture(dialog, IDOK, static_cast<HBITMAP>(count_buttons[OK_ENTRY].normal));
}

// The player row shares its handles with the token row: each released once.
static void release_count_buttons() {
    for (int i = 0; i < COUNT_ENTRIES; ++i) {
        if (i >= PLAYER_ROW && i < OK_ENTRY) continue;
        DeleteObject(static_cast<HGDIOBJ>(count_buttons[i].pressed));
        DeleteObject(static_cast<HGDIOBJ>(count_buttons[i].normal));
    }
    delete[] count_buttons;
    count_buttons = nullptr;
}

// The first game of the run starts from one token and two players; later
// ones from the counts in force, which a cancel puts back.
static void remember_counts() {
    if (!(game_flags & GF_GAME_ON) && game_number == 0) {
        tokens_per_player = chosen_tokens = 1;
        player_count = chosen_players = 2;
    } else {
        chosen_tokens = tokens_per_player;
        chosen_players = player_count;
    }
}

static void init_new_game_dialog(HWND dialog) {
    scale_dialog(dialog);
    apply_ellipse_shape(dialog);
    remember_counts();
    load_count_buttons(dialog);
    show_choices(dialog);
}

static void choose(HWND dialog, int entry) {
    if (entry < PLAYER_ROW) tokens_per_player = static_cast<uint8_t>(entry + 1);
    else player_count = static_cast<uint8_t>(entry - 2);
    show_choices(dialog);
}

static void confirm_counts(HWND dialog) {
    seat_players();
    play_sound("Tit.wav", SOUND_CUTS);
    flash_button(dialog, IDOK, count_buttons[OK_ENTRY]);
    delay_seconds(0.1f);
    drop_queued_input();
    if (players_dialog(dialog)) EndDialog(dialog, 1);
    else show_picture(dialog, IDOK, count_buttons[OK_ENTRY].normal);
}

static void new_game_command(HWND dialog, int id) {
    if (id == IDOK) confirm_counts(dialog);
    else if (id == IDCANCEL) EndDialog(dialog, 0);
    else if (id >= IDC_CHOICE_FIRST && id <= IDC_CHOICE_LAST) choose(dialog, id - IDC_CHOICE_FIRST);
}

static INT_PTR CALLBACK new_game_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: init_new_game_dialog(dialog); return TRUE;
    case WM_COMMAND: new_game_command(dialog, LOWORD(wparam)); return TRUE;
    case WM_PAINT: paint_ellipse_border(dialog); return TRUE;
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
    case WM_CTLCOLORSTATIC: return colour_control(reinterpret_cast<HDC>(wparam), RGB(255, 255, 0));
    case WM_DESTROY:
        release_count_buttons();
        release_dialog_font(dialog);
        return TRUE;
    }
    (void)lparam;
    return FALSE;
}

int new_game_dialog() {
    return static_cast<int>(
        DialogBoxParamW(app_instance, MAKEINTRESOURCEW(IDD_NEW_GAME), main_window, new_game_dialog_proc, 0));
}
