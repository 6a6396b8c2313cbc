#pragma once
// The interval alarm and the noodle timer as the window and the tick use them: the interval's
// window timer and its firing, the second-0 start the tick asks for, the menu's commands and
// the noodle countdown on the tick. The decisions are in interval_alarm.h and noodle_timer.h.

#include "alarms/interval_alarm.h"
#include "alarms/noodle_timer.h"

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace zentrava {

IntervalAlarm& TheIntervalAlarm();
NoodleTimer& TheNoodleTimer();

// The tray's balloon shown at once (the pending balloons wait for the tick). The tray belongs
// to the wiring, which fills this in before the tick starts.
using ImmediateBalloon = bool (*)(HWND window, std::string_view title, std::string_view text);
void SetImmediateBalloon(ImmediateBalloon show);

// Posted by the tick to the main window: a second-0 interval should start now.
inline constexpr UINT kIntervalStartMessage = WM_APP + 8;

// Window thread.
// Creation: the section; nothing has started yet.
void LoadIntervalAlarm();
// End of creation: outside second-0 mode the interval starts at once.
void StartIntervalAlarmAtCreation(HWND mainWindow);
// The timer (re)started from now with the interval as it is, or stopped when the alarm is off
// or its interval is 0.
void RestartIntervalTimer(HWND mainWindow);
// kIntervalStartMessage: starts the timer if the alarm still wants its second-0 start.
void OnIntervalStartRequest(HWND mainWindow);
// 40078: the switch flipped, the timer following it, IntervalAlarmOn written at once.
void ToggleIntervalAlarm(HWND mainWindow);
// The page's apply and its cancel: the record goes live and the interval starts from now.
void CommitIntervalAlarm(HWND mainWindow, const IntervalAlarmSettings& settings);
// 40053-40056.
void StartNoodleTimer(int seconds, int minutes, int selection);
void CancelNoodleTimer();
// Test build: the running noodle timer's remaining seconds.
bool PresetNoodleTimer(int seconds);

// Tick thread.
bool IntervalAlarmStartedOnTick();
// Marks the start and asks the window thread for it.
void RequestIntervalStartOnTick(HWND mainWindow);
void CountNoodleSecondOnTick(HWND mainWindow);
void SkipNoodleOnTick(HWND mainWindow, std::int64_t ticks);

} // namespace zentrava
