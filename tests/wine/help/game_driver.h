// The real game started as the installer's shortcuts start it, in a folder
// of one's choosing, and driven from outside as another program of the
// desktop would.
#pragma once

#include <windows.h>

#include <string>

struct Game {
  PROCESS_INFORMATION process = {};
  HWND window = NULL;
  DWORD pid() const { return process.dwProcessId; }
};

// Starts korvalo.exe with `folder` as its current folder and waits for the
// first paint of its board.
bool start_game(const std::string &exe, const std::string &folder, Game &game);
// Ends the process if it still runs and forgets it.
void end_game(Game &game);
// Where the board's top left corner has moved on this screen.
POINT board_offset();
// Restores the window if need be and makes it the foreground window.
bool bring_to_front(HWND w);
// True when the game's window is not minimised for the whole time.
bool game_stays_shown(const Game &game, DWORD milliseconds);
// Leaves through Escape (a real key) or WM_CLOSE, checks the question and
// answers Yes; `yes_at` is when. True when the game ended with code 0.
bool leave_game(Game &game, bool by_key, const std::string &who, DWORD &yes_at);
// A visible window of another program (this one), in the screen's bottom
// right corner.
HWND make_plain_window();
