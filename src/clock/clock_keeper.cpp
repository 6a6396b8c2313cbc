#include "clock/clock_keeper.h"

namespace zentrava {

void ClockKeeper::Reset() {
    std::lock_guard lock(mutex_);
    ResetClocks(clocks_);
}

void ClockKeeper::SetZones(const WorldZoneSettings& zones) {
    std::lock_guard lock(mutex_);
    zones_ = zones;
}

WorldZoneSettings ClockKeeper::Zones() const {
    std::lock_guard lock(mutex_);
    return zones_;
}

void ClockKeeper::ApplyZones(const WorldZoneSettings& zones) {
    std::lock_guard lock(mutex_);
    zones_ = zones;
    // Records never loaded hold no date to convert; the first load fills the world records.
    if (clocks_.LocalClock.Month == 0) {
        return;
    }
    const DateTime now = LocalDateTime(clocks_.LocalClock);
    SetWorldClock(clocks_, now, 1, zones_);
    SetWorldClock(clocks_, now, 2, zones_);
}

void ClockKeeper::Load(const DateTime& t, MonotonicTime now) {
    std::lock_guard lock(mutex_);
    SetClocks(clocks_, t, zones_);
    pacer_.Anchor(now);
}

Clocks ClockKeeper::Read() const {
    std::lock_guard lock(mutex_);
    return clocks_;
}

std::int64_t ClockKeeper::Owed(MonotonicTime now) const {
    std::lock_guard lock(mutex_);
    return pacer_.Owed(now);
}

ClockStep ClockKeeper::Step(MonotonicTime now) {
    std::lock_guard lock(mutex_);
    ClockStep step;
    const std::int64_t owed = pacer_.Owed(now);
    if (owed <= 0) {
        step.clocks = clocks_;
        return step;
    }
    if (owed > kMaxReplayTicks) {
        // Replaying minutes of duties would ring stale alarms in a rush; carry the time
        // forward by what the monotonic clock says instead, as a load does. The program's
        // clock may deliberately differ from the system clock, so never reload from that.
        const DateTime from = LocalDateTime(clocks_.LocalClock);
        const DateTime to = FromFileTicks(ToFileTicks(from) + owed * kTickPeriod);
        SetClocks(clocks_, to, zones_);
        pacer_.Consume(owed);
        step.kind = ClockStep::Kind::Jumped;
        step.ticks = owed;
    } else {
        step.events = AdvanceClocks(clocks_, zones_);
        pacer_.Consume(1);
        step.kind = ClockStep::Kind::Advanced;
        step.ticks = 1;
        step.pending = owed - 1;
    }
    step.clocks = clocks_;
    return step;
}

} // namespace zentrava
