// Board geometry and each seat's route: rectangles, square numbers, route
// steps, token placement and the mapping of a pixel point to a square.
#pragma once

#include <cstdint>

struct Rect {
    int32_t left, top, right, bottom;
};

// A picture button: the window's seven and those of the dialogs.
struct ButtonRecord {
    void* pressed; // picture handles, the window's business
    void* normal;
    int32_t left, top, right, bottom; // both edges inclusive
};

enum : uint8_t { NO_SQUARE = 200, HOME_SQUARE = 0 };
enum { WINDOW_BUTTONS = 7, BOARD_AREAS = 12, SAFE_SQUARES = 12 };

// Screen size, measured once at start-up; centres the board and bounds the dice.
extern uint16_t screen_w;
extern uint16_t screen_h;

extern Rect board_rect;
extern Rect quadrants[4];
extern Rect top_arm, left_arm, right_arm, bottom_arm, centre_rect;
extern Rect turn_name_rect;
extern Rect board_areas[BOARD_AREAS];
extern ButtonRecord buttons[WINDOW_BUTTONS];
extern int32_t board_dx, board_dy; // offsets applied by recentre_board

extern const uint8_t exit_square[4];
extern const uint8_t jail_area_of[4]; // index into board_areas
extern const uint8_t safe_squares[SAFE_SQUARES];

struct Cell {
    int32_t left, top, width, height;
};

uint8_t step_to_square(uint8_t step, uint8_t seat);
uint8_t square_to_step(uint8_t square, uint8_t seat);
bool is_safe_square(uint8_t square);
// The cell of a board square (squares 17, 34, 51 use the arm cells 85, 102,
// 119); false for numbers that have no cell.
bool square_cell(uint8_t square, Cell* cell);
// Where place_token puts a token on a square, from one draw r of the
// generator: a spot along the cell's long side, or beside the seat's jail
// for home; false (and nothing written) for a number that has no cell.
bool token_spot(uint8_t square, uint8_t seat, uint8_t token, int r, int32_t* x, int32_t* y);
void place_token(uint8_t square, uint8_t seat, uint8_t token);
void clamp_to_square(uint8_t square);
bool point_in_rect(const Rect& r, int32_t x, int32_t y);
uint8_t point_to_square(int32_t x, int32_t y);
void recentre_board();
// The screen has a new size while the program runs: the board is centred on
// it again and every token and die moves with it (screen_change.cpp).
void move_board_to_screen(uint16_t w, uint16_t h);
// Die i at (x, y), or the nearest place whole on the screen and in its range.
void put_die_in_range(uint8_t die, int32_t x, int32_t y);
// A shown die of a loaded game at (x, y): kept there if this screen could
// have left it there and it hides nothing the player reads or presses,
// otherwise the nearest such place whole on the screen and in its range.
void place_shown_die(uint8_t die, int32_t x, int32_t y);
// Puts every table back to its 640 x 480 values (for a new screen size).
void reset_board_geometry();
void invalidate_rect(const Rect& r, bool erase);
