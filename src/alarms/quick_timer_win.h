#pragma once
// The quick timer as the program drives it: loaded at creation, counted down by the tick,
// preset by the test build. Its window is quick_timer_window_win.h; the decisions are in
// quick_timer.h.

#include "alarms/quick_timer.h"
#include "base/settings_store.h"
#include "clock/clock_time.h"

#include <windows.h>

#include <cstdint>

namespace zentrava {

QuickTimer& TheQuickTimer();

// Creation: the two files, a file that is gone read as none.
void LoadQuickTimerSettings(const SettingsStore& store);

// Tick thread, on every step while the timer runs: one 50 ms step; when the time is up, the
// sound on the alarm channel, the message and the notification window (sent to `mainWindow`
// and waited for), then the open window is told to show the stopped state.
void CheckQuickTimerOnTick(HWND mainWindow, const ClockTimeRecord& now);
// Tick thread: the clocks jumped over a stall of `ticks` steps.
void SkipQuickTimerOnTick(HWND mainWindow, std::int64_t ticks, const ClockTimeRecord& now);

// Window thread (the test build's hook): the time as if set with the buttons.
void PresetQuickTimer(int seconds);

} // namespace zentrava
