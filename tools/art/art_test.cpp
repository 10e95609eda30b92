// Guards against: committed pictures that are not what the generator draws
// from the repository, and a regenerated picture the programs can no longer
// draw with (a depth or size their code does not expect, a mask that lets a
// sprite's background smear the board, a pointer whose hot spot is off it).
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "game/board.h"
#include "tools/art/board.h"
#include "tools/art/pictures.h"
#include "ui/resources/resource.h"
#include "ui/resources/window_buttons.h"

namespace art {
namespace {

const std::string kSource = KORVALO_ART_SOURCE;

const std::vector<Output>& pictures() {
    static const std::vector<Output> all = generate_pictures();
    return all;
}

BmpInfo committed_bmp(int id) {
    return read_bmp(read_file(kSource + "/ui/resources/art/" + std::to_string(id) + ".bmp"));
}

TEST(Art, CommittedFilesAreWhatTheGeneratorDraws) {
    std::vector<Output> all = pictures(), sheets = generate_sheets(all);
    all.insert(all.end(), sheets.begin(), sheets.end());
    std::set<std::string> made;
    for (const Output& o : all) {
        const std::string fresh = std::string(KORVALO_ART_REGENERATED) + "/" + o.path;
        ASSERT_TRUE(write_file(fresh, o.bytes)) << fresh;
        EXPECT_TRUE(read_file(kSource + "/" + o.path) == o.bytes)
            << o.path << " differs from " << fresh << "; run the regenerate_art target";
        made.insert(o.path);
    }
    for (const auto& entry : std::filesystem::directory_iterator(kSource + "/ui/resources/art"))
        EXPECT_TRUE(made.count("ui/resources/art/" + entry.path().filename().string()))
            << entry.path() << " is not made by the generator";
}

// Bitmaps uncompressed at 8 bits with a full palette or at 24; pointers
// 32 x 32 at 16 colours with the hot spot on the picture.
TEST(Art, PicturesHaveTheFormatsTheProgramsLoad) {
    for (const Output& o : pictures()) {
        const Bytes file = read_file(kSource + "/" + o.path);
        if (o.kind == Kind::Bmp8 || o.kind == Kind::Bmp24) {
            const BmpInfo b = read_bmp(file);
            EXPECT_TRUE(b.ok && b.compression == 0 && b.bits == (o.kind == Kind::Bmp8 ? 8 : 24) &&
                        b.palette_entries == (o.kind == Kind::Bmp8 ? 256 : 0))
                << o.path << ": " << b.bits << " bits, " << b.palette_entries << " colours";
        } else if (o.kind == Kind::Cursor) {
            const IconInfo c = read_icon(file);
            ASSERT_TRUE(c.ok && c.type == 2 && c.images.size() == 1) << o.path;
            const IconImageInfo& im = c.images[0];
            EXPECT_TRUE(im.width == 32 && im.height == 32 && im.bits == 4 && im.pixels.shown(im.hot_x, im.hot_y))
                << o.path << ": " << im.width << " x " << im.height << ", " << im.bits << " bits, hot spot " << im.hot_x
                << "," << im.hot_y;
        }
    }
}

// Every square the game paints shows a tile of exactly the cell the game's
// own geometry gives it, and every window button its picture.
TEST(Art, TilesFitTheGamesCells) {
    reset_board_geometry();
    int tiled = 0;
    for (int n = 1; n < 127; ++n) {
        ::Cell cell;
        if (tile_of(n) == kNoTile) continue;
        ASSERT_TRUE(square_cell(uint8_t(n), &cell)) << n;
        const BmpInfo tile = committed_bmp(tile_of(n));
        EXPECT_EQ(std::make_pair(tile.width, tile.height), std::make_pair(cell.width, cell.height))
            << "square " << n << ", tile " << tile_of(n);
        ++tiled;
    }
    EXPECT_EQ(tiled, 68 + 4 * 7);
    // A window button's place is the size of its picture: a click on any pixel of it presses it.
    for (int i = 0; i < WINDOW_BUTTONS; ++i) {
        const BmpInfo picture = committed_bmp(window_button_picture[i]);
        EXPECT_EQ(std::make_pair(picture.width, picture.height),
                  std::make_pair(buttons[i].right - buttons[i].left, buttons[i].bottom - buttons[i].top))
            << "button " << i;
    }
}

// The dice and the car are drawn by AND with their mask cell, then XOR with
// the picture: the mask is pure black and white, black under the picture,
// and where it is white every picture cell is black, or the board changes.
TEST(Art, SpriteMasksLetTheBoardShowAroundThePicture) {
    const BmpInfo dice = committed_bmp(IDB_DICE);
    EXPECT_EQ(std::make_pair(dice.width, dice.height), std::make_pair((DICE_MASK_CELL + 1) * DICE_CELL, DICE_CELL));
    for (auto [id, cells] : {std::pair<int, int>{IDB_DICE, DICE_MASK_CELL + 1}, {IDB_CAR, 2}}) {
        const BmpInfo b = committed_bmp(id);
        const int w = b.width / cells;
        int grey = 0, leaks = 0, hidden = 0;
        for (int y = 0; y < b.height; ++y)
            for (int x = 0; x < w; ++x) {
                const Rgb m = b.pixels.at((cells - 1) * w + x, y);
                grey += m != kBlack && m != kWhite;
                hidden += m == kBlack;
                for (int c = 0; c < cells - 1; ++c) leaks += m == kWhite && b.pixels.at(c * w + x, y) != kBlack;
            }
        EXPECT_EQ(grey, 0) << id;
        EXPECT_EQ(leaks, 0) << id << ": picture pixels under the white of the mask";
        EXPECT_GT(hidden, w * b.height / 3) << id << ": the mask does not cover the picture";
    }
}

} // namespace
} // namespace art
