#pragma once
// Time synchronisation as the main window and the time-server page use it: the settings
// loaded at creation, the start-up, resume and retry updates, the tick's schedule check, the
// worker's results, and loading the program's clocks from a server's time.

#include "base/settings_store.h"
#include "clock/clock_keeper.h"
#include "clock/clock_time.h"
#include "timesync/ntp_settings.h"
#include "timesync/ntp_worker_win.h"

#include <windows.h>

#include <cstdint>

namespace zentrava {

NtpSync& TheNtpSync();

// WM_CREATE.
void LoadNtpSettingsAtCreate(const SettingsStore& store);
// WM_CREATE and resume, with NTPStartUpTimeAdjust = 1 (checked here); and timer 8193.
void RunNtpStartUpUpdate(HWND main);
void OnNtpRetryTimer(HWND main);
// Tick thread, every whole minute.
void CheckNtpScheduleOnTick(HWND main, const Clocks& clocks);
// Tick thread, every whole second: a scheduled query waiting for its second.
void StartWaitingNtpQueryOnTick(HWND main, const Clocks& clocks);
// kNtpResultMessage.
void OnNtpResult(HWND main);
// The program's clocks from a server's time: the corrected time moved on by the monotonic time
// since the answer arrived, then one more tick when asked.
void LoadClocksFromNtp(const NtpQueryOutcome& outcome, bool advanceOneTick);
// Before the window goes: a query in flight ends first.
void StopNtp(HWND main);

} // namespace zentrava
