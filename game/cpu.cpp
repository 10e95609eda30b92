#include "game/cpu.h"

#include "game/board.h"
#include "game/rules.h"
#include "game/seam.h"
#include "game/state.h"

void cpu_tick() {
    const uint32_t needed = GF_GAME_ON | GF_MAY_THROW | GF_APP_ACTIVE;
    if ((game_flags & needed) != needed) return;
    if (!cpu_player[current_player]) return;
    if (game_flags & (GF_DIE_DRAG | GF_BUTTON_HELD)) return;
    if (tick_count() - cpu_last_tick <= 1000) return;

    const uint8_t p = current_player;
    throw_dice();
    if (current_player != p) return;

    TokenRecord& tok = tokens[p][0];
    if (tok.state & TS_ON_TRACK) {
        move_steps = moves_left;
        target_step = static_cast<uint8_t>(tok.step + moves_left);
        target_square = step_to_square(target_step, p);
        moving_token = 0;
        place_token(target_square, p, 0);
        game_flags |= GF_DRAGGING | GF_DROP_OK;
        send_drop_release(tok.x, tok.y);
    }
    cpu_last_tick = tick_count();
}
