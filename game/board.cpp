#include "game/board.h"

#include "game/seam.h"
#include "game/state.h"

#include <initializer_list>

uint16_t screen_w = 640;
uint16_t screen_h = 480;

Rect board_rect;
Rect quadrants[4];
Rect top_arm, left_arm, right_arm, bottom_arm, centre_rect;
Rect turn_name_rect;
Rect board_areas[BOARD_AREAS];
ButtonRecord buttons[WINDOW_BUTTONS];
int32_t board_dx, board_dy;

const uint8_t exit_square[4] = {5, 22, 39, 56};
// Red A7, blue A11, yellow A4, green A0.
const uint8_t jail_area_of[4] = {7, 11, 4, 0};
const uint8_t safe_squares[SAFE_SQUARES] = {5, 12, 17, 22, 29, 34, 39, 46, 51, 56, 63, 68};

// The layout of a 640 x 480 screen; recentre_board shifts it once.
static const Rect base_board = {94, 14, 545, 465};
static const Rect base_quadrants[4] = {
    {94, 14, 286, 206}, {354, 14, 546, 206}, {94, 274, 286, 466}, {354, 274, 546, 466}};
static const Rect base_top_arm = {286, 14, 354, 206};
static const Rect base_left_arm = {94, 206, 286, 274};
static const Rect base_right_arm = {354, 206, 546, 274};
static const Rect base_bottom_arm = {286, 274, 354, 466};
static const Rect base_centre = {286, 206, 354, 274};
static const Rect base_turn_name = {550, 200, 640, 220};
static const Rect base_areas[BOARD_AREAS] = {{94, 14, 190, 110},   {94, 110, 190, 206},  {190, 14, 286, 206},
                                             {354, 14, 450, 110},  {450, 14, 546, 110},  {354, 110, 546, 206},
                                             {94, 274, 286, 370},  {94, 370, 190, 466},  {190, 370, 286, 466},
                                             {354, 274, 450, 466}, {450, 274, 546, 370}, {450, 370, 546, 466}};
// Window buttons: Inicio, Acerca de, x, _, ?, Guardar, Cargar.
static const Rect base_buttons[WINDOW_BUTTONS] = {{16, 106, 63, 152}, {16, 318, 63, 364}, {605, 0, 629, 23},
                                                  {555, 0, 579, 23},  {581, 0, 605, 23},  {16, 176, 63, 222},
                                                  {16, 248, 63, 294}};

void reset_board_geometry() {
    board_rect = base_board;
    for (int i = 0; i < 4; ++i) quadrants[i] = base_quadrants[i];
    top_arm = base_top_arm;
    left_arm = base_left_arm;
    right_arm = base_right_arm;
    bottom_arm = base_bottom_arm;
    centre_rect = base_centre;
    turn_name_rect = base_turn_name;
    for (int i = 0; i < BOARD_AREAS; ++i) board_areas[i] = base_areas[i];
    for (int i = 0; i < WINDOW_BUTTONS; ++i) {
        buttons[i].left = base_buttons[i].left;
        buttons[i].top = base_buttons[i].top;
        buttons[i].right = base_buttons[i].right;
        buttons[i].bottom = base_buttons[i].bottom;
    }
    board_dx = board_dy = 0;
}

// The tables start at their base values, so the geometry is usable before
// the window exists (tests, the simulator).
static const bool geometry_ready = (reset_board_geometry(), true);

static void shift(Rect& r, int32_t dx, int32_t dy) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
}

void recentre_board() {
    (void)geometry_ready;
    const int32_t dx = (static_cast<int32_t>(screen_w) - 451) / 2 - 94;
    const int32_t dy = (static_cast<int32_t>(screen_h) - 450) / 2 - 15;
    shift(board_rect, dx, dy);
    for (Rect& q : quadrants) shift(q, dx, dy);
    for (Rect* r : {&top_arm, &left_arm, &right_arm, &bottom_arm, &centre_rect}) shift(*r, dx, dy);
    for (Rect& a : board_areas) shift(a, dx, dy);
    for (ButtonRecord& b : buttons) {
        b.left += dx;
        b.right += dx;
        b.top += dy;
        b.bottom += dy;
    }
    turn_name_rect.left += dx;
    turn_name_rect.top += dy;
    turn_name_rect.bottom += dy;
    turn_name_rect.right = screen_w;
    board_dx += dx;
    board_dy += dy;
}

void invalidate_rect(const Rect& r, bool erase) { invalidate_rect(r.left, r.top, r.right, r.bottom, erase); }

bool point_in_rect(const Rect& r, int32_t x, int32_t y) {
    return r.left <= x && x <= r.right && r.top <= y && y <= r.bottom;
}

uint8_t step_to_square(uint8_t step, uint8_t seat) {
    const unsigned e = exit_square[seat];
    const unsigned s = step;
    if (s <= 68 - e || (s >= 64 && s <= 70)) return static_cast<uint8_t>(e + s);
    if (s >= 69 - e && s <= 63) return static_cast<uint8_t>(e + s - 68);
    if (s == STEP_HOME) return HOME_SQUARE;
    return NO_SQUARE;
}

uint8_t square_to_step(uint8_t square, uint8_t seat) {
    const unsigned e = exit_square[seat];
    const unsigned q = square;
    if (q == HOME_SQUARE) return STEP_HOME;
    if (q >= 1 && q + 5 <= e) return static_cast<uint8_t>(q + 68 - e);
    if ((q >= e && q <= 68) || (q >= e + 64 && q <= e + 71)) return static_cast<uint8_t>(q - e);
    return NO_SQUARE;
}

bool is_safe_square(uint8_t square) {
    for (uint8_t s : safe_squares)
        if (s == square) return true;
    return false;
}

static Cell cell_at(const Rect& origin, int32_t dx, int32_t dy, int32_t w, int32_t h) {
    return Cell{origin.left + dx, origin.top + dy, w, h};
}

bool square_cell(uint8_t square, Cell* cell) {
    int n = square;
    if (n == 17) n = 85;
    if (n == 34) n = 102;
    if (n == 51) n = 119;
    const Rect* a = board_areas;
    if (n >= 1 && n <= 12) *cell = cell_at(a[6], 16 * (n - 1), 0, 16, 96);
    else if (n >= 13 && n <= 16) *cell = cell_at(a[8], 0, 24 * (n - 13), 96, 24);
    else if (n >= 18 && n <= 29) *cell = cell_at(a[9], 0, 16 * (29 - n), 96, 16);
    else if (n >= 30 && n <= 33) *cell = cell_at(a[10], 24 * (n - 30), 0, 24, 96);
    else if (n >= 35 && n <= 46) *cell = cell_at(a[5], 16 * (46 - n), 0, 16, 96);
    else if (n >= 47 && n <= 50) *cell = cell_at(a[3], 0, 24 * (50 - n), 96, 24);
    else if (n >= 52 && n <= 63) *cell = cell_at(a[2], 0, 16 * (n - 52), 96, 16);
    else if (n >= 64 && n <= 67) *cell = cell_at(a[1], 24 * (67 - n), 0, 24, 96);
    else if (n >= 68 && n <= 75) *cell = cell_at(left_arm, 24 * (n - 68), 0, 24, 68);
    else if (n >= 85 && n <= 92) *cell = cell_at(bottom_arm, 0, 24 * (92 - n), 68, 24);
    else if (n >= 102 && n <= 109) *cell = cell_at(right_arm, 24 * (109 - n), 0, 24, 68);
    else if (n >= 119 && n <= 126) *cell = cell_at(top_arm, 0, 24 * (n - 119), 68, 24);
    else return false;
    return true;
}

bool token_spot(uint8_t square, uint8_t seat, uint8_t token, int r, int32_t* x, int32_t* y) {
    Cell c;
    if (square == HOME_SQUARE) {
        const Rect& jail = board_areas[jail_area_of[seat]];
        const bool left_of_board = seat == 0 || seat == 3;
        *x = jail.left + (left_of_board ? -25 : 102);
        *y = jail.top + 25 * token;
    } else if (square_cell(square, &c)) {
        // The random spot runs along the cell's long side.
        if (c.height == 96) {
            *x = c.left;
            *y = c.top + r % 72;
        } else if (c.width == 96) {
            *x = c.left + r % 72;
            *y = c.top;
        } else if (c.height == 68) {
            *x = c.left;
            *y = c.top + r % 51;
        } else {
            *x = c.left + r % 51;
            *y = c.top;
        }
    } else {
        return false;
    }
    return true;
}

void place_token(uint8_t square, uint8_t seat, uint8_t token) {
    invalidate_token(seat, token);
    const int r = random_number();
    TokenRecord& t = tokens[seat][token];
    int32_t x, y;
    if (token_spot(square, seat, token, r, &x, &y)) {
        t.x = static_cast<uint16_t>(x);
        t.y = static_cast<uint16_t>(y);
    }
    invalidate_token(seat, token);
}

static int32_t clamp_axis(int32_t v, int32_t start, int32_t size) {
    if (v < start) return start;
    if (v + 20 > start + size) return start + size - (size < 20 ? size : 20);
    return v;
}

void clamp_to_square(uint8_t square) {
    pointer_x -= 10;
    pointer_y -= 10;
    Cell c;
    // Home (and the arms' inner edge pixels that count as home) has no cell:
    // the token goes to its home position instead.
    if (!square_cell(square, &c)) return;
    pointer_x = clamp_axis(pointer_x, c.left, c.width);
    pointer_y = clamp_axis(pointer_y, c.top, c.height);
}

uint8_t point_to_square(int32_t x, int32_t y) {
    if (!point_in_rect(board_rect, x, y)) return NO_SQUARE;
    for (const Rect& q : quadrants) {
        if (!point_in_rect(q, x, y)) continue;
        int area = -1;
        for (int i = 0; i < BOARD_AREAS; ++i) {
            if (point_in_rect(board_areas[i], x, y)) {
                area = i;
                break;
            }
        }
        const Rect* a = board_areas;
        switch (area) {
        case 1: return static_cast<uint8_t>(67 - (x - a[1].left) / 24);
        case 2: return static_cast<uint8_t>((y - a[2].top) / 16 + 52);
        case 3: return static_cast<uint8_t>(50 - (y - a[3].top) / 24);
        case 5: return static_cast<uint8_t>(46 - (x - a[5].left) / 16);
        case 6: return static_cast<uint8_t>((x - a[6].left) / 16 + 1);
        case 8: return static_cast<uint8_t>((y - a[8].top) / 24 + 13);
        case 9: return static_cast<uint8_t>(29 - (y - a[9].top) / 16);
        case 10: return static_cast<uint8_t>((x - a[10].left) / 24 + 30);
        default: return NO_SQUARE; // the jails, or no area
        }
    }
    if (point_in_rect(top_arm, x, y)) {
        const int n = (y - top_arm.top) / 24 + 119;
        return static_cast<uint8_t>(n == 119 ? 51 : n);
    }
    if (point_in_rect(left_arm, x, y)) return static_cast<uint8_t>((x - left_arm.left) / 24 + 68);
    if (point_in_rect(right_arm, x, y)) {
        const int n = 109 - (x - right_arm.left) / 24;
        return static_cast<uint8_t>(n == 102 ? 34 : n);
    }
    if (point_in_rect(bottom_arm, x, y)) {
        const int n = 92 - (y - bottom_arm.top) / 24;
        return static_cast<uint8_t>(n == 85 ? 17 : n);
    }
    if (point_in_rect(centre_rect, x, y)) return HOME_SQUARE;
    return NO_SQUARE;
}
