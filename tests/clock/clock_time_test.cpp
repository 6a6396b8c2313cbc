#include "clock/clock_time.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace zentrava {
namespace {

constexpr std::int64_t kTick = kTickMs * kTicksPerMillisecond;
constexpr std::int64_t kHour = 60 * kTicksPerMinute;

DateTime At(int year, int month, int day, int hour, int minute, int second = 0, int ms = 0) {
    return {year, month, DayOfWeekOf(year, month, day), day, hour, minute, second, ms};
}

DateTime JstOfUtc(const DateTime& utc) {
    return AddMinutes(utc, 540);
}

WorldZoneSettings Zones(int hour1, int minute1, int summer1, int hour2, int minute2, int summer2) {
    WorldZoneSettings z;
    z.TimeZoneDiffOnFlag = {1, 1};
    z.TimeZoneDiffHour = {hour1, hour2};
    z.TimeZoneDiffMinute = {minute1, minute2};
    z.TimeZoneDiffSummerTimeOnFlag = {summer1, summer2};
    return z;
}

Clocks Loaded(const DateTime& jst, const WorldZoneSettings& zones = {}) {
    Clocks c;
    ResetClocks(c);
    SetClocks(c, jst, zones);
    return c;
}

// Names each field that differs. Only LocalClock's milliseconds run; readers take HalfDayTicks
// modulo half a day.
std::string Differences(const char* record, const ClockTimeRecord& a, const ClockTimeRecord& b,
                        bool milliseconds) {
    struct Field {
        const char* name;
        std::int32_t ClockTimeRecord::*member;
    };
    static constexpr Field kFields[] = {
        {"Year", &ClockTimeRecord::Year},
        {"Month", &ClockTimeRecord::Month},
        {"Day", &ClockTimeRecord::Day},
        {"DaysInMonth", &ClockTimeRecord::DaysInMonth},
        {"DayOfWeek", &ClockTimeRecord::DayOfWeek},
        {"Second", &ClockTimeRecord::Second},
        {"MinuteTicks", &ClockTimeRecord::MinuteTicks},
        {"Minute", &ClockTimeRecord::Minute},
        {"HourTicks", &ClockTimeRecord::HourTicks},
        {"Hour", &ClockTimeRecord::Hour},
        {"DayTicks", &ClockTimeRecord::DayTicks},
        {"MillisecondStep", &ClockTimeRecord::MillisecondStep},
    };
    std::string out;
    const auto note = [&](const char* name, std::int32_t x, std::int32_t y) {
        out += std::string(" ") + record + "." + name + " " + std::to_string(x) + " vs " +
               std::to_string(y);
    };
    for (const Field& f : kFields) {
        if (a.*f.member != b.*f.member) {
            note(f.name, a.*f.member, b.*f.member);
        }
    }
    if (a.HalfDayTicks % kTicksPerHalfDayUnit != b.HalfDayTicks % kTicksPerHalfDayUnit) {
        note("HalfDayTicks", a.HalfDayTicks, b.HalfDayTicks);
    }
    if (milliseconds && a.Millisecond != b.Millisecond) {
        note("Millisecond", a.Millisecond, b.Millisecond);
    }
    return out;
}

// Loads at `start`, advances `ticks` times and compares with a fresh load at each new minute of
// LocalClock, every 997 ticks, and every tick within two seconds of `closeAt` (file ticks).
testing::AssertionResult RunsLikeFreshLoads(const WorldZoneSettings& zones, const DateTime& start,
                                            std::int64_t ticks, std::int64_t closeAt = -1) {
    Clocks running = Loaded(start, zones);
    const std::int64_t from = ToFileTicks(start);
    for (std::int64_t n = 1; n <= ticks; ++n) {
        const bool newMinute = AdvanceClocks(running, zones).newMinute;
        const std::int64_t now = from + n * kTick;
        const bool close =
            closeAt >= 0 && now >= closeAt - 40 * kTick && now <= closeAt + 40 * kTick;
        if (!newMinute && !close && n % 997 != 0 && n != ticks) {
            continue;
        }
        const DateTime at = FromFileTicks(now);
        const Clocks fresh = Loaded(at, zones);
        std::string d = Differences("LocalClock", running.LocalClock, fresh.LocalClock, true) +
                        Differences("UtcClock", running.UtcClock, fresh.UtcClock, false) +
                        Differences("WorldClock1", running.WorldClock1, fresh.WorldClock1, false) +
                        Differences("WorldClock2", running.WorldClock2, fresh.WorldClock2, false);
        if (running.HalfSecondFlag != fresh.HalfSecondFlag) {
            d += " HalfSecondFlag";
        }
        // The advance keeps the summer flag up to date only for zones that observe summer time.
        for (std::size_t i = 0; i < 2; ++i) {
            if (zones.TimeZoneDiffSummerTimeOnFlag[i] == 1 &&
                running.WorldSummerActive[i] != fresh.WorldSummerActive[i]) {
                d += " WorldSummerActive" + std::to_string(i + 1);
            }
        }
        if (!d.empty()) {
            return testing::AssertionFailure()
                   << "JST " << at.year << '-' << at.month << '-' << at.day << ' ' << at.hour << ':'
                   << at.minute << ':' << at.second << '.' << at.milliseconds << ':' << d;
        }
    }
    return testing::AssertionSuccess();
}

TEST(LocalClock, OneTickRollsTheCalendarOver) {
    struct Case {
        DateTime before, after;
    };
    for (const Case& c : {
             Case{At(2024, 12, 31, 23, 59, 59, 975), At(2025, 1, 1, 0, 0, 0, 0)},
             Case{At(2024, 2, 28, 23, 59, 59, 950), At(2024, 2, 29, 0, 0, 0, 0)},
             Case{At(2024, 2, 29, 23, 59, 59, 950), At(2024, 3, 1, 0, 0, 0, 0)},
             Case{At(2100, 2, 28, 23, 59, 59, 950), At(2100, 3, 1, 0, 0, 0, 0)},
             Case{At(2000, 2, 28, 23, 59, 59, 950), At(2000, 2, 29, 0, 0, 0, 0)},
             Case{At(2024, 4, 30, 11, 59, 59, 950), At(2024, 4, 30, 12, 0, 0, 0)},
         }) {
        Clocks clocks = Loaded(c.before);
        AdvanceClocks(clocks, {});
        const ClockTimeRecord expected = Loaded(c.after).LocalClock;
        EXPECT_EQ(Differences("LocalClock", clocks.LocalClock, expected, true), "")
            << c.before.year << '-' << c.before.month << '-' << c.before.day;
        EXPECT_EQ(clocks.LocalClock.HalfDayTicks, expected.HalfDayTicks % kTicksPerHalfDayUnit);
    }
    EXPECT_EQ(Loaded(At(2025, 1, 1, 0, 0)).LocalClock.DayOfWeek, 3);
}

TEST(LocalClock, MillisecondsRoundDownToTheTickAndSetTheHalfSecondFlag) {
    struct Case {
        int ms, flag, millisecond;
    };
    for (const Case c : {Case{0, 1, 0}, Case{499, 1, 450}, Case{500, 0, 500}, Case{999, 0, 950}}) {
        Clocks clocks = Loaded(At(2024, 6, 1, 12, 34, 56, c.ms));
        EXPECT_EQ(clocks.HalfSecondFlag, c.flag) << c.ms;
        EXPECT_EQ(clocks.LocalClock.Millisecond, c.millisecond) << c.ms;
        EXPECT_EQ(clocks.LocalClock.MinuteTicks, c.millisecond / 50 + 20 * 56) << c.ms;
        // The flag keeps following the half second as the clock runs.
        for (int n = 0; n < 40; ++n) {
            AdvanceClocks(clocks, {});
            ASSERT_EQ(clocks.HalfSecondFlag, clocks.LocalClock.Millisecond < 500 ? 1 : 0) << c.ms;
        }
    }
}

TEST(LocalClock, ADayOfTicksRaisesEachEventTheRightNumberOfTimes) {
    struct Case {
        DateTime start;
        int ticks, halfSeconds, seconds, minutes, hours, days, halfDayWraps, dayWraps;
    };
    for (const Case& c : {
             Case{At(2024, 6, 1, 0, 0), kTicksPerDayUnit, 172800, 86400, 1440, 24, 1, 2, 1},
             // Loaded in the afternoon, half the day has already gone by: no wrap at noon.
             Case{At(2024, 6, 1, 15, 0), 9 * kTicksPerHourUnit, 64800, 32400, 540, 9, 1, 1, 1},
         }) {
        Clocks clocks = Loaded(c.start);
        int counts[7] = {};
        for (int n = 0; n < c.ticks; ++n) {
            const AdvanceEvents e = AdvanceClocks(clocks, {});
            const bool raised[7] = {e.halfSecond, e.wholeSecond, e.newMinute, e.newHour,
                                    e.newDay,     e.halfDayWrap, e.dayWrap};
            for (int i = 0; i < 7; ++i) {
                counts[i] += raised[i] ? 1 : 0;
            }
        }
        EXPECT_EQ(counts[0], c.halfSeconds);
        EXPECT_EQ(counts[1], c.seconds);
        EXPECT_EQ(counts[2], c.minutes);
        EXPECT_EQ(counts[3], c.hours);
        EXPECT_EQ(counts[4], c.days);
        EXPECT_EQ(counts[5], c.halfDayWraps);
        EXPECT_EQ(counts[6], c.dayWraps);
    }
}

TEST(LocalClock, OutOfRangeRecordsWrapInsteadOfRunningAway) {
    const WorldZoneSettings zones = Zones(0, 0, 1, -5, 0, 1);
    Clocks c = Loaded(At(2024, 3, 31, 9, 0), zones);
    for (ClockTimeRecord* r : {&c.LocalClock, &c.UtcClock, &c.WorldClock1, &c.WorldClock2}) {
        *r = {2024, 14, 40,     31, 9,       1200,    75,
              5000, 99, 500000, 30, 5000000, 5000000, r->MillisecondStep};
    }
    for (int n = 0; n < 2 * kTicksPerHourUnit; ++n) {
        AdvanceClocks(c, zones);
    }
    for (const ClockTimeRecord& r : {c.LocalClock, c.UtcClock, c.WorldClock1, c.WorldClock2}) {
        EXPECT_EQ(r.Year, 2025);
        EXPECT_TRUE(r.Month >= 1 && r.Month <= 12 && r.Day >= 1 && r.Day <= r.DaysInMonth);
        EXPECT_TRUE(r.DayOfWeek >= 0 && r.DayOfWeek < 7 && r.Hour >= 0 && r.Hour < 24);
        EXPECT_TRUE(r.Minute >= 0 && r.Minute < 60 && r.Second >= 0 && r.Second < 60);
        EXPECT_TRUE(r.Millisecond >= 0 && r.Millisecond < 1000);
        EXPECT_TRUE(r.MinuteTicks >= 0 && r.MinuteTicks < kTicksPerMinuteUnit);
        EXPECT_TRUE(r.HourTicks >= 0 && r.HourTicks < kTicksPerHourUnit);
        EXPECT_TRUE(r.HalfDayTicks >= 0 && r.HalfDayTicks < kTicksPerDayUnit);
        EXPECT_TRUE(r.DayTicks >= 0 && r.DayTicks < kTicksPerDayUnit);
    }
}

TEST(WorldClocks, ZoneOffsetsCountMinutesAwayFromUtc) {
    struct Case {
        int hour, minute, bias;
    };
    for (const Case c : {Case{9, 30, -570}, Case{-3, 30, 210}, Case{0, 30, 30}, Case{-5, 0, 300}}) {
        for (const int summer : {0, 1}) {
            const WorldZoneSettings zones = Zones(c.hour, c.minute, summer, c.hour, c.minute, 0);
            const ZoneRules rules = WorldZoneRules(1, zones, 2024);
            EXPECT_EQ(rules.bias, c.bias) << c.hour << ':' << c.minute;
            EXPECT_EQ(rules.daylightBias, summer == 1 ? -60 : 0);
        }
    }
}

TEST(WorldClocks, ShowZoneTimeOnEitherSideOfSummerTimeChanges) {
    struct Case {
        WorldZoneSettings zones;
        DateTime utc;
        int zone, hour, minute, second, day, summer;
    };
    const WorldZoneSettings london = Zones(0, 0, 1, -5, 0, 0);
    const WorldZoneSettings newYork = Zones(0, 0, 0, -5, 0, 1);
    for (const Case& c : {
             Case{london, At(2024, 3, 31, 1, 0), 1, 2, 0, 0, 31, 1},
             Case{london, At(2024, 3, 31, 0, 59, 59, 950), 1, 0, 59, 59, 31, 0},
             Case{london, At(2024, 10, 27, 0, 59, 59, 950), 1, 1, 59, 59, 27, 1},
             Case{london, At(2024, 10, 27, 1, 0), 1, 1, 0, 0, 27, 0},
             Case{newYork, At(2024, 3, 10, 7, 0), 2, 3, 0, 0, 10, 1},
             Case{newYork, At(2024, 3, 10, 6, 59, 59, 950), 2, 1, 59, 59, 10, 0},
             Case{newYork, At(2024, 11, 3, 6, 0), 2, 1, 0, 0, 3, 0},
             Case{newYork, At(2024, 11, 3, 5, 59, 59, 950), 2, 1, 59, 59, 3, 1},
             // With the summer flag off the zone shows standard time all summer.
             Case{newYork, At(2024, 7, 1, 12, 0), 1, 12, 0, 0, 1, 1},
             Case{london, At(2024, 7, 1, 12, 0), 2, 7, 0, 0, 1, 1},
         }) {
        const Clocks clocks = Loaded(JstOfUtc(c.utc), c.zones);
        const ClockTimeRecord& r = c.zone == 1 ? clocks.WorldClock1 : clocks.WorldClock2;
        const std::string where = std::to_string(c.utc.month) + "-" + std::to_string(c.utc.day) +
                                  " zone " + std::to_string(c.zone);
        EXPECT_EQ(r.Hour, c.hour) << where;
        EXPECT_EQ(r.Minute, c.minute) << where;
        EXPECT_EQ(r.Second, c.second) << where;
        EXPECT_EQ(r.Day, c.day) << where;
        EXPECT_EQ(r.DayOfWeek, DayOfWeekOf(2024, c.utc.month, c.day)) << where;
        EXPECT_EQ(clocks.WorldSummerActive[static_cast<std::size_t>(c.zone - 1)], c.summer)
            << where;
    }
}

TEST(WorldClocks, UtcIsNineHoursBehindTheClock) {
    ClockTimeRecord expected = Loaded(At(2024, 12, 31, 20, 0)).LocalClock;
    expected.MillisecondStep = 0;
    EXPECT_EQ(Loaded(At(2025, 1, 1, 5, 0)).UtcClock, expected);
}

TEST(WorldClocks, AZoneWithoutSummerTimeNeverJumps) {
    // At offset 0 with no summer time both zones must read exactly like UtcClock.
    const WorldZoneSettings zones = Zones(0, 0, 0, 0, 0, 0);
    for (const DateTime& utc : {At(2024, 3, 31, 0, 30), At(2024, 10, 27, 0, 30),
                                At(2024, 3, 10, 6, 30), At(2024, 11, 3, 5, 30)}) {
        Clocks c = Loaded(JstOfUtc(utc), zones);
        for (int n = 0; n < 2 * kTicksPerHourUnit; ++n) {
            AdvanceClocks(c, zones);
            ASSERT_EQ(c.WorldClock1, c.UtcClock) << utc.month << '-' << utc.day << " tick " << n;
            ASSERT_EQ(c.WorldClock2, c.UtcClock) << utc.month << '-' << utc.day << " tick " << n;
        }
    }
}

TEST(FreeRunning, MatchesAFreshLoadAcrossDayMonthAndYearEnds) {
    const WorldZoneSettings zones = Zones(5, 45, 1, -3, 30, 1);
    for (const DateTime& start :
         {At(2024, 12, 31, 6, 0), At(2024, 2, 28, 12, 0), At(2100, 2, 28, 12, 0)}) {
        EXPECT_TRUE(RunsLikeFreshLoads(zones, start, 30 * kTicksPerHourUnit));
    }
}

TEST(FreeRunning, MatchesAFreshLoadAcrossEverySummerTimeChange) {
    for (const WorldZoneSettings& zones :
         {Zones(0, 0, 1, -5, 0, 1), Zones(1, 0, 1, -8, 0, 1), Zones(9, 30, 1, -3, 30, 1),
          Zones(-2, 15, 1, 5, 45, 1)}) {
        for (const int year : {2024, 2027}) {
            for (const int zone : {1, 2}) {
                const ZoneRules rules = WorldZoneRules(zone, zones, year);
                for (const DateTime& change : {rules.daylightDate, rules.standardDate}) {
                    const std::int64_t utc = ToFileTicks(change) + rules.bias * kTicksPerMinute;
                    const DateTime start = JstOfUtc(FromFileTicks(utc - kHour));
                    EXPECT_TRUE(
                        RunsLikeFreshLoads(zones, start, 2 * kTicksPerHourUnit, utc + 9 * kHour))
                        << "zone " << zone << " bias " << rules.bias << ' ' << year << '-'
                        << change.month;
                }
            }
        }
    }
}

} // namespace
} // namespace zentrava
