// Starting the game in its own working folder and driving its windows
// from outside with real messages, as another program of the desktop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct Game {
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
    std::string folder; // its working folder
};

// Starts korvalo.exe in a fresh working folder (its record files go
// there) and waits until its first paint shows the board's outline.
bool start_game(const char* exe, Game& game);
// Waits for the process to end; its exit code, or -1 on time-out.
int wait_for_exit(Game& game, DWORD ms);
void stop_game(Game& game);

// Polls until the condition holds or the time runs out.
bool wait_until(const std::function<bool()>& condition, DWORD ms);
// Lets the game handle everything posted so far (a sent message is
// answered only after the ones posted before it).
void settle(const Game& game);

void post_mouse(const Game& game, UINT message, int x, int y, bool button_down);
void click(const Game& game, int x, int y);
void post_key(const Game& game, UINT key);
void post_alt_key(const Game& game, UINT key);

// A visible message box or dialog of the game (class #32770), or null.
HWND find_game_box(const Game& game);
bool is_message_box(HWND box);
std::string box_text(HWND box);
std::string window_text(HWND window);
// Presses a message box button or a dialog's picture button by id.
void press_box_button(HWND box, int id);
HWND wait_for_box(const Game& game, DWORD ms);
// The pointer shape now showing (the foreground thread's cursor).
HCURSOR current_cursor();
