#pragma once
// The time signal as the window and the tick use it: loading at creation and the three checks
// on the tick thread. The decisions are in time_signal.h.

#include "alarms/time_signal.h"
#include "clock/clock_time.h"

#include <windows.h>

namespace zentrava {

TimeSignal& TheTimeSignal();

// Creation: Time_Signal_Setting, the per-hour sounds, Time_Signal_Setting_30.
void LoadTimeSignalSettings();

// Tick thread.
void CheckHourChimeOnTick(HWND mainWindow, const Clocks& clocks);
void CheckHalfHourChimeOnTick(HWND mainWindow, const Clocks& clocks);
void CheckCustomTimeSignalsOnTick(HWND mainWindow, const Clocks& clocks);

} // namespace zentrava
