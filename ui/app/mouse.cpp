// Routing of the left button: a die first, then the button bar, then a
// token of a human current player, and otherwise the human player's throw.
#include "game/rules.h"
#include "game/seam.h"
#include "game/state.h"
#include "ui/app/app.h"
#include "ui/app/window.h"
#include "ui/input/input.h"
#include "ui/timing/timing.h"

static const uint32_t transient_input = GF_DIE_DRAG | GF_BUTTON_HELD | GF_DROP_OK | GF_DRAGGING;

static void route_press() {
    if (pick_up_die()) return;
    if (press_button()) return;
    if (!(game_flags & GF_GAME_ON) || cpu_player[current_player]) return;
    if (pick_up_token()) return;
    if (game_flags & GF_MAY_THROW) throw_dice();
}

// A press that began a button press, a carry or a die drag keeps the mouse
// until its release, so that the release is seen wherever it happens.
void on_left_button_down() {
    if (second_click_of_busy_press()) return;
    game_flags &= ~transient_input;
    route_press();
    if (game_flags & (GF_DIE_DRAG | GF_BUTTON_HELD | GF_DRAGGING)) SetCapture(main_window);
}

void on_mouse_move(WPARAM keys) {
    if (!(keys & MK_LBUTTON)) return;
    if (game_flags & GF_DRAGGING) drag_token();
    else if (game_flags & GF_BUTTON_HELD) track_button();
    else if (game_flags & GF_DIE_DRAG) move_die_frame();
}

// Set while the release gives the mouse back, which is no loss of it.
static bool releasing_mouse;

// Also the computer's simulated drop, which no press preceded: drop_token
// takes the whole move from the state, not from the pointer.
void on_left_button_up() {
    ClipCursor(nullptr);
    releasing_mouse = true;
    if (GetCapture() == main_window) ReleaseCapture();
    releasing_mouse = false;
    if (game_flags & GF_DRAGGING) drop_token();
    else if (game_flags & GF_BUTTON_HELD) release_button();
    else if (game_flags & GF_DIE_DRAG) put_down_die();
    game_flags &= ~transient_input;
}

// The mouse taken away before the release (a window disabled under a box,
// another window taking it): the press ends without a command or a move,
// and a dragged die is put down where its cube was.
void on_capture_lost() {
    if (releasing_mouse || !(game_flags & (GF_DIE_DRAG | GF_BUTTON_HELD | GF_DRAGGING))) return;
    ClipCursor(nullptr);
    if (game_flags & GF_DIE_DRAG) put_down_die();
    cancel_button();
    game_flags &= ~transient_input;
    set_pointer(POINTER_PLAYER, current_player);
}
