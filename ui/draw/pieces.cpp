// The layers painted over the board: the button bar, the dice and the
// tokens, and the rectangle outline they and the die cube use.
#include "game/board.h"
#include "game/seam.h"
#include "game/state.h"
#include "ui/app/app.h"
#include "ui/app/window.h"
#include "ui/draw/draw.h"
#include "ui/resources/graphics.h"
#include "ui/resources/resource.h"

bool window_part_visible(int x, int y, int w, int h) {
    const RECT target = {x, y, x + w, y + h};
    return RectVisible(window_dc, &target) != FALSE;
}

void draw_frame(HDC dc, const Rect& r) {
    MoveToEx(dc, r.left, r.top, nullptr);
    LineTo(dc, r.right, r.top);
    LineTo(dc, r.right, r.bottom);
    LineTo(dc, r.left, r.bottom);
    LineTo(dc, r.left, r.top);
}

void draw_buttons() {
    for (int i = 0; i < WINDOW_BUTTONS; ++i) {
        const ButtonRecord& b = buttons[i];
        const bool held = (game_flags & GF_BUTTON_HELD) && i == pressed_button;
        const int w = b.right - b.left, h = b.bottom - b.top;
        if (!window_part_visible(b.left, b.top, w, h)) continue;
        SelectObject(sprite_dc, static_cast<HBITMAP>(held ? b.pressed : b.normal));
        BitBlt(window_dc, b.left, b.top, w, h, sprite_dc, 0, 0, SRCCOPY);
    }
}

// The mask clears the die's shape and the face is XORed into it, so the
// board shows through around the rounded corners without a repaint.
void draw_die(uint8_t die) {
    const DieRecord& d = dice[die];
    if (d.face < 1 || d.face > 6) return; // no face yet: nothing to show
    if (!window_part_visible(d.x, d.y, DICE_CELL, DICE_CELL)) return;
    SelectObject(sprite_dc, dice_strip);
    BitBlt(window_dc, d.x, d.y, DICE_CELL, DICE_CELL, sprite_dc, DICE_MASK_CELL * DICE_CELL, 0, SRCAND);
    BitBlt(window_dc, d.x, d.y, DICE_CELL, DICE_CELL, sprite_dc, (d.face - 1) * DICE_CELL, 0, SRCINVERT);
}

// The seating of the finished game: a new-game dialog seats the players
// anew before it may be cancelled.
static uint8_t final_last_player, final_player_step;

void keep_final_position() {
    final_last_player = last_player;
    final_player_step = player_step;
}

bool final_position_kept() { return final_player_step != 0; }

void draw_tokens() {
    const bool running = (game_flags & GF_GAME_ON) != 0;
    const unsigned last = running ? last_player : final_last_player, step = running ? player_step : final_player_step;
    for (unsigned seat = 0; seat <= last && step != 0; seat += step) {
        bool selected = false;
        for (const TokenRecord& t : tokens[seat]) {
            if (t.state == 0 || !window_part_visible(t.x, t.y, 20, 20)) continue;
            if (!selected) SelectObject(sprite_dc, token_picture[seat]);
            selected = true;
            BitBlt(window_dc, t.x, t.y, 20, 20, sprite_dc, 0, 0, SRCCOPY);
        }
    }
}
