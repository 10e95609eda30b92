// The system's open and save dialogs, driven from outside.
#pragma once

#include <windows.h>

// Whether a dialog window (class #32770) is a file dialog: it has a file
// name box.
bool is_file_dialog(HWND dialog);
// Types the name into the file name box and presses OK.
void choose_file(HWND dialog, const char* name);
