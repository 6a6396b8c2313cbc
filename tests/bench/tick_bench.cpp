#include "app/tick.h"
#include "app/idle_tick_duties.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zentrava;

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
