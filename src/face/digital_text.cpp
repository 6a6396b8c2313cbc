#include "face/digital_text.h"

#include "base/format_text.h"

#include <cstdio>

namespace zentrava {
namespace {

// 日 月 火 水 木 金 土
constexpr std::array<std::string_view, 7> kKanjiWeekdays{
    "\x93\xFA", "\x8C\x8E", "\x89\xCE", "\x90\x85", "\x96\xD8", "\x8B\xE0", "\x93\x79"};
constexpr std::array<std::string_view, 7> kEnglishWeekdays{"Sun", "Mon", "Tue", "Wed",
                                                           "Thu", "Fri", "Sat"};

const TimeFormatEntry* FindTimeFormat(int mode) {
    if (mode < 1 || mode > 3) {
        return nullptr;
    }
    for (const TimeFormatEntry& entry : TimeFormatTable) {
        if (entry.identifier == -1) {
            break;
        }
        if (entry.identifier == mode) {
            return &entry;
        }
    }
    return nullptr;
}

int TwelveHourHour(int hour) {
    const int shown = hour > 12 ? hour - 12 : hour;
    return shown == 0 ? 12 : shown;
}

} // namespace

std::string_view WeekdayName(int weekday, int charSet) {
    if (weekday < 0 || weekday > 6) {
        return {};
    }
    const auto i = static_cast<std::size_t>(weekday);
    return charSet == kShiftJisCharSet ? kKanjiWeekdays[i] : kEnglishWeekdays[i];
}

std::string FormatDate(int year, int month, int day, int weekday, int dateFormatMode, int charSet) {
    const std::string name(WeekdayName(weekday, charSet));
    switch (dateFormatMode) {
    case 1:
        return FormatText("%d/%d%s", month, day, name.c_str());
    case 2:
        return FormatText("%d/%d", month, day);
    default:
        return FormatText("%d\r\n%d/%d%s", year, month, day, name.c_str());
    }
}

std::string FormatTime(int hour, int minute, int timeFormatMode) {
    const TimeFormatEntry* entry = FindTimeFormat(timeFormatMode);
    if (entry == nullptr) {
        return FormatText("%02d:%02d", hour, minute);
    }
    const char* format = hour <= 11 ? entry->morningFormat : entry->afternoonFormat;
    return FormatText(format, TwelveHourHour(hour), minute);
}

TimeTextParts SplitTime(int hour, int minute, int timeFormatMode) {
    TimeTextParts parts;
    parts.hourField = FormatText("%02d", hour);
    parts.minute = FormatText("%02d", minute);
    const TimeFormatEntry* entry = FindTimeFormat(timeFormatMode);
    if (entry == nullptr) {
        parts.hour = FormatText("%d", hour);
        return parts;
    }
    parts.prefix = hour <= 11 ? entry->morningPrefix : entry->afternoonPrefix;
    parts.hour = FormatText("%d", TwelveHourHour(hour));
    return parts;
}

Rect DateTextRect(int cx, int cy, int textWidth, int lineHeight, int dateFormatMode) {
    Rect r;
    r.left = cx - textWidth / 2;
    r.right = cx + textWidth / 2 + 1;
    // The year takes a line of its own above the rest; either way the text ends a quarter
    // line above the centre.
    const int lines = dateFormatMode == 0 ? 2 : 1;
    const double above = dateFormatMode == 0 ? 2.25 : 1.25;
    r.top = cy - static_cast<int>(above * lineHeight);
    r.bottom = r.top + lines * lineHeight;
    return r;
}

TimeTextRects TimeTextLayout(int cx, int cy, int lineHeight, const TimeTextWidths& widths,
                             int colonAdj) {
    const int top = cy + lineHeight / 2;
    const int bottom = cy + lineHeight + lineHeight / 2;
    TimeTextRects r;
    int x = cx - widths.whole / 2;
    r.prefix = Rect{x, top, x + widths.prefix, bottom};
    x += widths.prefix;
    r.hour = Rect{x, top, x + widths.hourField, bottom};
    x += widths.hourField;
    r.colon = Rect{x, top - colonAdj, x + widths.colon, bottom - colonAdj};
    x += widths.colon;
    r.minute = Rect{x, top, x + widths.minute, bottom};
    return r;
}

Rect CaptionTextRect(int cx, int cy, int textWidth, int lineHeight) {
    return Rect{cx - textWidth / 2, cy + lineHeight + lineHeight / 2, cx + textWidth / 2,
                cy + 2 * lineHeight + lineHeight / 2};
}

} // namespace zentrava
