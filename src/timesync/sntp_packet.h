#pragma once
// The SNTP wire format: the client request, NTP timestamps and their reading in the right era,
// and the checks an answer must pass before its time may touch any clock.
//
// Times on our side are 100 ns counts since 1 January 1601 UTC (the file-time scale, as
// GetSystemTimePreciseAsFileTime reads them); the calendar code of clock/calendar.h works on
// the same scale.
//
// Who checks what. The socket code accepts a datagram only from the server's address and port
// 123 and sends from an ephemeral port; everything that can be seen in the datagram itself is
// checked here.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace zentrava {

inline constexpr std::size_t kNtpPacketSize = 48;
inline constexpr std::uint16_t kNtpPort = 123;
// Receive into this much: a valid answer may carry extension fields or a MAC after the header,
// and a receive into exactly 48 bytes fails on it.
inline constexpr std::size_t kNtpReceiveBufferSize = 1024;

// 1 January 1900 00:00 UTC, the start of NTP era 0, on the file-time scale.
inline constexpr std::int64_t kNtpEra0FileTicks = 94'354'848'000'000'000;
// Seconds from the start of NTP era 0 to the Unix epoch.
inline constexpr std::uint32_t kNtpToUnixSeconds = 2'208'988'800u;

// An NTP timestamp as it travels: seconds within an era and a binary fraction of a second.
struct NtpTimestamp {
    std::uint32_t seconds = 0;
    std::uint32_t fraction = 0;

    bool IsZero() const { return seconds == 0 && fraction == 0; }
    friend bool operator==(const NtpTimestamp&, const NtpTimestamp&) = default;
};

// The instant as an NTP timestamp, rounded to the nearest fraction unit (the era is dropped).
NtpTimestamp ToNtpTimestamp(std::int64_t fileTicks);

// The timestamp read in the era that puts it nearest `reference` (our own clock), rounded to
// the nearest 100 ns. A timestamp is 32 bits of seconds, so it names an instant only to within
// 136 years; taking the nearest one keeps a client working after 7 February 2036, when era 0
// runs out, as long as its own clock is within 68 years of the truth.
std::int64_t FromNtpTimestamp(NtpTimestamp timestamp, std::int64_t reference);

// A request's transmit timestamp: 64 random bits, never all zero. It is no time at all: the
// answer must echo it, so a forger who did not see the request has 64 bits to guess rather than
// our clock, and the request no longer tells anyone what our clock reads. T1 stays with us.
NtpTimestamp RandomTransmitTimestamp();
// The same from any source of 32-bit draws: seconds first, then fraction, drawn again while
// both are zero (a zero originate is what a server puts in an answer to no request).
NtpTimestamp TransmitTimestampFrom(const std::function<std::uint32_t()>& draw);

// 0x1B (leap 0, version 3, client mode), everything else zero but the transmit timestamp.
// Version 3 is understood by every server; servers answer in the version they were asked in.
std::array<std::uint8_t, kNtpPacketSize> BuildRequest(NtpTimestamp transmit);

// The header of an answer, decoded field by field.
struct NtpReply {
    int leap = 0;    // 3: the server's clock is not synchronised
    int version = 0; // 3 or 4 for an answer we take
    int mode = 0;    // 4: a server's answer
    int stratum = 0; // 0: kiss-o'-death, 1: primary, 2-15: secondary, 16 and above: none
    int poll = 0;
    int precision = 0;                         // log2 of seconds, signed
    std::uint32_t rootDelay = 0;               // 16.16 fixed-point seconds
    std::uint32_t rootDispersion = 0;          // 16.16 fixed-point seconds
    std::array<std::uint8_t, 4> referenceId{}; // as received
    NtpTimestamp reference;
    NtpTimestamp originate; // our transmit timestamp, echoed
    NtpTimestamp receive;   // T2
    NtpTimestamp transmit;  // T3
};

// The first 48 bytes of a datagram; the caller has checked there are that many.
NtpReply ParseReply(std::span<const std::uint8_t> datagram);

enum class ReplyStatus {
    Valid,
    // Not an answer to our request; the client keeps waiting for one.
    TooShort,
    NotServerMode,
    WrongVersion,
    OriginateMismatch,
    // Our server's answer to our request, but no time.
    Unsynchronised, // leap indicator 3
    StratumTooHigh, // above 15
    ZeroTransmit,
    ZeroReceive,            // T2 of 0: read as a time, it names the end of era 0, years away
    ZeroReference,          // stratum 1-15 but never synchronised
    ReferenceAfterTransmit, // synchronised after it answered: a clock that cannot be right
    RootDistanceTooLarge,   // root delay / 2 + root dispersion of 16 s or more
    KissRate,               // asks too often: this query is not retried
    KissDeny,               // refuses us: not asked again while the program runs
    KissRestrict,
    KissOther, // stratum 0 with another code: no time, but no ban either
};

struct ReplyCheck {
    ReplyStatus status = ReplyStatus::TooShort;
    NtpReply reply; // decoded when the datagram holds at least a header
};

// Checks a received datagram against the request whose transmit timestamp was `sent`.
// Stratum 0 is looked at before the leap indicator: a kiss-o'-death carries leap 3 as well,
// and reading it as a plain unsynchronised answer would miss that the server refused us.
// The timestamp and distance tests come last, on answers that are otherwise fine: they catch
// servers that say they are synchronised when they cannot be.
ReplyCheck CheckReply(std::span<const std::uint8_t> datagram, NtpTimestamp sent);

// True for datagrams that are not our answer: ignored, and the wait goes on.
bool KeepsWaiting(ReplyStatus status);
// After this answer the failed query is not tried again.
bool ForbidsRetry(ReplyStatus status);
// After this answer the server is not asked again while the program runs.
bool ShunsServer(ReplyStatus status);

// The reference identifier as text (a kiss code, or a primary server's source such as "GPS"):
// up to 4 characters, ending at the first zero byte.
std::string ReferenceIdText(const std::array<std::uint8_t, 4>& id);

} // namespace zentrava
