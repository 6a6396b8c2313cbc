#include "alarms/time_signal.h"

#include "app/idle_tick_duties.h"
#include "base/memory_settings_store.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace zentrava {
namespace {

using Events = std::vector<std::string>;

// "時報、14時00分になりました。" and its siblings, in CP932.
const std::string kBalloon1400 =
    "\x8E\x9E\x95\xF1\x81\x41"
    "14\x8E\x9E"
    "00\x95\xAA\x82\xC9\x82\xC8\x82\xE8\x82\xDC\x82\xB5\x82\xBD\x81\x42";
const std::string kBalloon0000 =
    "\x8E\x9E\x95\xF1\x81\x41"
    "0\x8E\x9E"
    "00\x95\xAA\x82\xC9\x82\xC8\x82\xE8\x82\xDC\x82\xB5\x82\xBD\x81\x42";
const std::string kBalloon1330 =
    "\x8E\x9E\x95\xF1\x81\x41"
    "13\x8E\x9E"
    "30\x95\xAA\x82\xC9\x82\xC8\x82\xE8\x82\xDC\x82\xB5\x82\xBD\x81\x42";

const std::string kChime = "C:\\Sounds\\chime.wav";

std::string Stamp(const ClockTimeRecord& c) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", c.Hour, c.Minute, c.Second,
                  c.Millisecond);
    return text;
}

// The outside world of the time signal: every action with the clock time of the check that
// asked for it. The channel sounds from a start until the test ends it; a stop closes it, which
// clears the last custom entry of `signal` as the sound channels do.
class RecordingActions final : public TimeSignalActions {
public:
    Events events;
    std::string when;
    bool sounding = false;
    bool balloons = true;
    TimeSignal* signal = nullptr;

    bool TimeSignalSounding() override { return sounding; }
    void StopTimeSignalSound() override {
        events.push_back(when + " stop");
        sounding = false;
        if (signal != nullptr) {
            signal->ClearLastCustomEntry();
        }
    }
    void StartTimeSignalSound(const std::string& path) override {
        events.push_back(when + " start " + path);
        sounding = true;
    }
    bool BalloonsSupported() override { return balloons; }
    void RequestBalloon(const std::string& text) override {
        events.push_back(when + " balloon " + text);
    }
};

// The tick's duties with the three time-signal checks wired to the time signal, the rest idle.
class ChimeDuties final : public IdleDuties {
public:
    ChimeDuties(TimeSignal& signal, TickState& state, RecordingActions& actions)
        : signal_(signal), state_(state), actions_(actions) {}

    void CountLockoutSeconds() override { signal_.lockout.CountSecond(); }
    void CheckHourChime(const Clocks& c) override {
        actions_.when = Stamp(c.LocalClock);
        zentrava::CheckHourChime(signal_, signal_.lockout, c, actions_);
    }
    void CheckHalfHourChime(const Clocks& c) override {
        actions_.when = Stamp(c.LocalClock);
        zentrava::CheckHalfHourChime(signal_, signal_.lockout, c, actions_);
    }
    void CheckCustomTimeSignals(const Clocks& c) override {
        actions_.when = Stamp(c.LocalClock);
        zentrava::CheckCustomTimeSignals(signal_, signal_.lockout, c, actions_);
    }

private:
    TimeSignal& signal_;
    TickState& state_;
    RecordingActions& actions_;
};

DateTime At(int hour, int minute, int second, int ms, int day = 5) {
    return {2024, 3, DayOfWeekOf(2024, 3, day), day, hour, minute, second, ms};
}

// A clock loaded at a time of 5 March 2024 and driven one callback per period, the tick's
// switches copied from the time signal before each callback as the glue does.
struct Rig {
    ClockKeeper keeper;
    TickState state;
    TickSettings tick;
    TimeSignal signal;
    RecordingActions actions;
    ChimeDuties duties{signal, state, actions};
    MonotonicTime now = 0;

    Rig(const DateTime& start, const TimeSignalSettings& settings) {
        keeper.Reset();
        keeper.Load(start, now);
        signal.Commit(settings);
        actions.signal = &signal;
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            now += kTickPeriod;
            CopyTickFlags(signal, tick);
            RunTick(keeper, state, tick, duties, now);
        }
    }
    void Seconds(int count) { Ticks(count * kTicksPerSecondUnit); }
    // As a time setting does: the clock continues from `t` with the next tick.
    void SetTime(const DateTime& t) { keeper.Load(t, now); }
};

TimeSignalSettings HourlyOn() {
    TimeSignalSettings s;
    s.TimeSignal0JustOnFlag = 1;
    s.TimeSignalSoundFile = kChime;
    return s;
}

// Each hour and half hour its own file, "C:\\h14.wav" and "C:\\h14-30.wav".
void GiveEveryHourItsFile(TimeSignalSettings& s) {
    for (int h = 0; h < kChimeHourCount; ++h) {
        s.hours[static_cast<std::size_t>(h)].TimeSignalSoundFile =
            "C:\\h" + std::to_string(h) + ".wav";
        s.halfHours[static_cast<std::size_t>(h)].TimeSignalSoundFile =
            "C:\\h" + std::to_string(h) + "-30.wav";
    }
    s.CustumTimeSignalSoundEnable = 1;
    s.CustumTimeSignalSoundEnable30 = 1;
}

void SetCustom(TimeSignalSettings& s, int number, int hour, int minute, int second, int ms = 0) {
    s.custom[static_cast<std::size_t>(number - 1)] = {1, hour, minute, second, ms};
}

TEST(TimeSignalHourlyChime, StartsThreeSecondsEarlyForTheNextHourAndReportsItOnTheHour) {
    Rig rig(At(13, 59, 50, 0), HourlyOn());
    rig.Seconds(20);
    EXPECT_EQ(rig.actions.events,
              (Events{"13:59:57.000 start " + kChime, "14:00:00.000 balloon " + kBalloon1400}));
}

TEST(TimeSignalHourlyChime, FreshSettingsChimeNeitherOnTheHourNorOnTheHalfHour) {
    TimeSignalSettings s;
    s.TimeSignalSoundFile = kChime;
    Rig rig(At(13, 29, 50, 0), s);
    rig.Seconds(40 * 60);
    EXPECT_EQ(rig.actions.events, Events{});
}

TEST(TimeSignalHourlyChime, NextHourAfterMidnightIsHourZero) {
    TimeSignalSettings s = HourlyOn();
    GiveEveryHourItsFile(s);
    Rig rig(At(23, 59, 50, 0), s);
    rig.Seconds(20);
    EXPECT_EQ(rig.actions.events,
              (Events{"23:59:57.000 start C:\\h0.wav", "00:00:00.000 balloon " + kBalloon0000}));

    s.hours[0].EachTimeSignalFlag = 0; // hour 23's own flag is still on
    Rig off(At(23, 59, 50, 0), s);
    off.Seconds(20);
    EXPECT_EQ(off.actions.events, Events{});
}

TEST(TimeSignalHourlyChime, StartAtTheFullHourReportsOnTheSameTick) {
    TimeSignalSettings s = HourlyOn();
    GiveEveryHourItsFile(s);
    s.TimeSignalMinuteBase = 0;
    s.TimeSignalSecondBase = 0;
    s.TimeSignal30JustOnFlag = 1;
    s.TimeSignalMinuteBase30 = 30;
    s.TimeSignalSecondBase30 = 0;
    Rig rig(At(13, 59, 50, 0), s);
    rig.Seconds(31 * 60);
    EXPECT_EQ(rig.actions.events,
              (Events{"14:00:00.000 start C:\\h14.wav", "14:00:00.000 balloon " + kBalloon1400,
                      "14:30:00.000 stop", "14:30:00.000 start C:\\h14-30.wav",
                      "14:30:00.000 balloon \x8E\x9E\x95\xF1\x81\x41"
                      "14\x8E\x9E"
                      "30\x95\xAA\x82\xC9\x82\xC8\x82\xE8\x82\xDC\x82\xB5\x82\xBD\x81\x42"}));
}

TEST(TimeSignalHalfHourChime, StartsAheadOfTheHalfHourForTheCurrentHour) {
    TimeSignalSettings s;
    s.TimeSignal30JustOnFlag = 1;
    GiveEveryHourItsFile(s);
    Rig rig(At(13, 29, 50, 0), s);
    rig.Seconds(35 * 60);
    // The full hour is not chimed: only the half-hour switch is on.
    EXPECT_EQ(rig.actions.events, (Events{"13:29:57.000 start C:\\h13-30.wav",
                                          "13:30:00.000 balloon " + kBalloon1330}));
}

TEST(TimeSignalHourlyChime, WhichHourIsAnnouncedDependsOnTheHalfOfTheHourTheStartFallsIn) {
    struct Case {
        int mSecondEnable;
        int minute, second, ms;
        const char* start;  // clock time of the start, hour 10 or 11
        const char* file;   // the announced hour's file
        std::size_t events; // a start after 11:00:00.000 reports at 12:00 only
    };
    const Case cases[] = {
        {0, 59, 57, 500, "10:59:57.000", "C:\\h11.wav", 2}, // the base's ms is ignored
        {1, 59, 57, 500, "10:59:57.500", "C:\\h11.wav", 2},
        {0, 29, 59, 0, "10:29:59.000", "C:\\h10.wav", 2},
        {0, 30, 0, 0, "10:30:00.000", "C:\\h11.wav", 2}, // 1800 s is not in the first half
        {1, 29, 59, 950, "10:29:59.950", "C:\\h10.wav", 2},
        {1, 30, 0, 0, "10:30:00.000", "C:\\h11.wav", 2},
        {1, 0, 0, 500, "11:00:00.500", "C:\\h11.wav", 1}, // minute and second 0: this hour
        {2, 10, 0, 0, "10:10:00.000", "C:\\h11.wav", 2},  // unknown precision: always the next
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        TimeSignalSettings s = HourlyOn();
        GiveEveryHourItsFile(s);
        s.TimeSignalMSecondEnable = c.mSecondEnable;
        s.TimeSignalMinuteBase = c.minute;
        s.TimeSignalSecondBase = c.second;
        s.TimeSignalMSecondBase = c.ms;
        Rig rig(At(10, 0, 1, 0), s);
        rig.Seconds(3600);
        ASSERT_FALSE(rig.actions.events.empty());
        EXPECT_EQ(rig.actions.events[0], std::string(c.start) + " start " + c.file);
        EXPECT_EQ(rig.actions.events.size(), c.events);
    }
}

TEST(TimeSignalHourlyChime, HoursSwitchedOffGetNoChimeNoBalloonAndTakeNoLock) {
    TimeSignalSettings s = HourlyOn();
    s.TimeSignal30JustOnFlag = 1;
    s.hours[14].EachTimeSignalFlag = 0;
    s.halfHours[14].EachTimeSignalFlag = 0;
    SetCustom(s, 1, 13, 59, 59); // would be locked out by a chime at 13:59:57
    SetCustom(s, 2, 14, 29, 58);
    Rig rig(At(13, 59, 50, 0), s);
    rig.Seconds(35 * 60);
    EXPECT_EQ(rig.actions.events, (Events{"13:59:59.000 start " + kChime, "14:29:58.000 stop",
                                          "14:29:58.000 start " + kChime}));
}

TEST(TimeSignalHourlyChime, OwnFileOnlyWhenEnabledAndNotEmpty) {
    struct Case {
        int enable;
        int enable30;
        const char* own; // the file of 13:30 and of hour 14
        std::string half;
        std::string full;
    };
    const std::string own = "C:\\own.wav";
    const Case cases[] = {
        {1, 1, "C:\\own.wav", own, own},    {0, 0, "C:\\own.wav", kChime, kChime},
        {1, 1, "", kChime, kChime},         {2, 2, "C:\\own.wav", kChime, kChime},
        {0, 1, "C:\\own.wav", own, kChime}, {1, 0, "C:\\own.wav", kChime, own},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.enable << "/" << c.enable30 << " " << c.own);
        TimeSignalSettings s = HourlyOn();
        s.TimeSignal30JustOnFlag = 1;
        s.CustumTimeSignalSoundEnable = c.enable;
        s.CustumTimeSignalSoundEnable30 = c.enable30;
        s.halfHours[13].TimeSignalSoundFile = c.own;
        s.hours[14].TimeSignalSoundFile = c.own;
        Rig rig(At(13, 29, 56, 0), s);
        rig.Seconds(31 * 60);
        EXPECT_EQ(rig.actions.events,
                  (Events{"13:29:57.000 start " + c.half, "13:30:00.000 balloon " + kBalloon1330,
                          "13:59:57.000 stop", "13:59:57.000 start " + c.full,
                          "14:00:00.000 balloon " + kBalloon1400}));
    }
}

TEST(TimeSignalHourlyChime, SilentChimeStillTakesTheLockAndReports) {
    TimeSignalSettings s = HourlyOn();
    s.TimeSignalSoundFile.clear();
    s.TimeSignal30JustOnFlag = 1;
    s.TimeSignalMinuteBase30 = 0; // inside the lock of the silent chime
    s.TimeSignalSecondBase30 = 30;
    s.CustumTimeSignalSoundEnable30 = 1;
    s.halfHours[14].TimeSignalSoundFile = "C:\\half.wav";
    Rig rig(At(13, 59, 50, 0), s);
    rig.Seconds(31 * 60);
    EXPECT_EQ(rig.actions.events, (Events{"14:00:00.000 balloon " + kBalloon1400}));
}

TEST(TimeSignalHourlyChime, BalloonOnlyWhenWantedAndAvailable) {
    TimeSignalSettings s = HourlyOn();
    s.TimeSignalBallonHelpOn = 0;
    Rig quiet(At(13, 59, 50, 0), s);
    quiet.Seconds(20);
    EXPECT_EQ(quiet.actions.events, (Events{"13:59:57.000 start " + kChime}));

    Rig old(At(13, 59, 50, 0), HourlyOn());
    old.actions.balloons = false;
    old.Seconds(20);
    EXPECT_EQ(old.actions.events, (Events{"13:59:57.000 start " + kChime}));
    // The request was used up: balloons that come back later do not report a chime long past.
    old.actions.balloons = true;
    s = HourlyOn();
    s.hours[15].EachTimeSignalFlag = 0;
    old.signal.Commit(s);
    old.SetTime(At(14, 59, 50, 0));
    old.Seconds(20);
    EXPECT_EQ(old.actions.events, (Events{"13:59:57.000 start " + kChime}));
}

// A chime owes its balloon to one full or half hour only. Whatever kept that moment from
// showing it, a later hour whose chime did not sound (switched off for that hour) shows none.
TEST(TimeSignalBalloon, AChimeWhoseMomentPassedUnreportedLendsNoBalloonToALaterHour) {
    struct Case {
        const char* what;
        bool halfHour;
        std::function<void(Rig&)> atTheMoment; // from 3 s before the full or half hour
    };
    const auto commit = [](auto change) {
        return [change](Rig& rig) {
            TimeSignalSettings s = rig.signal.Settings();
            change(s);
            rig.signal.Commit(s);
        };
    };
    const Case cases[] = {
        {"balloons off at the hour", false,
         commit([](TimeSignalSettings& s) { s.TimeSignalBallonHelpOn = 0; })},
        {"balloons off at the half hour", true,
         commit([](TimeSignalSettings& s) { s.TimeSignalBallonHelpOn = 0; })},
        {"hourly chime switched off over the hour", false,
         commit([](TimeSignalSettings& s) { s.TimeSignal0JustOnFlag = 0; })},
        {"time signal switched off over the half hour", true,
         commit([](TimeSignalSettings& s) { s.TimeSignalFlag = 0; })},
        {"a clock load over the hour", false, [](Rig& rig) { rig.SetTime(At(14, 0, 2, 0)); }},
        {"a clock load over the half hour", true, [](Rig& rig) { rig.SetTime(At(13, 30, 2, 0)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TimeSignalSettings s = HourlyOn();
        if (c.halfHour) {
            std::swap(s.TimeSignal0JustOnFlag, s.TimeSignal30JustOnFlag);
        }
        Rig rig(At(13, c.halfHour ? 29 : 59, 50, 0), s);
        rig.Seconds(7); // the chime starts at ...:57
        c.atTheMoment(rig);
        rig.Seconds(10);
        // Everything back on, but the next hour's (half hour's) own chime is off.
        s.hours[15].EachTimeSignalFlag = 0;
        s.halfHours[14].EachTimeSignalFlag = 0;
        rig.signal.Commit(s);
        rig.Seconds(3600);
        const std::string start = c.halfHour ? "13:29:57.000" : "13:59:57.000";
        EXPECT_EQ(rig.actions.events, Events{start + " start " + kChime});
    }
}

TEST(TimeSignalCustom, FiftyMillisecondEntriesPlayOnlyWithMillisecondPrecision) {
    for (const int enable : {0, 1}) {
        SCOPED_TRACE(enable);
        TimeSignalSettings s;
        s.TimeSignalSoundFile = kChime;
        s.TimeSignalMSecondEnable = enable;
        SetCustom(s, 1, 10, 0, 5, 50);
        SetCustom(s, 2, 10, 2, 0, 0);
        Rig rig(At(10, 0, 0, 0), s);
        rig.Seconds(3 * 60);
        if (enable == 1) {
            EXPECT_EQ(rig.actions.events,
                      (Events{"10:00:05.050 start " + kChime, "10:02:00.000 stop",
                              "10:02:00.000 start " + kChime}));
        } else {
            EXPECT_EQ(rig.actions.events, (Events{"10:02:00.000 start " + kChime}));
        }
    }
}

TEST(TimeSignalCustom, PlayWhateverTheMasterSwitchAndNeverTheHourFiles) {
    TimeSignalSettings s = HourlyOn();
    s.TimeSignalFlag = 0;
    GiveEveryHourItsFile(s);
    SetCustom(s, 20, 10, 0, 3);
    Rig rig(At(10, 0, 0, 0), s);
    rig.Seconds(10);
    EXPECT_EQ(rig.actions.events, (Events{"10:00:03.000 start " + kChime}));
}

TEST(TimeSignalLockout, EveryStartIsBlockedForExactlyFiftyFiveSeconds) {
    // Hourly chime at 13:59:57.000; the lock ends with the whole second 14:00:52.
    for (const int enable : {0, 1}) {
        SCOPED_TRACE(enable);
        TimeSignalSettings s = HourlyOn();
        s.TimeSignalMSecondEnable = enable;
        s.TimeSignal30JustOnFlag = 1;
        s.TimeSignalMinuteBase30 = 0; // a half-hour chime inside the lock
        s.TimeSignalSecondBase30 = 51;
        SetCustom(s, 1, 14, 0, 30);
        SetCustom(s, 2, 14, 0, 51);
        SetCustom(s, 3, 14, 0, 52);
        if (enable == 1) {
            SetCustom(s, 4, 14, 0, 51, 950);
        }
        Rig rig(At(13, 59, 50, 0), s);
        rig.Seconds(70);
        EXPECT_EQ(rig.actions.events,
                  (Events{"13:59:57.000 start " + kChime, "14:00:00.000 balloon " + kBalloon1400,
                          "14:00:52.000 stop", "14:00:52.000 start " + kChime}));
    }
}

TEST(TimeSignalLockout, CustomSignalHoldsOffTheHourlyChimeAndItsBalloon) {
    TimeSignalSettings s = HourlyOn();
    SetCustom(s, 1, 13, 59, 3); // 54 s before the chime's start
    SetCustom(s, 2, 14, 0, 1);
    Rig rig(At(13, 59, 0, 0), s);
    rig.Seconds(65);
    EXPECT_EQ(rig.actions.events, (Events{"13:59:03.000 start " + kChime, "14:00:01.000 stop",
                                          "14:00:01.000 start " + kChime}));
}

TEST(TimeSignalCustom, TwoDueInOneSecondOnlyTheFirstPlays) {
    TimeSignalSettings s;
    s.TimeSignalSoundFile = kChime;
    s.TimeSignalMSecondEnable = 1;
    SetCustom(s, 5, 10, 0, 5);
    SetCustom(s, 3, 10, 0, 5);
    SetCustom(s, 7, 10, 0, 5, 500);
    Rig rig(At(10, 0, 0, 0), s);
    rig.Seconds(60);
    EXPECT_EQ(rig.actions.events, (Events{"10:00:05.000 start " + kChime}));

    // Its sound has not ended by the next day: entry 3 stands back and entry 5 plays.
    rig.SetTime(At(10, 0, 4, 0, 6));
    rig.Seconds(2);
    EXPECT_EQ(rig.actions.events.back(), "10:00:05.000 start " + kChime);
    EXPECT_EQ(rig.signal.LastCustomEntry(), 4);
    rig.Seconds(60);

    // Once its sound ended, the lowest number plays again.
    rig.signal.ClearLastCustomEntry();
    rig.SetTime(At(10, 0, 4, 0, 7));
    rig.Seconds(2);
    EXPECT_EQ(rig.signal.LastCustomEntry(), 2);
    EXPECT_EQ(rig.actions.events.size(), 5u); // start; stop, start; stop, start
}

TEST(TimeSignalCustom, SilentEntryIsNotRememberedAsTheLastOne) {
    TimeSignalSettings s;
    SetCustom(s, 1, 10, 0, 5);
    Rig rig(At(10, 0, 0, 0), s);
    rig.signal.SetLastCustomEntry(9);
    rig.Seconds(10);
    EXPECT_EQ(rig.actions.events, Events{});
    EXPECT_EQ(rig.signal.LastCustomEntry(), 9);
}

// The keys of one section in file order.
std::vector<std::string> KeysOf(const std::string& text, const std::string& section) {
    std::vector<std::string> keys;
    std::istringstream in(text);
    std::string line;
    bool inside = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line.front() == '[') {
            inside = line == "[" + section + "]";
        } else if (inside && line.find('=') != std::string::npos) {
            keys.push_back(line.substr(0, line.find('=')));
        }
    }
    return keys;
}

std::string Two(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

TimeSignalSettings Unusual() {
    TimeSignalSettings s;
    s.TimeSignalFlag = 0;
    s.hours[3].EachTimeSignalFlag = 0;
    s.halfHours[22].EachTimeSignalFlag = 0;
    s.TimeSignalBallonHelpOn = 0;
    s.TimeSignalMSecondEnable = 1;
    s.TimeSignalSoundFile = "C:\\Sounds\\chime.wav";
    s.TimeSignalSoundFileName = "chime.wav";
    s.custom[0] = {1, 23, 59, 58, 950};
    s.custom[19] = {1, 7, 5, 3, 100};
    s.TimeSignal0JustOnFlag = 1;
    s.TimeSignal30JustOnFlag = 1;
    s.TimeSignalMinuteBase = 58;
    s.TimeSignalSecondBase = 50;
    s.TimeSignalMSecondBase = 250;
    s.TimeSignalMinuteBase30 = 28;
    s.TimeSignalSecondBase30 = 40;
    s.TimeSignalMSecondBase30 = 900;
    s.CustumTimeSignalSoundEnable = 1;
    s.hours[14].TimeSignalSoundFile = "D:\\two o'clock.mp3";
    s.hours[14].TimeSignalSoundFileName = "two o'clock.mp3";
    s.CustumTimeSignalSoundEnable30 = 1;
    s.halfHours[0].TimeSignalSoundFile = "D:\\half past midnight.mid";
    s.halfHours[0].TimeSignalSoundFileName = "half past midnight.mid";
    return s;
}

void LoadAll(const SettingsStore& store, TimeSignal& signal) {
    LoadTimeSignal(store, signal);
    LoadPerHourSounds(store, signal);
    LoadPerHalfHourSounds(store, signal);
}

TEST(TimeSignalSettingsFile, EmptyFileGivesTheDefaults) {
    TimeSignal signal;
    signal.SetLastCustomEntry(4);
    LoadAll(MemorySettingsStore(), signal);
    const TimeSignalSettings s = signal.Settings();
    EXPECT_EQ(s, TimeSignalSettings{});
    EXPECT_EQ(s.TimeSignalFlag, 1);
    EXPECT_EQ(s.hours[23].EachTimeSignalFlag, 1);
    EXPECT_EQ(s.halfHours[0].EachTimeSignalFlag, 1);
    EXPECT_EQ(s.TimeSignalBallonHelpOn, 1);
    EXPECT_EQ(s.TimeSignal0JustOnFlag, 0);
    EXPECT_EQ(s.TimeSignal30JustOnFlag, 0);
    EXPECT_EQ(
        (std::array{s.TimeSignalMinuteBase, s.TimeSignalSecondBase, s.TimeSignalMSecondBase,
                    s.TimeSignalMinuteBase30, s.TimeSignalSecondBase30, s.TimeSignalMSecondBase30}),
        (std::array{59, 57, 0, 29, 57, 0}));
    EXPECT_EQ(signal.LastCustomEntry(), -1);
    TickSettings tick;
    tick.TimeSignalFlag = 0;
    tick.TimeSignalMSecondEnable = 7;
    CopyTickFlags(signal, tick);
    EXPECT_EQ(tick.TimeSignalFlag, 1);
    EXPECT_EQ(tick.TimeSignalMSecondEnable, 0);
}

TEST(TimeSignalSettingsFile, EachPageWritesItsKeysInTheFileOrder) {
    MemorySettingsStore store;
    ASSERT_TRUE(SaveTimeSignal(store, Unusual()));
    ASSERT_TRUE(SavePerHourSounds(store, Unusual()));
    ASSERT_TRUE(SavePerHalfHourSounds(store, Unusual()));

    std::vector<std::string> main{"TimeSignalFlag"};
    for (int h = 0; h < 24; ++h) {
        main.push_back("EachTimeSignalFlag" + Two(h));
    }
    for (int h = 0; h < 24; ++h) {
        main.push_back("EachTimeSignalFlag" + Two(h) + "30");
    }
    main.insert(main.end(),
                {"TimeSignalBallonHelpOn", "TimeSignalMSecondEnable", "TimeSignalSoundFile"});
    for (int n = 1; n <= 20; ++n) {
        for (const char* stem : {"TimeSignalOn", "TimeSignalHour", "TimeSignalMinute",
                                 "TimeSignalSecond", "TimeSignalMSecond"}) {
            main.push_back(stem + Two(n));
        }
    }
    main.insert(main.end(),
                {"TimeSignal0JustOnFlag", "TimeSignal30JustOnFlag", "TimeSignalMinuteBase",
                 "TimeSignalSecondBase", "TimeSignalMSecondBase", "TimeSignalMinuteBase30",
                 "TimeSignalSecondBase30", "TimeSignalMSecondBase30",
                 "CustumTimeSignalSoundEnable"});
    for (int h = 0; h < 24; ++h) {
        main.push_back("TimeSignalSoundFile" + Two(h));
    }
    EXPECT_EQ(KeysOf(store.Text(), "Time_Signal_Setting"), main);

    std::vector<std::string> half{"CustumTimeSignalSoundEnable30"};
    for (int h = 0; h < 24; ++h) {
        half.push_back("TimeSignalSoundFile" + Two(h) + "30");
    }
    EXPECT_EQ(KeysOf(store.Text(), "Time_Signal_Setting_30"), half);
    EXPECT_NE(store.Text().find("TimeSignalMSecond01=950\r\n"), std::string::npos);
    EXPECT_NE(store.Text().find("TimeSignalSoundFile14=D:\\two o'clock.mp3\r\n"),
              std::string::npos);
}

TEST(TimeSignalSettingsFile, WhatIsSavedLoadsBackAsItWas) {
    MemorySettingsStore store;
    SaveTimeSignal(store, Unusual());
    SavePerHourSounds(store, Unusual());
    SavePerHalfHourSounds(store, Unusual());
    for (const char* file :
         {"C:\\Sounds\\chime.wav", "D:\\two o'clock.mp3", "D:\\half past midnight.mid"}) {
        store.AddExistingFile(file);
    }
    TimeSignal signal;
    LoadAll(store, signal);
    EXPECT_EQ(signal.Settings(), Unusual());
    TickSettings tick;
    CopyTickFlags(signal, tick);
    EXPECT_EQ((std::array{tick.TimeSignalFlag, tick.TimeSignal0JustOnFlag,
                          tick.TimeSignal30JustOnFlag, tick.TimeSignalMSecondEnable}),
              (std::array{0, 1, 1, 1}));

    // A page's save leaves the other pages' keys alone.
    TimeSignalSettings changed = Unusual();
    changed.TimeSignalFlag = 1;
    changed.hours[14].TimeSignalSoundFile.clear();
    SaveTimeSignal(store, changed);
    LoadAll(store, signal);
    EXPECT_EQ(signal.Settings().TimeSignalFlag, 1);
    EXPECT_EQ(signal.Settings().hours[14].TimeSignalSoundFile, "D:\\two o'clock.mp3");
}

TEST(TimeSignalSettingsFile, SoundFilesThatAreGoneOrCutReadAsNone) {
    const std::string longest(259, 'a'); // the longest path the chooser returns
    const std::string longer = longest + "b";
    MemorySettingsStore store("[Time_Signal_Setting]\r\n"
                              "TimeSignalSoundFile05=" +
                              longest +
                              "\r\n"
                              "TimeSignalSoundFile06=C:\\gone.wav\r\n"
                              "[Time_Signal_Setting_30]\r\n"
                              "TimeSignalSoundFile0530=C:\\gone.wav\r\n"
                              "TimeSignalSoundFile0630=C:\\x\\half.wav\r\n");
    store.AddExistingFile(longest);
    store.AddExistingFile("C:\\x\\half.wav");
    TimeSignal signal;
    LoadAll(store, signal);
    const TimeSignalSettings s = signal.Settings();
    EXPECT_EQ(s.hours[5].TimeSignalSoundFile, longest);
    EXPECT_EQ(s.hours[6].TimeSignalSoundFile, "");
    EXPECT_EQ(s.hours[6].TimeSignalSoundFileName, "");
    EXPECT_EQ(s.halfHours[5].TimeSignalSoundFile, "");
    EXPECT_EQ(s.halfHours[6].TimeSignalSoundFile, "C:\\x\\half.wav");
    EXPECT_EQ(s.halfHours[6].TimeSignalSoundFileName, "half.wav");

    // Cut by its buffer, a path names a file that does not exist.
    MemorySettingsStore cut("[Time_Signal_Setting]\r\nTimeSignalSoundFile=" + longer +
                            "\r\nTimeSignalSoundFile05=" + longer + "\r\n");
    cut.AddExistingFile(longer);
    LoadAll(cut, signal);
    EXPECT_EQ(signal.Settings().TimeSignalSoundFile, "");
    EXPECT_EQ(signal.Settings().TimeSignalSoundFileName, "");
    EXPECT_EQ(signal.Settings().hours[5].TimeSignalSoundFile, "");
}

// The general chime takes as long a path as the chooser hands it, and keeps it over a restart.
TEST(TimeSignalSettingsFile, TheLongestPathTheChooserTakesSurvivesSaveAndLoad) {
    const std::string longest = "C:\\" + std::string(252, 'a') + ".wav";
    ASSERT_EQ(longest.size(), 259u);
    MemorySettingsStore store;
    store.AddExistingFile(longest);
    TimeSignalSettings saved;
    saved.TimeSignalSoundFile = longest;
    ASSERT_TRUE(SaveTimeSignal(store, saved));
    TimeSignal loaded;
    LoadAll(store, loaded);
    EXPECT_EQ(loaded.Settings().TimeSignalSoundFile, longest);
    EXPECT_EQ(loaded.Settings().TimeSignalSoundFileName, std::string(252, 'a') + ".wav");
}

TEST(TimeSignalSettingsFile, CustomSecondOutsideTheMinuteIsKeptAndNeverPlays) {
    MemorySettingsStore store("[Time_Signal_Setting]\r\n"
                              "TimeSignalSoundFile=C:\\chime.wav\r\n"
                              "TimeSignalMSecondEnable=1\r\n"
                              "TimeSignalOn01=1\r\nTimeSignalHour01=10\r\nTimeSignalMinute01=0\r\n"
                              "TimeSignalSecond01=-1\r\n"
                              "TimeSignalOn02=1\r\nTimeSignalHour02=10\r\nTimeSignalMinute02=0\r\n"
                              "TimeSignalSecond02=60\r\n"
                              "TimeSignalOn03=1\r\nTimeSignalHour03=10\r\nTimeSignalMinute03=1\r\n"
                              "TimeSignalSecond03=0\r\n");
    store.AddExistingFile("C:\\chime.wav");
    TimeSignal loaded;
    LoadAll(store, loaded);
    const TimeSignalSettings s = loaded.Settings();
    EXPECT_EQ(s.custom[0].TimeSignalSecond, -1);
    EXPECT_EQ(s.custom[1].TimeSignalSecond, 60);

    // Whatever a clamp would make of them (second 0 or 59 of 10:00) never sounds; entry 3 at
    // 10:01:00 shows the check was running.
    Rig rig(At(9, 59, 58, 0), s);
    rig.Seconds(64);
    EXPECT_EQ(rig.actions.events, (Events{"10:01:00.000 start C:\\chime.wav"}));
}

TEST(TimeSignalThreads, ChecksNeverSeeHalfOfACommit) {
    // Long paths live on the heap, where a torn copy would show (or crash the sanitizer run).
    TimeSignalSettings first;
    first.TimeSignalSoundFile = "C:\\" + std::string(80, 'f') + ".wav";
    SetCustom(first, 1, 10, 0, 5);
    TimeSignalSettings second = first;
    second.TimeSignalSoundFile = "C:\\" + std::string(120, 's') + ".wav";
    TimeSignal signal;
    signal.Commit(first);
    std::atomic<bool> stop{false};
    std::thread pages([&] {
        for (int n = 0; !stop.load(); ++n) {
            CommitTimeSignal(signal, n % 2 == 0 ? second : first);
        }
    });
    Clocks clocks;
    clocks.LocalClock.Hour = 10;
    clocks.LocalClock.Second = 5;
    RecordingActions actions;
    for (int n = 0; n < 2000; ++n) {
        Lockout lockout;
        signal.ClearLastCustomEntry();
        CheckCustomTimeSignals(signal, lockout, clocks, actions);
    }
    stop.store(true);
    pages.join();
    ASSERT_EQ(actions.events.size(), 2000u + 1999u); // every start after the first stops one
    for (const std::string& e : actions.events) {
        ASSERT_TRUE(e == " stop" || e == " start " + first.TimeSignalSoundFile ||
                    e == " start " + second.TimeSignalSoundFile)
            << e;
    }
}

} // namespace
} // namespace zentrava
