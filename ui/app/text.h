// Every text of the game is Windows-1252 bytes: the literals, the names
// typed in, the record files. The system's own ANSI code page may be
// another (a Russian or Greek system, or the UTF-8 option of Windows 10
// and 11), which the A functions would read the bytes in; so each text
// crosses to Windows here, read as 1252, through the W function. File
// names are not texts of the game: they stay in the system's code page.
#pragma once

#include <windows.h>

#include <string>

std::wstring wide_text(const char* text, int length = -1);

int message_box(HWND owner, const char* text, const char* caption, UINT kind);
void set_window_text(HWND window, const char* text);
void set_item_text(HWND dialog, int id, const char* text);
// What a window (a name field) holds, into out (size bytes, its NUL
// included), at most size - 1 characters: a character 1252 lacks becomes
// '?', never a look-alike letter.
void get_window_text(HWND window, char* out, int size);
void write_text(HDC dc, int x, int y, const char* text, int length = -1);
void write_text_in(HDC dc, const char* text, RECT* box, UINT format);

// The raster fonts (the stock system font, "Helv", "MS Sans Serif") are
// made for the system's code page: elsewhere than 1252 they lack letters
// such as "ñ" and "¡". This is the font itself where it has the 1252
// letters, otherwise the same request for 1252 (in Arial when the face has
// no such variant); made once per run and kept until release_1252_fonts.
HFONT font_with_1252_letters(HFONT font);
// Gives a dialog's controls that font when theirs lacks the letters.
void use_1252_font(HWND dialog);
void release_1252_fonts();
