#include "alarms/time_signal_win.h"

#include "base/app_context_win.h"
#include "base/balloon_requests.h"
#include "base/tick_request_win.h"
#include "resources/commands.h"
#include "sound/sound_win.h"

namespace zentrava {

namespace {

// What the time signal asks of the rest of the program, from the tick thread: the sound is
// window-thread work, sent and waited for; the balloon is only requested.
class WindowTimeSignalActions final : public TimeSignalActions {
public:
    explicit WindowTimeSignalActions(HWND hwnd) : hwnd_(hwnd) {}

    bool TimeSignalSounding() override { return Channels().IsSounding(SoundChannel::TimeSignal); }
    void StopTimeSignalSound() override { SendCommand(kCmdStopTimeSignalSound); }
    void StartTimeSignalSound(const std::string& path) override {
        SetChannelFile(SoundChannel::TimeSignal, path);
        SendCommand(kCmdStartTimeSignalSound);
    }
    bool BalloonsSupported() override { return Context().BalloonsSupported(); }
    void RequestBalloon(const std::string& text) override {
        Balloons().Request(BalloonSource::TimeSignal, text);
    }

private:
    void SendCommand(int id) { SendTickRequest(hwnd_, id); }

    HWND hwnd_;
};

} // namespace

TimeSignal& TheTimeSignal() {
    static TimeSignal signal;
    return signal;
}

void LoadTimeSignalSettings() {
    const SettingsStore& store = *Context().settings;
    LoadTimeSignal(store, TheTimeSignal());
    LoadPerHourSounds(store, TheTimeSignal());
    LoadPerHalfHourSounds(store, TheTimeSignal());
}

void CheckHourChimeOnTick(HWND mainWindow, const Clocks& clocks) {
    WindowTimeSignalActions actions(mainWindow);
    CheckHourChime(TheTimeSignal(), TheTimeSignal().lockout, clocks, actions);
}

void CheckHalfHourChimeOnTick(HWND mainWindow, const Clocks& clocks) {
    WindowTimeSignalActions actions(mainWindow);
    CheckHalfHourChime(TheTimeSignal(), TheTimeSignal().lockout, clocks, actions);
}

void CheckCustomTimeSignalsOnTick(HWND mainWindow, const Clocks& clocks) {
    WindowTimeSignalActions actions(mainWindow);
    CheckCustomTimeSignals(TheTimeSignal(), TheTimeSignal().lockout, clocks, actions);
}

} // namespace zentrava
