#include "alarms/interval_alarm_win.h"

#include "alarms/alarms_win.h"
#include "base/app_context_win.h"
#include "base/event_log_win.h"
#include "base/tick_request_win.h"
#include "clock/clocks_win.h"
#include "resources/commands.h"
#include "sound/sound_win.h"

#include <atomic>
#include <string>

namespace zentrava {

namespace {

struct IntervalWindowState {
    // Window thread: a firing is inside its sound start. A failing start shows an MCI box whose
    // modal loop dispatches the next WM_TIMER; a short interval would nest box in box.
    bool firing = false;
    std::atomic<ImmediateBalloon> balloon{nullptr};
};

IntervalWindowState& State() {
    static IntervalWindowState state;
    return state;
}

ClockTimeRecord LocalNow() {
    return TheClocks().Read().LocalClock;
}

void Log(const char* what, const ClockTimeRecord& now) {
    if constexpr (kTestHooks) {
        LogEvent(std::string(what) + " " + FormatLogTime(LocalDateTime(now)));
    }
}

void ShowBalloonAtOnce(HWND hwnd, std::string_view title, const std::string& text) {
    if (const ImmediateBalloon show = State().balloon.load()) {
        show(hwnd, title, text);
    }
}

void CALLBACK OnIntervalTimer(HWND hwnd, UINT, UINT_PTR, DWORD) {
    IntervalWindowState& state = State();
    if (state.firing) {
        return;
    }
    state.firing = true;
    const ClockTimeRecord now = LocalNow();
    Log("interval-fire", now);
    const IntervalFiring f = TheIntervalAlarm().Decide([](const IntervalAlarmSettings& s) {
        return DecideIntervalFiring(s, Context().BalloonsSupported());
    });
    if (!f.sound.empty()) {
        if (AlarmChannelSounding()) {
            SendMessageA(hwnd, WM_COMMAND, kCmdStopAlarm, 0);
        }
        SetChannelFile(SoundChannel::Alarm, f.sound);
        SendMessageA(hwnd, WM_COMMAND, kCmdStartAlarmSound, 0);
    }
    if (!f.balloonText.empty()) {
        Alarms().SetMessage(f.balloonText);
        ShowBalloonAtOnce(hwnd, kIntervalBalloonTitle, f.balloonText);
    }
    if (f.waitForSecondZero) {
        KillTimer(hwnd, kTimerIntervalAlarm);
        TheIntervalAlarm().ClearStarted();
    } else {
        TheIntervalAlarm().SetStartTime(LocalNow());
    }
    state.firing = false;
}

} // namespace

IntervalAlarm& TheIntervalAlarm() {
    static IntervalAlarm alarm;
    return alarm;
}

NoodleTimer& TheNoodleTimer() {
    static NoodleTimer timer;
    return timer;
}

void SetImmediateBalloon(ImmediateBalloon show) {
    State().balloon.store(show);
}

void LoadIntervalAlarm() {
    TheIntervalAlarm().Commit(LoadIntervalAlarmSettings(*Context().settings));
    TheIntervalAlarm().ClearStarted();
}

void StartIntervalAlarmAtCreation(HWND mainWindow) {
    TheIntervalAlarm().ClearStarted();
    if (TheIntervalAlarm().Just0Second() == 0) {
        RestartIntervalTimer(mainWindow);
    }
}

void RestartIntervalTimer(HWND mainWindow) {
    IntervalAlarm& alarm = TheIntervalAlarm();
    const int seconds = alarm.Seconds();
    if (!IntervalMayRun(alarm.On(), seconds)) {
        KillTimer(mainWindow, kTimerIntervalAlarm);
        alarm.ClearStarted();
        return;
    }
    KillTimer(mainWindow, kTimerIntervalAlarm);
    const ClockTimeRecord now = LocalNow();
    alarm.SetStartTime(now);
    // At most 24:59:59, so the period in milliseconds fits.
    SetTimer(mainWindow, kTimerIntervalAlarm, static_cast<UINT>(seconds) * 1000U, &OnIntervalTimer);
    Log("interval-start", now);
}

void OnIntervalStartRequest(HWND mainWindow) {
    // The switch or the page may have changed since the tick asked; both clear the mark.
    const IntervalAlarm& alarm = TheIntervalAlarm();
    if (alarm.Started() && alarm.On() == 1 && alarm.Just0Second() == 1) {
        RestartIntervalTimer(mainWindow);
    }
}

void ToggleIntervalAlarm(HWND mainWindow) {
    IntervalAlarm& alarm = TheIntervalAlarm();
    alarm.ClearStarted();
    const int on = alarm.Toggle();
    RestartIntervalTimer(mainWindow);
    SaveIntervalAlarmOn(*Context().settings, on);
}

void CommitIntervalAlarm(HWND mainWindow, const IntervalAlarmSettings& settings) {
    TheIntervalAlarm().Commit(settings);
    TheIntervalAlarm().ClearStarted();
    RestartIntervalTimer(mainWindow);
}

void StartNoodleTimer(int seconds, int minutes, int selection) {
    TheNoodleTimer().Start(seconds, minutes, selection);
}

void CancelNoodleTimer() {
    TheNoodleTimer().Cancel();
}

bool PresetNoodleTimer(int seconds) {
    return TheNoodleTimer().Preset(seconds);
}

bool IntervalAlarmStartedOnTick() {
    return TheIntervalAlarm().Started();
}

void RequestIntervalStartOnTick(HWND mainWindow) {
    // Posted, not sent: the window starts its own timer; the tick need not wait for it.
    if (TheIntervalAlarm().MarkStarted()) {
        PostMessageA(mainWindow, kIntervalStartMessage, 0, 0);
    }
}

namespace {

void RingNoodle(HWND mainWindow, const NoodleFiring& fired) {
    if (!fired.fired) {
        return;
    }
    Log("noodle-fire", LocalNow());
    // Copied under the settings' lock: the page may be replacing it on the window thread.
    const std::string sound = TheIntervalAlarm().Decide(
        [](const IntervalAlarmSettings& s) { return s.NoodleTimerSoundFile; });
    if (!sound.empty()) {
        if (AlarmChannelSounding()) {
            SendTickRequest(mainWindow, kCmdStopAlarm);
        }
        SetChannelFile(SoundChannel::Alarm, sound);
        SendTickRequest(mainWindow, kCmdStartAlarmSound);
    }
    ShowBalloonAtOnce(mainWindow, kNoodleBalloonTitle, NoodleBalloonText(fired.minutes));
}

} // namespace

void CountNoodleSecondOnTick(HWND mainWindow) {
    RingNoodle(mainWindow, TheNoodleTimer().CountSecond());
}

void SkipNoodleOnTick(HWND mainWindow, std::int64_t ticks) {
    RingNoodle(mainWindow, TheNoodleTimer().Skip(ticks));
}

} // namespace zentrava
