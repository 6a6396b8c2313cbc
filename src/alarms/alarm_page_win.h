#pragma once
// The "アラーム設定(1～20)" page of the settings sheet: the twenty alarms in a tree, the shown
// alarm's fields beside it, and the sound test.

#include "alarms/alarm_table.h"
#include "clock/clock_time.h"
#include "dialogs/settings_sheet_win.h"

#include <windows.h>

#include <memory>

namespace zentrava {

// What the page needs from the program's wiring: the window that runs the sound test
// (kCmdSoundTest, kCmdSoundTestPause) and whether a test sound plays.
struct AlarmPageHooks {
    HWND soundTestWindow = nullptr;
    bool (*soundTestSounding)() = nullptr;
    // The page registers itself to hear that a test sound ended by itself (null: unregister).
    void (*setSoundTestPage)(HWND page) = nullptr;
};

std::unique_ptr<SheetPage> CreateAlarmPage(const AlarmPageHooks& hooks);

// Posted to the page when a test sound ended by itself: its buttons go back to "not playing".
inline constexpr UINT kAlarmPageSoundTestEnded = WM_APP + 3;

// Tick thread: a fired one-shot alarm was switched off. Reaches the open page, if any, as a
// posted message, so the page's copies and controls change only on its own thread.
void PostAlarmSwitchedOff(int index, const ClockTimeRecord& firedAt);

} // namespace zentrava
