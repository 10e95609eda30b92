// The game as another program of the desktop sees it: its process and
// main window, driven from outside with posted messages.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct Game {
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
    std::string folder;   // its working folder
    std::wstring records; // where it keeps its record files
};

// Starts the game with the folder as its working folder and waits for its
// main window to be shown.
bool start_game_in(const char* exe, const char* folder, Game& game);
// Only starts the process.
bool launch_game(const char* exe, const char* folder, Game& game);
// What follows the program's name on the games' command lines.
extern std::string game_arguments;
// Waits for the process to end; its exit code, or -1 on time-out.
int wait_for_exit(Game& game, DWORD ms);
void stop_game(Game& game);

// Polls every 20 ms until the condition holds; false after the time-out.
bool wait_until(const std::function<bool()>& condition, DWORD ms);
// Lets the game handle everything posted so far and paint what it left to
// paint (a sent message is answered only after the ones posted before it).
void settle(const Game& game);

// Mouse messages at a point of the design's (the window gets its block's middle).
void post_mouse(const Game& game, UINT message, int x, int y, bool button_down);
void click(const Game& game, int x, int y);
void post_key(const Game& game, UINT key);

// Read as UTF-16 and given as 1252 bytes (see read_as_1252).
std::string window_text(HWND window);
// The text of a message box.
std::string box_text(HWND box);
// Presses a message box button or a dialog's picture button by id.
void press_box_button(HWND box, int id);
