#include "timesync/ntp_schedule.h"

#include "app/idle_tick_duties.h"
#include "timesync/ntp_texts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zentrava {
namespace {

using Events = std::vector<std::string>;

std::string Stamp(const ClockTimeRecord& c) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", c.Hour, c.Minute, c.Second);
    return text;
}

// The rest of the program as the decisions see it: every request is written down. A started
// query stays in flight until the test (or the rig's worker) finishes it.
class RecordingActions final : public NtpActions {
public:
    explicit RecordingActions(const Lockout& lockout) : lockout_(lockout) {}

    Events events;
    std::string when;
    bool balloons = true;
    std::optional<NtpQuery> inFlight;
    bool lockoutSetAtHandOff = false;
    int delaySeconds = 0;

    bool StartQuery(const NtpQuery& query) override {
        lockoutSetAtHandOff = lockout_.IsSet();
        if (inFlight) {
            events.push_back(when + "dropped");
            return false;
        }
        events.push_back(when +
                         (query.kind == NtpUpdateKind::Scheduled ? "scheduled " : "start-up ") +
                         query.server);
        inFlight = query;
        return true;
    }
    void LoadCorrectedTime(const NtpQueryOutcome&, bool advanceOneTick) override {
        events.push_back(advanceOneTick ? "load+tick" : "load");
    }
    bool BalloonsSupported() override { return balloons; }
    void RequestBalloon(const std::string& text) override { events.push_back("balloon " + text); }
    void StartRetryTimer(int milliseconds) override {
        events.push_back("retry timer " + std::to_string(milliseconds));
    }
    void RefreshTrayClock() override { events.push_back("tray"); }
    int ScheduleDelaySeconds() override { return delaySeconds; }

private:
    const Lockout& lockout_;
};

NtpQueryOutcome Outcome(SetResult result) {
    NtpQueryOutcome o;
    o.result = result;
    o.error = result == SetResult::NoTime ? QueryError::NoAnswer : QueryError::None;
    return o;
}

NtpQueryOutcome Rejected(ReplyStatus reason) {
    NtpQueryOutcome o;
    o.error = QueryError::Rejected;
    o.reply = reason;
    return o;
}

// The tick's duties with only the time-server schedule wired in.
class ScheduleDuties final : public IdleDuties {
public:
    ScheduleDuties(NtpSync& sync, TickState& state, RecordingActions& actions)
        : sync_(sync), state_(state), actions_(actions) {}

    void CountLockoutSeconds() override { sync_.lockout.CountSecond(); }
    void CheckTimeServerSchedule(const Clocks& c) override {
        if (auto due = CheckNtpSchedule(sync_, sync_.lockout, c, actions_)) {
            waiting_ = std::move(due);
        }
    }
    void StartWaitingTimeServerQuery(const Clocks& c) override {
        actions_.when = Stamp(c.LocalClock) + " ";
        StartWaitingNtpQuery(sync_, sync_.lockout, waiting_, c, actions_);
    }

private:
    NtpSync& sync_;
    TickState& state_;
    RecordingActions& actions_;
    std::optional<WaitingNtpQuery> waiting_;
};

DateTime At(int hour, int minute, int second, int day = 5) {
    return {2024, 3, DayOfWeekOf(2024, 3, day), day, hour, minute, second, 0};
}

// The program's clock driven tick by tick from a time of 5 March 2024. A query in flight is
// answered `answerTicks` ticks after it started (the worker), with `answer`.
struct Rig {
    ClockKeeper keeper;
    TickState state;
    TickSettings tick;
    NtpSync sync;
    RecordingActions actions{sync.lockout};
    ScheduleDuties duties{sync, state, actions};
    MonotonicTime now = 0;
    int answerTicks = 20;
    NtpQueryOutcome answer = Outcome(SetResult::NotSet);
    int ticksInFlight = 0;

    Rig(const DateTime& start, const NtpSettings& settings) {
        keeper.Reset();
        keeper.Load(start, now);
        sync.Commit(settings);
    }
    void Ticks(std::int64_t count) {
        for (std::int64_t i = 0; i < count; ++i) {
            now += kTickPeriod;
            RunTick(keeper, state, tick, duties, now);
            if (actions.inFlight && ++ticksInFlight >= answerTicks) {
                const NtpQuery query = *actions.inFlight;
                actions.inFlight.reset();
                ticksInFlight = 0;
                FinishNtpUpdate(sync, sync.lockout, query, answer, actions);
            }
        }
    }
    void Seconds(int count) { Ticks(std::int64_t{count} * kTicksPerSecondUnit); }
    // Only the query starts, with the time of the tick that asked.
    Events Queries() const {
        Events queries;
        for (const std::string& e : actions.events) {
            if (e.find("scheduled") != std::string::npos ||
                e.find("dropped") != std::string::npos) {
                queries.push_back(e);
            }
        }
        return queries;
    }
};

NtpSettings Mode(int mode) {
    NtpSettings s;
    s.SetNTPUpdateTime = mode;
    return s;
}

std::string Scheduled(int hour, int minute) {
    char text[48];
    std::snprintf(text, sizeof text, "%02d:%02d:00 scheduled ntp.nict.jp", hour, minute);
    return text;
}

// From 23:59:30 of one day to 00:00:30 of the day after next: one whole day and both
// midnights.
Events DriveADay(const NtpSettings& settings) {
    Rig rig(At(23, 59, 30, 4), settings);
    rig.Seconds(24 * 3600 + 60);
    return rig.Queries();
}

TEST(NtpScheduleModes, EveryThirtyMinutesCountsFromMidnight) {
    NtpSettings s = Mode(1);
    s.SetNTPInterval = 30;
    Events expected;
    for (int m = 0; m <= 24 * 60; m += 30) {
        expected.push_back(Scheduled(m / 60 % 24, m % 60));
    }
    EXPECT_EQ(DriveADay(s), expected);
}

TEST(NtpScheduleModes, EverySevenMinutesFiresOnMultiplesOfSevenSinceMidnight) {
    NtpSettings s = Mode(1);
    s.SetNTPInterval = 7;
    Events expected;
    for (int m = 0; m < 24 * 60; m += 7) {
        expected.push_back(Scheduled(m / 60, m % 60));
    }
    expected.push_back(Scheduled(0, 0)); // 23:55 is the day's last, then midnight again
    const Events got = DriveADay(s);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(got[got.size() - 2], Scheduled(23, 55));
}

TEST(NtpScheduleModes, DailyAtTwoFiresOnceAtTwoOClock) {
    NtpSettings s = Mode(0);
    s.SetNTPHour = 2;
    s.SetNTPMinute = 0;
    EXPECT_EQ(DriveADay(s), Events{Scheduled(2, 0)});
}

TEST(NtpScheduleModes, HourlyAtMinuteFiftyFiveFiresEveryHour) {
    const NtpSettings s = Mode(2);
    Events expected;
    for (int h = 0; h < 24; ++h) {
        expected.push_back(Scheduled(h, 55));
    }
    EXPECT_EQ(DriveADay(s), expected);
}

TEST(NtpScheduleModes, NothingWithoutAutoUpdateAnUnknownModeOrIntervalZero) {
    NtpSettings off = Mode(2);
    off.NTPAutoUpdate = 0;
    NtpSettings unknown = Mode(3);
    NtpSettings never = Mode(1);
    never.SetNTPInterval = 0;
    for (const NtpSettings& s : {off, unknown, never}) {
        Rig rig(At(0, 50, 0), s);
        rig.Seconds(3 * 3600);
        EXPECT_EQ(rig.actions.events, Events{});
    }
}

TEST(NtpScheduleModes, AnIntervalBelowThreeInTheLiveSettingsCountsAsThree) {
    NtpSettings s = Mode(1);
    s.SetNTPInterval = 1; // as a page's apply might store a typed "1"
    Rig rig(At(0, 0, 30), s);
    rig.Seconds(10 * 60);
    EXPECT_EQ(rig.Queries(), (Events{Scheduled(0, 3), Scheduled(0, 6), Scheduled(0, 9)}));
}

TEST(NtpScheduleLockout, AnUpdateJustBeforeADueMinuteHoldsThatMinuteOff) {
    NtpSettings s = Mode(1);
    s.SetNTPInterval = 30;
    Rig rig(At(0, 29, 0), s);
    rig.Seconds(10);
    rig.actions.when = "00:29:10 ";
    StartNtpStartUpUpdate(rig.sync, rig.sync.lockout, rig.actions);
    // Answered at 00:29:11, so the lockout runs until 00:30:06 and 00:30 passes unasked.
    rig.Seconds(3600);
    EXPECT_EQ(rig.Queries(), (Events{Scheduled(1, 0)}));
}

TEST(NtpScheduleLockout, SetBeforeTheHandOffAndAgainWhenTheAnswerComes) {
    NtpSettings s = Mode(2);
    Rig rig(At(0, 54, 50), s);
    rig.answerTicks = 30 * kTicksPerSecondUnit; // a slow server
    rig.Seconds(11);
    EXPECT_TRUE(rig.actions.lockoutSetAtHandOff);
    rig.Seconds(29); // answered at 00:55:29.950, which starts the 55 seconds afresh
    EXPECT_TRUE(rig.sync.lockout.IsSet());
    rig.Seconds(53);
    EXPECT_TRUE(rig.sync.lockout.IsSet());
    rig.Seconds(1);
    EXPECT_FALSE(rig.sync.lockout.IsSet());
}

TEST(NtpScheduleLockout, AQueryAskedForWhileAnotherIsInFlightIsDropped) {
    NtpSettings s = Mode(1);
    s.SetNTPInterval = 3;
    Rig rig(At(0, 2, 50), s);
    rig.answerTicks = 200 * kTicksPerSecondUnit; // never answers within the test
    rig.Seconds(15);
    rig.actions.when = "00:03:05 ";
    StartNtpStartUpUpdate(rig.sync, rig.sync.lockout, rig.actions);
    EXPECT_EQ(rig.actions.events, (Events{"00:03:00 scheduled ntp.nict.jp", "00:03:05 dropped"}));
}

TEST(NtpScheduleDelay, TheQueryStartsAtTheDrawnSecondOfItsMinuteOncePerSchedule) {
    const struct {
        int drawn;
        int second;
    } cases[] = {{0, 0}, {1, 1}, {37, 37}, {50, 50}, {51, 50}, {-4, 0}};
    for (const auto& c : cases) {
        Rig rig(At(0, 54, 50), Mode(2));
        rig.actions.delaySeconds = c.drawn;
        rig.Seconds(2 * 3600);
        char first[48];
        char second[48];
        std::snprintf(first, sizeof first, "00:55:%02d scheduled ntp.nict.jp", c.second);
        std::snprintf(second, sizeof second, "01:55:%02d scheduled ntp.nict.jp", c.second);
        EXPECT_EQ(rig.Queries(), (Events{first, second})) << c.drawn;
    }
}

TEST(NtpScheduleDelay, AWaitingQueryStartsAtOnceWhenALoadMovesTheClockAndNotWhenSwitchedOff) {
    Rig moved(At(0, 54, 59), Mode(2));
    moved.actions.delaySeconds = 40;
    moved.Seconds(11);
    moved.keeper.Load(At(1, 10, 0), moved.now);
    moved.Seconds(2);
    EXPECT_EQ(moved.Queries(), Events{"01:10:01 scheduled ntp.nict.jp"});

    Rig off(At(0, 54, 59), Mode(2));
    off.actions.delaySeconds = 40;
    off.Seconds(11);
    NtpSettings s = off.sync.Settings();
    s.NTPAutoUpdate = 0;
    off.sync.Commit(s);
    off.Seconds(60);
    EXPECT_EQ(off.Queries(), Events{});
}

// The due times of one schedule, each a minute apart from the lockout's point of view: which
// of them ask the server when every answer is RATE.
std::vector<int> AskedWhileRateAnswers(const NtpSettings& settings, int dueTimes) {
    Lockout lockout;
    NtpSync sync;
    RecordingActions actions{lockout};
    sync.Commit(settings);
    Clocks clocks;
    clocks.LocalClock.Hour = settings.SetNTPHour;
    clocks.LocalClock.Minute =
        settings.SetNTPUpdateTime == 2 ? settings.SetNTPAccessMinuteTime : settings.SetNTPMinute;
    std::vector<int> asked;
    for (int due = 0; due < dueTimes; ++due) {
        for (int second = 0; second < 55; ++second) {
            lockout.CountSecond();
        }
        std::optional<WaitingNtpQuery> waiting = CheckNtpSchedule(sync, lockout, clocks, actions);
        StartWaitingNtpQuery(sync, lockout, waiting, clocks, actions);
        if (actions.inFlight) {
            asked.push_back(due);
            FinishNtpUpdate(sync, lockout, *actions.inFlight, Rejected(ReplyStatus::KissRate),
                            actions);
            actions.inFlight.reset();
        }
    }
    return asked;
}

TEST(NtpKissOfDeath, RateDoublesTheScheduledIntervalOfThatServerUpToADay) {
    NtpSettings hourly = Mode(2);
    NtpSettings sixHours = Mode(1);
    sixHours.SetNTPInterval = 360;
    sixHours.SetNTPMinute = 0;
    sixHours.SetNTPHour = 0;
    const NtpSettings daily = Mode(0);
    const struct {
        NtpSettings settings;
        std::vector<int> asked;
    } cases[] = {
        // Every 2, 4, 8, 16 hours, then no less than once a day.
        {hourly, {0, 2, 6, 14, 30, 54, 78}},
        {sixHours, {0, 2, 6, 10, 14}},
        {daily, {0, 1, 2, 3}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AskedWhileRateAnswers(c.settings, c.asked.back() + 1), c.asked)
            << c.settings.SetNTPUpdateTime;
    }
}

TEST(NtpKissOfDeath, ATimeFromTheServerEndsBothTheSlowingAndTheBanWhateverTheCase) {
    NtpSync sync;
    NtpQueryOutcome rate = Rejected(ReplyStatus::KissRate);
    NoteNtpOutcome(sync, "ntp.nict.jp", rate);
    NoteNtpOutcome(sync, "NTP.NICT.JP", rate); // the same server: every fourth due time now
    EXPECT_TRUE(sync.SkipsDueTime("Ntp.Nict.Jp"));
    EXPECT_TRUE(sync.SkipsDueTime("ntp.nict.jp"));
    EXPECT_TRUE(sync.SkipsDueTime("ntp.nict.jp"));
    EXPECT_FALSE(sync.SkipsDueTime("ntp.nict.jp"));
    EXPECT_TRUE(sync.SkipsDueTime("ntp.nict.jp"));

    NoteNtpOutcome(sync, "ntp.nict.jp", Rejected(ReplyStatus::KissDeny));
    EXPECT_TRUE(sync.IsShunned("NTP.nict.jp"));
    // The page's test of the server, typed in another case, brings a time.
    NoteNtpOutcome(sync, "NTP.NICT.JP", Outcome(SetResult::NotSet));
    EXPECT_FALSE(sync.IsShunned("ntp.nict.jp"));
    EXPECT_FALSE(sync.SkipsDueTime("ntp.nict.jp"));
    EXPECT_FALSE(sync.SkipsDueTime("ntp.nict.jp"));
}

// Start-up, resume and retry, with a worker the test answers by hand.
struct StartUp {
    Lockout lockout;
    NtpSync sync;
    RecordingActions actions{lockout};

    explicit StartUp(int balloonsOn = 1) {
        NtpSettings s;
        s.NTPTimeUpdateResultBallonHelpOn = balloonsOn;
        sync.Commit(s);
    }
    void Run(const NtpQueryOutcome& outcome) {
        StartNtpStartUpUpdate(sync, lockout, actions);
        if (actions.inFlight) {
            const NtpQuery query = *actions.inFlight;
            actions.inFlight.reset();
            FinishNtpUpdate(sync, lockout, query, outcome, actions);
        }
    }
};

const std::string kStartQuery = "start-up ntp.nict.jp";

TEST(NtpStartUpUpdate, AnAnswerLoadsTheClocksWithOneTickAndReportsWhatWasDone) {
    const struct {
        SetResult result;
        Events expected;
    } cases[] = {
        {SetResult::NotSet,
         {kStartQuery, "load+tick", "balloon " + NtpUpdateBalloonText(SetResult::NotSet, false),
          "tray"}},
        {SetResult::SetFailed,
         {kStartQuery, "load+tick", "balloon " + NtpUpdateBalloonText(SetResult::SetFailed, false),
          "tray"}},
        {SetResult::Unconfirmed,
         {kStartQuery, "load+tick",
          "balloon " + NtpUpdateBalloonText(SetResult::Unconfirmed, false), "tray"}},
        // The clock set broadcasts a time change, which reloads the clocks from it.
        {SetResult::Set,
         {kStartQuery, "balloon " + NtpUpdateBalloonText(SetResult::Set, false), "tray"}},
    };
    for (const auto& c : cases) {
        StartUp run;
        run.Run(Outcome(c.result));
        EXPECT_EQ(run.actions.events, c.expected);
        EXPECT_TRUE(run.lockout.IsSet());
        EXPECT_TRUE(run.actions.lockoutSetAtHandOff);
    }
}

TEST(NtpStartUpUpdate, AFailureIsRetriedOnceAndTheSuccessSaysSo) {
    StartUp run;
    run.Run(Outcome(SetResult::NoTime));
    EXPECT_EQ(run.actions.events, (Events{kStartQuery, "retry timer 10000", "tray"}));
    EXPECT_EQ(run.sync.retryMark.load(), 1);

    run.actions.events.clear();
    run.Run(Outcome(SetResult::Set)); // timer 8193
    EXPECT_EQ(
        run.actions.events,
        (Events{kStartQuery, "balloon " + NtpUpdateBalloonText(SetResult::Set, true), "tray"}));
    EXPECT_EQ(run.sync.retryMark.load(), 0);
}

TEST(NtpStartUpUpdate, ARetryThatFindsTheWorkerBusyIsTriedAgainLater) {
    StartUp run;
    run.Run(Outcome(SetResult::NoTime));
    run.actions.events.clear();
    run.actions.inFlight = NtpQuery{}; // a resume's query still waits for its server
    RetryNtpStartUpUpdate(run.sync, run.lockout, run.actions);
    EXPECT_EQ(run.actions.events, (Events{"dropped", "retry timer 10000"}));
    EXPECT_EQ(run.sync.retryMark.load(), 1);

    run.actions.inFlight.reset();
    run.actions.events.clear();
    RetryNtpStartUpUpdate(run.sync, run.lockout, run.actions);
    ASSERT_TRUE(run.actions.inFlight.has_value());
    FinishNtpUpdate(run.sync, run.lockout, *run.actions.inFlight, Outcome(SetResult::Set),
                    run.actions);
    EXPECT_EQ(
        run.actions.events,
        (Events{kStartQuery, "balloon " + NtpUpdateBalloonText(SetResult::Set, true), "tray"}));
}

TEST(NtpStartUpUpdate, LargeCorrectionsMayBeConfirmedByTheListsOtherServers) {
    NtpSettings s;
    s.NTPServerName = "b.example";
    s.NTPServerNameList = {"a.example", "B.EXAMPLE", "refuses.example",
                           "c.example", "d.example", "e.example"};
    StartUp run;
    run.sync.Commit(s);
    run.sync.Shun("refuses.example");
    StartNtpStartUpUpdate(run.sync, run.lockout, run.actions);
    ASSERT_TRUE(run.actions.inFlight.has_value());
    EXPECT_EQ(run.actions.inFlight->witnesses,
              (std::vector<std::string>{"a.example", "c.example", "d.example"}));
}

TEST(NtpStartUpUpdate, ASecondFailureIsReportedAndTheNextStartUpRetriesAgain) {
    StartUp run;
    run.Run(Outcome(SetResult::NoTime));
    run.actions.events.clear();
    run.Run(Outcome(SetResult::NoTime));
    EXPECT_EQ(run.actions.events,
              (Events{kStartQuery, "balloon " + NtpUpdateFailedBalloonText(), "tray"}));
    EXPECT_EQ(run.sync.retryMark.load(), 0);

    run.actions.events.clear();
    run.Run(Outcome(SetResult::NoTime)); // resume
    EXPECT_EQ(run.actions.events, (Events{kStartQuery, "retry timer 10000", "tray"}));
}

TEST(NtpStartUpUpdate, WithoutResultBalloonsThereIsNoRetryAndNoBalloon) {
    StartUp off(0);
    off.Run(Outcome(SetResult::NoTime));
    off.Run(Outcome(SetResult::SetFailed));
    EXPECT_EQ(off.actions.events, (Events{kStartQuery, "tray", kStartQuery, "load+tick", "tray"}));

    StartUp oldShell;
    oldShell.actions.balloons = false;
    oldShell.Run(Outcome(SetResult::NoTime));
    EXPECT_EQ(oldShell.actions.events, (Events{kStartQuery, "tray"}));
}

TEST(NtpStartUpUpdate, RetryDelayIsTheSettingKeptWithinAMinute) {
    const struct {
        int stored;
        int expectedMs;
    } cases[] = {{10, 10000}, {0, 0}, {60, 60000}, {75, 60000}, {-3, 0}};
    for (const auto& c : cases) {
        NtpSettings s;
        s.NTPAccessRetryTime = c.stored;
        EXPECT_EQ(NtpRetryDelayMs(s), c.expectedMs) << c.stored;
    }
}

TEST(NtpKissOfDeath, RateIsNotRetriedButTheServerIsAskedAgainLater) {
    StartUp run;
    run.Run(Rejected(ReplyStatus::KissRate));
    EXPECT_EQ(run.actions.events,
              (Events{kStartQuery, "balloon " + NtpUpdateFailedBalloonText(), "tray"}));
    EXPECT_FALSE(run.sync.IsShunned("ntp.nict.jp"));
    run.actions.events.clear();
    run.Run(Outcome(SetResult::NotSet));
    EXPECT_EQ(run.actions.events.front(), kStartQuery);
}

TEST(NtpKissOfDeath, DenyOrRestrictEndsAllQueriesToThatServerUntilTheUserPicksAnother) {
    for (const ReplyStatus kiss : {ReplyStatus::KissDeny, ReplyStatus::KissRestrict}) {
        StartUp run;
        run.Run(Rejected(kiss));
        EXPECT_TRUE(run.sync.IsShunned("ntp.nict.jp"));

        // Neither a start-up nor a scheduled update asks it again; each fails at once.
        run.actions.events.clear();
        run.Run(Outcome(SetResult::NotSet));
        EXPECT_EQ(run.actions.events, (Events{"balloon " + NtpUpdateFailedBalloonText(), "tray"}));
        for (int second = 0; second < 55; ++second) {
            run.lockout.CountSecond();
        }
        Clocks clocks;
        clocks.LocalClock.Minute = 55;
        run.actions.events.clear();
        std::optional<WaitingNtpQuery> waiting =
            CheckNtpSchedule(run.sync, run.lockout, clocks, run.actions);
        StartWaitingNtpQuery(run.sync, run.lockout, waiting, clocks, run.actions);
        EXPECT_EQ(run.actions.events, (Events{"balloon " + NtpUpdateFailedBalloonText(), "tray"}));

        NtpSettings other = run.sync.Settings();
        other.NTPServerName = "ntp.jst.mfeed.ad.jp";
        run.sync.Commit(other);
        run.actions.events.clear();
        run.Run(Outcome(SetResult::NotSet));
        EXPECT_EQ(run.actions.events.front(), "start-up ntp.jst.mfeed.ad.jp");
    }
}

TEST(NtpScheduledUpdate, LoadsWithoutAnExtraTickAndReportsAFailureAtOnce) {
    NtpSettings s = Mode(2);
    s.NTPTimeUpdateResultBallonHelpOn = 1;
    Rig ok(At(0, 54, 59), s);
    ok.Seconds(3);
    EXPECT_EQ(ok.actions.events,
              (Events{"00:55:00 scheduled ntp.nict.jp", "load",
                      "balloon " + NtpUpdateBalloonText(SetResult::NotSet, false), "tray"}));

    Rig failed(At(0, 54, 59), s);
    failed.answer = Outcome(SetResult::NoTime);
    failed.Seconds(3);
    EXPECT_EQ(failed.actions.events, (Events{"00:55:00 scheduled ntp.nict.jp",
                                             "balloon " + NtpUpdateFailedBalloonText(), "tray"}));
    EXPECT_EQ(failed.sync.retryMark.load(), 0);
}

} // namespace
} // namespace zentrava
