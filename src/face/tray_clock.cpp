#include "face/tray_clock.h"

#include <cmath>

namespace zentrava {

namespace {

// The icon's hands were always turned with this value of pi; a closer one moves some hands'
// ends by a pixel at the truncation below.
constexpr double kTrayPi = 3.1415926535898;
constexpr int kCentre = kTrayClockSize / 2;

// Truncated toward zero, not rounded: the tiny dial's hands were laid out that way.
Point Turned(Point local, double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const int x = static_cast<int>(std::trunc(local.x * c + local.y * s));
    const int y = static_cast<int>(std::trunc(-local.x * s + local.y * c));
    return Point{x + kCentre, kCentre - y};
}

TraySegment Hand(int tailLength, int tipLength, double angle) {
    return TraySegment{Turned(Point{0, -tailLength}, angle), Turned(Point{0, tipLength}, angle)};
}

} // namespace

TrayClockHands TrayClockHandsAt(int hour, int minute) {
    const int hour12 = hour > 11 ? hour - 12 : hour;
    const double hourAngle = (hour12 * 60 + minute) * kTrayPi / 360;
    const double minuteAngle = minute * kTrayPi / 30;
    return TrayClockHands{Hand(2, 6, hourAngle), Hand(2, 9, minuteAngle)};
}

} // namespace zentrava
