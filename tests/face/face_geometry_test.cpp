#include "face/face_geometry.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>

namespace zentrava {
namespace {

ClockSettings Defaults(int frame = 3) {
    ClockSettings s;
    s.ClockFrameWidth = frame;
    return s;
}

// --- Radii -------------------------------------------------------------------------------

TEST(FaceRadii, WindowSizeAndFrameGiveTheCentreAndAnEvenRadius) {
    struct Case {
        int side, frame, cx, R;
    };
    for (const Case c : {Case{200, 3, 100, 96}, Case{201, 3, 100, 98}, Case{201, 2, 100, 98},
                         Case{200, 4, 100, 96}, Case{64, 16, 32, 16}, Case{4000, 3, 2000, 1996}}) {
        const FaceGeometry g = ComputeFaceGeometry(c.side, c.side, Defaults(c.frame));
        EXPECT_EQ(g.cx, c.cx) << c.side << " frame " << c.frame;
        EXPECT_EQ(g.cy, c.cx) << c.side << " frame " << c.frame;
        EXPECT_EQ(g.R, c.R) << c.side << " frame " << c.frame;
        EXPECT_EQ(g.face, (Rect{c.frame, c.frame, c.side - c.frame, c.side - c.frame}));
    }
}

TEST(FaceRadii, DefaultGraduationsOnA200PixelClock) {
    const FaceGeometry g = ComputeFaceGeometry(200, 200, Defaults());
    EXPECT_EQ(g.Rc, 91);
    EXPECT_EQ(g.R5, 86);
    EXPECT_EQ(g.R1, 86);
    EXPECT_EQ(g.RE, 89);      // 93 % of 96
    EXPECT_EQ(g.RO, 84);      // 88 % of 96
    EXPECT_EQ(g.RcInner, 62); // moved in by 30 % for the 24-hour dials
    EXPECT_EQ(g.R5Inner, 57);
    EXPECT_EQ(g.autoTextHeight, 25);
}

TEST(FaceRadii, RimNeverReachesPastTheLastPixel) {
    struct Case {
        int width, height, frame, R;
    };
    // Without a frame the plain formula puts the rim on the pixel just past the client (200) or
    // past both edges (203 gives 102 around a centre of 101); a window narrower than twice its
    // frame would get a negative radius; a wide window must still fit its height.
    for (const Case c : {Case{200, 200, 0, 98}, Case{203, 203, 0, 100}, Case{20, 20, 16, 0},
                         Case{300, 200, 3, 98}, Case{1, 1, 0, 0}, Case{0, 0, 3, 0}}) {
        const FaceGeometry g = ComputeFaceGeometry(c.width, c.height, Defaults(c.frame));
        EXPECT_EQ(g.R, c.R) << c.width << 'x' << c.height << " frame " << c.frame;
    }
}

// --- Minute graduations ---------------------------------------------------------------------

struct MarkCase {
    MinuteDial dial;
    int minute;
    Point outer, inner;
};

TEST(FaceMinuteGraduations, MarksSitOnTheirCirclesClockwiseFromTwelve) {
    const FaceGeometry g = ComputeFaceGeometry(200, 200, Defaults());
    const MarkCase cases[] = {
        {MinuteDial::Outer12, 0, {100, 9}, {100, 14}},
        {MinuteDial::Outer12, 15, {191, 100}, {186, 100}},
        {MinuteDial::Outer12, 30, {100, 191}, {100, 186}},
        {MinuteDial::Outer12, 45, {9, 100}, {14, 100}},
        {MinuteDial::Outer12, 7, {160, 33}, {157, 37}},
        // The left half's minute marks are moved one pixel up and left; hour marks are not.
        {MinuteDial::Outer12, 53, {39, 32}, {42, 36}},
        {MinuteDial::Inner24, 0, {100, 38}, {100, 43}},
        {MinuteDial::Inner24, 53, {58, 53}, {61, 57}},
    };
    for (const MarkCase& c : cases) {
        const MinuteMark mark = MinuteMarks(g, c.dial)[static_cast<std::size_t>(c.minute)];
        EXPECT_EQ(mark.outer, c.outer) << "minute " << c.minute;
        EXPECT_EQ(mark.inner, c.inner) << "minute " << c.minute;
        EXPECT_EQ(mark.hourPosition, c.minute % 5 == 0) << "minute " << c.minute;
    }
}

TEST(FaceMinuteGraduations, DotsStayVisibleOnSmallWindowsAndGrowWithLargeOnes) {
    struct Case {
        int side, frame, hourDot, minuteDot;
    };
    for (const Case c :
         {Case{64, 3, 5, 3}, Case{200, 3, 5, 3}, Case{400, 0, 10, 5}, Case{4000, 3, 99, 49}}) {
        const FaceGeometry g = ComputeFaceGeometry(c.side, c.side, Defaults(c.frame));
        EXPECT_EQ(HourDotPenWidth(g), c.hourDot) << c.side;
        EXPECT_EQ(MinuteDotPenWidth(g), c.minuteDot) << c.side;
    }
}

// --- 24-hour ring ---------------------------------------------------------------------------

TEST(FaceHourRing, EvenAndOddHoursHaveTheirOwnLengths) {
    const FaceGeometry g = ComputeFaceGeometry(200, 200, Defaults());
    const auto marks = HourRingMarks(g);
    struct Case {
        int hour;
        Point outer, inner;
    };
    for (const Case c : {Case{0, {100, 4}, {100, 11}}, Case{6, {196, 100}, {189, 100}},
                         Case{1, {124, 8}, {121, 19}}, Case{12, {100, 196}, {100, 189}}}) {
        const HourRingMark& mark = marks[static_cast<std::size_t>(c.hour)];
        EXPECT_EQ(mark.outer, c.outer) << "hour " << c.hour;
        EXPECT_EQ(mark.inner, c.inner) << "hour " << c.hour;
        EXPECT_EQ(mark.evenHour, c.hour % 2 == 0) << "hour " << c.hour;
    }
}

// --- Numerals -------------------------------------------------------------------------------

// h = 25 is odd and not a multiple of 3 or 8, so every fraction of it truncates (toward zero).
constexpr int kH = 25;

TEST(FaceNumerals, TwelveHourNumeralsSitInsideTheirMarks) {
    const FaceGeometry g = ComputeFaceGeometry(200, 200, Defaults());
    const auto numerals = TwelveHourNumerals(g, 0, kH);
    struct Case {
        int position, number;
        Point topLeft;
    };
    for (const Case c : {Case{0, 12, {88, 14}}, Case{3, 3, {170, 88}}, Case{4, 4, {158, 118}},
                         Case{6, 6, {94, 161}}, Case{9, 9, {20, 88}}}) {
        const NumeralPlacement& p = numerals[static_cast<std::size_t>(c.position)];
        EXPECT_EQ(p.number, c.number);
        EXPECT_EQ(p.topLeft, c.topLeft) << "numeral " << c.number;
    }
}

TEST(FaceNumerals, DotDesignPlacesNumeralsByTheMinuteCircleNotTheLineEnds) {
    ClockSettings s = Defaults();
    s.Clock5MinuteLineLength = 20; // line ends at 72, dots at 0.95 x 91
    const FaceGeometry g = ComputeFaceGeometry(200, 200, s);
    EXPECT_EQ(TwelveHourNumerals(g, 0, kH)[2].topLeft, (Point{146, 64}));
    EXPECT_EQ(TwelveHourNumerals(g, 1, kH)[2].topLeft, (Point{158, 57}));
}

std::array<int, 12> Numbers(const std::array<NumeralPlacement, 12>& numerals) {
    std::array<int, 12> numbers{};
    for (std::size_t i = 0; i < numerals.size(); ++i) {
        numbers[i] = numerals[i].number;
    }
    return numbers;
}

TEST(FaceNumerals, RingShowsTheNumbersOfItsDialMode) {
    const FaceGeometry g = ComputeFaceGeometry(200, 200, Defaults());
    using Twelve = std::array<int, 12>;
    struct Case {
        int dialMode, clock0HourPos;
        Twelve numbers;
    };
    const Case cases[] = {
        {2, 0, {12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {2, 1, {12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {0, 0, {12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {1, 0, {24, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22}},
        {1, 1, {12, 14, 16, 18, 20, 22, 24, 2, 4, 6, 8, 10}},
        {1, 7, {24, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Numbers(HourRingNumerals(g, c.dialMode, c.clock0HourPos, kH)), c.numbers)
            << "mode " << c.dialMode << " hour-0 position " << c.clock0HourPos;
    }
}

TEST(FaceNumerals, RingNumeralsFollowTheirTableForEachDialMode) {
    const FaceGeometry g = ComputeFaceGeometry(200, 200, Defaults());
    struct Case {
        int dialMode, clock0HourPos, index;
        Point topLeft;
    };
    const Case cases[] = {
        {1, 0, 0, {88, 11}},   // 24 at the top
        {1, 0, 6, {88, 164}},  // 12 at the bottom
        {1, 0, 2, {161, 50}},  // 4
        {1, 1, 0, {88, 11}},   // 12 at the top
        {1, 1, 6, {88, 164}},  // 24 at the bottom
        {1, 1, 2, {152, 50}},  // 16
        {1, 1, 4, {149, 123}}, // 20: -9h/8 and -7h/8
        {2, 0, 2, {161, 56}},  // 12-hour 2 on the ring
    };
    for (const Case& c : cases) {
        const auto numerals = HourRingNumerals(g, c.dialMode, c.clock0HourPos, kH);
        EXPECT_EQ(numerals[static_cast<std::size_t>(c.index)].topLeft, c.topLeft)
            << "mode " << c.dialMode << " hour-0 position " << c.clock0HourPos << " index "
            << c.index;
    }
}

// --- Edges ----------------------------------------------------------------------------------

bool Inside(const FaceGeometry& g, Point p) {
    return p.x >= 0 && p.y >= 0 && p.x < g.client.right && p.y < g.client.bottom;
}

// Every size from the smallest window to a large screen, odd and even, with every setting at
// both ends of its allowed range: no graduation end and no numeral anchor leaves the window.
TEST(FaceEdges, ExtremeSettingsNeverDrawOutsideTheWindow) {
    int checked = 0;
    for (const int side : {64, 65, 66, 67, 127, 201, 203, 1001, 4000, 4001}) {
        for (const int frame : {0, 1, 16}) {
            for (const int p : {0, 100}) {
                for (const int length : {0, 70}) {
                    for (const int ring : {0, 100}) {
                        ClockSettings s = Defaults(frame);
                        s.ClockMinuteCirclePos = p;
                        s.Clock5MinuteLineLength = length;
                        s.Clock1MinuteLineLength = 70 - length;
                        s.Clock_24_2_4_HourLineLength = ring;
                        s.Clock_1_3_5_HourLineLength = 100 - ring;
                        const FaceGeometry g = ComputeFaceGeometry(side, side, s);
                        const auto where = [&] {
                            return testing::Message() << side << " frame " << frame << " p " << p
                                                      << " L " << length << " ring " << ring;
                        };
                        for (const MinuteDial dial : {MinuteDial::Outer12, MinuteDial::Inner24}) {
                            for (const MinuteMark& m : MinuteMarks(g, dial)) {
                                ASSERT_TRUE(Inside(g, m.outer) && Inside(g, m.inner)) << where();
                                ++checked;
                            }
                        }
                        for (const HourRingMark& m : HourRingMarks(g)) {
                            ASSERT_TRUE(Inside(g, m.outer) && Inside(g, m.inner)) << where();
                        }
                        // With a zero height the text corner is the anchor itself.
                        for (const int mode : {0, 1, 2}) {
                            for (const int pos : {0, 1}) {
                                for (const NumeralPlacement& n :
                                     HourRingNumerals(g, mode, pos, 0)) {
                                    ASSERT_TRUE(Inside(g, n.topLeft)) << where();
                                }
                            }
                        }
                        for (const int design : {0, 1}) {
                            for (const NumeralPlacement& n : TwelveHourNumerals(g, design, 0)) {
                                ASSERT_TRUE(Inside(g, n.topLeft)) << where();
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(checked, 10 * 3 * 2 * 2 * 2 * 2 * 60);
}

} // namespace
} // namespace zentrava
