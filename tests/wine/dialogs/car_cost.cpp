// What the game-over car costs at this screen size: the time of one frame
// and the CPU the process uses while it drives (and while it stands, the
// timer still running), printed; loose bounds guard against a frame that
// repaints far more than its row.
#include "driver.h"
#include "groups.h"

#include "game/state.h"
#include "records/records.h"
#include "tools/sim/fake_window.h"
#include "ui/dialogs/car_animation.h"
#include "ui/dialogs/dialogs.h"
#include "ui/resources/resource.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

volatile long car_ticks;

LRESULT CALLBACK count_ticks(int code, WPARAM wparam, LPARAM lparam) {
    const MSG* m = reinterpret_cast<const MSG*>(lparam);
    if (code >= 0 && wparam == PM_REMOVE && m->message == WM_TIMER && m->wParam == CAR_TIMER) car_ticks += 1;
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

double process_seconds() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto seconds = [](FILETIME t) { return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e7; };
    return seconds(kernel) + seconds(user);
}

struct Load {
    double cpu_percent, ticks_per_second;
};

Load measure(double seconds) {
    const double cpu0 = process_seconds();
    const long ticks0 = car_ticks;
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t0);
    Sleep(static_cast<DWORD>(seconds * 1000));
    QueryPerformanceCounter(&t1);
    const double wall = static_cast<double>(t1.QuadPart - t0.QuadPart) / f.QuadPart;
    return Load{100.0 * (process_seconds() - cpu0) / wall, (car_ticks - ticks0) / wall};
}

} // namespace

void car_cost() {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    on_ui([] {
        tokens_per_player = 1;
        player_count = 2;
        seat_players();
        std::strcpy(player_name[0], "Ana");
        std::strcpy(player_name[2], "Luis");
        new_game();
        current_player = 0;
        append_result();
        game_flags &= ~GF_GAME_ON;
    });
    start_on_ui([] { return game_over_dialog(); });
    HWND dialog = wait_dialog(IDC_TIME);
    if (!dialog) return CHECK(false, "the game-over dialog opens");
    HHOOK hook = nullptr;
    on_ui([&] { hook = SetWindowsHookExA(WH_GETMESSAGE, count_ticks, nullptr, GetCurrentThreadId()); });
    Sleep(500);

    const Load driving = measure(5.0);
    on_ui([] { game_flags &= ~GF_ANIMATE; });
    const Load standing = measure(5.0);
    on_ui([] { game_flags |= GF_ANIMATE; });

    std::vector<double> frame_ms;
    on_ui([&] {
        LARGE_INTEGER f, a, b;
        QueryPerformanceFrequency(&f);
        for (int i = 0; i < 400; ++i) {
            QueryPerformanceCounter(&a);
            SendMessageA(dialog, WM_TIMER, CAR_TIMER, 0);
            QueryPerformanceCounter(&b);
            frame_ms.push_back(1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / f.QuadPart);
        }
        UnhookWindowsHookEx(hook);
    });
    std::sort(frame_ms.begin(), frame_ms.end());
    const double median = frame_ms[frame_ms.size() / 2], worst = frame_ms.back();
    std::printf("car at %dx%d: one frame %.3f ms median, %.3f ms worst of %zu\n", w, h, median, worst,
                frame_ms.size());
    std::printf("driving: %.1f %% CPU of one core, %.1f frames/s; standing (timer only): %.1f %% CPU, %.1f ticks/s\n",
                driving.cpu_percent, driving.ticks_per_second, standing.cpu_percent, standing.ticks_per_second);
    CHECK(median < 2.0, "a frame copies one row: %.3f ms", median);
    CHECK(driving.cpu_percent < 50.0, "the car leaves the processor mostly idle: %.1f %%", driving.cpu_percent);
    press_key(dialog, VK_ESCAPE);
    CHECK(finish() == 0, "Esc leaves");
}
