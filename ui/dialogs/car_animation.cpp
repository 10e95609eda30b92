#include "ui/dialogs/car_animation.h"

#include "game/board.h"
#include "ui/app/app.h"
#include "ui/dialogs/frame.h"
#include "ui/draw/scale.h"
#include "ui/resources/graphics.h"
#include "ui/resources/resource.h"

#include <initializer_list>

CarAnimation* car_animation;

// The sprite surface holds a loaded picture rather than a bitmap of its
// own, so it is not a make_surface surface; the bitmap it displaced is kept
// to be put back before the context goes.
static HGDIOBJ sprite_default_bitmap;

void make_car() {
    CarAnimation* car = new CarAnimation();
    const int k = pixel_scale;
    car->frame_surface = make_surface((CAR_W + CAR_STEP) * k, CAR_H * k);
    car->strip_surface = make_surface(screen_w * k, CAR_H * k);
    car->car_bitmap = load_picture(IDB_CAR);
    car->sprite_surface = CreateCompatibleDC(window_dc);
    sprite_default_bitmap = SelectObject(car->sprite_surface, car->car_bitmap);
    for (HDC surface : {car->frame_surface, car->strip_surface, car->sprite_surface}) draw_in_design_pixels(surface);
    // Past the right edge and above the top: the first tick starts row 0.
    car->car_x = static_cast<int16_t>(screen_w + 1);
    car->car_y = -CAR_H;
    car_animation = car;
}

// Rows are CAR_H apart; once a row's top plus the car's width would pass
// the bottom, the car starts again a little below the top.
static void next_row(HDC dc) {
    CarAnimation& car = *car_animation;
    car.car_x = -CAR_W;
    car.car_y = static_cast<int16_t>(car.car_y + CAR_H);
    if (car.car_y + CAR_W > screen_h) car.car_y = 10;
    BitBlt(car.strip_surface, 0, 0, screen_w, CAR_H, dc, 0, car.car_y, SRCCOPY);
}

// Only the stretch the car leaves and enters changes: the clean row there,
// the car over it, copied in one piece.
void move_car(HWND dialog) {
    CarAnimation& car = *car_animation;
    HDC dc = GetDC(dialog);
    const int saved = SaveDC(dc);
    draw_in_design_pixels(dc);
    if (car.car_x > screen_w) next_row(dc);
    const int left = car.car_x;
    car.car_x = static_cast<int16_t>(car.car_x + CAR_STEP);
    BitBlt(car.frame_surface, 0, 0, CAR_W + CAR_STEP, CAR_H, car.strip_surface, left, 0, SRCCOPY);
    BitBlt(car.frame_surface, CAR_STEP, 0, CAR_W, CAR_H, car.sprite_surface, CAR_W, 0, SRCAND);
    BitBlt(car.frame_surface, CAR_STEP, 0, CAR_W, CAR_H, car.sprite_surface, 0, 0, SRCINVERT);
    BitBlt(dc, left, car.car_y, CAR_W + CAR_STEP, CAR_H, car.frame_surface, 0, 0, SRCCOPY);
    RestoreDC(dc, saved);
    ReleaseDC(dialog, dc);
}

void release_car() {
    CarAnimation* car = car_animation;
    if (!car) return;
    destroy_surface(car->frame_surface);
    destroy_surface(car->strip_surface);
    SelectObject(car->sprite_surface, sprite_default_bitmap);
    DeleteDC(car->sprite_surface);
    DeleteObject(car->car_bitmap);
    delete car;
    car_animation = nullptr;
}
