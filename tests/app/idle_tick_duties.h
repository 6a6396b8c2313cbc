#pragma once
// Tick duties that do nothing, so a benchmark measures the tick's own cost and a test wires
// in only the duty it is about, overriding just that one.

#include "app/tick.h"

namespace zentrava {

class IdleDuties : public TickDuties {
public:
    void RefreshTooltip() override {}
    void RedrawTrayClock() override {}
    void InvalidateFace() override {}
    void RepaintWatchdog() override {}
    void CountLockoutSeconds() override {}
    void CountNoodleSecond() override {}
    void SkipCountdowns(std::int64_t) override {}
    bool IntervalAlarmStarted() override { return false; }
    void StartIntervalAlarm() override {}
    void CheckAlarms(const Clocks&) override {}
    void CheckHourChime(const Clocks&) override {}
    void CheckHalfHourChime(const Clocks&) override {}
    void CheckCustomTimeSignals(const Clocks&) override {}
    bool QuickTimerRunning() override { return false; }
    void CheckQuickTimer(const Clocks&) override {}
    void CheckTimeServerSchedule(const Clocks&) override {}
    void StartWaitingTimeServerQuery(const Clocks&) override {}
    void ShowPendingBalloon() override {}
    bool AlarmSounding() override { return false; }
    bool StopKeyDown() override { return false; }
    void StopAlarmSound() override {}
};

} // namespace zentrava
