// Saved games: the running game as a versioned, checksummed text, and the
// loader that checks every value of such a text before it changes anything.
// The format is described in docs/save-format.md.
#pragma once

#include <cstdint>
#include <string>

// No saved game is longer than this (a full four-player game is under 1 KB);
// a longer file is refused unread.
enum { SAVE_TEXT_MAX = 4096 };

// Whether a byte may stand in a player's name in a saved game: printable
// Windows-1252, no control bytes and none of the five that the code page
// leaves undefined. A name with any other byte cannot be saved.
bool name_byte_ok(unsigned char c);

// The running game at this moment, between two actions; now is the tick
// count, which gives the game time played so far. The first-home name is
// the one the game's record holds, when the game knows it.
std::string save_game_text(uint32_t now);

// True when the text is a saved game that load_game_text would accept.
// Changes nothing; the saver runs it on its own text so that it never
// writes a file that could not be loaded again.
bool check_game_text(const std::string& text);

// Makes the saved game the running game, as a game of this run: it takes
// the game number new_game would give it, its record file is created again
// (once a token is home, with the first-home name, empty if the save does
// not say it), its time goes on from the saved time, the whole board is
// repainted and the pointer is the current player's. False, with nothing
// changed at all, for any text that is not a sound saved game.
bool load_game_text(const std::string& text, uint32_t now);
