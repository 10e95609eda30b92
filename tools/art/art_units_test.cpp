// The quantiser and the file writers on small made-up pictures.
#include <gtest/gtest.h>

#include <algorithm>

#include "tools/art/draw.h"
#include "tools/art/formats.h"
#include "tools/art/quantise.h"

namespace art {
namespace {

Image gradient(int w, int h) {
  Image im(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) im.at(x, y) = rgb(x * 255 / (w - 1), y * 255 / (h - 1), (x + y) % 256);
  return im;
}

TEST(Quantise, KeepsAFewColoursExactly) {
  Image im(5, 3, rgb(10, 20, 30));
  im.at(1, 1) = rgb(200, 0, 0);
  im.at(4, 2) = kWhite;
  const Indexed q = quantise(im, 256, {kWhite}, 256);
  EXPECT_EQ(q.palette.size(), 256u);
  EXPECT_EQ(q.palette[0], kBlack);
  EXPECT_TRUE(expand(q).pixels == im.pixels);
}

TEST(Quantise, ReducesManyColoursCloselyAndTheSameEveryTime) {
  const Image im = gradient(64, 48);
  const Indexed a = quantise(im, 256, {kWhite}, 256), b = quantise(im, 256, {kWhite}, 256);
  EXPECT_EQ(a.palette, b.palette);
  EXPECT_EQ(a.index, b.index);
  ASSERT_EQ(a.palette.size(), 256u);
  EXPECT_NE(std::find(a.palette.begin(), a.palette.end(), kWhite), a.palette.end());
  int worst = 0;
  for (int y = 0; y < im.height; ++y)
    for (int x = 0; x < im.width; ++x) {
      const Rgb p = im.at(x, y), q = a.colour(x, y);
      worst = std::max({worst, std::abs(red_of(p) - red_of(q)), std::abs(green_of(p) - green_of(q)),
                        std::abs(blue_of(p) - blue_of(q))});
    }
  EXPECT_LE(worst, 40);
}

TEST(Quantise, ReservedColoursStayExactAmongMany) {
  Image im = gradient(40, 40);
  im.at(3, 3) = kBlack;
  im.at(7, 9) = kWhite;
  im.at(8, 9) = rgb(250, 250, 250);  // near white, but not white
  const Indexed q = quantise(im, 16, {kWhite}, 16);
  EXPECT_EQ(q.palette.size(), 16u);
  EXPECT_EQ(q.colour(3, 3), kBlack);
  EXPECT_EQ(q.colour(7, 9), kWhite);
}

TEST(Quantise, TransparentPixelsTakeBlack) {
  Image im(4, 4, rgb(255, 0, 0));
  im.opaque.assign(16, 1);
  im.opaque[5] = 0;
  const Indexed q = quantise(im, 16, {}, 16);
  EXPECT_EQ(q.index[5], 0);
  EXPECT_EQ(q.palette[0], kBlack);
  EXPECT_EQ(q.colour(0, 0), rgb(255, 0, 0));
}

TEST(Formats, EightBitBitmapReadsBackWithPaddedRowsTopFirst) {
  Image im = gradient(37, 5);  // 37 is not a multiple of 4: padded rows
  im.at(0, 0) = rgb(1, 2, 3);
  const Indexed q = quantise(im, 256, {}, 256);
  const Bytes file = write_bmp8(q);
  EXPECT_EQ(file.size(), 14u + 40 + 1024 + 40 * 5);
  const BmpInfo b = read_bmp(file);
  ASSERT_TRUE(b.ok);
  EXPECT_EQ(b.bits, 8);
  EXPECT_EQ(b.width, 37);
  EXPECT_EQ(b.height, 5);
  EXPECT_TRUE(b.pixels.pixels == expand(q).pixels);
}

TEST(Formats, TwentyFourBitBitmapReadsBack) {
  const Image im = gradient(47, 6);
  const Bytes file = write_bmp24(im);
  EXPECT_EQ(file.size(), 14u + 40 + 144 * 6);
  const BmpInfo b = read_bmp(file);
  ASSERT_TRUE(b.ok);
  EXPECT_EQ(b.bits, 24);
  EXPECT_EQ(b.palette_entries, 0);
  EXPECT_TRUE(b.pixels.pixels == im.pixels);
}

TEST(Formats, CursorKeepsHotSpotMaskAndColours) {
  Image im(32, 32);
  im.opaque.assign(32 * 32, 0);
  for (int i = 0; i < 10; ++i) {
    im.at(i + 3, 5) = rgb(0, 0, 255);
    im.opaque[5 * 32 + i + 3] = 1;
  }
  im.at(3, 6) = kBlack;  // an opaque black pixel is not transparent
  im.opaque[6 * 32 + 3] = 1;
  const Indexed q = quantise(im, 16, {}, 16);
  const IconInfo c = read_icon(write_cur(q, 3, 5));
  ASSERT_TRUE(c.ok);
  EXPECT_EQ(c.type, 2);
  ASSERT_EQ(c.images.size(), 1u);
  EXPECT_EQ(c.images[0].hot_x, 3);
  EXPECT_EQ(c.images[0].hot_y, 5);
  EXPECT_EQ(c.images[0].colour_count, 16);
  EXPECT_TRUE(c.images[0].pixels.opaque == im.opaque);
  EXPECT_EQ(c.images[0].pixels.at(12, 5), rgb(0, 0, 255));
  EXPECT_EQ(c.images[0].pixels.at(3, 6), kBlack);
}

TEST(Formats, IconHoldsEveryImage) {
  Image big(32, 32, rgb(255, 255, 0)), small(16, 16, rgb(255, 0, 0));
  const std::vector<Indexed> images = {quantise(big, 16, {}, 16), quantise(small, 16, {}, 16)};
  const Bytes file = write_ico(images);
  EXPECT_EQ(file.size(), 6u + 2 * 16 + (40 + 64 + 512 + 128) + (40 + 64 + 128 + 64));
  const IconInfo ico = read_icon(file);
  ASSERT_TRUE(ico.ok);
  EXPECT_EQ(ico.type, 1);
  ASSERT_EQ(ico.images.size(), 2u);
  EXPECT_EQ(ico.images[1].width, 16);
  EXPECT_EQ(ico.images[0].pixels.at(31, 31), rgb(255, 255, 0));
  EXPECT_EQ(ico.images[1].pixels.at(0, 15), rgb(255, 0, 0));
}

TEST(Draw, QuarterTurnMakesTextReadUpwards) {
  Canvas c(6, 3);
  cairo_rectangle(c.cr(), 0, 0, 1, 1);  // the first letter's corner
  cairo_set_source_rgb(c.cr(), 1, 0, 0);
  cairo_fill(c.cr());
  cairo_surface_t* turned = rotate_ccw(c.surface());
  const Image t = from_surface(turned);
  cairo_surface_destroy(turned);
  ASSERT_EQ(t.width, 3);
  ASSERT_EQ(t.height, 6);
  EXPECT_EQ(t.at(0, 5), rgb(255, 0, 0));  // start of the line at the bottom left
  EXPECT_EQ(t.at(0, 0), kBlack);
}

}  // namespace
}  // namespace art
