#include "alarms/alarm_page.h"

#include "base/memory_settings_store.h"
#include "clock/calendar.h"

#include <gtest/gtest.h>

#include <string>

namespace zentrava {
namespace {

ClockTimeRecord Today(int year, int month, int day) {
    ClockTimeRecord clock;
    LoadRecord(clock, DateTime{year, month, 0, day, 9, 15, 0, 0});
    return clock;
}

TEST(AlarmPageTime, RefusesEveryHourOrMinuteThatCanNeverComeDue) {
    struct Case {
        const char* hour;
        const char* minute;
        int control; // 0: accepted
        std::string_view message;
    };
    const Case cases[] = {
        {"0", "0", 0, {}},
        {"23", "59", 0, {}},
        {"7", "30", 0, {}},
        {"24", "0", kAlarmHourEdit, kHourRangeMessage},
        {"-1", "0", kAlarmHourEdit, kHourRangeMessage},
        {"x", "0", kAlarmHourEdit, kHourRangeMessage},
        {"", "0", kAlarmHourEdit, kHourRangeMessage},
        {"7", "60", kAlarmMinuteEdit, kMinuteRangeMessage},
        {"7", "-1", kAlarmMinuteEdit, kMinuteRangeMessage},
        {"7", "", kAlarmMinuteEdit, kMinuteRangeMessage},
        {"7", "3a", kAlarmMinuteEdit, kMinuteRangeMessage},
        // Both bad: the hour is named first.
        {"99", "99", kAlarmHourEdit, kHourRangeMessage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.hour) + ":" + c.minute);
        const std::optional<PageProblem> problem = CheckAlarmTime(c.hour, c.minute);
        if (c.control == 0) {
            EXPECT_FALSE(problem.has_value());
            continue;
        }
        ASSERT_TRUE(problem.has_value());
        EXPECT_EQ(problem->control, c.control);
        EXPECT_EQ(problem->message, c.message);
    }
}

TEST(AlarmPageMemo, IsStoredAsOneLineThatFitsTheReadersBuffer) {
    const std::string ninetyNine(99, 'a');
    // "あ" in CP932: a double-byte character straddling byte 99 must not be cut in half.
    const std::string straddling = std::string(98, 'a') + "\x82\xA0";
    struct Case {
        std::string typed;
        std::string stored;
    };
    const Case cases[] = {
        {"", ""},
        {"Take the bins out", "Take the bins out"},
        {"line one\r\nline two", "line oneline two"},
        {"\r\n\n\r", ""},
        {ninetyNine, ninetyNine},
        {ninetyNine + "b", ninetyNine},
        {straddling, std::string(98, 'a')},
        {"\r\n" + ninetyNine, ninetyNine},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(CleanAlarmMemo(c.typed), c.stored);
    }
}

TEST(AlarmPageChanges, ApplyWritesExactlyTheAlarmsAndFontsThatDifferFromTheLastApply) {
    using Edit = void (*)(AlarmRecord&);
    struct Case {
        const char* what;
        Edit edit;
        bool alarm;
        bool font;
    };
    const Case cases[] = {
        {"nothing", [](AlarmRecord&) {}, false, false},
        {"switch", [](AlarmRecord& a) { a.On = 1; }, true, false},
        {"keyboard date", [](AlarmRecord& a) { a.Day = 12; }, true, false},
        {"hour", [](AlarmRecord& a) { a.Hour = 7; }, true, false},
        {"minute", [](AlarmRecord& a) { a.Minute = 30; }, true, false},
        {"type", [](AlarmRecord& a) { a.RepeatType = 1; }, true, false},
        {"notification", [](AlarmRecord& a) { a.ShowNotification = 1; }, true, false},
        {"way", [](AlarmRecord& a) { a.NotifyWay = 1; }, true, false},
        {"memo", [](AlarmRecord& a) { a.Memo = "m"; }, true, false},
        {"window colour", [](AlarmRecord& a) { a.WindowColor = 255; }, true, false},
        {"sound", [](AlarmRecord& a) { a.SoundFile = "C:\\a.wav"; }, true, false},
        {"picture", [](AlarmRecord& a) { a.PictureFile = "C:\\a.png"; }, true, false},
        {"font", [](AlarmRecord& a) { a.Font.Height = 20; }, false, true},
        {"face", [](AlarmRecord& a) { a.Font.FontFaceName = "Arial"; }, false, true},
        {"text colour", [](AlarmRecord& a) { a.TextColor = 1; }, false, true},
        {"taken back",
         [](AlarmRecord& a) {
             a.Hour = 7;
             a.Hour = 0;
         },
         false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AlarmRecords backup{};
        AlarmRecords working = backup;
        c.edit(working[2]);
        const AlarmChanges changes = DiffAlarms(working, backup);
        for (int i = 0; i < kAlarmCount; ++i) {
            const auto at = static_cast<std::size_t>(i);
            EXPECT_EQ(changes.alarm[at], i == 2 && c.alarm) << "alarm " << i + 1;
            EXPECT_EQ(changes.font[at], i == 2 && c.font) << "font " << i + 1;
        }
    }
}

TEST(AlarmPageApply, ARepeatingAlarmKeepsNoDateAndAOneShotKeepsItsOwn) {
    AlarmRecords working{};
    for (int type = 0; type < kAlarmCount; ++type) {
        AlarmRecord& a = working[static_cast<std::size_t>(type)];
        a.RepeatType = type; // 12-19: values no list offers, never due; not once either
        a.Year = 2025;
        a.Month = 3;
        a.Day = 9;
        a.Hour = 6;
    }
    const AlarmRecords committed = CommittedAlarms(working);
    for (int type = 0; type < kAlarmCount; ++type) {
        SCOPED_TRACE(type);
        const AlarmRecord& a = committed[static_cast<std::size_t>(type)];
        const int expectedYear = type == 0 ? 2025 : 0;
        EXPECT_EQ(a.Year, expectedYear);
        EXPECT_EQ(a.Month, type == 0 ? 3 : 0);
        EXPECT_EQ(a.Day, type == 0 ? 9 : 0);
        EXPECT_EQ(a.Hour, 6);
    }
}

TEST(AlarmPageDate, ThePickerShowsTheAlarmsDateOnlyWhenItIsARealDay) {
    const ClockTimeRecord today = Today(2024, 6, 1);
    const PickerDate clockDate{2024, 6, 1};
    struct Case {
        int year, month, day;
        PickerDate shown;
    };
    const Case cases[] = {
        {2025, 3, 9, {2025, 3, 9}}, {2024, 2, 29, {2024, 2, 29}}, // leap day
        {0, 0, 0, clockDate},                                     // no date yet
        {2023, 2, 29, clockDate},   {2025, 13, 1, clockDate},
        {2025, 0, 1, clockDate},    {2025, 4, 31, clockDate},
        {2025, 4, 0, clockDate},    {1600, 1, 1, clockDate}, // before the picker's range
        {0, 3, 9, clockDate},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" +
                     std::to_string(c.day));
        AlarmRecord alarm;
        alarm.Year = c.year;
        alarm.Month = c.month;
        alarm.Day = c.day;
        EXPECT_EQ(AlarmPickerDate(alarm, today), c.shown);
    }
}

TEST(AlarmPageFont, DescribesTheHeightInPointsWithTheFace) {
    struct Case {
        int height;
        const char* face;
        const char* shown;
    };
    const Case cases[] = {
        {13, "Arial", "10 Arial"}, // 9.75 points
        {-16, "Arial", "12 Arial"},
        {0, "Arial", "0 Arial"},
        {-1000, "x", "750 x"},
    };
    for (const Case& c : cases) {
        LogFontFields font;
        font.Height = c.height;
        font.FontFaceName = c.face;
        EXPECT_EQ(AlarmFontDescription(font), c.shown) << c.height;
    }
}

TEST(AlarmPageFont, HeightsFromAHandEditedFileAreHeldWithinAThousand) {
    struct Case {
        const char* stored;
        int height;
    };
    const Case cases[] = {
        {"-20", -20},   {"1000", 1000},         {"-1000", -1000},
        {"1001", 1000}, {"-2147483647", -1000}, {"99999999", 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        MemorySettingsStore store(std::string("[Font_Setting]\r\nHeightAlarmDlg04=") + c.stored +
                                  "\r\n");
        AlarmTable table;
        LoadAlarms(store, table);
        EXPECT_EQ(table.Records()[3].Font.Height, c.height);
    }
}

TEST(AlarmPageSwitchOff, TheFiredMomentSurvivesItsTripToThePage) {
    const FiredMoment moments[] = {
        {2024, 6, 1, 7, 30}, {2024, 12, 31, 23, 59}, {1601, 1, 1, 0, 0}, {4095, 2, 29, 12, 5}};
    for (const FiredMoment& m : moments) {
        EXPECT_EQ(UnpackFiredMoment(PackFiredMoment(m)), m) << m.year << "-" << m.month;
    }
}

TEST(AlarmPageSwitchOff, IsAppliedAgainOnlyWhileTheLiveAlarmStillNamesTheFiredMoment) {
    const FiredMoment fired{2024, 6, 1, 7, 30};
    using Edit = void (*)(AlarmRecord&);
    struct Case {
        const char* what;
        Edit edit;
        bool again;
    };
    const Case cases[] = {
        {"an apply put the page's switched-on copy back", [](AlarmRecord&) {}, true},
        {"already off", [](AlarmRecord& a) { a.On = 0; }, false},
        {"moved to another day", [](AlarmRecord& a) { a.Day = 2; }, false},
        {"moved to another month", [](AlarmRecord& a) { a.Month = 7; }, false},
        {"moved to another year", [](AlarmRecord& a) { a.Year = 2025; }, false},
        {"moved to another hour", [](AlarmRecord& a) { a.Hour = 8; }, false},
        {"moved to another minute", [](AlarmRecord& a) { a.Minute = 31; }, false},
        {"made a daily alarm", [](AlarmRecord& a) { a.RepeatType = 1; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AlarmRecord live;
        live.On = 1;
        live.Year = 2024;
        live.Month = 6;
        live.Day = 1;
        live.Hour = 7;
        live.Minute = 30;
        c.edit(live);
        EXPECT_EQ(NeedsSwitchOffAgain(live, fired), c.again);
    }
}

TEST(AlarmPageSwitchOff, ClearsTheFiredAlarmInBothCopiesAndNothingElse) {
    AlarmRecords working{};
    for (AlarmRecord& a : working) {
        a.On = 1;
    }
    AlarmRecords backup = working;
    for (const int index : {-1, kAlarmCount}) { // out of range: nothing
        SwitchOffInCopies(working, backup, index);
    }
    SwitchOffInCopies(working, backup, 4);
    for (int i = 0; i < kAlarmCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        EXPECT_EQ(working[at].On, i == 4 ? 0 : 1) << i;
        EXPECT_EQ(backup[at].On, i == 4 ? 0 : 1) << i;
    }
}

} // namespace
} // namespace zentrava
