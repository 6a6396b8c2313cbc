#pragma once
// Owns the four clock records between the window thread (loads, reads) and the tick thread
// (advances), and paces the advances against a monotonic clock so that late, missed or bunched
// timer callbacks never make the software clock gain or lose time.

#include "clock/clock_time.h"

#include <cstdint>
#include <mutex>

namespace zentrava {

// Monotonic time in 100 ns units (QueryPerformanceCounter on Windows).
using MonotonicTime = std::int64_t;

inline constexpr MonotonicTime kTickPeriod = 500'000; // 50 ms
// More owed ticks than this are not replayed one by one: the records jump instead.
inline constexpr std::int64_t kMaxReplayTicks = 100; // 5 s

// Counts the 50 ms periods owed since an anchor. The anchor sits half a period behind the
// moment of the load, so a callback that comes a little early or late still finds exactly one
// period owed.
class TickPacer {
public:
    void Anchor(MonotonicTime now) {
        anchor_ = now - kTickPeriod / 2;
        done_ = 0;
        anchored_ = true;
    }
    // Nothing is owed before the first load: the records hold no time yet.
    std::int64_t Owed(MonotonicTime now) const {
        if (!anchored_) {
            return 0;
        }
        const MonotonicTime elapsed = now - anchor_;
        return elapsed < 0 ? 0 : elapsed / kTickPeriod - done_;
    }
    void Consume(std::int64_t ticks) { done_ += ticks; }

private:
    bool anchored_ = false;
    MonotonicTime anchor_ = 0;
    std::int64_t done_ = 0;
};

// One step of the tick thread: either one advance, or one jump over many owed ticks.
struct ClockStep {
    enum class Kind { None, Advanced, Jumped };
    Kind kind = Kind::None;
    AdvanceEvents events;     // of LocalClock, for Advanced
    std::int64_t ticks = 0;   // ticks this step covered
    std::int64_t pending = 0; // ticks still owed after this step
    Clocks clocks;            // the records right after this step
};

class ClockKeeper {
public:
    // Window creation: zero LocalClock, MillisecondStep 50.
    void Reset();
    void SetZones(const WorldZoneSettings& zones);
    WorldZoneSettings Zones() const;
    // New zone settings take effect at once: the world records are recomputed from LocalClock
    // as it stands. LocalClock, UtcClock and the pacer are left alone, since a load would
    // re-anchor the pacer and move the program's clock by up to a tick.
    void ApplyZones(const WorldZoneSettings& zones);

    // SetClocks and re-anchor in one step, so a load is never followed by a burst.
    void Load(const DateTime& t, MonotonicTime now);
    // A consistent copy for painting and texts.
    Clocks Read() const;

    // Tick thread: takes the next owed tick, if any, checked and consumed under the lock so
    // that a load between two steps can never make a tick count twice.
    ClockStep Step(MonotonicTime now);
    // Ticks owed at `now`, without taking any.
    std::int64_t Owed(MonotonicTime now) const;

private:
    mutable std::mutex mutex_;
    Clocks clocks_;
    WorldZoneSettings zones_;
    TickPacer pacer_;
};

} // namespace zentrava
