// A person at the mouse, for the simulator and the tests: presses, moves and
// releases routed the way the main window routes them to the rules.
#pragma once

#include <cstdint>

// Left button down at a point: a movable token of a human current player is
// picked up, otherwise the dice are thrown when they may be.
void sim_press(int32_t x, int32_t y);
void sim_move(int32_t x, int32_t y);
void sim_release(int32_t x, int32_t y);

// The token a press at the point would pick up (NO_TOKEN for none), the
// pointer left where it was.
uint8_t token_at_point(int32_t x, int32_t y);
// A point inside the token's picture where a press picks up that token and
// no earlier one; false when there is none.
bool token_pick_point(uint8_t token, int32_t* x, int32_t* y);
// Centre of the cell of a board square (the centre square for home).
bool square_centre(uint8_t square, int32_t* x, int32_t* y);
// A person's whole move: press on the token, move to the point, release.
// False if the token could not be picked up.
bool person_drop(uint8_t token, int32_t x, int32_t y);
// The person's throw: a press on the window where nothing else is hit.
void person_throw();
// Dialog choices and the new game they start, as the players dialog does.
void sim_default_names();
void sim_start_game();
