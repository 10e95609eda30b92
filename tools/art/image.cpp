#include "tools/art/image.h"

namespace art {

Image from_surface(cairo_surface_t* surface, bool keep_alpha, int alpha_cut) {
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    Image image(w, h);
    if (keep_alpha) image.opaque.assign(std::size_t(w) * h, 1);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + std::size_t(y) * stride);
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = row[x];
            const int a = int(p >> 24);
            int r = int((p >> 16) & 255), g = int((p >> 8) & 255), b = int(p & 255);
            if (keep_alpha) {
                if (a < alpha_cut) {
                    image.opaque[std::size_t(y) * w + x] = 0;
                    image.at(x, y) = kBlack;
                    continue;
                }
                if (a > 0 && a < 255) {
                    r = (r * 255 + a / 2) / a;
                    g = (g * 255 + a / 2) / a;
                    b = (b * 255 + a / 2) / a;
                    if (r > 255) r = 255;
                    if (g > 255) g = 255;
                    if (b > 255) b = 255;
                }
            }
            // Without keep_alpha the picture is composed on black: premultiplied
            // values are exactly the colour over black.
            image.at(x, y) = rgb(r, g, b);
        }
    }
    return image;
}

cairo_surface_t* to_surface(const Image& image) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + std::size_t(y) * stride);
        for (int x = 0; x < image.width; ++x) row[x] = image.shown(x, y) ? (0xFF000000u | image.at(x, y)) : 0u;
    }
    cairo_surface_mark_dirty(s);
    return s;
}

Image expand(const Indexed& indexed) {
    Image image(indexed.width, indexed.height);
    image.opaque = indexed.opaque;
    for (int y = 0; y < indexed.height; ++y)
        for (int x = 0; x < indexed.width; ++x) image.at(x, y) = indexed.colour(x, y);
    return image;
}

Image crop(const Image& image, int x0, int y0, int w, int h) {
    Image out(w, h);
    if (!image.opaque.empty()) out.opaque.assign(std::size_t(w) * h, 1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            out.at(x, y) = image.at(x0 + x, y0 + y);
            if (!image.opaque.empty()) out.opaque[std::size_t(y) * w + x] = image.shown(x0 + x, y0 + y);
        }
    return out;
}

void paste(Image& into, const Image& from, int x0, int y0) {
    for (int y = 0; y < from.height; ++y)
        for (int x = 0; x < from.width; ++x) into.at(x0 + x, y0 + y) = from.at(x, y);
}

} // namespace art
