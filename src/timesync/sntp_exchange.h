#pragma once
// One SNTP exchange, whatever carries the datagrams: send the request, wait up to a second for
// our server's answer, ignore everything else that arrives meanwhile, and work out the sample.
// The socket code (Winsock in the program, POSIX sockets in the tests) only moves bytes.

#include "clock/clock_keeper.h" // MonotonicTime
#include "timesync/sntp_math.h"
#include "timesync/sntp_packet.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zentrava {

// The Part of the wait the answer gets: one second from sending.
inline constexpr std::int64_t kSntpAnswerWait = kTicksPerSecond;

struct SntpDatagram {
    std::size_t size = 0; // bytes received; more than the buffer's size never happens
    // From the server's address and port 123. Anything else is somebody else's datagram.
    bool fromServer = false;
};

class SntpTransport {
public:
    virtual ~SntpTransport() = default;
    // The request to the server's port 123, from an ephemeral port of our own.
    virtual bool Send(std::span<const std::uint8_t> request) = 0;
    // Waits at most `timeout` (100 ns units) for one datagram. Nothing on time-out or error.
    virtual std::optional<SntpDatagram> Receive(std::span<std::uint8_t> buffer,
                                                std::int64_t timeout) = 0;
};

// The two clocks of an exchange: the system's time, read whole in one call (file-time scale,
// UTC), and a monotonic clock for the deadline and for moving the answer on later.
class SntpClocks {
public:
    virtual ~SntpClocks() = default;
    virtual std::int64_t SystemNow() = 0;
    virtual MonotonicTime MonotonicNow() = 0;
};

enum class ExchangeError {
    None,
    SendFailed,
    NoAnswer, // nothing acceptable before the deadline
    Rejected, // our server answered without a time; `status` says why
};

struct SntpExchangeResult {
    ExchangeError error = ExchangeError::NoAnswer;
    // Rejected: the reason. NoAnswer: the last datagram ignored while waiting, Valid when
    // nothing at all came (or nothing from the server).
    ReplyStatus status = ReplyStatus::Valid;
    NtpReply reply;         // decoded when the server answered
    std::int64_t t1 = 0;    // our clock when the request left
    std::int64_t t4 = 0;    // our clock when the answer arrived
    MonotonicTime atT4 = 0; // the monotonic clock at the same moment
    SntpSample sample;      // None only
    int ignored = 0;        // datagrams not taken while waiting
};

// `transmit` goes out as the request's transmit timestamp and must come back as the answer's
// originate: a fresh RandomTransmitTimestamp() for every exchange. T1 is our clock read just
// before sending, kept here.
SntpExchangeResult RunSntpExchange(SntpTransport& transport, SntpClocks& clocks,
                                   NtpTimestamp transmit, std::int64_t wait = kSntpAnswerWait);

} // namespace zentrava
