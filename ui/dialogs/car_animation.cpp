#include "ui/dialogs/car_animation.h"

#include "game/board.h"
#include "ui/app/app.h"
#include "ui/resources/graphics.h"
#include "ui/resources/resource.h"

CarAnimation* car_animation;

// The sprite surface holds a loaded picture rather than a bitmap of its
// own, so it is not a make_surface surface; the bitmap it displaced is kept
// to be put back before the context goes.
static HGDIOBJ sprite_default_bitmap;

void make_car() {
    CarAnimation* car = new CarAnimation();
    car->frame_surface = make_surface(screen_w, CAR_H);
    car->strip_surface = make_surface(screen_w, CAR_H);
    car->car_bitmap = LoadBitmapA(app_instance, MAKEINTRESOURCEA(IDB_CAR));
    car->sprite_surface = CreateCompatibleDC(window_dc);
    sprite_default_bitmap = SelectObject(car->sprite_surface, car->car_bitmap);
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

void move_car(HWND dialog) {
    CarAnimation& car = *car_animation;
    HDC dc = GetDC(dialog);
    if (car.car_x > screen_w) next_row(dc);
    car.car_x = static_cast<int16_t>(car.car_x + CAR_STEP);
    BitBlt(car.frame_surface, 0, 0, screen_w, CAR_H, car.strip_surface, 0, 0, SRCCOPY);
    BitBlt(car.frame_surface, car.car_x, 0, CAR_W, CAR_H, car.sprite_surface, CAR_W, 0, SRCAND);
    BitBlt(car.frame_surface, car.car_x, 0, CAR_W, CAR_H, car.sprite_surface, 0, 0, SRCINVERT);
    BitBlt(dc, 0, car.car_y, screen_w, CAR_H, car.frame_surface, 0, 0, SRCCOPY);
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
