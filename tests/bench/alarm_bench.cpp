#include "alarms/alarm_schedule.h"
#include "app/tick.h"
#include "app/idle_tick_duties.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zentrava;

// Requests that go nowhere, so the figure is the pass's own cost.
class NoActions final : public AlarmActions {
public:
    bool AlarmSounding() override { return true; }
    void StopAlarmSound() override {}
    void StartAlarmSound(const std::string&) override {}
    bool BalloonsSupported() override { return true; }
    void RequestBalloon(const std::string&) override {}
    void OpenNotification(int) override {}
    void SaveAlarmOn(int) override {}
};

// Twenty switched-on alarms with sounds, pictures and memos. Three repeating ones are due at
// Monday 7:05 (so the pass also fires and formats a message); the others wait for other days,
// times or dates and stay as they are from one pass to the next.
AlarmRecords TwentyAlarms() {
    AlarmRecords records;
    for (std::size_t i = 0; i < records.size(); ++i) {
        AlarmRecord& alarm = records[i];
        const int n = static_cast<int>(i);
        alarm.On = 1;
        alarm.RepeatType = 1 + n % 11;
        alarm.Hour = 6 + n % 3;
        alarm.Minute = 5;
        alarm.ShowNotification = 1;
        alarm.NotifyWay = n % 2;
        alarm.Memo = "Memo of alarm " + std::to_string(n + 1) + ", long enough to need the heap";
        alarm.SoundFile = "C:\\Users\\someone\\Music\\Alarms\\alarm" + std::to_string(n) + ".wav";
        alarm.PictureFile = "C:\\Users\\someone\\Pictures\\alarm" + std::to_string(n) + ".png";
    }
    records[3] = records[2];
    records[3].RepeatType = static_cast<int>(AlarmRepeat::Once);
    records[3].Year = 2030;
    records[3].Month = 1;
    records[3].Day = 1;
    return records;
}

void BM_AlarmCheckAtWholeMinute(benchmark::State& state) {
    AlarmTable table;
    CommitAlarms(table, TwentyAlarms());
    ClockTimeRecord now;
    LoadRecord(now, DateTime{2024, 3, 0, 4, 7, 5, 0, 0}); // Monday 7:05:00
    NoActions actions;
    int due = 0;
    for (const AlarmRecord& alarm : table.Records()) {
        due += IsAlarmDue(alarm, now) ? 1 : 0;
    }
    for (auto _ : state) {
        CheckAlarms(table, now, actions);
    }
    state.counters["due"] = due;
}
BENCHMARK(BM_AlarmCheckAtWholeMinute);

// The tick's duties with the real alarm pass behind CheckAlarms and nothing else.
class AlarmDuties final : public IdleDuties {
public:
    AlarmDuties(AlarmTable& table, AlarmActions& actions) : table_(table), actions_(actions) {}
    void CheckAlarms(const Clocks& c) override {
        zentrava::CheckAlarms(table_, c.LocalClock, actions_);
    }

private:
    AlarmTable& table_;
    AlarmActions& actions_;
};

// A whole minute of ticks (1200, one of them at second 0 running the pass) with twenty alarms
// on, three of them due at every minute of 7:05 on Mondays: the figure divided by 1200 is
// what the alarms add to the average tick, and the minute's cost shows the one heavy tick.
void BM_MinuteOfTicksWithTwentyAlarms(benchmark::State& state) {
    AlarmTable table;
    CommitAlarms(table, TwentyAlarms());
    NoActions actions;
    AlarmDuties duties(table, actions);
    ClockKeeper keeper;
    keeper.Reset();
    keeper.Load({2024, 3, 0, 4, 7, 4, 0, 0}, 0); // Monday 7:04:00
    TickState tick;
    TickSettings settings;
    MonotonicTime now = 0;
    for (auto _ : state) {
        for (int i = 0; i < kTicksPerMinuteUnit; ++i) {
            now += kTickPeriod;
            benchmark::DoNotOptimize(RunTick(keeper, tick, settings, duties, now));
        }
        tick.unpaintedRedraws.store(0);
    }
}
BENCHMARK(BM_MinuteOfTicksWithTwentyAlarms);

} // namespace
