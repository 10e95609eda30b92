// A window that is not there: it does what the rules ask of the window in
// memory and remembers it, for the unit tests and korvalo-sim.
#pragma once

#include "game/seam.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

struct FakeSound {
    std::string file; // empty: stop
    unsigned flags;
};
struct FakeMessage {
    std::string text;
    std::string caption;
    unsigned kind;
};

extern std::vector<FakeSound> fake_sounds;
extern std::vector<FakeMessage> fake_messages;
extern unsigned fake_invalidations;
extern PointerShape fake_pointer;
extern uint8_t fake_pointer_seat;
extern uint32_t fake_clock;
// Die values for the next throw; taken by its first draws, the rest dropped
// once the dice have been rolled.
extern std::deque<int> scripted_dice;
// Answer of the next game-over dialog: 0 leaves the program, 1 goes on.
extern int fake_game_over_answer;
extern bool fake_program_left;
extern unsigned fake_games_over;

// Forgets what the last command asked of the window.
void fake_clear_events();
bool fake_sound_played(const char* file);
// Back to a fresh program: no game, board at its base place, no events.
void fake_reset_program();
