#include "game/position.h"

#include "game/board.h"

Position read_position() {
    Position pos;
    for (unsigned seat = 0; seat < SEATS; ++seat) {
        for (unsigned t = 0; t < TOKEN_SLOTS; ++t) pos.tokens[seat][t] = tokens[seat][t];
        pos.tokens_left[seat] = tokens_left[seat];
        pos.tokens_in_jail[seat] = tokens_in_jail[seat];
    }
    pos.tokens_per_player = tokens_per_player;
    pos.last_player = last_player;
    pos.player_step = player_step;
    pos.current = current_player;
    pos.left = dice_left();
    pos.capture_possible = (game_flags & GF_CAPTURE_POSSIBLE) != 0;
    pos.captured = (game_flags & GF_CAPTURED) != 0;
    pos.culprit = culprit_token;
    pos.throws_again = throws_left > 0;
    return pos;
}

unsigned position_uses(const Position& pos, MoveUse* out) {
    return legal_uses(pos.left, pos.tokens[pos.current], pos.tokens_per_player, out);
}

static void jail(Position& pos, unsigned seat, unsigned t) {
    pos.tokens[seat][t].state = TS_IN_JAIL;
    pos.tokens[seat][t].step = 0;
    pos.tokens_in_jail[seat] += 1;
}

// As capture_on_square: the first seat in seating order with tokens there
// loses them all.
static bool capture(Position& pos, uint8_t square) {
    for (unsigned seat = 0; seat <= pos.last_player; seat += pos.player_step) {
        if (seat == pos.current) continue;
        bool hit = false;
        for (unsigned t = 0; t < pos.tokens_per_player; ++t) {
            const TokenRecord& tok = pos.tokens[seat][t];
            if ((tok.state & TS_ON_TRACK) && step_to_square(tok.step, static_cast<uint8_t>(seat)) == square) {
                jail(pos, seat, t);
                hit = true;
            }
        }
        if (hit) return true;
    }
    return false;
}

void play_use(Position& pos, MoveUse use) {
    const uint8_t p = pos.current;
    TokenRecord& tok = pos.tokens[p][use.token];
    const uint8_t target = static_cast<uint8_t>(tok.step + use.amount);
    if (target <= STEP_LAST_CAPTURE) {
        const uint8_t square = step_to_square(target, p);
        if (!is_safe_square(square) && capture(pos, square)) pos.captured = true;
    } else {
        tok.state |= TS_IN_STRETCH;
    }
    tok.step = target;
    if (target == STEP_HOME) {
        tok.state = TS_HOME;
        tok.step = STEP_FINISHED;
        pos.tokens_left[p] -= 1;
    }
    DiceLeft& d = pos.left;
    if (use.amount == d.moves_left) d.die[0] = d.die[1] = 0;
    else if (d.die[0] == use.amount) d.die[0] = 0;
    else if (d.die[1] == use.amount) d.die[1] = 0;
    d.moves_left = static_cast<uint8_t>(d.die[0] + d.die[1]);
    if (pos.captured) tok.state &= ~TS_MAY_MOVE;
    else if (pos.capture_possible && d.moves_left == 0) jail(pos, p, pos.culprit);
}
