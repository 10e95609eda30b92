// The one place where the window's pixels become the design's and back.
// The rules, the layout tables and every drawing procedure work in design
// pixels (a 640 x 480 layout centred on the screen the rules see); the
// window shows each design pixel as a pixel_scale x pixel_scale block.
#pragma once

#include <windows.h>

#include <cstdint>

extern uint8_t pixel_scale;

// A point the system gives in window pixels, in the design's.
POINT design_point(LPARAM lparam);
POINT design_point(int x, int y);
// A design rectangle (right and bottom exclusive) in window pixels.
RECT window_rect(int left, int top, int right, int bottom);

// Makes a context draw design pixels: every coordinate and size it is given
// is pixel_scale times larger on its device, bitmaps are enlarged by pixel
// repetition and fonts are realised at the larger size.
void draw_in_design_pixels(HDC dc);

// A copy of a picture pixel_scale times larger (each pixel a uniform
// block); the caller releases both. The picture itself at scale 1.
HBITMAP enlarged_picture(HBITMAP picture);
// A pointer pixel_scale times larger, hot spot included; the caller
// destroys both. The pointer itself at scale 1.
HCURSOR enlarged_pointer(HCURSOR pointer);

// Lines and ellipses drawn at the design's size and then copied enlarged,
// so that a 1-pixel line becomes a whole block wide, exactly as the design
// picture enlarged (the system would draw them thinner or smoother). The
// canvas covers (x, y, w, h) of the target in design pixels, starts black,
// and is copied onto the target by finish_canvas.
struct DesignCanvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ original = nullptr;
    int x = 0, y = 0, w = 0, h = 0;
};
bool start_canvas(DesignCanvas& canvas, int x, int y, int w, int h);
// Copies the canvas with the given raster operation (design coordinates of
// a target that does not draw in design pixels are enlarged here) and
// releases it.
void finish_canvas(DesignCanvas& canvas, HDC target, DWORD rop = SRCCOPY);

// A region of design pixels made pixel_scale times larger, block for block:
// the region itself at scale 1 (or when no larger one can be made),
// otherwise a new one, and the given one is released.
HRGN enlarged_region(HRGN region);
