// Writers (and, for the tests, readers) of the Windows picture files:
// BMP (8-bit paletted and 24-bit, BI_RGB), CUR and ICO (4-bit with AND mask).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/art/image.h"

namespace art {

using Bytes = std::vector<std::uint8_t>;

Bytes write_bmp8(const Indexed& picture); // palette written in full (256 entries)
Bytes write_bmp24(const Image& picture);
// 32 x 32, 16 colours, hot spot in the directory entry.
Bytes write_cur(const Indexed& picture, int hot_x, int hot_y);
// Several 16-colour images, largest first.
Bytes write_ico(const std::vector<Indexed>& images);

// What the tests read back.
struct BmpInfo {
    bool ok = false;
    int width = 0, height = 0, bits = 0, compression = -1;
    int palette_entries = 0; // entries in the file's colour table
    std::vector<Rgb> palette;
    Image pixels; // decoded, top row first
};
BmpInfo read_bmp(const Bytes& file);

struct IconImageInfo {
    int width = 0, height = 0, colour_count = 0;
    int hot_x = 0, hot_y = 0; // cursors: from the directory entry
    int bits = 0, palette_entries = 0;
    Image pixels; // opaque = AND mask bit clear
};
struct IconInfo {
    bool ok = false;
    int type = 0; // 1 icon, 2 cursor
    std::vector<IconImageInfo> images;
};
IconInfo read_icon(const Bytes& file);

Bytes read_file(const std::string& path);
bool write_file(const std::string& path, const Bytes& bytes); // makes missing folders

} // namespace art
