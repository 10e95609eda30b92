// A saved game as the loader reads it, before anything of it reaches the
// running game: the reader of its text, and the check that it is a state
// the rules could have left.
#pragma once

#include "game/state.h"

#include <cstdint>
#include <string>

struct SavedToken {
    uint8_t state, step;
    int32_t x, y; // relative to the board's offset
};
struct SavedDie {
    int32_t x, y;
    uint8_t value, face;
};
struct SavedGame {
    uint8_t players, tokens;
    uint8_t last, step; // seating that follows from players
    bool soplar;
    uint8_t cpu[SEATS];
    char names[SEATS][NAME_SIZE];
    bool has_first_home;
    char first_home[NAME_SIZE];
    uint32_t time;
    uint8_t current;
    uint32_t flags;
    SavedDie dice[2];
    uint8_t dice_count, moves_left, throws_this_turn, throws_left, doubles_in_row, rest_token, culprit_token;
    uint8_t tokens_left[SEATS], tokens_in_jail[SEATS];
    SavedToken token[SEATS][TOKEN_SLOTS];

    bool seated(unsigned seat) const { return seat <= last && seat % step == 0; }
};

// True when the text is whole (its frame and checksum hold) and in the
// writer's own form, every value within its field's range; whether the
// values agree with each other is saved_game_sound's to say.
bool read_saved_game(const std::string& text, SavedGame* g);

// True when every value agrees with the others as the rules leave them
// between two actions, and the game can go on from there.
bool saved_game_sound(const SavedGame& g);
