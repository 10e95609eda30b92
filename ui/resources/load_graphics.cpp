// The main window's pictures, pointers, colours, brushes, pen and font:
// made once when the window is created, released once when it goes.
#include "ui/resources/graphics.h"

#include "ui/app/app.h"
#include "ui/app/text.h"
#include "ui/draw/scale.h"
#include "game/board.h"
#include "game/state.h"
#include "ui/resources/resource.h"
#include "ui/resources/window_buttons.h"

HBITMAP square_tile[127];
HBITMAP jail_picture[4];
HBITMAP dice_strip;
HBITMAP token_picture[4];
HCURSOR player_cursor[4];
HCURSOR carry_cursor[4];
HCURSOR no_drop_cursor;
// Filled at definition: the brushes are made from these colours before
// create_pens runs, and would otherwise all come out black.
COLORREF player_colour[4] = {RGB(255, 0, 0), RGB(0, 0, 255), RGB(255, 255, 0), RGB(0, 255, 0)};
HBRUSH player_brush[4];
HPEN frame_pen;
HFONT count_font;
HFONT name_font;
// At scale 1 the name's font is the system's own, which is not ours to release.
static bool name_font_made;

static const unsigned char token_picture_id[4] = {IDB_TOKEN_RED, IDB_TOKEN_BLUE, IDB_TOKEN_YELLOW, IDB_TOKEN_GREEN};

// Each tile picture is loaded once and shared by every square that shows
// it; this table is what gets released, so a shared tile goes only once.
static HBITMAP tile_picture[IDB_TILE_COUNT];

// As DIB sections in the pictures' own depth rather than as bitmaps of the
// screen's: selecting a screen bitmap into sprite_dc can cost a tenth of a
// millisecond under some systems, and every paint selects dozens of them.
static HBITMAP load_picture(int id) {
    return static_cast<HBITMAP>(
        LoadImageA(app_instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// Not shared (no LR_SHARED), so that the clean-up can destroy each one.
static HCURSOR load_pointer(int id) {
    HCURSOR design = static_cast<HCURSOR>(LoadImageA(app_instance, MAKEINTRESOURCEA(id), IMAGE_CURSOR, 0, 0, 0));
    HCURSOR shown = enlarged_pointer(design);
    if (shown != design) DestroyCursor(design);
    return shown;
}

static HBITMAP tile(int id) {
    HBITMAP& slot = tile_picture[id - IDB_TILE_FIRST];
    if (!slot) slot = load_picture(id);
    return slot;
}

static HCURSOR pointer_in(HCURSOR& slot, int id) {
    if (!slot) slot = load_pointer(id);
    return slot;
}

HCURSOR player_pointer(int seat) {
    static const int id[4] = {IDCUR_POINTER_RED, IDCUR_POINTER_BLUE, IDCUR_POINTER_YELLOW, IDCUR_POINTER_GREEN};
    return pointer_in(player_cursor[seat], id[seat]);
}

HCURSOR carry_pointer(int seat) {
    static const int id[4] = {IDCUR_CARRY_RED, IDCUR_CARRY_BLUE, IDCUR_CARRY_YELLOW, IDCUR_CARRY_GREEN};
    return pointer_in(carry_cursor[seat], id[seat]);
}

HCURSOR no_drop_pointer() { return pointer_in(no_drop_cursor, IDCUR_NO_DROP); }

void load_cursors() { player_pointer(0); }

// Tiles of one block of 17 track squares (k = 1..17) starting four squares
// before seat a's exit, then the seat's home stretch.
static void load_square_tiles() {
    static const int exit_tile[4] = {IDB_TILE_EXIT_RED, IDB_TILE_EXIT_BLUE, IDB_TILE_EXIT_YELLOW, IDB_TILE_EXIT_GREEN};
    static const int safe_tile[4] = {IDB_TILE_SAFE_RED, IDB_TILE_SAFE_BLUE, IDB_TILE_SAFE_YELLOW, IDB_TILE_SAFE_GREEN};
    // The last square of block a leads into the stretch of seat a + 1.
    static const int arm_end_tile[4] = {IDB_TILE_ARM_END_RED, IDB_TILE_ARM_END_BLUE, IDB_TILE_ARM_END_YELLOW,
                                        IDB_TILE_ARM_END_GREEN};
    static const int stretch_tile[4] = {IDB_TILE_STRETCH_RED, IDB_TILE_STRETCH_BLUE, IDB_TILE_STRETCH_YELLOW,
                                        IDB_TILE_STRETCH_GREEN};
    square_tile[0] = nullptr;
    for (int a = 0; a < 4; ++a) {
        const bool vertical_tiles = a % 2 == 0;
        for (int k = 1; k <= 17; ++k) {
            int id;
            if (k == 5) id = exit_tile[a];
            else if (k == 12) id = safe_tile[a];
            else if (k >= 13 && k <= 16) id = vertical_tiles ? IDB_TILE_TRACK_H_WIDE : IDB_TILE_TRACK_V_WIDE;
            else if (k == 17) id = arm_end_tile[(a + 1) % 4];
            else id = vertical_tiles ? IDB_TILE_TRACK_V : IDB_TILE_TRACK_H;
            square_tile[17 * a + k] = tile(id);
        }
        const int first_stretch = exit_square[a] + 64;
        for (int s = first_stretch; s < first_stretch + 7; ++s) square_tile[s] = tile(stretch_tile[a]);
    }
}

void load_bitmaps() {
    static_assert(sizeof window_button_picture / sizeof *window_button_picture == WINDOW_BUTTONS);
    for (int seat = 0; seat < 4; ++seat) {
        token_picture[seat] = load_picture(token_picture_id[seat]);
        for (TokenRecord& t : tokens[seat]) t.image = token_picture[seat];
    }
    load_square_tiles();
    for (int seat = 0; seat < 4; ++seat) jail_picture[seat] = load_picture(IDB_JAIL_FIRST + seat);
    // The base rectangles: recentre_board shifts them once afterwards.
    reset_board_geometry();
    for (int i = 0; i < WINDOW_BUTTONS; ++i) {
        buttons[i].pressed = load_picture(window_button_picture[i] - 1);
        buttons[i].normal = load_picture(window_button_picture[i]);
    }
    dice_strip = load_picture(IDB_DICE);
}

void create_brushes() {
    for (int seat = 0; seat < 4; ++seat) player_brush[seat] = CreateSolidBrush(player_colour[seat]);
}

void create_pens() {
    player_colour[0] = RGB(255, 0, 0);
    player_colour[1] = RGB(0, 0, 255);
    player_colour[2] = RGB(255, 255, 0);
    player_colour[3] = RGB(0, 255, 0);
    frame_pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
}

// Heights in design pixels: window_dc realises them at its scale.
void create_font() {
    count_font = CreateFontA(68, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
}

// The system's font is made of pixels for one size: enlarged it would be
// blocky, so a larger scale writes the name in an outline font of the same
// height and weight, sharp at any size.
void create_name_font() {
    HFONT system = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    name_font_made = pixel_scale > 1;
    if (!name_font_made) {
        name_font = font_with_1252_letters(system);
        return;
    }
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, system);
    TEXTMETRICA metrics;
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    name_font = CreateFontA(metrics.tmHeight, 0, 0, 0, metrics.tmWeight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                            OUT_TT_ONLY_PRECIS, 0, ANTIALIASED_QUALITY, 0, "Tahoma");
}

void release_name_font() {
    if (name_font_made && name_font) DeleteObject(name_font);
    name_font = nullptr;
    name_font_made = false;
}

template <typename Handle> static void release(Handle& object) {
    if (object) DeleteObject(object);
    object = nullptr;
}

static void release_cursor(HCURSOR& cursor) {
    if (cursor) DestroyCursor(cursor);
    cursor = nullptr;
}

void release_cursors() {
    for (int seat = 0; seat < 4; ++seat) {
        release_cursor(player_cursor[seat]);
        release_cursor(carry_cursor[seat]);
    }
    release_cursor(no_drop_cursor);
}

void release_graphics() {
    for (int seat = 0; seat < 4; ++seat) {
        release(token_picture[seat]);
        for (TokenRecord& t : tokens[seat]) t.image = nullptr;
    }
    for (HBITMAP& t : tile_picture) release(t);
    for (HBITMAP& t : square_tile) t = nullptr;
    for (HBITMAP& j : jail_picture) release(j);
    for (ButtonRecord& b : buttons) {
        HBITMAP pressed = static_cast<HBITMAP>(b.pressed), normal = static_cast<HBITMAP>(b.normal);
        release(pressed);
        release(normal);
        b.pressed = b.normal = nullptr;
    }
    release(dice_strip);
    release(frame_pen);
    release(count_font);
    for (HBRUSH& b : player_brush) release(b);
    release_cursors();
    release_name_font();
}
