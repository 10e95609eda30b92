// A position of the game as the computer weighs it: a plain copy of what a
// person sees (the tokens, what is left of the throw, whose turn it is), so
// that trying a move never touches the game's own state.
#pragma once

#include "game/rules.h"
#include "game/state.h"

#include <cstdint>

struct Position {
    TokenRecord tokens[SEATS][TOKEN_SLOTS];
    uint8_t tokens_left[SEATS];
    uint8_t tokens_in_jail[SEATS];
    uint8_t tokens_per_player;
    uint8_t last_player;
    uint8_t player_step;
    uint8_t current;
    DiceLeft left;
    bool capture_possible; // this throw could capture, and culprit would pay
    bool captured;         // a capture has been made with this throw
    uint8_t culprit;
    bool throws_again; // a double: the same player throws once more
};

// The game as it stands now.
Position read_position();
// The legal uses of what is left of the throw by the player to move.
unsigned position_uses(const Position& pos, MoveUse* out);
// The use played on the copy as drop_token plays it on the game: the
// capture, the stretch, home, the dice used and the missed-capture penalty.
void play_use(Position& pos, MoveUse use);
