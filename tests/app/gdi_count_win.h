#pragma once
// Counts a process's live GDI objects, for leak tests.

#include <windows.h>

namespace zentrava {

// -1 when there is no way to count here.
long LiveGdiObjectsOf(HANDLE process);
inline long LiveGdiObjects() {
    return LiveGdiObjectsOf(GetCurrentProcess());
}
// The fewest seen over about 0.6 s: a running clock holds a few objects for a moment as it
// paints, and only what stays is a leak.
long SettledGdiObjectsOf(HANDLE process);

} // namespace zentrava
