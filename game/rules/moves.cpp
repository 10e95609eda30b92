// Token moves: the pick-up and drop rules, applying a drop, captures, the
// release from jail and the two limits on splitting the dice near home.
#include "game/board.h"
#include "game/rules.h"
#include "game/seam.h"
#include "game/state.h"

uint8_t token_under_pointer() {
    for (uint8_t t = 0; t < tokens_per_player; ++t) {
        const TokenRecord& tok = tokens[current_player][t];
        if (!(tok.state & TS_ON_TRACK) || !(tok.state & TS_MAY_MOVE)) continue;
        if (tok.x <= pointer_x && pointer_x <= tok.x + 20 && tok.y <= pointer_y && pointer_y <= tok.y + 20) return t;
    }
    return NO_TOKEN;
}

DiceLeft dice_left() {
    const bool restricted = (game_flags & GF_EXACT_REST) != 0;
    return DiceLeft{{dice[0].value, dice[1].value}, moves_left, restricted ? rest_token : uint8_t{NO_TOKEN}};
}

unsigned legal_uses(const DiceLeft& left, const TokenRecord* seat_tokens, uint8_t token_count, MoveUse* out) {
    unsigned n = 0;
    for (uint8_t t = 0; t < token_count; ++t) {
        const TokenRecord& tok = seat_tokens[t];
        if (!(tok.state & TS_ON_TRACK) || !(tok.state & TS_MAY_MOVE)) continue;
        uint8_t amounts[3] = {left.die[0], left.die[1], left.moves_left};
        if (t == left.rest_token) {
            // Held to the larger die or the sum: the smaller die is the
            // other token's.
            const uint8_t a = left.die[0], b = left.die[1];
            const uint8_t smaller = a == 0 ? b : b == 0 ? a : a < b ? a : b;
            amounts[0] = static_cast<uint8_t>(left.moves_left - smaller);
            amounts[1] = 0;
        }
        for (unsigned i = 0; i < 3; ++i) {
            const uint8_t v = amounts[i];
            const bool again = (i > 0 && v == amounts[0]) || (i > 1 && v == amounts[1]);
            // A step past home has no square to drop on.
            if (v == 0 || again || tok.step + v > STEP_HOME) continue;
            out[n++] = MoveUse{t, v};
        }
    }
    return n;
}

bool apply_drop_rule() {
    game_flags &= ~GF_DROP_OK;
    const TokenRecord& tok = tokens[current_player][moving_token];
    target_square = point_to_square(pointer_x, pointer_y);
    target_step = square_to_step(target_square, current_player);
    from_square = step_to_square(tok.step, current_player);
    // Taken in 8 bits: a backward move or no square becomes a large number.
    move_steps = static_cast<uint8_t>(target_step - tok.step);
    bool legal = move_steps == 0;
    MoveUse uses[MAX_USES];
    const unsigned n = legal_uses(dice_left(), tokens[current_player], tokens_per_player, uses);
    for (unsigned i = 0; i < n && !legal; ++i) legal = uses[i].token == moving_token && uses[i].amount == move_steps;
    if (legal) {
        game_flags |= GF_DROP_OK;
        set_pointer(POINTER_CARRY, current_player);
    } else {
        set_pointer(POINTER_NO_DROP, current_player);
    }
    return legal;
}

void snap_token_to_square() {
    clamp_to_square(target_square);
    invalidate_token(current_player, moving_token);
    TokenRecord& tok = tokens[current_player][moving_token];
    tok.x = static_cast<uint16_t>(pointer_x);
    tok.y = static_cast<uint16_t>(pointer_y);
    invalidate_token(current_player, moving_token);
    set_pointer(POINTER_PLAYER, current_player);
}

void use_dice() {
    if (move_steps == moves_left) {
        dice[0].value = dice[1].value = 0;
    } else if (dice[0].value == move_steps) {
        dice[0].value = 0;
    } else if (dice[1].value == move_steps) {
        dice[1].value = 0;
    }
    moves_left = static_cast<uint8_t>(dice[0].value + dice[1].value);
    invalidate_centre();
}

// The only move left is one of exactly v pips. It is kept as a single die
// of v, so that moves_left stays the sum of the dice; the larger-die-only
// restriction has nothing left to restrict and is lifted with it.
void set_single_move(uint8_t v) {
    moves_left = v;
    dice[0].value = v;
    dice[1].value = 0;
    game_flags &= ~GF_EXACT_REST;
}

void capture_on_square(uint8_t square) {
    bool captured = false;
    for (unsigned seat = 0; seat <= last_player && !captured; seat += player_step) {
        if (seat == current_player) continue;
        for (uint8_t t = 0; t < tokens_per_player; ++t) {
            const TokenRecord& tok = tokens[seat][t];
            // Only tokens out on the board can be caught: a jailed token's
            // step 0 would otherwise read as its own exit square.
            if (!(tok.state & TS_ON_TRACK)) continue;
            if (step_to_square(tok.step, static_cast<uint8_t>(seat)) != square) continue;
            put_in_jail(static_cast<uint8_t>(seat), t);
            captured = true;
        }
    }
    if (captured) {
        game_flags |= GF_CAPTURED;
        play_sound("Jail.wav", SOUND_CUTS);
    }
}

void drop_token() {
    set_pointer(POINTER_PLAYER, current_player);
    if (!(game_flags & GF_DROP_OK)) {
        play_sound("No.wav", SOUND_CUTS);
        game_flags &= ~(GF_DRAGGING | GF_DROP_OK);
        return;
    }
    snap_token_to_square();
    if (move_steps == 0) {
        game_flags &= ~(GF_DRAGGING | GF_DROP_OK);
        return;
    }
    TokenRecord& tok = tokens[current_player][moving_token];
    if (target_step <= STEP_LAST_CAPTURE) {
        if (!is_safe_square(target_square)) capture_on_square(target_square);
    } else {
        tok.state |= TS_IN_STRETCH;
    }
    tok.step = target_step;
    if (target_step == STEP_HOME) {
        const bool was_last = tokens_left[current_player] == 1;
        token_home(moving_token);
        if (was_last) return;
    }
    use_dice();
    if (game_flags & GF_CAPTURED) tok.state &= ~TS_MAY_MOVE;
    else if ((game_flags & GF_CAPTURE_POSSIBLE) && moves_left == 0) missed_capture_penalty();
    update_can_move();
    if (moves_left == 0 || !(game_flags & GF_CAN_MOVE)) {
        grant_throw();
        if (throws_left == 0) {
            pass_turn();
            return;
        }
    }
    game_flags &= ~(GF_DRAGGING | GF_DROP_OK);
}

void release_from_jail() {
    const uint8_t p = current_player;
    capture_on_square(exit_square[p]);
    uint8_t r = 0;
    if (tokens_left[p] == 1 && tokens_in_jail[p] == 1) {
        r = dice[0].value;
        capture_on_square(step_to_square(r, p));
        dice[0].value = dice[1].value = 0;
        grant_throw();
    } else if (tokens_in_jail[p] == 1 && (game_flags & GF_CAN_MOVE)) {
        dice[0].value = 0;
    } else {
        dice[0].value = dice[1].value = 0;
    }
    const uint8_t limit = (game_flags & GF_DOUBLE_ONE_OR_SIX) ? 4 : 2;
    uint8_t released = 0, last_released = 0;
    for (uint8_t t = 0; t < tokens_per_player && released < limit && tokens_in_jail[p] > 0; ++t) {
        TokenRecord& tok = tokens[p][t];
        if (!(tok.state & TS_IN_JAIL)) continue;
        tok.state = static_cast<uint8_t>((tok.state & ~TS_IN_JAIL) | TS_ON_TRACK | TS_MAY_MOVE);
        tok.step = r;
        place_token(step_to_square(r, p), p, t);
        tokens_in_jail[p] -= 1;
        released += 1;
        last_released = t;
    }
    if (released == 1) tokens[p][last_released].state &= ~TS_MAY_MOVE;
    moves_left = static_cast<uint8_t>(dice[0].value + dice[1].value);
    invalidate_centre();
    if (moves_left == 0) grant_throw();
}

void limit_for_stretch() {
    const uint8_t p = current_player;
    const uint8_t m = smaller_die();
    const uint8_t big = static_cast<uint8_t>(moves_left - m);
    for (uint8_t t = 0; t < tokens_per_player; ++t) {
        const TokenRecord& tok = tokens[p][t];
        if (!(tok.state & TS_IN_STRETCH)) continue;
        const uint8_t rest = static_cast<uint8_t>(STEP_HOME - tok.step);
        if (rest < m) continue;
        if (rest >= big) return; // it can take the larger die too: no restriction
        game_flags |= GF_EXACT_REST;
        break;
    }
    rest_token = 0;
    for (uint8_t t = 0; t < tokens_per_player; ++t) {
        const uint8_t s = tokens[p][t].state;
        if ((s & TS_ON_TRACK) && !(s & TS_IN_STRETCH)) {
            rest_token = t;
            break;
        }
    }
    const uint8_t rest = static_cast<uint8_t>(STEP_HOME - tokens[p][rest_token].step);
    if (rest < moves_left) set_single_move(big);
    else if (!(game_flags & GF_EXACT_REST)) set_single_move(moves_left);
}

uint8_t limit_last_token() {
    if (dice_count != 2) return 0;
    const uint8_t p = current_player;
    uint8_t found = NO_TOKEN;
    for (uint8_t t = 0; t < tokens_per_player; ++t) {
        const uint8_t s = tokens[p][t].step;
        if (s >= STEP_NEAR_HOME && s <= STEP_LAST_STRETCH) {
            found = t;
            break;
        }
    }
    if (found == NO_TOKEN) {
        set_single_move(moves_left);
        return 0;
    }
    const uint8_t step = tokens[p][found].step;
    const uint8_t rest = static_cast<uint8_t>(STEP_HOME - step);
    const uint8_t m = smaller_die();
    const uint8_t big = static_cast<uint8_t>(moves_left - m);
    if (step >= STEP_ONE_DIE) {
        if (rest >= moves_left) set_single_move(moves_left);
        else if (rest >= big) set_single_move(big);
        else if (rest >= m) set_single_move(m);
        else {
            play_sound("Ajiji.wav", SOUND_CUTS);
            return 1;
        }
    } else {
        if (rest >= moves_left) set_single_move(moves_left);
        else if (rest >= big) set_single_move(big);
    }
    return 0;
}
