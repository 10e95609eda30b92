// The seven picture buttons painted on the window (not child windows). A
// command runs only when the button went down and came up on the same
// button without the pointer leaving it.
#include "game/board.h"
#include "game/seam.h"
#include "game/state.h"
#include "ui/app/app.h"
#include "ui/app/window.h"
#include "ui/dialogs/dialogs.h"

uint8_t pressed_button;

enum { BUTTON_NEW_GAME, BUTTON_ABOUT, BUTTON_CLOSE, BUTTON_MINIMISE, BUTTON_HELP, BUTTON_SAVE, BUTTON_LOAD };

static void invalidate_button(uint8_t i, bool erase) {
    const ButtonRecord& b = buttons[i];
    invalidate_rect(b.left, b.top, b.right, b.bottom, erase);
}

static bool pointer_on_button(uint8_t i) {
    const ButtonRecord& b = buttons[i];
    return point_in_rect(Rect{b.left, b.top, b.right, b.bottom}, pointer_x, pointer_y);
}

bool press_button() {
    game_flags &= ~GF_BUTTON_HELD;
    for (uint8_t i = 0; i < WINDOW_BUTTONS; ++i) {
        if (!pointer_on_button(i)) continue;
        game_flags |= GF_BUTTON_HELD;
        pressed_button = i;
        invalidate_button(i, false);
        return true;
    }
    return false;
}

void track_button() {
    if (pointer_on_button(pressed_button)) return;
    game_flags &= ~GF_BUTTON_HELD;
    invalidate_button(pressed_button, false);
}

void cancel_button() {
    if (!(game_flags & GF_BUTTON_HELD)) return;
    game_flags &= ~GF_BUTTON_HELD;
    invalidate_button(pressed_button, false);
}

static void run_button_command(uint8_t i) {
    switch (i) {
    case BUTTON_NEW_GAME: SendMessageA(main_window, WM_KEYDOWN, VK_F2, 0); break;
    case BUTTON_ABOUT:
        game_flags |= GF_MODAL;
        about_dialog();
        game_flags &= ~GF_MODAL;
        break;
    case BUTTON_CLOSE: SendMessageA(main_window, WM_CLOSE, 0, 0); break;
    case BUTTON_MINIMISE:
        play_sound("Tit.wav", SOUND_CUTS);
        ShowWindow(main_window, SW_MINIMIZE);
        break;
    case BUTTON_HELP: SendMessageA(main_window, WM_KEYDOWN, VK_F1, 0); break;
    case BUTTON_SAVE: SendMessageA(main_window, WM_KEYDOWN, VK_F3, 0); break;
    case BUTTON_LOAD: SendMessageA(main_window, WM_KEYDOWN, VK_F4, 0); break;
    default: break;
    }
}

void release_button() {
    // Released off the button (the mouse is kept, so that is seen): no command.
    track_button();
    if (!(game_flags & GF_BUTTON_HELD)) return;
    game_flags &= ~GF_BUTTON_HELD;
    invalidate_button(pressed_button, false);
    run_button_command(pressed_button);
}
