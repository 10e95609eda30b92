#include "ui/timing/timing.h"

#include <windows.h>
#include <windowsx.h>

#include <cstdlib>

// Left at 0 when there is no counter: every pause then returns at once
// instead of spinning on a scale it does not know.
float seconds_per_tick;

bool init_timing() {
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return false;
    seconds_per_tick = static_cast<float>(1.0 / static_cast<double>(frequency.QuadPart));
    return true;
}

void delay_seconds(float seconds) {
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    if (seconds <= 0.0f || seconds_per_tick <= 0.0f) return;
    do {
        QueryPerformanceCounter(&now);
    } while (static_cast<float>(now.QuadPart - start.QuadPart) * seconds_per_tick < seconds);
}

// The press that set the thread busy, when it was one: the second click
// of a double click begun there is not a click of its own.
static bool busy_press_seen;
// Message times are the tick count, which wraps: kept and subtracted
// unsigned, so that the difference is right across the wrap (a signed
// subtraction overflows once the clock passes 2^31 ms, after 24.8 days).
static DWORD busy_press_time;
static DWORD busy_press_place;

void drop_queued_input() {
    // Taken from the message that set off the wait, before the removals
    // below make another one the last retrieved.
    busy_press_seen = GetKeyState(VK_LBUTTON) < 0;
    busy_press_time = static_cast<DWORD>(GetMessageTime());
    busy_press_place = GetMessagePos();
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {}
    while (PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {}
}

bool second_click_of_busy_press() {
    if (!busy_press_seen || GetKeyState(VK_LBUTTON) >= 0) return false;
    const DWORD place = GetMessagePos();
    const int dx = GET_X_LPARAM(place) - GET_X_LPARAM(busy_press_place);
    const int dy = GET_Y_LPARAM(place) - GET_Y_LPARAM(busy_press_place);
    const DWORD since = static_cast<DWORD>(GetMessageTime()) - busy_press_time;
    if (since > GetDoubleClickTime() || 2 * std::abs(dx) > GetSystemMetrics(SM_CXDOUBLECLK) ||
        2 * std::abs(dy) > GetSystemMetrics(SM_CYDOUBLECLK))
        return false;
    busy_press_seen = false; // a third click is a click again
    return true;
}
