// The program's window-wide handles: instance, main window and its own
// device context, and the two memory surfaces every bitmap copy goes through.
#pragma once

#include <windows.h>

extern HINSTANCE app_instance;
extern HWND main_window;
extern HDC window_dc; // the main window's own context, fetched once at creation
extern HDC sprite_dc; // source of every bitmap copy (190 x 100)
extern HDC dice_dc;   // the board under each die, slot i at x = 60 i (190 x 100)

// The main window procedure and what start-up needs of it.
LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Fills record_folder with the player's own folder for the record files,
// made when missing.
void set_record_folder();
// At the end of the run: its record files, and the folder with them when
// nothing else is left in it.
void delete_record_folder();
