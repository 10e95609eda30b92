// Routing of the left button: a die first, then the button bar, then a
// token of a human current player, and otherwise the human player's throw.
#include "game/rules.h"
#include "game/state.h"
#include "ui/app/window.h"
#include "ui/input/input.h"
#include "ui/timing/timing.h"

static const uint32_t transient_input = GF_DIE_DRAG | GF_BUTTON_HELD | GF_DROP_OK | GF_DRAGGING;

void on_left_button_down() {
    if (second_click_of_busy_press()) return;
    game_flags &= ~transient_input;
    if (pick_up_die()) return;
    if (press_button()) return;
    if (!(game_flags & GF_GAME_ON) || cpu_player[current_player]) return;
    if (pick_up_token()) return;
    if (game_flags & GF_MAY_THROW) throw_dice();
}

void on_mouse_move(WPARAM keys) {
    if (!(keys & MK_LBUTTON)) return;
    if (game_flags & GF_DRAGGING) drag_token();
    else if (game_flags & GF_BUTTON_HELD) track_button();
    else if (game_flags & GF_DIE_DRAG) move_die_frame();
}

// Also the computer's simulated drop, which no press preceded: drop_token
// takes the whole move from the state, not from the pointer.
void on_left_button_up() {
    ClipCursor(nullptr);
    if (game_flags & GF_DRAGGING) drop_token();
    else if (game_flags & GF_BUTTON_HELD) release_button();
    else if (game_flags & GF_DIE_DRAG) put_down_die();
    game_flags &= ~transient_input;
}
