#include "clock/clock_keeper.h"

#include "clock/calendar.h"

#include <gtest/gtest.h>

namespace zentrava {
namespace {

DateTime At(int year, int month, int day, int hour, int minute, int second, int ms) {
    return {year, month, DayOfWeekOf(year, month, day), day, hour, minute, second, ms};
}

// New zones must not move the program's clock: a reload would re-anchor the pacer, dropping or
// repeating part of a tick, and a reload from LocalClock's rounded fields loses nothing only
// by luck. The twin keeper runs the same steps without the new zones.
TEST(ClockKeeperZones, NewZonesMoveOnlyTheWorldRecords) {
    WorldZoneSettings eastern;
    eastern.TimeZoneDiffHour = {0, -5};
    eastern.TimeZoneDiffSummerTimeOnFlag = {0, 1};
    struct Case {
        const char* name;
        DateTime start;
        int hour1; // the world records' hours once the new zones apply
        int hour2;
    };
    // 1 June 06:15 JST is 21:15 UTC the day before; US Eastern summer time is UTC-4.
    // 15 January 06:15 JST: no summer time anywhere, UTC-5.
    const Case cases[] = {
        {"summer", At(2024, 6, 1, 6, 15, 0, 0), 21, 17},
        {"winter", At(2024, 1, 15, 6, 15, 0, 0), 21, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClockKeeper keeper;
        ClockKeeper twin;
        for (ClockKeeper* k : {&keeper, &twin}) {
            k->Reset();
            k->Load(c.start, 0);
            // Callbacks a little late, so the pacer's count is off the load's grid.
            k->Step(kTickPeriod + kTickPeriod / 3);
            k->Step(2 * kTickPeriod + kTickPeriod / 3);
        }
        const Clocks before = keeper.Read();
        ASSERT_EQ(before.WorldClock2.Hour, 21) << "zone 2 starts at UTC";

        // Applied with three more periods owed that the tick has not taken yet.
        keeper.ApplyZones(eastern);
        const Clocks after = keeper.Read();
        EXPECT_EQ(after.LocalClock, before.LocalClock);
        EXPECT_EQ(after.UtcClock, before.UtcClock);
        EXPECT_EQ(after.HalfSecondFlag, before.HalfSecondFlag);
        EXPECT_EQ(after.WorldClock1.Hour, c.hour1);
        EXPECT_EQ(after.WorldClock2.Hour, c.hour2);
        EXPECT_EQ(after.WorldClock2.Minute, 15);
        EXPECT_EQ(after.WorldClock2.MinuteTicks, before.LocalClock.MinuteTicks);
        EXPECT_EQ(keeper.Zones().TimeZoneDiffHour[1], -5);

        for (const MonotonicTime now :
             {5 * kTickPeriod + kTickPeriod / 4, 5 * kTickPeriod + kTickPeriod / 2,
              6 * kTickPeriod + kTickPeriod / 10}) {
            const ClockStep step = keeper.Step(now);
            const ClockStep same = twin.Step(now);
            EXPECT_EQ(step.ticks, same.ticks) << "at " << now;
            EXPECT_EQ(step.pending, same.pending) << "at " << now;
            EXPECT_EQ(step.clocks.LocalClock, same.clocks.LocalClock) << "at " << now;
        }
        // The world record keeps running from its new offset.
        EXPECT_EQ(keeper.Read().WorldClock2.MinuteTicks, keeper.Read().LocalClock.MinuteTicks);
        EXPECT_EQ(keeper.Read().WorldClock2.Hour, c.hour2);
    }
}

TEST(ClockKeeperZones, ZonesBeforeTheFirstLoadOnlyWaitForIt) {
    ClockKeeper keeper;
    keeper.Reset();
    WorldZoneSettings zones;
    zones.TimeZoneDiffHour = {3, -3};
    keeper.ApplyZones(zones);
    EXPECT_EQ(keeper.Read().LocalClock.Year, 0) << "no time was made up";
    EXPECT_EQ(keeper.Step(10 * kTickPeriod).kind, ClockStep::Kind::None);
    keeper.Load(At(2024, 6, 1, 12, 0, 0, 0), 0);
    EXPECT_EQ(keeper.Read().WorldClock1.Hour, 6);
    EXPECT_EQ(keeper.Read().WorldClock2.Hour, 0);
}

} // namespace
} // namespace zentrava
