#pragma once
// Command ids of the main clock window: the menus' items and the internal requests that other
// threads and features send with WM_COMMAND. The numbers live once, in the resource header
// that the menus are compiled from.

#include "resources/resource.h"

namespace zentrava {

enum Command : int {
    kCmdAbout = ID_CMD_ABOUT,
    kCmdExit = ID_CMD_EXIT,
    kCmdResetPlacement = ID_CMD_RESET_PLACEMENT,
    kCmdTopmost = ID_CMD_TOPMOST,
    kCmdApplyTransparency = ID_CMD_APPLY_TRANSPARENCY,
    kCmdToggleAlarms = ID_CMD_TOGGLE_ALARMS,
    kCmdStartAlarmSound = ID_CMD_START_ALARM_SOUND,
    kCmdStopAlarm = ID_CMD_STOP_ALARM,
    kCmdDateTimeSheet = ID_CMD_DATE_TIME_SHEET,
    kCmdIconise = ID_CMD_ICONISE,
    kCmdShowHide = ID_CMD_SHOW_HIDE,
    kCmdSoundTest = ID_CMD_SOUND_TEST,
    kCmdSoundTestPause = ID_CMD_SOUND_TEST_PAUSE,
    kCmdPlayAudio = ID_CMD_PLAY_AUDIO,
    kCmdStopAudio = ID_CMD_STOP_AUDIO,
    kCmdPauseAudio = ID_CMD_PAUSE_AUDIO,
    kCmdGeneralSettings = ID_CMD_GENERAL_SETTINGS,
    kCmdSettingsSheet = ID_CMD_SETTINGS_SHEET,
    kCmdStartTimeSignalSound = ID_CMD_START_TIME_SIGNAL_SOUND,
    kCmdStopTimeSignalSound = ID_CMD_STOP_TIME_SIGNAL_SOUND,
    kCmdNoodle3 = ID_CMD_NOODLE_3,
    kCmdNoodle4 = ID_CMD_NOODLE_4,
    kCmdNoodle5 = ID_CMD_NOODLE_5,
    kCmdNoodleCancel = ID_CMD_NOODLE_CANCEL,
    kCmdApplyLayer = ID_CMD_APPLY_LAYER,
    kCmdApplyOpaqueLayer = ID_CMD_APPLY_OPAQUE_LAYER,
    kCmdSeekDialog = ID_CMD_SEEK_DIALOG,
    kCmdSeekAudio = ID_CMD_SEEK_AUDIO,
    kCmdNotifyAlarm = ID_CMD_NOTIFY_ALARM,
    kCmdVolumeDialog = ID_CMD_VOLUME_DIALOG,
    kCmdQuickTimer = ID_CMD_QUICK_TIMER,
    kCmdIntervalAlarm = ID_CMD_INTERVAL_ALARM,
    kCmdCornerTopRight = ID_CMD_CORNER_TOP_RIGHT,
    kCmdCornerBottomRight = ID_CMD_CORNER_BOTTOM_RIGHT,
    kCmdCornerTopLeft = ID_CMD_CORNER_TOP_LEFT,
    kCmdCornerBottomLeft = ID_CMD_CORNER_BOTTOM_LEFT,
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
