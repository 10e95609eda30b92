#include "ui/timing/timing.h"

#include <windows.h>

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
