#pragma once
// Counts a process's live GDI objects, for leak tests.

#include <windows.h>

namespace zentrava {

// -1 when there is no way to count here.
long LiveGdiObjectsOf(HANDLE process);
inline long LiveGdiObjects() {
    return LiveGdiObjectsOf(GetCurrentProcess());
}

} // namespace zentrava
