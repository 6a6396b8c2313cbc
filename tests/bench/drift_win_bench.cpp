// Measures how far the program's clock drifts from the system clock under Wine or Windows:
// the real tick (multimedia timer, pacing, catch-up) on a hidden window of this process.
//   zentrava_drift_bench <seconds to run> [<seconds to hold the window thread>]
// Holding the window thread blocks the tick inside SendMessageA (the repaint watchdog), as a
// slow handler would.

#include "app/app_win.h"
#include "app/tick_win.h"
#include "clock/clocks_win.h"
#include "clock/platform_time_win.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace zentrava;

// Milliseconds between the program's clock and the system clock, read together.
double DriftMs() {
    FILETIME system;
    GetSystemTimePreciseAsFileTime(&system);
    FILETIME local;
    FileTimeToLocalFileTime(&system, &local);
    const ClockTimeRecord r = TheClocks().Read().LocalClock;
    const std::int64_t clock = ToFileTicks(LocalDateTime(r));
    const std::int64_t actual =
        (static_cast<std::int64_t>(local.dwHighDateTime) << 32) | local.dwLowDateTime;
    return static_cast<double>(clock - actual) / 10'000.0;
}

void Pump(DWORD milliseconds);

// The clock moves in 50 ms steps, so a single reading lags by anything from 0 to 50 ms. The
// largest difference over a few periods is the one read just after a tick: compare those.
double EdgeDriftMs() {
    double best = -1e9;
    for (int i = 0; i < 30; ++i) {
        best = std::max(best, DriftMs());
        Pump(7);
    }
    return best;
}

void Pump(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
        }
    }
}

// Answers paints so the watchdog only fires while the thread is held.
LRESULT CALLBACK BenchWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        TheApp().tick.unpaintedRedraws.store(0);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

int main(int argc, char** argv) {
    const int runSeconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const int holdSeconds = argc > 2 ? std::atoi(argv[2]) : 0;

    WNDCLASSA wc{};
    wc.lpfnWndProc = &BenchWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZentravaDriftBench";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 64, 64,
                                nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(hwnd, SW_SHOWNA);

    // Load on a millisecond boundary of 0 mod 50 so the load itself adds no offset.
    SYSTEMTIME now;
    do {
        GetLocalTime(&now);
    } while (now.wMilliseconds % 50 != 0);
    TheClocks().Reset();
    TheClocks().Load(ToDateTime(now), MonotonicNow());
    StartTick(hwnd);
    Pump(1000);
    const double start = EdgeDriftMs();
    double worst = 0;
    for (int s = 0; s < runSeconds; s += 5) {
        Pump(5000);
        const double d = EdgeDriftMs() - start;
        worst = std::abs(d) > std::abs(worst) ? d : worst;
    }
    const double afterRun = EdgeDriftMs() - start;
    double afterHold = afterRun;
    if (holdSeconds > 0) {
        Sleep(static_cast<DWORD>(holdSeconds) * 1000);
        Pump(2000);
        afterHold = EdgeDriftMs() - start;
    }
    StopTick();
    std::printf("run_seconds=%d hold_seconds=%d initial_offset_ms=%.1f drift_after_run_ms=%.1f "
                "worst_drift_ms=%.1f drift_after_hold_ms=%.1f\n",
                runSeconds, holdSeconds, start, afterRun, worst, afterHold);
    DestroyWindow(hwnd);
    return 0;
}
