#pragma once
// The main clock window: its window procedure, its creation and destruction sequences.

#include "clock/clock_keeper.h"

#include <windows.h>

namespace zentrava {

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Reloads the clock records from the system clock (GetLocalTime).
void LoadClocksFromSystem(const char* reason);
// Loads the clock records with `t`, the time at the monotonic instant `now`.
void LoadClocksAt(const DateTime& t, MonotonicTime now, const char* reason);

} // namespace zentrava
