#include "face/hands.h"

#include <algorithm>
#include <cmath>

namespace zentrava {
namespace {

// The value of pi the hand angles have always been computed with; a more exact one would move
// hands by a pixel at large radii.
constexpr double kPi = 3.1415926535898;

struct HandDesign {
    double minuteBreadth;  // minute hand half-width is R / this
    double minuteShoulder; // fraction of R
    double hourBreadth;    // hour hand half-width is R / this
};

constexpr std::array<HandDesign, kHandDesignCount> kHandDesigns{{
    {30.0, 0.86, 24.0},
    {24.0, 0.84, 16.0},
    {18.0, 0.83, 12.0},
}};

// Above this the marker's divisor reaches zero or turns negative; the settings loader keeps the
// value below, and this guards any other way in.
constexpr int kMarkSizeMax = 40;

int Trunc(double v) {
    return static_cast<int>(v);
}

Point P(double x, double y) {
    return Point{Trunc(x), Trunc(y)};
}

} // namespace

std::optional<HandShapes> BuildHandShapes(int design, int radius, int markSize, int markPos) {
    if (design < 0 || design >= kHandDesignCount) {
        return std::nullopt;
    }
    const HandDesign& d = kHandDesigns[static_cast<std::size_t>(design)];
    const double r = radius;
    const double tail = -(r * 0.125);
    HandShapes s;

    const double em = r / d.minuteBreadth;
    s.minuteHand = {P(-em, tail),          P(-em, d.minuteShoulder * r), P(-em / 2.5, 0.92 * r),
                    P(em / 2.5, 0.92 * r), P(em, d.minuteShoulder * r),  P(em, tail)};

    const double eh = r / d.hourBreadth;
    s.hourHand = {P(-eh, tail),        P(-eh, 0.5 * r), P(-eh / 2, 0.66 * r),
                  P(eh / 2, 0.66 * r), P(eh, 0.5 * r),  P(eh, tail)};

    const int sx = radius / 60;
    const int sTail = -(radius / 5);
    const int sTip = Trunc(0.95 * r);
    s.secondHand = {Point{-sx, sTail}, Point{-sx, sTip}, Point{sx, sTip}, Point{sx, sTail}};
    s.secondCapRadius = Trunc(r * 3.4 / 60);

    const double e = r / (45 - std::min(markSize, kMarkSizeMax));
    const double m = r / 100 * markPos;
    s.marker24 = {P(-2 * e, r - 7 * e - m), P(-2 * e, r - 4 * e - m), P(0, r - e - m),
                  P(2 * e, r - 4 * e - m), P(2 * e, r - 7 * e - m)};
    return s;
}

double HourHandAngle(const ClockTimeRecord& clock) {
    // A record loaded in the afternoon counts from midnight until its next wrap at midnight.
    return clock.HalfDayTicks % kTicksPerHalfDayUnit * kPi / 432000;
}

double MinuteHandAngle(const ClockTimeRecord& clock, int secondHandDispOnOff) {
    if (secondHandDispOnOff != 0) {
        return clock.HourTicks * kPi / 36000;
    }
    // Without a second hand a creeping minute hand looks broken; it jumps at each whole minute.
    return (clock.HourTicks / 1200) * 1200 * kPi / 36000;
}

double SecondHandAngle(const ClockTimeRecord& clock, int secondHandSmooth) {
    if (secondHandSmooth == 1) {
        return clock.MinuteTicks * kPi / 600;
    }
    return clock.Second * kPi / 30;
}

double TwentyFourHourAngle(const ClockTimeRecord& clock, int clock0HourPos) {
    const int offset = clock0HourPos == 1 ? kTicksPerHalfDayUnit : 0;
    return (clock.DayTicks + offset) * kPi / 864000;
}

Point RotateHandPoint(Point local, double angle, Point centre) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double x = std::floor(local.x * c + local.y * s + 0.5);
    const double y = std::floor(-local.x * s + local.y * c + 0.5);
    return Point{centre.x + static_cast<int>(x), centre.y - static_cast<int>(y)};
}

} // namespace zentrava
