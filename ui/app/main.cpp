// Process entry: the window class, the full-screen main window and the
// message loop. Everything else happens inside main_window_proc.
#include "game/board.h"
#include "ui/app/app.h"
#include "ui/resources/graphics.h"
#include "ui/app/scale_choice.h"
#include "ui/app/sound.h"
#include "ui/app/window.h"
#include "ui/resources/resource.h"
#include "product/dll_search.h"
#include "product/product.h"

#include <cstdlib>
#include <ctime>

static const char class_name[] = "Korvalo Class";

// One copy of the game at a time: two would share the record folder and
// delete each other's files. The installer opens the same mutex to tell
// whether the game runs. The mutex is held until the process ends.
static bool another_copy_runs() {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, KORVALO_MUTEX_NAME);
    return mutex && GetLastError() == ERROR_ALREADY_EXISTS;
}

// The running copy may still be making its window; it is given a few
// seconds. Its box or dialog, if one is open, comes to the front with it.
static void bring_running_copy_forward() {
    HWND window = nullptr;
    for (int tries = 0; tries < 50 && !(window = FindWindowA(class_name, nullptr)); ++tries) Sleep(100);
    if (!window) return;
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(GetLastActivePopup(window));
}

static bool register_window_class() {
    WNDCLASSA c = {};
    c.style = CS_OWNDC;
    c.lpfnWndProc = main_window_proc;
    c.hInstance = app_instance;
    c.hIcon = LoadIconA(app_instance, MAKEINTRESOURCEA(IDI_KORVALO));
    c.lpszClassName = class_name;
    return RegisterClassA(&c) != 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
    limit_dll_search();
    if (another_copy_runs()) {
        bring_running_copy_forward();
        return 0;
    }
    set_record_folder();
    load_sound_player();
    srand(static_cast<unsigned>(time(nullptr)));
    app_instance = instance;
    if (!register_window_class()) return 0;
    largest_scale = scale_asked(command_line);
    const MeasuredScreen screen = measure_screen();
    screen_w = screen.w;
    screen_h = screen.h;
    main_window = CreateWindowExA(0, class_name, "Zenta Korvalo", WS_POPUP | WS_MAXIMIZE | WS_SYSMENU, 0, 0,
                                  screen.window.cx, screen.window.cy, nullptr, nullptr, instance, nullptr);
    // No window (or no performance counter, refused in its creation): there
    // is nothing to run a message loop for.
    if (!main_window) return 1;
    SetCursor(player_cursor[0]);
    SetFocus(main_window);
    ShowWindow(main_window, SW_MAXIMIZE);
    UpdateWindow(main_window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
