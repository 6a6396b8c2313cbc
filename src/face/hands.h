#pragma once
// The hands' corner points in a hand-local frame (x across the hand, y along it toward the
// tip), their angles from a clock record and their rotation onto the face.

#include "base/geometry.h"
#include "clock/clock_time.h"

#include <array>
#include <optional>
#include <string_view>

namespace zentrava {

// Before the first size change every point is zero.
struct HandShapes {
    std::array<Point, 6> minuteHand{};
    std::array<Point, 6> hourHand{};
    std::array<Point, 4> secondHand{};
    int secondCapRadius = 0;
    std::array<Point, 5> marker24{};

    friend bool operator==(const HandShapes&, const HandShapes&) = default;
};

inline constexpr int kHandDesignCount = 3;

// "ここへ来たら時計針のデザイン変更エラーです。" as CP932 bytes, so that the native and the
// Windows builds hold the same text.
inline constexpr std::string_view kHandDesignErrorText =
    "\x82\xB1\x82\xB1\x82\xD6\x97\x88\x82\xBD\x82\xE7\x8E\x9E\x8C\x76\x90\x6A\x82\xCC\x83\x66"
    "\x83\x55\x83\x43\x83\x93\x95\xCF\x8D\x58\x83\x47\x83\x89\x81\x5B\x82\xC5\x82\xB7\x81\x42";

// No value for a design outside 0-2: the caller keeps its previous shapes and shows
// kHandDesignErrorText. markSize is Clock24HourMarkSize, markPos Clock24HourMarkPos.
std::optional<HandShapes> BuildHandShapes(int design, int radius, int markSize, int markPos);

// Radians, clockwise from 12 o'clock.
double HourHandAngle(const ClockTimeRecord& clock);
double MinuteHandAngle(const ClockTimeRecord& clock, int secondHandDispOnOff);
double SecondHandAngle(const ClockTimeRecord& clock, int secondHandSmooth);
// Any Clock0HourPos other than 1 keeps hour 0 at the top.
double TwentyFourHourAngle(const ClockTimeRecord& clock, int clock0HourPos);

Point RotateHandPoint(Point local, double angle, Point centre);

template <std::size_t N>
std::array<Point, N> RotateHand(const std::array<Point, N>& local, double angle, Point centre) {
    std::array<Point, N> screen{};
    for (std::size_t i = 0; i < N; ++i) {
        screen[i] = RotateHandPoint(local[i], angle, centre);
    }
    return screen;
}

} // namespace zentrava
