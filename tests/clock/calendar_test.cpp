#include "clock/calendar.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <utility>

namespace zentrava {
namespace {

// A calendar of the test's own: a date stepped forward one day at a time with a table of month
// lengths, its count of days since 1 January 1601 and its weekday (that day was a Monday).
struct WalkedDay {
    int year = 1601;
    int month = 1;
    int day = 1;
    std::int64_t count = 0;

    static bool Leap(int y) { return y % 400 == 0 || (y % 4 == 0 && y % 100 != 0); }
    int MonthLength() const {
        constexpr std::array<int, 12> kLengths{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        return kLengths[static_cast<std::size_t>(month - 1)] + (month == 2 && Leap(year) ? 1 : 0);
    }
    int Weekday() const { return static_cast<int>((count + 1) % 7); }
    void Next() {
        ++count;
        if (++day > MonthLength()) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
};

TEST(Calendar, KnownDatesFallOnTheirWeekdays) {
    struct Case {
        int year, month, day, weekday;
    };
    for (const Case c : {Case{2024, 3, 31, 0}, Case{1601, 1, 1, 1}, Case{2000, 1, 1, 6},
                         Case{2024, 2, 29, 4}, Case{2100, 3, 1, 1}, Case{2024, 12, 31, 2}}) {
        EXPECT_EQ(DayOfWeekOf(c.year, c.month, c.day), c.weekday) << c.year << '-' << c.month;
        DateTime t{c.year, c.month, 5, c.day, 0, 0, 0, 0};
        EXPECT_EQ(FromFileTicks(ToFileTicks(t)).dayOfWeek, c.weekday) << c.year << '-' << c.month;
    }
}

// Every day of eight centuries, each at a different time of day: the tick count, the way back,
// the weekday and the month length all agree with the walked calendar.
TEST(Calendar, EveryDayFrom1601To2400RoundTripsWithTheRightWeekday) {
    for (WalkedDay w; w.year <= 2400; w.Next()) {
        const auto n = static_cast<int>(w.count);
        const DateTime t{w.year, w.month, w.Weekday(), w.day, n % 24, n % 60, n / 7 % 60, n % 1000};
        const std::int64_t ticks = ToFileTicks(t);
        const std::int64_t timeOfDay =
            ((t.hour * 60LL + t.minute) * 60 + t.second) * kTicksPerSecond +
            t.milliseconds * kTicksPerMillisecond;
        ASSERT_EQ(ticks, w.count * kTicksPerDay + timeOfDay) << w.year << '-' << w.month;
        ASSERT_EQ(FromFileTicks(ticks), t) << w.year << '-' << w.month << '-' << w.day;
        ASSERT_EQ(DayOfWeekOf(w.year, w.month, w.day), w.Weekday()) << w.year << '-' << w.month;
        ASSERT_EQ(DaysInMonth(w.year, w.month), w.MonthLength()) << w.year << '-' << w.month;
    }
}

TEST(Calendar, JapanTimeIsNineHoursAheadOfUtcAllYear) {
    struct Case {
        DateTime jst, utc;
    };
    for (const Case& c : {
             Case{{2025, 1, 3, 1, 5, 0, 0, 0}, {2024, 12, 2, 31, 20, 0, 0, 0}},
             Case{{2024, 3, 4, 1, 8, 59, 59, 950}, {2024, 2, 4, 29, 23, 59, 59, 950}},
             Case{{2024, 7, 1, 1, 9, 0, 0, 0}, {2024, 7, 1, 1, 0, 0, 0, 0}},
         }) {
        EXPECT_EQ(JstToUtc(c.jst), c.utc) << c.jst.year << '-' << c.jst.month;
    }
}

// The summer rules of both kinds for a century, against Sundays found by walking the calendar,
// and the summer-time test flipping exactly at each transition in the zone's standard time.
TEST(SummerTime, BothRulesPickTheRightSundaysFrom2000To2099) {
    WalkedDay w;
    while (w.year < 2000) {
        w.Next();
    }
    for (int year = 2000; year <= 2099; ++year) {
        int lastMarch = 0, secondMarch = 0, lastOctober = 0, firstNovember = 0, marchSundays = 0;
        for (; w.year == year; w.Next()) {
            if (w.Weekday() != 0) {
                continue;
            }
            if (w.month == 3) {
                lastMarch = w.day;
                secondMarch = ++marchSundays == 2 ? w.day : secondMarch;
            } else if (w.month == 10) {
                lastOctober = w.day;
            } else if (w.month == 11 && firstNovember == 0) {
                firstNovember = w.day;
            }
        }
        const SummerRules eu = MakeSummerRules(SummerRuleKind::European, year);
        const SummerRules us = MakeSummerRules(SummerRuleKind::UsEastern, year);
        ASSERT_EQ(eu.daylightDate, (DateTime{year, 3, 0, lastMarch, 1, 0, 0, 0}));
        ASSERT_EQ(eu.standardDate, (DateTime{year, 10, 0, lastOctober, 1, 0, 0, 0}));
        ASSERT_EQ(us.daylightDate, (DateTime{year, 3, 0, secondMarch, 2, 0, 0, 0}));
        ASSERT_EQ(us.standardDate, (DateTime{year, 11, 0, firstNovember, 1, 0, 0, 0}));

        // Zones one hour east of UTC and five hours west of it.
        for (const auto& [rules, bias] : {std::pair{eu, -60}, std::pair{us, 300}}) {
            const ZoneRules zone{bias, rules.standardDate, 0, rules.daylightDate, -60};
            const std::int64_t into = ToFileTicks(rules.daylightDate) + bias * kTicksPerMinute;
            const std::int64_t out = ToFileTicks(rules.standardDate) + bias * kTicksPerMinute;
            const std::int64_t tick = 50 * kTicksPerMillisecond;
            ASSERT_EQ(IsSummerTime(zone, FromFileTicks(into - tick)), 0) << year;
            ASSERT_EQ(IsSummerTime(zone, FromFileTicks(into)), 1) << year;
            ASSERT_EQ(IsSummerTime(zone, FromFileTicks(out - tick)), 1) << year;
            ASSERT_EQ(IsSummerTime(zone, FromFileTicks(out)), 0) << year;
        }
    }
}

TEST(SummerTime, TransitionRulesResolveToCalendarDates) {
    struct Case {
        DateTime rule;
        int year;
        bool found;
        DateTime date;
    };
    for (const Case& c : {
             Case{{0, 0, 0, 5, 1, 0, 0, 0}, 2024, false, {}},
             Case{{0, 3, 0, 5, 1, 0, 0, 0}, 2024, true, {2024, 3, 0, 31, 1, 0, 0, 0}},
             Case{{0, 3, 0, 2, 2, 0, 0, 0}, 2024, true, {2024, 3, 0, 10, 2, 0, 0, 0}},
             Case{{0, 2, 4, 5, 0, 0, 0, 0}, 2024, true, {2024, 2, 4, 29, 0, 0, 0, 0}},
             Case{{0, 2, 4, 5, 0, 0, 0, 0}, 2023, true, {2023, 2, 4, 23, 0, 0, 0, 0}},
             Case{{0, 3, 9, 1, 0, 0, 0, 0}, 2024, false, {}},
             // An absolute date takes the year asked for and rolls past a short month.
             Case{{1999, 2, 0, 30, 3, 0, 0, 0}, 2023, true, {2023, 3, 4, 2, 3, 0, 0, 0}},
         }) {
        DateTime out;
        EXPECT_EQ(ResolveTransitionDate(c.rule, c.year, out), c.found) << c.rule.month;
        if (c.found) {
            EXPECT_EQ(out, c.date) << c.rule.month << '/' << c.rule.day;
        }
    }
}

TEST(SummerTime, SouthernZonesAreInSummerOverTheNewYear) {
    // First Sunday of October into summer, first Sunday of April out, ten hours east.
    const ZoneRules south{-600, {0, 4, 0, 1, 3, 0, 0, 0}, 0, {0, 10, 0, 1, 2, 0, 0, 0}, -60};
    ZoneRules noStandard = south;
    noStandard.standardDate.month = 0;
    struct Case {
        const ZoneRules& zone;
        DateTime utc;
        int summer;
    };
    for (const Case& c : {
             Case{south, {2024, 1, 0, 15, 0, 0, 0, 0}, 1},
             Case{south, {2024, 7, 0, 15, 0, 0, 0, 0}, 0},
             Case{south, {2024, 12, 0, 31, 20, 0, 0, 0}, 1},
             // 7 April 03:00 and 6 October 02:00 local standard time, ten hours ahead of UTC.
             Case{south, {2024, 4, 0, 6, 16, 59, 59, 950}, 1},
             Case{south, {2024, 4, 0, 6, 17, 0, 0, 0}, 0},
             Case{south, {2024, 10, 0, 5, 15, 59, 59, 950}, 0},
             Case{south, {2024, 10, 0, 5, 16, 0, 0, 0}, 1},
             Case{noStandard, {2024, 1, 0, 15, 0, 0, 0, 0}, 0},
         }) {
        EXPECT_EQ(IsSummerTime(c.zone, c.utc), c.summer) << c.utc.month << '-' << c.utc.day;
    }
}

} // namespace
} // namespace zentrava
