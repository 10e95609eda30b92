// The computer player: a pacing loop on the main window's timer that throws
// for a computer seat and moves its single token through the person's drop.
#pragma once

// Run for every tick of the 100 ms timer.
void cpu_tick();
