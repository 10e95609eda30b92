// The computer player: a pacing loop on the main window's timer that throws
// for a computer seat and plays its drops, one an action, through the
// person's drop rule and release.
#pragma once

#include <cstdint>

// Each action of the computer comes more than this long after its last.
enum : uint32_t { CPU_PACE_MS = 1000 };

// Run for every tick of the 100 ms timer.
void cpu_tick();
