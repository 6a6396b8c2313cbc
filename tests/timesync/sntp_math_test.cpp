#include "timesync/sntp_math.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace zentrava {
namespace {

constexpr std::int64_t kMs = 10'000; // 100 ns units

std::int64_t Utc(int hour, int minute, int second, int ms) {
    return ToFileTicks({2024, 3, 0, 5, hour, minute, second, ms});
}

// 2024-03-05 03:00:00 UTC in NTP seconds (Unix 1709607600 + 2208988800).
constexpr std::uint32_t kNtp0300 = 3918596400u;

TEST(SntpArithmetic, ClockBehindTheServerByTwoAndAHalfSeconds) {
    // Request leaves at 03:00:00.000 by our clock, 20 ms each way, 1 ms inside the server, and
    // the server is 2.5 s ahead: it receives at 03:00:02.520 and answers at 03:00:02.521 by
    // its clock (0.520 and 0.521 of 2^32 fraction units), and the answer lands at
    // 03:00:00.041 by ours.
    const SntpSample s = ComputeSample(Utc(3, 0, 0, 0), {kNtp0300 + 2, 2233382994u},
                                       {kNtp0300 + 2, 2237677961u}, Utc(3, 0, 0, 41));
    EXPECT_EQ(s.offset, 2500 * kMs);
    EXPECT_EQ(s.delay, 40 * kMs);
    EXPECT_EQ(s.corrected, Utc(3, 0, 2, 541));
    EXPECT_DOUBLE_EQ(TicksToSeconds(s.offset), 2.5);
    EXPECT_DOUBLE_EQ(TicksToSeconds(s.delay), 0.04);
}

TEST(SntpArithmetic, ClockAheadOfTheServerGivesANegativeOffset) {
    // Our clock is 0.7 s ahead, 5 ms each way, the server answers at once: it sees the
    // request at 02:59:59.305 (0.305 * 2^32 = 1309965025.28) and our clock reads
    // 03:00:00.010 on arrival.
    const SntpSample s = ComputeSample(Utc(3, 0, 0, 0), {kNtp0300 - 1, 1309965025u},
                                       {kNtp0300 - 1, 1309965025u}, Utc(3, 0, 0, 10));
    EXPECT_EQ(s.offset, -700 * kMs);
    EXPECT_EQ(s.delay, 10 * kMs);
    EXPECT_EQ(s.corrected, Utc(2, 59, 59, 310));
}

TEST(SntpArithmetic, ServerTimesAreReadInTheEraOfOurClockAcrossTheWrap) {
    // Our clock reads 2036-02-07 06:28:15.900, the server (no offset) answers at 06:28:16.000,
    // the first instant of era 1, whose 32-bit seconds are 0.
    const std::int64_t t1 = ToFileTicks({2036, 2, 0, 7, 6, 28, 15, 900});
    const std::int64_t t4 = t1 + 200 * kMs;
    const SntpSample s = ComputeSample(t1, {0u, 0u}, {0u, 0u}, t4);
    EXPECT_EQ(s.offset, 0);
    EXPECT_EQ(s.delay, 200 * kMs);
    EXPECT_EQ(s.corrected, ToFileTicks({2036, 2, 0, 7, 6, 28, 16, 100}));
}

TEST(SntpClockSetRule, OffsetsOfExactlyATenthOfASecondLeaveTheClockAlone) {
    // From the wire: a server exactly 0.1 s ahead or behind (0.1 * 2^32 = 429496729.6) with no
    // delay gives an offset of exactly 0.1 s, which is not beyond the threshold.
    const std::int64_t t1 = Utc(3, 0, 0, 0);
    const SntpSample ahead = ComputeSample(t1, {kNtp0300, 429496730u}, {kNtp0300, 429496730u}, t1);
    const SntpSample behind =
        ComputeSample(t1, {kNtp0300 - 1, 3865470566u}, {kNtp0300 - 1, 3865470566u}, t1);
    EXPECT_EQ(ahead.offset, 100 * kMs);
    EXPECT_EQ(behind.offset, -100 * kMs);
    EXPECT_FALSE(ShouldSetSystemClock(ahead.offset, 1, 0));
    EXPECT_FALSE(ShouldSetSystemClock(behind.offset, 1, 0));
    // 100 ns more either way is enough.
    EXPECT_TRUE(ShouldSetSystemClock(kClockSetThreshold + 1, 1, 0));
    EXPECT_TRUE(ShouldSetSystemClock(-kClockSetThreshold - 1, 1, 0));
    EXPECT_FALSE(ShouldSetSystemClock(0, 1, 0));
}

TEST(SntpClockSetRule, ForcedUpdateSetsAtOffsetZeroButOnlyWhenSettingIsAllowed) {
    EXPECT_TRUE(ShouldSetSystemClock(0, 1, 1));
    EXPECT_TRUE(ShouldSetSystemClock(50 * kMs, 1, 1));
    EXPECT_FALSE(ShouldSetSystemClock(0, 0, 1));
    EXPECT_FALSE(ShouldSetSystemClock(5000 * kMs, 0, 1));
    // The switches count only as 1; a damaged file's 2 is not "on".
    EXPECT_FALSE(ShouldSetSystemClock(5000 * kMs, 2, 0));
    EXPECT_FALSE(ShouldSetSystemClock(0, 1, 2));
}

TEST(SntpSecondOpinion, BeyondAThousandSecondsIsLargeAndASecondApartStillAgrees) {
    const std::int64_t kS = 1000 * kMs;
    const struct {
        std::int64_t offset;
        bool large;
    } steps[] = {{1000 * kS, false},     {1000 * kS + 1, true}, {-1000 * kS, false},
                 {-1000 * kS - 1, true}, {7200 * kS, true},     {0, false}};
    for (const auto& c : steps) {
        EXPECT_EQ(IsLargeCorrection(c.offset), c.large) << c.offset;
    }
    const struct {
        std::int64_t first;
        std::int64_t second;
        bool agree;
    } pairs[] = {{7200 * kS, 7200 * kS + kS, true},
                 {7200 * kS, 7200 * kS - kS - 1, false},
                 {-7200 * kS, -7199 * kS, true},
                 {7200 * kS, -7200 * kS, false},
                 {7200 * kS, 0, false}};
    for (const auto& c : pairs) {
        EXPECT_EQ(OffsetsAgree(c.first, c.second), c.agree) << c.first << " " << c.second;
        EXPECT_EQ(OffsetsAgree(c.second, c.first), c.agree);
    }
}

TEST(SntpMilliseconds, EveryMillisecondSurvivesTheTripThroughTheFractionScale) {
    for (int ms = 0; ms < 1000; ++ms) {
        ASSERT_EQ(FractionToMilliseconds(MillisecondsToFraction(ms)), ms) << ms;
    }
    EXPECT_EQ(MillisecondsToFraction(999), 4290672033u);
    EXPECT_EQ(FractionToMilliseconds(4294966u), 0);
    EXPECT_EQ(FractionToMilliseconds(4294967u), 1);
    // The last sliver of a second would be millisecond 1000 at this scale.
    EXPECT_EQ(FractionToMilliseconds(4294966999u), 999);
    EXPECT_EQ(FractionToMilliseconds(4294967000u), 999);
    EXPECT_EQ(FractionToMilliseconds(0xFFFFFFFFu), 999);
}

TEST(SntpReportTimes, MillisecondIsTruncatedAndNeverCarriesIntoTheSecond) {
    const std::int64_t near = Utc(3, 0, 0, 0);
    EXPECT_EQ(NtpToUtcDateTime({kNtp0300 + 5, 0xFFFFFFFFu}, near),
              (DateTime{2024, 3, 2, 5, 3, 0, 5, 999}));
    EXPECT_EQ(NtpToUtcDateTime({kNtp0300, MillisecondsToFraction(250)}, near),
              (DateTime{2024, 3, 2, 5, 3, 0, 0, 250}));
}

} // namespace
} // namespace zentrava
