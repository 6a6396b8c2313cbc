#include "alarms/interval_alarm.h"
#include "alarms/interval_noodle_page.h"
#include "app/tray_text.h"

#include "base/memory_settings_store.h"
#include "base/test_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace zentrava {
namespace {

std::string Section(const std::string& lines) {
    return "[Interval_Alarm_Setting]\r\n" + lines;
}

TEST(IntervalAlarmLoad, HostileValuesAreClampedSoTheTimerPeriodStaysSane) {
    const struct {
        const char* lines;
        int hour, minute, second, on, balloon, just0;
        int intervalSeconds;
    } cases[] = {
        {"", 0, 3, 0, 0, 0, 1, 180},
        // A huge hour would overflow the period in milliseconds.
        {"IntervalAlarmHour=2147483647\r\n", 24, 3, 0, 0, 0, 1, 24 * 3600 + 180},
        // A negative minute made a negative interval that counted as "not 0".
        {"IntervalAlarmMinute=-5\r\nIntervalAlarmSecond=-1\r\n", 0, 0, 0, 0, 0, 1, 0},
        {"IntervalAlarmMinute=75\r\nIntervalAlarmSecond=60\r\n", 0, 59, 59, 0, 0, 1, 59 * 60 + 59},
        // Switches are 0 or 1, so "= 1" and "not 0" read them alike.
        {"IntervalAlarmOn=2\r\nIntervalAlarmBalloonHelp=7\r\nIntervalAlarmJust0Second=-3\r\n", 0, 3,
         0, 1, 1, 0, 180},
    };
    for (const auto& c : cases) {
        const MemorySettingsStore store(Section(c.lines));
        const IntervalAlarmSettings s = LoadIntervalAlarmSettings(store);
        EXPECT_EQ(s.IntervalAlarmHour, c.hour) << c.lines;
        EXPECT_EQ(s.IntervalAlarmMinute, c.minute) << c.lines;
        EXPECT_EQ(s.IntervalAlarmSecond, c.second) << c.lines;
        EXPECT_EQ(s.IntervalAlarmOn, c.on) << c.lines;
        EXPECT_EQ(s.IntervalAlarmBalloonHelp, c.balloon) << c.lines;
        EXPECT_EQ(s.IntervalAlarmJust0Second, c.just0) << c.lines;
        EXPECT_EQ(IntervalSeconds(s), c.intervalSeconds) << c.lines;
        // The window timer's period in milliseconds fits its unsigned int.
        EXPECT_LE(static_cast<long long>(IntervalSeconds(s)) * 1000,
                  static_cast<long long>(INT_MAX));
    }
}

TEST(IntervalAlarm, AFiringWaitsForSecondZeroOnlyWhenTheIntervalIsNotWholeMinutes) {
    const struct {
        int just0, hour, minute, second;
        bool waits;
    } cases[] = {
        {1, 0, 0, 2, true},  {1, 0, 1, 30, true}, {1, 0, 3, 0, false},
        {1, 1, 0, 0, false}, {0, 0, 0, 2, false}, {0, 0, 1, 30, false},
    };
    for (const auto& c : cases) {
        IntervalAlarmSettings s;
        s.IntervalAlarmJust0Second = c.just0;
        s.IntervalAlarmHour = c.hour;
        s.IntervalAlarmMinute = c.minute;
        s.IntervalAlarmSecond = c.second;
        EXPECT_EQ(DecideIntervalFiring(s, true).waitForSecondZero, c.waits)
            << c.just0 << " " << c.hour << ":" << c.minute << ":" << c.second;
    }
}

TEST(IntervalAlarm, TheBalloonNeedsItsSwitchAndBalloons) {
    IntervalAlarmSettings s;
    s.IntervalAlarmMinute = 0;
    s.IntervalAlarmSecond = 2;
    s.IntervalAlarmSoundFile = "C:\\tone.wav";
    EXPECT_EQ(DecideIntervalFiring(s, true).balloonText, "");
    s.IntervalAlarmBalloonHelp = 1;
    EXPECT_EQ(DecideIntervalFiring(s, false).balloonText, "");
    const IntervalFiring f = DecideIntervalFiring(s, true);
    EXPECT_FALSE(f.balloonText.empty());
    EXPECT_EQ(f.sound, "C:\\tone.wav");
}

TEST(IntervalAlarm, TheTooltipsNextTimeWrapsPastTheHourAndTheDay) {
    const struct {
        int hour, minute, second, intervalMinutes, intervalSeconds;
        const char* expected;
    } cases[] = {
        {23, 59, 0, 2, 0, " 0時01分00秒"},
        {9, 59, 58, 0, 2, " 10時00分00秒"},
        {22, 30, 0, 0, 0, ""}, // all zero: no next firing
    };
    for (const auto& c : cases) {
        IntervalAlarm alarm;
        IntervalAlarmSettings s;
        s.IntervalAlarmOn = 1;
        s.IntervalAlarmJust0Second = 1;
        s.IntervalAlarmMinute = c.intervalMinutes;
        s.IntervalAlarmSecond = c.intervalSeconds;
        alarm.Commit(s);
        ClockTimeRecord now;
        now.Hour = c.hour;
        now.Minute = c.minute;
        now.Second = c.second;
        alarm.SetStartTime(now);
        EXPECT_TRUE(alarm.MarkStarted());
        EXPECT_FALSE(alarm.MarkStarted()) << "only one start per second 0";
        const IntervalTrayData d = alarm.TrayData();
        TrayStatus status;
        status.intervalAlarmOn = d.on;
        status.intervalJust0Second = d.just0Second;
        status.intervalStarted = d.started;
        status.startHour = d.startHour;
        status.startMinute = d.startMinute;
        status.startSecond = d.startSecond;
        status.intervalSeconds = d.intervalSeconds;
        const std::string part = IntervalPart(status);
        if (*c.expected == '\0') {
            EXPECT_EQ(part, "");
        } else {
            ASSERT_GE(part.size(), J(c.expected).size());
            EXPECT_EQ(part.substr(part.size() - J(c.expected).size()), J(c.expected));
        }
    }
}

TEST(IntervalNoodlePageValidation, TypedNumbersAreCheckedAsTextInFieldOrder) {
    const struct {
        IntervalTyped typed;
        int control; // 0: accepted
        const char* message;
    } cases[] = {
        {{"24", "59", "59"}, 0, ""},
        {{std::nullopt, std::nullopt, std::nullopt}, 0, ""},
        {{"25", "0", "0"}, kIntervalHourEdit, "時間の設定は0～24迄です。"},
        {{"3a", "0", "0"}, kIntervalHourEdit, "時間の設定は0～24迄です。"},
        {{"1", "60", "0"}, kIntervalMinuteEdit, "分の設定は0～59迄です。"},
        {{"1", "", "0"}, kIntervalMinuteEdit, "分の設定は0～59迄です。"},
        {{"1", "1", "60"}, kIntervalSecondEdit, "秒の設定は0～59です。"},
        {{"1", "1", "-1"}, kIntervalSecondEdit, "秒の設定は0～59です。"},
        {{"x", "x", "x"}, kIntervalHourEdit, "時間の設定は0～24迄です。"},
    };
    for (const auto& c : cases) {
        const std::optional<PageProblem> problem = ValidateIntervalFields(c.typed);
        if (c.control == 0) {
            EXPECT_FALSE(problem) << problem->message;
            continue;
        }
        ASSERT_TRUE(problem) << c.message;
        EXPECT_EQ(problem->control, c.control);
        EXPECT_EQ(problem->message, J(c.message));
    }
}

} // namespace
} // namespace zentrava
