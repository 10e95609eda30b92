// What every dialog of the game shares: black backgrounds with coloured
// texts, the elliptic outline of the two new-game dialogs, and the picture
// buttons with their pressed feedback.
#pragma once

#include <windows.h>

#include "game/board.h"

// Sets the ellipse inside the client rectangle as the dialog's window
// region; the window owns the region from then on.
void apply_ellipse_shape(HWND dialog);
// The whole WM_PAINT of the elliptic dialogs: a 5-pixel red ellipse whose
// outer half the region clips away, so the border hugs the edge.
void paint_ellipse_border(HWND dialog);
// Shows the record's pressed picture on control id and repaints it at once;
// the caller plays its sound and waits before acting.
void flash_button(HWND dialog, int id, const ButtonRecord& record);

// Black background, the given text colour; the brush a colour message returns.
INT_PTR colour_control(HDC dc, COLORREF text);

// A picture of the game at the window's scale.
HBITMAP load_picture(int id);
// Puts a picture on a picture control and releases the one the control was
// created with from its template, which no one else would release.
void put_picture(HWND dialog, int id, HBITMAP picture);
void show_picture(HWND dialog, int id, void* picture);
