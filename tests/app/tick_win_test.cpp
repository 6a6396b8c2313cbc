#include "app/app_win.h"
#include "app/tick_win.h"
#include "clock/clocks_win.h"
#include "clock/platform_time_win.h"
#include "resources/commands.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

namespace zentrava {
namespace {

std::atomic<int> g_watchdogCommands{0};

LRESULT CALLBACK ProbeWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kCmdApplyOpaqueLayer) {
        g_watchdogCommands.fetch_add(1);
        return 1;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// The probe window is shown but never reports a paint, so the tick's repaint watchdog sends it
// commands: that is how these tests get the tick thread into SendMessageA.
class TickTimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &ProbeWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ZentravaTickProbe";
        RegisterClassA(&wc);
        hwnd_ = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                wc.hInstance, nullptr);
        ASSERT_NE(hwnd_, nullptr);
        ShowWindow(hwnd_, SW_SHOWNA);
        SYSTEMTIME now;
        GetLocalTime(&now);
        TheClocks().Reset();
        TheClocks().Load(ToDateTime(now), MonotonicNow());
        TheApp().tick.unpaintedRedraws.store(0);
        g_watchdogCommands.store(0);
    }
    void TearDown() override {
        StopTick();
        DestroyWindow(hwnd_);
    }
    void Pump(DWORD milliseconds) {
        const DWORD end = GetTickCount() + milliseconds;
        while (static_cast<LONG>(end - GetTickCount()) > 0) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageA(&msg);
            }
            Sleep(5);
        }
    }
    HWND hwnd_ = nullptr;
};

TEST_F(TickTimerTest, ClockAdvancesInRealTime) {
    const ClockTimeRecord before = TheClocks().Read().LocalClock;
    ASSERT_TRUE(StartTick(hwnd_));
    EXPECT_TRUE(TickRunning());
    Pump(1000);
    StopTick();
    const ClockTimeRecord after = TheClocks().Read().LocalClock;
    const int ticks = (after.DayTicks - before.DayTicks + kTicksPerDayUnit) % kTicksPerDayUnit;
    EXPECT_GE(ticks, 18);
    EXPECT_LE(ticks, 22);
    EXPECT_FALSE(TickRunning());
}

TEST_F(TickTimerTest, StoppingWhileTheTickWaitsOnThisThreadNeitherHangsNorLeavesATick) {
    ASSERT_TRUE(StartTick(hwnd_));
    // Do not answer for 2 s: after 1.5 s the tick sits inside SendMessageA to this thread.
    Sleep(2000);
    const DWORD start = GetTickCount();
    StopTick();
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_GE(g_watchdogCommands.load(), 1) << "the waiting tick was answered";
    const int seen = g_watchdogCommands.load();
    const ClockTimeRecord stopped = TheClocks().Read().LocalClock;
    Pump(300);
    EXPECT_EQ(g_watchdogCommands.load(), seen);
    EXPECT_EQ(TheClocks().Read().LocalClock, stopped);
}

TEST_F(TickTimerTest, ATickHeldUpForSecondsCatchesUpWithoutLosingTime) {
    ASSERT_TRUE(StartTick(hwnd_));
    const MonotonicTime begin = MonotonicNow();
    const ClockTimeRecord before = TheClocks().Read().LocalClock;
    Sleep(3000); // the tick is blocked on this thread for about 1.5 s of it
    Pump(500);
    const MonotonicTime elapsed = MonotonicNow() - begin;
    const ClockTimeRecord after = TheClocks().Read().LocalClock;
    StopTick();
    const int ticks = (after.DayTicks - before.DayTicks + kTicksPerDayUnit) % kTicksPerDayUnit;
    const auto expected = static_cast<int>(elapsed / kTickPeriod);
    EXPECT_LE(std::abs(ticks - expected), 2) << ticks << " ticks in " << expected << " periods";
}

} // namespace
} // namespace zentrava
