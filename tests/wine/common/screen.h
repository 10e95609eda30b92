// What the game shows, read back from the screen: whole-screen captures,
// the game's own pictures taken from its executable, and searches for
// tokens, dice and the pips-left number.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

struct Image {
    int w = 0, h = 0;
    std::vector<uint32_t> px; // 0x00RRGGBB, top row first
    uint32_t at(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
};

// The scale the game draws at (take_screen and change_screen set it).
extern int scale;
// Where a design point shows on the screen: the middle of its block.
POINT on_screen(int x, int y);

// The screen once the game's drawing has reached it, in window pixels.
Image capture_settled_screen();
// A capture in design pixels: the top-left pixel of every block.
Image design_view(const Image& shot);
// Pixels of the w x h design pixels at `at` in `shot` (window pixels, at
// `scale`) that differ from the design picture at `from` in `design`
// enlarged, leaving out the design rectangles in `skip` (relative to `at`).
struct Area {
    int left, top, right, bottom; // design pixels, right and bottom exclusive
};
int differs_from_enlarged(const Image& shot, POINT at, const Image& design, POINT from, int w, int h,
                          const std::vector<Area>& skip = {});
// A bitmap resource of the game's executable, by id.
Image game_picture(int id);
void open_game_pictures(const char* exe);
bool same_block(const Image& shot, int x, int y, const Image& picture);
// Pixels that differ between two captures inside (x, y, w, h).
int differing_pixels(const Image& a, const Image& b, int x, int y, int w, int h);

struct Spot {
    int x, y;
};
// Every place where the 20 x 20 token picture of the seat shows whole.
std::vector<Spot> find_tokens(const Image& shot, int seat);
struct DieSpot {
    int x, y, face;
};
// Every die shown (face and top-left corner), compared on the die's own
// pixels only (the board shows through around it).
std::vector<DieSpot> find_dice(const Image& shot);
// The number written in the centre square (design x, y, 68 x 68) of a
// shot in window pixels, on the given colour, or -1 when it shows none of
// 0..12; pixels under the dice given are not compared (a die may rest over
// the centre).
int read_centre_number(const Image& shot, int x, int y, COLORREF colour, const std::vector<DieSpot>& covering = {});
