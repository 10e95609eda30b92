// Short pauses measured on the performance counter and waited out by
// spinning on it.
#pragma once

extern float seconds_per_tick;

// False when the system has no performance counter.
bool init_timing();
// Busy-waits the given seconds; a pause of 0 or less returns at once.
void delay_seconds(float seconds);
