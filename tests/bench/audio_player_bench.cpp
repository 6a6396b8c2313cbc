#include "sound/audio_player.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace {

using namespace zentrava;

class ManyFiles final : public FolderReader {
public:
    explicit ManyFiles(int count) {
        for (int i = 0; i < count; ++i) {
            entries_.push_back({"song" + std::to_string(i) + ".mp3", false});
        }
    }
    bool IsDirectory(std::string_view) const override { return true; }
    std::vector<FolderEntry> List(std::string_view) const override { return entries_; }

private:
    std::vector<FolderEntry> entries_;
};

AudioSettings RandomFolder(int repeat) {
    AudioSettings s;
    s.SelectAudioSource = 0;
    s.folders[0] = "C:\\music";
    s.AudioRepeatOn = repeat;
    s.AudioPlaySetting = 1;
    return s;
}

// One pick among 100,000 files, cycles repeating so every pick has songs left, including the
// pick that starts a new cycle.
void BM_RandomPickAmongHundredThousand(benchmark::State& state) {
    const ManyFiles reader(100000);
    AudioPlayer player(42);
    player.Load(RandomFolder(1), reader);
    player.StartRun(reader);
    for (auto _ : state) {
        benchmark::DoNotOptimize(player.Next(false));
    }
}
BENCHMARK(BM_RandomPickAmongHundredThousand);

// A whole random cycle over 100,000 files: every pick until the run ends (the folder's scan at
// the start of the run is outside the timing).
void BM_WholeRandomCycleOfHundredThousand(benchmark::State& state) {
    const ManyFiles reader(100000);
    AudioPlayer player(42);
    player.Load(RandomFolder(0), reader);
    for (auto _ : state) {
        state.PauseTiming();
        PlayStep step = player.StartRun(reader);
        state.ResumeTiming();
        while (step.play) {
            step = player.Next(false);
        }
        benchmark::DoNotOptimize(step);
    }
}
BENCHMARK(BM_WholeRandomCycleOfHundredThousand)->Unit(benchmark::kMillisecond);

} // namespace
