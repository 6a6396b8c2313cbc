// The program's own time-server worker (Winsock, the precise system clock, the worker thread
// and its posted result) against one server, over and over: the Windows end of
// scripts/bench-sntp.sh. Same output as the native probe:
//
//   zentrava_sntp_win_bench ADDRESS [COUNT] [PAUSE_MS]
//
// One line per exchange: "offset <seconds> delay <seconds>", or "failed error <n> status <n>".
// The computer's clock is never asked for: every query has SetLocalTime = 0.

#include "timesync/ntp_worker_win.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    using namespace zentrava;
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s ADDRESS [COUNT] [PAUSE_MS]\n", argv[0]);
        return 2;
    }
    const int count = argc > 2 ? std::atoi(argv[2]) : 10;
    const int pauseMs = argc > 3 ? std::atoi(argv[3]) : 100;
    const HWND window =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            Sleep(static_cast<DWORD>(pauseMs));
        }
        NtpJob job;
        job.query = NtpQuery{NtpUpdateKind::StartUp, argv[1], 0, 0, {}};
        job.notify = window;
        if (!StartNtpJob(job)) {
            return 1;
        }
        MSG msg;
        while (GetMessageA(&msg, window, 0, 0) > 0 && msg.message != kNtpResultMessage) {
        }
        const std::optional<NtpJobResult> r = TakeNtpResult(window);
        if (!r || r->outcome.error != QueryError::None) {
            std::printf("failed error %d status %d\n", r ? static_cast<int>(r->outcome.error) : -1,
                        r ? static_cast<int>(r->outcome.reply) : -1);
            ++failures;
            continue;
        }
        std::printf("offset %.7f delay %.7f\n", TicksToSeconds(r->exchange.sample.offset),
                    TicksToSeconds(r->exchange.sample.delay));
        std::fflush(stdout);
    }
    WaitForNtpWorker();
    DestroyWindow(window);
    return failures == 0 ? 0 : 1;
}
