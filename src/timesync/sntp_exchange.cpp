#include "timesync/sntp_exchange.h"

#include <array>

namespace zentrava {

SntpExchangeResult RunSntpExchange(SntpTransport& transport, SntpClocks& clocks,
                                   NtpTimestamp transmit, std::int64_t wait) {
    SntpExchangeResult result;
    const auto request = BuildRequest(transmit);
    result.t1 = clocks.SystemNow();
    const MonotonicTime deadline = clocks.MonotonicNow() + wait;
    if (!transport.Send(request)) {
        result.error = ExchangeError::SendFailed;
        return result;
    }
    std::array<std::uint8_t, kNtpReceiveBufferSize> buffer{};
    for (;;) {
        const std::int64_t left = deadline - clocks.MonotonicNow();
        if (left <= 0) {
            return result;
        }
        const std::optional<SntpDatagram> datagram = transport.Receive(buffer, left);
        if (!datagram) {
            return result;
        }
        // T4 before anything else: the checks below are no part of the round trip.
        const std::int64_t t4 = clocks.SystemNow();
        const MonotonicTime atT4 = clocks.MonotonicNow();
        if (!datagram->fromServer) {
            ++result.ignored;
            continue;
        }
        const std::size_t size = datagram->size < buffer.size() ? datagram->size : buffer.size();
        const ReplyCheck check = CheckReply(std::span(buffer.data(), size), transmit);
        result.status = check.status;
        if (KeepsWaiting(check.status)) {
            ++result.ignored;
            continue;
        }
        result.reply = check.reply;
        result.t4 = t4;
        result.atT4 = atT4;
        if (check.status != ReplyStatus::Valid) {
            result.error = ExchangeError::Rejected;
            return result;
        }
        result.sample = ComputeSample(result.t1, check.reply.receive, check.reply.transmit, t4);
        result.error = ExchangeError::None;
        return result;
    }
}

} // namespace zentrava
