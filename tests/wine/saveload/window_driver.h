// The game's message boxes and dialogs, and the system's file dialogs,
// found among the windows of its process; screen captures.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "file_dialog.h"
#include "game_process.h"

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

std::string filter_box(HWND dialog);

struct Image {
    int w = 0, h = 0;
    std::vector<uint32_t> px;
};
Image capture_screen();
int differing_pixels(const Image& a, const Image& b);
