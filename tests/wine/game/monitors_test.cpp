// Faults: the game measured on the primary monitor wherever its window is, a move onto a monitor of the same scaling
// not followed (no WM_DPICHANGED comes then), the place WM_DPICHANGED proposes ignored.
//   game_test <korvalo.exe> monitors      (on monitors side by side, the first the primary one)
#include "check.h"
#include "game_window.h"
#include "screen.h"
#include "game/board.h"

#include <algorithm>
#include <vector>

namespace {

BOOL CALLBACK add_monitor(HMONITOR, HDC, LPRECT r, LPARAM list) {
    reinterpret_cast<std::vector<RECT>*>(list)->push_back(*r);
    return TRUE;
}

// The window covers the monitor and the board's red frame is where the game
// draws it there at the monitor's scale: its top corners red, the pixels
// just outside them not.
bool fills(const Game& game, const RECT& m) {
    RECT r;
    GetWindowRect(game.window, &r);
    take_screen_of(m.right - m.left, m.bottom - m.top);
    const int left = m.left + board_rect.left * scale, right = m.left + (board_rect.right + 1) * scale - 1;
    const int top = m.top + board_rect.top * scale;
    HDC screen = GetDC(nullptr);
    const COLORREF red = RGB(255, 0, 0);
    const bool frame = GetPixel(screen, left, top) == red && GetPixel(screen, right, top) == red &&
                       GetPixel(screen, left - 1, top + scale) != red &&
                       GetPixel(screen, right + 1, top + scale) != red;
    ReleaseDC(nullptr, screen);
    return EqualRect(&r, &m) && frame;
}

} // namespace

// The game opens on the primary monitor. Moved onto the second one as the
// shell moves a maximised window there (Win+Shift+arrow between monitors of
// the same scaling: restored, shifted, maximised again), it fills it at its
// own scale; told by WM_DPICHANGED that it goes back, it fills the first.
int monitors_tests(const char* exe) {
    std::vector<RECT> m;
    EnumDisplayMonitors(nullptr, nullptr, add_monitor, reinterpret_cast<LPARAM>(&m));
    std::sort(m.begin(), m.end(), [](const RECT& a, const RECT& b) { return a.left < b.left; });
    Game game;
    CHECK(m.size() == 2 && start_game(exe, game), "%u monitors, not two, or no game", static_cast<unsigned>(m.size()));
    if (failed_checks) return failed_checks;
    CHECK(wait_until([&] { return fills(game, m[0]); }, 5000), "the game does not fill the primary monitor");
    RECT r;
    GetWindowRect(game.window, &r);
    ShowWindow(game.window, SW_RESTORE);
    SetWindowPos(game.window, nullptr, r.left + m[1].left - m[0].left, r.top + m[1].top - m[0].top, r.right - r.left,
                 r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(game.window, SW_MAXIMIZE);
    CHECK(wait_until([&] { return fills(game, m[1]); }, 5000), "moved, the game does not fill the second monitor");
    SendMessageA(game.window, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&m[0]));
    CHECK(wait_until([&] { return fills(game, m[0]); }, 5000), "sent back, the game does not fill the primary monitor");
    post_key(game, VK_ESCAPE);
    answer_box(game, IDYES);
    wait_for_exit(game, 10000);
    stop_game(game);
    take_screen();
    return failed_checks;
}
