// The store of the board under each die (slot i of dice_dc at x = 60 i),
// so that a die can be lifted off the screen without a repaint.
#include "game/seam.h"
#include "game/state.h"
#include "ui/app/app.h"
#include "ui/draw/draw.h"
#include "ui/draw/scale.h"
#include "ui/resources/resource.h"

static void copy_under_die(uint8_t die) {
    const DieRecord& d = dice[die];
    BitBlt(dice_dc, DICE_CELL * die, 0, DICE_CELL, DICE_CELL, window_dc, d.x, d.y, SRCCOPY);
}

void store_dice_background() {
    for (uint8_t die = 0; die < 2; ++die) copy_under_die(die);
}

void save_under_die(uint8_t die) {
    const DieRecord& d = dice[die];
    const RECT square = window_rect(d.x, d.y, d.x + DICE_CELL, d.y + DICE_CELL);
    InvalidateRect(main_window, &square, TRUE);
    UpdateWindow(main_window);
    copy_under_die(die);
}
