// Starting the game in a working folder of its own, finding its message
// boxes and dialogs among the windows of its process, and real input.
#pragma once

#include "game_process.h"

#include <windows.h>

#include <string>

// Starts korvalo.exe in a fresh working folder and waits for its first paint;
// a temporary folder given becomes the game's (TMP and TEMP), with its records.
bool start_game(const char* exe, Game& game, const std::wstring& temporary = L"");
// The same in the given working folder, as a shortcut starts it.
bool start_game_at(const char* exe, const char* folder, Game& game);

void post_alt_key(const Game& game, UINT key);

// The scale the game draws at on the screen as it is now (the game's own
// choice, made again here, at most `most` as "/escala:N" asks), and the
// design screen its rules see: sets scale, screen_w, screen_h and the
// board's tables to where the game has them.
void take_screen(unsigned most = 0);
// The same for a monitor of that size.
void take_screen_of(int w, int h, unsigned most = 0);
// Changes the screen's resolution (the game follows it), then takes it.
bool change_screen(int width, int height);

// The name of a record file in the game's temporary folder, or empty.
std::string record_file_of(const Game& game);

// A visible message box or dialog of the game (class #32770), or null.
HWND find_game_box(const Game& game);
bool is_message_box(HWND box);
// The game's enabled box that has the control, or null after the time-out.
HWND wait_for_control(const Game& game, int id, DWORD ms = 5000);
HWND wait_for_file_dialog(const Game& game);
bool gone(HWND window);
// A dialog control's text, read as 1252 like window_text.
std::string control_text(HWND dialog, int id);
// Presses the button of the message box that opens and waits for it to close; its text, or "".
std::string answer_box(const Game& game, int button);
// The pointer shape now showing (the foreground thread's cursor).
HCURSOR current_cursor();
// A small window of this program, to take the activation from the game.
HWND make_other_window(DWORD ex_style = 0, int x = 10, int y = 10);
// Handles this program's own messages for a while.
void pump(DWORD ms);
// Real mouse input (not messages): the pointer moved to a screen point, a
// click there, the left button pressed or released where the pointer is.
void real_move(int x, int y);
void real_click(int x, int y);
void real_button(bool down);
// A real click there and at once a key pressed and released, both queued before the click is handled.
void real_click_and_key(int x, int y, WORD key);
