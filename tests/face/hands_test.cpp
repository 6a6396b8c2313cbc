#include "face/hands.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace zentrava {
namespace {

using Six = std::array<Point, 6>;

ClockTimeRecord At(int hour, int minute, int second, int ms = 0) {
    ClockTimeRecord record;
    LoadRecord(record, DateTime{2024, 5, 3, 15, hour, minute, second, ms});
    return record;
}

constexpr Point kCentre{100, 100};

struct DesignCase {
    int design;
    int radius;
    Six minute;
    Six hour;
};

TEST(HandShapes, MinuteAndHourHandCornersFollowTheDesign) {
    const DesignCase cases[] = {
        {0,
         96,
         {{{-3, -12}, {-3, 82}, {-1, 88}, {1, 88}, {3, 82}, {3, -12}}},
         {{{-4, -12}, {-4, 48}, {-2, 63}, {2, 63}, {4, 48}, {4, -12}}}},
        {1,
         96,
         {{{-4, -12}, {-4, 80}, {-1, 88}, {1, 88}, {4, 80}, {4, -12}}},
         {{{-6, -12}, {-6, 48}, {-3, 63}, {3, 63}, {6, 48}, {6, -12}}}},
        {2,
         96,
         {{{-5, -12}, {-5, 79}, {-2, 88}, {2, 88}, {5, 79}, {5, -12}}},
         {{{-8, -12}, {-8, 48}, {-4, 63}, {4, 63}, {8, 48}, {8, -12}}}},
        // Fractions cut toward zero on both sides, so the hand stays symmetric and the tail
        // is -12 rather than -13.
        {0,
         100,
         {{{-3, -12}, {-3, 86}, {-1, 92}, {1, 92}, {3, 86}, {3, -12}}},
         {{{-4, -12}, {-4, 50}, {-2, 66}, {2, 66}, {4, 50}, {4, -12}}}},
        {0,
         2000,
         {{{-66, -250}, {-66, 1720}, {-26, 1840}, {26, 1840}, {66, 1720}, {66, -250}}},
         {{{-83, -250}, {-83, 1000}, {-41, 1320}, {41, 1320}, {83, 1000}, {83, -250}}}},
    };
    for (const DesignCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "design " << c.design << ", R " << c.radius);
        const auto shapes = BuildHandShapes(c.design, c.radius, 10, 10);
        ASSERT_TRUE(shapes.has_value());
        EXPECT_EQ(shapes->minuteHand, c.minute);
        EXPECT_EQ(shapes->hourHand, c.hour);
    }
}

struct SecondHandCase {
    int radius;
    std::array<Point, 4> hand;
    int cap;
};

TEST(HandShapes, SecondHandAndCapAreTheSameForEveryDesign) {
    const SecondHandCase cases[] = {
        {96, {{{-1, -19}, {-1, 91}, {1, 91}, {1, -19}}}, 5},
        // A 64 px window: the second hand shrinks to a line, the cap to one pixel.
        {32, {{{0, -6}, {0, 30}, {0, 30}, {0, -6}}}, 1},
        {2000, {{{-33, -400}, {-33, 1900}, {33, 1900}, {33, -400}}}, 113},
    };
    for (const SecondHandCase& c : cases) {
        for (int design = 0; design < kHandDesignCount; ++design) {
            SCOPED_TRACE(testing::Message() << "design " << design << ", R " << c.radius);
            const auto shapes = BuildHandShapes(design, c.radius, 10, 10);
            ASSERT_TRUE(shapes.has_value());
            EXPECT_EQ(shapes->secondHand, c.hand);
            EXPECT_EQ(shapes->secondCapRadius, c.cap);
        }
    }
}

struct MarkerCase {
    int radius;
    int size;
    int pos;
    std::array<Point, 5> marker;
};

TEST(HandShapes, TwentyFourHourMarkerSitsInsideTheRim) {
    const MarkerCase cases[] = {
        {96, 10, 10, {{{-5, 67}, {-5, 75}, {0, 83}, {5, 75}, {5, 67}}}},
        // Pushed all the way to the rim, then far in.
        {96, 10, 0, {{{-5, 76}, {-5, 85}, {0, 93}, {5, 85}, {5, 76}}}},
        {96, 10, 60, {{{-5, 19}, {-5, 27}, {0, 35}, {5, 27}, {5, 19}}}},
        // Largest size the settings allow: e = 96 / 5.
        {96, 40, 10, {{{-38, -48}, {-38, 9}, {0, 67}, {38, 9}, {38, -48}}}},
        // A size the settings never allow draws as the nearest allowed one instead of
        // dividing by zero or turning the marker inside out.
        {96, 45, 10, {{{-38, -48}, {-38, 9}, {0, 67}, {38, 9}, {38, -48}}}},
        {96, 90, 10, {{{-38, -48}, {-38, 9}, {0, 67}, {38, 9}, {38, -48}}}},
        {96, 0, 10, {{{-4, 71}, {-4, 77}, {0, 84}, {4, 77}, {4, 71}}}},
    };
    for (const MarkerCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "R " << c.radius << ", size " << c.size << ", pos " << c.pos);
        const auto shapes = BuildHandShapes(0, c.radius, c.size, c.pos);
        ASSERT_TRUE(shapes.has_value());
        EXPECT_EQ(shapes->marker24, c.marker);
    }
}

TEST(HandShapes, UnknownDesignBuildsNothingSoTheOldHandsStay) {
    for (const int design : {-1, 3, 100}) {
        SCOPED_TRACE(design);
        EXPECT_FALSE(BuildHandShapes(design, 96, 10, 10).has_value());
    }
}

// The rotated tip of a hand of length 50 shows where the hand points on a 200 x 200 face.
Point TipAt(double angle) {
    return RotateHandPoint(Point{0, 50}, angle, kCentre);
}

constexpr Point kUp{100, 50};
constexpr Point kRight{150, 100};
constexpr Point kDown{100, 150};
constexpr Point kLeft{50, 100};

struct PointingCase {
    const char* what;
    int hour;
    int minute;
    int second;
    Point tip;
};

TEST(HandAngles, HourHandOfTwelveHourDialPointsAtTheHour) {
    const PointingCase cases[] = {
        {"00:00", 0, 0, 0, kUp},    {"03:00", 3, 0, 0, kRight},     {"15:00", 15, 0, 0, kRight},
        {"06:00", 6, 0, 0, kDown},  {"09:00", 9, 0, 0, kLeft},      {"12:00", 12, 0, 0, kUp},
        {"21:00", 21, 0, 0, kLeft}, {"01:30", 1, 30, 0, {135, 65}},
    };
    for (const PointingCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(TipAt(HourHandAngle(At(c.hour, c.minute, c.second))), c.tip);
    }
    EXPECT_DOUBLE_EQ(HourHandAngle(At(3, 0, 0)), 3.1415926535898 / 2);
    EXPECT_DOUBLE_EQ(HourHandAngle(At(15, 0, 0)), 3.1415926535898 / 2);
}

TEST(HandAngles, MinuteHandWithoutSecondHandMovesOnlyAtSecondZero) {
    const double atStart = MinuteHandAngle(At(10, 15, 0), 0);
    EXPECT_DOUBLE_EQ(MinuteHandAngle(At(10, 15, 30), 0), atStart);
    EXPECT_DOUBLE_EQ(MinuteHandAngle(At(10, 15, 59, 950), 0), atStart);
    EXPECT_DOUBLE_EQ(MinuteHandAngle(At(10, 16, 0), 0), atStart + 3.1415926535898 / 30);
    EXPECT_EQ(TipAt(MinuteHandAngle(At(10, 15, 59, 950), 0)), kRight);
}

TEST(HandAngles, MinuteHandWithSecondHandCreepsEveryTick) {
    const double atStart = MinuteHandAngle(At(10, 15, 0), 1);
    EXPECT_GT(MinuteHandAngle(At(10, 15, 0, 50), 1), atStart);
    EXPECT_DOUBLE_EQ(MinuteHandAngle(At(10, 15, 30), 1), atStart + 3.1415926535898 / 60);
    EXPECT_EQ(TipAt(MinuteHandAngle(At(10, 45, 0), 1)), kLeft);
}

TEST(HandAngles, SecondHandStepsOrSweeps) {
    const double pi = 3.1415926535898;
    struct Case {
        int second;
        int ms;
        int smooth;
        double angle;
    };
    const Case cases[] = {
        {12, 500, 0, 12 * pi / 30},
        {12, 500, 1, 250 * pi / 600},
        {12, 950, 0, 12 * pi / 30},
        {59, 950, 1, 1199 * pi / 600},
        {0, 0, 1, 0.0},
        // Only 1 sweeps; other values step like 0.
        {12, 500, 2, 12 * pi / 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.second << "." << c.ms << " smooth " << c.smooth);
        EXPECT_DOUBLE_EQ(SecondHandAngle(At(8, 0, c.second, c.ms), c.smooth), c.angle);
    }
}

TEST(HandAngles, TwentyFourHourHandTurnsOnceADayFromTopOrBottom) {
    struct Case {
        int zeroPos;
        int hour;
        Point tip;
    };
    const Case cases[] = {
        {0, 0, kUp},
        {0, 6, kRight},
        {0, 12, kDown},
        {0, 18, kLeft},
        {1, 0, kDown},
        {1, 6, kLeft},
        {1, 12, kUp},
        {1, 18, kRight},
        // Values the settings never offer keep hour 0 at the top.
        {2, 0, kUp},
        {-1, 12, kDown},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "Clock0HourPos " << c.zeroPos << " at " << c.hour);
        EXPECT_EQ(TipAt(TwentyFourHourAngle(At(c.hour, 0, 0), c.zeroPos)), c.tip);
    }
}

TEST(HandAngles, RotatedHandKeepsItsShapeAroundTheCentre) {
    const auto shapes = BuildHandShapes(0, 96, 10, 10);
    ASSERT_TRUE(shapes.has_value());
    const double quarter = 3.1415926535898 / 2;
    const std::array<Point, 6> right = RotateHand(shapes->hourHand, quarter, kCentre);
    const std::array<Point, 6> expected{
        {{88, 96}, {148, 96}, {163, 98}, {163, 102}, {148, 104}, {88, 104}}};
    EXPECT_EQ(right, expected);
    const std::array<Point, 6> up = RotateHand(shapes->hourHand, 0.0, kCentre);
    EXPECT_EQ(up[2], (Point{98, 37}));
    EXPECT_EQ(up[0], (Point{96, 112}));
}

} // namespace
} // namespace zentrava
