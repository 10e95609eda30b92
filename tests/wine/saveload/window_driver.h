// The game driven from outside, as another program of the desktop: its
// process and window, posted keys and clicks, its message boxes and
// dialogs found among the windows of its process, and screen captures.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Game {
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
};

// Starts the game with the folder as its working folder and waits for its
// window.
bool start_game_in(const char* exe, const char* folder, Game& game);
int wait_for_exit(Game& game, DWORD ms);
void stop_game(Game& game);

// Polls every 20 ms until the condition holds; false after the time-out.
bool wait_until(const std::function<bool()>& condition, DWORD ms);
// Returns once the game has handled everything posted so far and painted.
void settle(const Game& game);
void post_key(const Game& game, UINT key);
void click(const Game& game, int x, int y);

// Visible windows of class #32770 of the game's process: a dialog of the
// game, a message box (it has the static text 0xFFFF), or a system file
// dialog (it has a file name box).
HWND find_dialog(const Game& game);
HWND wait_for_dialog(const Game& game, DWORD ms);
HWND wait_for_message_box(const Game& game, DWORD ms);
HWND wait_for_file_dialog(const Game& game, DWORD ms);
bool nothing_opens(const Game& game, DWORD ms);
// Waits for a window to close.
bool gone(HWND window);

std::string window_text(HWND window);
std::string box_text(HWND box);
// A button of a message box or a dialog, by id.
void press(HWND box, int id);
// Types the name into a file dialog's file name box and presses OK.
void choose_file(HWND dialog, const char* name);
std::string file_name_box(HWND dialog);
std::string filter_box(HWND dialog);

struct Image {
    int w = 0, h = 0;
    std::vector<uint32_t> px;
};
Image capture_screen();
int differing_pixels(const Image& a, const Image& b);
