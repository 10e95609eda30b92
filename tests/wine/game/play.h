// The play test's game, for the other tests that need a whole game.
#pragma once

#include "game_process.h"

#include <functional>
#include <string>

// A one-token game of Ana (red) against the computer ("Cpu", yellow), from
// F2 to the "Ganó" message, with the play test's checks on the way;
// `started` runs once the game is on, before the first throw. The winner's
// name, empty when the game could not be played to its end.
std::string play_against_computer(Game& game, const std::function<void()>& started);
