#include "tools/art/pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

#include "tools/art/draw.h"
#include "tools/art/quantise.h"

namespace art {
namespace {

const double kPi = 3.14159265358979323846;

std::string id_path(const char* folder, int id, const char* ext) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s/%d.%s", folder, id, ext);
    return buf;
}

Output bitmap8(std::string path, int id, std::string caption, const Image& picture,
               const std::vector<Rgb>& reserved = {kBlack, kWhite}) {
    Output o;
    o.path = std::move(path);
    o.kind = Kind::Bmp8;
    o.id = id;
    o.caption = std::move(caption);
    const Indexed reduced = quantise(picture, 256, reserved, 256);
    o.bytes = write_bmp8(reduced);
    o.images.push_back(expand(reduced));
    return o;
}

Output bitmap24(std::string path, int id, std::string caption, const Image& picture) {
    Output o;
    o.path = std::move(path);
    o.kind = Kind::Bmp24;
    o.id = id;
    o.caption = std::move(caption);
    o.bytes = write_bmp24(picture);
    o.images.push_back(picture);
    return o;
}

// ---------------------------------------------------------------- banner

Image banner() {
    const int w = 314, h = 71;
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);

    const std::string title = "Zenta Korvalo";
    set_face(cr, Face::Script, 58);
    Ink ink = ink_of(cr, title);
    const double size = 58 * std::min(1.0, 288.0 / ink.width);
    set_face(cr, Face::Script, size);
    ink = ink_of(cr, title);
    const double ox = (w - ink.width) / 2 - ink.x;
    const double oy = (h - ink.height) / 2 - ink.y - 1;

    // Warm glow behind the letters.
    {
        Canvas glow(w, h);
        cairo_t* g = glow.cr();
        set_face(g, Face::Script, size);
        cairo_move_to(g, ox, oy);
        cairo_text_path(g, title.c_str());
        set_rgb(g, rgb(255, 96, 0), 0.9);
        cairo_set_line_width(g, 5);
        cairo_set_line_join(g, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(g);
        cairo_fill(g);
        blur(glow.surface(), 3);
        cairo_set_source_surface(cr, glow.surface(), 0, 0);
        cairo_paint_with_alpha(cr, 0.55);
    }

    // Thin underline swash that fades at both ends.
    {
        cairo_pattern_t* p = cairo_pattern_create_linear(20, 0, w - 20, 0);
        add_stop(p, 0.0, rgb(255, 120, 0), 0.0);
        add_stop(p, 0.5, rgb(255, 190, 40), 0.9);
        add_stop(p, 1.0, rgb(255, 120, 0), 0.0);
        cairo_set_source(cr, p);
        cairo_move_to(cr, 24, h - 7.5);
        cairo_curve_to(cr, 110, h - 3.5, 200, h - 11, w - 24, h - 6.5);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        cairo_pattern_destroy(p);
    }

    cairo_move_to(cr, ox, oy);
    cairo_text_path(cr, title.c_str());
    // Dark orange outline under the fill.
    set_rgb(cr, rgb(120, 28, 0));
    cairo_set_line_width(cr, 3.2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    // Pale yellow at the top of the capitals, full yellow across the small
    // letters' upper half, orange at the baseline.
    const double top = oy + ink.y, x_top = oy - 0.42 * size;
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, top, 0, oy + 2);
    const double span = oy + 2 - top;
    add_stop(fill, 0.00, rgb(255, 252, 190));
    add_stop(fill, (x_top - top) / span, rgb(255, 236, 60));
    add_stop(fill, (x_top - top) / span + 0.5 * (oy - x_top) / span, rgb(255, 196, 20));
    add_stop(fill, 1.00, rgb(255, 112, 0));
    cairo_set_source(cr, fill);
    // The script is thin at this size: widen every stroke a little.
    cairo_set_line_width(cr, 1.1);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);

    // A few sparkles.
    auto sparkle = [cr](double x, double y, double r) {
        set_rgb(cr, rgb(255, 240, 160), 0.95);
        cairo_move_to(cr, x - r, y);
        cairo_curve_to(cr, x - r * 0.15, y - r * 0.15, x - r * 0.15, y - r * 0.15, x, y - r);
        cairo_curve_to(cr, x + r * 0.15, y - r * 0.15, x + r * 0.15, y - r * 0.15, x + r, y);
        cairo_curve_to(cr, x + r * 0.15, y + r * 0.15, x + r * 0.15, y + r * 0.15, x, y + r);
        cairo_curve_to(cr, x - r * 0.15, y + r * 0.15, x - r * 0.15, y + r * 0.15, x - r, y);
        cairo_fill(cr);
    };
    sparkle(ox + ink.x + ink.width + 6, oy + ink.y + 8, 5);
    sparkle(ox + ink.x - 4, oy + ink.y + ink.height - 4, 3.5);
    return c.image();
}

// ---------------------------------------------------------------- dice

// Pip centres on a unit face, by value.
std::vector<std::pair<double, double>> pips(int value) {
    const double a = 0.25, m = 0.5, b = 0.75;
    switch (value) {
    case 1: return {{m, m}};
    case 2: return {{b, a}, {a, b}};
    case 3: return {{b, a}, {m, m}, {a, b}};
    case 4: return {{a, a}, {b, a}, {a, b}, {b, b}};
    case 5: return {{a, a}, {b, a}, {m, m}, {a, b}, {b, b}};
    default: return {{a, a}, {b, a}, {a, m}, {b, m}, {a, b}, {b, b}};
    }
}

struct DieStyle {
    Rgb light, base, dark, edge; // body
    Rgb pip_light, pip, pip_dark;
};

// One die face, square of side s at (x, y), rounded by r.
void draw_die(cairo_t* cr, double x, double y, double s, double r, int value, const DieStyle& st, double pip_r) {
    // Body with light from the top left.
    rounded_rect(cr, x, y, s, s, r);
    cairo_pattern_t* body = cairo_pattern_create_linear(x, y, x + s, y + s);
    add_stop(body, 0.0, st.light);
    add_stop(body, 0.45, st.base);
    add_stop(body, 1.0, st.dark);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    set_rgb(cr, st.edge);
    cairo_set_line_width(cr, std::max(1.0, s / 48));
    cairo_stroke(cr);

    // Face plate: a slightly raised inner square.
    const double inset = s * 0.09;
    rounded_rect(cr, x + inset, y + inset, s - 2 * inset, s - 2 * inset, r * 0.75);
    cairo_pattern_t* face =
        cairo_pattern_create_radial(x + s * 0.35, y + s * 0.3, s * 0.05, x + s / 2, y + s / 2, s * 0.62);
    add_stop(face, 0.0, mix(st.light, st.base, 0.35));
    add_stop(face, 1.0, st.base);
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);

    for (auto [u, v] : pips(value)) {
        if (pip_r <= 0) break;
        const double px = x + s * u, py = y + s * v;
        // A pip is a small hollow: dark rim at the top left, light at the bottom right.
        cairo_arc(cr, px, py, pip_r, 0, 2 * kPi);
        cairo_pattern_t* p =
            cairo_pattern_create_radial(px + pip_r * 0.3, py + pip_r * 0.35, pip_r * 0.1, px, py, pip_r);
        add_stop(p, 0.0, st.pip_light);
        add_stop(p, 0.7, st.pip);
        add_stop(p, 1.0, st.pip_dark);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
}

// ---------------------------------------------------------------- icon

Indexed icon_image(int size) {
    Canvas c(size, size);
    cairo_t* cr = c.cr();
    const DieStyle yellow{rgb(255, 250, 170), rgb(255, 214, 0), rgb(205, 140, 0), rgb(110, 60, 0),
                          rgb(255, 120, 100), rgb(215, 0, 0),   rgb(120, 0, 0)};
    if (size >= 32) {
        draw_die(cr, 1.5, 1.5, size - 3, 6, 5, yellow, 3.3);
    } else {
        // At 16 pixels round pips blur into orange: square 2 x 2 pips on the
        // pixel grid read better.
        draw_die(cr, 0.5, 0.5, size - 1, 3, 5, yellow, 0);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        for (auto [u, v] : pips(5)) {
            const double px = std::floor(size * u), py = std::floor(size * v);
            cairo_rectangle(cr, px - 1, py - 1, 2, 2);
            set_rgb(cr, rgb(205, 0, 0));
            cairo_fill(cr);
        }
    }
    return quantise(c.image(true, 110), 16, {kBlack}, 16);
}

Output icon() {
    Output o;
    o.path = "ui/resources/art/korvalo.ico";
    o.kind = Kind::Icon;
    o.id = 1;
    o.caption = "icon 1";
    const std::vector<Indexed> images = {icon_image(32), icon_image(16)};
    o.bytes = write_ico(images);
    for (const Indexed& i : images) o.images.push_back(expand(i));
    return o;
}

// ---------------------------------------------------------------- seats

struct Seat {
    Rgb base, light, dark, pale, ink, ink_shadow;
};

// 0 red, 1 blue, 2 yellow, 3 green.
const Seat kSeats[4] = {
    {rgb(222, 30, 24), rgb(255, 124, 100), rgb(128, 8, 8), rgb(255, 224, 216), kWhite, rgb(96, 0, 0)},
    {rgb(36, 84, 214), rgb(124, 164, 255), rgb(14, 34, 118), rgb(222, 230, 255), kWhite, rgb(8, 20, 84)},
    {rgb(250, 204, 16), rgb(255, 242, 140), rgb(190, 132, 0), rgb(255, 248, 206), rgb(112, 44, 0), rgb(255, 246, 190)},
    {rgb(30, 160, 60), rgb(124, 222, 124), rgb(8, 90, 28), rgb(218, 245, 216), kWhite, rgb(0, 64, 12)},
};
const Seat kSalmon = {rgb(250, 150, 120), rgb(255, 204, 182), rgb(196, 98, 76), rgb(255, 230, 220), kBlack, kBlack};
const Seat kGrey = {rgb(150, 150, 156), rgb(214, 214, 220), rgb(72, 72, 78), rgb(230, 230, 234), kBlack, kBlack};

// ---------------------------------------------------------------- tiles

// A board square: a pillow gradient along the long side (light in the
// middle, deeper at both ends, so that neighbouring squares of either
// orientation match), a highlight on the top and left edges and a shadow on
// the bottom and right ones, so that a row of squares shows its joints.
void tile_ground(cairo_t* cr, int w, int h, const Seat& s) {
    const bool tall = h > w;
    cairo_pattern_t* p = tall ? cairo_pattern_create_linear(0, 0, 0, h) : cairo_pattern_create_linear(0, 0, w, 0);
    const Rgb middle = mix(s.base, s.light, 0.72);
    add_stop(p, 0.0, mix(s.base, s.dark, 0.08));
    add_stop(p, 0.5, middle);
    add_stop(p, 1.0, mix(s.base, s.dark, 0.08));
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    // Across the short side: a soft roll, lighter towards the top or left.
    cairo_pattern_t* q = tall ? cairo_pattern_create_linear(0, 0, w, 0) : cairo_pattern_create_linear(0, 0, 0, h);
    add_stop(q, 0.0, kWhite, 0.22);
    add_stop(q, 0.45, kWhite, 0.0);
    add_stop(q, 1.0, s.dark, 0.16);
    cairo_set_source(cr, q);
    cairo_paint(cr);
    cairo_pattern_destroy(q);

    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    set_rgb(cr, mix(s.light, kWhite, 0.45));
    cairo_rectangle(cr, 0, 0, w, 1);
    cairo_rectangle(cr, 0, 0, 1, h);
    cairo_fill(cr);
    set_rgb(cr, s.dark);
    cairo_rectangle(cr, 0, h - 1, w, 1);
    cairo_rectangle(cr, w - 1, 0, 1, h);
    cairo_fill(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
}

// Lettering across the tile; on tiles taller than wide it runs upwards.
void tile_text(cairo_t* cr, int w, int h, const Seat& s, const std::string& text) {
    const bool tall = h > w;
    const int along = tall ? h : w, across = tall ? w : h;
    // The largest size whose ink fits the tile with a margin.
    double size = across * 0.9;
    const double spacing = along >= 90 ? 2.0 : 0.6;
    for (; size > 6; size -= 0.25) {
        Canvas probe(8, 8);
        set_face(probe.cr(), Face::Narrow, size);
        double width = 0, height = 0;
        for (char ch : text) width += ink_of(probe.cr(), std::string(1, ch)).advance + spacing;
        height = ink_of(probe.cr(), text).height;
        if (width <= along - 12 && height <= across - 5) break;
    }
    cairo_surface_t* m = text_mask(along, across, Face::Narrow, size, text, spacing);
    if (tall) {
        cairo_surface_t* r = rotate_ccw(m);
        cairo_surface_destroy(m);
        m = r;
    }
    const bool dark_ink = s.ink != kWhite;
    // Light ink gets a drop shadow to the bottom right; dark ink a highlight.
    set_rgb(cr, s.ink_shadow, dark_ink ? 0.85 : 0.9);
    cairo_mask_surface(cr, m, 1, 1);
    set_rgb(cr, s.ink);
    cairo_mask_surface(cr, m, 0, 0);
    cairo_surface_destroy(m);
}

Image tile(int w, int h, const Seat& s, const std::string& text = "") {
    Canvas c(w, h);
    tile_ground(c.cr(), w, h, s);
    if (!text.empty()) tile_text(c.cr(), w, h, s, text);
    return c.image();
}

// ---------------------------------------------------------------- tokens

// A bevelled square token: dark rim, three-pixel bevel lit from the top
// left, a domed face. Drawn on the pixel grid.
void draw_token(cairo_t* cr, double x, double y, const Seat& s) {
    const double n = 20, b = 3.5;
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    set_rgb(cr, mix(s.dark, kBlack, 0.35));
    cairo_rectangle(cr, x, y, n, n);
    cairo_fill(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
    auto quad = [cr](double ax, double ay, double bx, double by, double cx, double cy, double dx, double dy, Rgb c) {
        cairo_move_to(cr, ax, ay);
        cairo_line_to(cr, bx, by);
        cairo_line_to(cr, cx, cy);
        cairo_line_to(cr, dx, dy);
        cairo_close_path(cr);
        set_rgb(cr, c);
        cairo_fill(cr);
    };
    const double l = x + 1, t = y + 1, r = x + n - 1, bo = y + n - 1;
    quad(l, t, r, t, r - b, t + b, l + b, t + b, mix(s.light, kWhite, 0.35));   // top
    quad(l, t, l + b, t + b, l + b, bo - b, l, bo, mix(s.light, s.base, 0.25)); // left
    quad(r, t, r, bo, r - b, bo - b, r - b, t + b, mix(s.base, s.dark, 0.55));  // right
    quad(l, bo, l + b, bo - b, r - b, bo - b, r, bo, s.dark);                   // bottom
    cairo_rectangle(cr, l + b, t + b, r - l - 2 * b, bo - t - 2 * b);
    cairo_pattern_t* face = cairo_pattern_create_radial(l + 6.5, t + 6, 0.5, x + n / 2, y + n / 2, 8);
    add_stop(face, 0.0, mix(s.light, kWhite, 0.2));
    add_stop(face, 0.6, s.base);
    add_stop(face, 1.0, mix(s.base, s.dark, 0.3));
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
}

Image token(const Seat& s) {
    Canvas c(20, 20);
    draw_token(c.cr(), 0, 0, s);
    return c.image();
}

// ---------------------------------------------------------------- car

struct CarStyle {
    Rgb body_light, body, body_dark, outline, fender, fender_light;
};

CarStyle car_style(const Seat& s) {
    return {s.light,
            s.base,
            mix(s.base, s.dark, 0.6),
            mix(s.dark, kBlack, 0.45),
            mix(s.dark, rgb(24, 24, 28), 0.72),
            mix(s.dark, rgb(110, 110, 120), 0.5)};
}

const Rgb kTyre = rgb(36, 36, 40);
const Rgb kTyreLight = rgb(88, 88, 96);
const Rgb kSpoke = rgb(236, 226, 196);
const Rgb kChrome = rgb(214, 216, 224);
const Rgb kChromeDark = rgb(110, 112, 124);

void wheel(cairo_t* cr, double cx, double cy, double r) {
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_pattern_t* t = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.3, r * 0.2, cx, cy, r);
    add_stop(t, 0.0, kTyreLight);
    add_stop(t, 0.7, kTyre);
    add_stop(t, 1.0, kTyre);
    cairo_set_source(cr, t);
    cairo_fill(cr);
    cairo_pattern_destroy(t);
    // Cream artillery spokes inside a rim.
    const double rim = r * 0.68;
    cairo_arc(cr, cx, cy, rim, 0, 2 * kPi);
    set_rgb(cr, mix(kSpoke, kTyre, 0.55));
    cairo_fill(cr);
    cairo_set_line_width(cr, r * 0.11);
    set_rgb(cr, kSpoke);
    for (int i = 0; i < 10; ++i) {
        const double a = i * kPi / 5 + 0.15;
        cairo_move_to(cr, cx + std::cos(a) * r * 0.2, cy + std::sin(a) * r * 0.2);
        cairo_line_to(cr, cx + std::cos(a) * rim, cy + std::sin(a) * rim);
    }
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, rim, 0, 2 * kPi);
    cairo_set_line_width(cr, r * 0.12);
    set_rgb(cr, kSpoke);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, r * 0.24, 0, 2 * kPi);
    cairo_pattern_t* hub = cairo_pattern_create_radial(cx - r * 0.08, cy - r * 0.08, 0, cx, cy, r * 0.24);
    add_stop(hub, 0.0, kWhite);
    add_stop(hub, 1.0, kChromeDark);
    cairo_set_source(cr, hub);
    cairo_fill(cr);
    cairo_pattern_destroy(hub);
}

// A 1920s tourer seen from the side, facing right, in a 100 x 60 box.
void draw_car(cairo_t* cr, const CarStyle& st, double line) {
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);

    // Spare wheel behind the boot.
    wheel(cr, 6.5, 35, 8.5);

    // Body: rounded cabin, upright windscreen, long hood down to the radiator.
    cairo_new_path(cr);
    cairo_move_to(cr, 8, 44);
    cairo_line_to(cr, 8, 30);
    cairo_curve_to(cr, 8, 18, 10, 10, 17, 7.5);
    cairo_curve_to(cr, 27, 6, 40, 6, 47, 6.5);
    cairo_line_to(cr, 50, 6.5);
    cairo_line_to(cr, 52.5, 23.5);
    cairo_curve_to(cr, 62, 21.5, 80, 21, 90.5, 22.5);
    cairo_line_to(cr, 91, 41);
    cairo_line_to(cr, 8, 44);
    cairo_close_path(cr);
    cairo_pattern_t* paint = cairo_pattern_create_linear(0, 6, 0, 44);
    add_stop(paint, 0.0, st.body_light);
    add_stop(paint, 0.35, st.body);
    add_stop(paint, 1.0, st.body_dark);
    cairo_set_source(cr, paint);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(paint);
    set_rgb(cr, st.outline);
    cairo_set_line_width(cr, line);
    cairo_stroke(cr);

    // Black roof.
    cairo_move_to(cr, 9.2, 20);
    cairo_curve_to(cr, 9.5, 13, 11.5, 9, 17, 7.5);
    cairo_curve_to(cr, 27, 6, 40, 6, 47, 6.5);
    cairo_line_to(cr, 50, 6.5);
    cairo_line_to(cr, 50.4, 9.5);
    cairo_curve_to(cr, 38, 9, 24, 9.2, 17.5, 10.6);
    cairo_curve_to(cr, 13, 12, 11, 15, 10.6, 20);
    cairo_close_path(cr);
    set_rgb(cr, st.fender);
    cairo_fill(cr);

    // Windows.
    auto glass = [cr](double top, double bottom) {
        cairo_pattern_t* g = cairo_pattern_create_linear(0, top, 0, bottom);
        add_stop(g, 0.0, rgb(236, 246, 255));
        add_stop(g, 1.0, rgb(150, 184, 214));
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
    };
    cairo_move_to(cr, 13.5, 22.5);
    cairo_curve_to(cr, 13.5, 16, 15, 12.5, 19, 11.8);
    cairo_line_to(cr, 30, 11.3);
    cairo_line_to(cr, 30, 22.5);
    cairo_close_path(cr);
    glass(11.3, 22.5);
    set_rgb(cr, st.outline);
    cairo_set_line_width(cr, line * 0.8);
    cairo_stroke(cr);
    cairo_move_to(cr, 33, 11.2);
    cairo_line_to(cr, 47.2, 11);
    cairo_line_to(cr, 48.8, 22.5);
    cairo_line_to(cr, 33, 22.5);
    cairo_close_path(cr);
    glass(11, 22.5);
    set_rgb(cr, st.outline);
    cairo_stroke(cr);
    // Windscreen frame.
    cairo_move_to(cr, 50.2, 7);
    cairo_line_to(cr, 52.4, 23);
    set_rgb(cr, kChrome);
    cairo_set_line_width(cr, line * 1.3);
    cairo_stroke(cr);

    // Chrome belt line, door, handle, hood louvres.
    cairo_move_to(cr, 8.6, 25.5);
    cairo_line_to(cr, 90.5, 25);
    set_rgb(cr, mix(st.body_light, kWhite, 0.5));
    cairo_set_line_width(cr, line * 1.1);
    cairo_stroke(cr);
    set_rgb(cr, st.outline);
    cairo_set_line_width(cr, line * 0.7);
    cairo_move_to(cr, 31.5, 10);
    cairo_line_to(cr, 31.5, 42);
    cairo_move_to(cr, 50.5, 23.5);
    cairo_line_to(cr, 51, 41.5);
    for (int i = 0; i < 5; ++i) {
        cairo_move_to(cr, 62 + 3.2 * i, 28.5);
        cairo_line_to(cr, 62 + 3.2 * i, 35.5);
    }
    cairo_stroke(cr);
    cairo_rectangle(cr, 34, 27.5, 4, 1.4);
    set_rgb(cr, kChrome);
    cairo_fill(cr);

    // Radiator shell with its grille and cap.
    rounded_rect(cr, 89, 18, 6, 24, 1.6);
    cairo_pattern_t* shell = cairo_pattern_create_linear(89, 0, 95, 0);
    add_stop(shell, 0.0, kChromeDark);
    add_stop(shell, 0.4, kWhite);
    add_stop(shell, 1.0, kChromeDark);
    cairo_set_source(cr, shell);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shell);
    set_rgb(cr, st.outline);
    cairo_set_line_width(cr, line * 0.8);
    cairo_stroke(cr);
    cairo_set_line_width(cr, line * 0.5);
    set_rgb(cr, kChromeDark);
    for (int i = 0; i < 6; ++i) {
        cairo_move_to(cr, 90, 21.5 + 3.3 * i);
        cairo_line_to(cr, 94, 21.5 + 3.3 * i);
    }
    cairo_stroke(cr);
    rounded_rect(cr, 90.6, 15.6, 2.8, 2.8, 0.8);
    set_rgb(cr, kChrome);
    cairo_fill(cr);

    // Wheels under the mudguards.
    wheel(cr, 25, 47.5, 12);
    wheel(cr, 78, 47.5, 12);

    // Sweeping mudguards joined by the running board.
    cairo_new_path(cr);
    cairo_move_to(cr, 4, 47.5);
    cairo_curve_to(cr, 5, 39, 11, 33.5, 20, 33.2);
    cairo_line_to(cr, 30, 33.2);
    cairo_curve_to(cr, 37, 33.5, 41, 38, 42, 43);
    cairo_line_to(cr, 60, 43);
    cairo_curve_to(cr, 62, 37, 67, 33.2, 73, 33.2);
    cairo_line_to(cr, 83, 33.2);
    cairo_curve_to(cr, 91, 33.5, 95.5, 39, 97, 46);
    cairo_line_to(cr, 93, 46);
    cairo_curve_to(cr, 91, 40, 86, 36.3, 79, 36.3);
    cairo_curve_to(cr, 71, 36.3, 65.5, 40, 63.5, 46.5);
    cairo_line_to(cr, 39.5, 46.5);
    cairo_curve_to(cr, 38, 40.5, 33, 36.3, 25, 36.3);
    cairo_curve_to(cr, 16, 36.3, 10.5, 40, 8.5, 47.5);
    cairo_close_path(cr);
    cairo_pattern_t* guard = cairo_pattern_create_linear(0, 33, 0, 47);
    add_stop(guard, 0.0, st.fender_light);
    add_stop(guard, 0.5, st.fender);
    add_stop(guard, 1.0, st.fender);
    cairo_set_source(cr, guard);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(guard);
    set_rgb(cr, st.outline);
    cairo_set_line_width(cr, line * 0.8);
    cairo_stroke(cr);

    // Headlamp on its bar, bumpers.
    cairo_move_to(cr, 88, 33.5);
    cairo_line_to(cr, 93.5, 31);
    set_rgb(cr, kChromeDark);
    cairo_set_line_width(cr, line * 1.2);
    cairo_stroke(cr);
    cairo_arc(cr, 94.8, 29.5, 3.6, 0, 2 * kPi);
    set_rgb(cr, kChrome);
    cairo_fill_preserve(cr);
    set_rgb(cr, st.outline);
    cairo_set_line_width(cr, line * 0.6);
    cairo_stroke(cr);
    cairo_arc(cr, 95.4, 29.3, 2.3, 0, 2 * kPi);
    set_rgb(cr, rgb(255, 244, 170));
    cairo_fill(cr);
    rounded_rect(cr, 92.5, 43.8, 7, 2.6, 1.2);
    rounded_rect(cr, 0.8, 44.8, 6.5, 2.6, 1.2);
    set_rgb(cr, kChrome);
    cairo_fill_preserve(cr);
    set_rgb(cr, kChromeDark);
    cairo_set_line_width(cr, line * 0.5);
    cairo_stroke(cr);
}

// The car centred on (cx, bottom) with the given width.
void place_car(cairo_t* cr, double cx, double bottom, double width, const CarStyle& st) {
    const double k = width / 100.0;
    cairo_save(cr);
    cairo_translate(cr, cx - width / 2, bottom - 60 * k);
    cairo_scale(cr, k, k);
    draw_car(cr, st, 0.9);
    cairo_restore(cr);
}

Image jail(const Seat& s) {
    const int n = 96;
    Canvas c(n, n);
    cairo_t* cr = c.cr();
    cairo_pattern_t* ground = cairo_pattern_create_linear(0, 0, 0, n);
    add_stop(ground, 0.0, mix(s.pale, kWhite, 0.55));
    add_stop(ground, 0.62, s.pale);
    add_stop(ground, 1.0, mix(s.pale, s.base, 0.2));
    cairo_set_source(cr, ground);
    cairo_paint(cr);
    cairo_pattern_destroy(ground);
    // A road the car stands on, and its shadow.
    cairo_rectangle(cr, 0, 70, n, 15);
    set_rgb(cr, mix(s.pale, s.dark, 0.16));
    cairo_fill(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    set_rgb(cr, mix(s.pale, s.dark, 0.3));
    cairo_rectangle(cr, 0, 70, n, 1);
    cairo_fill(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
    cairo_save(cr);
    cairo_translate(cr, 48, 78.5);
    cairo_scale(cr, 40, 3.2);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    set_rgb(cr, s.dark, 0.28);
    cairo_fill(cr);
    place_car(cr, 48, 79, 88, car_style(s));
    // Frame: seat colour with a light inner line.
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    set_rgb(cr, s.base);
    cairo_rectangle(cr, 0, 0, n, 3);
    cairo_rectangle(cr, 0, n - 3, n, 3);
    cairo_rectangle(cr, 0, 0, 3, n);
    cairo_rectangle(cr, n - 3, 0, 3, n);
    cairo_fill(cr);
    set_rgb(cr, s.dark);
    cairo_rectangle(cr, 0, n - 1, n, 1);
    cairo_rectangle(cr, n - 1, 0, 1, n);
    cairo_fill(cr);
    set_rgb(cr, mix(s.light, kWhite, 0.5));
    cairo_rectangle(cr, 0, 0, n, 1);
    cairo_rectangle(cr, 0, 0, 1, n);
    cairo_fill(cr);
    set_rgb(cr, kWhite, 0.75);
    cairo_rectangle(cr, 4, 4, n - 8, 1);
    cairo_rectangle(cr, 4, 4, 1, n - 8);
    cairo_fill(cr);
    return c.image();
}

// Bitmap 185: the magenta car on black, and beside it its silhouette: black
// exactly where the car's pixels are not black, white elsewhere, so that
// AND with the silhouette then XOR with the car leaves the ground untouched.
Output car_sprite() {
    const int half = 95, h = 72;
    Canvas c(half, h);
    const CarStyle magenta{rgb(255, 140, 246), rgb(226, 0, 196), rgb(140, 0, 122),
                           rgb(60, 0, 52),     rgb(70, 10, 64),  rgb(150, 60, 140)};
    place_car(c.cr(), 47.5, 69.5, 92, magenta);
    const Indexed car = quantise(c.image(), 256, {kBlack, kWhite}, 256);
    Indexed sprite;
    sprite.width = 2 * half;
    sprite.height = h;
    sprite.palette = car.palette;
    sprite.index.assign(std::size_t(sprite.width) * h, 0);
    const std::uint8_t black = 0;
    const std::uint8_t white =
        std::uint8_t(std::find(car.palette.begin(), car.palette.end(), kWhite) - car.palette.begin());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < half; ++x) {
            const std::uint8_t i = car.index[std::size_t(y) * half + x];
            sprite.index[std::size_t(y) * sprite.width + x] = i;
            sprite.index[std::size_t(y) * sprite.width + half + x] = car.palette[i] != kBlack ? black : white;
        }
    Output o;
    o.path = "ui/resources/art/185.bmp";
    o.kind = Kind::Bmp8;
    o.id = 185;
    o.caption = "185 car and silhouette";
    o.bytes = write_bmp8(sprite);
    o.images.push_back(expand(sprite));
    return o;
}

// ---------------------------------------------------------------- buttons

// Round picture buttons on black: a glossy red sphere with yellow lettering,
// or pressed: a dark disc in a bright red ring with the same lettering.
Image button(int w, int h, const std::string& label, bool pressed) {
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    const double cx = w / 2.0, cy = h / 2.0, r = std::min(w, h) / 2.0 - 0.6;
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    if (!pressed) {
        cairo_pattern_t* ball = cairo_pattern_create_radial(cx - 0.35 * r, cy - 0.42 * r, 0.08 * r, cx, cy, r);
        add_stop(ball, 0.0, rgb(255, 168, 148));
        add_stop(ball, 0.28, rgb(240, 52, 36));
        add_stop(ball, 0.75, rgb(178, 10, 10));
        add_stop(ball, 1.0, rgb(92, 0, 0));
        cairo_set_source(cr, ball);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(ball);
        set_rgb(cr, rgb(60, 0, 0));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        // Gloss: a soft white cap across the top.
        cairo_save(cr);
        cairo_translate(cr, cx, cy - 0.5 * r);
        cairo_scale(cr, 0.62 * r, 0.36 * r);
        cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
        cairo_restore(cr);
        cairo_pattern_t* gloss = cairo_pattern_create_linear(0, cy - 0.86 * r, 0, cy - 0.14 * r);
        add_stop(gloss, 0.0, kWhite, 0.72);
        add_stop(gloss, 1.0, kWhite, 0.0);
        cairo_set_source(cr, gloss);
        cairo_fill(cr);
        cairo_pattern_destroy(gloss);
    } else {
        cairo_pattern_t* disc = cairo_pattern_create_radial(cx, cy + 0.15 * r, 0.1 * r, cx, cy, r);
        add_stop(disc, 0.0, rgb(78, 14, 12));
        add_stop(disc, 0.7, rgb(34, 4, 4));
        add_stop(disc, 1.0, rgb(14, 0, 0));
        cairo_set_source(cr, disc);
        cairo_fill(cr);
        const double ring = std::max(1.6, r * 0.12);
        cairo_arc(cr, cx, cy, r - ring / 2, 0, 2 * kPi);
        set_rgb(cr, rgb(255, 36, 24));
        cairo_set_line_width(cr, ring);
        cairo_stroke(cr);
        cairo_arc(cr, cx, cy, r - ring * 0.55, -kPi * 0.95, -kPi * 0.35);
        set_rgb(cr, rgb(255, 170, 150), 0.8);
        cairo_set_line_width(cr, ring * 0.35);
        cairo_stroke(cr);
    }

    // Lettering: one or two lines, as large as fits the disc.
    std::vector<std::string> lines;
    const std::size_t space = label.find(' ');
    if (space == std::string::npos) {
        lines.push_back(label);
    } else {
        lines.push_back(label.substr(0, space));
        lines.push_back(label.substr(space + 1));
    }
    const bool word = label.size() > 1;
    const Face face = word ? Face::Narrow : Face::SansBold;
    // Words fit the disc inside the pressed ring; a single sign is sized by
    // its own ink, so that a small "x" is as bold as a "?".
    double size = word ? 13.5 : r * 3;
    const double room = word ? r * (lines.size() > 1 ? 1.5 : 1.58) : r * 0.95;
    const double tall = word ? 1e9 : r * (label == "x" ? 0.78 : 0.95);
    for (; size > 6; size -= 0.25) {
        set_face(cr, face, size);
        double widest = 0, highest = 0;
        for (const std::string& l : lines) {
            widest = std::max(widest, ink_of(cr, l).width);
            highest = std::max(highest, ink_of(cr, l).height);
        }
        if (widest <= room && highest <= tall) break;
    }
    set_face(cr, face, size);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    const double cap = ink_of(cr, "A").height;
    const double pitch = cap + size * 0.28;
    double y0 = cy - (lines.size() - 1) * pitch / 2;
    if (label == "_") y0 += r * 0.3; // an underscore sits low, like a minimise bar
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string& l = lines[i];
            const Ink ink = ink_of(cr, l);
            const double y_line = y0 + i * pitch;
            // Centre horizontally on the ink and vertically on the capitals, so
            // that "de" shares the baseline logic of "Acerca".
            const double x = cx - ink.x - ink.width / 2;
            const double y = word ? y_line + cap / 2 : y_line - ink.y - ink.height / 2;
            cairo_move_to(cr, x + (pass == 0 ? 0.9 : 0), y + (pass == 0 ? 1.0 : 0));
            cairo_text_path(cr, l.c_str());
        }
        if (pass == 0) {
            set_rgb(cr, pressed ? kBlack : rgb(70, 0, 0), 0.9);
            cairo_fill(cr);
        } else {
            cairo_pattern_t* gold = cairo_pattern_create_linear(0, cy - r * 0.5, 0, cy + r * 0.5);
            add_stop(gold, 0.0, rgb(255, 246, 120));
            add_stop(gold, 1.0, rgb(255, 204, 0));
            cairo_set_source(cr, gold);
            cairo_fill(cr);
            cairo_pattern_destroy(gold);
        }
    }
    return c.image();
}

// ---------------------------------------------------------------- dice strip

Image dice_strip() {
    const int cell = 60;
    const DieStyle red{rgb(255, 118, 96),  rgb(212, 18, 18),   rgb(132, 0, 0),    rgb(64, 0, 0),
                       rgb(255, 255, 255), rgb(240, 236, 232), rgb(150, 132, 128)};
    Canvas c(7 * cell, cell);
    for (int f = 1; f <= 6; ++f) draw_die(c.cr(), (f - 1) * cell + 2.5, 2.5, 55, 10, f, red, 5.6);
    Image strip = c.image();
    // The mask: black wherever any face shows, white around.
    for (int y = 0; y < cell; ++y)
        for (int x = 0; x < cell; ++x) {
            bool die = false;
            for (int f = 0; f < 6; ++f) die = die || strip.at(f * cell + x, y) != kBlack;
            strip.at(6 * cell + x, y) = die ? kBlack : kWhite;
        }
    return strip;
}

// ---------------------------------------------------------------- cursors

// The pointer's outline ('#') and inside ('.'), tip at the top left.
const char* const kArrow[] = {
    "#",        "##",        "#.#",        "#..#",        "#...#",       "#....#",   "#.....#",
    "#......#", "#.......#", "#........#", "#.........#", "#......####", "#...#..#", "#..##..#",
    "#.# #..#", "##   #..#", "#     #..#", "      #..#",  "       ##",
};

Indexed arrow_cursor(const Seat& s) {
    Image im(32, 32);
    im.opaque.assign(32 * 32, 0);
    const int tx = 14, ty = 13;
    const int rows = int(sizeof kArrow / sizeof kArrow[0]);
    auto cell = [&](int x, int y) -> char {
        if (y < 0 || y >= rows || x < 0 || x >= int(std::string(kArrow[y]).size())) return ' ';
        return kArrow[y][x];
    };
    for (int y = 0; y < rows; ++y)
        for (int x = 0; kArrow[y][x]; ++x) {
            const char k = kArrow[y][x];
            if (k == ' ') continue;
            Rgb colour = kBlack;
            if (k == '.') {
                // Lit along the left edge, shaded along the right and lower edges.
                if (cell(x - 1, y) == '#') colour = mix(s.light, kWhite, 0.3);
                else if (cell(x + 1, y) == '#' || cell(x, y + 1) == '#') colour = mix(s.base, s.dark, 0.5);
                else colour = s.base;
            }
            im.at(tx + x, ty + y) = colour;
            im.opaque[std::size_t(ty + y) * 32 + tx + x] = 1;
        }
    return quantise(im, 16, {kBlack}, 16);
}

Indexed square_cursor(const Seat& s) {
    Canvas c(32, 32);
    draw_token(c.cr(), 6, 6, s);
    return quantise(c.image(true, 128), 16, {kBlack}, 16);
}

Output cursor(int id, const std::string& caption, const Indexed& picture, int hot_x, int hot_y) {
    Output o;
    o.path = id_path("ui/resources/art", id, "cur");
    o.kind = Kind::Cursor;
    o.id = id;
    o.caption = caption;
    o.bytes = write_cur(picture, hot_x, hot_y);
    o.images.push_back(expand(picture));
    o.hot_x = hot_x;
    o.hot_y = hot_y;
    return o;
}

} // namespace

std::vector<Output> generate_pictures() {
    std::vector<Output> out;
    out.push_back(bitmap8("install/art/banner.bmp", 106, "banner 106 (installer)", banner()));
    out.push_back(icon());
    const char* dir = "ui/resources/art";
    auto bmp = [&](int id, const Image& picture) { out.push_back(bitmap8(id_path(dir, id, "bmp"), id, "", picture)); };

    // Tokens by id: 101 yellow, 102 blue, 103 red, 104 green.
    bmp(101, token(kSeats[2]));
    bmp(102, token(kSeats[1]));
    bmp(103, token(kSeats[0]));
    bmp(104, token(kSeats[3]));

    // Track squares.
    bmp(114, tile(96, 16, kSalmon));
    bmp(115, tile(96, 24, kSalmon));
    bmp(116, tile(16, 96, kSalmon));
    bmp(117, tile(24, 96, kSalmon));
    bmp(118, tile(16, 96, kSeats[2], "SALIDA"));
    bmp(119, tile(96, 16, kSeats[1], "SALIDA"));
    bmp(120, tile(16, 96, kSeats[0], "SALIDA"));
    bmp(121, tile(96, 16, kSeats[3], "SALIDA"));
    bmp(122, tile(16, 96, kSeats[2], "SEGURO"));
    bmp(123, tile(96, 16, kSeats[1], "SEGURO"));
    bmp(124, tile(68, 24, kSeats[1], "SEGURO"));
    bmp(125, tile(16, 96, kSeats[0], "SEGURO"));
    bmp(126, tile(24, 68, kSeats[0], "SEGURO"));
    bmp(127, tile(96, 16, kSeats[3], "SEGURO"));
    bmp(128, tile(68, 24, kSeats[3], "SEGURO"));
    bmp(129, tile(68, 24, kSeats[3]));
    bmp(130, tile(68, 24, kSeats[1]));
    bmp(131, tile(24, 68, kSeats[0]));
    bmp(132, tile(24, 68, kSeats[2]));
    bmp(133, tile(24, 68, kSeats[2], "SEGURO"));

    // Jails of seats 0 to 3.
    for (int seat = 0; seat < 4; ++seat) bmp(134 + seat, jail(kSeats[seat]));

    // Round buttons: pressed (or selected) id, normal id = pressed + 1, except
    // the Save and Load pairs. 147 is the one 24-bit picture among them.
    struct Pair {
        int pressed, normal, w, h;
        const char* label;
    };
    const Pair pairs[] = {
        {138, 139, 37, 36, "1"},       {140, 141, 37, 36, "2"},       {142, 143, 37, 36, "3"},
        {144, 145, 37, 36, "4"},       {146, 147, 47, 46, "Aceptar"}, {148, 149, 47, 46, "Acerca de"},
        {150, 151, 24, 23, "_"},       {152, 153, 24, 23, "x"},       {154, 155, 24, 23, "?"},
        {156, 157, 47, 46, "Seguir"},  {158, 159, 47, 46, "Salir"},   {160, 161, 47, 46, "Inicio"},
        {181, 182, 47, 46, "Guardar"}, {183, 184, 47, 46, "Cargar"},
    };
    for (const Pair& p : pairs) {
        bmp(p.pressed, button(p.w, p.h, p.label, true));
        if (p.normal == 147)
            out.push_back(bitmap24(id_path(dir, 147, "bmp"), 147, "", button(p.w, p.h, p.label, false)));
        else bmp(p.normal, button(p.w, p.h, p.label, false));
    }

    out.push_back(bitmap24(id_path(dir, 180, "bmp"), 180, "", dice_strip()));
    out.push_back(car_sprite());

    // Cursors: arrows (hot spot at the tip) and carried tokens (at the centre).
    out.push_back(cursor(113, "red arrow", arrow_cursor(kSeats[0]), 14, 13));
    out.push_back(cursor(111, "blue arrow", arrow_cursor(kSeats[1]), 14, 13));
    out.push_back(cursor(112, "yellow arrow", arrow_cursor(kSeats[2]), 14, 13));
    out.push_back(cursor(110, "green arrow", arrow_cursor(kSeats[3]), 14, 13));
    out.push_back(cursor(108, "red square", square_cursor(kSeats[0]), 16, 16));
    out.push_back(cursor(106, "blue square", square_cursor(kSeats[1]), 16, 16));
    out.push_back(cursor(105, "yellow square", square_cursor(kSeats[2]), 16, 16));
    out.push_back(cursor(109, "green square", square_cursor(kSeats[3]), 16, 16));
    out.push_back(cursor(107, "grey square", square_cursor(kGrey), 16, 16));
    return out;
}

const Output* find_picture(const std::vector<Output>& all, int id, Kind kind) {
    for (const Output& o : all)
        if (o.id == id && o.kind == kind) return &o;
    return nullptr;
}

} // namespace art
