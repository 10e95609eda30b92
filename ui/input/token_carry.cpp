// Carrying a token: the token stays on its square while only the pointer
// shape follows the mouse and tells whether the square under it is legal.
#include "game/board.h"
#include "game/rules.h"
#include "game/seam.h"
#include "game/state.h"
#include "ui/input/input.h"

#include <windows.h>

bool pick_up_token() {
    game_flags &= ~GF_DRAGGING;
    const uint8_t t = token_under_pointer();
    if (t == NO_TOKEN) return false;
    game_flags |= GF_DRAGGING;
    RECT board = {board_rect.left, board_rect.top, board_rect.right, board_rect.bottom};
    clip_pointer(board);
    moving_token = t;
    set_pointer(POINTER_CARRY, current_player);
    return true;
}

void drag_token() { apply_drop_rule(); }
