// A new screen size while a game may be running: the board is centred again
// and the pieces on it move with it; where a loaded game's dice lie on it.
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

// The rightmost corner a bounce or a drag reaches is one short of the
// range's edge.
static int32_t rightmost_whole(uint8_t die) {
    const int32_t last = die_max_x[die] - 1;
    return last < screen_w - DIE_SIZE ? last : screen_w - DIE_SIZE;
}

void put_die_in_range(uint8_t die, int32_t x, int32_t y) {
    dice[die].x = static_cast<int16_t>(clamp_between(x, die_min_x[die], rightmost_whole(die)));
    dice[die].y = static_cast<int16_t>(clamp_between(y, 0, screen_h - DIE_SIZE));
}

// What a die at rest must leave in view: the board with its numbers, the
// window buttons, the name's band to the screen's edge and the spots of
// the finished tokens beside the jails. Both edges inclusive.
static unsigned keep_clear(Rect* out) {
    unsigned n = 0;
    out[n++] = board_rect;
    out[n++] = Rect{turn_name_rect.left, turn_name_rect.top, screen_w, turn_name_rect.bottom};
    for (const ButtonRecord& b : buttons) out[n++] = Rect{b.left, b.top, b.right, b.bottom};
    for (uint8_t seat = 0; seat < SEATS; ++seat) {
        int32_t first_x, first_y, last_x, last_y;
        token_spot(HOME_SQUARE, seat, 0, 0, &first_x, &first_y);
        token_spot(HOME_SQUARE, seat, TOKEN_SLOTS - 1, 0, &last_x, &last_y);
        out[n++] = Rect{first_x, first_y, last_x + 19, last_y + 19}; // a token is 20 pixels square
    }
    return n;
}

enum { CLEAR_AREAS = 2 + WINDOW_BUTTONS + SEATS };

static bool hides_nothing(const Rect* areas, unsigned count, int32_t x, int32_t y) {
    for (unsigned i = 0; i < count; ++i) {
        const Rect& r = areas[i];
        if (x <= r.right && r.left <= x + DIE_SIZE - 1 && y <= r.bottom && r.top <= y + DIE_SIZE - 1) return false;
    }
    return true;
}

// The nearest clear place has each coordinate either the wanted one or
// against an edge of something to keep clear or of the range, so only
// those are tried. The screen is at least 640 x 480, where the margins
// beside the board leave each die such a place in its half.
void place_shown_die(uint8_t die, int32_t x, int32_t y) {
    Rect areas[CLEAR_AREAS];
    const unsigned count = keep_clear(areas);
    if (die_in_reach(die, x, y) && hides_nothing(areas, count, x, y)) {
        dice[die].x = static_cast<int16_t>(x);
        dice[die].y = static_cast<int16_t>(y);
        return;
    }
    put_die_in_range(die, x, y);
    const int32_t low_x = die_min_x[die], high_x = rightmost_whole(die), high_y = screen_h - DIE_SIZE;
    int32_t xs[2 * CLEAR_AREAS + 1] = {dice[die].x}, ys[2 * CLEAR_AREAS + 1] = {dice[die].y};
    for (unsigned i = 0; i < count; ++i) {
        xs[2 * i + 1] = clamp_between(areas[i].left - DIE_SIZE, low_x, high_x);
        xs[2 * i + 2] = clamp_between(areas[i].right + 1, low_x, high_x);
        ys[2 * i + 1] = clamp_between(areas[i].top - DIE_SIZE, 0, high_y);
        ys[2 * i + 2] = clamp_between(areas[i].bottom + 1, 0, high_y);
    }
    int64_t best = -1;
    int32_t best_x = dice[die].x, best_y = dice[die].y;
    for (int32_t cx : xs)
        for (int32_t cy : ys) {
            if (!hides_nothing(areas, count, cx, cy)) continue;
            const int64_t d = int64_t{cx - x} * (cx - x) + int64_t{cy - y} * (cy - y);
            if (best < 0 || d < best) {
                best = d;
                best_x = cx;
                best_y = cy;
            }
        }
    dice[die].x = static_cast<int16_t>(best_x);
    dice[die].y = static_cast<int16_t>(best_y);
}
