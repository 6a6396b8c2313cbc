#include "timesync/manual_time_page.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zentrava {
namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The first line of every not-a-number message: 数値を入力して下さい。
const std::string kTypeANumber =
    "\x90\x94\x92l\x82\xF0\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82\xA2\x81"
    "B\n";

TEST(ManualTimePage, EachBadFieldIsRefusedWithItsOwnCaptionAndNotANumberIsToldFromOutOfRange) {
    enum class Kind { Fine, OutOfRange, NotANumber };
    struct Case {
        const char* hour;
        const char* minute;
        const char* second;
        Kind kind;
        int control;
        const char* caption; // the part in brackets
        const char* range;   // the upper limit the message names
    };
    const Case cases[] = {
        {"10", "20", "30", Kind::Fine, 0, "", ""},
        {"23", "59", "59", Kind::Fine, 0, "", ""},
        {"24", "0", "0", Kind::OutOfRange, IDC_MT_HOUR, "(HOUR)", "23"},
        {"", "0", "0", Kind::NotANumber, IDC_MT_HOUR, "(HOUR)", "23"},
        {"1", "60", "0", Kind::OutOfRange, IDC_MT_MINUTE, "(MIUTE)", "59"},
        {"1", "", "0", Kind::NotANumber, IDC_MT_MINUTE, "(MINUTE)", "59"},
        {"1", "1", "60", Kind::OutOfRange, IDC_MT_SECOND, "(SECOND)", "59"},
        {"1", "1", "x", Kind::NotANumber, IDC_MT_SECOND, "(SECOND)", "59"},
        // The first bad field in the page's order.
        {"24", "", "60", Kind::OutOfRange, IDC_MT_HOUR, "(HOUR)", "23"},
        {"5", "99", "", Kind::OutOfRange, IDC_MT_MINUTE, "(MIUTE)", "59"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.hour) + ":" + c.minute + ":" + c.second);
        const std::optional<PageProblem> problem = ValidateManualTime({c.hour, c.minute, c.second});
        if (c.kind == Kind::Fine) {
            EXPECT_FALSE(problem.has_value());
            continue;
        }
        ASSERT_TRUE(problem.has_value());
        EXPECT_EQ(problem->control, c.control);
        // 時刻入力エラー
        EXPECT_EQ(problem->caption,
                  std::string("\x8E\x9E\x8D\x8F\x93\xFC\x97\xCD\x83G\x83\x89\x81[") + c.caption);
        EXPECT_EQ(problem->message.rfind(kTypeANumber, 0) == 0, c.kind == Kind::NotANumber)
            << problem->message;
        EXPECT_TRUE(Contains(problem->message, std::string("0\x81`") + c.range));
    }
}

TEST(ManualTimePage, ACalendarMoveCountsAsAChangeOnlyAwayFromTheOpeningDay) {
    const CalendarDate opening{2026, 12, 9};
    struct Case {
        CalendarEvent event;
        CalendarDate selected;
        bool changed;
    };
    const Case cases[] = {
        {CalendarEvent::Select, {2026, 12, 9}, true}, // a click on the opening day too
        {CalendarEvent::Select, {2026, 12, 10}, true},
        {CalendarEvent::SelChange, {2026, 12, 9}, false},
        {CalendarEvent::SelChange, {2026, 12, 10}, true}, // the right arrow key
        {CalendarEvent::SelChange, {2027, 1, 9}, true},   // a month on, same day number
        {CalendarEvent::SelChange, {2025, 12, 9}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected.year * 10000 + c.selected.month * 100 + c.selected.day);
        EXPECT_EQ(CalendarMarksChanged(c.event, opening, c.selected), c.changed);
    }
}

TEST(ManualTimePage, TheNewTimeHasTheChosenDaysWeekdayAndNoMilliseconds) {
    struct Case {
        CalendarDate date;
        ManualTimeTyped typed;
        std::optional<DateTime> expected;
    };
    const Case cases[] = {
        {{2024, 6, 1}, {"10", "20", "30"}, DateTime{2024, 6, 6, 1, 10, 20, 30, 0}},
        {{2000, 2, 29}, {"0", "0", "0"}, DateTime{2000, 2, 2, 29, 0, 0, 0, 0}},
        {{2026, 12, 9}, {"23", "59", "59"}, DateTime{2026, 12, 3, 9, 23, 59, 59, 0}},
        {{2027, 1, 3}, {"07", "05", "00"}, DateTime{2027, 1, 0, 3, 7, 5, 0, 0}},
        {{2026, 12, 9}, {"24", "0", "0"}, std::nullopt},
        {{2023, 2, 29}, {"1", "2", "3"}, std::nullopt}, // no such day
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date.year * 10000 + c.date.month * 100 + c.date.day);
        EXPECT_EQ(ManualClockTime(c.date, c.typed), c.expected);
    }
}

} // namespace
} // namespace zentrava
