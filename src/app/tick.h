#pragma once
// The 50 ms tick: which duties run on each tick, in which order, and how late or bunched
// timer callbacks are made up. Portable: the glue supplies the monotonic time, the settings
// and the duties, and carries out what they ask of the window.

#include "alarms/time_signal.h"
#include "clock/clock_keeper.h"

#include <atomic>
#include <cstdint>

namespace zentrava {

// The values of other features that decide which duties a tick runs; the glue fills them
// from each feature's record once per timer callback.
struct TickSettings {
    int SecondHandDispOnOff = 1;
    int SecondHandSmooth = 0;
    int TaskTrayIconClock = 0;
    int WindowDispOn = 1;
    int IntervalAlarmJust0Second = 1;
    int IntervalAlarmOn = 0;
    int TimeSignalFlag = 1;
    int TimeSignal0JustOnFlag = 0;
    int TimeSignal30JustOnFlag = 0;
    int TimeSignalMSecondEnable = 0;
};

// Every duty a tick can run. Each feature fills in its own; the scheduler checks receive the
// records as they were right after the advance that triggered them.
class TickDuties {
public:
    virtual ~TickDuties() = default;
    // Before the duties of each step; the event log hangs its per-tick line on it.
    virtual void OnClockStep(const ClockStep&) {}
    virtual void RefreshTooltip() = 0;
    virtual void RedrawTrayClock() = 0;
    virtual void InvalidateFace() = 0;
    // The window is on the screen now. The proximity behaviour hides it while WindowDispOn
    // stays 1; a hidden window is never painted, and is painted whole when it shows again.
    // Asked only after an invalidation, twice a second, not on every tick.
    virtual bool FaceOnScreen() { return true; }
    virtual void RepaintWatchdog() = 0; // kCmdApplyOpaqueLayer, then kCmdApplyLayer
    // Every whole second: the features' lockouts and the noodle timer count down.
    virtual void CountLockoutSeconds() = 0;
    virtual void CountNoodleSecond() = 0;
    // The records jumped over a stall of this many ticks without running their duties: the
    // countdowns take the time off at once, so they ring when the stall ends, not later by its
    // length, and at most once.
    virtual void SkipCountdowns(std::int64_t ticks) = 0;
    virtual bool IntervalAlarmStarted() = 0;
    virtual void StartIntervalAlarm() = 0; // marks it started
    virtual void CheckAlarms(const Clocks& clocks) = 0;
    virtual void CheckHourChime(const Clocks& clocks) = 0;
    virtual void CheckHalfHourChime(const Clocks& clocks) = 0;
    virtual void CheckCustomTimeSignals(const Clocks& clocks) = 0;
    virtual bool QuickTimerRunning() = 0;
    virtual void CheckQuickTimer(const Clocks& clocks) = 0;
    virtual void CheckTimeServerSchedule(const Clocks& clocks) = 0;
    // Every whole second: a scheduled time-server query waits for a random second of its minute.
    virtual void StartWaitingTimeServerQuery(const Clocks& clocks) = 0;
    virtual void ShowPendingBalloon() = 0;
    virtual bool AlarmSounding() = 0;
    virtual bool StopKeyDown() = 0;    // Esc, left or right Shift
    virtual void StopAlarmSound() = 0; // kCmdStopAlarm
};

// State of the tick shared with the window thread.
struct TickState {
    std::atomic<int> unpaintedRedraws{0}; // the paint handler sets it to 0
};

struct TickReport {
    std::int64_t ticks = 0; // ticks the records moved
    int advances = 0;       // ticks replayed with their duties
    bool jumped = false;    // the records jumped over more than 5 s
};

// The test build's soak: a world whose time runs ahead of the real one on request.
class SoakWorld {
public:
    virtual ~SoakWorld() = default;
    // Moves the world's time on by `by` (100 ns units); returns the monotonic time after.
    virtual MonotonicTime Advance(std::int64_t by) = 0;
    // True while time must stand still (a time-server exchange is in flight).
    virtual bool Held() = 0;
};

// Simulated ticks per step of the soak: far inside the replay window, so no step ever jumps.
inline constexpr std::int64_t kSoakStepTicks = 20;
static_assert(kSoakStepTicks * 4 < kMaxReplayTicks);

// The four switches that decide which time-signal checks a tick runs.
void CopyTickFlags(const TimeSignal& signal, TickSettings& tick);

// Runs one timer callback: every tick owed at `now`, each with its duties, and the once-per-
// callback duties (tooltip, tray clock, invalidation, balloon, stop keys) after the last.
TickReport RunTick(ClockKeeper& keeper, TickState& state, const TickSettings& settings,
                   TickDuties& duties, MonotonicTime now);

// One timer callback of the soak: what RunTick would run at `now`, then `extraTicks` more, the
// world advanced kSoakStepTicks at a time and every tick replayed with its schedulers, until the
// world is held. A late callback's stall is replayed the same way, never jumped. The
// once-per-callback duties run once at the end, as after any burst.
TickReport RunSoakCallback(ClockKeeper& keeper, TickState& state, const TickSettings& settings,
                           TickDuties& duties, SoakWorld& world, MonotonicTime now,
                           std::int64_t extraTicks);

} // namespace zentrava
