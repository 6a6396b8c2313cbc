#include "timesync/timesync_win.h"

#include "base/app_context_win.h"
#include "base/balloon_requests.h"
#include "base/event_log_win.h"
#include "clock/clocks_win.h"
#include "clock/platform_time_win.h"
#include "resources/commands.h"
#include "timesync/ntp_schedule.h"
#include "timesync/ntp_texts.h"

#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <utility>

namespace zentrava {

namespace {

class WindowNtpActions final : public NtpActions {
public:
    explicit WindowNtpActions(HWND main) : main_(main) {}

    bool StartQuery(const NtpQuery& query) override {
        return StartNtpJob(NtpJob{query, false, main_, kNtpResultMessage});
    }
    void LoadCorrectedTime(const NtpQueryOutcome& outcome, bool advanceOneTick) override {
        LoadClocksFromNtp(outcome, advanceOneTick);
    }
    bool BalloonsSupported() override { return Context().BalloonsSupported(); }
    void RequestBalloon(const std::string& text) override {
        Balloons().Request(BalloonSource::TimeUpdate, text);
    }
    void StartRetryTimer(int milliseconds) override {
        SetTimer(main_, kTimerTimeServerRetry, static_cast<UINT>(milliseconds), nullptr);
    }
    // Only the tick thread draws: one generator, seeded once, unknown outside this process.
    int ScheduleDelaySeconds() override {
        static std::mt19937 generator{std::random_device{}()};
        return std::uniform_int_distribution<int>(0, kMaxScheduleDelaySeconds)(generator);
    }
    // Every load of the clocks refreshes the tray clock (the main window listens for loads);
    // the update's load came first.
    void RefreshTrayClock() override {}

private:
    HWND main_;
};

void LogOutcome(const NtpJobResult& r) {
    if constexpr (kTestHooks) {
        LogEvent("ntp result " + r.job.query.server + " " +
                 std::to_string(static_cast<int>(r.outcome.result)) + " error " +
                 std::to_string(static_cast<int>(r.outcome.error)) + " reply " +
                 std::to_string(static_cast<int>(r.outcome.reply)));
    } else {
        (void)r;
    }
}

// The scheduled query waiting for its second; only the tick thread touches it.
std::optional<WaitingNtpQuery>& WaitingQuery() {
    static std::optional<WaitingNtpQuery> waiting;
    return waiting;
}

} // namespace

NtpSync& TheNtpSync() {
    static NtpSync sync;
    return sync;
}

void LoadNtpSettingsAtCreate(const SettingsStore& store) {
    LoadNtpSettings(store, TheNtpSync());
}

void RunNtpStartUpUpdate(HWND main) {
    if (TheNtpSync().Decide([](const NtpSettings& s) { return s.NTPStartUpTimeAdjust; }) != 1) {
        return;
    }
    WindowNtpActions actions(main);
    StartNtpStartUpUpdate(TheNtpSync(), TheNtpSync().lockout, actions);
}

void OnNtpRetryTimer(HWND main) {
    KillTimer(main, kTimerTimeServerRetry);
    LoadClocksFromSystem("ntp-retry");
    WindowNtpActions actions(main);
    RetryNtpStartUpUpdate(TheNtpSync(), TheNtpSync().lockout, actions);
}

void CheckNtpScheduleOnTick(HWND main, const Clocks& clocks) {
    WindowNtpActions actions(main);
    std::optional<WaitingNtpQuery> waiting =
        CheckNtpSchedule(TheNtpSync(), TheNtpSync().lockout, clocks, actions);
    if (waiting) {
        if constexpr (kTestHooks) {
            LogEvent("ntp wait " + waiting->query.server + " " +
                     std::to_string(waiting->due.Second));
        }
        WaitingQuery() = std::move(waiting);
    }
}

void StartWaitingNtpQueryOnTick(HWND main, const Clocks& clocks) {
    std::optional<WaitingNtpQuery>& waiting = WaitingQuery();
    if (!waiting) {
        return;
    }
    WindowNtpActions actions(main);
    StartWaitingNtpQuery(TheNtpSync(), TheNtpSync().lockout, waiting, clocks, actions);
    if constexpr (kTestHooks) {
        if (!waiting) {
            char at[8];
            std::snprintf(at, sizeof at, "%02d:%02d", clocks.LocalClock.Minute % 100,
                          clocks.LocalClock.Second % 100);
            LogEvent(std::string("ntp waited until ") + at);
        }
    }
}

void OnNtpResult(HWND main) {
    const std::optional<NtpJobResult> result = TakeNtpResult(main);
    if (!result) {
        return;
    }
    LogOutcome(*result);
    if (result->outcome.error == QueryError::SocketLibrary) {
        MessageBoxA(main, SocketUnavailableText().c_str(), DateTimeSettingCaption().c_str(), MB_OK);
    }
    WindowNtpActions actions(main);
    FinishNtpUpdate(TheNtpSync(), TheNtpSync().lockout, result->job.query, result->outcome,
                    actions);
}

void LoadClocksFromNtp(const NtpQueryOutcome& outcome, bool advanceOneTick) {
    const MonotonicTime now = MonotonicNow();
    std::int64_t time = CorrectedTimeNow(outcome.corrected, outcome.atT4, now);
    if (advanceOneTick) {
        time += kTickPeriod;
    }
    LoadClocksAt(UtcTicksToLocal(time), now, "ntp");
}

void StopNtp(HWND main) {
    KillTimer(main, kTimerTimeServerRetry);
    WaitForNtpWorker();
}

} // namespace zentrava
