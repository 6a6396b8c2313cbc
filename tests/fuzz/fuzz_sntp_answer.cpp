// Any bytes as the answers to one SNTP request: the packet checks on each datagram, then the
// exchange's decision over all of them.
#include "fuzz/fuzz_check.h"
#include "timesync/sntp_exchange.h"

#include <algorithm>
#include <deque>
#include <vector>

namespace zentrava {
namespace {

using fuzz::Require;

struct Arrival {
    std::vector<std::uint8_t> bytes;
    bool fromServer = true;
};

// Time moves only when a datagram arrives or the wait runs out, 1 ms per arrival.
class ScriptedExchange : public SntpTransport, public SntpClocks {
public:
    std::int64_t SystemNow() override { return t1 + elapsed; }
    MonotonicTime MonotonicNow() override { return elapsed; }
    bool Send(std::span<const std::uint8_t>) override { return true; }
    std::optional<SntpDatagram> Receive(std::span<std::uint8_t> buffer,
                                        std::int64_t timeout) override {
        if (arrivals.empty()) {
            elapsed += timeout;
            return std::nullopt;
        }
        const Arrival a = arrivals.front();
        arrivals.pop_front();
        elapsed += kTicksPerMillisecond;
        const std::size_t n = std::min(a.bytes.size(), buffer.size());
        std::copy_n(a.bytes.begin(), n, buffer.begin());
        return SntpDatagram{n, a.fromServer};
    }

    std::int64_t t1 = 0;
    std::int64_t elapsed = 0;
    std::deque<Arrival> arrivals;
};

void CheckOne(std::span<const std::uint8_t> datagram, NtpTimestamp sent) {
    const ReplyCheck c = CheckReply(datagram, sent);
    Require((c.status == ReplyStatus::TooShort) == (datagram.size() < kNtpPacketSize),
            "too short exactly below a header");
    Require(!ShunsServer(c.status) || ForbidsRetry(c.status), "a shunned server is not retried");
    Require(ReferenceIdText(c.reply.referenceId).size() <= 4, "reference id fits 4 characters");
    if (c.status == ReplyStatus::Valid) {
        const NtpReply& r = c.reply;
        Require(r.originate == sent, "a valid answer echoes the request");
        Require(r.mode == 4 && (r.version == 3 || r.version == 4), "a server's answer, v3 or v4");
        Require(r.stratum >= 1 && r.stratum <= 15 && r.leap != 3, "a synchronised server");
        Require(!r.transmit.IsZero() && !r.receive.IsZero() && !r.reference.IsZero(),
                "a valid answer carries its times");
        Require(!KeepsWaiting(c.status) && !ForbidsRetry(c.status), "a valid answer is taken");
    }
}

} // namespace
} // namespace zentrava

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zentrava;
    fuzz::InputReader in(data, size);
    const NtpTimestamp sent = TransmitTimestampFrom([&in] { return in.U32() ^ 0x9E3779B9u; });
    ScriptedExchange x;
    // Our clock anywhere from 1601 to about 2200: the eras on either side of the NTP ones.
    x.t1 = static_cast<std::int64_t>((std::uint64_t{in.U32()} << 32 | in.U32()) %
                                     (kNtpEra0FileTicks * 4));
    // Up to four datagrams; a flag byte each: bit 0 from elsewhere, bit 1 our originate put in.
    const int count = 1 + in.Byte() % 4;
    for (int i = 0; i < count && !in.Empty(); ++i) {
        const std::uint8_t flags = in.Byte();
        const std::size_t length = i + 1 == count ? kNtpReceiveBufferSize : in.Byte();
        const auto bytes = in.Bytes(length);
        Arrival a{{bytes.begin(), bytes.end()}, (flags & 1) == 0};
        if ((flags & 2) != 0 && a.bytes.size() >= kNtpPacketSize) {
            const auto request = BuildRequest(sent);
            std::copy_n(request.begin() + 40, 8, a.bytes.begin() + 24);
        }
        CheckOne(a.bytes, sent);
        x.arrivals.push_back(std::move(a));
    }
    const std::size_t offered = x.arrivals.size();

    const SntpExchangeResult r = RunSntpExchange(x, x, sent);
    const std::size_t taken = offered - x.arrivals.size();
    fuzz::Require(r.error != ExchangeError::SendFailed, "the send worked");
    fuzz::Require(x.elapsed <= kSntpAnswerWait + kTicksPerMillisecond, "the wait ends on time");
    if (r.error == ExchangeError::None) {
        fuzz::Require(r.status == ReplyStatus::Valid && r.reply.originate == sent,
                      "a sample only from our answer");
        fuzz::Require(r.t1 == x.t1 && r.t4 >= r.t1 && r.atT4 <= x.elapsed, "T1 then T4");
        fuzz::Require(r.sample.corrected == r.t4 + r.sample.offset, "corrected is T4 moved on");
        fuzz::Require(static_cast<std::size_t>(r.ignored) + 1 == taken, "all before it ignored");
    } else if (r.error == ExchangeError::Rejected) {
        fuzz::Require(r.status != ReplyStatus::Valid && !KeepsWaiting(r.status),
                      "a rejection is our server's answer without time");
        fuzz::Require(r.reply.originate == sent, "a rejection answers our request");
        fuzz::Require(static_cast<std::size_t>(r.ignored) + 1 == taken, "all before it ignored");
    } else {
        fuzz::Require(r.status == ReplyStatus::Valid || KeepsWaiting(r.status),
                      "no answer means nothing was ours");
        fuzz::Require(static_cast<std::size_t>(r.ignored) == taken && x.arrivals.empty(),
                      "every datagram seen and ignored");
    }
    return 0;
}
