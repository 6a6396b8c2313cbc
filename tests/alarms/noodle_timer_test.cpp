#include "alarms/noodle_timer.h"

#include "base/test_text.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace zentrava {
namespace {

TEST(NoodleTimer, FiresOnceOnTheLastSecondAndIsIdleAfter) {
    NoodleTimer timer;
    timer.Start(180, 3, 0);
    for (int i = 1; i < 180; ++i) {
        ASSERT_FALSE(timer.CountSecond().fired) << i;
    }
    EXPECT_EQ(timer.CountSecond(), (NoodleFiring{true, 3}));
    EXPECT_EQ(timer.State(), (NoodleState{false, 0, 3, 0}));
    EXPECT_FALSE(timer.CountSecond().fired);
}

TEST(NoodleTimer, MenuStepsDecideWhatTheNextCountsDo) {
    // Each script: the menu's steps and the counts between them; what fired, in order.
    enum Op { Start3, Start4, Cancel, Count, Preset2 };
    const struct {
        std::vector<Op> ops;
        std::vector<int> firedMinutes;
        NoodleState end;
    } cases[] = {
        // A restart with another length starts the countdown again from its full time.
        {{Start3, Count, Count, Start4, Preset2, Count, Count, Count}, {4}, {false, 0, 4, 1}},
        // A cancel before the last count: nothing ever fires.
        {{Start3, Preset2, Count, Cancel, Count, Count}, {}, {false, 1, 3, 0}},
        // The test hook answers only a running timer.
        {{Preset2, Count, Count}, {}, {}},
        {{Start4, Preset2, Count}, {}, {true, 1, 4, 1}},
    };
    for (const auto& c : cases) {
        NoodleTimer timer;
        std::vector<int> fired;
        for (Op op : c.ops) {
            switch (op) {
            case Start3:
                timer.Start(180, 3, 0);
                break;
            case Start4:
                timer.Start(240, 4, 1);
                break;
            case Cancel:
                timer.Cancel();
                break;
            case Preset2:
                timer.Preset(2);
                break;
            case Count:
                if (const NoodleFiring f = timer.CountSecond(); f.fired) {
                    fired.push_back(f.minutes);
                }
                break;
            }
        }
        EXPECT_EQ(fired, c.firedMinutes);
        EXPECT_EQ(timer.State(), c.end);
    }
}

TEST(NoodleTimer, AStallTakesItsWholeSecondsOffAndFiresAtMostOnce) {
    const struct {
        int remaining;
        std::int64_t ticks;
        bool fired;
        int left;
    } cases[] = {
        {180, 20 * 60, false, 120}, // a one-minute stall: a minute less to wait
        {180, 20 * 180, true, 0},   // exactly used up
        {30, 20 * 3600, true, 0},   // far past: once, never below 0
        {30, 19, false, 30},        // less than a second: the next whole second counts it
    };
    for (const auto& c : cases) {
        NoodleTimer timer;
        timer.Start(c.remaining, 3, 0);
        EXPECT_EQ(timer.Skip(c.ticks).fired, c.fired) << c.ticks;
        EXPECT_EQ(timer.State().remainingSeconds, c.left) << c.ticks;
        EXPECT_FALSE(timer.Skip(c.ticks).fired && c.fired) << "fired twice";
        EXPECT_GE(timer.State().remainingSeconds, 0);
    }
}

// The menu (window thread) restarts and cancels while the tick counts. Whatever the
// interleaving, the count never goes below 0, and each run fires at most once: after a firing
// only a new start can make another.
TEST(NoodleTimer, InterleavedMenuAndTickNeverGoNegativeAndFireOncePerStart) {
    for (int round = 0; round < 10; ++round) {
        NoodleTimer timer;
        std::atomic<int> starts{0};
        std::atomic<int> fires{0};
        std::atomic<bool> negative{false};
        std::thread menu([&] {
            for (int i = 0; i < 400; ++i) {
                if (i % 7 == 3) {
                    timer.Cancel();
                } else if (i % 5 == 0) {
                    timer.Start(3, 3, 0);
                    starts.fetch_add(1);
                }
            }
        });
        std::thread tick([&] {
            for (int i = 0; i < 400; ++i) {
                if (timer.CountSecond().fired) {
                    fires.fetch_add(1);
                }
                if (timer.State().remainingSeconds < 0) {
                    negative = true;
                }
            }
        });
        menu.join();
        tick.join();
        EXPECT_FALSE(negative.load());
        EXPECT_LE(fires.load(), starts.load());
        // Whatever is left runs out exactly once.
        const bool stillRunning = timer.State().running;
        int lastFires = 0;
        for (int i = 0; i < 10; ++i) {
            lastFires += timer.CountSecond().fired ? 1 : 0;
        }
        EXPECT_EQ(lastFires, stillRunning ? 1 : 0);
    }
}

} // namespace
} // namespace zentrava
