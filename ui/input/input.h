// Mouse interaction on the board: carrying a token and dragging a die.
#pragma once

#include <windows.h>

#include <cstdint>

// Press on a die while a game runs: the die is lifted, a cube follows.
bool pick_up_die();
void move_die_frame();
void put_down_die();
// Press on a movable token of the (human) current player.
bool pick_up_token();
// Each move while carrying: the drop rule sets GF_DROP_OK and the pointer.
void drag_token();
// The wire-frame cube at its corner, XORed so a second draw removes it.
void draw_cube(int32_t x, int32_t y);
// Keeps the pointer inside an area of the window (client coordinates; the
// system takes the clip on the screen).
void clip_pointer(RECT area);
