// RunSntpExchange over real UDP sockets against the loopback servers that
// scripts/ntp-servers.sh starts (the CTest fixture zentrava_ntp_servers): chronyd on 127.0.0.1
// and the misbehaving servers of fake_ntp_servers.h.

#include "timesync/fake_ntp_servers.h"
#include "timesync/posix_udp_transport.h"

#include "clock/calendar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace zentrava {
namespace {

using fake_ntp::Behaviour;

constexpr std::int64_t kMs = kTicksPerMillisecond;
// Loopback answers come back within a millisecond, but a loaded two-core machine running
// sanitised tests in parallel can stall either end for many.
constexpr std::int64_t kSlowestRoundTrip = 200 * kMs;

// The fake servers read the same clock as we do, so their true offset is known exactly, and
// an exchange can be wrong by at most half its round trip: whichever way the delay splits,
// the midpoint is off by less than half of it. A little more for the timestamps' rounding.
void ExpectOffsetWithinHalfTheRoundTrip(const SntpExchangeResult& r, std::int64_t expectedMs) {
    const std::int64_t error = r.sample.offset - expectedMs * kMs;
    EXPECT_LE(std::abs(error), r.sample.delay / 2 + kMs / 2)
        << "offset error " << TicksToSeconds(error) << " s";
    EXPECT_GE(r.sample.delay, 0);
    EXPECT_LT(r.sample.delay, kSlowestRoundTrip);
}

SntpExchangeResult Ask(std::string_view address) {
    PosixUdpTransport transport{std::string(address)};
    EXPECT_TRUE(transport.valid()) << address;
    PosixClocks clocks;
    return RunSntpExchange(transport, clocks, RandomTransmitTimestamp());
}

std::string Describe(const SntpExchangeResult& r) {
    return "error " + std::to_string(static_cast<int>(r.error)) + ", status " +
           std::to_string(static_cast<int>(r.status)) + ", offset " +
           std::to_string(TicksToSeconds(r.sample.offset)) + " s, delay " +
           std::to_string(TicksToSeconds(r.sample.delay)) + " s, ignored " +
           std::to_string(r.ignored);
}

// How many datagrams the exchange must have passed over before it ended.
int IgnoredBy(Behaviour behaviour) {
    switch (behaviour) {
    case Behaviour::ShortThenValid:
    case Behaviour::BroadcastModeThenValid:
    case Behaviour::Version2ThenValid:
    case Behaviour::OriginateMismatchThenValid:
    case Behaviour::OtherPortThenValid:
        return 1;
    case Behaviour::OnlyBad:
        return 2;
    default:
        return 0;
    }
}

class FakeServer : public testing::TestWithParam<fake_ntp::Server> {};

TEST_P(FakeServer, EndsAsTheTableSays) {
    const fake_ntp::Server& server = GetParam();
    const auto started = std::chrono::steady_clock::now();
    const SntpExchangeResult r = Ask(server.address);
    const auto took = std::chrono::steady_clock::now() - started;
    SCOPED_TRACE(Describe(r));

    EXPECT_EQ(r.status, server.status);
    EXPECT_EQ(r.ignored, IgnoredBy(server.behaviour));
    if (server.answered) {
        ASSERT_EQ(r.error, ExchangeError::None);
        ExpectOffsetWithinHalfTheRoundTrip(r, server.offsetMs);
        EXPECT_LT(took, std::chrono::milliseconds(500));
    } else if (server.status == ReplyStatus::Valid || KeepsWaiting(server.status)) {
        EXPECT_EQ(r.error, ExchangeError::NoAnswer);
        // The whole second is waited for; no tight upper bound on a loaded machine.
        EXPECT_GE(took, std::chrono::milliseconds(900));
    } else {
        EXPECT_EQ(r.error, ExchangeError::Rejected);
        EXPECT_EQ(r.sample.offset, 0);
        EXPECT_LT(took, std::chrono::milliseconds(500));
    }
}

} // namespace
namespace fake_ntp {
// Names the case in GoogleTest's and CTest's listings by its address alone.
void PrintTo(const Server& server, std::ostream* out) {
    *out << server.address;
}
} // namespace fake_ntp
namespace {

std::string ServerName(const testing::TestParamInfo<fake_ntp::Server>& info) {
    std::string name(info.param.address);
    std::replace(name.begin(), name.end(), '.', '_');
    return "At_" + name;
}

INSTANTIATE_TEST_SUITE_P(LoopbackSntp, FakeServer, testing::ValuesIn(fake_ntp::kFakeNtpServers),
                         ServerName);

TEST(LoopbackSntp, KissCodesArriveAsSentWithStratumZero) {
    for (const Behaviour kind :
         {Behaviour::KissRate, Behaviour::KissDeny, Behaviour::KissRestrict}) {
        const SntpExchangeResult r = Ask(fake_ntp::Find(kind).address);
        EXPECT_EQ(r.reply.stratum, 0);
        EXPECT_EQ(ReferenceIdText(r.reply.referenceId).size(), 4u);
        EXPECT_TRUE(ForbidsRetry(r.status));
    }
}

TEST(LoopbackSntp, ServerPastFebruary2036IsReadInEraOne) {
    const SntpExchangeResult r = Ask(fake_ntp::Find(Behaviour::EraOne).address);
    ASSERT_EQ(r.error, ExchangeError::None) << Describe(r);
    // Its timestamps have wrapped: read in era 0 they would name a time in 1901 or 1902.
    const std::int64_t eraEnd = ToFileTicks({2036, 2, 0, 7, 6, 28, 16, 0});
    EXPECT_LT(std::int64_t{r.reply.transmit.seconds} * kTicksPerSecond, r.t4 - kNtpEra0FileTicks);
    EXPECT_GT(r.sample.corrected, eraEnd);
    EXPECT_GE(NtpToUtcDateTime(r.reply.transmit, r.t4).year, 2036);
    ExpectOffsetWithinHalfTheRoundTrip(r, fake_ntp::kEraOneOffsetMs);
}

// chronyd -Q, run by the servers' script, measures the same server; both must see the same
// offset within a few milliseconds (on one machine it is close to zero for both). Of several
// exchanges the one with the shortest round trip is taken, as NTP's own clock filter does: a
// process stalled mid-exchange shows as a long delay.
double ChronyOffsetSeconds() {
    const std::string command = std::string(ZENTRAVA_SOURCE_DIR) +
                                "/scripts/ntp-servers.sh chrony-offset " + ZENTRAVA_NTP_STATE_DIR;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) {
        ADD_FAILURE() << "cannot run " << command;
        return 1e9;
    }
    std::array<char, 128> line{};
    if (std::fgets(line.data(), static_cast<int>(line.size()), pipe.get()) == nullptr) {
        ADD_FAILURE() << command << " printed nothing";
        return 1e9;
    }
    return std::strtod(line.data(), nullptr);
}

TEST(LoopbackSntp, ChronydServerGivesTheOffsetChronydItselfMeasures) {
    SntpSample best{0, kSlowestRoundTrip, 0};
    for (int i = 0; i < 8; ++i) {
        const SntpExchangeResult r = Ask(fake_ntp::kChronyAddress);
        ASSERT_EQ(r.error, ExchangeError::None) << Describe(r);
        EXPECT_EQ(r.status, ReplyStatus::Valid);
        EXPECT_EQ(r.reply.stratum, 8); // the configuration's "local stratum 8"
        EXPECT_NE(r.reply.leap, 3);
        EXPECT_GE(r.sample.delay, 0);
        if (r.sample.delay < best.delay) {
            best = r.sample;
        }
    }
    const double ours = TicksToSeconds(best.offset);
    const double chrony = ChronyOffsetSeconds();
    EXPECT_NEAR(ours, chrony, 0.003) << "ours " << ours << " s, chronyd " << chrony << " s";
}

} // namespace
} // namespace zentrava
