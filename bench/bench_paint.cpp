// Benchmark of the game's drawing, run in the game's own code and window:
// a full repaint, the repaint after one move, and the dice bounce's real
// step count and pacing against its 4 ms a step. Prints medians.
#include "game/board.h"
#include "game/rules.h"
#include "game/seam.h"
#include "game/state.h"
#include "ui/app/app.h"
#include "ui/app/window.h"
#include "ui/draw/scale.h"
#include "ui/resources/resource.h"

#include <winternl.h>

#include "bench_clock.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

static void pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

// Each series starts after 0.3 s of idle, as a player's moves come: right
// after a burst of painting (the series before it, a new game) each paint
// under Wine in Xvfb waits for the display for a while (seen: 0.5-0.9 ms
// for one margin pixel, against 0.14-0.19 ms once idle; its own CPU time is
// under half of that).
static double time_repaint(HWND window, const RECT* parts, int count) {
    for (int i = 0; i < 15; ++i) {
        pump();
        Sleep(20);
    }
    std::vector<double> runs;
    for (int i = 0; i < 41; ++i) {
        pump();
        const double t0 = now_ms();
        for (int p = 0; p < count; ++p) InvalidateRect(window, parts ? &parts[p] : nullptr, FALSE);
        UpdateWindow(window);
        GdiFlush();
        runs.push_back(now_ms() - t0);
    }
    return median(runs);
}

// A second thread watches the dice records while the bounce runs on the
// window thread: each change of a die's x is one step of that die.
static void time_dice(int rolls) {
    std::vector<double> steps_per_roll, ms_per_step, roll_ms;
    for (int r = 0; r < rolls; ++r) {
        dice_count = 2;
        dice[0].face = dice[0].value = 3;
        dice[1].face = dice[1].value = 5;
        std::atomic<bool> running{true};
        std::vector<double> changes;
        std::thread watcher([&] {
            int16_t x0 = dice[0].x, x1 = dice[1].x;
            while (running) {
                const int16_t a = *static_cast<volatile int16_t*>(&dice[0].x);
                const int16_t b = *static_cast<volatile int16_t*>(&dice[1].x);
                if (a != x0 || b != x1) changes.push_back(now_ms());
                if (a != x0) x0 = a;
                if (b != x1) x1 = b;
            }
        });
        const double t0 = now_ms();
        animate_dice();
        const double t1 = now_ms();
        running = false;
        watcher.join();
        steps_per_roll.push_back(static_cast<double>(changes.size()));
        if (changes.size() > 1) ms_per_step.push_back((changes.back() - changes.front()) / (changes.size() - 1));
        roll_ms.push_back(t1 - t0);
        pump();
    }
    std::printf("dice: %.0f steps a roll (both dice; one per die every 4 ms would be ~225 in 0.9 s), %.3f ms a step "
                "(meant: 4 ms), %.0f ms a roll (meant: about 1000)\n",
                median(steps_per_roll), median(ms_per_step), median(roll_ms));
}

// Under Wine GetGuiResources counts nothing; the process's GDI handle
// table (its address is in the process environment block, as on Windows)
// shows every object in use: an entry's type half-word is 0 when free.
static int gdi_objects() {
    const BYTE* peb = reinterpret_cast<const BYTE*>(NtCurrentTeb()->ProcessEnvironmentBlock);
    const uint64_t* table = *reinterpret_cast<const uint64_t* const*>(peb + 0xF8);
    if (!table) return -1;
    int n = 0;
    for (int i = 0; i < 0x10000; ++i) n += ((table[3 * i + 1] >> 32) & 0xFFFF) != 0;
    return n;
}

// Twenty games' worth of what the window itself does: new game, a throw's
// bounce, a die carried and put down, a full repaint.
static void count_objects_over_games() {
    const int before = gdi_objects();
    for (int g = 0; g < 20; ++g) {
        game_flags &= ~GF_GAME_ON;
        new_game();
        UpdateWindow(main_window);
        dice_count = 2;
        dice[0].face = dice[0].value = 1 + g % 6;
        dice[1].face = dice[1].value = 1 + (g + 3) % 6;
        animate_dice();
        const DieRecord d = dice[0];
        SendMessageA(main_window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(d.x + 30, d.y + 30));
        SendMessageA(main_window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(d.x + 40, d.y + 50));
        SendMessageA(main_window, WM_LBUTTONUP, 0, MAKELPARAM(d.x + 40, d.y + 50));
        InvalidateRect(main_window, nullptr, FALSE);
        UpdateWindow(main_window);
        pump();
    }
    std::printf("GDI objects in use: %d before, %d after 20 games of the window's own drawing and dragging\n", before,
                gdi_objects());
}

// The floor of any repaint under this system: a window of the same
// process whose paint draws nothing.
static LRESULT CALLBACK plain_proc(HWND w, UINT m, WPARAM a, LPARAM b) {
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(w, &ps);
        EndPaint(w, &ps);
        return 0;
    }
    return DefWindowProcA(w, m, a, b);
}

// Both windows timed here own their DC, as the game's does.
static void register_own_dc_class(const char* name, WNDPROC proc) {
    WNDCLASSA c = {};
    c.style = CS_OWNDC;
    c.lpfnWndProc = proc;
    c.hInstance = app_instance;
    c.lpszClassName = name;
    RegisterClassA(&c);
}

static void time_plain_window() {
    register_own_dc_class("Plain", plain_proc);
    HWND plain =
        CreateWindowExA(0, "Plain", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr, app_instance, nullptr);
    const RECT pixel = {0, 0, 1, 1};
    std::printf("repaint of one pixel of a window that draws nothing: %.3f ms\n", time_repaint(plain, &pixel, 1));
    DestroyWindow(plain);
    pump();
}

int main() {
    setvbuf(stdout, nullptr, _IONBF, 0);
    app_instance = GetModuleHandleA(nullptr);
    register_own_dc_class("Korvalo Class", main_window_proc);
    const MeasuredScreen screen = measure_screen();
    screen_w = screen.w;
    screen_h = screen.h;
    main_window = CreateWindowExA(0, "Korvalo Class", "Zenta Korvalo", WS_POPUP | WS_MAXIMIZE | WS_SYSMENU, 0, 0,
                                  screen.window.cx, screen.window.cy, nullptr, nullptr, app_instance, nullptr);
    if (!main_window) return 1;
    ShowWindow(main_window, SW_MAXIMIZE);
    UpdateWindow(main_window);
    for (int i = 0; i < 20; ++i) {
        pump();
        Sleep(20);
    }
    std::printf("screen %ldx%ld, drawn %u times larger (%ux%u design pixels)\n", screen.window.cx, screen.window.cy,
                pixel_scale, screen_w, screen_h);
    time_plain_window();
    std::printf("full repaint, no game: %.3f ms\n", time_repaint(main_window, nullptr, 1));

    player_count = 2;
    tokens_per_player = 1;
    seat_players();
    std::strcpy(player_name[0], "Ana");
    std::strcpy(player_name[2], "Luis");
    cpu_player[0] = cpu_player[2] = 0;
    new_game();
    UpdateWindow(main_window);
    std::printf("full repaint, game on: %.3f ms\n", time_repaint(main_window, nullptr, 1));

    // One move: the token's old and new squares and the centre.
    const TokenRecord& t = tokens[0][0];
    const RECT move[3] = {window_rect(t.x, t.y, t.x + 20, t.y + 20),
                          window_rect(t.x + 40, t.y - 60, t.x + 60, t.y - 40),
                          window_rect(centre_rect.left, centre_rect.top, centre_rect.right, centre_rect.bottom)};
    std::printf("repaint after a move (2 token squares and the centre): %.3f ms\n", time_repaint(main_window, move, 3));
    std::printf("repaint of one token square: %.3f ms\n", time_repaint(main_window, move, 1));
    // What any repaint of the window costs, whatever is drawn.
    const RECT margin[1] = {{0, screen.window.cy - 2, 1, screen.window.cy - 1}};
    std::printf("repaint of one pixel of the margin: %.3f ms\n", time_repaint(main_window, margin, 1));
    time_dice(7);
    count_objects_over_games();
    game_flags &= ~GF_GAME_ON;
    DestroyWindow(main_window);
    return 0;
}
