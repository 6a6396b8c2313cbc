// Runs RunSntpExchange against one server over and over and prints what each exchange saw:
// the measuring end of scripts/bench-sntp.sh.
//
//   zentrava_sntp_probe ADDRESS [COUNT] [PAUSE_MS]
//
// One line per exchange: "offset <seconds> delay <seconds>", or "failed error <n> status <n>".
// The exit status is 1 if any exchange failed.

#include "timesync/posix_udp_transport.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    using namespace zentrava;
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s ADDRESS [COUNT] [PAUSE_MS]\n", argv[0]);
        return 2;
    }
    const std::string address = argv[1];
    const int count = argc > 2 ? std::atoi(argv[2]) : 10;
    const int pauseMs = argc > 3 ? std::atoi(argv[3]) : 100;
    PosixClocks clocks;
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
        }
        PosixUdpTransport transport{address};
        const SntpExchangeResult r = RunSntpExchange(transport, clocks, RandomTransmitTimestamp());
        if (r.error != ExchangeError::None) {
            std::printf("failed error %d status %d\n", static_cast<int>(r.error),
                        static_cast<int>(r.status));
            ++failures;
            continue;
        }
        std::printf("offset %.7f delay %.7f\n", TicksToSeconds(r.sample.offset),
                    TicksToSeconds(r.sample.delay));
    }
    return failures == 0 ? 0 : 1;
}
