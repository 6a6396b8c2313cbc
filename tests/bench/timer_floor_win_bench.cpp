// Two floors for the idle clock's cost, run beside it by bench-idle.sh:
//   (no argument)  the cheapest program that keeps the clock's 50 ms multimedia timer: a window,
//                  the periodic timer with an empty callback and a message loop;
//   --idle         a program that does nothing at all, which under Wine still costs what
//                  wineserver spends on Wine's own background processes.
// The clock's own work per tick is what it costs above the first.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstring>

namespace {

std::atomic<unsigned> g_ticks{0};

void CALLBACK OnTick(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    g_ticks.fetch_add(1, std::memory_order_relaxed);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--idle") == 0) {
        Sleep(INFINITE);
        return 0;
    }
    const HWND window = CreateWindowExA(0, "STATIC", "timer floor", WS_POPUP | WS_VISIBLE, 200, 200,
                                        128, 128, nullptr, nullptr, nullptr, nullptr);
    if (window == nullptr) {
        return 1;
    }
    const MMRESULT timer = timeSetEvent(50, 0, OnTick, 0, TIME_PERIODIC | TIME_CALLBACK_FUNCTION);
    if (timer == 0) {
        return 1;
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageA(&msg);
    }
    timeKillEvent(timer);
    return 0;
}
