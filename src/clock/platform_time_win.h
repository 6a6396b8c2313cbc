#pragma once
// The platform's clocks, and the one door through which the program may set the computer's
// clock. The setter is injected: the test build records the request instead of setting it.

#include "clock/clock_keeper.h"

#include <windows.h>

#include <cstdint>

namespace zentrava {

DateTime ToDateTime(const SYSTEMTIME& st);
SYSTEMTIME ToSystemTime(const DateTime& t);

// QueryPerformanceCounter in 100 ns units.
MonotonicTime MonotonicNow();

// A FILETIME as a count of 100 ns since 1601 UTC (the file-time scale of clock/calendar.h).
std::int64_t FileTicks(const FILETIME& time);
// The system's UTC time on that scale, read whole in one call at the best resolution the system
// has (GetSystemTimePreciseAsFileTime where it exists).
std::int64_t SystemFileTicksNow();
// A UTC instant on that scale as local calendar time.
DateTime UtcTicksToLocal(std::int64_t fileTicks);

using SystemClockSetter = bool (*)(const SYSTEMTIME& localTime);
// Replaces the setter; returns the previous one.
SystemClockSetter InstallSystemClockSetter(SystemClockSetter setter);
// Asks the installed setter to set the computer's clock to this local time.
bool RequestSystemClock(const SYSTEMTIME& localTime);

} // namespace zentrava
