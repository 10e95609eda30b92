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
// The monitor the window was last measured on, and whether it is being
// moved by the game itself (its own moves are not the player's).
static HMONITOR measured_monitor;
static bool following;

// The board needs 640 x 480 design pixels; on a smaller screen it keeps its
// 640 x 480 place, cut off at the right and bottom by the window, rather
// than pushed off the left and top (the centring offsets would go negative).
static uint16_t at_least(int measured, uint16_t minimum) {
    return measured < minimum ? minimum : static_cast<uint16_t>(measured);
}

static RECT monitor_of_game(HMONITOR* which) {
    const HMONITOR monitor = main_window ? MonitorFromWindow(main_window, MONITOR_DEFAULTTOPRIMARY)
                                         : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    *which = monitor;
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (monitor && GetMonitorInfoA(monitor, &info)) return info.rcMonitor;
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// In physical pixels: the program declares itself aware of every monitor's
// scaling, so the system neither stretches its picture nor shrinks what it
// reports. A screen that is not a whole number of blocks wide or high keeps
// its last columns and rows in the margins.
MeasuredScreen measure_screen() {
    const RECT monitor = monitor_of_game(&measured_monitor);
    const int w = monitor.right - monitor.left, h = monitor.bottom - monitor.top;
    pixel_scale = scale_for_screen(w, h, largest_scale);
    MeasuredScreen s;
    s.at = POINT{monitor.left, monitor.top};
    s.w = at_least(w / pixel_scale, 640);
    s.h = at_least(h / pixel_scale, 480);
    s.window.cx = w > s.w * pixel_scale ? w : s.w * pixel_scale;
    s.window.cy = h > s.h * pixel_scale ? h : s.h * pixel_scale;
    return s;
}

void on_display_change(const RECT* suggested) {
    // A press, carry or drag in progress was clipped to the old screen:
    // giving the mouse back ends it, as losing it would.
    if (GetCapture() == main_window) ReleaseCapture();
    following = true;
    // On the monitor the system proposes first, so that it is the one measured.
    if (suggested)
        SetWindowPos(main_window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    const uint8_t old_scale = pixel_scale;
    const MeasuredScreen s = measure_screen();
    move_board_to_screen(s.w, s.h);
    if (pixel_scale != old_scale) scale_drawing();
    SetWindowPos(main_window, nullptr, s.at.x, s.at.y, s.window.cx, s.window.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    following = false;
    InvalidateRect(main_window, nullptr, FALSE);
}

void on_window_moved() {
    if (!main_window || following || IsIconic(main_window)) return;
    if (MonitorFromWindow(main_window, MONITOR_DEFAULTTOPRIMARY) != measured_monitor) on_display_change(nullptr);
}
