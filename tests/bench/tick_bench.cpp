#include "app/tick.h"
#include "alarms/noodle_timer.h"
#include "alarms/quick_timer.h"
#include "app/idle_tick_duties.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zentrava;

// One full tick per iteration, with default settings and the given duties.
void RunFullTicks(benchmark::State& state, TickDuties& duties) {
    ClockKeeper keeper;
    keeper.Reset();
    keeper.Load({2024, 3, 5, 2, 12, 0, 0, 0}, 0);
    TickState tick;
    TickSettings settings;
    MonotonicTime now = 0;
    for (auto _ : state) {
        now += kTickPeriod;
        benchmark::DoNotOptimize(RunTick(keeper, tick, settings, duties, now));
        tick.unpaintedRedraws.store(0);
    }
}

void BM_FullTickDefaultSettings(benchmark::State& state) {
    IdleDuties duties;
    RunFullTicks(state, duties);
}
BENCHMARK(BM_FullTickDefaultSettings);

// The noodle timer counts its second and the quick timer its step under their locks, as the
// window's duties do; both are started again whenever one runs out, so they always run.
class CountdownDuties final : public IdleDuties {
public:
    CountdownDuties() {
        noodle.Start(300, 5, 2);
        quick.Preset(kLongestSet);
        quick.StartOrStop();
    }
    void CountNoodleSecond() override {
        if (noodle.CountSecond().fired) {
            noodle.Start(300, 5, 2);
        }
    }
    bool QuickTimerRunning() override { return quick.Running(); }
    void CheckQuickTimer(const Clocks&) override {
        if (quick.Step().fired) {
            quick.Preset(kLongestSet);
            quick.StartOrStop();
        }
    }

    NoodleTimer noodle;
    QuickTimer quick;

private:
    static constexpr int kLongestSet = 24 * 3600 - 1;
};

void BM_FullTickWithBothCountdownsRunning(benchmark::State& state) {
    CountdownDuties duties;
    RunFullTicks(state, duties);
    if (!duties.quick.Running() || !duties.noodle.State().running) {
        state.SkipWithError("a countdown stopped");
    }
}
BENCHMARK(BM_FullTickWithBothCountdownsRunning);

} // namespace
