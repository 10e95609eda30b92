// Shared set-up for the unit tests: a fresh program with the fake window.
#pragma once

#include <cstdint>

// A fresh program on a screen of the given size, with a seeded generator.
void fresh_program(uint16_t width = 640, uint16_t height = 480);
// A new game with default names; cpu seats as given (one-token games keep them).
void start_game(uint8_t players, uint8_t tokens);
// Puts a token of a seat on a route step, as if it had moved there.
void put_on_step(uint8_t seat, uint8_t token, uint8_t step);
// Scripts the next throw and makes it.
void throw_with(int a, int b);
