// Painting the main window straight into its own context: the board, the
// button bar, the dice and the tokens. Every procedure leaves window_dc in
// its resting state (background red, text black, frame_pen, copy mode).
#pragma once

#include <windows.h>

#include <cstdint>

struct Rect;

void draw_board();
void draw_buttons();
void draw_tokens();
// Whether a finished game's position is kept (keep_final_position, game/seam.h),
// for every paint to draw until the next game starts.
bool final_position_kept();
// Whether any of the rectangle is inside window_dc's clip: a paint is
// clipped to what was invalidated, and the pictures of parts outside it are
// neither selected nor copied (under some systems each clipped-away copy
// or select still costs as much as a drawn one).
bool window_part_visible(int x, int y, int w, int h);
// The outline of a rectangle with the context's current pen and mix mode.
void draw_frame(HDC dc, const Rect& r);
// Die i's square repainted without dice and copied into its dice_dc slot;
// the caller has set GF_DICE_ROLLING or GF_DIE_DRAG.
void save_under_die(uint8_t die);
