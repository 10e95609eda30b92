// The rules of play: dice and turns, token moves, captures and jail, the
// missed-capture penalty, reaching home and the end of a game.
#pragma once

#include "game/state.h"

#include <cstdint>

// Die placement and ranges: start places are absolute window positions.
enum { DIE_SIZE = 60 };
extern uint16_t die_min_x[2];
extern uint16_t die_max_x[2];
extern int8_t dice_dx[2];
extern int8_t dice_dy[2];
// Whether this screen could have left die i with its corner at (x, y): at
// its start place, or bounced or dragged in its range (the pointer held in
// it, the die at most its own size beyond the range's left and the top).
bool die_in_reach(uint8_t die, int32_t x, int32_t y);

enum : uint8_t { NO_TOKEN = 0xFF };

// Dice and turns.
void throw_dice();
void pass_turn();
void grant_throw();
void update_can_move();
uint8_t smaller_die();
void reset_dice();
// Each die's horizontal range, its half of the screen.
void set_dice_ranges();
void roll_dice();
void update_throws_left();
void three_doubles();
void mark_tokens_movable();
bool last_token_in_stretch();

// Moves, captures and jail.
// What is left of the throw to play, as the drop rule reads it: the dice
// not yet used, their sum, and the token held to the larger die or the sum
// by the home-stretch rule (NO_TOKEN when none is).
struct DiceLeft {
    uint8_t die[2];
    uint8_t moves_left;
    uint8_t rest_token;
};
DiceLeft dice_left();
// One legal use of the throw: a token out on the board that may still move
// this turn, moved by one die, the other or the sum, onto a step of its
// route. In token order, then die 0, die 1 and the sum, each amount once.
struct MoveUse {
    uint8_t token;
    uint8_t amount;
};
enum { MAX_USES = 12 };
// The legal uses by one seat's tokens (a seat's row of the token records);
// returns how many were written.
unsigned legal_uses(const DiceLeft& left, const TokenRecord* seat_tokens, uint8_t token_count, MoveUse* out);
// Pick-up rule: the current player's first token, in token order, that may
// move and whose picture holds the pointer; NO_TOKEN if none.
uint8_t token_under_pointer();
// Drop rule for the token being carried at the pointer: sets or clears
// GF_DROP_OK and the pointer shape; true when the drop is legal.
bool apply_drop_rule();
void drop_token();
void snap_token_to_square();
void use_dice();
void capture_on_square(uint8_t square);
void release_from_jail();
void limit_for_stretch();
uint8_t limit_last_token();
void set_single_move(uint8_t v);

// Missed-capture penalty.
void find_capture_chance();
void check_capture_chance(uint8_t square);
void missed_capture_penalty();

// Reaching home and the end of a game.
void token_home(uint8_t token);
void declare_winner();

// Repaint requests for the parts of the board that show the turn.
void invalidate_centre();
void invalidate_turn_name();
