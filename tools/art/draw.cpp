#include "tools/art/draw.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace art {
namespace {

const char* face_file(Face face) {
    switch (face) {
    case Face::Script: return "/usr/share/fonts/opentype/urw-base35/Z003-MediumItalic.otf";
    case Face::Narrow: return "/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Bold.ttf";
    case Face::SansBold: return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    case Face::SerifBold: return "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
    case Face::Sans: return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    case Face::Arial: return "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";
    }
    return "";
}

cairo_font_face_t* load_face(Face face) {
    static FT_Library library = nullptr;
    static cairo_font_face_t* faces[6] = {};
    const int i = int(face);
    if (faces[i]) return faces[i];
    if (!library && FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "korvalo-art: FreeType does not start\n");
        std::exit(2);
    }
    FT_Face ft = nullptr;
    if (FT_New_Face(library, face_file(face), 0, &ft) != 0) {
        std::fprintf(stderr, "korvalo-art: missing font %s (install the font packages of tools/setup-machine)\n",
                     face_file(face));
        std::exit(2);
    }
    faces[i] = cairo_ft_font_face_create_for_ft_face(ft, 0);
    return faces[i];
}

} // namespace

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

Image Canvas::image(bool keep_alpha, int alpha_cut) const { return from_surface(surface_, keep_alpha, alpha_cut); }

void set_face(cairo_t* cr, Face face, double size) {
    cairo_set_font_face(cr, load_face(face));
    cairo_set_font_size(cr, size);
    // Fixed options: the same glyph pixels whatever the machine's defaults.
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, o);
    cairo_font_options_destroy(o);
}

void set_rgb(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, red_of(c) / 255.0, green_of(c) / 255.0, blue_of(c) / 255.0, alpha);
}

void add_stop(cairo_pattern_t* p, double offset, Rgb c, double alpha) {
    cairo_pattern_add_color_stop_rgba(p, offset, red_of(c) / 255.0, green_of(c) / 255.0, blue_of(c) / 255.0, alpha);
}

Rgb mix(Rgb a, Rgb b, double t) {
    auto m = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return rgb(m(red_of(a), red_of(b)), m(green_of(a), green_of(b)), m(blue_of(a), blue_of(b)));
}

Rgb scale(Rgb c, double f) {
    auto s = [f](int x) { return std::clamp(int(std::lround(x * f)), 0, 255); };
    return rgb(s(red_of(c)), s(green_of(c)), s(blue_of(c)));
}

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r) {
    const double pi = 3.14159265358979323846;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -pi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, pi / 2);
    cairo_arc(cr, x + r, y + h - r, r, pi / 2, pi);
    cairo_arc(cr, x + r, y + r, r, pi, 3 * pi / 2);
    cairo_close_path(cr);
}

Ink ink_of(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return {e.x_bearing, e.y_bearing, e.width, e.height, e.x_advance};
}

void centred_text_path(cairo_t* cr, const std::string& text, double cx, double cy) {
    const Ink ink = ink_of(cr, text);
    cairo_move_to(cr, cx - ink.x - ink.width / 2, cy - ink.y - ink.height / 2);
    cairo_text_path(cr, text.c_str());
}

cairo_surface_t* text_mask(int w, int h, Face face, double size, const std::string& text, double spacing, double dy) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(s);
    set_face(cr, face, size);
    // Letter by letter so that the spacing can be opened up; the run as a
    // whole is centred on its ink.
    std::vector<double> advance;
    double total = 0;
    double top = 1e9, bottom = -1e9, left = 0, right = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Ink ink = ink_of(cr, text.substr(i, 1));
        if (i == 0) left = ink.x;
        right = total + ink.x + ink.width;
        top = std::min(top, ink.y);
        bottom = std::max(bottom, ink.y + ink.height);
        total += ink.advance + spacing;
        advance.push_back(ink.advance + spacing);
    }
    const double width = right - left;
    double x = (w - width) / 2 - left;
    const double y = (h - (bottom - top)) / 2 - top + dy;
    cairo_set_source_rgb(cr, 1, 1, 1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        cairo_move_to(cr, x, y);
        cairo_text_path(cr, text.substr(i, 1).c_str());
        x += advance[i];
    }
    cairo_fill(cr);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* rotate_ccw(cairo_surface_t* src) {
    cairo_surface_flush(src);
    const int w = cairo_image_surface_get_width(src), h = cairo_image_surface_get_height(src);
    cairo_surface_t* dst = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, h, w);
    cairo_surface_flush(dst);
    const int ss = cairo_image_surface_get_stride(src), ds = cairo_image_surface_get_stride(dst);
    const unsigned char* sd = cairo_image_surface_get_data(src);
    unsigned char* dd = cairo_image_surface_get_data(dst);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // (x, y) goes to (y, w - 1 - x).
            const auto* sp = reinterpret_cast<const std::uint32_t*>(sd + std::size_t(y) * ss) + x;
            auto* dp = reinterpret_cast<std::uint32_t*>(dd + std::size_t(w - 1 - x) * ds) + y;
            *dp = *sp;
        }
    cairo_surface_mark_dirty(dst);
    return dst;
}

void blur(cairo_surface_t* s, int radius) {
    cairo_surface_flush(s);
    const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    const int stride = cairo_image_surface_get_stride(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    std::vector<int> line(std::size_t(std::max(w, h)) * 4);
    for (int pass = 0; pass < 3; ++pass) {
        for (int horizontal = 1; horizontal >= 0; --horizontal) {
            const int n = horizontal ? w : h, lines = horizontal ? h : w;
            for (int l = 0; l < lines; ++l) {
                auto px = [&](int i) -> unsigned char* {
                    return horizontal ? data + std::size_t(l) * stride + std::size_t(i) * 4
                                      : data + std::size_t(i) * stride + std::size_t(l) * 4;
                };
                for (int i = 0; i < n; ++i)
                    for (int c = 0; c < 4; ++c) line[std::size_t(i) * 4 + c] = px(i)[c];
                for (int i = 0; i < n; ++i) {
                    int sum[4] = {0, 0, 0, 0};
                    for (int k = -radius; k <= radius; ++k) {
                        const int j = i + k;
                        if (j < 0 || j >= n) continue;
                        for (int c = 0; c < 4; ++c) sum[c] += line[std::size_t(j) * 4 + c];
                    }
                    for (int c = 0; c < 4; ++c) px(i)[c] = (unsigned char)(sum[c] / (2 * radius + 1));
                }
            }
        }
    }
    cairo_surface_mark_dirty(s);
}

} // namespace art
