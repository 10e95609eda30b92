// Where every board square's tile goes: the cells and the tile of each
// square at 640 x 480, shared by the board mock and the tests.
#pragma once

namespace art {

struct Cell {
    int left, top, width, height;
};

constexpr int kNoTile = 0;

// Cell of a track (1 to 68) or home-stretch square (69-75, 86-92, 103-109,
// 120-126); width 0 for any other number.
Cell cell_of(int square);
// Bitmap id of the tile a square shows, kNoTile for any other number.
int tile_of(int square);

} // namespace art
