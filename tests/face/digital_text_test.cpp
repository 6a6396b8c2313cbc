#include "face/digital_text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace zentrava {
namespace {

// 午前 / 午後 / 金 in CP932.
constexpr std::string_view kGozen = "\x8C\xDF\x91\x4F";
constexpr std::string_view kGogo = "\x8C\xDF\x8C\xE3";
constexpr std::string_view kKin = "\x8B\xE0";

std::string Cat(std::string_view a, std::string_view b) {
    return std::string(a) + std::string(b);
}

struct TimeCase {
    int hour;
    int minute;
    int mode;
    std::string whole;
    std::string prefix;
    std::string hour12;
    std::string hourField;
    std::string minuteText;
};

TEST(DigitalTime, EachFormatShowsHourMinuteAndPrefix) {
    const TimeCase cases[] = {
        // A one-digit hour is drawn without its zero, in a two-digit place.
        {9, 5, 0, "09:05", "", "9", "09", "05"},
        {13, 7, 0, "13:07", "", "13", "13", "07"},
        {0, 0, 0, "00:00", "", "0", "00", "00"},
        {9, 5, 1, "AM09:05", "AM", "9", "09", "05"},
        {13, 7, 1, "PM01:07", "PM", "1", "13", "07"},
        {0, 0, 1, "AM12:00", "AM", "12", "00", "00"},
        {0, 5, 1, "AM12:05", "AM", "12", "00", "05"},
        {12, 30, 1, "PM12:30", "PM", "12", "12", "30"},
        {11, 59, 1, "AM11:59", "AM", "11", "11", "59"},
        {9, 5, 2, "A 09:05", "A ", "9", "09", "05"},
        {13, 7, 2, "P 01:07", "P ", "1", "13", "07"},
        {0, 0, 2, "A 12:00", "A ", "12", "00", "00"},
        {23, 59, 2, "P 11:59", "P ", "11", "23", "59"},
        {9, 5, 3, Cat(kGozen, "09:05"), std::string(kGozen), "9", "09", "05"},
        {13, 7, 3, Cat(kGogo, "01:07"), std::string(kGogo), "1", "13", "07"},
        {0, 0, 3, Cat(kGozen, "12:00"), std::string(kGozen), "12", "00", "00"},
        // A format the settings never offer shows the 24-hour time.
        {13, 7, 4, "13:07", "", "13", "13", "07"},
        {13, 7, -1, "13:07", "", "13", "13", "07"},
    };
    for (const TimeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hour << ":" << c.minute << " mode " << c.mode);
        EXPECT_EQ(FormatTime(c.hour, c.minute, c.mode), c.whole);
        const TimeTextParts parts = SplitTime(c.hour, c.minute, c.mode);
        EXPECT_EQ(parts.prefix, c.prefix);
        EXPECT_EQ(parts.hour, c.hour12);
        EXPECT_EQ(parts.hourField, c.hourField);
        EXPECT_EQ(parts.minute, c.minuteText);
    }
}

struct WeekdayCase {
    int charSet;
    std::array<std::string_view, 7> names;
};

TEST(WeekdayNames, KanjiOnlyForShiftJisFonts) {
    const std::array<std::string_view, 7> kanji{"\x93\xFA", "\x8C\x8E", "\x89\xCE", "\x90\x85",
                                                "\x96\xD8", "\x8B\xE0", "\x93\x79"};
    const std::array<std::string_view, 7> english{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    const WeekdayCase cases[] = {{128, kanji}, {0, english}, {1, english}, {134, english}};
    for (const WeekdayCase& c : cases) {
        for (int day = 0; day < 7; ++day) {
            SCOPED_TRACE(testing::Message() << "charset " << c.charSet << ", day " << day);
            EXPECT_EQ(WeekdayName(day, c.charSet), c.names[static_cast<std::size_t>(day)]);
        }
    }
}

TEST(WeekdayNames, OutOfRangeDayHasNoName) {
    for (const int day : {-1, 7, 100}) {
        EXPECT_TRUE(WeekdayName(day, 128).empty()) << day;
        EXPECT_TRUE(WeekdayName(day, 0).empty()) << day;
    }
}

struct DateCase {
    int mode;
    int charSet;
    std::string text;
};

TEST(DigitalDate, FormatsPutYearOnItsOwnLineOrLeaveItOut) {
    const DateCase cases[] = {
        {0, 128, Cat("2024\r\n5/3", kKin)},
        {1, 128, Cat("5/3", kKin)},
        {2, 128, "5/3"},
        {1, 0, "5/3Fri"},
        {0, 0, "2024\r\n5/3Fri"},
        // Unknown modes show the full two-line date.
        {3, 0, "2024\r\n5/3Fri"},
        {-1, 0, "2024\r\n5/3Fri"},
    };
    for (const DateCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", charset " << c.charSet);
        EXPECT_EQ(FormatDate(2024, 5, 3, 5, c.mode, c.charSet), c.text);
    }
    EXPECT_EQ(FormatDate(2024, 12, 31, 2, 1, 0), "12/31Tue");
}

struct DateRectCase {
    int mode;
    int width;
    int height;
    Rect rect;
};

TEST(DigitalDate, DateSitsAboveTheCentreAndTwoLinesWhenYearShown) {
    const DateRectCase cases[] = {
        // Two lines high, ending a quarter line above the centre (100).
        {0, 40, 16, {80, 64, 121, 96}}, {0, 41, 14, {80, 69, 121, 97}},
        {1, 40, 16, {80, 80, 121, 96}}, {2, 41, 14, {80, 83, 121, 97}},
        {1, 0, 1, {100, 99, 101, 100}},
    };
    for (const DateRectCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "mode " << c.mode << ", w " << c.width << ", h " << c.height);
        EXPECT_EQ(DateTextRect(100, 100, c.width, c.height, c.mode), c.rect);
    }
}

TEST(DigitalTime, PiecesLineUpLeftToRightBelowTheCentre) {
    struct Case {
        const char* what;
        TimeTextWidths widths;
        int colonAdj;
        TimeTextRects rects;
    };
    const Case cases[] = {
        {"24-hour",
         {40, 0, 14, 4, 14},
         0,
         {{80, 107, 80, 121}, {80, 107, 94, 121}, {94, 107, 98, 121}, {98, 107, 112, 121}}},
        {"raised colon",
         {40, 0, 14, 4, 14},
         2,
         {{80, 107, 80, 121}, {80, 107, 94, 121}, {94, 105, 98, 119}, {98, 107, 112, 121}}},
        {"with prefix",
         {61, 20, 14, 4, 14},
         0,
         {{70, 107, 90, 121}, {90, 107, 104, 121}, {104, 107, 108, 121}, {108, 107, 122, 121}}},
        {"colon lowered",
         {40, 0, 14, 4, 14},
         -3,
         {{80, 107, 80, 121}, {80, 107, 94, 121}, {94, 110, 98, 124}, {98, 107, 112, 121}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TimeTextRects r = TimeTextLayout(100, 100, 14, c.widths, c.colonAdj);
        EXPECT_EQ(r.prefix, c.rects.prefix);
        EXPECT_EQ(r.hour, c.rects.hour);
        EXPECT_EQ(r.colon, c.rects.colon);
        EXPECT_EQ(r.minute, c.rects.minute);
    }
}

TEST(DigitalCaption, CaptionSitsBelowTheTime) {
    EXPECT_EQ(CaptionTextRect(100, 100, 21, 14), (Rect{90, 121, 110, 135}));
    EXPECT_EQ(CaptionTextRect(100, 100, 20, 15), (Rect{90, 122, 110, 137}));
}

} // namespace
} // namespace zentrava
