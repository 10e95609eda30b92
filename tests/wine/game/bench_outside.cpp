// Benchmark of the game from outside, beside Wine's own Minesweeper:
// process start to first completed paint, and GDI and USER objects before
// and after 20 games started through the dialogs. Prints medians.
#include "driver.h"
#include "ui/resources/resource.h"

#include <algorithm>
#include <cstdio>
#include <vector>

static double now_ms() {
    LARGE_INTEGER c, f;
    QueryPerformanceCounter(&c);
    QueryPerformanceFrequency(&f);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

static double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

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

static void start_a_game(const Game& game, bool game_on) {
    post_key(game, VK_F2);
    HWND box = wait_for_box(game, 5000);
    if (game_on && box && is_message_box(box)) {
        press_box_button(box, IDYES);
        wait_until([&] { return !IsWindow(box); }, 5000);
        box = wait_for_box(game, 5000);
    }
    if (!box) return;
    press_box_button(box, IDC_TOKENS_1);
    press_box_button(box, IDOK);
    HWND players = nullptr;
    wait_until([&] { return (players = find_game_box(game)) && GetDlgItem(players, IDC_SEAT0_NAME); }, 5000);
    if (players) press_box_button(players, IDOK);
    wait_until([&] { return !find_game_box(game); }, 5000);
    settle(game);
}

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 2) return 2;
    static char exe[MAX_PATH];
    std::snprintf(exe, sizeof exe, "%s%s", argv[1][0] == '/' ? "Z:" : "", argv[1]);
    for (char* c = exe; *c; ++c)
        if (*c == '/') *c = '\\';
    GetDesktopWindow();

    std::vector<double> game_idle, mine_idle, game_paint;
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
                const COLORREF c = GetPixel(screen, (GetSystemMetrics(SM_CXSCREEN) - 451) / 2,
                                            (GetSystemMetrics(SM_CYSCREEN) - 450) / 2 - 1);
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
    }
    std::printf("start to input-idle: korvalo %.1f ms, winemine %.1f ms (ratio %.2f); korvalo to its board on "
                "screen %.1f ms\n",
                median(game_idle), median(mine_idle), median(game_idle) / median(mine_idle), median(game_paint));

    Game game;
    if (!start_game(exe, game)) return 1;
    HANDLE h = game.process.hProcess;
    const DWORD gdi0 = GetGuiResources(h, GR_GDIOBJECTS), user0 = GetGuiResources(h, GR_USEROBJECTS);
    for (int g = 0; g < 20; ++g) {
        start_a_game(game, g > 0);
        click(game, (GetSystemMetrics(SM_CXSCREEN)) / 2, (GetSystemMetrics(SM_CYSCREEN)) / 2);
        settle(game);
        HWND box = find_game_box(game);
        if (box && is_message_box(box)) press_box_button(box, IDOK);
    }
    settle(game);
    const DWORD gdi1 = GetGuiResources(h, GR_GDIOBJECTS), user1 = GetGuiResources(h, GR_USEROBJECTS);
    std::printf("GDI objects %lu before, %lu after 20 games; USER objects %lu before, %lu after\n", gdi0, gdi1, user0,
                user1);
    stop_game(game);
    return 0;
}
