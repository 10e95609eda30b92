// Pixel buffers shared by the drawing, the quantiser and the file writers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <cairo.h>

namespace art {

// 0xRRGGBB.
using Rgb = std::uint32_t;

constexpr Rgb rgb(int r, int g, int b) { return (Rgb(r & 255) << 16) | (Rgb(g & 255) << 8) | Rgb(b & 255); }
constexpr int red_of(Rgb c) { return int((c >> 16) & 255); }
constexpr int green_of(Rgb c) { return int((c >> 8) & 255); }
constexpr int blue_of(Rgb c) { return int(c & 255); }

constexpr Rgb kBlack = rgb(0, 0, 0);
constexpr Rgb kWhite = rgb(255, 255, 255);

// An opaque picture, or one with binary transparency (cursors, icon).
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;          // row-major, top row first
    std::vector<std::uint8_t> opaque; // 1 where the pixel is shown; empty = all shown

    Image() = default;
    Image(int w, int h, Rgb fill = kBlack) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
    Rgb& at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
    Rgb at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
    bool shown(int x, int y) const { return opaque.empty() || opaque[std::size_t(y) * width + x]; }
};

// A picture reduced to a palette: what an 8- or 4-bit DIB holds.
struct Indexed {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> index;  // row-major, top row first
    std::vector<std::uint8_t> opaque; // as in Image

    Rgb colour(int x, int y) const { return palette[index[std::size_t(y) * width + x]]; }
};

// Reads a cairo ARGB32 surface; pixels whose alpha is below alpha_cut become
// transparent (only kept when keep_alpha), the others are un-premultiplied.
Image from_surface(cairo_surface_t* surface, bool keep_alpha = false, int alpha_cut = 128);

// A cairo surface holding the picture (transparent pixels with alpha 0).
cairo_surface_t* to_surface(const Image& image);

Image expand(const Indexed& indexed);

// Copy of the rectangle (x, y, w, h) of an image.
Image crop(const Image& image, int x, int y, int w, int h);
void paste(Image& into, const Image& from, int x, int y);

} // namespace art
