#include "app/tick.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace zentrava {
namespace {

// Records every duty by name, one list per clock step.
class RecordingDuties final : public TickDuties {
public:
    std::vector<std::vector<std::string>> ticks;
    std::vector<Clocks> seen;
    bool intervalStarted = false;
    bool quickTimerRunning = false;
    bool alarmSounding = false;
    bool stopKey = false;
    bool onScreen = true;
    int jumps = 0;
    std::int64_t skipped = 0;

    void OnClockStep(const ClockStep& step) override {
        ticks.emplace_back();
        seen.push_back(step.clocks);
        jumps += step.kind == ClockStep::Kind::Jumped ? 1 : 0;
    }
    void RefreshTooltip() override { Add("tooltip"); }
    void RedrawTrayClock() override { Add("trayclock"); }
    void InvalidateFace() override { Add("invalidate"); }
    bool FaceOnScreen() override { return onScreen; }
    void RepaintWatchdog() override { Add("watchdog"); }
    void CountLockoutSeconds() override { Add("lockouts"); }
    void CountNoodleSecond() override { Add("noodle"); }
    void SkipCountdowns(std::int64_t jumped) override {
        skipped += jumped;
        Add("skip");
    }
    bool IntervalAlarmStarted() override { return intervalStarted; }
    void StartIntervalAlarm() override {
        intervalStarted = true;
        Add("interval");
    }
    void CheckAlarms(const Clocks&) override { Add("alarms"); }
    void CheckHourChime(const Clocks&) override { Add("chime0"); }
    void CheckHalfHourChime(const Clocks&) override { Add("chime30"); }
    void CheckCustomTimeSignals(const Clocks&) override { Add("custom"); }
    bool QuickTimerRunning() override { return quickTimerRunning; }
    void CheckQuickTimer(const Clocks&) override { Add("quicktimer"); }
    void CheckTimeServerSchedule(const Clocks&) override { Add("ntp"); }
    void StartWaitingTimeServerQuery(const Clocks&) override {}
    void ShowPendingBalloon() override { Add("balloon"); }
    bool AlarmSounding() override { return alarmSounding; }
    bool StopKeyDown() override { return stopKey; }
    void StopAlarmSound() override { Add("stopkey"); }

    int Count(const std::string& duty) const {
        int n = 0;
        for (const auto& t : ticks) {
            n += static_cast<int>(std::count(t.begin(), t.end(), duty));
        }
        return n;
    }

private:
    void Add(const char* duty) {
        if (ticks.empty()) {
            ticks.emplace_back();
        }
        ticks.back().push_back(duty);
    }
};

using Duties = std::vector<std::string>;

DateTime At(int year, int month, int day, int hour, int minute, int second, int ms) {
    return {year, month, DayOfWeekOf(year, month, day), day, hour, minute, second, ms};
}

// A clock loaded at `start` at monotonic time 0, driven by callbacks on exact periods.
struct Rig {
    ClockKeeper keeper;
    TickState state;
    TickSettings settings;
    RecordingDuties duties;
    MonotonicTime now = 0;

    explicit Rig(const DateTime& start, const WorldZoneSettings& zones = {}) {
        keeper.Reset();
        keeper.SetZones(zones);
        keeper.Load(start, 0);
    }
    TickReport Callback(MonotonicTime at) {
        now = at;
        return RunTick(keeper, state, settings, duties, now);
    }
    // One callback a period; the paint handler answers each invalidation unless told not to.
    void RunPeriods(int periods, bool paints = true) {
        for (int i = 0; i < periods; ++i) {
            Callback(now + kTickPeriod);
            if (paints) {
                state.unpaintedRedraws.store(0);
            }
        }
    }
    ClockTimeRecord Local() const { return keeper.Read().LocalClock; }
};

TEST(TickOrder, MinuteBoundaryRunsEachMinuteDutyOnceAfterTheAdvance) {
    Rig rig(At(2024, 12, 31, 23, 59, 59, 950));
    rig.Callback(kTickPeriod);
    ASSERT_EQ(rig.duties.ticks.size(), 1u);
    EXPECT_EQ(rig.duties.ticks[0], (Duties{"lockouts", "noodle", "tooltip", "invalidate", "alarms",
                                           "custom", "ntp", "balloon"}));
    const Clocks& c = rig.duties.seen[0];
    EXPECT_EQ(c.LocalClock.Year, 2025);
    EXPECT_EQ(c.LocalClock.MinuteTicks, 0);
    EXPECT_EQ(c.LocalClock.DayTicks, 0);

    rig.RunPeriods(1199);
    EXPECT_EQ(rig.duties.Count("alarms"), 1);
    EXPECT_EQ(rig.duties.Count("ntp"), 1);
    rig.RunPeriods(1);
    EXPECT_EQ(rig.duties.Count("alarms"), 2);
}

TEST(TickOrder, EveryDutyInItsPlaceWhenAllAreSwitchedOn) {
    Rig rig(At(2024, 6, 1, 8, 59, 59, 950));
    rig.settings.IntervalAlarmOn = 1;
    rig.settings.TimeSignal0JustOnFlag = 1;
    rig.settings.TimeSignal30JustOnFlag = 1;
    rig.settings.TaskTrayIconClock = 1;
    rig.duties.quickTimerRunning = true;
    rig.duties.alarmSounding = true;
    rig.duties.stopKey = true;
    rig.Callback(kTickPeriod);
    EXPECT_EQ(rig.duties.ticks[0], (Duties{"lockouts", "noodle", "tooltip", "trayclock",
                                           "invalidate", "interval", "alarms", "chime0", "chime30",
                                           "custom", "quicktimer", "ntp", "balloon", "stopkey"}));
}

TEST(TickOrder, OneMinuteOfTicksRunsEachDutyAsOftenAsItShould) {
    Rig rig(At(2024, 3, 5, 12, 0, 0, 0));
    rig.RunPeriods(1200);
    const RecordingDuties& d = rig.duties;
    EXPECT_EQ(d.ticks.size(), 1200u);
    EXPECT_EQ(d.Count("alarms"), 1);
    EXPECT_EQ(d.Count("ntp"), 1);
    EXPECT_EQ(d.Count("custom"), 60);
    EXPECT_EQ(d.Count("tooltip"), 60);
    EXPECT_EQ(d.Count("noodle"), 60);
    EXPECT_EQ(d.Count("invalidate"), 120);
    EXPECT_EQ(d.Count("balloon"), 1200);
    EXPECT_EQ(d.Count("watchdog"), 0);
    EXPECT_EQ(d.Count("trayclock"), 0);
}

TEST(TickOrder, DutiesFollowTheirSettings) {
    struct Case {
        const char* name;
        void (*configure)(TickSettings&, RecordingDuties&);
        const char* duty;
        int perMinute;
    };
    const Case cases[] = {
        {"chimes off by master switch",
         [](TickSettings& s, RecordingDuties&) {
             s.TimeSignalFlag = 0;
             s.TimeSignal0JustOnFlag = 1;
         },
         "chime0", 0},
        {"hour chime checked every tick",
         [](TickSettings& s, RecordingDuties&) { s.TimeSignal0JustOnFlag = 1; }, "chime0", 1200},
        {"half-hour chime checked every tick",
         [](TickSettings& s, RecordingDuties&) { s.TimeSignal30JustOnFlag = 1; }, "chime30", 1200},
        {"custom signals to the 50 ms",
         [](TickSettings& s, RecordingDuties&) { s.TimeSignalMSecondEnable = 1; }, "custom", 1200},
        {"custom signals never for an unknown mode",
         [](TickSettings& s, RecordingDuties&) { s.TimeSignalMSecondEnable = 2; }, "custom", 0},
        {"quick timer only while it runs", [](TickSettings&, RecordingDuties&) {}, "quicktimer", 0},
        {"quick timer every tick while it runs",
         [](TickSettings&, RecordingDuties& d) { d.quickTimerRunning = true; }, "quicktimer", 1200},
        {"interval alarm started once at second 0",
         [](TickSettings& s, RecordingDuties&) { s.IntervalAlarmOn = 1; }, "interval", 1},
        {"interval alarm not at second 0 when started at once",
         [](TickSettings& s, RecordingDuties&) {
             s.IntervalAlarmOn = 1;
             s.IntervalAlarmJust0Second = 0;
         },
         "interval", 0},
        {"interval alarm already running",
         [](TickSettings& s, RecordingDuties& d) {
             s.IntervalAlarmOn = 1;
             d.intervalStarted = true;
         },
         "interval", 0},
        {"tray clock each minute",
         [](TickSettings& s, RecordingDuties&) { s.TaskTrayIconClock = 1; }, "trayclock", 1},
        {"Shift while nothing sounds does nothing",
         [](TickSettings&, RecordingDuties& d) { d.stopKey = true; }, "stopkey", 0},
        {"Shift while the alarm sounds stops it on every tick",
         [](TickSettings&, RecordingDuties& d) {
             d.stopKey = true;
             d.alarmSounding = true;
         },
         "stopkey", 1200},
    };
    for (const Case& c : cases) {
        Rig rig(At(2024, 3, 5, 12, 0, 0, 0));
        c.configure(rig.settings, rig.duties);
        rig.RunPeriods(1200);
        EXPECT_EQ(rig.duties.Count(c.duty), c.perMinute) << c.name;
    }
}

TEST(TickRedraw, FaceIsRedrawnAsTheSecondHandNeeds) {
    struct Case {
        int dispOnOff;
        int smooth;
        int windowDispOn;
        int perMinute;
    };
    // Half seconds always (the colon blinks); whole seconds coincide with them.
    const Case cases[] = {
        {1, 0, 1, 120}, {1, 1, 1, 1200}, {0, 0, 1, 120}, {0, 1, 1, 120}, {1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        Rig rig(At(2024, 3, 5, 12, 0, 0, 0));
        rig.settings.SecondHandDispOnOff = c.dispOnOff;
        rig.settings.SecondHandSmooth = c.smooth;
        rig.settings.WindowDispOn = c.windowDispOn;
        rig.RunPeriods(1200);
        EXPECT_EQ(rig.duties.Count("invalidate"), c.perMinute)
            << c.dispOnOff << c.smooth << c.windowDispOn;
    }
}

TEST(TickRedraw, WatchdogNudgesAWindowThatStoppedPainting) {
    Rig rig(At(2024, 3, 5, 12, 0, 0, 0));
    rig.RunPeriods(30, false); // three half seconds, three invalidations
    EXPECT_EQ(rig.duties.Count("watchdog"), 1);
    EXPECT_EQ(rig.state.unpaintedRedraws.load(), 0);
    rig.RunPeriods(30, false);
    EXPECT_EQ(rig.duties.Count("watchdog"), 2);

    Rig smooth(At(2024, 3, 5, 12, 0, 0, 0));
    smooth.settings.SecondHandSmooth = 1;
    smooth.RunPeriods(59, false);
    EXPECT_EQ(smooth.duties.Count("watchdog"), 0);
    smooth.RunPeriods(1, false);
    EXPECT_EQ(smooth.duties.Count("watchdog"), 1);

    Rig painted(At(2024, 3, 5, 12, 0, 0, 0));
    painted.RunPeriods(1200, true);
    EXPECT_EQ(painted.duties.Count("watchdog"), 0);
}

// The proximity behaviour hides the window while WindowDispOn stays 1: nothing is painted, and
// the watchdog must not rebuild the window every second and a half for it.
TEST(TickRedraw, WatchdogLeavesAWindowThatIsNotOnScreenAlone) {
    struct Case {
        int smooth;
        int quietPeriods; // unpainted periods one redraw short of the watchdog
        int lastPeriods;  // the periods up to that redraw
    };
    for (const Case c : {Case{0, 20, 10}, Case{1, 59, 1}}) {
        Rig rig(At(2024, 3, 5, 12, 0, 0, 0));
        rig.settings.SecondHandSmooth = c.smooth;
        rig.RunPeriods(c.quietPeriods, false);
        rig.duties.onScreen = false;
        rig.RunPeriods(1200, false);
        EXPECT_EQ(rig.duties.Count("watchdog"), 0) << c.smooth;

        // Back on screen the count starts afresh.
        rig.duties.onScreen = true;
        rig.RunPeriods(c.quietPeriods, false);
        EXPECT_EQ(rig.duties.Count("watchdog"), 0) << c.smooth;
        rig.RunPeriods(c.lastPeriods, false);
        EXPECT_EQ(rig.duties.Count("watchdog"), 1) << c.smooth;
    }
}

TEST(TickLockouts, CountedDownOnceEveryWholeSecond) {
    Rig rig(At(2024, 3, 5, 12, 0, 0, 0));
    rig.RunPeriods(55 * 20);
    EXPECT_EQ(rig.duties.Count("lockouts"), 55);
}

TEST(TickLockouts, ClearedOnTheFiftyFifthWholeSecond) {
    Lockout lockout;
    lockout.Set();
    for (int second = 1; second < 55; ++second) {
        lockout.CountSecond();
    }
    EXPECT_TRUE(lockout.IsSet());
    lockout.CountSecond();
    EXPECT_FALSE(lockout.IsSet());
}

TEST(TickPacing, LateCallbackReplaysEveryOwedTickAndRedrawsOnce) {
    Rig rig(At(2024, 3, 5, 12, 0, 59, 900));
    // Held up for 3 periods: the burst crosses a whole minute, which must not be skipped.
    const TickReport report = rig.Callback(3 * kTickPeriod);
    EXPECT_EQ(report.advances, 3);
    EXPECT_FALSE(report.jumped);
    EXPECT_EQ(rig.Local().Minute, 1);
    EXPECT_EQ(rig.Local().Millisecond, 50);
    EXPECT_EQ(rig.duties.Count("alarms"), 1);
    EXPECT_EQ(rig.duties.Count("noodle"), 1);
    EXPECT_EQ(rig.duties.Count("invalidate"), 1);
    EXPECT_EQ(rig.duties.Count("tooltip"), 1);
    EXPECT_EQ(rig.duties.Count("balloon"), 1);
    // Display work comes in the last tick of the burst, before its schedulers.
    EXPECT_EQ(rig.duties.ticks[2].front(), "tooltip");
}

TEST(TickPacing, CallbacksWithNothingOwedDoNothing) {
    Rig rig(At(2024, 3, 5, 12, 0, 0, 0));
    rig.Callback(kTickPeriod);
    // A timer that catches up by itself sends extra callbacks right away: never count twice.
    EXPECT_EQ(rig.Callback(kTickPeriod + 10).ticks, 0);
    EXPECT_EQ(rig.Callback(kTickPeriod + 20).ticks, 0);
    EXPECT_EQ(rig.duties.ticks.size(), 1u);
    EXPECT_EQ(rig.Local().MinuteTicks, 1);
}

TEST(TickPacing, OrdinaryJitterNeverTurnsOneTickIntoZeroOrTwo) {
    Rig rig(At(2024, 3, 5, 12, 0, 0, 0));
    std::mt19937 random(7);
    std::uniform_int_distribution<MonotonicTime> jitter(-200'000, 200'000); // +-20 ms
    for (int i = 1; i <= 5000; ++i) {
        const TickReport r = rig.Callback(i * kTickPeriod + jitter(random));
        ASSERT_EQ(r.ticks, 1) << "callback " << i;
    }
}

TEST(TickPacing, ClockKeepsTimeThroughStallsAndBusyPeriods) {
    Rig rig(At(2024, 3, 5, 12, 0, 0, 0));
    std::mt19937 random(11);
    std::uniform_int_distribution<MonotonicTime> late(0, 3 * kTickPeriod);
    MonotonicTime t = 0;
    const MonotonicTime tenMinutes = 600 * kTicksPerSecond;
    while (t < tenMinutes) {
        t += kTickPeriod + late(random);
        if (t % 97 == 0) {
            t += 3 * kTicksPerSecond; // a handler held up for 3 s
        }
        rig.Callback(std::min(t, tenMinutes));
    }
    rig.Callback(tenMinutes);
    // Anchored half a period behind the load: exactly 12000 ticks, not one lost.
    const ClockTimeRecord local = rig.Local();
    EXPECT_EQ(local.Hour, 12);
    EXPECT_EQ(local.Minute, 10);
    EXPECT_EQ(local.Second, 0);
    EXPECT_EQ(local.Millisecond, 0);
    EXPECT_EQ(rig.duties.Count("alarms"), 10);
}

TEST(TickPacing, MoreThanFiveSecondsOwedJumpsWithoutReplayingDuties) {
    Rig rig(At(2024, 3, 5, 12, 0, 30, 0));
    const TickReport report = rig.Callback(60 * kTicksPerSecond + kTickPeriod / 4);
    EXPECT_TRUE(report.jumped);
    EXPECT_EQ(report.ticks, 1200);
    EXPECT_EQ(rig.duties.Count("alarms"), 0);
    EXPECT_EQ(rig.duties.Count("noodle"), 0);
    // The countdowns are told of the whole jump once, so they ring when the stall ends.
    EXPECT_EQ(rig.duties.Count("skip"), 1);
    EXPECT_EQ(rig.duties.skipped, 1200);
    EXPECT_EQ(rig.duties.Count("invalidate"), 1);
    EXPECT_EQ(rig.duties.Count("tooltip"), 1);

    ClockKeeper fresh;
    fresh.Reset();
    fresh.Load(At(2024, 3, 5, 12, 1, 30, 0), 0);
    EXPECT_EQ(rig.Local(), fresh.Read().LocalClock);

    // Afterwards the clock runs on from the same anchor, one tick a period.
    EXPECT_EQ(rig.Callback(61 * kTicksPerSecond + kTickPeriod / 4).ticks, 20);
}

TEST(TickPacing, ALoadRestartsTheCountSoNoBurstFollowsIt) {
    Rig rig(At(2024, 3, 5, 12, 0, 0, 0));
    rig.keeper.Load(At(2024, 3, 5, 18, 0, 0, 0), 40 * kTickPeriod);
    EXPECT_EQ(rig.Callback(41 * kTickPeriod).ticks, 1);
    EXPECT_EQ(rig.Local().Hour, 18);
    EXPECT_EQ(rig.Local().MinuteTicks, 1);
}

TEST(TickPacing, NothingRunsBeforeTheFirstLoad) {
    ClockKeeper keeper;
    keeper.Reset();
    TickState state;
    RecordingDuties duties;
    EXPECT_EQ(RunTick(keeper, state, TickSettings{}, duties, 1'000'000'000).ticks, 0);
    EXPECT_TRUE(duties.ticks.empty());
}

// The soak's world: time that moves only when the callback advances it, held on request.
struct SteppedWorld final : SoakWorld {
    MonotonicTime* now;
    int holdAfter = -1; // advances allowed before the world is held; -1 never held
    int advances = 0;
    explicit SteppedWorld(MonotonicTime& at) : now(&at) {}
    MonotonicTime Advance(std::int64_t by) override {
        ++advances;
        return *now += by;
    }
    bool Held() override { return holdAfter >= 0 && advances >= holdAfter; }
};

TickReport SoakCallback(Rig& rig, SteppedWorld& world, std::int64_t extra) {
    rig.now += kTickPeriod;
    return RunSoakCallback(rig.keeper, rig.state, rig.settings, rig.duties, world, rig.now, extra);
}

TEST(TickSoak, EachCallbackReplaysEveryExtraTickWithItsSchedulersAndDrawsOnce) {
    struct Case {
        const char* name;
        std::int64_t extra;
        int holdAfter;
        int advances; // ticks replayed in the callback
        int steps;    // times the world moved on
        int late = 0; // ticks the callback comes late, beyond what the records replay
    };
    const Case cases[] = {
        {"off: just the real tick", 0, -1, 1, 0},
        {"one partial step", 7, -1, 8, 1},
        {"whole steps", 3 * kSoakStepTicks, -1, 3 * kSoakStepTicks + 1, 3},
        {"a day in five minutes", 288, -1, 289, 15},
        {"held from the start", 288, 0, 1, 0},
        {"held after two steps", 288, 2, 2 * kSoakStepTicks + 1, 2},
        {"a stall of twelve seconds", 20, -1, 241 + 20, 1, 240},
    };
    for (const Case& c : cases) {
        Rig rig(At(2024, 3, 5, 12, 0, 50, 0));
        rig.settings.TimeSignal0JustOnFlag = 1;
        rig.now += c.late * kTickPeriod;
        SteppedWorld world(rig.now);
        world.holdAfter = c.holdAfter;
        const TickReport report = SoakCallback(rig, world, c.extra);
        EXPECT_EQ(report.advances, c.advances) << c.name;
        EXPECT_EQ(report.ticks, c.advances) << c.name;
        EXPECT_FALSE(report.jumped) << c.name;
        EXPECT_EQ(world.advances, c.steps) << c.name;
        EXPECT_EQ(rig.duties.Count("chime0"), c.advances) << c.name;
        EXPECT_EQ(rig.duties.Count("balloon"), 1) << c.name;
        EXPECT_LE(rig.duties.Count("invalidate"), 1) << c.name;
        const std::int64_t ms = 50'000 + std::int64_t{c.advances} * 50;
        EXPECT_EQ(rig.Local().Minute * 60'000 + rig.Local().Second * 1000 + rig.Local().Millisecond,
                  ms % 3'600'000)
            << c.name;
    }
}

TEST(TickSoak, AnHourOfSoakCallbacksRunsEveryMinuteAndSecondDutyOnceAndNeverJumps) {
    Rig rig(At(2024, 10, 27, 0, 30, 0, 0));
    SteppedWorld world(rig.now);
    std::int64_t ticks = 0;
    int jumps = 0;
    while (ticks < 72'000) {
        const TickReport r = SoakCallback(rig, world, std::min<std::int64_t>(288, 71'999 - ticks));
        ticks += r.ticks;
        jumps += r.jumped ? 1 : 0;
        rig.state.unpaintedRedraws.store(0);
    }
    EXPECT_EQ(ticks, 72'000);
    EXPECT_EQ(jumps, 0);
    EXPECT_EQ(rig.duties.Count("alarms"), 60);
    EXPECT_EQ(rig.duties.Count("ntp"), 60);
    EXPECT_EQ(rig.duties.Count("noodle"), 3600);
    EXPECT_EQ(rig.duties.Count("lockouts"), 3600);
    EXPECT_EQ(rig.duties.Count("custom"), 3600);
    EXPECT_EQ(rig.duties.Count("balloon"), (72'000 + 288) / 289) << "once a callback";
    EXPECT_EQ(rig.Local().Hour, 1);
    EXPECT_EQ(rig.Local().Minute, 30);
    EXPECT_EQ(rig.Local().MinuteTicks, 0);
}

TEST(TickCalendar, YearEndAndSummerTimeTransitionsKeepDutiesOncePerMinute) {
    WorldZoneSettings zones;
    zones.TimeZoneDiffSummerTimeOnFlag = {1, 1};
    zones.TimeZoneDiffHour = {0, -5};
    // 10:00 JST on 31 March 2024 is 01:00 UTC, the European transition: run across it.
    Rig rig(At(2024, 3, 31, 9, 59, 0, 0), zones);
    rig.RunPeriods(2 * 1200);
    EXPECT_EQ(rig.duties.Count("alarms"), 2);
    EXPECT_EQ(rig.Local().Hour, 10);
    EXPECT_EQ(rig.keeper.Read().WorldClock1.Hour, 2);
    EXPECT_EQ(rig.keeper.Read().WorldSummerActive[0], 1);

    Rig yearEnd(At(2024, 12, 31, 23, 59, 0, 0), zones);
    yearEnd.RunPeriods(2 * 1200);
    EXPECT_EQ(yearEnd.duties.Count("alarms"), 2);
    EXPECT_EQ(yearEnd.Local().Year, 2025);
    EXPECT_EQ(yearEnd.Local().DayOfWeek, 3); // 1 January 2025 is a Wednesday
}

TEST(TickThreads, ReadersNeverSeeAHalfLoadedRecord) {
    ClockKeeper keeper;
    keeper.Reset();
    keeper.Load(At(2024, 3, 5, 12, 0, 0, 0), 0);
    std::atomic<bool> stop{false};
    std::thread tick([&] {
        TickState state;
        TickSettings settings;
        RecordingDuties duties;
        MonotonicTime t = 0;
        while (!stop.load()) {
            t += kTickPeriod;
            RunTick(keeper, state, settings, duties, t);
            duties.ticks.clear();
            duties.seen.clear();
        }
    });
    for (int i = 0; i < 20000; ++i) {
        if (i % 3 == 0) {
            keeper.Load(At(2030 + i % 5, 7, 14, 23, 59, 59, 950), 0);
        }
        const ClockTimeRecord r = keeper.Read().LocalClock;
        ASSERT_EQ(r.MinuteTicks, r.Second * 20 + r.Millisecond / 50);
        ASSERT_EQ(r.HourTicks, r.MinuteTicks + r.Minute * 1200);
        ASSERT_EQ(r.DayTicks, r.HourTicks + r.Hour * 72000);
        ASSERT_EQ(r.DaysInMonth, DaysInMonth(r.Year, r.Month));
    }
    stop.store(true);
    tick.join();
}

} // namespace
} // namespace zentrava
