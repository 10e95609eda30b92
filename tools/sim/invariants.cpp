#include "tools/sim/invariants.h"

#include "game/board.h"
#include "game/rules.h"
#include "saves/save_file.h"
#include "game/state.h"
#include "tools/sim/fake_window.h"
#include "tools/sim/sim_driver.h"

#include <algorithm>
#include <cstdio>

static std::vector<LegalDrop> drops_to_steps(bool only_dice) {
    std::vector<LegalDrop> drops;
    const uint32_t saved_flags = game_flags;
    const uint8_t saved_moving = moving_token, saved_steps = move_steps;
    const uint8_t saved_target_step = target_step, saved_target_square = target_square;
    const uint8_t saved_from = from_square;
    const int32_t saved_x = pointer_x, saved_y = pointer_y;
    for (uint8_t t = 0; t < tokens_per_player; ++t) {
        int32_t px, py;
        if (!token_pick_point(t, &px, &py)) continue;
        moving_token = t;
        const unsigned here = tokens[current_player][t].step;
        // Every step of the route, or only the steps the dice reach.
        uint8_t steps[STEP_HOME];
        unsigned count = 0;
        if (only_dice) {
            MoveUse uses[MAX_USES];
            const unsigned n = legal_uses(dice_left(), tokens[current_player], tokens_per_player, uses);
            for (unsigned i = 0; i < n; ++i)
                if (uses[i].token == t) steps[count++] = static_cast<uint8_t>(here + uses[i].amount);
            std::sort(steps, steps + count); // in route order, as the full search finds them
        } else {
            for (uint8_t step = 1; step <= STEP_HOME; ++step) steps[count++] = step;
        }
        for (unsigned i = 0; i < count; ++i) {
            const uint8_t step = steps[i];
            int32_t x, y;
            if (!square_centre(step_to_square(step, current_player), &x, &y)) continue;
            pointer_x = x;
            pointer_y = y;
            if (apply_drop_rule() && move_steps != 0) drops.push_back(LegalDrop{t, x, y, move_steps});
        }
    }
    game_flags = saved_flags;
    moving_token = saved_moving;
    move_steps = saved_steps;
    target_step = saved_target_step;
    target_square = saved_target_square;
    from_square = saved_from;
    pointer_x = saved_x;
    pointer_y = saved_y;
    return drops;
}

std::vector<LegalDrop> find_legal_drops() { return drops_to_steps(false); }
std::vector<LegalDrop> find_dice_drops() { return drops_to_steps(true); }

static void fail(std::vector<std::string>& out, const char* format, unsigned a, unsigned b = 0, unsigned c = 0) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b, c);
    out.push_back(text);
}

bool token_in_place(uint8_t seat, uint8_t t) {
    const TokenRecord& tok = tokens[seat][t];
    const Rect& jail = board_areas[jail_area_of[seat]];
    if (tok.state & TS_IN_JAIL)
        return tok.x >= jail.left && tok.x + 20 <= jail.right && tok.y >= jail.top && tok.y + 20 <= jail.bottom;
    if (tok.state & TS_HOME)
        return (seat == 0 || seat == 3 ? tok.x + 20 <= board_rect.left : tok.x >= board_rect.right) &&
               tok.y >= jail.top && tok.y + 20 <= jail.bottom;
    return point_to_square(tok.x + 1, tok.y + 1) == step_to_square(tok.step, seat);
}

std::vector<std::string> check_invariants() {
    std::vector<std::string> out;
    if (!is_seated(current_player)) fail(out, "current player %u is not seated", current_player);
    for (unsigned seat = 0; player_step != 0 && seat <= last_player; seat += player_step) {
        unsigned not_home = 0, in_jail = 0;
        for (uint8_t t = 0; t < tokens_per_player; ++t) {
            const TokenRecord& tok = tokens[seat][t];
            if (!token_in_place(static_cast<uint8_t>(seat), t))
                fail(out, "seat %u token %u: picture out of place", seat, t);
            if (tok.state & TS_HOME) {
                if (tok.state != TS_HOME || tok.step != STEP_FINISHED)
                    fail(out, "seat %u token %u finished with state %u", seat, t, tok.state);
                continue;
            }
            not_home += 1;
            if (tok.state & TS_IN_JAIL) {
                in_jail += 1;
                if (tok.state != TS_IN_JAIL || tok.step != 0)
                    fail(out, "seat %u token %u in jail with state %u", seat, t, tok.state);
            } else if (!(tok.state & TS_ON_TRACK) || tok.step > 70 ||
                       ((tok.state & TS_IN_STRETCH) != 0) != (tok.step >= STEP_LAST_TRACK)) {
                fail(out, "seat %u token %u: state %u", seat, t, tok.state);
            }
        }
        if (tokens_left[seat] != not_home)
            fail(out, "seat %u: tokens_left %u but %u tokens not home", seat, tokens_left[seat], not_home);
        if (tokens_in_jail[seat] != in_jail)
            fail(out, "seat %u: tokens_in_jail %u but %u tokens in jail", seat, tokens_in_jail[seat], in_jail);
    }
    for (uint8_t i = 0; i < 2; ++i)
        if (!die_in_reach(i, dice[i].x, dice[i].y)) fail(out, "die %u lies where this screen could not leave it", i);
    if (moves_left != dice[0].value + dice[1].value)
        fail(out, "moves_left %u is not the sum of the dice %u + %u", moves_left, dice[0].value, dice[1].value);
    // The computer's drops pass the same rule: it too always has one.
    const bool must_move = (game_flags & GF_GAME_ON) && !(game_flags & GF_MAY_THROW);
    if (must_move && find_legal_drops().empty())
        fail(out, "seat %u must move %u pips but has no legal drop", current_player, moves_left);
    // Every state between two actions can be saved, and the loader takes it.
    // Saving reads the record file, so one state in 64 is tried.
    static unsigned calls = 0;
    if ((game_flags & GF_GAME_ON) && !(game_flags & GF_DRAGGING) && ++calls % 64 == 0 &&
        !check_game_text(save_game_text(fake_clock)))
        fail(out, "seat %u: the game saves to a file the loader refuses (%u throws this turn)", current_player,
             throws_this_turn);
    return out;
}
