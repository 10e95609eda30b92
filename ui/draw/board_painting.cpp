// The board layer of every paint: margins, centre with the pips left, the
// current player's name, track and stretches, jails and the outline.
#include "game/board.h"
#include "game/state.h"
#include "ui/app/app.h"
#include "ui/app/text.h"
#include "ui/draw/draw.h"
#include "ui/resources/graphics.h"

#include <cstdio>
#include <cstring>

// Skipped while a window button is held: the buttons stand in the margins
// and would flicker when the pressed one is repainted.
static void fill_margins() {
    const HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    const Rect& b = board_rect;
    const RECT bands[4] = {{0, 0, screen_w + 1, b.top + 1},
                           {0, b.bottom, screen_w + 1, screen_h + 1},
                           {0, b.top, b.left + 1, b.bottom + 1},
                           {b.right, b.top, screen_w + 1, b.bottom + 1}};
    for (const RECT& band : bands)
        if (RectVisible(window_dc, &band)) FillRect(window_dc, &band, black);
}

static void draw_centre() {
    RECT centre = {centre_rect.left, centre_rect.top, centre_rect.right, centre_rect.bottom};
    FillRect(window_dc, &centre, player_brush[current_player]);
    char count[4];
    std::snprintf(count, sizeof count, "%u", static_cast<unsigned>(moves_left));
    SetTextColor(window_dc, RGB(0, 0, 0));
    SetBkColor(window_dc, player_colour[current_player]);
    SelectObject(window_dc, count_font);
    DrawTextA(window_dc, count, -1, &centre, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

static void draw_turn_name() {
    SelectObject(window_dc, name_font);
    SetBkColor(window_dc, RGB(0, 0, 0));
    SetTextColor(window_dc, player_colour[current_player]);
    const char* name = player_name[current_player];
    write_text(window_dc, turn_name_rect.left, turn_name_rect.top, name, static_cast<int>(strnlen(name, NAME_SIZE)));
}

static void draw_squares() {
    for (int square = 1; square <= 126; ++square) {
        HBITMAP tile = square_tile[square];
        Cell cell;
        if (!tile || !square_cell(static_cast<uint8_t>(square), &cell)) continue;
        if (!window_part_visible(cell.left, cell.top, cell.width, cell.height)) continue;
        SelectObject(sprite_dc, tile);
        BitBlt(window_dc, cell.left, cell.top, cell.width, cell.height, sprite_dc, 0, 0, SRCCOPY);
    }
}

static void draw_jails() {
    for (int seat = 0; seat < 4; ++seat) {
        const Rect& area = board_areas[jail_area_of[seat]];
        if (!window_part_visible(area.left, area.top, 96, 96)) continue;
        SelectObject(sprite_dc, jail_picture[seat]);
        BitBlt(window_dc, area.left, area.top, 96, 96, sprite_dc, 0, 0, SRCCOPY);
    }
}

void draw_board() {
    if (!(game_flags & GF_BUTTON_HELD)) fill_margins();
    const RECT centre = {centre_rect.left, centre_rect.top, centre_rect.right, centre_rect.bottom};
    if (RectVisible(window_dc, &centre)) draw_centre();
    // The name is not clipped to its rectangle: a long one runs on to the
    // screen's edge, so that whole band is tested.
    const RECT name = {turn_name_rect.left, turn_name_rect.top, screen_w, turn_name_rect.bottom};
    if (RectVisible(window_dc, &name)) draw_turn_name();
    SetBkColor(window_dc, RGB(255, 0, 0));
    SetTextColor(window_dc, RGB(0, 0, 0));
    draw_squares();
    draw_jails();
    // Filled rather than drawn with the pen, which at a larger scale would
    // straddle the outline's design pixels: one design pixel wide at every
    // scale, the same pixels as the pen's four lines.
    const RECT outline = {board_rect.left, board_rect.top, board_rect.right + 1, board_rect.bottom + 1};
    FrameRect(window_dc, &outline, player_brush[0]);
    SelectObject(window_dc, frame_pen);
}
