#include "timesync/sntp_exchange.h"

#include "clock/calendar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <optional>
#include <ostream>
#include <set>
#include <utility>
#include <vector>

namespace zentrava {
namespace {

constexpr std::int64_t kMs = kTicksPerMillisecond;

// Our clock at the request: 2024-03-05 03:00:00 UTC. The monotonic clock starts elsewhere, so
// mixing the two up shows.
const std::int64_t kT1 = ToFileTicks({2024, 3, 0, 5, 3, 0, 0, 0});
constexpr MonotonicTime kMonotonicStart = 777 * kTicksPerSecond;

// Both clocks move together with the script's time; `perRead` moves them on a little at every
// reading, as real time does between two calls.
class FakeClocks : public SntpClocks {
public:
    std::int64_t SystemNow() override {
        const std::int64_t now = kT1 + elapsed;
        elapsed += perRead;
        return now;
    }
    MonotonicTime MonotonicNow() override {
        const MonotonicTime now = kMonotonicStart + elapsed;
        elapsed += perRead;
        return now;
    }

    std::int64_t elapsed = 0;
    std::int64_t perRead = 0;
};

// The shape of one datagram, made into bytes once the request's transmit timestamp is known.
struct Reply {
    int leap = 0;
    int version = 4;
    int mode = 4;
    int stratum = 2;
    std::array<std::uint8_t, 4> referenceId{'L', 'O', 'C', 'L'};
    std::int64_t serverAhead = 2500 * kMs; // the server's clock minus ours
    std::int64_t receivedAt = 20 * kMs;    // by our clock, from T1
    std::int64_t turnaround = 1 * kMs;
    bool zeroTransmit = false;
    bool zeroReceive = false;
    bool wrongOriginate = false;
    bool echoesOurClock = false;       // originate: T1 as a timestamp, not what the request carried
    std::size_t size = kNtpPacketSize; // beyond 48: extension bytes
};

void Put(std::vector<std::uint8_t>& bytes, std::size_t at, NtpTimestamp ts) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(ts.seconds >> (24 - 8 * i));
        bytes[at + 4 + i] = static_cast<std::uint8_t>(ts.fraction >> (24 - 8 * i));
    }
}

std::vector<std::uint8_t> Encode(const Reply& r, NtpTimestamp sent) {
    std::vector<std::uint8_t> bytes(std::max(r.size, kNtpPacketSize), 0x5A);
    std::fill_n(bytes.begin(), kNtpPacketSize, std::uint8_t{0});
    bytes[0] = static_cast<std::uint8_t>((r.leap << 6) | (r.version << 3) | r.mode);
    bytes[1] = static_cast<std::uint8_t>(r.stratum);
    bytes[3] = static_cast<std::uint8_t>(-20);
    std::copy(r.referenceId.begin(), r.referenceId.end(), bytes.begin() + 12);
    NtpTimestamp originate = sent;
    if (r.wrongOriginate) {
        originate.fraction ^= 1;
    }
    if (r.echoesOurClock) {
        originate = ToNtpTimestamp(kT1);
    }
    const std::int64_t t2 = kT1 + r.receivedAt + r.serverAhead;
    Put(bytes, 16, ToNtpTimestamp(t2 - 64 * kTicksPerSecond)); // last synchronised a while ago
    Put(bytes, 24, originate);
    Put(bytes, 32, r.zeroReceive ? NtpTimestamp{} : ToNtpTimestamp(t2));
    Put(bytes, 40, r.zeroTransmit ? NtpTimestamp{} : ToNtpTimestamp(t2 + r.turnaround));
    bytes.resize(r.size);
    return bytes;
}

struct Arrival {
    std::int64_t at; // script time, from T1
    Reply reply;
    bool fromServer = true;
};

// Plays a script of datagrams against the exchange: each one arrives at its time if the wait
// asked for reaches that far, otherwise the wait runs out.
class ScriptedTransport : public SntpTransport {
public:
    explicit ScriptedTransport(FakeClocks& clocks) : clocks_(clocks) {}

    bool Send(std::span<const std::uint8_t> request) override {
        requests.emplace_back(request.begin(), request.end());
        sentAt = clocks_.elapsed;
        return sendWorks;
    }

    std::optional<SntpDatagram> Receive(std::span<std::uint8_t> buffer,
                                        std::int64_t timeout) override {
        timeouts.push_back(timeout);
        if (script.empty() || script.front().at > clocks_.elapsed + timeout) {
            clocks_.elapsed += timeout;
            return std::nullopt;
        }
        const Arrival next = script.front();
        script.pop_front();
        clocks_.elapsed = std::max(clocks_.elapsed, next.at);
        const std::vector<std::uint8_t> bytes = Encode(next.reply, Sent());
        EXPECT_LE(bytes.size(), buffer.size());
        std::copy(bytes.begin(), bytes.end(), buffer.begin());
        return SntpDatagram{bytes.size(), next.fromServer};
    }

    NtpTimestamp Sent() const {
        const auto& r = requests.at(0);
        auto word = [&](std::size_t at) {
            return (std::uint32_t{r[at]} << 24) | (std::uint32_t{r[at + 1]} << 16) |
                   (std::uint32_t{r[at + 2]} << 8) | std::uint32_t{r[at + 3]};
        };
        return {word(40), word(44)};
    }

    std::deque<Arrival> script;
    bool sendWorks = true;
    std::vector<std::vector<std::uint8_t>> requests;
    std::vector<std::int64_t> timeouts;
    std::int64_t sentAt = -1;

private:
    FakeClocks& clocks_;
};

struct Exchange {
    FakeClocks clocks;
    ScriptedTransport transport{clocks};
    NtpTimestamp transmit{0x9E3779B9u, 0x7F4A7C15u};

    SntpExchangeResult Run() { return RunSntpExchange(transport, clocks, transmit); }
};

// A valid answer 41 ms after T1 from a server 2.5 s ahead: 20 ms out, 1 ms inside the server,
// 20 ms back.
constexpr std::int64_t kAnswerAt = 41 * kMs;

void ExpectTheValidAnswer(const SntpExchangeResult& r) {
    EXPECT_EQ(r.error, ExchangeError::None);
    EXPECT_EQ(r.status, ReplyStatus::Valid);
    EXPECT_EQ(r.t1, kT1);
    EXPECT_EQ(r.t4, kT1 + kAnswerAt);
    EXPECT_EQ(r.sample.offset, 2500 * kMs);
    EXPECT_EQ(r.sample.delay, 40 * kMs);
    EXPECT_EQ(r.sample.corrected, kT1 + kAnswerAt + 2500 * kMs);
}

TEST(SntpExchange, ValidAnswerGivesTheHandComputedOffsetAndDelay) {
    Exchange x;
    x.transport.script = {{kAnswerAt, {}}};
    const SntpExchangeResult r = x.Run();
    ExpectTheValidAnswer(r);
    EXPECT_EQ(r.atT4, kMonotonicStart + kAnswerAt);
    EXPECT_EQ(r.ignored, 0);
    EXPECT_EQ(r.reply.stratum, 2);
    EXPECT_EQ(r.reply.mode, 4);

    // The request: client mode, version 3, the caller's transmit value, and waited on for one
    // second.
    ASSERT_EQ(x.transport.requests.size(), 1u);
    EXPECT_EQ(x.transport.requests[0].size(), kNtpPacketSize);
    EXPECT_EQ(x.transport.requests[0][0], 0x1B);
    EXPECT_EQ(x.transport.Sent(), x.transmit);
    ASSERT_FALSE(x.transport.timeouts.empty());
    EXPECT_EQ(x.transport.timeouts[0], kSntpAnswerWait);
}

TEST(SntpExchange, ServerBehindGivesANegativeOffset) {
    Exchange x;
    Reply behind;
    behind.serverAhead = -123'456'789; // 12.3456789 s
    behind.receivedAt = 3 * kMs;
    behind.turnaround = 0;
    x.transport.script = {{6 * kMs, behind}};
    const SntpExchangeResult r = x.Run();
    EXPECT_EQ(r.error, ExchangeError::None);
    EXPECT_EQ(r.sample.offset, -123'456'789);
    EXPECT_EQ(r.sample.delay, 6 * kMs);
}

TEST(SntpExchange, AnswerWithExtensionFieldsIsTaken) {
    Exchange x;
    Reply longer;
    longer.size = 68; // a key id and a 16-byte MAC after the header
    x.transport.script = {{kAnswerAt, longer}};
    ExpectTheValidAnswer(x.Run());
}

TEST(SntpExchange, DatagramFromSomebodyElseIsIgnoredAndTheServersAnswerTaken) {
    Exchange x;
    Reply decoy;
    decoy.serverAhead = 1000 * kTicksPerSecond;
    x.transport.script = {{10 * kMs, decoy, false}, {kAnswerAt, {}}};
    const SntpExchangeResult r = x.Run();
    ExpectTheValidAnswer(r);
    EXPECT_EQ(r.ignored, 1);
}

struct WaitingCase {
    const char* name;
    Reply bad;
    ReplyStatus status;
};

void PrintTo(const WaitingCase& c, std::ostream* out) {
    *out << c.name;
}

class NotOurAnswer : public testing::TestWithParam<WaitingCase> {};

std::vector<WaitingCase> WaitingCases() {
    Reply shortOne;
    shortOne.size = 47;
    Reply broadcast;
    broadcast.mode = 5;
    Reply version2;
    version2.version = 2;
    Reply mismatch;
    mismatch.wrongOriginate = true;
    // A forger who guessed our clock to the 100 ns but never saw the request.
    Reply echoesClock;
    echoesClock.echoesOurClock = true;
    std::vector<WaitingCase> cases = {
        {"Short", shortOne, ReplyStatus::TooShort},
        {"Mode5", broadcast, ReplyStatus::NotServerMode},
        {"Version2", version2, ReplyStatus::WrongVersion},
        {"OriginateMismatch", mismatch, ReplyStatus::OriginateMismatch},
        {"EchoesOurClock", echoesClock, ReplyStatus::OriginateMismatch}};
    for (WaitingCase& c : cases) {
        c.bad.serverAhead = 1000 * kTicksPerSecond; // taking it would show in the offset
    }
    return cases;
}

TEST_P(NotOurAnswer, IsIgnoredAndTheValidAnswerAfterItTaken) {
    Exchange x;
    x.transport.script = {{5 * kMs, GetParam().bad}, {kAnswerAt, {}}};
    const SntpExchangeResult r = x.Run();
    ExpectTheValidAnswer(r);
    EXPECT_EQ(r.ignored, 1);
    // The wait after it is what is left of the second, not another second.
    ASSERT_GE(x.transport.timeouts.size(), 2u);
    EXPECT_EQ(x.transport.timeouts[1], kSntpAnswerWait - 5 * kMs);
}

TEST_P(NotOurAnswer, AloneUntilTheDeadlineEndsInNoAnswerWithItsStatus) {
    Exchange x;
    x.transport.script = {{300 * kMs, GetParam().bad}};
    const SntpExchangeResult r = x.Run();
    EXPECT_EQ(r.error, ExchangeError::NoAnswer);
    EXPECT_EQ(r.status, GetParam().status);
    EXPECT_EQ(r.ignored, 1);
    EXPECT_EQ(x.clocks.elapsed, kSntpAnswerWait); // waited the whole second, no more
}

INSTANTIATE_TEST_SUITE_P(SntpExchange, NotOurAnswer, testing::ValuesIn(WaitingCases()),
                         [](const auto& param) { return std::string(param.param.name); });

struct RejectCase {
    const char* name;
    Reply reply;
    ReplyStatus status;
};

void PrintTo(const RejectCase& c, std::ostream* out) {
    *out << c.name;
}

class RefusedAnswer : public testing::TestWithParam<RejectCase> {};

std::vector<RejectCase> RejectCases() {
    Reply leap3;
    leap3.leap = 3;
    Reply stratum16;
    stratum16.stratum = 16;
    Reply zero;
    zero.zeroTransmit = true;
    // Taken, this would move the clock by years.
    Reply zeroT2;
    zeroT2.zeroReceive = true;
    auto kiss = [](std::array<std::uint8_t, 4> code) {
        Reply k;
        k.leap = 3;
        k.stratum = 0;
        k.referenceId = code;
        return k;
    };
    return {{"Leap3", leap3, ReplyStatus::Unsynchronised},
            {"Stratum16", stratum16, ReplyStatus::StratumTooHigh},
            {"ZeroTransmit", zero, ReplyStatus::ZeroTransmit},
            {"ZeroReceive", zeroT2, ReplyStatus::ZeroReceive},
            {"KissRate", kiss({'R', 'A', 'T', 'E'}), ReplyStatus::KissRate},
            {"KissDeny", kiss({'D', 'E', 'N', 'Y'}), ReplyStatus::KissDeny},
            {"KissRestrict", kiss({'R', 'S', 'T', 'R'}), ReplyStatus::KissRestrict}};
}

TEST_P(RefusedAnswer, EndsTheExchangeAsRejectedWithoutWaitingForMore) {
    Exchange x;
    // A valid answer after the refusal must not be waited for: the server has spoken.
    x.transport.script = {{kAnswerAt, GetParam().reply}, {kAnswerAt + kMs, {}}};
    const SntpExchangeResult r = x.Run();
    EXPECT_EQ(r.error, ExchangeError::Rejected);
    EXPECT_EQ(r.status, GetParam().status);
    EXPECT_EQ(r.t4, kT1 + kAnswerAt);
    EXPECT_EQ(r.reply.stratum, GetParam().reply.stratum);
    EXPECT_EQ(x.transport.script.size(), 1u);
    EXPECT_EQ(r.sample.offset, 0);
}

INSTANTIATE_TEST_SUITE_P(SntpExchange, RefusedAnswer, testing::ValuesIn(RejectCases()),
                         [](const auto& param) { return std::string(param.param.name); });

// The request carries no time of ours: across many queries its transmit field never repeats
// and is never our clock, while the offset still comes from the T1 we kept.
TEST(SntpExchange, TransmitFieldIsRandomAcrossRequestsAndNeverOurClock) {
    std::set<std::pair<std::uint32_t, std::uint32_t>> seen;
    for (int i = 0; i < 1000; ++i) {
        Exchange x;
        x.transmit = RandomTransmitTimestamp();
        x.transport.script = {{kAnswerAt, {}}};
        const SntpExchangeResult r = x.Run();
        ASSERT_EQ(r.error, ExchangeError::None) << i;
        ASSERT_EQ(r.sample.offset, 2500 * kMs) << i;
        const NtpTimestamp sent = x.transport.Sent();
        ASSERT_NE(sent, ToNtpTimestamp(r.t1)) << i;
        ASSERT_TRUE(seen.insert({sent.seconds, sent.fraction}).second) << "repeated at " << i;
    }
}

TEST(SntpExchange, OnlyBadDatagramsUntilTheDeadlineReportTheLastIgnoredOne) {
    Exchange x;
    Reply shortOne;
    shortOne.size = 20;
    Reply mismatch;
    mismatch.wrongOriginate = true;
    // The stranger's datagram comes last but is nobody's status.
    x.transport.script = {{100 * kMs, shortOne}, {200 * kMs, mismatch}, {300 * kMs, {}, false}};
    const SntpExchangeResult r = x.Run();
    EXPECT_EQ(r.error, ExchangeError::NoAnswer);
    EXPECT_EQ(r.status, ReplyStatus::OriginateMismatch);
    EXPECT_EQ(r.ignored, 3);
    EXPECT_EQ(r.sample.offset, 0);
}

TEST(SntpExchange, SilenceIsNoAnswerAfterOneSecondWithStatusValid) {
    Exchange x;
    const SntpExchangeResult r = x.Run();
    EXPECT_EQ(r.error, ExchangeError::NoAnswer);
    EXPECT_EQ(r.status, ReplyStatus::Valid);
    EXPECT_EQ(r.ignored, 0);
    EXPECT_EQ(x.clocks.elapsed, kSntpAnswerWait);
}

TEST(SntpExchange, AFloodOfBadDatagramsStillEndsAtTheDeadline) {
    Exchange x;
    Reply mismatch;
    mismatch.wrongOriginate = true;
    for (int i = 1; i <= 50; ++i) {
        x.transport.script.push_back({i * 30 * kMs, mismatch});
    }
    const SntpExchangeResult r = x.Run();
    EXPECT_EQ(r.error, ExchangeError::NoAnswer);
    EXPECT_EQ(r.ignored, 33); // 30 ms apart up to 990 ms
    EXPECT_EQ(x.clocks.elapsed, kSntpAnswerWait);
    for (const std::int64_t timeout : x.transport.timeouts) {
        EXPECT_GT(timeout, 0);
        EXPECT_LE(timeout, kSntpAnswerWait);
    }
}

TEST(SntpExchange, SendFailureEndsAtOnceWithoutWaiting) {
    Exchange x;
    x.transport.sendWorks = false;
    x.transport.script = {{kAnswerAt, {}}};
    const SntpExchangeResult r = x.Run();
    EXPECT_EQ(r.error, ExchangeError::SendFailed);
    EXPECT_TRUE(x.transport.timeouts.empty());
    EXPECT_EQ(x.clocks.elapsed, 0);
}

TEST(SntpExchange, T4IsOurClockRightAfterTheReceiveNotAfterTheChecks) {
    // Every clock reading takes 3 ticks: T4 must be the first reading after the datagram came,
    // and T1 the reading the request was stamped with, before it went out.
    Exchange x;
    x.clocks.perRead = 3;
    x.transport.script = {{kAnswerAt, {}}};
    const SntpExchangeResult r = x.Run();
    ASSERT_EQ(r.error, ExchangeError::None);
    EXPECT_EQ(r.t1, kT1);
    EXPECT_LE(x.transport.sentAt, 2 * 3); // at most the stamp and the deadline read before it
    EXPECT_EQ(r.t4, kT1 + kAnswerAt);
    EXPECT_EQ(r.atT4, kMonotonicStart + kAnswerAt + 3);
    EXPECT_EQ(r.sample.offset, 2500 * kMs);
    EXPECT_EQ(r.sample.delay, 40 * kMs);
}

} // namespace
} // namespace zentrava
