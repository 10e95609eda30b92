// A new screen size while a game may be running: the board is centred again
// and the pieces on it move with it.
#include "game/board.h"
#include "game/rules.h"
#include "game/state.h"

static int32_t clamp_between(int32_t v, int32_t low, int32_t high) { return v < low ? low : (v > high ? high : v); }

// Tokens keep their places relative to the board (in jail, on their squares,
// beside it at home), so every square and every saved position keeps its
// meaning. The dice stay whole on the screen and in their halves.
void move_board_to_screen(uint16_t w, uint16_t h) {
    const int32_t old_dx = board_dx, old_dy = board_dy;
    screen_w = w;
    screen_h = h;
    reset_board_geometry();
    recentre_board();
    const int32_t dx = board_dx - old_dx, dy = board_dy - old_dy;
    for (auto& seat : tokens)
        for (TokenRecord& t : seat) {
            if (t.state == 0) continue; // never placed
            t.x = static_cast<uint16_t>(t.x + dx);
            t.y = static_cast<uint16_t>(t.y + dy);
        }
    set_dice_ranges();
    for (uint8_t i = 0; i < 2; ++i) put_die_in_range(i, dice[i].x + dx, dice[i].y + dy);
}

void put_die_in_range(uint8_t die, int32_t x, int32_t y) {
    const int32_t right = die_max_x[die] < screen_w - DIE_SIZE ? die_max_x[die] : screen_w - DIE_SIZE;
    dice[die].x = static_cast<int16_t>(clamp_between(x, die_min_x[die], right));
    dice[die].y = static_cast<int16_t>(clamp_between(y, 0, screen_h - DIE_SIZE));
}
