#pragma once
// The Wine benchmarks' clock: the performance counter in milliseconds.

#include <windows.h>

inline double NowMs() {
    LARGE_INTEGER f;
    LARGE_INTEGER c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}
