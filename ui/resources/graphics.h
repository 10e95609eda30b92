// Drawing objects made when the main window is created and released when it
// is destroyed: pictures, pointers, colours, brushes, the pen and the font.
#pragma once

#include <windows.h>

extern HBITMAP square_tile[127]; // by board square; entry 0 empty
extern HBITMAP jail_picture[4];
extern HBITMAP dice_strip;
extern HBITMAP token_picture[4];
extern HCURSOR player_cursor[4];
extern HCURSOR carry_cursor[4];
extern HCURSOR no_drop_cursor;
extern COLORREF player_colour[4];
extern HBRUSH player_brush[4];
extern HPEN frame_pen;
extern HFONT count_font; // Arial, 68 pixels: the pips left and the winner's name
extern HFONT name_font;  // the current player's name beside the board

// The pointers at the window's scale. Each is made the first time it is
// asked for: enlarging all nine was much of the start-up on a large
// screen, and a game of two never shows the other seats'. load_cursors
// makes the first player's, which the window shows from the start.
void load_cursors();
HCURSOR player_pointer(int seat);
HCURSOR carry_pointer(int seat);
HCURSOR no_drop_pointer();
void release_cursors();
void load_bitmaps();
void create_brushes();
void create_pens();
void create_font();
// At the window's scale; made again when the scale changes.
void create_name_font();
void release_name_font();
// Releases, each once, everything made by the loaders above.
void release_graphics();

// A memory context compatible with window_dc with a new bitmap of the given
// size selected into it; destroy_surface releases both.
HDC make_surface(int width, int height);
void destroy_surface(HDC surface);
