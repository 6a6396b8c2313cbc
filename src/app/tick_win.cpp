#include "app/tick_win.h"

#include "alarms/alarms_win.h"
#include "alarms/interval_alarm_win.h"
#include "alarms/quick_timer_win.h"
#include "alarms/time_signal_win.h"
#include "app/app_win.h"
#include "app/tray_win.h"
#include "base/callback_gate_win.h"
#include "base/event_log_win.h"
#include "base/tick_request_win.h"
#include "clock/clocks_win.h"
#include "clock/platform_time_win.h"
#include "resources/commands.h"
#include "sound/sound_win.h"
#include "timesync/ntp_worker_win.h"
#include "timesync/timesync_win.h"

#include <mmsystem.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>

namespace zentrava {

namespace {

constexpr UINT kTickPeriodMs = 50;
std::atomic<int>& SoakTicks() {
    static std::atomic<int> ticks{0};
    return ticks;
}

struct TickTimer {
    std::atomic<UINT> id{0};
    CallbackGate gate;
};

TickTimer& Timer() {
    static TickTimer timer;
    return timer;
}

// The duties as the window side carries them out. Features that are not built yet keep
// their named call here, doing nothing, until their own code fills it.
class WindowTickDuties final : public TickDuties {
public:
    // quiet: no per-tick line (the soak's 1.7 million a day); jumps are still written.
    WindowTickDuties(HWND hwnd, bool quiet) : hwnd_(hwnd), quiet_(quiet) {}
    ~WindowTickDuties() override { FlushLine(); }

    void OnClockStep(const ClockStep& step) override {
        if constexpr (kTestHooks) {
            FlushLine();
            if (quiet_ && step.kind != ClockStep::Kind::Jumped) {
                return;
            }
            const std::string time = FormatLogTime(LocalDateTime(step.clocks.LocalClock));
            line_ = step.kind == ClockStep::Kind::Jumped
                        ? "jump " + std::to_string(step.ticks) + " " + time
                        : "tick " + time;
        }
    }

    void RefreshTooltip() override {
        Note("tooltip");
        RefreshTrayTooltipIfChanged(hwnd_);
    }
    void RedrawTrayClock() override {
        Note("trayclock");
        RequestTrayClockRefresh(hwnd_);
    }
    bool FaceOnScreen() override {
        return IsWindowVisible(hwnd_) != FALSE && IsIconic(hwnd_) == FALSE;
    }
    void InvalidateFace() override {
        Note("invalidate");
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
    void RepaintWatchdog() override {
        Note("watchdog");
        SendCommand(kCmdApplyOpaqueLayer);
        SendCommand(kCmdApplyLayer);
    }
    void CountLockoutSeconds() override {
        TheTimeSignal().lockout.CountSecond();
        TheNtpSync().lockout.CountSecond();
    }
    void CountNoodleSecond() override {
        Note("noodle");
        CountNoodleSecondOnTick(hwnd_);
    }
    void SkipCountdowns(std::int64_t ticks) override {
        Note("skip");
        SkipNoodleOnTick(hwnd_, ticks);
        SkipQuickTimerOnTick(hwnd_, ticks, TheClocks().Read().LocalClock);
    }
    bool IntervalAlarmStarted() override { return IntervalAlarmStartedOnTick(); }
    void StartIntervalAlarm() override {
        Note("interval");
        RequestIntervalStartOnTick(hwnd_);
    }
    void CheckAlarms(const Clocks& c) override {
        Note("alarms");
        CheckAlarmsOnTick(hwnd_, c.LocalClock);
    }
    void CheckHourChime(const Clocks& c) override {
        Note("chime0");
        CheckHourChimeOnTick(hwnd_, c);
    }
    void CheckHalfHourChime(const Clocks& c) override {
        Note("chime30");
        CheckHalfHourChimeOnTick(hwnd_, c);
    }
    void CheckCustomTimeSignals(const Clocks& c) override {
        Note("custom");
        CheckCustomTimeSignalsOnTick(hwnd_, c);
    }
    bool QuickTimerRunning() override { return TheQuickTimer().Running(); }
    void CheckQuickTimer(const Clocks& c) override {
        Note("quicktimer");
        CheckQuickTimerOnTick(hwnd_, c.LocalClock);
    }
    void CheckTimeServerSchedule(const Clocks& c) override {
        Note("ntp");
        CheckNtpScheduleOnTick(hwnd_, c);
    }
    void StartWaitingTimeServerQuery(const Clocks& c) override {
        StartWaitingNtpQueryOnTick(hwnd_, c);
    }
    void ShowPendingBalloon() override {
        Note("balloon");
        zentrava::ShowPendingBalloon(hwnd_);
    }
    bool AlarmSounding() override { return AlarmChannelSounding(); }
    // The keys as they are now, wherever they were pressed: this thread has no input of its
    // own (the clock never takes the focus), so its GetKeyState would never see them.
    bool StopKeyDown() override {
        return GetAsyncKeyState(VK_ESCAPE) < 0 || GetAsyncKeyState(VK_LSHIFT) < 0 ||
               GetAsyncKeyState(VK_RSHIFT) < 0;
    }
    void StopAlarmSound() override {
        Note("stopkey");
        SendCommand(kCmdStopAlarm);
    }

private:
    void SendCommand(int id) { SendTickRequest(hwnd_, id); }
    void Note(const char* duty) {
        if constexpr (kTestHooks) {
            if (quiet_ && line_.empty()) {
                return;
            }
            line_ += ' ';
            line_ += duty;
        } else {
            (void)duty;
        }
    }
    void FlushLine() {
        if constexpr (kTestHooks) {
            if (!line_.empty()) {
                LogEvent(line_);
                line_.clear();
            }
        }
    }

    HWND hwnd_;
    bool quiet_;
    std::string line_;
};

TickSettings CurrentTickSettings() {
    const WindowSnapshot window = TheApp().snapshot.Read();
    TickSettings s;
    s.WindowDispOn = window.WindowDispOn;
    s.SecondHandDispOnOff = window.SecondHandDispOnOff;
    s.SecondHandSmooth = window.SecondHandSmooth;
    s.TaskTrayIconClock = window.TaskTrayIconClock;
    CopyTickFlags(TheTimeSignal(), s);
    s.IntervalAlarmOn = TheIntervalAlarm().On();
    s.IntervalAlarmJust0Second = TheIntervalAlarm().Just0Second();
    return s;
}

// The process's lead; a time-server exchange in flight holds it, so that the loopback server's
// answer carries the lead the query was sent with.
class SimulatedWorld final : public SoakWorld {
public:
    MonotonicTime Advance(std::int64_t by) override {
        AdvanceSimulatedLead(by);
        return MonotonicNow();
    }
    bool Held() override { return NtpWorkerBusy(); }
};

struct TestBalloonMailbox {
    std::mutex mutex;
    std::string lines;
};

TestBalloonMailbox& Mailbox() {
    static TestBalloonMailbox mailbox;
    return mailbox;
}

void RequestQueuedTestBalloons() {
    std::string lines;
    {
        const std::lock_guard lock(Mailbox().mutex);
        lines.swap(Mailbox().lines);
    }
    std::size_t start = 0;
    while (start < lines.size()) {
        std::size_t end = lines.find('\n', start);
        if (end == std::string::npos) {
            end = lines.size();
        }
        const std::string line = lines.substr(start, end - start);
        if (line.size() >= 2 && line[0] >= '0' && line[0] <= '2' && line[1] == ' ') {
            Balloons().Request(static_cast<BalloonSource>(line[0] - '0'), line.substr(2));
        }
        start = end + 1;
    }
}

void CALLBACK OnTickTimer(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    Timer().gate.Run([user] {
        if constexpr (kTestHooks) {
            RequestQueuedTestBalloons();
        }
        const auto hwnd = reinterpret_cast<HWND>(user);
        const int soak = kTestHooks ? SoakTicks().load() : 0;
        // Paused (K 0) the soak's world still replays every tick: a test reading the process's
        // counts can hold the window thread, and with it this callback, for seconds.
        const bool soaking = soak > 0 || SimulatedLead() != 0;
        WindowTickDuties duties(hwnd, soaking);
        if (soaking) {
            SimulatedWorld world;
            RunSoakCallback(TheClocks(), TheApp().tick, CurrentTickSettings(), duties, world,
                            MonotonicNow(), soak);
            return;
        }
        RunTick(TheClocks(), TheApp().tick, CurrentTickSettings(), duties, MonotonicNow());
    });
}

} // namespace

bool StartTick(HWND mainWindow) {
    TickTimer& timer = Timer();
    if (timer.id.load() != 0) {
        return true;
    }
    timer.gate.Open();
    timeBeginPeriod(kTickPeriodMs);
    const UINT id = timeSetEvent(kTickPeriodMs, kTickPeriodMs, &OnTickTimer,
                                 reinterpret_cast<DWORD_PTR>(mainWindow), TIME_PERIODIC);
    if (id == 0) {
        timeEndPeriod(kTickPeriodMs);
        return false;
    }
    timer.id.store(id);
    LogEvent("tick-start");
    return true;
}

void StopTick() {
    TickTimer& timer = Timer();
    const UINT id = timer.id.exchange(0);
    if (id == 0) {
        return;
    }
    timer.gate.Close();
    // Stopped from inside a request of the tick: release the tick first, or it and this thread
    // would wait for each other. Any other sender waits until the caller is done.
    if (HandlingTickRequest()) {
        ReplyMessage(0);
    }
    timeKillEvent(id);
    timeEndPeriod(kTickPeriodMs);
    // A callback may be inside SendMessageA to this very thread: keep answering it.
    timer.gate.WaitUntilIdle();
    LogEvent("tick-stop");
}

bool TickRunning() {
    return Timer().id.load() != 0;
}

void SetSoakTicksPerCallback(int ticks) {
    if constexpr (kTestHooks) {
        SoakTicks().store(std::max(ticks, 0));
    } else {
        (void)ticks;
    }
}

void QueueTestBalloonRequests(const std::string& lines) {
    const std::lock_guard lock(Mailbox().mutex);
    Mailbox().lines += lines;
    Mailbox().lines += '\n';
}

} // namespace zentrava
