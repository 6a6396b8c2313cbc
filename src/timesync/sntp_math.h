#pragma once
// What one SNTP exchange tells us: the offset of our clock from the server's, the round-trip
// delay, the server's time, and whether that is worth setting the computer's clock for.
// Everything is in 100 ns units on the file-time scale (see sntp_packet.h), integer all the
// way, so that the 0.1 s threshold is compared exactly and not through a binary double.
//
// T1 and T4 are our own clock's readings when the request left and the answer arrived, each
// read whole from one clock in one call: seconds from one clock and milliseconds from another
// can be almost a second apart at a second boundary.

#include "clock/calendar.h"
#include "clock/clock_keeper.h" // MonotonicTime
#include "timesync/sntp_packet.h"

#include <cstdint>

namespace zentrava {

// The outcome of a query as the rest of the program counts it.
enum class SetResult : int {
    NoTime = 0,     // no usable answer
    Set = 1,        // the computer's clock was set
    SetFailed = -1, // setting it was refused; the program's own clock still takes the time
    NotSet = 2,     // the computer's clock was left alone
    // Left alone although the settings asked for it: a step this large is taken only when a
    // second server confirms it, and none did. The program's own clock takes the time.
    Unconfirmed = 3,
};

// 0.1 s: a smaller offset (either way) is not worth a jump of the computer's clock.
inline constexpr std::int64_t kClockSetThreshold = 1'000'000;

// The millisecond scale of timestamp fractions: 4294967 is 2^32 / 1000 truncated, so a whole
// millisecond count goes in and comes back out exactly.
inline constexpr std::uint32_t kFractionPerMillisecond = 4'294'967;
std::uint32_t MillisecondsToFraction(int milliseconds); // 0-999
// The truncated millisecond of a fraction, at most 999: the last 295 fraction units of a
// second would otherwise read as millisecond 1000.
int FractionToMilliseconds(std::uint32_t fraction);

struct SntpSample {
    std::int64_t offset = 0;    // server minus us; positive: our clock is behind
    std::int64_t delay = 0;     // the round trip less the server's own turnaround
    std::int64_t corrected = 0; // T4 + offset: the server's time at the moment of T4
};

// T2 and T3 are read in the era nearest T1.
SntpSample ComputeSample(std::int64_t t1, NtpTimestamp t2, NtpTimestamp t3, std::int64_t t4);

double TicksToSeconds(std::int64_t ticks);

// SetLocalTime = 1 and an offset beyond 0.1 s either way (an offset of exactly 0.1 s is left
// alone), or SetLocalTimeForcedUpdate = 1, which sets the clock even at offset 0. Only the
// decision: the caller asks the injected setter.
bool ShouldSetSystemClock(std::int64_t offset, int setLocalTime, int setLocalTimeForcedUpdate);

// Beyond 1000 s either way, a correction of the computer's clock from an update needs a second
// server that agrees: a broken or forged answer must not move the clock by years.
inline constexpr std::int64_t kLargeCorrection = 1000 * kTicksPerSecond;
// Two servers agree when their offsets are at most a second apart.
inline constexpr std::int64_t kSecondOpinionTolerance = kTicksPerSecond;
bool IsLargeCorrection(std::int64_t offset);
bool OffsetsAgree(std::int64_t first, std::int64_t second);

// The server's time now, from the corrected time of T4 moved on by the monotonic time that has
// passed since T4 was read: the answer reaches the window thread some time after it arrived.
std::int64_t CorrectedTimeNow(std::int64_t corrected, MonotonicTime atT4, MonotonicTime now);

// A timestamp as a UTC date-time for the report, its millisecond truncated as above.
DateTime NtpToUtcDateTime(NtpTimestamp timestamp, std::int64_t reference);

// A 16.16 fixed-point number of seconds (root delay, root dispersion).
double FixedPointSeconds(std::uint32_t value);
// 2 raised to a precision exponent, in seconds.
double PrecisionSeconds(int precision);

} // namespace zentrava
