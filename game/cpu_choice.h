// The computer's choice among the legal uses of a throw: every way of
// playing out what is left of it is tried on a copy of the position, and
// each outcome is weighed by one evaluation of the board.
#pragma once

#include "game/position.h"

// The worth of the position to a seat: its tokens' progress, less what the
// opponents' next throws are likely to take from it, against the
// opponents' progress.
double evaluate(const Position& pos, uint8_t seat);
// The chance that some opponent catches the seat's token at its next
// throw, over the 36 throws of two dice.
double catch_chance(const Position& pos, uint8_t seat, const TokenRecord& tok);
// The use the player to move plays next; false when no use is legal.
bool choose_use(const Position& pos, MoveUse* use);
