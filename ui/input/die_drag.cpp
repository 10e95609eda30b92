// Dragging a die: it leaves the screen at pick-up (its place repainted
// without it), a wire-frame cube follows the pointer, and at release it is
// drawn where the cube was.
#include "game/board.h"
#include "game/rules.h"
#include "game/seam.h"
#include "game/state.h"
#include "ui/app/app.h"
#include "ui/draw/draw.h"
#include "ui/draw/scale.h"
#include "ui/input/input.h"
#include "ui/resources/graphics.h"

static uint8_t dragged_die;
static int32_t drag_frame_x, drag_frame_y;
static uint8_t grab_dx, grab_dy;

// Drawn on a canvas of its own size and XORed onto the window from there:
// at any scale its lines are then whole design pixels wide, joined as at
// the design's size, and a second draw still removes it.
void draw_cube(int32_t x, int32_t y) {
    DesignCanvas cube;
    if (!start_canvas(cube, x, y, 59, 61)) return;
    SetROP2(cube.dc, R2_XORPEN);
    SelectObject(cube.dc, frame_pen);
    draw_frame(cube.dc, Rect{x, y + 10, x + 50, y + 60});
    draw_frame(cube.dc, Rect{x + 8, y, x + 58, y + 50});
    const POINT edges[4][2] = {{{x, y + 10}, {x + 8, y}},
                               {{x + 50, y + 60}, {x + 58, y + 50}},
                               {{x, y + 60}, {x + 8, y + 50}},
                               {{x + 50, y + 10}, {x + 58, y}}};
    for (const auto& e : edges) {
        MoveToEx(cube.dc, e[0].x, e[0].y, nullptr);
        LineTo(cube.dc, e[1].x, e[1].y);
    }
    finish_canvas(cube, window_dc, SRCINVERT);
}

void clip_pointer(RECT area) {
    RECT on_screen = window_rect(area.left, area.top, area.right, area.bottom);
    MapWindowPoints(main_window, nullptr, reinterpret_cast<POINT*>(&on_screen), 2);
    ClipCursor(&on_screen);
}

bool pick_up_die() {
    game_flags &= ~GF_DIE_DRAG;
    if (!(game_flags & GF_GAME_ON)) return false;
    for (uint8_t i = 0; i < dice_count && i < 2; ++i) {
        const DieRecord& d = dice[i];
        if (!point_in_rect(Rect{d.x, d.y, d.x + 60, d.y + 60}, pointer_x, pointer_y)) continue;
        game_flags |= GF_DIE_DRAG;
        RECT range = {die_min_x[i], 0, die_max_x[i], screen_h};
        clip_pointer(range);
        drag_frame_x = d.x;
        drag_frame_y = d.y;
        grab_dx = static_cast<uint8_t>(pointer_x - d.x);
        grab_dy = static_cast<uint8_t>(pointer_y - d.y);
        dragged_die = i;
        save_under_die(i);
        draw_cube(drag_frame_x, drag_frame_y);
        return true;
    }
    return false;
}

void move_die_frame() {
    const int32_t x = pointer_x - grab_dx, y = pointer_y - grab_dy;
    draw_cube(drag_frame_x, drag_frame_y);
    draw_cube(x, y);
    dice[dragged_die].x = static_cast<int16_t>(x);
    dice[dragged_die].y = static_cast<int16_t>(y);
    drag_frame_x = x;
    drag_frame_y = y;
}

void put_down_die() {
    DieRecord& d = dice[dragged_die];
    invalidate_rect(d.x, d.y, d.x + 61, d.y + 61, true);
    d.x = static_cast<int16_t>(drag_frame_x);
    d.y = static_cast<int16_t>(drag_frame_y);
    game_flags &= ~GF_DIE_DRAG;
    draw_die(dragged_die);
}
