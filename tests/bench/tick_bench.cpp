#include "app/tick.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zentrava;

// Duties that do nothing, so the figure is the tick's own cost.
class IdleDuties final : public TickDuties {
public:
    void RefreshTooltip() override {}
    void RedrawTrayClock() override {}
    void InvalidateFace() override {}
    void RepaintWatchdog() override {}
    void CountNoodleSecond() override {}
    bool IntervalAlarmStarted() override { return false; }
    void StartIntervalAlarm() override {}
    void CheckAlarms(const Clocks&) override {}
    void CheckHourChime(const Clocks&) override {}
    void CheckHalfHourChime(const Clocks&) override {}
    void CheckCustomTimeSignals(const Clocks&) override {}
    bool QuickTimerRunning() override { return false; }
    void CheckQuickTimer(const Clocks&) override {}
    void CheckTimeServerSchedule(const Clocks&) override {}
    void ShowPendingBalloon() override {}
    bool AlarmSounding() override { return false; }
    bool StopKeyDown() override { return false; }
    void StopAlarmSound() override {}
};

void BM_FullTickDefaultSettings(benchmark::State& state) {
    ClockKeeper keeper;
    keeper.Reset();
    keeper.Load({2024, 3, 5, 2, 12, 0, 0, 0}, 0);
    TickState tick;
    TickSettings settings;
    IdleDuties duties;
    MonotonicTime now = 0;
    for (auto _ : state) {
        now += kTickPeriod;
        benchmark::DoNotOptimize(RunTick(keeper, tick, settings, duties, now));
        tick.unpaintedRedraws.store(0);
    }
}
BENCHMARK(BM_FullTickDefaultSettings);

} // namespace
