// The game's help: F1 and the "?" button open it, the end of the game
// closes it.
#pragma once

extern bool help_was_opened; // a help file was asked for in this run

// Opens the help file the system can show on its contents page; silent
// when that file is not beside the game.
void open_help();
// The WinHelp viewer's window the game opened is the foreground window.
bool help_window_in_front();
// Closes the help viewer if open_help asked for one.
void close_help();
