// Other programs' windows as a test finds and reads them: the help viewer
// beside the game, a question box of the game.
#pragma once

#include <windows.h>

#include <string>

// The first visible top-level window of that class, of that process (any
// process when pid is 0); null when there is none.
HWND find_window_of(const char* window_class, DWORD pid);
// The text the help viewer (class MS_WINHELP) shows in its page pane, as
// 1252 bytes; empty when there is none.
std::string help_page_text(HWND viewer);
// Posts a left click on the first place the page shows these words (1252),
// as a click there would arrive; false when the page does not show them.
bool click_page_text(HWND viewer, const std::string& words);
