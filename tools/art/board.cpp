// Mock of the main window at 640 x 480: the tiles at their cells, the
// jails, the centre, the buttons, two dice drawn through their mask as the
// game draws them (AND with the mask, then XOR with the face), a few tokens
// and pointers, so that the pictures can be judged together.
#include "tools/art/board.h"

#include <string>

#include "tools/art/draw.h"
#include "tools/art/pictures.h"

namespace art {

Cell cell_of(int n) {
    if (n >= 1 && n <= 12) return {94 + 16 * (n - 1), 274, 16, 96};
    if (n >= 13 && n <= 16) return {190, 370 + 24 * (n - 13), 96, 24};
    if (n == 17) return {286, 442, 68, 24};
    if (n >= 18 && n <= 29) return {354, 274 + 16 * (29 - n), 96, 16};
    if (n >= 30 && n <= 33) return {450 + 24 * (n - 30), 274, 24, 96};
    if (n == 34) return {522, 206, 24, 68};
    if (n >= 35 && n <= 46) return {354 + 16 * (46 - n), 110, 16, 96};
    if (n >= 47 && n <= 50) return {354, 14 + 24 * (50 - n), 96, 24};
    if (n == 51) return {286, 14, 68, 24};
    if (n >= 52 && n <= 63) return {190, 14 + 16 * (n - 52), 96, 16};
    if (n >= 64 && n <= 67) return {94 + 24 * (67 - n), 110, 24, 96};
    if (n >= 68 && n <= 75) return {94 + 24 * (n - 68), 206, 24, 68};
    if (n >= 86 && n <= 92) return {286, 274 + 24 * (92 - n), 68, 24};
    if (n >= 103 && n <= 109) return {354 + 24 * (109 - n), 206, 24, 68};
    if (n >= 120 && n <= 126) return {286, 14 + 24 * (n - 119), 68, 24};
    return {0, 0, 0, 0};
}

int tile_of(int n) {
    if (n >= 1 && n <= 68) {
        const int a = (n - 1) / 17, k = (n - 1) % 17 + 1;
        static const int exit_tile[4] = {120, 119, 118, 121};
        static const int safe_tile[4] = {125, 123, 122, 127};
        // The arm-end square leads into the next seat's stretch and wears its colour.
        static const int short_safe_of_seat[4] = {126, 124, 133, 128};
        if (k == 5) return exit_tile[a];
        if (k == 12) return safe_tile[a];
        if (k >= 13 && k <= 16) return a % 2 == 0 ? 115 : 117;
        if (k == 17) return short_safe_of_seat[(a + 1) % 4];
        return a % 2 == 0 ? 116 : 114;
    }
    if (n >= 69 && n <= 75) return 131;
    if (n >= 86 && n <= 92) return 130;
    if (n >= 103 && n <= 109) return 132;
    if (n >= 120 && n <= 126) return 129;
    return kNoTile;
}

namespace {

const Image* picture(const std::vector<Output>& all, int id) {
    for (const Output& o : all)
        if (o.id == id && (o.kind == Kind::Bmp8 || o.kind == Kind::Bmp24 || o.kind == Kind::Cursor))
            return &o.images[0];
    return nullptr;
}

void copy(Image& screen, const Image& from, int sx, int sy, int w, int h, int dx, int dy, int op) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int tx = dx + x, ty = dy + y;
            if (tx < 0 || ty < 0 || tx >= screen.width || ty >= screen.height) continue;
            const Rgb s = from.at(sx + x, sy + y);
            Rgb& d = screen.at(tx, ty);
            if (op == 0) d = s;
            if (op == 1) d &= s; // SRCAND
            if (op == 2) d ^= s; // SRCINVERT
        }
}

void put(Image& screen, const Image* from, int x, int y) {
    if (from) copy(screen, *from, 0, 0, from->width, from->height, x, y, 0);
}

void put_cursor(Image& screen, const Image* cur, int hot_x, int hot_y, int x, int y) {
    if (!cur) return;
    for (int py = 0; py < cur->height; ++py)
        for (int px = 0; px < cur->width; ++px)
            if (cur->shown(px, py)) {
                const int tx = x - hot_x + px, ty = y - hot_y + py;
                if (tx >= 0 && ty >= 0 && tx < screen.width && ty < screen.height) screen.at(tx, ty) = cur->at(px, py);
            }
}

} // namespace

Bytes encode_png(const Image& image);

Output board_preview(const std::vector<Output>& all) {
    Image screen(640, 480, kBlack);
    // Centre: the current player's colour with the pips left in Arial 68.
    {
        Canvas c(68, 68);
        cairo_set_source_rgb(c.cr(), 1, 0, 0);
        cairo_paint(c.cr());
        // A font 68 pixels high (cell height) has an em of about 61 pixels;
        // the line is centred as one line of text.
        set_face(c.cr(), Face::Arial, 61);
        cairo_font_extents_t fe;
        cairo_font_extents(c.cr(), &fe);
        const Ink ink = ink_of(c.cr(), "7");
        cairo_move_to(c.cr(), (68 - ink.advance) / 2, (68 - (fe.ascent + fe.descent)) / 2 + fe.ascent);
        cairo_set_source_rgb(c.cr(), 0, 0, 0);
        cairo_show_text(c.cr(), "7");
        paste(screen, c.image(), 286, 206);
    }
    for (int n = 1; n <= 126; ++n) {
        const int id = tile_of(n);
        if (id == kNoTile) continue;
        const Cell cell = cell_of(n);
        put(screen, picture(all, id), cell.left, cell.top);
    }
    put(screen, picture(all, 134), 94, 370);
    put(screen, picture(all, 135), 450, 370);
    put(screen, picture(all, 136), 450, 14);
    put(screen, picture(all, 137), 94, 14);
    // The board's red outline.
    for (int x = 94; x <= 545; ++x) screen.at(x, 14) = screen.at(x, 465) = rgb(255, 0, 0);
    for (int y = 14; y <= 465; ++y) screen.at(94, y) = screen.at(545, y) = rgb(255, 0, 0);
    // Window buttons at their places, "Guardar" held down.
    put(screen, picture(all, 161), 16, 106);
    put(screen, picture(all, 149), 16, 318);
    put(screen, picture(all, 153), 605, 0);
    put(screen, picture(all, 151), 555, 0);
    put(screen, picture(all, 155), 581, 0);
    put(screen, picture(all, 181), 16, 176);
    put(screen, picture(all, 184), 16, 248);
    // Name of the player whose turn it is.
    {
        Canvas c(80, 18);
        cairo_set_source_rgb(c.cr(), 0, 0, 0);
        cairo_paint(c.cr());
        set_face(c.cr(), Face::SansBold, 13);
        cairo_set_source_rgb(c.cr(), 1, 0, 0);
        cairo_move_to(c.cr(), 0, 14);
        cairo_show_text(c.cr(), "Ana");
        paste(screen, c.image(), 550, 200);
    }
    // Tokens on squares and in the jails.
    struct Placed {
        int id, x, y;
    };
    const Placed tokens[] = {
        {103, cell_of(5).left, cell_of(5).top + 40},
        {103, cell_of(9).left, cell_of(9).top + 12},
        {103, 120, 400},
        {102, cell_of(22).left + 30, cell_of(22).top},
        {102, 480, 420},
        {101, cell_of(104).left, cell_of(104).top + 20},
        {101, 470, 40},
        {101, 500, 66},
        {104, cell_of(57).left + 50, cell_of(57).top},
        {104, cell_of(122).left + 30, cell_of(122).top},
    };
    for (const Placed& t : tokens) put(screen, picture(all, t.id), t.x, t.y);
    // Dice: one at its start place over the margin, one thrown onto the board.
    if (const Image* strip = picture(all, 180)) {
        const struct { int x, y, face; } dice[] = {{150, 0, 5}, {372, 150, 3}};
        for (const auto& d : dice) {
            copy(screen, *strip, 360, 0, 60, 60, d.x, d.y, 1);
            copy(screen, *strip, 60 * (d.face - 1), 0, 60, 60, d.x, d.y, 2);
        }
    }
    // A carried red token over an allowed square, and the next seat's arrow.
    put_cursor(screen, picture(all, 108), 16, 16, 140, 330);
    put_cursor(screen, picture(all, 111), 14, 13, 600, 300);

    Output o;
    o.path = "docs/art/board-preview.png";
    o.kind = Kind::Png;
    o.caption = "board preview";
    o.bytes = encode_png(screen);
    o.images.push_back(screen);
    return o;
}

} // namespace art
