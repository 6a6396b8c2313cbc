#pragma once
// The platform's clocks, and the one door through which the program may set the computer's
// clock. The setter is injected: the test build records the request instead of setting it.

#include "clock/clock_keeper.h"

#include <windows.h>

#include <cstdint>
#include <string>

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

// Local calendar time now: GetLocalTime, or the simulated local time while the test build's soak
// runs ahead.
DateTime LocalTimeNow();

// Test build, soak: how far the process's world runs ahead of the real one, in 100 ns. Both
// time sources above add it, so the tick, the time-server exchange and local dates (summer time
// included) see one consistent, faster world. Always 0 in the shipped program.
std::int64_t SimulatedLead();
void AdvanceSimulatedLead(std::int64_t ticks);
// Where the lead is written before each time-server query (empty: nowhere), so that the loopback
// server can answer with the simulated time and a sync does not pull the clock back.
void SetSimulatedLeadFile(const std::string& path);
void PublishSimulatedLead();

using SystemClockSetter = bool (*)(const SYSTEMTIME& localTime);
// Replaces the setter; returns the previous one.
SystemClockSetter InstallSystemClockSetter(SystemClockSetter setter);
// Asks the installed setter to set the computer's clock to this local time.
bool RequestSystemClock(const SYSTEMTIME& localTime);

} // namespace zentrava
