// The screen the game draws on: measured at start-up and again whenever the
// resolution, the monitors or the scaling change while the game runs. The
// full-screen window follows the screen, the board is centred on it again
// with every token and die, and the game goes on.
#include "game/board.h"
#include "ui/app/app.h"
#include "ui/app/scale_choice.h"
#include "ui/app/window.h"
#include "ui/draw/scale.h"

unsigned largest_scale;

// The board needs 640 x 480 design pixels; on a smaller screen it keeps its
// 640 x 480 place, cut off at the right and bottom by the window, rather
// than pushed off the left and top (the centring offsets would go negative).
static uint16_t at_least(int measured, uint16_t minimum) {
    return measured < minimum ? minimum : static_cast<uint16_t>(measured);
}

// In physical pixels: the program declares itself aware of every monitor's
// scaling, so the system neither stretches its picture nor shrinks what it
// reports. A screen that is not a whole number of blocks wide or high keeps
// its last columns and rows in the margins.
MeasuredScreen measure_screen() {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    pixel_scale = scale_for_screen(w, h, largest_scale);
    MeasuredScreen s;
    s.w = at_least(w / pixel_scale, 640);
    s.h = at_least(h / pixel_scale, 480);
    s.window.cx = w > s.w * pixel_scale ? w : s.w * pixel_scale;
    s.window.cy = h > s.h * pixel_scale ? h : s.h * pixel_scale;
    return s;
}

void on_display_change() {
    // A press, carry or drag in progress was clipped to the old screen:
    // giving the mouse back ends it, as losing it would.
    if (GetCapture() == main_window) ReleaseCapture();
    const uint8_t old_scale = pixel_scale;
    const MeasuredScreen s = measure_screen();
    move_board_to_screen(s.w, s.h);
    if (pixel_scale != old_scale) scale_drawing();
    SetWindowPos(main_window, nullptr, 0, 0, s.window.cx, s.window.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(main_window, nullptr, FALSE);
}
