// Benchmark of the game from outside, beside Wine's own Minesweeper:
// process start to first completed paint. Prints medians. A second program
// given (bench/fill_screen) is measured the same way: the least any window
// over the whole screen takes.
#include "game_window.h"
#include "screen.h"
#include "game/board.h"
#include "game/seam.h"
#include "game/state.h"

#include "bench_clock.h"

#include <algorithm>
#include <cstdio>
#include <vector>

// Time until the program's message loop first waits for input (its first
// paint is done by then), the same measure for both programs.
static double start_to_idle(const char* exe, PROCESS_INFORMATION* pi) {
    char command[MAX_PATH];
    std::snprintf(command, sizeof command, "\"%s\"", exe);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    const double t0 = now_ms();
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, pi)) return -1;
    WaitForInputIdle(pi->hProcess, 20000);
    return now_ms() - t0;
}

static void end(PROCESS_INFORMATION& pi) {
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
}

// A Unix path as Wine's Z: drive sees it.
static void windows_path(char (&exe)[MAX_PATH], const char* path) {
    std::snprintf(exe, sizeof exe, "%s%s", path[0] == '/' ? "Z:" : "", path);
    for (char* c = exe; *c; ++c)
        if (*c == '/') *c = '\\';
}

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 2) return 2;
    static char exe[MAX_PATH], fill[MAX_PATH];
    windows_path(exe, argv[1]);
    if (argc > 2) windows_path(fill, argv[2]);
    GetDesktopWindow();
    take_screen(); // where the game draws the board's corner

    std::vector<double> game_idle, mine_idle, game_paint, fill_idle;
    for (int run = 0; run < 7; ++run) {
        PROCESS_INFORMATION pi = {};
        const double t0 = now_ms();
        game_idle.push_back(start_to_idle(exe, &pi));
        // And until the board's outline shows on the screen.
        Game game;
        game.process = pi;
        wait_until(
            [&] {
                HDC screen = GetDC(nullptr);
                const COLORREF c = GetPixel(screen, board_rect.left * scale, board_rect.top * scale);
                ReleaseDC(nullptr, screen);
                return c == RGB(255, 0, 0);
            },
            20000);
        game_paint.push_back(now_ms() - t0);
        end(pi);
        Sleep(300);
        PROCESS_INFORMATION mine = {};
        mine_idle.push_back(start_to_idle("winemine.exe", &mine));
        end(mine);
        Sleep(300);
        if (!fill[0]) continue;
        PROCESS_INFORMATION bare = {};
        fill_idle.push_back(start_to_idle(fill, &bare));
        end(bare);
        Sleep(300);
    }
    std::printf("start to input-idle: korvalo %.1f ms, winemine %.1f ms (ratio %.2f); korvalo to its board on "
                "screen %.1f ms\n",
                median(game_idle), median(mine_idle), median(game_idle) / median(mine_idle), median(game_paint));
    if (fill[0])
        std::printf("a window that only fills the screen: %.1f ms to input-idle (ratio to winemine %.2f)\n",
                    median(fill_idle), median(fill_idle) / median(mine_idle));

    return 0;
}
