// The second-0 start of the interval alarm across threads: the tick only marks the start and
// asks; the window's thread starts its own timer, and not at all when the alarm was switched
// off or changed in between.

#include "alarms/interval_alarm_win.h"
#include "resources/commands.h"

#include <gtest/gtest.h>

#include <thread>

namespace zentrava {
namespace {

IntervalAlarmSettings SecondZeroEvery(int seconds, int on) {
    IntervalAlarmSettings s;
    s.IntervalAlarmOn = on;
    s.IntervalAlarmMinute = 0;
    s.IntervalAlarmSecond = seconds;
    s.IntervalAlarmJust0Second = 1;
    return s;
}

// The window's queue, as the main window's procedure answers the start request.
void Pump(HWND window) {
    MSG msg;
    while (PeekMessageA(&msg, window, 0, 0, PM_REMOVE)) {
        if (msg.message == kIntervalStartMessage) {
            OnIntervalStartRequest(window);
        } else {
            DispatchMessageA(&msg);
        }
    }
}

// True when the interval's timer ran (it is stopped by asking).
bool TimerWasRunning(HWND window) {
    return KillTimer(window, kTimerIntervalAlarm) != FALSE;
}

TEST(IntervalAlarmStart, TheTickAsksAndTheWindowThreadStartsItsOwnTimer) {
    const struct {
        const char* what;
        bool switchedOffBeforeTheWindowAnswers;
        bool timerRuns;
    } cases[] = {
        {"still wanted", false, true},
        {"switched off meanwhile", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        TheIntervalAlarm().Commit(SecondZeroEvery(2, 1));
        TheIntervalAlarm().ClearStarted();

        std::thread tick([window] { RequestIntervalStartOnTick(window); });
        tick.join();
        EXPECT_TRUE(TheIntervalAlarm().Started());
        EXPECT_FALSE(TimerWasRunning(window)) << "the tick started a window's timer";
        if (c.switchedOffBeforeTheWindowAnswers) {
            CommitIntervalAlarm(window, SecondZeroEvery(2, 0));
        }
        Pump(window);
        EXPECT_EQ(TimerWasRunning(window), c.timerRuns);
        DestroyWindow(window);
    }
    TheIntervalAlarm().Commit(IntervalAlarmSettings{});
    TheIntervalAlarm().ClearStarted();
}

} // namespace
} // namespace zentrava
