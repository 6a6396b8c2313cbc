#include "alarms/alarms_win.h"

#include "alarms/alarm_page_win.h"
#include "alarms/alarm_schedule.h"
#include "base/app_context_win.h"
#include "base/balloon_requests.h"
#include "base/event_log_win.h"
#include "base/tick_request_win.h"
#include "resources/commands.h"
#include "sound/sound_win.h"

namespace zentrava {

namespace {

// What the alarm check asks of the rest of the program, from the tick thread: sound and the
// notification window are window-thread work, sent and waited for; the balloon and the
// one-shot's saved switch are done here.
class WindowAlarmActions final : public AlarmActions {
public:
    WindowAlarmActions(HWND hwnd, const ClockTimeRecord& now) : hwnd_(hwnd), now_(now) {}

    bool AlarmSounding() override { return AlarmChannelSounding(); }
    void StopAlarmSound() override { SendCommand(kCmdStopAlarm, 0); }
    void StartAlarmSound(const std::string& file) override {
        SetChannelFile(SoundChannel::Alarm, file);
        SendCommand(kCmdStartAlarmSound, 0);
    }
    bool BalloonsSupported() override { return Context().BalloonsSupported(); }
    void RequestBalloon(const std::string& text) override {
        Balloons().Request(BalloonSource::Alarm, text);
    }
    void OpenNotification(int index) override { SendCommand(kCmdNotifyAlarm, index); }
    void SaveAlarmOn(int index) override {
        SaveAlarmOnKey(*Context().settings, index, 0);
        if constexpr (kTestHooks) {
            LogEvent("alarm-off " + std::to_string(index + 1));
        }
    }
    void OneShotSwitchedOff(int index) override { PostAlarmSwitchedOff(index, now_); }

private:
    void SendCommand(int id, LPARAM lParam) { SendTickRequest(hwnd_, id, lParam); }

    HWND hwnd_;
    ClockTimeRecord now_;
};

} // namespace

AlarmTable& Alarms() {
    static AlarmTable table;
    return table;
}

void LoadAlarmSettings() {
    LoadAlarms(*Context().settings, Alarms());
    SetChannelFile(SoundChannel::Alarm, {});
    SetChannelFile(SoundChannel::SoundTest, Alarms().testSoundFile);
}

void CheckAlarmsOnTick(HWND mainWindow, const ClockTimeRecord& now) {
    WindowAlarmActions actions(mainWindow, now);
    CheckAlarms(Alarms(), now, actions);
}

} // namespace zentrava
