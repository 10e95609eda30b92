// A change of the screen's resolution or of the monitors while the game
// runs: the full-screen window follows the new screen, the board is centred
// on it again with every token and die, and the game goes on.
#include "game/board.h"
#include "ui/app/app.h"
#include "ui/app/window.h"

// Measured as at start-up: a screen smaller than 640 x 480 is taken for
// 640 x 480, the board's place cut off at the right and bottom.
static uint16_t at_least(int measured, uint16_t minimum) {
    return measured < minimum ? minimum : static_cast<uint16_t>(measured);
}

void on_display_change() {
    // A press, carry or drag in progress was clipped to the old screen:
    // giving the mouse back ends it, as losing it would.
    if (GetCapture() == main_window) ReleaseCapture();
    move_board_to_screen(at_least(GetSystemMetrics(SM_CXSCREEN), 640), at_least(GetSystemMetrics(SM_CYSCREEN), 480));
    SetWindowPos(main_window, nullptr, 0, 0, screen_w, screen_h, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(main_window, nullptr, FALSE);
}
