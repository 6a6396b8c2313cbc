#pragma once
// The platform's clocks, and the one door through which the program may set the computer's
// clock. The setter is injected: the test build records the request instead of setting it.

#include "clock/clock_keeper.h"

#include <windows.h>

namespace zentrava {

DateTime ToDateTime(const SYSTEMTIME& st);
SYSTEMTIME ToSystemTime(const DateTime& t);

// QueryPerformanceCounter in 100 ns units.
MonotonicTime MonotonicNow();

using SystemClockSetter = bool (*)(const SYSTEMTIME& localTime);
// Replaces the setter; returns the previous one.
SystemClockSetter InstallSystemClockSetter(SystemClockSetter setter);
// Asks the installed setter to set the computer's clock to this local time.
bool RequestSystemClock(const SYSTEMTIME& localTime);

} // namespace zentrava
