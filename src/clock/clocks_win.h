#pragma once
// The program's clock records and the loads that set them, on the window thread: at start-up,
// on a time change, after resume, from a time-server answer and from the test hooks.

#include "clock/clock_keeper.h"

namespace zentrava {

ClockKeeper& TheClocks();

// Loads the clock records with `t`, the time at the monotonic instant `now`.
void LoadClocksAt(const DateTime& t, MonotonicTime now, const char* reason);
// Reloads the clock records from the system clock (GetLocalTime).
void LoadClocksFromSystem(const char* reason);

// Called on the window thread after every load, whatever its reason: what shows the time
// outside the face (the tray's tooltip and clock icon) follows at once, not at the next minute.
using ClockLoadListener = void (*)();
void SetClockLoadListener(ClockLoadListener listener);

} // namespace zentrava
