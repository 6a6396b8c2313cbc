#include "alarms/quick_timer.h"

#include "base/memory_settings_store.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <limits>
#include <string>
#include <thread>
#include <vector>

namespace zentrava {
namespace {

std::string Shown(const QuickTimer& timer) {
    return QuickTimerText(timer.View());
}

// Steps until the run fires; the number of steps it took, or -1 when it never did.
std::int64_t StepsUntilFired(QuickTimer& timer, std::int64_t limit) {
    for (std::int64_t n = 1; n <= limit; ++n) {
        if (timer.Step().fired) {
            return n;
        }
    }
    return -1;
}

TEST(QuickTimer, ButtonsAddMinutesUpTo2359) {
    struct Case {
        const char* name;
        std::vector<int> presses; // minutes per press; 0 is "クリア"
        const char* shown;
    };
    const std::vector<Case> cases = {
        {"nothing yet", {}, "0:00:00"},
        {"each button once", {1, 3, 5, 10, 30}, "0:49:00"},
        {"one more 30 after 23:30 stops at 23:59", std::vector<int>(48, 30), "23:59:00"},
        {"a 1 beyond 23:59 changes nothing",
         [] {
             std::vector<int> v(48, 30);
             v.push_back(1);
             return v;
         }(),
         "23:59:00"},
        {"clear empties", {10, 5, 0}, "0:00:00"},
        {"after a clear the buttons count from 0", {30, 0, 3}, "0:03:00"},
        {"hours show as hours", {30, 30, 10, 1}, "1:11:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QuickTimer timer;
        for (int minutes : c.presses) {
            if (minutes == 0) {
                timer.Clear();
            } else {
                timer.AddMinutes(minutes);
            }
        }
        EXPECT_EQ(Shown(timer), c.shown);
        EXPECT_FALSE(timer.Running());
    }
}

TEST(QuickTimer, SetTimeRunsOutAfterExactlyTwentyStepsASecond) {
    for (int seconds : {1, 3, 59, 60, 61, 3600, kQuickTimerMaxMinutes * 60}) {
        SCOPED_TRACE(seconds);
        QuickTimer timer;
        timer.Preset(seconds);
        ASSERT_EQ(timer.StartOrStop(), QuickTimerToggle::Started);
        EXPECT_EQ(StepsUntilFired(timer, seconds * 20LL + 100), seconds * 20LL);
        EXPECT_FALSE(timer.Running());
        EXPECT_EQ(Shown(timer), "0:00:00");
        // Ended: further steps never fire again, and a start has nothing to count.
        EXPECT_EQ(StepsUntilFired(timer, 100), -1);
        EXPECT_EQ(timer.StartOrStop(), QuickTimerToggle::Nothing);
    }
}

TEST(QuickTimer, DisplayTurnsAfterTheFirstWholeSecond) {
    QuickTimer timer;
    timer.AddMinutes(1);
    ASSERT_EQ(timer.StartOrStop(), QuickTimerToggle::Started);
    for (int n = 1; n < 20; ++n) {
        EXPECT_FALSE(timer.Step().secondChanged) << n;
    }
    EXPECT_EQ(Shown(timer), "0:01:00");
    const QuickTimerStep twentieth = timer.Step();
    EXPECT_TRUE(twentieth.secondChanged);
    EXPECT_FALSE(twentieth.fired);
    EXPECT_EQ(Shown(timer), "0:00:59");
    EXPECT_EQ(timer.View().SetMinutes(), 0);
}

// Stopped with 30 seconds showing, "1分" and a start resume at 0:01:30, keeping what ran of the
// current second too.
TEST(QuickTimer, StopAddMinuteAndStartKeepTheSeconds) {
    struct Case {
        int stepsBeforeStop; // of a one-minute run
        std::int64_t stepsAfterRestart;
    };
    for (const Case c : {Case{600, 1800}, Case{610, 1790}, Case{619, 1781}}) {
        SCOPED_TRACE(c.stepsBeforeStop);
        QuickTimer timer;
        timer.AddMinutes(1);
        ASSERT_EQ(timer.StartOrStop(), QuickTimerToggle::Started);
        for (int n = 0; n < c.stepsBeforeStop; ++n) {
            ASSERT_FALSE(timer.Step().fired);
        }
        ASSERT_EQ(timer.StartOrStop(), QuickTimerToggle::Stopped);
        EXPECT_EQ(Shown(timer), "0:00:30");
        EXPECT_EQ(StepsUntilFired(timer, 100), -1) << "a stopped timer does not count";
        timer.AddMinutes(1);
        EXPECT_EQ(Shown(timer), "0:01:30");
        ASSERT_EQ(timer.StartOrStop(), QuickTimerToggle::Started);
        timer.AddMinutes(10); // the buttons are out of play while it runs
        EXPECT_EQ(StepsUntilFired(timer, 5000), c.stepsAfterRestart);
    }
}

TEST(QuickTimer, StartWithNothingSetDoesNothing) {
    QuickTimer timer;
    EXPECT_EQ(timer.StartOrStop(), QuickTimerToggle::Nothing);
    EXPECT_FALSE(timer.Running());
    EXPECT_EQ(StepsUntilFired(timer, 100), -1);
    timer.AddMinutes(3);
    timer.Clear();
    EXPECT_EQ(timer.StartOrStop(), QuickTimerToggle::Nothing);
}

// A stall of the tick takes its time off at once and ends a run at most once, never below 0.
TEST(QuickTimer, StallTakesItsTimeOffAndFiresOnce) {
    struct Case {
        const char* name;
        int seconds;
        bool start;
        std::int64_t skippedTicks;
        bool fired;
        const char* shown;
    };
    const std::vector<Case> cases = {
        {"a stall shorter than the time left", 10, true, 120, false, "0:00:04"},
        {"a stall to the very end", 10, true, 200, true, "0:00:00"},
        {"a stall far beyond the end", 10, true, 10000, true, "0:00:00"},
        {"the longest stall", 10, true, std::numeric_limits<std::int64_t>::max(), true, "0:00:00"},
        {"a stopped timer keeps its time", 10, false, 10000, false, "0:00:10"},
        {"no ticks", 10, true, 0, false, "0:00:10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QuickTimer timer;
        timer.Preset(c.seconds);
        if (c.start) {
            ASSERT_EQ(timer.StartOrStop(), QuickTimerToggle::Started);
        }
        EXPECT_EQ(timer.Skip(c.skippedTicks).fired, c.fired);
        EXPECT_EQ(Shown(timer), c.shown);
        EXPECT_EQ(timer.Running(), c.start && !c.fired);
        if (c.fired) {
            EXPECT_FALSE(timer.Skip(c.skippedTicks).fired) << "fires at most once";
            EXPECT_FALSE(timer.Step().fired);
        }
    }
}

// The window thread starts, stops, restarts and clears while the tick thread steps: every run
// that is left running fires exactly once, a stopped one never, and no step sees a time below
// 0.
TEST(QuickTimer, InterleavedStartStopAndTicksFireExactlyOncePerRun) {
    QuickTimer timer;
    std::atomic<bool> done{false};
    std::atomic<std::int64_t> steps{0};
    std::atomic<int> fires{0};
    std::atomic<int> negatives{0};
    std::thread tick([&] {
        while (!done.load()) {
            const QuickTimerStep step = timer.Step();
            const QuickTimerView view = timer.View();
            if (view.hours < 0 || view.minutes < 0 || view.seconds < 0 ||
                QuickTimerText(view).find('-') != std::string::npos) {
                negatives.fetch_add(1);
            }
            if (step.fired) {
                fires.fetch_add(1);
            }
            steps.fetch_add(1);
        }
    });
    const auto waitSteps = [&](std::int64_t n) {
        const std::int64_t until = steps.load() + n;
        while (steps.load() < until) {
            std::this_thread::yield();
        }
    };
    const auto waitStopped = [&] {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (timer.Running() && std::chrono::steady_clock::now() < end) {
            std::this_thread::yield();
        }
    };

    int expected = 0;
    for (int run = 0; run < 150; ++run) {
        timer.Preset(1 + run % 2);
        ASSERT_EQ(timer.StartOrStop(), QuickTimerToggle::Started);
        const int before = fires.load();
        waitSteps(run % 25);
        switch (run % 3) {
        case 0: { // cancel: stopped in time, it never fires
            const QuickTimerToggle stop = timer.StartOrStop();
            if (stop == QuickTimerToggle::Stopped) {
                timer.Clear();
                waitSteps(60);
                EXPECT_EQ(fires.load(), before) << "run " << run;
            } else {
                ++expected; // it had run out already
            }
            break;
        }
        case 1: // restart within a few steps
            if (timer.StartOrStop() == QuickTimerToggle::Stopped) {
                timer.Preset(1);
                ASSERT_EQ(timer.StartOrStop(), QuickTimerToggle::Started);
            }
            ++expected;
            break;
        default: // left to run out
            ++expected;
            break;
        }
        waitStopped();
        ASSERT_FALSE(timer.Running()) << "run " << run;
        waitSteps(5);
        ASSERT_EQ(fires.load(), expected) << "run " << run;
    }
    done.store(true);
    tick.join();
    EXPECT_EQ(fires.load(), expected);
    EXPECT_EQ(negatives.load(), 0);
}

} // namespace
} // namespace zentrava
