#include "tools/art/formats.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace art {
namespace {

void put16(Bytes& b, int v) {
    b.push_back(std::uint8_t(v & 255));
    b.push_back(std::uint8_t((v >> 8) & 255));
}
void put32(Bytes& b, std::int64_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t((v >> (8 * i)) & 255));
}
int get16(const Bytes& b, std::size_t at) { return at + 2 <= b.size() ? b[at] | (b[at + 1] << 8) : 0; }
std::int32_t get32(const Bytes& b, std::size_t at) {
    if (at + 4 > b.size()) return 0;
    return std::int32_t(std::uint32_t(b[at]) | (std::uint32_t(b[at + 1]) << 8) | (std::uint32_t(b[at + 2]) << 16) |
                        (std::uint32_t(b[at + 3]) << 24));
}

int stride_of(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

// BITMAPINFOHEADER; height is doubled by the caller for icons and cursors.
void put_info_header(Bytes& b, int width, int height, int bits, int image_bytes, int colours_used, bool resolution) {
    put32(b, 40);
    put32(b, width);
    put32(b, height);
    put16(b, 1);
    put16(b, bits);
    put32(b, 0); // BI_RGB
    put32(b, image_bytes);
    put32(b, resolution ? 2835 : 0); // 72 dpi for plain bitmaps, none for icons
    put32(b, resolution ? 2835 : 0);
    put32(b, colours_used);
    put32(b, 0);
}

void put_palette(Bytes& b, const std::vector<Rgb>& palette, std::size_t entries) {
    for (std::size_t i = 0; i < entries; ++i) {
        const Rgb c = i < palette.size() ? palette[i] : kBlack;
        b.push_back(std::uint8_t(blue_of(c)));
        b.push_back(std::uint8_t(green_of(c)));
        b.push_back(std::uint8_t(red_of(c)));
        b.push_back(0);
    }
}

// The image part of an icon or cursor entry: header, 16 colours, 4-bit XOR
// bitmap and the AND mask (1 = transparent, with a black XOR pixel).
Bytes icon_image(const Indexed& p) {
    const int xor_stride = stride_of(p.width, 4), and_stride = stride_of(p.width, 1);
    const int image_bytes = (xor_stride + and_stride) * p.height;
    Bytes b;
    put_info_header(b, p.width, p.height * 2, 4, image_bytes, 0, false);
    put_palette(b, p.palette, 16);
    for (int y = p.height - 1; y >= 0; --y) {
        Bytes row(std::size_t(xor_stride), 0);
        for (int x = 0; x < p.width; ++x) {
            const bool shown = p.opaque.empty() || p.opaque[std::size_t(y) * p.width + x];
            const int v = shown ? p.index[std::size_t(y) * p.width + x] & 15 : 0;
            row[std::size_t(x / 2)] |= std::uint8_t(x % 2 == 0 ? v << 4 : v);
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    for (int y = p.height - 1; y >= 0; --y) {
        Bytes row(std::size_t(and_stride), 0);
        for (int x = 0; x < p.width; ++x) {
            const bool shown = p.opaque.empty() || p.opaque[std::size_t(y) * p.width + x];
            if (!shown) row[std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

} // namespace

Bytes write_bmp8(const Indexed& p) {
    const int stride = stride_of(p.width, 8);
    const int image_bytes = stride * p.height;
    const int offset = 14 + 40 + 256 * 4;
    Bytes b;
    b.push_back('B');
    b.push_back('M');
    put32(b, offset + image_bytes);
    put32(b, 0);
    put32(b, offset);
    put_info_header(b, p.width, p.height, 8, image_bytes, 256, true);
    put_palette(b, p.palette, 256);
    for (int y = p.height - 1; y >= 0; --y) {
        for (int x = 0; x < p.width; ++x) b.push_back(p.index[std::size_t(y) * p.width + x]);
        for (int x = p.width; x < stride; ++x) b.push_back(0);
    }
    return b;
}

Bytes write_bmp24(const Image& p) {
    const int stride = stride_of(p.width, 24);
    const int image_bytes = stride * p.height;
    const int offset = 14 + 40;
    Bytes b;
    b.push_back('B');
    b.push_back('M');
    put32(b, offset + image_bytes);
    put32(b, 0);
    put32(b, offset);
    put_info_header(b, p.width, p.height, 24, image_bytes, 0, true);
    for (int y = p.height - 1; y >= 0; --y) {
        for (int x = 0; x < p.width; ++x) {
            const Rgb c = p.at(x, y);
            b.push_back(std::uint8_t(blue_of(c)));
            b.push_back(std::uint8_t(green_of(c)));
            b.push_back(std::uint8_t(red_of(c)));
        }
        for (int x = p.width * 3; x < stride; ++x) b.push_back(0);
    }
    return b;
}

Bytes write_cur(const Indexed& p, int hot_x, int hot_y) {
    const Bytes image = icon_image(p);
    Bytes b;
    put16(b, 0);
    put16(b, 2); // cursor
    put16(b, 1);
    b.push_back(std::uint8_t(p.width));
    b.push_back(std::uint8_t(p.height));
    b.push_back(16);
    b.push_back(0);
    put16(b, hot_x); // in a cursor directory the planes and bit count fields
    put16(b, hot_y); // hold the hot spot
    put32(b, std::int64_t(image.size()));
    put32(b, 6 + 16);
    b.insert(b.end(), image.begin(), image.end());
    return b;
}

Bytes write_ico(const std::vector<Indexed>& images) {
    std::vector<Bytes> parts;
    for (const Indexed& p : images) parts.push_back(icon_image(p));
    Bytes b;
    put16(b, 0);
    put16(b, 1); // icon
    put16(b, int(images.size()));
    std::int64_t offset = 6 + 16 * std::int64_t(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        b.push_back(std::uint8_t(images[i].width));
        b.push_back(std::uint8_t(images[i].height));
        b.push_back(16);
        b.push_back(0);
        put16(b, 1);
        put16(b, 4);
        put32(b, std::int64_t(parts[i].size()));
        put32(b, offset);
        offset += std::int64_t(parts[i].size());
    }
    for (const Bytes& part : parts) b.insert(b.end(), part.begin(), part.end());
    return b;
}

BmpInfo read_bmp(const Bytes& f) {
    BmpInfo info;
    if (f.size() < 54 || f[0] != 'B' || f[1] != 'M') return info;
    const int offset = get32(f, 10);
    const int header = get32(f, 14);
    info.width = get32(f, 18);
    const int h = get32(f, 22);
    info.height = h < 0 ? -h : h;
    info.bits = get16(f, 28);
    info.compression = get32(f, 30);
    const int used = get32(f, 46);
    if (info.bits <= 8) {
        info.palette_entries = used ? used : 1 << info.bits;
        for (int i = 0; i < info.palette_entries; ++i) {
            const std::size_t at = std::size_t(14 + header + 4 * i);
            if (at + 4 > f.size()) return info;
            info.palette.push_back(rgb(f[at + 2], f[at + 1], f[at]));
        }
    }
    if (info.compression != 0 || (info.bits != 8 && info.bits != 24) || info.width <= 0) return info;
    const int stride = stride_of(info.width, info.bits);
    if (std::size_t(offset) + std::size_t(stride) * info.height > f.size()) return info;
    info.pixels = Image(info.width, info.height);
    for (int y = 0; y < info.height; ++y) {
        const std::size_t row =
            std::size_t(offset) + std::size_t(stride) * std::size_t(h > 0 ? info.height - 1 - y : y);
        for (int x = 0; x < info.width; ++x) {
            if (info.bits == 8) {
                const int i = f[row + x];
                info.pixels.at(x, y) = i < int(info.palette.size()) ? info.palette[std::size_t(i)] : kBlack;
            } else {
                const std::size_t at = row + std::size_t(3 * x);
                info.pixels.at(x, y) = rgb(f[at + 2], f[at + 1], f[at]);
            }
        }
    }
    info.ok = true;
    return info;
}

IconInfo read_icon(const Bytes& f) {
    IconInfo info;
    if (f.size() < 6 || get16(f, 0) != 0) return info;
    info.type = get16(f, 2);
    const int count = get16(f, 4);
    for (int i = 0; i < count; ++i) {
        const std::size_t e = std::size_t(6 + 16 * i);
        if (e + 16 > f.size()) return info;
        IconImageInfo im;
        im.width = f[e] ? f[e] : 256;
        im.height = f[e + 1] ? f[e + 1] : 256;
        im.colour_count = f[e + 2];
        if (info.type == 2) {
            im.hot_x = get16(f, e + 4);
            im.hot_y = get16(f, e + 6);
        }
        const std::size_t at = std::size_t(get32(f, e + 12));
        if (at + 40 > f.size()) return info;
        const int header = get32(f, at);
        im.bits = get16(f, at + 14);
        const int used = get32(f, at + 32);
        if (get32(f, at + 4) != im.width || get32(f, at + 8) != 2 * im.height || im.bits != 4) return info;
        im.palette_entries = used ? used : 16;
        std::vector<Rgb> palette;
        for (int c = 0; c < im.palette_entries; ++c) {
            const std::size_t p = at + std::size_t(header + 4 * c);
            palette.push_back(rgb(f[p + 2], f[p + 1], f[p]));
        }
        const std::size_t xor_at = at + std::size_t(header + 4 * im.palette_entries);
        const int xs = stride_of(im.width, 4), as = stride_of(im.width, 1);
        const std::size_t and_at = xor_at + std::size_t(xs) * im.height;
        if (and_at + std::size_t(as) * im.height > f.size()) return info;
        im.pixels = Image(im.width, im.height);
        im.pixels.opaque.assign(std::size_t(im.width) * im.height, 1);
        for (int y = 0; y < im.height; ++y) {
            const int row = im.height - 1 - y;
            for (int x = 0; x < im.width; ++x) {
                const std::uint8_t byte = f[xor_at + std::size_t(row * xs + x / 2)];
                const int v = x % 2 == 0 ? byte >> 4 : byte & 15;
                im.pixels.at(x, y) = palette[std::size_t(v)];
                const bool transparent = (f[and_at + std::size_t(row * as + x / 8)] >> (7 - x % 8)) & 1;
                im.pixels.opaque[std::size_t(y) * im.width + x] = !transparent;
            }
        }
        info.images.push_back(std::move(im));
    }
    info.ok = true;
    return info;
}

Bytes read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool write_file(const std::string& path, const Bytes& bytes) {
    std::error_code ec;
    const std::filesystem::path p(path);
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

} // namespace art
