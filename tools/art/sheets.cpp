// The contact sheet (every picture at 2x with its id, cursors with their hot
// spot) and a mock board with every tile at its cell, both drawn from the
// decoded files so that they show exactly what the programs will load.
#include <algorithm>
#include <cstdio>
#include <string>

#include "tools/art/draw.h"
#include "tools/art/pictures.h"

namespace art {
namespace {

Bytes png_of(cairo_surface_t* s) {
    Bytes out;
    cairo_surface_write_to_png_stream(
        s,
        [](void* closure, const unsigned char* data, unsigned int length) {
            auto* b = static_cast<Bytes*>(closure);
            b->insert(b->end(), data, data + length);
            return CAIRO_STATUS_SUCCESS;
        },
        &out);
    return out;
}

// Nearest-neighbour enlargement; transparent pixels over a checkerboard.
void blit_scaled(cairo_t* cr, const Image& im, double x, double y, int k) {
    for (int py = 0; py < im.height; ++py)
        for (int px = 0; px < im.width; ++px) {
            if (im.shown(px, py)) {
                set_rgb(cr, im.at(px, py));
            } else {
                const bool dark = ((px / 2) + (py / 2)) % 2;
                set_rgb(cr, dark ? rgb(150, 150, 150) : rgb(200, 200, 200));
            }
            cairo_rectangle(cr, x + px * k, y + py * k, k, k);
            cairo_fill(cr);
        }
}

void caption(cairo_t* cr, const std::string& text, double x, double y, Rgb colour = rgb(230, 230, 230)) {
    set_face(cr, Face::Sans, 11);
    set_rgb(cr, colour);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
}

struct Item {
    const Output* o;
    int image; // which image of the output
    int w, h;  // box size at 2x, caption excluded
};

Output contact_sheet(const std::vector<Output>& pictures) {
    const int k = 2, margin = 16, gap = 14, caption_h = 16, sheet_w = 1200;
    std::vector<Item> items;
    for (const Output& o : pictures)
        for (std::size_t i = 0; i < o.images.size(); ++i)
            items.push_back({&o, int(i), o.images[i].width * k, o.images[i].height * k});

    // Flow layout, first pass to measure the height.
    auto layout = [&](cairo_t* cr) {
        int x = margin, y = margin + 30, row_h = 0;
        for (const Item& it : items) {
            const int box_w = std::max(it.w, it.o->kind == Kind::Cursor ? 92 : 70);
            if (x + box_w > sheet_w - margin) {
                x = margin;
                y += row_h + caption_h + gap;
                row_h = 0;
            }
            if (cr) {
                const Image& im = it.o->images[std::size_t(it.image)];
                set_rgb(cr, rgb(90, 90, 96));
                cairo_rectangle(cr, x - 1, y - 1, it.w + 2, it.h + 2);
                cairo_fill(cr);
                blit_scaled(cr, im, x, y, k);
                if (it.o->kind == Kind::Cursor) {
                    // Hot spot: thin lines through the centre of its pixel, and a ring.
                    const double hx = x + (it.o->hot_x + 0.5) * k, hy = y + (it.o->hot_y + 0.5) * k;
                    cairo_set_line_width(cr, 1);
                    cairo_set_source_rgba(cr, 1, 0, 1, 0.55);
                    cairo_move_to(cr, x, hy);
                    cairo_line_to(cr, x + it.w, hy);
                    cairo_move_to(cr, hx, y);
                    cairo_line_to(cr, hx, y + it.h);
                    cairo_stroke(cr);
                    cairo_set_source_rgb(cr, 1, 0, 1);
                    cairo_arc(cr, hx, hy, 3.5, 0, 6.2832);
                    cairo_stroke(cr);
                }
                char text[96];
                if (it.o->kind == Kind::Cursor)
                    std::snprintf(text, sizeof text, "%d  hot %d,%d", it.o->id, it.o->hot_x, it.o->hot_y);
                else if (it.o->kind == Kind::Icon)
                    std::snprintf(text, sizeof text, "icon 1  %dx%d", im.width, im.height);
                else
                    std::snprintf(text, sizeof text, "%d  %dx%d%s", it.o->id, im.width, im.height,
                                  it.o->kind == Kind::Bmp24 ? " 24b" : "");
                caption(cr, text, x, y + it.h + 13);
            }
            x += box_w + gap;
            row_h = std::max(row_h, it.h);
        }
        return y + row_h + caption_h + margin;
    };
    const int height = layout(nullptr);
    Canvas c(sheet_w, height);
    cairo_t* cr = c.cr();
    set_rgb(cr, rgb(48, 48, 54));
    cairo_paint(cr);
    set_face(cr, Face::SansBold, 16);
    set_rgb(cr, rgb(255, 210, 60));
    cairo_move_to(cr, margin, margin + 12);
    cairo_show_text(cr, "Zenta Korvalo: every picture at 2x (id, size); cursors with their hot spot");
    layout(cr);
    Output o;
    o.path = "docs/art/contact-sheet.png";
    o.kind = Kind::Png;
    o.caption = "contact sheet";
    o.bytes = png_of(c.surface());
    o.images.push_back(c.image());
    return o;
}

} // namespace

Output board_preview(const std::vector<Output>& pictures);

std::vector<Output> generate_sheets(const std::vector<Output>& pictures) {
    std::vector<Output> out;
    out.push_back(contact_sheet(pictures));
    Output board = board_preview(pictures);
    if (!board.bytes.empty()) out.push_back(std::move(board));
    return out;
}

Bytes encode_png(const Image& image) {
    cairo_surface_t* s = to_surface(image);
    Bytes b = png_of(s);
    cairo_surface_destroy(s);
    return b;
}

} // namespace art
