// What the window benchmarks measure with: the performance counter in
// milliseconds, and the median of a run's samples.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

inline double now_ms() {
    LARGE_INTEGER c, f;
    QueryPerformanceCounter(&c);
    QueryPerformanceFrequency(&f);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}
