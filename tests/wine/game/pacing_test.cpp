// Faults: the dice roll's first steps unpaced (a burst counting the wait before the roll as time owed).
// The roll's own code, run in this process on memory surfaces in place of the window.
#include "check.h"
#include "game/board.h"
#include "game/rules.h"
#include "game/seam.h"
#include "game/state.h"
#include "ui/app/app.h"
#include "ui/timing/timing.h"

#include <vector>

uint32_t game_flags;
DieRecord dice[2];
uint8_t dice_count;
uint16_t die_min_x[2], die_max_x[2];
int8_t dice_dx[2] = {30, 30};
int8_t dice_dy[2] = {25, 25};
HDC window_dc, dice_dc;

static std::vector<LONGLONG> steps; // counter reading at each step (every step draws die 0 again)

void draw_die(uint8_t die) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    if (die == 0) steps.push_back(now.QuadPart);
}
void save_under_die(uint8_t) {}

// The bounce takes a step every 4 ms, the dice in turn: 10 steps in 40 ms,
// a few more if this process was held up around the first one. A first
// step that counted the 100 ms before the bounce as time owed would start
// a burst of some 25 steps at once.
void pacing_tests() {
    if (!init_timing()) return;
    window_dc = CreateCompatibleDC(nullptr);
    dice_dc = CreateCompatibleDC(nullptr);
    SelectObject(window_dc, CreateBitmap(screen_w, screen_h, 1, 32, nullptr));
    SelectObject(dice_dc, CreateBitmap(190, 100, 1, 32, nullptr));
    dice_count = 2;
    dice[0] = DieRecord{150, 0, 3, 3};
    dice[1] = DieRecord{350, 25, 5, 5};
    die_max_x[0] = static_cast<uint16_t>(screen_w / 2 - 30);
    die_min_x[1] = static_cast<uint16_t>(screen_w / 2 + 30);
    die_max_x[1] = screen_w;
    animate_dice();
    const LONGLONG window = static_cast<LONGLONG>(0.040f / seconds_per_tick);
    int early = 0;
    for (LONGLONG t : steps) early += t - steps.front() <= window;
    CHECK(early <= 16, "%d steps in the first 40 ms of the bounce", early);
}
