#include "timesync/sntp_packet.h"

#include "clock/calendar.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace zentrava {
namespace {

std::int64_t Utc(int year, int month, int day, int hour, int minute, int second, int ms = 0) {
    return ToFileTicks({year, month, 0, day, hour, minute, second, ms});
}

// 2^32 seconds after 1 January 1900: era 0 ends at 2036-02-07 06:28:16 UTC.
const std::int64_t kEraEnd = Utc(2036, 2, 7, 6, 28, 16);

TEST(NtpTimestamps, EraZeroStartsOnFirstJanuary1900AndEndsOnSeventhFebruary2036) {
    EXPECT_EQ(kNtpEra0FileTicks, Utc(1900, 1, 1, 0, 0, 0));
    EXPECT_EQ(kEraEnd - kNtpEra0FileTicks, (std::int64_t{1} << 32) * 10'000'000);
    EXPECT_EQ(Utc(1970, 1, 1, 0, 0, 0) - kNtpEra0FileTicks,
              std::int64_t{kNtpToUnixSeconds} * 10'000'000);
}

TEST(NtpTimestamps, KnownInstantConvertsBothWays) {
    // 2024-03-05 03:00:00.520 UTC: Unix 1709607600, so NTP 3918596400; 0.52 s is
    // 0.52 * 2^32 = 2233382993.92 fraction units.
    const std::int64_t t = Utc(2024, 3, 5, 3, 0, 0, 520);
    EXPECT_EQ(ToNtpTimestamp(t), (NtpTimestamp{3918596400u, 2233382994u}));
    EXPECT_EQ(FromNtpTimestamp({3918596400u, 2233382994u}, t), t);
    EXPECT_EQ(FromNtpTimestamp({3918596400u, 0x80000000u}, t), Utc(2024, 3, 5, 3, 0, 0, 500));
}

TEST(NtpTimestamps, EveryHundredNanosecondsOfASecondSurvivesTheRoundTrip) {
    const std::int64_t base = Utc(2024, 3, 5, 3, 0, 0);
    for (std::int64_t tick = 0; tick < 10'000'000; tick += 997) {
        ASSERT_EQ(FromNtpTimestamp(ToNtpTimestamp(base + tick), base), base + tick) << tick;
    }
    const std::int64_t last = base + 9'999'999;
    EXPECT_EQ(FromNtpTimestamp(ToNtpTimestamp(last), base), last);
}

TEST(NtpEraRule, TimestampsAfterTheWrapReadAsEraOneNearAClockPastFebruary2036) {
    const std::int64_t clock = kEraEnd + 4 * 10'000'000; // 06:28:20
    EXPECT_EQ(FromNtpTimestamp({2u, 0u}, clock), kEraEnd + 2 * 10'000'000);
    EXPECT_EQ(FromNtpTimestamp({0u, 0u}, clock), kEraEnd);
    // Two seconds before the wrap: still era 0, though our clock has passed it.
    EXPECT_EQ(FromNtpTimestamp({0xFFFFFFFEu, 0u}, clock), kEraEnd - 2 * 10'000'000);
    EXPECT_EQ(ToNtpTimestamp(kEraEnd + 2 * 10'000'000), (NtpTimestamp{2u, 0u}));
}

TEST(NtpEraRule, TheNearestEraWinsYearsAwayFromTheWrap) {
    const std::int64_t t2040 = Utc(2040, 6, 1, 12, 0, 0);
    EXPECT_EQ(FromNtpTimestamp(ToNtpTimestamp(t2040), Utc(2040, 6, 1, 11, 59, 58)), t2040);
    // A clock still in 2030 reads a 2040 server time as 2040, not as 1904.
    EXPECT_EQ(FromNtpTimestamp(ToNtpTimestamp(t2040), Utc(2030, 1, 1, 0, 0, 0)), t2040);
    // And a clock in 2040 reads a 2030 server time as 2030, not as 2166.
    const std::int64_t t2030 = Utc(2030, 1, 1, 0, 0, 0);
    EXPECT_EQ(FromNtpTimestamp(ToNtpTimestamp(t2030), t2040), t2030);
}

TEST(SntpRequest, IsFortyEightBytesOfZeroButModeAndTransmitTimestamp) {
    const auto packet = BuildRequest({0x01020304u, 0xA0B0C0D0u});
    std::vector<std::uint8_t> expected(48, 0);
    expected[0] = 0x1B;
    const std::uint8_t transmit[] = {0x01, 0x02, 0x03, 0x04, 0xA0, 0xB0, 0xC0, 0xD0};
    std::copy(std::begin(transmit), std::end(transmit), expected.begin() + 40);
    EXPECT_EQ(std::vector<std::uint8_t>(packet.begin(), packet.end()), expected);
}

TEST(SntpRequest, TransmitTimestampIsTwoDrawsDrawnAgainWhileBothAreZero) {
    const struct {
        std::vector<std::uint32_t> draws;
        NtpTimestamp expected;
    } cases[] = {
        {{0x9E3779B9u, 0x7F4A7C15u}, {0x9E3779B9u, 0x7F4A7C15u}},
        {{0u, 0u, 0u, 0u, 0u, 1u}, {0u, 1u}},
        {{0u, 0u, 7u, 0u}, {7u, 0u}},
    };
    for (const auto& c : cases) {
        std::size_t next = 0;
        const NtpTimestamp ts = TransmitTimestampFrom([&] { return c.draws.at(next++); });
        EXPECT_EQ(ts, c.expected);
        EXPECT_EQ(next, c.draws.size()) << "no draw more than needed";
    }
}

const NtpTimestamp kSent{3918596400u, 2233382994u};

// A well-formed answer to kSent from a stratum-2 server, as bytes.
struct Reply {
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(48, 0);

    Reply() {
        Header(0, 4, 4);
        bytes[1] = 2;         // stratum
        bytes[2] = 6;         // poll
        bytes[3] = 0xEC;      // precision -20
        Put(4, 0x00012000u);  // root delay 1.125 s
        Put(8, 0x00004000u);  // root dispersion 0.25 s
        Put(12, 0xC0000201u); // reference 192.0.2.1
        Stamp(16, {3918596300u, 7u});
        Stamp(24, kSent);
        Stamp(32, {3918596402u, 2233382994u});
        Stamp(40, {3918596402u, 2237677961u});
    }
    Reply& Header(int leap, int version, int mode) {
        bytes[0] = static_cast<std::uint8_t>((leap << 6) | (version << 3) | mode);
        return *this;
    }
    Reply& Stratum(int stratum) {
        bytes[1] = static_cast<std::uint8_t>(stratum);
        return *this;
    }
    Reply& Kiss(const char (&code)[5]) {
        Header(3, 4, 4).Stratum(0);
        std::copy(code, code + 4, bytes.begin() + 12);
        return *this;
    }
    Reply& Put(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
        }
        return *this;
    }
    Reply& Stamp(std::size_t at, NtpTimestamp ts) {
        return Put(at, ts.seconds).Put(at + 4, ts.fraction);
    }
    ReplyStatus Check() const { return CheckReply(bytes, kSent).status; }
};

TEST(SntpReplyCheck, WellFormedAnswerIsDecodedFieldByField) {
    const ReplyCheck check = CheckReply(Reply().bytes, kSent);
    ASSERT_EQ(check.status, ReplyStatus::Valid);
    const NtpReply& r = check.reply;
    EXPECT_EQ(r.leap, 0);
    EXPECT_EQ(r.version, 4);
    EXPECT_EQ(r.mode, 4);
    EXPECT_EQ(r.stratum, 2);
    EXPECT_EQ(r.poll, 6);
    EXPECT_EQ(r.precision, -20);
    EXPECT_EQ(r.rootDelay, 0x00012000u);
    EXPECT_EQ(r.rootDispersion, 0x00004000u);
    EXPECT_EQ(r.referenceId, (std::array<std::uint8_t, 4>{192, 0, 2, 1}));
    EXPECT_EQ(r.reference, (NtpTimestamp{3918596300u, 7u}));
    EXPECT_EQ(r.originate, kSent);
    EXPECT_EQ(r.receive, (NtpTimestamp{3918596402u, 2233382994u}));
    EXPECT_EQ(r.transmit, (NtpTimestamp{3918596402u, 2237677961u}));
}

TEST(SntpReplyCheck, LongerAnswersWithExtensionFieldsAndVersionThreeAreTaken) {
    Reply longer;
    longer.bytes.resize(48 + 20, 0xAB); // a MAC after the header
    EXPECT_EQ(longer.Check(), ReplyStatus::Valid);
    EXPECT_EQ(Reply().Header(0, 3, 4).Check(), ReplyStatus::Valid);
    // Leap-second warnings are still a time; so is the highest real stratum.
    EXPECT_EQ(Reply().Header(1, 4, 4).Check(), ReplyStatus::Valid);
    EXPECT_EQ(Reply().Header(2, 4, 4).Check(), ReplyStatus::Valid);
    EXPECT_EQ(Reply().Stratum(15).Check(), ReplyStatus::Valid);
    EXPECT_EQ(Reply().Stratum(1).Check(), ReplyStatus::Valid);
}

TEST(SntpReplyCheck, DatagramsThatAreNotOurAnswerAreIgnoredWhileWaiting) {
    Reply shortReply;
    shortReply.bytes.resize(47);
    Reply otherRequest;
    otherRequest.Stamp(24, {kSent.seconds, kSent.fraction ^ 1u}); // one bit off
    const struct {
        ReplyStatus got;
        ReplyStatus expected;
    } cases[] = {
        {shortReply.Check(), ReplyStatus::TooShort},
        {CheckReply({}, kSent).status, ReplyStatus::TooShort},
        {Reply().Header(0, 3, 3).Check(), ReplyStatus::NotServerMode}, // our own request
        {Reply().Header(0, 4, 5).Check(), ReplyStatus::NotServerMode}, // broadcast
        {Reply().Header(0, 2, 4).Check(), ReplyStatus::WrongVersion},
        {Reply().Header(0, 5, 4).Check(), ReplyStatus::WrongVersion},
        {otherRequest.Check(), ReplyStatus::OriginateMismatch},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.got, c.expected);
        EXPECT_TRUE(KeepsWaiting(c.got));
        EXPECT_FALSE(ShunsServer(c.got));
    }
    // A forged kiss for someone else's request is no kiss to us.
    Reply forgedKiss;
    forgedKiss.Kiss("DENY").Stamp(24, {1u, 2u});
    EXPECT_EQ(forgedKiss.Check(), ReplyStatus::OriginateMismatch);
}

TEST(SntpReplyCheck, AnswersWithoutATimeEndTheWaitAndMayBeRetried) {
    Reply zeroTransmit;
    zeroTransmit.Stamp(40, {0u, 0u});
    const struct {
        ReplyStatus got;
        ReplyStatus expected;
    } cases[] = {
        {Reply().Header(3, 4, 4).Check(), ReplyStatus::Unsynchronised},
        {Reply().Stratum(16).Check(), ReplyStatus::StratumTooHigh},
        {Reply().Stratum(255).Check(), ReplyStatus::StratumTooHigh},
        {zeroTransmit.Check(), ReplyStatus::ZeroTransmit},
        {Reply().Kiss("INIT").Check(), ReplyStatus::KissOther},
        {Reply().Header(0, 4, 4).Stratum(0).Check(), ReplyStatus::KissOther},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.got, c.expected);
        EXPECT_FALSE(KeepsWaiting(c.got));
        EXPECT_FALSE(ForbidsRetry(c.got));
        EXPECT_FALSE(ShunsServer(c.got));
    }
}

// A server that says it is synchronised when its own timestamps or distance say otherwise: the
// answer ends the query without a time. Boundaries on the accepted side are listed as Valid.
TEST(SntpReplyCheck, AnswersWhoseTimeCannotBeRightAreNotTaken) {
    const NtpTimestamp transmit{3918596402u, 2237677961u}; // the fixture's T3
    constexpr std::uint32_t k16s = 16u << 16;              // 16.16 fixed point
    // T3 just after era 0 ends, with a reference just before it, and the other way round.
    const NtpTimestamp afterWrap{2u, 0u};
    const NtpTimestamp beforeWrap{0xFFFFFFF0u, 0u};
    const struct {
        const char* what;
        Reply reply;
        ReplyStatus expected;
    } cases[] = {
        {"zero T2", Reply().Stamp(32, {}), ReplyStatus::ZeroReceive},
        {"T2 of one fraction unit", Reply().Stamp(32, {0u, 1u}), ReplyStatus::Valid},
        {"reference equal to T3", Reply().Stamp(16, transmit), ReplyStatus::Valid},
        {"reference one unit after T3",
         Reply().Stamp(16, {transmit.seconds, transmit.fraction + 1}),
         ReplyStatus::ReferenceAfterTransmit},
        {"reference before the wrap, T3 after it",
         Reply().Stamp(16, beforeWrap).Stamp(32, afterWrap).Stamp(40, afterWrap),
         ReplyStatus::Valid},
        {"reference after the wrap, T3 before it",
         Reply().Stamp(16, afterWrap).Stamp(32, beforeWrap).Stamp(40, beforeWrap),
         ReplyStatus::ReferenceAfterTransmit},
        {"zero reference at stratum 1", Reply().Stratum(1).Stamp(16, {}),
         ReplyStatus::ZeroReference},
        {"zero reference at stratum 15", Reply().Stratum(15).Stamp(16, {}),
         ReplyStatus::ZeroReference},
        {"root dispersion 16 s less one unit", Reply().Put(4, 0u).Put(8, k16s - 1),
         ReplyStatus::Valid},
        {"root dispersion 16 s", Reply().Put(4, 0u).Put(8, k16s),
         ReplyStatus::RootDistanceTooLarge},
        {"root delay 32 s less one unit", Reply().Put(4, 2 * k16s - 1).Put(8, 0u),
         ReplyStatus::Valid},
        {"root delay 32 s", Reply().Put(4, 2 * k16s).Put(8, 0u), ReplyStatus::RootDistanceTooLarge},
        {"root delay 2 s and dispersion 15 s", Reply().Put(4, 2 * 65536u).Put(8, 15 * 65536u),
         ReplyStatus::RootDistanceTooLarge},
        // Summed in 32 bits these wrap to a distance of 0.
        {"both fields near their top", Reply().Put(4, 0xFFFFFFFEu).Put(8, 0x80000001u),
         ReplyStatus::RootDistanceTooLarge},
        // The older tests come first: each answer is refused for its first fault.
        {"kiss with a zero reference", Reply().Kiss("INIT").Stamp(16, {}), ReplyStatus::KissOther},
        {"leap 3 with a zero T2", Reply().Header(3, 4, 4).Stamp(32, {}),
         ReplyStatus::Unsynchronised},
    };
    for (const auto& c : cases) {
        const ReplyStatus got = c.reply.Check();
        EXPECT_EQ(got, c.expected) << c.what;
        EXPECT_FALSE(KeepsWaiting(got)) << c.what;
        EXPECT_FALSE(ShunsServer(got)) << c.what;
        EXPECT_FALSE(ForbidsRetry(got)) << c.what << ": a retry may find the server well again";
    }
}

TEST(SntpReplyCheck, KissOfDeathCodesStopRetriesAndDenyOrRestrictBanTheServer) {
    // Kisses carry leap 3 as well; they must not pass as a merely unsynchronised server.
    EXPECT_EQ(Reply().Kiss("RATE").Check(), ReplyStatus::KissRate);
    EXPECT_EQ(Reply().Kiss("DENY").Check(), ReplyStatus::KissDeny);
    EXPECT_EQ(Reply().Kiss("RSTR").Check(), ReplyStatus::KissRestrict);

    EXPECT_TRUE(ForbidsRetry(ReplyStatus::KissRate));
    EXPECT_FALSE(ShunsServer(ReplyStatus::KissRate));
    for (const ReplyStatus s : {ReplyStatus::KissDeny, ReplyStatus::KissRestrict}) {
        EXPECT_TRUE(ForbidsRetry(s));
        EXPECT_TRUE(ShunsServer(s));
        EXPECT_FALSE(KeepsWaiting(s));
    }
    EXPECT_FALSE(ForbidsRetry(ReplyStatus::Valid));
}

} // namespace
} // namespace zentrava
