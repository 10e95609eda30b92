// The play test's game and checks, for the installed game's test.
#pragma once

#include "game_process.h"

#include <windows.h>

#include <functional>
#include <string>

// A one-token game of "Peña" (red) against the computer ("Cpu??", yellow),
// from F2 to the "Ganó" message, with the play test's checks on the way;
// `started` runs once the game is on, before the first throw. The winner's
// name, empty when the game could not be played to its end.
std::string play_against_computer(Game& game, const std::function<void()>& started);
void check_game_over(HWND over, const std::string& winner);
void check_summary(const Game& game, const std::string& winner, bool records, bool salir);
// The players dialog of a first game of two, as the player reads it.
void check_players_texts(HWND players);
