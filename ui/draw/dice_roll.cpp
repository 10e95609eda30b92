// The dice bounce: each thrown die hops across its half of the screen for
// about 0.9 s, drawn straight on the window over the board it lifts and
// puts back, one step per 4 ms per die paced on the performance counter.
#include "game/board.h"
#include "game/rules.h"
#include "game/seam.h"
#include "game/state.h"
#include "ui/app/app.h"
#include "ui/draw/draw.h"
#include "ui/resources/resource.h"
#include "ui/timing/timing.h"

#include <cstdlib>

static const float frame_seconds = 0.004f;

static void wait_ticks_past(uint32_t start, uint32_t ms) {
    while (GetTickCount() - start < ms) {}
}

static int64_t read_counter() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// Every die is lifted off the screen before the moving one takes the board
// under its new place, and all are drawn again after: had one die been
// drawn over the other's new place, a piece of it would be kept as board
// and put back later, left behind on the screen. So each slot of dice_dc
// always holds the board without dice.
static void lift_dice() {
    for (uint8_t j = 0; j < dice_count; ++j)
        BitBlt(window_dc, dice[j].x, dice[j].y, DICE_CELL, DICE_CELL, dice_dc, DICE_CELL * j, 0, SRCCOPY);
}

// The right-hand test adds the step twice rather than the die's width:
// that is how far the die may travel before it turns.
static void bounce_step(uint8_t i) {
    DieRecord& d = dice[i];
    if (d.x + dice_dx[i] < die_min_x[i]) dice_dx[i] = static_cast<int8_t>(rand() % 10 + 20);
    else if (d.x + 2 * dice_dx[i] > die_max_x[i]) dice_dx[i] = static_cast<int8_t>(-(rand() % 10 + 20));
    const int x = d.x + dice_dx[i];
    if (d.y + dice_dy[i] + DICE_CELL > screen_h) dice_dy[i] = static_cast<int8_t>(-(rand() % 10 + 20));
    else if (d.y + dice_dy[i] < 0) dice_dy[i] = static_cast<int8_t>(rand() % 10 + 20);
    const int y = d.y + dice_dy[i];

    lift_dice();
    BitBlt(dice_dc, DICE_CELL * i, 0, DICE_CELL, DICE_CELL, window_dc, x, y, SRCCOPY);
    d.x = static_cast<int16_t>(x);
    d.y = static_cast<int16_t>(y);
    for (uint8_t j = 0; j < dice_count; ++j) draw_die(j);
}

void animate_dice() {
    game_flags |= GF_DICE_ROLLING;
    for (uint8_t i = 0; i < dice_count; ++i) save_under_die(i);
    const uint32_t t0 = GetTickCount();
    wait_ticks_past(t0, 100);
    // Read after the pause: read before it, the pause would count as time the
    // first steps owe, and they would come in a burst without any wait.
    int64_t prev = read_counter();
    // The carry takes what a step overran off the next step's wait.
    float carry = 0.0f;
    while (GetTickCount() - t0 <= 1000) {
        for (uint8_t i = 0; i < dice_count; ++i) {
            const int64_t now = read_counter();
            carry = frame_seconds - (static_cast<float>(now - prev) * seconds_per_tick - carry);
            delay_seconds(carry);
            prev = now;
            bounce_step(i);
        }
    }
    game_flags &= ~GF_DICE_ROLLING;
    drop_queued_input();
}
