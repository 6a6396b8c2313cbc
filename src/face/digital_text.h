#pragma once
// The digital date, time and caption texts and where each piece lies on the face. The widths
// come from the font that draws, so the glue measures and these functions place.

#include "face/face_geometry.h" // Rect

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zentrava {

inline constexpr int kShiftJisCharSet = 128;

// Empty for a weekday outside 0-6 (0 is Sunday). A font that cannot show kanji gets English.
std::string_view WeekdayName(int weekday, int charSet);

struct TimeFormatEntry {
    std::int32_t identifier;
    char morningFormat[32];
    char afternoonFormat[32];
    char morningPrefix[8];
    char afternoonPrefix[8];
};

// Japanese texts as CP932 bytes, so that the native and the Windows builds hold the same text.
inline constexpr std::array<TimeFormatEntry, 5> TimeFormatTable{{
    {0, "%02d:%02d", "", "", ""},
    {1, "AM%02d:%02d", "PM%02d:%02d", "AM", "PM"},
    {2, "A %02d:%02d", "P %02d:%02d", "A ", "P "},
    // 午前 / 午後
    {3, "\x8C\xDF\x91\x4F%02d:%02d", "\x8C\xDF\x8C\xE3%02d:%02d", "\x8C\xDF\x91\x4F",
     "\x8C\xDF\x8C\xE3"},
    {-1, "", "", "", ""},
}};

// dateFormatMode is DigitalDateFormatMode; charSet that of the date font.
std::string FormatDate(int year, int month, int day, int weekday, int dateFormatMode, int charSet);

// hour 0-23; timeFormatMode is DigitalTimeFormatMode.
std::string FormatTime(int hour, int minute, int timeFormatMode);

// The pieces the time is drawn in. hourField is only measured: it keeps a one-digit hour
// right-aligned in a two-digit place, so the colon does not jump at 10 o'clock.
struct TimeTextParts {
    std::string_view prefix;
    std::string hourField;
    std::string hour;
    std::string minute;
};

TimeTextParts SplitTime(int hour, int minute, int timeFormatMode);

inline constexpr std::string_view kTimeColonText = ":";
inline constexpr std::string_view kCaptionText = "JST";

// lineHeight is h of the text's font; (cx, cy) the face centre.
Rect DateTextRect(int cx, int cy, int textWidth, int lineHeight, int dateFormatMode);

struct TimeTextWidths {
    int whole = 0;  // FormatTime
    int prefix = 0; // 0 in the 24-hour format
    int hourField = 0;
    int colon = 0;
    int minute = 0;
};

struct TimeTextRects {
    Rect prefix;
    Rect hour;
    Rect colon;
    Rect minute;
};

TimeTextRects TimeTextLayout(int cx, int cy, int lineHeight, const TimeTextWidths& widths,
                             int colonAdj);

Rect CaptionTextRect(int cx, int cy, int textWidth, int lineHeight);

} // namespace zentrava
