#pragma once
// The alarm table as the window and the tick use it: loading at creation and the once-a-minute
// check on the tick thread. The decisions are in alarm_schedule.h.

#include "alarms/alarm_table.h"
#include "clock/clock_time.h"

#include <windows.h>

namespace zentrava {

AlarmTable& Alarms();

// Creation: the table and the test sound file.
void LoadAlarmSettings();
// Tick thread, on the tick whose MinuteTicks is 0.
void CheckAlarmsOnTick(HWND mainWindow, const ClockTimeRecord& now);

} // namespace zentrava
