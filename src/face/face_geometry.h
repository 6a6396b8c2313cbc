#pragma once
// The arithmetic of the face: centre, radii, graduation points and numeral positions, from the
// client size and the clock settings. The painters draw from these numbers; nothing here
// touches a device context, so every value can be checked natively.

#include "base/geometry.h"
#include "face/appearance_settings.h"
#include "face/hands.h"

#include <array>

namespace zentrava {

// Radii in pixels. The primed radii of the 24-hour dials carry the suffix Inner.
struct FaceGeometry {
    Rect client;
    Rect face;
    int frameWidth = 0;
    int cx = 0;
    int cy = 0;
    int R = 0;
    int Rc = 0;
    int R5 = 0;
    int R1 = 0;
    int RE = 0;
    int RO = 0;
    int RcInner = 0;
    int R5Inner = 0;
    int R1Inner = 0;
    int autoTextHeight = 0;

    friend bool operator==(const FaceGeometry&, const FaceGeometry&) = default;
};

// width and height are the client size. Beyond the plain formulas, R is kept from reaching or
// passing the client's last pixel on any side and from going negative, so that a frame of 0,
// an odd client size or a window smaller than its frame never places a graduation outside the
// window.
FaceGeometry ComputeFaceGeometry(int width, int height, const ClockSettings& settings);

// a in radians, counter-clockwise from 3 o'clock; offsets are (trunc(r cos a), trunc(r sin a)).
Point PolarOffset(double r, double a);
Point PolarPoint(const FaceGeometry& g, double r, double a);

inline constexpr double kFacePi = 3.1415926535898;

enum class MinuteDial {
    Outer12, // the 12-hour dial: Rc, R5, R1
    Inner24, // the inner circle of the 24-hour dials: Rc', R5', R1'
};

// One minute mark. The dot design draws a dot at outer; the line design a line from outer to
// inner. One-minute marks on the left half (31-59) are already moved by (-1, -1).
struct MinuteMark {
    bool hourPosition = false;
    Point outer;
    Point inner;

    friend bool operator==(const MinuteMark&, const MinuteMark&) = default;
};

// Index 0 is 12 o'clock, growing clockwise.
std::array<MinuteMark, 60> MinuteMarks(const FaceGeometry& g, MinuteDial dial);

// One mark of the 24-hour ring, from radius R inward to RE (even hours) or RO (odd hours).
struct HourRingMark {
    bool evenHour = false;
    Point outer;
    Point inner;

    friend bool operator==(const HourRingMark&, const HourRingMark&) = default;
};

// Index is the hour position: 0 at the top, growing clockwise, 15 degrees apart.
std::array<HourRingMark, 24> HourRingMarks(const FaceGeometry& g);

// The number to print with "%d" and the top-left corner of its text.
struct NumeralPlacement {
    int number = 0;
    Point topLeft;

    friend bool operator==(const NumeralPlacement&, const NumeralPlacement&) = default;
};

// The 12 numerals of the 12-hour dial, index 0 (drawn "12") at the top. graduationDesign is
// ClockMinuteGraduationDesign (1 = dots; anything else places them as for lines); h the
// numeral height.
std::array<NumeralPlacement, 12> TwelveHourNumerals(const FaceGeometry& g, int graduationDesign,
                                                    int h);

// The 12 numerals at the even-hour marks of the 24-hour ring, index = hour position / 2.
// dialMode is 12H_24H_Setting: 1 prints 24-hour numerals (hour 0 at the bottom when
// clock0HourPos is 1, else at the top); any other mode prints 12-hour numerals.
std::array<NumeralPlacement, 12> HourRingNumerals(const FaceGeometry& g, int dialMode,
                                                  int clock0HourPos, int h);

// Pen widths of the dot design, so that small windows still show their dots.
int HourDotPenWidth(const FaceGeometry& g);
int MinuteDotPenWidth(const FaceGeometry& g);

} // namespace zentrava
