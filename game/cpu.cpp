#include "game/cpu.h"

#include "game/board.h"
#include "game/cpu_choice.h"
#include "game/position.h"
#include "game/rules.h"
#include "game/seam.h"
#include "game/state.h"

// Set while an action runs: the message boxes shown inside a throw or a
// drop let timer ticks through, and none of them may start another action.
static bool acting;

// The computer lets go of the token as a person would: at a point of the
// target square (the token's centre at the spot place_token would draw, the
// middle of the centre for home), through the drop rule and the release.
static void drop_by(uint8_t token, uint8_t amount) {
    const uint8_t p = current_player;
    const uint8_t square = step_to_square(static_cast<uint8_t>(tokens[p][token].step + amount), p);
    const int r = random_number();
    int32_t x, y;
    if (square == HOME_SQUARE) {
        x = (centre_rect.left + centre_rect.right) / 2;
        y = (centre_rect.top + centre_rect.bottom) / 2;
    } else {
        token_spot(square, p, token, r, &x, &y);
        x += 10;
        y += 10;
    }
    moving_token = token;
    game_flags |= GF_DRAGGING;
    pointer_x = x;
    pointer_y = y;
    apply_drop_rule();
    send_drop_release(x, y);
}

void cpu_tick() {
    const uint32_t needed = GF_GAME_ON | GF_APP_ACTIVE;
    if ((game_flags & needed) != needed || acting) return;
    if (!cpu_player[current_player]) return;
    // A box or dialog of the game open (a new game asked for, a file being
    // chosen) has the players' attention: nothing moves behind it.
    if (game_flags & (GF_DIE_DRAG | GF_BUTTON_HELD | GF_DRAGGING | GF_MODAL)) return;
    if (tick_count() - cpu_last_tick <= CPU_PACE_MS) return;

    acting = true;
    const uint8_t p = current_player;
    if (game_flags & GF_MAY_THROW) throw_dice();
    // A throw that passed the turn leaves the pace to pass_turn.
    if (current_player != p) {
        acting = false;
        return;
    }
    if (game_flags & GF_GAME_ON) {
        MoveUse use;
        if (!(game_flags & GF_MAY_THROW)) {
            if (choose_use(read_position(), &use)) drop_by(use.token, use.amount);
        } else if (tokens_per_player == 1 && (tokens[p][0].state & TS_ON_TRACK)) {
            // The throw left a lone token nothing to move (just released, or
            // a double it cannot use): it is dropped back on its own square.
            drop_by(0, 0);
        }
    }
    acting = false;
    cpu_last_tick = tick_count();
}
