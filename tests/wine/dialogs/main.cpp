// Test host of the game's dialogs. It plays the main window's part (the
// instance, a full-screen window with its own device context, the drawing
// objects of the game's own loaders) over the rules core with its fake
// seam, so that sounds and the clock can be checked and scripted, and runs
// the real dialog procedures and templates.
//
//   dialog_test GROUP      GROUP: new_game, game_over, summary, about, car_cost
#include "driver.h"
#include "groups.h"

#include "game/board.h"
#include "game/state.h"
#include "records/records.h"
#include "tools/sim/fake_window.h"
#include "ui/app/app.h"
#include "ui/resources/graphics.h"
#include "ui/timing/timing.h"

#include <cstdio>
#include <cstring>

HINSTANCE app_instance;
HWND main_window;
HDC window_dc;
HDC sprite_dc;
HDC dice_dc;

static LRESULT CALLBACK host_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message >= WM_APP) return host_job_message(message, lparam);
    return DefWindowProcA(window, message, wparam, lparam);
}

static void make_host_window() {
    WNDCLASSA c = {};
    c.style = CS_OWNDC;
    c.lpfnWndProc = host_proc;
    c.hInstance = app_instance;
    c.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    c.lpszClassName = "Dialog Test Host";
    RegisterClassA(&c);
    screen_w = static_cast<uint16_t>(GetSystemMetrics(SM_CXSCREEN));
    screen_h = static_cast<uint16_t>(GetSystemMetrics(SM_CYSCREEN));
    main_window = CreateWindowExA(0, c.lpszClassName, "Zenta Korvalo", WS_POPUP | WS_VISIBLE, 0, 0, screen_w,
                                  screen_h, nullptr, nullptr, app_instance, nullptr);
    window_dc = GetDC(main_window);
    create_pens();
    create_brushes();
    create_font();
    sprite_dc = make_surface(190, 100);
    dice_dc = make_surface(190, 100);
    UpdateWindow(main_window);
}

struct Group {
    const char* name;
    void (*run)();
};
static const Group groups[] = {
    {"new_game", new_game_tests}, {"game_over", game_over_tests}, {"summary", summary_tests},
    {"about", about_tests},       {"car_cost", car_cost},
};

static const Group* chosen;

static DWORD WINAPI drive(void*) {
    chosen->run();
    PostMessageA(main_window, WM_CLOSE, 0, 0);
    return 0;
}

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    for (const Group& g : groups)
        if (argc > 1 && std::strcmp(argv[1], g.name) == 0) chosen = &g;
    if (!chosen) {
        std::printf("usage: dialog_test new_game|game_over|summary|about|car_cost\n");
        return 2;
    }
    app_instance = GetModuleHandleA(nullptr);
    init_timing();
    fake_reset_program();
    make_host_window();
    set_host(main_window);
    // The record files the tests make are their own, in a fresh folder.
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::strcat(folder, "korvalo-dialog-test");
    CreateDirectoryA(folder, nullptr);
    SetCurrentDirectoryA(folder);

    HANDLE driver = CreateThread(nullptr, 0, drive, nullptr, 0, nullptr);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        if (m.message == WM_CLOSE) break;
        TranslateMessage(&m);
        DispatchMessageA(&m);
        if (WaitForSingleObject(driver, 0) == WAIT_OBJECT_0 && !ui_busy()) break;
    }
    WaitForSingleObject(driver, 10000);
    delete_record_files();
    std::printf("%s: %d failure(s)\n", chosen->name, failures());
    return failures() ? 1 : 0;
}
