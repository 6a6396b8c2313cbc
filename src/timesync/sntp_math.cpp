#include "timesync/sntp_math.h"

#include <algorithm>
#include <cmath>

namespace zentrava {

std::uint32_t MillisecondsToFraction(int milliseconds) {
    return static_cast<std::uint32_t>(milliseconds) * kFractionPerMillisecond;
}

int FractionToMilliseconds(std::uint32_t fraction) {
    return static_cast<int>(std::min<std::uint32_t>(fraction / kFractionPerMillisecond, 999));
}

SntpSample ComputeSample(std::int64_t t1, NtpTimestamp t2, NtpTimestamp t3, std::int64_t t4) {
    const std::int64_t serverReceive = FromNtpTimestamp(t2, t1);
    const std::int64_t serverTransmit = FromNtpTimestamp(t3, t1);
    SntpSample s;
    s.offset = ((serverReceive - t1) + (serverTransmit - t4)) / 2;
    s.delay = (t4 - t1) - (serverTransmit - serverReceive);
    s.corrected = t4 + s.offset;
    return s;
}

double TicksToSeconds(std::int64_t ticks) {
    return static_cast<double>(ticks) / static_cast<double>(kTicksPerSecond);
}

bool ShouldSetSystemClock(std::int64_t offset, int setLocalTime, int setLocalTimeForcedUpdate) {
    return setLocalTime == 1 && (offset > kClockSetThreshold || offset < -kClockSetThreshold ||
                                 setLocalTimeForcedUpdate == 1);
}

bool IsLargeCorrection(std::int64_t offset) {
    return offset > kLargeCorrection || offset < -kLargeCorrection;
}

bool OffsetsAgree(std::int64_t first, std::int64_t second) {
    // An offset reaches 68 years at most (a timestamp is read in the era nearest our clock),
    // so the difference cannot overflow.
    const std::int64_t apart = first - second;
    return apart <= kSecondOpinionTolerance && apart >= -kSecondOpinionTolerance;
}

std::int64_t CorrectedTimeNow(std::int64_t corrected, MonotonicTime atT4, MonotonicTime now) {
    return corrected + (now - atT4);
}

DateTime NtpToUtcDateTime(NtpTimestamp timestamp, std::int64_t reference) {
    // Whole seconds first: the rounding of the fraction to 100 ns must not carry into them.
    DateTime t = FromFileTicks(FromNtpTimestamp({timestamp.seconds, 0}, reference));
    t.milliseconds = FractionToMilliseconds(timestamp.fraction);
    return t;
}

double FixedPointSeconds(std::uint32_t value) {
    return static_cast<double>(value >> 16) + static_cast<double>(value & 0xFFFFu) / 65536.0;
}

double PrecisionSeconds(int precision) {
    return std::ldexp(1.0, precision);
}

} // namespace zentrava
