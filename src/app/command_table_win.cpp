#include "app/command_table_win.h"

#include "alarms/alarms_win.h"
#include "alarms/interval_alarm_win.h"
#include "alarms/notification_window_win.h"
#include "alarms/quick_timer_window_win.h"
#include "app/app_win.h"
#include "app/general_settings_win.h"
#include "app/sheets_win.h"
#include "app/tray_win.h"
#include "app/window_behaviour_win.h"
#include "base/event_log_win.h"
#include "dialogs/version_dialog_win.h"
#include "resources/commands.h"
#include "sound/audio_player_win.h"
#include "sound/seek_dialog_win.h"
#include "sound/sound_win.h"
#include "sound/volume_dialog_win.h"

#include <string>

namespace zentrava {

namespace {

// Modal dialogs and property sheets gray the menu items that open them while they are open.
template <typename Open>
LRESULT RunModal(Open open) {
    App& app = TheApp();
    app.modalDialog = 1;
    const LRESULT result = open();
    app.modalDialog = 0;
    return result;
}

LRESULT OnVersionDialog(HWND hwnd) {
    RunVersionDialog(hwnd);
    return 1;
}
LRESULT OnPlayAudio(HWND hwnd) {
    return PlayAudio(hwnd);
}
LRESULT OnGeneralSettings(HWND hwnd) {
    RunGeneralSettings(hwnd);
    return 1;
}
LRESULT OnStartNoodleTimer(HWND, int seconds, int minutes, int selection) {
    StartNoodleTimer(seconds, minutes, selection);
    return 1;
}
LRESULT OnStopNoodleTimer(HWND) {
    CancelNoodleTimer();
    return 1;
}
LRESULT OnSeekDialog(HWND hwnd) {
    OpenSeekDialog(hwnd);
    return 1;
}
LRESULT OnNotifyAlarm(HWND hwnd, LPARAM alarmIndex) {
    OpenNotificationWindow(hwnd, alarmIndex);
    return 1;
}
LRESULT OnVolumeDialog(HWND hwnd) {
    OpenVolumeDialog(hwnd);
    return 1;
}
LRESULT OnQuickTimer(HWND hwnd) {
    OpenQuickTimerWindow(hwnd);
    return 1;
}
LRESULT OnIntervalAlarm(HWND hwnd) {
    ToggleIntervalAlarm(hwnd);
    return 1;
}

LRESULT OnDateTimeSheet(HWND hwnd) {
    OpenDateTimeSheet(hwnd);
    return 1;
}

LRESULT OnSettingsSheet(HWND hwnd) {
    ClearSoundTestPage();
    OpenSettingsSheet(hwnd);
    return 1;
}

void SetTopmost(HWND hwnd, bool topmost) {
    SetWindowPos(hwnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

// With the proximity behaviour on, the behaviour decides whether the clock is seen now.
void ShowClock(HWND hwnd) {
    const App& app = TheApp();
    SetWindowShown(1);
    if (app.behaviour.WindowHideSetting != 1) {
        ShowWindow(hwnd, SW_SHOWNA);
    }
    SendMessageA(hwnd, WM_COMMAND, kCmdTopmost, app.behaviour.WindowTopMost);
    if (app.behaviour.WindowHideSetting == 1) {
        RestartProximity();
        RunProximityCheck(hwnd);
    }
}

} // namespace

void ToggleClockShown(HWND hwnd) {
    if (TheApp().position.WindowDispOn == 0) {
        ShowClock(hwnd);
    } else {
        SetWindowShown(0);
        ShowWindow(hwnd, SW_HIDE);
    }
}

LRESULT DispatchCommand(HWND hwnd, int id, LPARAM lParam) {
    if constexpr (kTestHooks) {
        LogEvent("command " + std::to_string(id) + " " + std::to_string(lParam));
    }
    if (LRESULT result = 0; DispatchSoundCommand(hwnd, id, lParam, result)) {
        return result;
    }
    switch (id) {
    case kCmdAbout:
        return RunModal([hwnd] { return OnVersionDialog(hwnd); });
    case kCmdExit:
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
        return 1;
    case kCmdResetPlacement:
        // The reset says the clock is shown; so must the screen.
        ResetPlacement(hwnd);
        ShowClock(hwnd);
        return 1;
    case kCmdTopmost:
        SetTopmost(hwnd, lParam != 0);
        return 1;
    case kCmdApplyTransparency:
        ApplyTransparency(hwnd);
        return 1;
    case kCmdToggleAlarms:
        ToggleAlarmsArmed(Alarms());
        return 1;
    case kCmdDateTimeSheet:
        return RunModal([hwnd] { return OnDateTimeSheet(hwnd); });
    case kCmdIconise:
        IconiseToTray(hwnd);
        return 1;
    case kCmdShowHide:
        ToggleClockShown(hwnd);
        return 1;
    case kCmdPlayAudio:
        return OnPlayAudio(hwnd);
    case kCmdGeneralSettings:
        return RunModal([hwnd] { return OnGeneralSettings(hwnd); });
    case kCmdSettingsSheet:
        return RunModal([hwnd] { return OnSettingsSheet(hwnd); });
    case kCmdNoodle3:
        return OnStartNoodleTimer(hwnd, 180, 3, 0);
    case kCmdNoodle4:
        return OnStartNoodleTimer(hwnd, 240, 4, 1);
    case kCmdNoodle5:
        return OnStartNoodleTimer(hwnd, 300, 5, 2);
    case kCmdNoodleCancel:
        return OnStopNoodleTimer(hwnd);
    case kCmdApplyLayer:
        ApplyLayering(hwnd, false);
        return 1;
    case kCmdApplyOpaqueLayer:
        ApplyLayering(hwnd, true);
        return 1;
    case kCmdSeekDialog:
        return RunModal([hwnd] { return OnSeekDialog(hwnd); });
    case kCmdNotifyAlarm:
        return OnNotifyAlarm(hwnd, lParam);
    case kCmdVolumeDialog:
        return RunModal([hwnd] { return OnVolumeDialog(hwnd); });
    case kCmdQuickTimer:
        return OnQuickTimer(hwnd);
    case kCmdIntervalAlarm:
        return OnIntervalAlarm(hwnd);
    case kCmdCornerTopRight:
    case kCmdCornerBottomRight:
    case kCmdCornerTopLeft:
    case kCmdCornerBottomLeft:
        MoveToCorner(hwnd, id);
        return 1;
    default:
        return 1;
    }
}

} // namespace zentrava
