#include "face/face_geometry.h"

#include <algorithm>
#include <cmath>

namespace zentrava {
namespace {

int MakeEvenDown(int r) {
    return r % 2 != 0 ? r - 1 : r;
}

// trunc((1 - percent / 100) x R), in double precision as the painters have always drawn it.
int RadiusInside(int R, int percent) {
    return static_cast<int>(std::trunc((1.0 - percent / 100.0) * R));
}

double MinuteAngle(int i) {
    return (15 - i) * kFacePi / 30;
}
double RingAngle(int k) {
    return (30 - k) * kFacePi / 60;
}

// A fraction of the numeral height, truncated toward zero: {-2, 3} is (-2 x h) / 3.
struct HeightFraction {
    int numerator = 0;
    int denominator = 1;

    int Of(int h) const { return numerator * h / denominator; }
};

struct TextShift {
    HeightFraction dx;
    HeightFraction dy;
};

constexpr HeightFraction kZero{0, 1};

// Indexed by the 12-hour position (0 is drawn "12").
constexpr std::array<TextShift, 12> kTableA{{
    {{-1, 2}, kZero},
    {{-1, 2}, kZero},
    {{-2, 3}, kZero},
    {{-2, 3}, {-1, 2}},
    {{-2, 3}, {-1, 1}},
    {{-1, 2}, {-1, 1}},
    {{-1, 4}, {-1, 1}},
    {kZero, {-1, 1}},
    {{1, 4}, {-1, 1}},
    {{1, 4}, {-1, 2}},
    {kZero, kZero},
    {kZero, kZero},
}};

// Indexed by the even hour position / 2, hour 0 at the top.
constexpr std::array<TextShift, 12> kTableB{{
    {{-1, 2}, kZero},
    {{-3, 8}, {-1, 8}},
    {{-2, 3}, {-1, 4}},
    {{-2, 3}, {-1, 2}},
    {{-2, 3}, {-7, 8}},
    {{-5, 8}, {-1, 1}},
    {{-1, 2}, {-1, 1}},
    {{-3, 8}, {-1, 1}},
    {{-1, 8}, {-7, 8}},
    {kZero, {-1, 2}},
    {kZero, {-1, 4}},
    {{-3, 8}, {-1, 8}},
}};

// Indexed by the even hour position / 2, hour 0 at the bottom.
constexpr std::array<TextShift, 12> kTableC{{
    {{-1, 2}, kZero},
    {{-5, 8}, kZero},
    {{-1, 1}, {-1, 4}},
    {{-9, 8}, {-1, 2}},
    {{-9, 8}, {-7, 8}},
    {{-3, 4}, {-1, 1}},
    {{-1, 2}, {-1, 1}},
    {kZero, {-1, 1}},
    {{1, 8}, {-7, 8}},
    {{1, 8}, {-1, 2}},
    {{1, 8}, {-1, 4}},
    {{-3, 8}, kZero},
}};

NumeralPlacement Place(const FaceGeometry& g, int number, Point anchor, const TextShift& shift,
                       int h) {
    return {number, {g.cx + anchor.x + shift.dx.Of(h), g.cy - anchor.y + shift.dy.Of(h)}};
}

} // namespace

FaceGeometry ComputeFaceGeometry(int width, int height, const ClockSettings& settings) {
    FaceGeometry g;
    const int right = std::max(width, 0);
    const int bottom = std::max(height, 0);
    g.client = {0, 0, right, bottom};
    g.frameWidth = std::clamp(settings.ClockFrameWidth, 0, std::min(right, bottom) / 2);
    g.face = {g.frameWidth, g.frameWidth, right - g.frameWidth, bottom - g.frameWidth};
    g.cx = right / 2;
    g.cy = bottom / 2;

    const int R = MakeEvenDown((right - g.frameWidth) - g.cx);
    const int fits = std::min({g.cx, right - 1 - g.cx, g.cy, bottom - 1 - g.cy});
    g.R = std::max(0, R > fits ? MakeEvenDown(fits) : R);

    const int p = settings.ClockMinuteCirclePos;
    const int L5 = settings.Clock5MinuteLineLength;
    const int L1 = settings.Clock1MinuteLineLength;
    g.Rc = RadiusInside(g.R, p);
    g.R5 = RadiusInside(g.R, L5 + p);
    g.R1 = RadiusInside(g.R, L1 + p);
    g.RE = RadiusInside(g.R, settings.Clock_24_2_4_HourLineLength);
    g.RO = RadiusInside(g.R, settings.Clock_1_3_5_HourLineLength);
    g.RcInner = RadiusInside(g.R, p + 30);
    g.R5Inner = RadiusInside(g.R, L5 + p + 30);
    g.R1Inner = RadiusInside(g.R, L1 + p + 30);
    g.autoTextHeight = bottom / 8;
    return g;
}

Point PolarOffset(double r, double a) {
    return {static_cast<int>(std::trunc(r * std::cos(a))),
            static_cast<int>(std::trunc(r * std::sin(a)))};
}

Point PolarPoint(const FaceGeometry& g, double r, double a) {
    const Point offset = PolarOffset(r, a);
    return {g.cx + offset.x, g.cy - offset.y};
}

std::array<MinuteMark, 60> MinuteMarks(const FaceGeometry& g, MinuteDial dial) {
    const bool outer12 = dial == MinuteDial::Outer12;
    const int circle = outer12 ? g.Rc : g.RcInner;
    const int five = outer12 ? g.R5 : g.R5Inner;
    const int one = outer12 ? g.R1 : g.R1Inner;

    std::array<MinuteMark, 60> marks{};
    for (int i = 0; i < 60; ++i) {
        const double a = MinuteAngle(i);
        MinuteMark& mark = marks[static_cast<std::size_t>(i)];
        mark.hourPosition = i % 5 == 0;
        mark.outer = PolarPoint(g, circle, a);
        mark.inner = PolarPoint(g, mark.hourPosition ? five : one, a);
        // Truncation toward zero pulls the left half's marks toward the centre; moving them one
        // pixel up and left is how the face has always balanced that, and the frames keep it.
        if (!mark.hourPosition && i > 30) {
            mark.outer = {mark.outer.x - 1, mark.outer.y - 1};
            mark.inner = {mark.inner.x - 1, mark.inner.y - 1};
        }
    }
    return marks;
}

std::array<HourRingMark, 24> HourRingMarks(const FaceGeometry& g) {
    std::array<HourRingMark, 24> marks{};
    for (int hour = 0; hour < 24; ++hour) {
        const double a = RingAngle(hour * 5);
        HourRingMark& mark = marks[static_cast<std::size_t>(hour)];
        mark.evenHour = hour % 2 == 0;
        mark.outer = PolarPoint(g, g.R, a);
        mark.inner = PolarPoint(g, mark.evenHour ? g.RE : g.RO, a);
    }
    return marks;
}

std::array<NumeralPlacement, 12> TwelveHourNumerals(const FaceGeometry& g, int graduationDesign,
                                                    int h) {
    const double radius = graduationDesign == 1 ? 0.95 * g.Rc : g.R5;
    std::array<NumeralPlacement, 12> numerals{};
    for (std::size_t n = 0; n < 12; ++n) {
        const int position = static_cast<int>(n);
        const Point anchor = PolarOffset(radius, MinuteAngle(position * 5));
        numerals[n] = Place(g, position == 0 ? 12 : position, anchor, kTableA[n], h);
    }
    return numerals;
}

std::array<NumeralPlacement, 12> HourRingNumerals(const FaceGeometry& g, int dialMode,
                                                  int clock0HourPos, int h) {
    std::array<NumeralPlacement, 12> numerals{};
    for (std::size_t n = 0; n < 12; ++n) {
        const int j = static_cast<int>(n) * 2; // the hour position
        const Point anchor = PolarOffset(g.RE, RingAngle(j * 5));
        if (dialMode != 1) {
            numerals[n] = Place(g, j == 0 ? 12 : j / 2, anchor, kTableA[n], h);
        } else if (clock0HourPos == 1) {
            const int number = j < 12 ? j + 12 : (j == 12 ? 24 : j - 12);
            numerals[n] = Place(g, number, anchor, kTableC[n], h);
        } else {
            numerals[n] = Place(g, j == 0 ? 24 : j, anchor, kTableB[n], h);
        }
    }
    return numerals;
}

int HourDotPenWidth(const FaceGeometry& g) {
    return std::max(5, (g.client.right - g.frameWidth) / 40);
}

int MinuteDotPenWidth(const FaceGeometry& g) {
    return std::max(3, (g.client.right - g.frameWidth) / 80);
}

} // namespace zentrava
