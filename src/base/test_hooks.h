#pragma once
// The test build (Zentrava_test.exe) answers these WM_COPYDATA requests; the shipped program
// ignores them. The payload follows each code.

#include <cstdint>

namespace zentrava::hooks {

// A SYSTEMTIME (16 bytes): load the program's clocks with it, as a time change would.
inline constexpr std::uint32_t kLoadClocks = 0x5A4C4F44; // 'ZLOD'
// A NUL-terminated path: write the four clock records there as text, one line each:
// "<name> Year Month Day DaysInMonth DayOfWeek Millisecond Second MinuteTicks Minute
//  HourTicks Hour HalfDayTicks DayTicks MillisecondStep", then "HalfSecondFlag <n>" and
// "WorldSummerActive <n1> <n2>".
inline constexpr std::uint32_t kReadClocks = 0x5A524443; // 'ZRDC'
// A NUL-terminated path: save the back buffer there as a 24-bit BMP.
inline constexpr std::uint32_t kSaveBackBuffer = 0x5A424D50; // 'ZBMP'
// A SYSTEMTIME: ask the injected system-clock setter to set the computer's clock (the test
// build only records the request).
inline constexpr std::uint32_t kSetSystemClock = 0x5A53434C; // 'ZSCL'

// Text "<K> [path]", the soak: each 50 ms timer callback runs K clock ticks more than the real
// time owes, in steps of at most a second, each with all its duties, and the process's time
// sources run ahead by as much (the lead; kReadClocks adds "SimulatedLead <n>" in 100 ns).
// K 0 stops it, keeping the lead. The lead stands still while a time-server query is in flight and
// is written to the path before each query. Per-tick event-log lines are not written meanwhile.
inline constexpr std::uint32_t kSoak = 0x5A534F4B; // 'ZSOK'

// A NUL-terminated path: write there what the process counts of itself, one line each:
// "handles <n>" (kernel handles), "keys <n>" (of those, registry keys) and "private <n>"
// (private bytes), -1 where it cannot tell.
inline constexpr std::uint32_t kReadProcessCounts = 0x5A505243; // 'ZPRC'

// NUL-terminated lines "<source> <text>" (source 0 alarm, 1 time signal, 2 time update): balloon
// requests that the next tick makes on its own thread, as schedulers due on one tick would.
inline constexpr std::uint32_t kRequestBalloons = 0x5A424C4E; // 'ZBLN'

// An int32 of seconds, so no test waits minutes: what the running noodle timer has left (answers
// 0 when none runs), or the quick timer's time as if set with its buttons (stopped or running).
inline constexpr std::uint32_t kPresetNoodleTimer = 0x5A4E444C; // 'ZNDL'
inline constexpr std::uint32_t kPresetQuickTimer = 0x5A51544D;  // 'ZQTM'

// An int32 command id: how the context and tray menus would show that item now, from the same
// inputs the menus use: 1, plus 2 when enabled, plus 4 when checked; 0 for an item no rule
// decides.
inline constexpr std::uint32_t kMenuItemState = 0x5A4D4E55; // 'ZMNU'

// Text "<control id> <path>": write there the tooltip text the open general settings dialog
// answers for that control, asked as its tooltip asks; answers 0 when no such dialog is open or
// the answer ran over the notification's own fields.
inline constexpr std::uint32_t kGeneralSettingsTip = 0x5A475354; // 'ZGST'

// Text "<n>": open the general settings dialog n times, each answered with Cancel as its window
// is made, so it is built, filled, restored and freed but never mapped (a shown dialog costs two
// seconds to close under Wine without a window manager).
inline constexpr std::uint32_t kGeneralSettingsOpenings = 0x5A47534F; // 'ZGSO'

// The event log lives beside the settings file: its path with ".ini" replaced by this.
inline constexpr const char* kEventLogSuffix = "_events.log";

} // namespace zentrava::hooks
