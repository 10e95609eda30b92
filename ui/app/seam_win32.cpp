// The rules' requests carried out with the real window calls.
#include "game/seam.h"

#include "game/state.h"
#include "ui/app/app.h"
#include "ui/app/sound.h"
#include "ui/app/text.h"
#include "ui/app/window.h"
#include "ui/dialogs/dialogs.h"
#include "ui/draw/draw.h"
#include "ui/draw/scale.h"
#include "ui/resources/graphics.h"

#include <cstdlib>

void play_sound(const char* file, unsigned flags) { play_wave(file, flags); }

int show_message(const char* text, const char* caption, unsigned kind) {
    return message_box(main_window, text, caption, kind);
}

void invalidate_rect(int left, int top, int right, int bottom, bool erase) {
    const RECT r = window_rect(left, top, right, bottom);
    InvalidateRect(main_window, &r, erase ? TRUE : FALSE);
}

HCURSOR chosen_pointer;

void set_pointer(PointerShape shape, uint8_t seat) {
    switch (shape) {
    case POINTER_PLAYER: chosen_pointer = player_pointer(seat & 3); break;
    case POINTER_CARRY: chosen_pointer = carry_pointer(seat & 3); break;
    case POINTER_NO_DROP: chosen_pointer = no_drop_pointer(); break;
    }
    SetCursor(chosen_pointer);
}

uint32_t tick_count() { return GetTickCount(); }

int random_number() { return rand(); }
int die_random_number() { return rand(); }

int run_game_over_dialog() { return game_over_dialog(); }

void leave_after_game() {
    ShowWindow(main_window, SW_HIDE);
    show_records_summary(game_number);
    DestroyWindow(main_window);
}

// After "Seguir" a cancelled dialog puts nothing back: the counts stay as
// the player left them for the next new game.
void run_new_game_dialog() { new_game_dialog(); }

// The window proc reads every release in window pixels: at k > 1 a point
// sent in design pixels would land k times nearer the corner.
void send_drop_release(int x, int y) {
    SendMessageA(main_window, WM_LBUTTONUP, 0, MAKELPARAM(x * pixel_scale, y * pixel_scale));
}
