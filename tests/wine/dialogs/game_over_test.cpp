// The game-over dialog after scripted wins: the statistics of the run, the
// gradient in the winner's colour, the car's rows and its composition, the
// car standing still while the game is in the background, and "Seguir"
// and "Salir" from Enter and Esc with their pressed pictures.
#include "driver.h"
#include "groups.h"
#include "log_text.h"

#include "game/board.h"
#include "game/state.h"
#include "records/records.h"
#include "tools/sim/fake_window.h"
#include "ui/dialogs/car_animation.h"
#include "ui/dialogs/dialogs.h"
#include "ui/resources/graphics.h"
#include "ui/resources/resource.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

int w, h;

// A one-token game of two players won by `winner` after `duration` ms;
// the window clock is the fake's.
void script_win(const char* seat0, const char* seat2, uint8_t winner, uint32_t duration) {
    on_ui([&] {
        tokens_per_player = 1;
        player_count = 2;
        seat_players();
        std::strcpy(player_name[0], seat0);
        std::strcpy(player_name[2], seat2);
        new_game();
        current_player = winner;
        append_result();
        game_flags &= ~GF_GAME_ON;
        fake_clock += duration;
        fake_clear_events();
    });
}

HWND open_game_over() {
    start_on_ui([] { return game_over_dialog(); });
    HWND dialog = wait_dialog(IDC_TIME);
    CHECK(dialog != nullptr, "the game-over dialog opens");
    return dialog;
}

long file_size(const char* name) {
    FILE* f = std::fopen(name, "rb");
    if (!f) return -1;
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    std::fclose(f);
    return size;
}

void check_texts(HWND dialog, const char* wins_label, const char* wins, const char* games, const char* first,
                 const char* last, const char* time) {
    const struct {
        int id;
        const char* want;
    } items[] = {{IDC_WINS_LABEL, wins_label}, {IDC_WINS, wins},       {IDC_GAMES, games},
                 {IDC_FIRST_HOME, first},      {IDC_LAST_PLAYER, last}, {IDC_TIME, time}};
    for (const auto& item : items) {
        const std::string got = control_text(dialog, item.id);
        CHECK(got == item.want, "item %d: \"%s\", expected \"%s\"", item.id, got.c_str(), item.want);
    }
}

// Colour of gradient step i for a seat's winner.
COLORREF step_colour(int seat, int i) {
    const int v = 255 - i;
    const COLORREF by_seat[4] = {RGB(v, 0, 0), RGB(0, 0, v), RGB(v, v, 0), RGB(0, v, 0)};
    return by_seat[seat];
}

// First and last rows of the first band and the last band, in a column the
// car is not in (the car is stopped meanwhile).
void check_gradient(HWND dialog, int seat) {
    on_ui([] { game_flags &= ~GF_ANIMATE; });
    const int car_x = ui_read(car_animation->car_x);
    const int x = car_x > 10 ? 5 : w - 5;
    const int first_band_end = static_cast<int>(h / 255.0);
    const int last_band_top = static_cast<int>(254.0 * h / 255.0);
    Image column;
    on_ui([&] { column = capture_window(dialog, x, 0, 1, h); });
    const struct {
        int y, step;
    } rows[] = {{0, 0}, {first_band_end - 1, 0}, {first_band_end, 1}, {last_band_top - 1, 253},
                {last_band_top, 254}, {h - 1, 254}};
    for (const auto& r : rows)
        CHECK(column.at(0, r.y) == step_colour(seat, r.step), "screen %dx%d, row %d: %06lX, expected step %d (%06lX)",
              w, h, r.y, column.at(0, r.y), r.step, step_colour(seat, r.step));
    on_ui([] { game_flags |= GF_ANIMATE; });
}

// Row tops the car takes, in order, seen by driving its timer by hand on
// the window thread (where the real timer cannot interleave).
std::vector<int> car_rows(HWND dialog, unsigned count) {
    std::vector<int> rows;
    on_ui([&] {
        rows.push_back(car_animation->car_y);
        for (int tick = 0; tick < 4000 && rows.size() < count; ++tick) {
            SendMessageA(dialog, WM_TIMER, CAR_TIMER, 0);
            if (car_animation->car_y != rows.back()) rows.push_back(car_animation->car_y);
        }
    });
    return rows;
}

void check_car_rows(HWND dialog) {
    int first = -CAR_H;
    for (int i = 0; i < 100 && first == -CAR_H; ++i) {
        Sleep(10);
        first = ui_read(car_animation->car_y);
    }
    CHECK(first == 0, "the first tick starts the first row at the top, got %d", first);
    const std::vector<int> rows = car_rows(dialog, 14);
    if (h == 480) {
        const int want[] = {0, 72, 144, 216, 288, 360, 10, 82, 154, 226, 298, 370, 10, 82};
        for (size_t i = 0; i < rows.size() && i < 14; ++i)
            CHECK(rows[i] == want[i], "row %zu at y %d, expected %d", i, rows[i], want[i]);
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        CHECK(rows[i] + 95 <= h, "row at %d fits the %d-pixel screen", rows[i], h);
        if (i > 0) CHECK(rows[i] == rows[i - 1] + 72 || rows[i] == 10, "row %d follows %d", rows[i], rows[i - 1]);
    }
    CHECK(rows.size() == 14, "14 rows seen, got %zu", rows.size());
}

// One row as it starts (car at the left edge) and after 20 steps: behind
// the car the row is as it was, and within its rectangle the mask lets the
// background through around the car's own pixels.
void check_car_frame(HWND dialog) {
    const Image sprite = load_image(IDB_CAR);
    Image before, after;
    int x = 0, y = 0;
    on_ui([&] {
        for (int tick = 0; tick < 400 && car_animation->car_x != -CAR_W + CAR_STEP; ++tick)
            SendMessageA(dialog, WM_TIMER, CAR_TIMER, 0);
        y = car_animation->car_y;
        before = capture_window(dialog, 0, y, w, CAR_H);
        for (int tick = 0; tick < 20; ++tick) SendMessageA(dialog, WM_TIMER, CAR_TIMER, 0);
        x = car_animation->car_x;
        after = capture_window(dialog, 0, y, w, CAR_H);
    });
    CHECK(x == -CAR_W + 21 * CAR_STEP, "car at %d after 20 steps", x);
    unsigned trail = 0, background = 0, car = 0;
    for (int row = 0; row < CAR_H; ++row)
        for (int col = CAR_W - 75; col < w; ++col) {
            const bool in_car = col >= x && col < x + CAR_W;
            if (!in_car) {
                trail += after.at(col, row) != before.at(col, row);
                continue;
            }
            const bool car_pixel = sprite.at(CAR_W + col - x, row) == RGB(0, 0, 0);
            if (car_pixel)
                car += after.at(col, row) != sprite.at(col - x, row);
            else
                background += after.at(col, row) != before.at(col, row);
        }
    CHECK(trail == 0, "the row behind and ahead of the car is untouched: %u pixels differ", trail);
    CHECK(background == 0, "around the car the background shows: %u pixels differ", background);
    CHECK(car == 0, "the car's own pixels: %u differ", car);
}

// Cleared while the game is in the background: the car stands; set again,
// it goes on from where it stood.
void check_pause(HWND) {
    on_ui([] { game_flags &= ~GF_ANIMATE; });
    const int stood = ui_read(car_animation->car_x);
    Sleep(200);
    CHECK(ui_read(car_animation->car_x) == stood, "the car stands while the game is inactive");
    on_ui([] { game_flags |= GF_ANIMATE; });
    int next = stood;
    for (int i = 0; i < 2000 && next == stood; ++i) next = ui_read(car_animation->car_x);
    CHECK(next == (stood > w ? -CAR_W + CAR_STEP : stood + CAR_STEP), "it resumes from %d, got %d", stood, next);
}

// The winner's name in large black letters; the two pictures on a black
// oval outlined in red, 17 pixels beyond them.
void check_decoration(HWND dialog) {
    RECT go, quit;
    GetWindowRect(GetDlgItem(dialog, IDOK), &go);
    GetWindowRect(GetDlgItem(dialog, IDCANCEL), &quit);
    const int middle = (go.top + quit.bottom) / 2;
    Image name, oval;
    unsigned ink = 0;
    // Polled: the first paint may still be on its way.
    for (int attempt = 0; attempt < 50 && (ink <= 200 || oval.at(3, 0) != RGB(255, 0, 0)); ++attempt) {
        Sleep(20);
        on_ui([&] {
            name = capture_window(dialog, 224, 24, 200, 68);
            oval = capture_window(dialog, go.left - 20, middle, 10, 1);
        });
        ink = 0;
        for (COLORREF c : name.pixels) ink += c == RGB(0, 0, 0);
    }
    CHECK(ink > 200, "the winner's name is written in black at 224,24: %u black pixels", ink);
    CHECK(oval.at(3, 0) == RGB(255, 0, 0) && oval.at(8, 0) == RGB(0, 0, 0) && oval.at(0, 0) != RGB(0, 0, 0),
          "red outline 17 pixels left of \"Seguir\", black inside: %06lX %06lX %06lX", oval.at(0, 0), oval.at(3, 0),
          oval.at(8, 0));
}

// The winner's name as the dialog paints it, with the car stopped and
// wiped away, against the same text drawn here in the same font on the
// same rows of the gradient (which the right edge shows).
void check_painted_name(HWND dialog, const char* name) {
    const std::wstring text = wide_1252(name);
    unsigned differ = 0;
    on_ui([&] {
        game_flags &= ~GF_ANIMATE;
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC dc = GetDC(dialog);
        HGDIOBJ old_font = SelectObject(dc, count_font);
        SIZE size;
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old_font);
        const Image shown = capture(dc, 0, 0, w, 24 + size.cy);
        ReleaseDC(dialog, dc);
        HDC screen = GetDC(nullptr);
        HDC canvas = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, w, 24 + size.cy);
        HGDIOBJ old_bitmap = SelectObject(canvas, bitmap);
        for (int row = 0; row < 24 + size.cy; ++row) {
            HBRUSH band = CreateSolidBrush(shown.at(w - 1, row));
            const RECT line = {0, row, w, row + 1};
            FillRect(canvas, &line, band);
            DeleteObject(band);
        }
        old_font = SelectObject(canvas, count_font);
        SetBkMode(canvas, TRANSPARENT);
        SetTextColor(canvas, RGB(0, 0, 0));
        TextOutW(canvas, 224, 24, text.c_str(), static_cast<int>(text.size()));
        const Image want = capture(canvas, 0, 0, w, 24 + size.cy);
        SelectObject(canvas, old_font);
        SelectObject(canvas, old_bitmap);
        DeleteObject(bitmap);
        DeleteDC(canvas);
        ReleaseDC(nullptr, screen);
        for (int y = 24; y < 24 + size.cy; ++y)
            for (int x = 224; x < 224 + size.cx && x < w; ++x) differ += shown.at(x, y) != want.at(x, y);
        game_flags |= GF_ANIMATE;
    });
    CHECK(differ == 0, "the winner's name \"%s\" at 224,24: %u pixels differ", name, differ);
}

// The pressed picture is shown for the 0.1 s before the dialog ends.
void leave_with(HWND dialog, WPARAM key, int id, int pressed, int normal, int want) {
    HWND control = GetDlgItem(dialog, id);
    CHECK(shows_picture(control, normal, pressed), "button %d normal before", id);
    watch_control(control, pressed, normal);
    press_key(dialog, key);
    const int result = finish();
    const double shown = shown_until_closed();
    CHECK(result == want, "result %d, expected %d", result, want);
    CHECK(shown >= 0.099, "button %d pressed for 0.1 s before closing: %.3f s", id, shown);
}

} // namespace

void game_over_tests() {
    w = GetSystemMetrics(SM_CXSCREEN);
    h = GetSystemMetrics(SM_CYSCREEN);
    // Game 1: seat 2 wins after 1 h 2 min 3.5 s.
    script_win("Jugador 1", "Jugador 2", 2, 3723500);
    HWND dialog = open_game_over();
    if (!dialog) return;
    CHECK(file_size("Juego1.dat") == 34, "the record is complete: %ld bytes", file_size("Juego1.dat"));
    on_ui([] { CHECK(fake_sound_played("Bravo.wav") && fake_sounds[0].flags == 3, "Bravo.wav as it opens"); });
    check_texts(dialog, "Jugador 2 ganó:", "1", "1", "Jugador 2", "Jugador 1", "01:02:03");
    RECT r;
    GetWindowRect(dialog, &r);
    CHECK(r.left == 0 && r.top == 0 && r.right == w && r.bottom == h, "covers the screen: %ld,%ld,%ld,%ld", r.left,
          r.top, r.right, r.bottom);
    check_decoration(dialog);
    check_car_rows(dialog);
    check_car_frame(dialog);
    check_gradient(dialog, 2);
    GetWindowRect(dialog, &r);
    CHECK(r.left == 0 && r.top == 0 && r.right == w && r.bottom == h, "still covers the screen: %ld,%ld,%ld,%ld",
          r.left, r.top, r.right, r.bottom);
    check_pause(dialog);
    const std::vector<HGDIOBJ> pictures = shown_pictures(dialog, {IDOK, IDCANCEL});
    std::vector<HGDIOBJ> car_objects;
    on_ui([&] {
        const CarAnimation& car = *car_animation;
        car_objects = {car.car_bitmap, car.sprite_surface, car.frame_surface, car.strip_surface};
    });
    leave_with(dialog, VK_RETURN, IDOK, IDB_GO_ON_PRESSED, IDB_GO_ON, 1);
    on_ui([] { CHECK(car_animation == nullptr, "the car record is gone"); });
    CHECK(all_released(pictures) && all_released(car_objects), "pictures, car and surfaces released");

    // Game 2: the winner's name won game 1 in the other colour; 100 hours.
    script_win("Jugador 2", "Iñigo", 0, 360001000);
    dialog = open_game_over();
    if (!dialog) return;
    check_texts(dialog, "Jugador 2 ganó:", "2", "2", "Jugador 2", "Iñigo", "100:00:01");
    check_gradient(dialog, 0);
    leave_with(dialog, VK_ESCAPE, IDCANCEL, IDB_QUIT_PRESSED, IDB_QUIT, 0);

    // Game 3: its record cannot be opened (a folder has taken its name).
    script_win("Ana", "Iñigo", 2, 5000);
    on_ui([] {
        std::remove(record_file_name);
        CreateDirectoryA(record_file_name, nullptr);
    });
    dialog = open_game_over();
    if (!dialog) return;
    check_texts(dialog, "Iñigo ganó:", "0", "3", "1", "Ana", "00:00:05");
    check_painted_name(dialog, "Iñigo");
    RECT quit;
    GetWindowRect(GetDlgItem(dialog, IDCANCEL), &quit);
    int result = -1000;
    for (int attempt = 0; attempt < 3 && result == -1000; ++attempt) {
        real_click((quit.left + quit.right) / 2, (quit.top + quit.bottom) / 2);
        result = finish(1500);
    }
    CHECK(result == 0, "a click on \"Salir\" leaves: %d", result);
    on_ui([] { RemoveDirectoryA(record_file_name); });
}
