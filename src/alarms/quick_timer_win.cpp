#include "alarms/quick_timer_win.h"

#include "alarms/alarms_win.h"
#include "alarms/notification_layout.h"
#include "alarms/quick_timer_window_win.h"
#include "base/event_log_win.h"
#include "base/tick_request_win.h"
#include "resources/commands.h"
#include "sound/sound_win.h"

namespace zentrava {
namespace {

// Decided under the timer's lock, carried out here with nothing held: the tick waits in
// SendMessageA for the window thread, which may want the lock for a button meanwhile.
void Act(HWND mainWindow, const QuickTimerStep& step, const ClockTimeRecord& now) {
    if (step.secondChanged || step.fired) {
        InvalidateQuickTimerDisplay();
    }
    if (!step.fired) {
        return;
    }
    if constexpr (kTestHooks) {
        LogEvent("quicktimer-up " + FormatLogTime(LocalDateTime(now)));
    }
    const QuickTimerFiles files = TheQuickTimer().Files();
    SetChannelFile(SoundChannel::Alarm, files.SoundFile);
    if (!files.SoundFile.empty()) {
        if (AlarmChannelSounding()) {
            SendTickRequest(mainWindow, kCmdStopAlarm);
        }
        SendTickRequest(mainWindow, kCmdStartAlarmSound);
    }
    Alarms().SetMessage(kQuickTimerMessage);
    SendTickRequest(mainWindow, kCmdNotifyAlarm, kQuickTimerNotification);
    PostQuickTimerRanOut();
}

} // namespace

QuickTimer& TheQuickTimer() {
    static QuickTimer timer;
    return timer;
}

void LoadQuickTimerSettings(const SettingsStore& store) {
    TheQuickTimer().CommitFiles(LoadQuickTimerFiles(store));
}

void CheckQuickTimerOnTick(HWND mainWindow, const ClockTimeRecord& now) {
    Act(mainWindow, TheQuickTimer().Step(), now);
}

void SkipQuickTimerOnTick(HWND mainWindow, std::int64_t ticks, const ClockTimeRecord& now) {
    Act(mainWindow, TheQuickTimer().Skip(ticks), now);
}

void PresetQuickTimer(int seconds) {
    TheQuickTimer().Preset(seconds);
    InvalidateQuickTimerDisplay();
}

} // namespace zentrava
