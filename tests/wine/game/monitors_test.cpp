// Faults: the game measured on the primary monitor wherever its window is (snapping back there, or keeping the first
// monitor's size and scale on another), a move onto a monitor of the same scaling not followed (no WM_DPICHANGED
// comes then), the place WM_DPICHANGED proposes ignored.
//   game_test <korvalo.exe> monitors      (on monitors side by side, the first the primary one)
#include "check.h"
#include "game_window.h"
#include "screen.h"
#include "game/board.h"
#include "ui/app/scale_choice.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<RECT> monitors() {
    std::vector<RECT> found;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR, HDC, LPRECT r, LPARAM list) {
            reinterpret_cast<std::vector<RECT>*>(list)->push_back(*r);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    std::sort(found.begin(), found.end(), [](const RECT& a, const RECT& b) { return a.left < b.left; });
    return found;
}

// The board's red frame where the game draws it on that monitor at the
// monitor's scale: its top-left and top-right blocks red, the pixels just
// outside them not.
bool frame_on(const RECT& m) {
    const int w = m.right - m.left, h = m.bottom - m.top;
    scale = scale_for_screen(w, h, 0);
    screen_w = static_cast<uint16_t>(std::max(w / scale, 640));
    screen_h = static_cast<uint16_t>(std::max(h / scale, 480));
    reset_board_geometry();
    recentre_board();
    const int left = m.left + board_rect.left * scale, right = m.left + (board_rect.right + 1) * scale - 1;
    const int top = m.top + board_rect.top * scale;
    HDC screen = GetDC(nullptr);
    const bool red = GetPixel(screen, left, top) == RGB(255, 0, 0) && GetPixel(screen, right, top) == RGB(255, 0, 0);
    const bool edges = GetPixel(screen, left - 1, top + scale) != RGB(255, 0, 0) &&
                       GetPixel(screen, right + 1, top + scale) != RGB(255, 0, 0);
    ReleaseDC(nullptr, screen);
    return red && edges;
}

std::string window_place(const Game& game) {
    RECT r;
    GetWindowRect(game.window, &r);
    char text[64];
    std::snprintf(text, sizeof text, "%ld,%ld-%ld,%ld", r.left, r.top, r.right, r.bottom);
    return text;
}

bool fills(const Game& game, const RECT& m) {
    RECT r;
    GetWindowRect(game.window, &r);
    return EqualRect(&r, &m) && frame_on(m);
}

} // namespace

// The game opens on the primary monitor. Moved onto the second one as
// Win+Shift+arrow moves a window between monitors of the same scaling (the
// same size, shifted), it fills that monitor at its own scale; told by
// WM_DPICHANGED that it goes back to the first, it fills the first again.
int monitors_tests(const char* exe) {
    const std::vector<RECT> m = monitors();
    CHECK(m.size() == 2, "%u monitors, not two", static_cast<unsigned>(m.size()));
    Game game;
    if (m.size() != 2 || !start_game(exe, game)) return ++failed_checks;
    CHECK(wait_until([&] { return fills(game, m[0]); }, 5000), "the game does not fill the primary monitor");
    // The shell's move of a maximised window: restored, moved the
    // monitors' distance, maximised there.
    RECT r;
    GetWindowRect(game.window, &r);
    ShowWindow(game.window, SW_RESTORE);
    SetWindowPos(game.window, nullptr, r.left + m[1].left - m[0].left, r.top + m[1].top - m[0].top, r.right - r.left,
                 r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(game.window, SW_MAXIMIZE);
    CHECK(wait_until([&] { return fills(game, m[1]); }, 5000),
          "moved onto the second monitor, the game does not fill it at scale %d: window %s", scale,
          window_place(game).c_str());
    const int dpi = 96;
    SendMessageA(game.window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&m[0]));
    CHECK(wait_until([&] { return fills(game, m[0]); }, 5000),
          "sent back to the primary monitor, the game does not fill it at scale %d: window %s", scale,
          window_place(game).c_str());
    post_key(game, VK_ESCAPE);
    answer_box(game, IDYES);
    wait_for_exit(game, 10000);
    stop_game(game);
    take_screen();
    return failed_checks;
}
