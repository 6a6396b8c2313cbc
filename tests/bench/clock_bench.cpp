#include "clock/clock_time.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zentrava;

// One 50 ms advance of all four records. Most ticks stay in integer arithmetic; the calendar is
// consulted only at a new hour of a zone that observes summer time, so both figures should be
// close.
void RunAdvance(benchmark::State& state, const WorldZoneSettings& zones) {
    Clocks clocks;
    ResetClocks(clocks);
    SetClocks(clocks, {2024, 3, 0, 31, 9, 30, 0, 0}, zones);
    for (auto _ : state) {
        benchmark::DoNotOptimize(AdvanceClocks(clocks, zones));
        benchmark::ClobberMemory();
    }
}

void BM_AdvanceClocksZonesOff(benchmark::State& state) {
    RunAdvance(state, WorldZoneSettings{});
}
BENCHMARK(BM_AdvanceClocksZonesOff);

void BM_AdvanceClocksBothZonesInSummerTime(benchmark::State& state) {
    WorldZoneSettings zones;
    zones.TimeZoneDiffOnFlag = {1, 1};
    zones.TimeZoneDiffSummerTimeOnFlag = {1, 1};
    zones.TimeZoneDiffHour = {0, -5};
    RunAdvance(state, zones);
}
BENCHMARK(BM_AdvanceClocksBothZonesInSummerTime);

} // namespace
