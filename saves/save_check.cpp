// The loader's check of a saved game: every value in its range, and every
// value agreeing with the others as the rules leave them between two actions,
// so that a loaded game can always go on to its next throw.
#include "game/board.h"
#include "game/rules.h"
#include "saves/saved_game.h"

#include <cstring>

namespace {

// A token's picture lies where the rules put it: in its cell, as a drop
// clamps it, or on place_token's random spot, which runs 51 pixels along
// the 68-pixel arm cells and so may stand out 2 pixels. Anywhere else a
// press could miss it or hit a button instead.
bool inside(int32_t v, int32_t start, int32_t size) {
    const int32_t room = size == 68 ? 50 : size < 20 ? 0 : size - 20;
    return v >= start && v <= start + room;
}

bool token_placed(const SavedToken& t, unsigned seat, unsigned index) {
    const int32_t x = t.x + board_dx, y = t.y + board_dy;
    const Rect& jail = board_areas[jail_area_of[seat]];
    if (t.state == TS_IN_JAIL)
        return inside(x, jail.left, jail.right - jail.left) && inside(y, jail.top, jail.bottom - jail.top);
    if (t.state == TS_HOME) {
        const bool left_of_board = seat == 0 || seat == 3;
        return x == jail.left + (left_of_board ? -25 : 102) && y == jail.top + 25 * static_cast<int32_t>(index);
    }
    Cell c;
    return square_cell(step_to_square(t.step, static_cast<uint8_t>(seat)), &c) && inside(x, c.left, c.width) &&
           inside(y, c.top, c.height);
}

// A token's state and step as the rules leave them: in jail exactly, home
// exactly, or out on the route with the stretch bit telling the step.
bool token_sound(const SavedToken& t) {
    if (t.state == TS_IN_JAIL) return t.step == 0;
    if (t.state == TS_HOME) return t.step == STEP_FINISHED;
    if (!(t.state & TS_ON_TRACK) || (t.state & ~(TS_ON_TRACK | TS_IN_STRETCH | TS_MAY_MOVE))) return false;
    return t.step < STEP_HOME && ((t.state & TS_IN_STRETCH) != 0) == (t.step >= STEP_LAST_TRACK);
}

bool seats_sound(const SavedGame& g) {
    unsigned computers = 0;
    for (unsigned seat = 0; seat < SEATS; ++seat) {
        if (!g.seated(seat)) {
            if (g.tokens_left[seat] || g.tokens_in_jail[seat]) return false;
            continue;
        }
        computers += g.cpu[seat];
        unsigned not_home = 0, in_jail = 0;
        for (unsigned t = 0; t < g.tokens; ++t) {
            const SavedToken& tok = g.token[seat][t];
            if (!token_sound(tok) || !token_placed(tok, seat, t)) return false;
            not_home += tok.state != TS_HOME;
            in_jail += tok.state == TS_IN_JAIL;
        }
        // A seat with every token home has won, and the game would be over.
        if (not_home == 0 || g.tokens_left[seat] != not_home || g.tokens_in_jail[seat] != in_jail) return false;
    }
    return computers < g.players && g.seated(g.current);
}

// Where a die can lie on some screen: dragged at most its own size beyond
// the left or the top edge, anywhere else on a screen large enough. The
// loader brings it onto this one.
bool die_placed(const SavedDie& d) { return d.x >= -DIE_SIZE && d.y >= -DIE_SIZE; }

bool dice_sound(const SavedGame& g) {
    const SavedDie &a = g.dice[0], &b = g.dice[1];
    for (unsigned i = 0; i < 2; ++i) {
        const SavedDie& d = g.dice[i];
        if (!die_placed(d)) return false;
        if (i < g.dice_count ? d.face == 0 : d.value != 0) return false;
    }
    if (g.moves_left != a.value + b.value) return false;
    // A die keeps its face until it is played. Die 0 may instead hold the
    // single move the limits near home leave (set_single_move): one die, or
    // both together, and die 1 is spent then.
    if (b.value != 0 && b.value != b.face) return false;
    if (b.value != 0 || g.dice_count == 1) return a.value == 0 || a.value == a.face;
    const unsigned faces[] = {a.face, b.face, unsigned{a.face} + b.face};
    return a.value == 0 || a.value == faces[0] || a.value == faces[1] || a.value == faces[2];
}

uint8_t smaller_value(const SavedGame& g) {
    const uint8_t a = g.dice[0].value, b = g.dice[1].value;
    return a == 0 ? b : b == 0 ? a : (b < a ? b : a);
}

bool may_move(const SavedToken& tok) { return (tok.state & TS_ON_TRACK) && (tok.state & TS_MAY_MOVE); }

// Whether some legal drop of the current player, token t by v pips, makes
// the test true: the drop rule's own uses, on the saved tokens.
template <typename Test> bool any_drop(const SavedGame& g, Test test) {
    TokenRecord seat[TOKEN_SLOTS] = {};
    for (unsigned t = 0; t < g.tokens; ++t) {
        seat[t].state = g.token[g.current][t].state;
        seat[t].step = g.token[g.current][t].step;
    }
    const uint8_t rest = (g.flags & GF_EXACT_REST) ? g.rest_token : uint8_t{NO_TOKEN};
    MoveUse uses[MAX_USES];
    const unsigned n =
        legal_uses(DiceLeft{{g.dice[0].value, g.dice[1].value}, g.moves_left, rest}, seat, g.tokens, uses);
    for (unsigned i = 0; i < n; ++i)
        if (test(uses[i].token, uses[i].amount)) return true;
    return false;
}

// Whether the current player's tokens can use what is left of the dice, by
// the drop rule: without a move the game could go no further.
bool has_move(const SavedGame& g) {
    return any_drop(g, [](unsigned, unsigned) { return true; });
}

bool opponent_on(const SavedGame& g, uint8_t square) {
    for (unsigned seat = 0; seat < SEATS; ++seat) {
        if (seat == g.current || !g.seated(seat)) continue;
        for (unsigned t = 0; t < g.tokens; ++t) {
            const SavedToken& tok = g.token[seat][t];
            if ((tok.state & TS_ON_TRACK) && step_to_square(tok.step, static_cast<uint8_t>(seat)) == square)
                return true;
        }
    }
    return false;
}

// The drop of token t by v as drop_token plays it, on a copy; then whether
// the turn either has used its dice or still has a legal drop, as the real
// game would ask of update_can_move and the next pick-up.
bool goes_on_after(SavedGame g, unsigned t, unsigned v) {
    SavedToken& tok = g.token[g.current][t];
    const uint8_t target = static_cast<uint8_t>(tok.step + v);
    const uint8_t square = step_to_square(target, g.current);
    if (target < STEP_LAST_TRACK && !is_safe_square(square) && opponent_on(g, square)) g.flags |= GF_CAPTURED;
    if (target == STEP_HOME) {
        if (g.tokens_left[g.current] == 1) return true; // the winner
        tok.state = TS_HOME;
    }
    tok.step = target;
    SavedDie &a = g.dice[0], &b = g.dice[1];
    if (v == g.moves_left) a.value = b.value = 0;
    else if (a.value == v) a.value = 0;
    else if (b.value == v) b.value = 0;
    g.moves_left = static_cast<uint8_t>(a.value + b.value);
    if (g.flags & GF_CAPTURED) tok.state &= static_cast<uint8_t>(~TS_MAY_MOVE);
    if (g.moves_left == 0) return true;
    const uint8_t m = smaller_value(g);
    bool can_move = false;
    for (unsigned u = 0; u < g.tokens; ++u) {
        const SavedToken& other = g.token[g.current][u];
        if ((other.state & TS_ON_TRACK) && m + other.step <= STEP_HOME) can_move = true;
    }
    return !can_move || has_move(g);
}

bool never_stuck(const SavedGame& g) {
    return !any_drop(g, [&g](unsigned t, unsigned v) { return !goes_on_after(g, t, v); });
}

// The throw marks every token on the board as movable. The only ones that
// lose the mark before the dice are spent are a token released alone by a
// double (it stays on its exit, step 0) and the token moved after a capture.
bool marks_sound(const SavedGame& g) {
    unsigned unmarked = 0;
    for (unsigned t = 0; t < g.tokens; ++t) {
        const SavedToken& tok = g.token[g.current][t];
        if (!(tok.state & TS_ON_TRACK) || (tok.state & TS_MAY_MOVE)) continue;
        if (tok.step == 0 && (g.flags & GF_DOUBLES)) continue;
        unmarked += 1;
    }
    if (unmarked == 0) return true;
    return unmarked == 1 && (g.flags & GF_CAPTURED);
}

// The token find_capture_chance names on g, with an opponent also on the
// square extra (NO_SQUARE for none); NO_TOKEN when it finds no chance.
uint8_t chance_culprit(const SavedGame& g, uint8_t extra) {
    for (unsigned t = 0; t < g.tokens; ++t) {
        const SavedToken& tok = g.token[g.current][t];
        if (!may_move(tok)) continue;
        const unsigned amounts[3] = {g.dice[0].value, g.dice[1].value, g.moves_left};
        for (unsigned v : amounts) {
            if ((g.flags & GF_EXACT_REST) && v == smaller_value(g)) continue;
            if (v == 0 || tok.step + v >= STEP_LAST_TRACK) continue;
            const uint8_t square = step_to_square(static_cast<uint8_t>(tok.step + v), g.current);
            if (!is_safe_square(square) && (square == extra || opponent_on(g, square))) return static_cast<uint8_t>(t);
        }
    }
    return NO_TOKEN;
}

// Whether g may be the board as the throw left it, no die played since:
// its dice whole, or made one move by the limits near home (die 1 spent; a
// move of one die's value only when one token is in play), or die 0 of a
// double taken by a release.
bool as_thrown(const SavedGame& g) {
    const SavedDie &a = g.dice[0], &b = g.dice[1];
    if (g.dice_count == 1 || (a.value == a.face && b.value == b.face)) return true;
    if (g.flags & GF_DOUBLES) return a.value == 0 || b.value == 0;
    const unsigned left = g.tokens_left[g.current], in_play = left - g.tokens_in_jail[g.current];
    return b.value == 0 && (a.value != a.face || left == 1 || in_play == 1);
}

// Whether the throw had the chance g holds (or none), as find_capture_chance
// found it on the board the throw left. Since then at most one die may have
// been played, by one token: that move is taken back, a captured opponent
// back on its square. The culprit may have moved since, but never home: no
// capture amount leaves it room for the home stretch's length.
bool chance_sound(const SavedGame& g) {
    const uint8_t culprit = (g.flags & GF_CAPTURE_POSSIBLE) ? g.culprit_token : uint8_t{NO_TOKEN};
    const SavedDie &a = g.dice[0], &b = g.dice[1];
    if (as_thrown(g) && chance_culprit(g, NO_SQUARE) == culprit) return true;
    // A move spent die i whole; use_dice spends die 0 first on a double.
    const unsigned i = a.value == 0 ? 0 : 1;
    const SavedDie& kept = g.dice[1 - i];
    const uint8_t played = g.dice[i].face;
    if (g.dice_count != 2 || g.dice[i].value != 0 || kept.value != kept.face || (i == 1 && a.face == b.face))
        return false;
    const bool captured = (g.flags & GF_CAPTURED) != 0;
    bool any_jailed = false;
    for (unsigned seat = 0; seat < SEATS; ++seat)
        any_jailed = any_jailed || (seat != g.current && g.tokens_in_jail[seat]);
    for (unsigned t = 0; t < g.tokens; ++t) {
        const SavedToken& tok = g.token[g.current][t];
        unsigned from;
        if (tok.state == TS_HOME) from = STEP_HOME - played;
        else if ((tok.state & TS_ON_TRACK) && tok.step >= played && ((tok.state & TS_MAY_MOVE) != 0) != captured)
            from = tok.step - played;
        else continue;
        if ((g.flags & GF_EXACT_REST) && g.rest_token == t && played < kept.face) continue; // the larger die only
        const uint8_t to = step_to_square(static_cast<uint8_t>(from + played), g.current);
        const bool catches = from + played < STEP_LAST_TRACK && !is_safe_square(to);
        // A move onto an opponent captures it; the game's only capture since
        // the throw is this move's.
        if (captured ? !catches || !any_jailed : catches && opponent_on(g, to)) continue;
        SavedGame before = g;
        SavedToken& moved = before.token[g.current][t];
        moved.state = TS_ON_TRACK | TS_MAY_MOVE; // the chance reads no more of it
        moved.step = static_cast<uint8_t>(from);
        before.dice[i].value = played;
        before.moves_left = static_cast<uint8_t>(a.face + b.face);
        if (chance_culprit(before, captured ? to : uint8_t{NO_SQUARE}) == culprit) return true;
    }
    return false;
}

// The throws the turn has left, as update_throws_left leaves them: one after
// a double, two and then one more while every token not home is in jail.
bool throws_sound(const SavedGame& g) {
    if (g.throws_this_turn == 0) return true; // the next throw sets them afresh
    const bool doubles = (g.flags & GF_DOUBLES) != 0;
    if (doubles != (g.dice_count == 2 && g.dice[0].face == g.dice[1].face)) return false;
    if (doubles && ((g.flags & GF_DOUBLE_ONE_OR_SIX) != 0) != (g.dice[0].face == 1 || g.dice[0].face == 6))
        return false;
    if (!(g.flags & GF_MAY_THROW)) return g.throws_left == (doubles ? 1 : 0);
    if (doubles) return g.throws_left == 1;
    const bool all_in_jail = g.tokens_in_jail[g.current] == g.tokens_left[g.current];
    return all_in_jail &&
           ((g.throws_this_turn == 1 && g.throws_left == 2) || (g.throws_this_turn == 2 && g.throws_left == 1));
}

bool turn_sound(const SavedGame& g) {
    if (g.flags & GF_MAY_THROW) {
        if (g.moves_left != 0) return false;
    } else {
        // The player is to move, a person or the computer between its drops.
        if (g.moves_left == 0 || !(g.flags & GF_CAN_MOVE) || !has_move(g)) return false;
        if ((g.flags & GF_CAPTURED) && g.dice[0].value != 0 && g.dice[1].value != 0) return false;
        if (!marks_sound(g) || !chance_sound(g) || !never_stuck(g)) return false;
    }
    if (g.throws_this_turn == 0 && (!(g.flags & GF_MAY_THROW) || g.doubles_in_row != 0)) return false;
    if (g.doubles_in_row > g.throws_this_turn || !throws_sound(g)) return false;
    return !(g.flags & GF_EXACT_REST) || g.rest_token < g.tokens;
}

bool home_sound(const SavedGame& g) {
    bool any_home = false;
    for (unsigned seat = 0; seat < SEATS; ++seat)
        if (g.seated(seat) && g.tokens_left[seat] < g.tokens) any_home = true;
    const bool done = (g.flags & GF_FIRST_HOME_DONE) != 0;
    // One-token games have no separate first token home: it is the winner.
    if (g.tokens == 1) return done && !g.has_first_home;
    if (done != any_home) return false;
    if (!g.has_first_home) return true;
    for (unsigned seat = 0; seat < SEATS; ++seat)
        if (g.seated(seat) && g.tokens_left[seat] < g.tokens && std::strcmp(g.names[seat], g.first_home) == 0)
            return true;
    return false;
}

} // namespace

bool saved_game_sound(const SavedGame& g) { return seats_sound(g) && dice_sound(g) && turn_sound(g) && home_sound(g); }
