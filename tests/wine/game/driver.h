// Starting the game in a working folder of its own and finding its message
// boxes and dialogs among the windows of its process.
#pragma once

#include "game_process.h"

#include <windows.h>

#include <string>

// Starts korvalo.exe in a fresh working folder and waits until its first
// paint shows the board's outline. A temporary folder given becomes the
// game's (TMP and TEMP), where it keeps its record files.
bool start_game(const char* exe, Game& game, const std::wstring& temporary = L"");
// The same in the given working folder, as a shortcut starts it.
bool start_game_at(const char* exe, const char* folder, Game& game);

void post_alt_key(const Game& game, UINT key);

// A visible message box or dialog of the game (class #32770), or null.
HWND find_game_box(const Game& game);
bool is_message_box(HWND box);
HWND wait_for_box(const Game& game, DWORD ms);
// The pointer shape now showing (the foreground thread's cursor).
HCURSOR current_cursor();
// A small window of this program, to take the activation from the game.
HWND make_other_window();
// Handles this program's own messages for a while.
void pump(DWORD ms);
