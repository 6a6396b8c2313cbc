#include "timesync/manual_time_page.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace zentrava {

namespace {

// 数値を入力して下さい。\n数値は0～23までの範囲です。
constexpr std::string_view kHourNotNumber =
    "\x90\x94\x92l\x82\xF0\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82\xA2\x81"
    "B\n\x90\x94\x92l\x82\xCD"
    "0\x81`23\x82\xDC\x82\xC5\x82\xCC\x94\xCD\x88\xCD\x82\xC5\x82\xB7\x81"
    "B";
// 数値は0～23までの範囲です。
constexpr std::string_view kHourRange = "\x90\x94\x92l\x82\xCD"
                                        "0\x81`23\x82\xDC\x82\xC5\x82\xCC\x94\xCD\x88\xCD\x82\xC5"
                                        "\x82\xB7\x81"
                                        "B";
// 数値を入力して下さい。\n数値は0～59までの範囲です。
constexpr std::string_view kSixtyNotNumber =
    "\x90\x94\x92l\x82\xF0\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82\xA2\x81"
    "B\n\x90\x94\x92l\x82\xCD"
    "0\x81`59\x82\xDC\x82\xC5\x82\xCC\x94\xCD\x88\xCD\x82\xC5\x82\xB7\x81"
    "B";
// 数値は0～59までの範囲です。
constexpr std::string_view kSixtyRange = "\x90\x94\x92l\x82\xCD"
                                         "0\x81`59\x82\xDC\x82\xC5\x82\xCC\x94\xCD\x88\xCD\x82\xC5"
                                         "\x82\xB7\x81"
                                         "B";
// 時刻入力エラー(HOUR), (MINUTE), (SECOND). The minute's two errors are captioned apart on
// purpose: "(MINUTE)" over no number, "(MIUTE)" over one out of range.
constexpr std::string_view kHourCaption =
    "\x8E\x9E\x8D\x8F\x93\xFC\x97\xCD\x83G\x83\x89\x81[(HOUR)";
constexpr std::string_view kMinuteCaption =
    "\x8E\x9E\x8D\x8F\x93\xFC\x97\xCD\x83G\x83\x89\x81[(MINUTE)";
constexpr std::string_view kMinuteRangeCaption =
    "\x8E\x9E\x8D\x8F\x93\xFC\x97\xCD\x83G\x83\x89\x81[(MIUTE)";
constexpr std::string_view kSecondCaption =
    "\x8E\x9E\x8D\x8F\x93\xFC\x97\xCD\x83G\x83\x89\x81[(SECOND)";

// Room for the calendar's borders around its minimum size, and the gaps above and below it.
constexpr int kCalendarBorders = 10;
constexpr int kCalendarTop = 5;
constexpr int kGapBelowCalendar = 10;

} // namespace

std::optional<PageProblem> ValidateManualTime(const ManualTimeTyped& typed) {
    const std::array<NumberField, 3> fields{{
        {IDC_MT_HOUR, typed.hour, 0, 23, kHourRange, kHourNotNumber, kHourCaption, kHourCaption},
        {IDC_MT_MINUTE, typed.minute, 0, 59, kSixtyRange, kSixtyNotNumber, kMinuteRangeCaption,
         kMinuteCaption},
        {IDC_MT_SECOND, typed.second, 0, 59, kSixtyRange, kSixtyNotNumber, kSecondCaption,
         kSecondCaption},
    }};
    return FirstBadField(fields);
}

bool CalendarMarksChanged(CalendarEvent event, const CalendarDate& opening,
                          const CalendarDate& selected) {
    return event == CalendarEvent::Select || selected != opening;
}

std::optional<DateTime> ManualClockTime(const CalendarDate& date, const ManualTimeTyped& typed) {
    if (ValidateManualTime(typed)) {
        return std::nullopt;
    }
    if (date.year < 1601 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > DaysInMonth(date.year, date.month)) {
        return std::nullopt;
    }
    DateTime t;
    t.year = date.year;
    t.month = date.month;
    t.day = date.day;
    t.dayOfWeek = DayOfWeekOf(date.year, date.month, date.day);
    t.hour = *ParseTypedNumber(typed.hour);
    t.minute = *ParseTypedNumber(typed.minute);
    t.second = *ParseTypedNumber(typed.second);
    t.milliseconds = 0;
    return t;
}

std::string ManualTimeSetText(bool computerClockSet) {
    // Zentravaの時刻を設定しました。\n
    std::string text = "Zentrava\x82\xCC\x8E\x9E\x8D\x8F\x82\xF0\x90\xDD\x92\xE8\x82\xB5\x82\xDC"
                       "\x82\xB5\x82\xBD\x81"
                       "B\n";
    if (computerClockSet) {
        // パソコンの内蔵時計を新たに設定しました。
        text += "\x83p\x83\\\x83R\x83\x93\x82\xCC\x93\xE0\x91\xA0\x8E\x9E\x8Cv\x82\xF0\x90V\x82"
                "\xBD\x82\xC9\x90\xDD\x92\xE8\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81"
                "B";
    } else {
        // パソコンの内蔵時計は設定していません。
        text += "\x83p\x83\\\x83R\x83\x93\x82\xCC\x93\xE0\x91\xA0\x8E\x9E\x8Cv\x82\xCD\x90\xDD\x92"
                "\xE8\x82\xB5\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1\x81"
                "B";
    }
    return text;
}

ManualPageLayout LayOutManualPage(int pageWidth, int calendarMinWidth, int calendarMinHeight) {
    const int width = calendarMinWidth + kCalendarBorders;
    const int height = calendarMinHeight + kCalendarBorders;
    const int left = std::max((pageWidth - width) / 2, 0);
    ManualPageLayout layout;
    layout.calendar = Rect{left, kCalendarTop, left + width, kCalendarTop + height};
    layout.shift = height + kGapBelowCalendar;
    return layout;
}

} // namespace zentrava
