// The car that drives across the game-over dialog, row after row, each
// frame composed off screen and copied in one piece. Sizes and places are
// design pixels; the surfaces draw them at the window's scale.
#pragma once

#include <windows.h>

#include <cstdint>

enum { CAR_W = 95, CAR_H = 72, CAR_STEP = 20, CAR_TIMER = 150 };

struct CarAnimation {
    HDC sprite_surface; // bitmap 185: the car at x 0, its mask at x CAR_W
    HDC frame_surface;  // (CAR_W + CAR_STEP) x CAR_H: the car and what it left
    HDC strip_surface;  // screen_w x CAR_H: the clean screen under the row
    HBITMAP car_bitmap;
    int16_t car_x; // left of the car within the row
    int16_t car_y; // top of the row on the screen
};
// Exists while the game-over dialog is open.
extern CarAnimation* car_animation;

void make_car();
// One tick of the timer: the next frame, or the start of the next row.
void move_car(HWND dialog);
void release_car();
