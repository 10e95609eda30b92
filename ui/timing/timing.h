// Short pauses measured on the performance counter and waited out by
// spinning on it, and the input that comes meanwhile.
#pragma once

extern float seconds_per_tick;

// False when the system has no performance counter.
bool init_timing();
// Busy-waits the given seconds; a pause of 0 or less returns at once.
void delay_seconds(float seconds);
// Removes the clicks and keys that queued up while the thread was busy (a
// dice roll, a button's flash): the player saw nothing answer them, and
// handled afterwards they would land on whatever came up meanwhile.
void drop_queued_input();
// Whether the left press being handled only completes a double click begun
// by the press that set off the last busy wait (same place, within the
// system's double-click time). A player's second click often comes just
// after the wait, on whatever came up under the pointer meanwhile.
bool second_click_of_busy_press();
