// The committed pictures are exactly what the generator draws, and they
// have the ids, sizes, depths, hot spots and masks the programs rely on.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "tools/art/board.h"
#include "tools/art/formats.h"
#include "tools/art/pictures.h"

namespace art {
namespace {

const std::string kSource = KORVALO_ART_SOURCE;
const std::string kRegenerated = KORVALO_ART_REGENERATED;

std::string game_art(int id, const char* ext) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "ui/resources/art/%d.%s", id, ext);
  return kSource + "/" + buf;
}

BmpInfo committed_bmp(int id) { return read_bmp(read_file(game_art(id, "bmp"))); }

// Every bitmap of the game: id, width, height.
struct Expected {
  int id, width, height;
};
const Expected kBitmaps[] = {
    {101, 20, 20}, {102, 20, 20}, {103, 20, 20}, {104, 20, 20}, {114, 96, 16},  {115, 96, 24},  {116, 16, 96},
    {117, 24, 96}, {118, 16, 96}, {119, 96, 16}, {120, 16, 96}, {121, 96, 16},  {122, 16, 96},  {123, 96, 16},
    {124, 68, 24}, {125, 16, 96}, {126, 24, 68}, {127, 96, 16}, {128, 68, 24},  {129, 68, 24},  {130, 68, 24},
    {131, 24, 68}, {132, 24, 68}, {133, 24, 68}, {134, 96, 96}, {135, 96, 96},  {136, 96, 96},  {137, 96, 96},
    {138, 37, 36}, {139, 37, 36}, {140, 37, 36}, {141, 37, 36}, {142, 37, 36},  {143, 37, 36},  {144, 37, 36},
    {145, 37, 36}, {146, 47, 46}, {147, 47, 46}, {148, 47, 46}, {149, 47, 46},  {150, 24, 23},  {151, 24, 23},
    {152, 24, 23}, {153, 24, 23}, {154, 24, 23}, {155, 24, 23}, {156, 47, 46},  {157, 47, 46},  {158, 47, 46},
    {159, 47, 46}, {160, 47, 46}, {161, 47, 46}, {180, 420, 60}, {181, 47, 46}, {182, 47, 46}, {183, 47, 46},
    {184, 47, 46}, {185, 190, 72},
};

Image decode_png(const Bytes& bytes) {
  struct Reader {
    const Bytes* b;
    std::size_t at;
  } r{&bytes, 0};
  cairo_surface_t* s = cairo_image_surface_create_from_png_stream(
      [](void* closure, unsigned char* data, unsigned int length) {
        auto* rd = static_cast<Reader*>(closure);
        if (rd->at + length > rd->b->size()) return CAIRO_STATUS_READ_ERROR;
        std::copy(rd->b->begin() + std::ptrdiff_t(rd->at), rd->b->begin() + std::ptrdiff_t(rd->at + length), data);
        rd->at += length;
        return CAIRO_STATUS_SUCCESS;
      },
      &r);
  Image im;
  if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) im = from_surface(s, true, 1);
  cairo_surface_destroy(s);
  return im;
}

TEST(CommittedArt, EveryFileIsWhatTheGeneratorDraws) {
  std::vector<Output> all = generate_pictures();
  std::vector<Output> sheets = generate_sheets(all);
  all.insert(all.end(), sheets.begin(), sheets.end());
  std::set<std::string> produced;
  for (const Output& o : all) {
    ASSERT_TRUE(write_file(kRegenerated + "/" + o.path, o.bytes)) << o.path;
    produced.insert(o.path);
    const Bytes committed = read_file(kSource + "/" + o.path);
    ASSERT_FALSE(committed.empty()) << o.path << " is not committed; run the regenerate_art target";
    if (o.kind == Kind::Png) {
      // Compression may change with the PNG library; the pixels may not.
      const Image want = decode_png(o.bytes), got = decode_png(committed);
      ASSERT_EQ(got.width, want.width) << o.path;
      ASSERT_EQ(got.height, want.height) << o.path;
      EXPECT_TRUE(got.pixels == want.pixels) << o.path << " differs from " << kRegenerated << "/" << o.path;
    } else {
      EXPECT_TRUE(committed == o.bytes) << o.path << " differs from " << kRegenerated << "/" << o.path
                                        << "; run the regenerate_art target and look at the contact sheet";
    }
  }
  // Nothing stale beside the generated files.
  for (const auto& entry : std::filesystem::directory_iterator(kSource + "/ui/resources/art")) {
    const std::string rel = "ui/resources/art/" + entry.path().filename().string();
    EXPECT_TRUE(produced.count(rel)) << rel << " is not made by the generator";
  }
}

TEST(CommittedArt, BitmapsHaveTheirSizeAndDepth) {
  for (const Expected& e : kBitmaps) {
    const BmpInfo b = committed_bmp(e.id);
    ASSERT_TRUE(b.ok) << e.id;
    EXPECT_EQ(b.width, e.width) << e.id;
    EXPECT_EQ(b.height, e.height) << e.id;
    EXPECT_EQ(b.compression, 0) << e.id;
    const bool deep = e.id == 147 || e.id == 180;
    EXPECT_EQ(b.bits, deep ? 24 : 8) << e.id;
    EXPECT_EQ(b.palette_entries, deep ? 0 : 256) << e.id;
  }
  const BmpInfo banner = read_bmp(read_file(kSource + "/install/art/banner.bmp"));
  ASSERT_TRUE(banner.ok);
  EXPECT_EQ(banner.width, 314);
  EXPECT_EQ(banner.height, 71);
  EXPECT_EQ(banner.bits, 8);
  EXPECT_EQ(banner.palette_entries, 256);
}

TEST(CommittedArt, EveryTileIsExactlyItsCell) {
  int squares = 0;
  for (int n = 0; n < 127; ++n) {
    const int id = tile_of(n);
    const Cell c = cell_of(n);
    EXPECT_EQ(id == kNoTile, c.width == 0) << "square " << n;
    if (id == kNoTile) continue;
    ++squares;
    const BmpInfo b = committed_bmp(id);
    ASSERT_TRUE(b.ok) << id;
    EXPECT_EQ(b.width, c.width) << "square " << n << " tile " << id;
    EXPECT_EQ(b.height, c.height) << "square " << n << " tile " << id;
  }
  EXPECT_EQ(squares, 68 + 28);
  // The cells pave the track without overlapping and stay on the board.
  std::vector<std::vector<int>> owner(480, std::vector<int>(640, 0));
  for (int n = 1; n < 127; ++n) {
    const Cell c = cell_of(n);
    for (int y = c.top; y < c.top + c.height; ++y)
      for (int x = c.left; x < c.left + c.width; ++x) {
        ASSERT_TRUE(x >= 94 && x < 546 && y >= 14 && y < 466) << "square " << n;
        EXPECT_EQ(owner[std::size_t(y)][std::size_t(x)], 0) << "squares " << n << " and " << owner[y][x] << " overlap";
        owner[std::size_t(y)][std::size_t(x)] = n;
      }
  }
}

TEST(CommittedArt, DiceMaskIsWhiteAroundTheDieAndBlackOnIt) {
  const BmpInfo b = committed_bmp(180);
  ASSERT_TRUE(b.ok);
  const Image& s = b.pixels;
  int black = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) {
      const Rgb m = s.at(360 + x, y);
      ASSERT_TRUE(m == kBlack || m == kWhite) << "mask pixel " << x << "," << y;
      bool face_shows = false;
      for (int f = 0; f < 6; ++f) {
        const Rgb p = s.at(60 * f + x, y);
        if (m == kWhite) {
          EXPECT_EQ(p, kBlack) << "face " << f + 1 << " shows at " << x << "," << y << " outside the mask";
        }
        face_shows = face_shows || p != kBlack;
      }
      if (m == kBlack) {
        ++black;
        EXPECT_TRUE(face_shows) << "mask hides the board at " << x << "," << y;
      }
      // The masked copy: AND with the mask, XOR with the face.
      const Rgb board = 0x4A7B1Cu;
      const Rgb shown = (board & m) ^ s.at(60 * 4 + x, y);
      EXPECT_EQ(shown, m == kWhite ? board : s.at(60 * 4 + x, y));
    }
  // Rounded corners: the board shows at the corners, the die in the middle.
  EXPECT_EQ(s.at(360, 0), kWhite);
  EXPECT_EQ(s.at(360 + 3, 3), kWhite);
  EXPECT_EQ(s.at(360 + 56, 56), kWhite);
  EXPECT_EQ(s.at(360 + 30, 30), kBlack);
  EXPECT_EQ(s.at(360 + 30, 3), kBlack);
  EXPECT_GT(black, 50 * 50);
}

TEST(CommittedArt, CarSilhouetteIsExactlyTheCarsPixels) {
  const BmpInfo b = committed_bmp(185);
  ASSERT_TRUE(b.ok);
  int car = 0;
  for (int y = 0; y < 72; ++y)
    for (int x = 0; x < 95; ++x) {
      const Rgb p = b.pixels.at(x, y), m = b.pixels.at(95 + x, y);
      EXPECT_EQ(m, p != kBlack ? kBlack : kWhite) << x << "," << y;
      car += p != kBlack;
    }
  EXPECT_GT(car, 95 * 72 / 3);
  // Magenta dominates the car.
  const Rgb body = b.pixels.at(40, 40);
  EXPECT_GT(red_of(body), 120);
  EXPECT_GT(blue_of(body), 100);
  EXPECT_LT(green_of(body), 90);
}

TEST(CommittedArt, CursorsHaveTheirHotSpotsAndSixteenColours) {
  const std::map<int, std::pair<int, int>> hot = {{113, {14, 13}}, {111, {14, 13}}, {112, {14, 13}},
                                                  {110, {14, 13}}, {108, {16, 16}}, {106, {16, 16}},
                                                  {105, {16, 16}}, {109, {16, 16}}, {107, {16, 16}}};
  for (const auto& [id, spot] : hot) {
    const IconInfo c = read_icon(read_file(game_art(id, "cur")));
    ASSERT_TRUE(c.ok) << id;
    EXPECT_EQ(c.type, 2) << id;
    ASSERT_EQ(c.images.size(), 1u) << id;
    const IconImageInfo& im = c.images[0];
    EXPECT_EQ(im.width, 32) << id;
    EXPECT_EQ(im.height, 32) << id;
    EXPECT_EQ(im.bits, 4) << id;
    EXPECT_EQ(im.palette_entries, 16) << id;
    EXPECT_EQ(im.hot_x, spot.first) << id;
    EXPECT_EQ(im.hot_y, spot.second) << id;
    // The hot spot lies on the picture: the arrow's tip, the square's middle.
    EXPECT_TRUE(im.pixels.shown(spot.first, spot.second)) << id;
    if (spot.first == 14) {
      EXPECT_FALSE(im.pixels.shown(13, 13)) << id;
      EXPECT_FALSE(im.pixels.shown(14, 12)) << id;
    }
    EXPECT_FALSE(im.pixels.shown(0, 0)) << id;
  }
}

TEST(CommittedArt, IconHasBigAndSmallSixteenColourImages) {
  const IconInfo ico = read_icon(read_file(kSource + "/ui/resources/art/korvalo.ico"));
  ASSERT_TRUE(ico.ok);
  EXPECT_EQ(ico.type, 1);
  ASSERT_EQ(ico.images.size(), 2u);
  EXPECT_EQ(ico.images[0].width, 32);
  EXPECT_EQ(ico.images[1].width, 16);
  for (const IconImageInfo& im : ico.images) {
    EXPECT_EQ(im.width, im.height);
    EXPECT_EQ(im.bits, 4);
    EXPECT_EQ(im.colour_count, 16);
    // A yellow die: its middle pip is red, the face around it yellow.
    const int m = im.width / 2;
    const Rgb pip = im.pixels.at(m, m), face = im.pixels.at(m, im.width / 3);
    EXPECT_GT(red_of(pip), 150);
    EXPECT_GT(red_of(pip), green_of(pip) + 80);
    EXPECT_GT(red_of(face), 200);
    EXPECT_GT(green_of(face), 150);
    EXPECT_LT(blue_of(face), 120);
  }
}

TEST(CommittedArt, ButtonPairsMatchAndSitOnBlack) {
  const int pairs[][2] = {{138, 139}, {140, 141}, {142, 143}, {144, 145}, {146, 147}, {148, 149}, {150, 151},
                          {152, 153}, {154, 155}, {156, 157}, {158, 159}, {160, 161}, {181, 182}, {183, 184}};
  for (const auto& p : pairs) {
    const BmpInfo pressed = committed_bmp(p[0]), normal = committed_bmp(p[1]);
    ASSERT_TRUE(pressed.ok && normal.ok) << p[0];
    EXPECT_EQ(pressed.width, normal.width) << p[0];
    EXPECT_EQ(pressed.height, normal.height) << p[0];
    for (const BmpInfo* b : {&pressed, &normal}) {
      EXPECT_EQ(b->pixels.at(0, 0), kBlack) << p[0];
      EXPECT_EQ(b->pixels.at(b->width - 1, b->height - 1), kBlack) << p[0];
    }
    // Normal: a red sphere; pressed: dark inside a bright red ring.
    const Rgb ball = normal.pixels.at(normal.width / 2, normal.height - normal.height / 7);
    EXPECT_GT(red_of(ball), 120) << p[1];
    EXPECT_GT(red_of(ball), 2 * green_of(ball)) << p[1];
    const Rgb ring = pressed.pixels.at(pressed.width / 2, 1);
    EXPECT_GT(red_of(ring), 180) << p[0];
  }
}

TEST(CommittedArt, GamePicturesFitTheirBudget) {
  std::uintmax_t total = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kSource + "/ui/resources/art"))
    total += std::filesystem::file_size(entry.path());
  EXPECT_LT(total, 350u * 1024u);
}

}  // namespace
}  // namespace art
