#include "timesync/sntp_packet.h"

#include <algorithm>
#include <random>

namespace zentrava {
namespace {

constexpr std::int64_t kTicksPerNtpSecond = 10'000'000;
constexpr std::uint64_t kHalfFractionUnit = std::uint64_t{1} << 31;
// The reference implementation's limit: a server this far from its source (16 s, 16.16 fixed
// point) has lost it, whatever its leap indicator says.
constexpr std::uint64_t kMaxRootDistance = std::uint64_t{16} << 16;

constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Rounded to the nearest unit both ways, so every 100 ns count survives a trip through a
// fraction unchanged (a fraction unit is 0.23 ns, far finer than a tick).
std::int64_t FractionToTicks(std::uint32_t fraction) {
    return static_cast<std::int64_t>(
        (std::uint64_t{fraction} * kTicksPerNtpSecond + kHalfFractionUnit) >> 32);
}

std::uint32_t TicksToFraction(std::int64_t ticks) { // 0 <= ticks < one second
    const std::uint64_t scaled = (static_cast<std::uint64_t>(ticks) << 32) +
                                 static_cast<std::uint64_t>(kTicksPerNtpSecond / 2);
    return static_cast<std::uint32_t>(scaled / static_cast<std::uint64_t>(kTicksPerNtpSecond));
}

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
           (std::uint32_t{bytes[at + 2]} << 8) | std::uint32_t{bytes[at + 3]};
}

NtpTimestamp ReadTimestamp(std::span<const std::uint8_t> bytes, std::size_t at) {
    return {ReadU32(bytes, at), ReadU32(bytes, at + 4)};
}

void WriteU32(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value) {
    bytes[at] = static_cast<std::uint8_t>(value >> 24);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 16);
    bytes[at + 2] = static_cast<std::uint8_t>(value >> 8);
    bytes[at + 3] = static_cast<std::uint8_t>(value);
}

std::uint64_t Whole(NtpTimestamp ts) {
    return (std::uint64_t{ts.seconds} << 32) | ts.fraction;
}

// The wrapped 64-bit difference read as signed: two timestamps either side of an era's end
// still compare as the instants they name.
bool IsLater(NtpTimestamp a, NtpTimestamp b) {
    return static_cast<std::int64_t>(Whole(a) - Whole(b)) > 0;
}

// Done in 64 bits: two 32-bit fields near their top would wrap to a small distance.
std::uint64_t RootDistance(const NtpReply& r) {
    return std::uint64_t{r.rootDelay} / 2 + std::uint64_t{r.rootDispersion};
}

ReplyStatus KissStatus(const std::array<std::uint8_t, 4>& id) {
    const std::string code = ReferenceIdText(id);
    if (code == "RATE") {
        return ReplyStatus::KissRate;
    }
    if (code == "DENY") {
        return ReplyStatus::KissDeny;
    }
    if (code == "RSTR") {
        return ReplyStatus::KissRestrict;
    }
    return ReplyStatus::KissOther;
}

} // namespace

NtpTimestamp ToNtpTimestamp(std::int64_t fileTicks) {
    const std::int64_t sinceEra0 = fileTicks - kNtpEra0FileTicks;
    const std::int64_t seconds = FloorDiv(sinceEra0, kTicksPerNtpSecond);
    return {static_cast<std::uint32_t>(seconds),
            TicksToFraction(sinceEra0 - seconds * kTicksPerNtpSecond)};
}

std::int64_t FromNtpTimestamp(NtpTimestamp timestamp, std::int64_t reference) {
    const std::int64_t referenceSeconds =
        FloorDiv(reference - kNtpEra0FileTicks, kTicksPerNtpSecond);
    // The wrapped difference, read as signed, is the step from our clock to the nearest
    // instant with these 32 bits of seconds.
    const auto step =
        static_cast<std::int32_t>(timestamp.seconds - static_cast<std::uint32_t>(referenceSeconds));
    const std::int64_t seconds = referenceSeconds + step;
    return kNtpEra0FileTicks + seconds * kTicksPerNtpSecond + FractionToTicks(timestamp.fraction);
}

NtpTimestamp RandomTransmitTimestamp() {
    std::random_device device;
    return TransmitTimestampFrom([&device] { return static_cast<std::uint32_t>(device()); });
}

NtpTimestamp TransmitTimestampFrom(const std::function<std::uint32_t()>& draw) {
    NtpTimestamp ts;
    while (ts.IsZero()) {
        ts.seconds = draw();
        ts.fraction = draw();
    }
    return ts;
}

std::array<std::uint8_t, kNtpPacketSize> BuildRequest(NtpTimestamp transmit) {
    std::array<std::uint8_t, kNtpPacketSize> packet{};
    packet[0] = 0x1B;
    WriteU32(packet, 40, transmit.seconds);
    WriteU32(packet, 44, transmit.fraction);
    return packet;
}

NtpReply ParseReply(std::span<const std::uint8_t> datagram) {
    NtpReply r;
    r.leap = datagram[0] >> 6;
    r.version = (datagram[0] >> 3) & 0x07;
    r.mode = datagram[0] & 0x07;
    r.stratum = datagram[1];
    r.poll = static_cast<std::int8_t>(datagram[2]);
    r.precision = static_cast<std::int8_t>(datagram[3]);
    r.rootDelay = ReadU32(datagram, 4);
    r.rootDispersion = ReadU32(datagram, 8);
    std::copy_n(datagram.begin() + 12, 4, r.referenceId.begin());
    r.reference = ReadTimestamp(datagram, 16);
    r.originate = ReadTimestamp(datagram, 24);
    r.receive = ReadTimestamp(datagram, 32);
    r.transmit = ReadTimestamp(datagram, 40);
    return r;
}

ReplyCheck CheckReply(std::span<const std::uint8_t> datagram, NtpTimestamp sent) {
    ReplyCheck check;
    if (datagram.size() < kNtpPacketSize) {
        check.status = ReplyStatus::TooShort;
        return check;
    }
    const NtpReply& r = check.reply = ParseReply(datagram);
    if (r.mode != 4) {
        check.status = ReplyStatus::NotServerMode;
    } else if (r.version != 3 && r.version != 4) {
        check.status = ReplyStatus::WrongVersion;
    } else if (r.originate != sent) {
        check.status = ReplyStatus::OriginateMismatch;
    } else if (r.stratum == 0) {
        check.status = KissStatus(r.referenceId);
    } else if (r.leap == 3) {
        check.status = ReplyStatus::Unsynchronised;
    } else if (r.stratum > 15) {
        check.status = ReplyStatus::StratumTooHigh;
    } else if (r.transmit.IsZero()) {
        check.status = ReplyStatus::ZeroTransmit;
    } else if (r.receive.IsZero()) {
        check.status = ReplyStatus::ZeroReceive;
    } else if (r.reference.IsZero()) {
        check.status = ReplyStatus::ZeroReference;
    } else if (IsLater(r.reference, r.transmit)) {
        check.status = ReplyStatus::ReferenceAfterTransmit;
    } else if (RootDistance(r) >= kMaxRootDistance) {
        check.status = ReplyStatus::RootDistanceTooLarge;
    } else {
        check.status = ReplyStatus::Valid;
    }
    return check;
}

bool KeepsWaiting(ReplyStatus status) {
    switch (status) {
    case ReplyStatus::TooShort:
    case ReplyStatus::NotServerMode:
    case ReplyStatus::WrongVersion:
    case ReplyStatus::OriginateMismatch:
        return true;
    default:
        return false;
    }
}

bool ForbidsRetry(ReplyStatus status) {
    return status == ReplyStatus::KissRate || ShunsServer(status);
}

bool ShunsServer(ReplyStatus status) {
    return status == ReplyStatus::KissDeny || status == ReplyStatus::KissRestrict;
}

std::string ReferenceIdText(const std::array<std::uint8_t, 4>& id) {
    std::string text;
    for (const std::uint8_t byte : id) {
        if (byte == 0) {
            break;
        }
        text.push_back(static_cast<char>(byte));
    }
    return text;
}

} // namespace zentrava
