// The audio page's apply under Wine or Windows, on a real settings file holding every audio key
// with a path in each: writing all the keys (as a save that did not compare would) against the
// page's apply after one song changed. Each private-profile write rewrites the whole file
// under Wine, so the cost follows the number of keys written.

#include "bench/bench_clock_win.h"
#include "base/settings_store_win.h"
#include "dialogs/page_protocol.h"
#include "sound/audio_page.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace zentrava;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

AudioSettings Filled(const char* tag) {
    AudioSettings s;
    for (int p = 0; p < kPlaylistCount; ++p) {
        for (int n = 0; n < kSongsPerPlaylist; ++n) {
            char path[96];
            std::snprintf(path, sizeof path, "C:\\Music\\%s\\list %02d\\song %02d.mp3", tag, p + 1,
                          n + 1);
            s.playlists[static_cast<std::size_t>(p)][static_cast<std::size_t>(n)] =
                ChosenSong(path);
        }
    }
    for (int f = 0; f < kFolderPlaylistCount; ++f) {
        s.folders[static_cast<std::size_t>(f)] = "C:\\Music\\folder " + std::to_string(f + 1);
    }
    return s;
}

} // namespace

int main() {
    char temp[MAX_PATH]{};
    GetTempPathA(sizeof temp, temp);
    const std::string path = std::string(temp) + "zentrava_audio_apply_bench.ini";
    DeleteFileA(path.c_str());
    IniFileSettingsStore store(path);
    SaveAudioSettings(store, Filled("a"), nullptr);

    constexpr int kRuns = 9;
    std::vector<double> all;
    for (int i = 0; i < kRuns; ++i) {
        const AudioSettings s = Filled(i % 2 == 0 ? "b" : "a");
        const double start = NowMs();
        SaveAudioSettings(store, s, nullptr);
        all.push_back(NowMs() - start);
    }

    std::vector<double> one;
    PageCopies<AudioSettings> copies;
    copies.Begin(Filled("a"));
    SaveAudioSettings(store, Filled("a"), nullptr);
    for (int i = 0; i < kRuns; ++i) {
        SetSong(copies.working(), i % kSongsPerPlaylist, i % 2 == 0 ? "C:\\x.wav" : "C:\\y.wav");
        copies.MarkChanged();
        const double start = NowMs();
        CommitAudioPage(copies, store, [](const AudioSettings&) {});
        one.push_back(NowMs() - start);
    }
    DeleteFileA(path.c_str());
    std::printf("audio apply, every key written (215): median %.1f ms, worst %.1f ms\n",
                Median(all), *std::max_element(all.begin(), all.end()));
    std::printf("audio apply, one song changed: median %.2f ms, worst %.2f ms\n", Median(one),
                *std::max_element(one.begin(), one.end()));
    return 0;
}
