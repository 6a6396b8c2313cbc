#include "face/tray_clock.h"

#include <gtest/gtest.h>

#include <string>

namespace zentrava {
namespace {

struct HandsCase {
    int hour;
    int minute;
    TrayClockHands hands;
};

TEST(TrayClock, HandsLandOnTheTinyDialsPixels) {
    const HandsCase cases[] = {
        // Hour hand straight to the right, minute hand straight up and one pixel past the top.
        {3, 0, {{{6, 8}, {14, 8}}, {{8, 10}, {8, -1}}}},
        // The afternoon shows the same dial as the morning.
        {15, 45, {{{7, 8}, {13, 10}}, {{10, 8}, {-1, 8}}}},
        {3, 45, {{{7, 8}, {13, 10}}, {{10, 8}, {-1, 8}}}},
        // Noon counts as 0: the hour hand a quarter of the way to 1 (15 degrees).
        {12, 30, {{{8, 9}, {9, 3}}, {{8, 6}, {8, 17}}}},
        {0, 30, {{{8, 9}, {9, 3}}, {{8, 6}, {8, 17}}}},
        // A minute before three the hands' ends stop a pixel short of where 03:00 puts them.
        {2, 59, {{{7, 8}, {13, 8}}, {{8, 9}, {8, 0}}}},
    };
    for (const HandsCase& c : cases) {
        const TrayClockHands got = TrayClockHandsAt(c.hour, c.minute);
        const auto show = [](const TraySegment& s) {
            return "(" + std::to_string(s.from.x) + "," + std::to_string(s.from.y) + ")-(" +
                   std::to_string(s.to.x) + "," + std::to_string(s.to.y) + ")";
        };
        EXPECT_EQ(got.hour, c.hands.hour) << c.hour << ":" << c.minute << " " << show(got.hour);
        EXPECT_EQ(got.minute, c.hands.minute)
            << c.hour << ":" << c.minute << " " << show(got.minute);
    }
}

} // namespace
} // namespace zentrava
