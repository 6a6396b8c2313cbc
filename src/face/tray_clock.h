#pragma once
// The notification-area clock: a 16 x 16 dial with an hour and a minute hand. Where the hands
// land is decided here; tray_clock_win.h draws them.

#include "base/geometry.h"

#include <cstdint>

namespace zentrava {

inline constexpr int kTrayClockSize = 16;
// COLORREF values (0x00BBGGRR).
inline constexpr std::uint32_t kTrayClockDialColour = 0xC0C0C0;
inline constexpr std::uint32_t kTrayClockInkColour = 0xFF0000; // rim and hands: blue

struct TraySegment {
    Point from;
    Point to;

    friend bool operator==(const TraySegment&, const TraySegment&) = default;
};

struct TrayClockHands {
    TraySegment hour;
    TraySegment minute;

    friend bool operator==(const TrayClockHands&, const TrayClockHands&) = default;
};

// hour 0-23, minute 0-59. Points are in icon pixels; the minute hand's tip may lie one pixel
// outside the icon, where the drawing clips it.
TrayClockHands TrayClockHandsAt(int hour, int minute);

} // namespace zentrava
