// Checks of the game state that must hold after every action.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Every legal drop of a non-zero amount the current person could make,
// found through the real pick-up and drop rules at pixel points.
struct LegalDrop {
    uint8_t token;
    int32_t x, y;
    uint8_t steps;
};
std::vector<LegalDrop> find_legal_drops();
// The same, trying for each token only the squares the dice can reach
// (die 0, die 1, their sum): far cheaper, the same drops for a person.
std::vector<LegalDrop> find_dice_drops();

// Whether a token's picture stands where the rules put it: inside its jail,
// beside the board on its own side when home, its corner on its square when
// out.
bool token_in_place(uint8_t seat, uint8_t t);

// Describes each broken invariant; empty when all hold.
std::vector<std::string> check_invariants();
