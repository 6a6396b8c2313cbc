#pragma once
// Command ids of the main clock window: the menus' items and the internal requests that other
// threads and features send with WM_COMMAND.

namespace zentrava {

enum Command : int {
    kCmdAbout = 40002,
    kCmdExit = 40004,
    kCmdResetPlacement = 40009,
    kCmdTopmost = 40010,
    kCmdApplyTransparency = 40014,
    kCmdToggleAlarms = 40025,
    kCmdStartAlarmSound = 40029,
    kCmdStopAlarm = 40030,
    kCmdDateTimeSheet = 40031,
    kCmdIconise = 40033,
    kCmdShowHide = 40034,
    kCmdSoundTest = 40035,
    kCmdSoundTestPause = 40036,
    kCmdPlayAudio = 40042,
    kCmdStopAudio = 40044,
    kCmdPauseAudio = 40045,
    kCmdGeneralSettings = 40048,
    kCmdSettingsSheet = 40049,
    kCmdStartTimeSignalSound = 40050,
    kCmdStopTimeSignalSound = 40051,
    kCmdNoodle3 = 40053,
    kCmdNoodle4 = 40054,
    kCmdNoodle5 = 40055,
    kCmdNoodleCancel = 40056,
    kCmdApplyLayer = 40060,
    kCmdApplyOpaqueLayer = 40061,
    kCmdSeekDialog = 40062,
    kCmdSeekAudio = 40063,
    kCmdNotifyAlarm = 40066,
    kCmdVolumeDialog = 40067,
    kCmdQuickTimer = 40077,
    kCmdIntervalAlarm = 40078,
    kCmdCornerTopRight = 40079,
    kCmdCornerBottomRight = 40080,
    kCmdCornerTopLeft = 40081,
    kCmdCornerBottomLeft = 40082,
};

// Window timers of the main clock window.
enum WindowTimer : unsigned {
    kTimerTrayRetry = 256,
    kTimerProximity = 2048,
    kTimerTopmost = 4096,
    kTimerTooltipHide = 8192,
    kTimerTimeServerRetry = 8193,
    kTimerIntervalAlarm = 16384,
};

} // namespace zentrava
