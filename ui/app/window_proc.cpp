// The only door into the game: each message is decoded once and handed to
// the procedure named after its event.
#include "game/state.h"
#include "ui/app/app.h"
#include "ui/app/window.h"
#include "ui/draw/scale.h"
#include "game/cpu.h"

// The rules see the design's pixels, never the window's.
static void store_pointer(LPARAM lparam) {
    const POINT p = design_point(lparam);
    pointer_x = p.x;
    pointer_y = p.y;
}

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE: return on_create(window) ? 0 : -1;
    case WM_PAINT: on_paint(); return 0;
    case WM_TIMER:
        if (wparam == CPU_TIMER) cpu_tick();
        if (wparam == DECIDE_TIMER) decide_minimise();
        return 0;
    case WM_LBUTTONDOWN:
        store_pointer(lparam);
        on_left_button_down();
        return 0;
    case WM_MOUSEMOVE:
        store_pointer(lparam);
        on_mouse_move(wparam);
        return 0;
    case WM_LBUTTONUP:
        store_pointer(lparam);
        on_left_button_up();
        return 0;
    case WM_CAPTURECHANGED: on_capture_lost(); return 0;
    case WM_SETCURSOR:
        if (LOWORD(lparam) != HTCLIENT) break;
        SetCursor(chosen_pointer);
        return TRUE;
    case WM_KEYDOWN: on_key(wparam); return 0;
    case WM_SYSKEYDOWN: on_system_key(wparam); return 0;
    // Kept from the default handling too, which would otherwise enter the
    // system menu on Alt or Alt+letter.
    case WM_SYSKEYUP:
    case WM_SYSCHAR: return 0;
    case WM_DISPLAYCHANGE: on_display_change(nullptr); return 0;
    case WM_DPICHANGED: on_display_change(reinterpret_cast<const RECT*>(lparam)); return 0;
    // The default handling still runs: it sends WM_SIZE and WM_MOVE.
    case WM_WINDOWPOSCHANGED: on_window_moved(); break;
    case WM_CLOSE: leave_command(); return 0;
    case WM_QUERYENDSESSION: return on_query_end_session() ? TRUE : FALSE;
    case WM_ENDSESSION: on_end_session(wparam != 0); return 0;
    case WM_DESTROY:
        cleanup();
        PostQuitMessage(0);
        return 0;
    // The default handling still runs: it gives the keyboard focus back to
    // the window when a message box or dialog closes.
    case WM_ACTIVATE: on_activate(wparam); break;
    case WM_ACTIVATEAPP: on_activate_app(wparam != 0); return 0;
    case WM_DECIDE_MINIMISE: decide_minimise(); return 0;
    default: break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}
