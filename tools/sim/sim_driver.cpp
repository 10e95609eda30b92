#include "tools/sim/sim_driver.h"

#include "game/board.h"
#include "game/rules.h"
#include "game/seam.h"
#include "game/state.h"

#include <cstdio>

void sim_press(int32_t x, int32_t y) {
    pointer_x = x;
    pointer_y = y;
    game_flags &= ~(GF_DIE_DRAG | GF_BUTTON_HELD | GF_DROP_OK | GF_DRAGGING);
    if (!(game_flags & GF_GAME_ON) || cpu_player[current_player]) return;
    const uint8_t t = token_under_pointer();
    if (t != NO_TOKEN) {
        game_flags |= GF_DRAGGING;
        moving_token = t;
        set_pointer(POINTER_CARRY, current_player);
    } else if (game_flags & GF_MAY_THROW) {
        throw_dice();
    }
}

void sim_move(int32_t x, int32_t y) {
    pointer_x = x;
    pointer_y = y;
    if (game_flags & GF_DRAGGING) apply_drop_rule();
}

void sim_release(int32_t x, int32_t y) {
    pointer_x = x;
    pointer_y = y;
    if (game_flags & GF_DRAGGING) drop_token();
    game_flags &= ~(GF_DIE_DRAG | GF_BUTTON_HELD | GF_DROP_OK | GF_DRAGGING);
}

uint8_t token_at_point(int32_t x, int32_t y) {
    const int32_t saved_x = pointer_x, saved_y = pointer_y;
    pointer_x = x;
    pointer_y = y;
    const uint8_t t = token_under_pointer();
    pointer_x = saved_x;
    pointer_y = saved_y;
    return t;
}

bool token_pick_point(uint8_t token, int32_t* x, int32_t* y) {
    const TokenRecord& tok = tokens[current_player][token];
    // The pick-up rule never takes a token in jail, at home or not marked
    // movable: no point needs trying for those.
    if (!(tok.state & TS_ON_TRACK) || !(tok.state & TS_MAY_MOVE)) return false;
    // Where an earlier movable token covers part of this one, a free point
    // lies on a row and a column just beside an edge of the cover: try the
    // centre first, then those rows and columns, each through the real rule.
    int32_t xs[2 + 2 * TOKEN_SLOTS] = {tok.x + 10, tok.x, tok.x + 20};
    int32_t ys[2 + 2 * TOKEN_SLOTS] = {tok.y + 10, tok.y, tok.y + 20};
    unsigned nx = 3, ny = 3;
    for (uint8_t t = 0; t < token && nx + 2 <= 2 + 2 * TOKEN_SLOTS; ++t) {
        const TokenRecord& other = tokens[current_player][t];
        xs[nx++] = other.x - 1;
        xs[nx++] = other.x + 21;
        ys[ny++] = other.y - 1;
        ys[ny++] = other.y + 21;
    }
    for (unsigned i = 0; i < nx; ++i) {
        for (unsigned j = 0; j < ny; ++j) {
            if (token_at_point(xs[i], ys[j]) == token) {
                *x = xs[i];
                *y = ys[j];
                return true;
            }
        }
    }
    return false;
}

bool square_centre(uint8_t square, int32_t* x, int32_t* y) {
    if (square == HOME_SQUARE) {
        *x = (centre_rect.left + centre_rect.right) / 2;
        *y = (centre_rect.top + centre_rect.bottom) / 2;
        return true;
    }
    Cell c;
    if (!square_cell(square, &c)) return false;
    *x = c.left + c.width / 2;
    *y = c.top + c.height / 2;
    return true;
}

bool person_drop(uint8_t token, int32_t x, int32_t y) {
    int32_t px, py;
    if (!token_pick_point(token, &px, &py)) return false;
    sim_press(px, py);
    if (!(game_flags & GF_DRAGGING) || moving_token != token) return false;
    sim_move(x, y);
    sim_release(x, y);
    return true;
}

void person_throw() { sim_press(0, screen_h - 1); }

void sim_default_names() {
    for (unsigned seat = 0; seat < SEATS; ++seat) {
        unsigned number = seat + 1;
        if (player_count == 2 && seat == 2) number = 2;
        std::snprintf(player_name[seat], NAME_SIZE, "Jugador %u", number);
    }
}

void sim_start_game() {
    seat_players();
    new_game();
}
