// The folder scan that starts a folder run, under Wine or Windows: a folder of 10,000 playable
// files and 1,000 others (empty files), enumerated and filtered 20 times after one warm-up; the
// median and the slowest time.

#include "bench/bench_clock_win.h"
#include "sound/audio_player.h"
#include "sound/audio_player_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::size_t benchmark_sink = 0;

bool Touch(const std::string& path) {
    const HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(h);
    return true;
}

} // namespace

int main() {
    using namespace zentrava;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + "zentrava_scan_bench_" + std::to_string(GetCurrentProcessId());
    if (!CreateDirectoryA(folder.c_str(), nullptr)) {
        std::printf("cannot make %s\n", folder.c_str());
        return 1;
    }
    const char* playable[] = {".wav", ".WMA", ".mp3", ".mid", ".midi", ".rmi"};
    std::vector<std::string> made;
    for (int i = 0; i < 11000; ++i) {
        const std::string name =
            "track" + std::to_string(i) + (i < 10000 ? playable[i % 6] : (i % 2 ? ".txt" : ".jpg"));
        made.push_back(folder + "\\" + name);
        if (!Touch(made.back())) {
            std::printf("cannot make %s\n", made.back().c_str());
            return 1;
        }
    }
    // Alternately, so that both see the same load on the machine.
    std::size_t found = ScanFolder(WindowsFolderReader(), folder).size();
    std::vector<double> times;
    std::vector<double> listing;
    for (int run = 0; run < 20; ++run) {
        double start = NowMs();
        found = ScanFolder(WindowsFolderReader(), folder).size();
        times.push_back(NowMs() - start);
        start = NowMs();
        benchmark_sink += WindowsFolderReader().List(folder).size();
        listing.push_back(NowMs() - start);
    }
    std::sort(times.begin(), times.end());
    std::sort(listing.begin(), listing.end());
    std::printf("folder scan, 10000 playable + 1000 other files: %zu listed, median %.1f ms, "
                "slowest %.1f ms (20 runs); the enumeration alone: median %.1f ms\n",
                found, times[times.size() / 2], times.back(), listing[listing.size() / 2]);
    for (const std::string& path : made) {
        DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(folder.c_str());
    return found == 10000 ? 0 : 1;
}
