// Self-play of whole games over the real rules, with every invariant checked
// after every action.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// How the people of a run choose among their legal drops.
enum class People { random, greedy };

struct PlayOptions {
    unsigned games = 1;
    uint8_t players = 4;
    uint8_t tokens = 4;
    uint8_t cpu[4] = {0, 0, 0, 0};
    unsigned seed = 1;
    bool check = true;            // invariants after every action
    bool verbose = false;         // one line per game
    bool dice_drops_only = false; // people try only the squares the dice reach
    People people = People::random;
};

struct PlayTotals {
    unsigned games = 0;
    unsigned long throws = 0;
    unsigned max_throws = 0;
    unsigned wins[4] = {0, 0, 0, 0};
    unsigned tres_presadas = 0;
    unsigned castigos = 0;
    unsigned castigos_by_seat[4] = {0, 0, 0, 0};
    unsigned long long game_clock_ms = 0; // the computer's pace: 100 ms a timer tick
    unsigned captures = 0;
    unsigned violations = 0;
    std::vector<std::string> first_violations;
};

// Plays the games; the record files go to the current folder and are
// deleted after each run of at most 100 games, as a program run would.
PlayTotals self_play(const PlayOptions& options);
// One action of whoever is to play (a computer's timer step, a person's
// throw or a drop chosen among the legal ones, by the chooser's draws or
// by the greedy rule); false when nothing could be done.
bool play_action(uint32_t& chooser, bool dice_drops_only, People people = People::random);
// What is wrong with a game just over: no winner, or a record file that is
// not the winner's whole record; empty when nothing is.
std::vector<std::string> check_game_over();
// One game with the options' seating, no checks: for the benchmark.
void self_play_one_game(const PlayOptions& options, uint32_t& chooser_state);
