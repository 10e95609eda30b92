// Starting the game in a working folder of its own and finding its message
// boxes and dialogs among the windows of its process.
#pragma once

#include "game_process.h"

#include <windows.h>

#include <string>

// Starts korvalo.exe in a fresh working folder (its record files go
// there) and waits until its first paint shows the board's outline.
bool start_game(const char* exe, Game& game);

void post_alt_key(const Game& game, UINT key);

// A visible message box or dialog of the game (class #32770), or null.
HWND find_game_box(const Game& game);
bool is_message_box(HWND box);
HWND wait_for_box(const Game& game, DWORD ms);
// The pointer shape now showing (the foreground thread's cursor).
HCURSOR current_cursor();
// The real pointer moved to a screen point (mouse input, not a message).
void real_move(int x, int y);
void real_click(int x, int y);
// A real key press and release.
void real_key(WORD key);
