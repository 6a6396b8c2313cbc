#include "alarms/alarm_schedule.h"

#include "base/memory_settings_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentrava {
namespace {

// アラームの時刻7時05分になりました。
const std::string kFiredAt0705 =
    "\x83\x41\x83\x89\x81\x5B\x83\x80\x82\xCC\x8E\x9E\x8D\x8F"
    "7\x8E\x9E"
    "05\x95\xAA\x82\xC9\x82\xC8\x82\xE8\x82\xDC\x82\xB5\x82\xBD\x81\x42";

ClockTimeRecord At(int year, int month, int day, int hour, int minute, int second = 0) {
    ClockTimeRecord clock;
    LoadRecord(clock, DateTime{year, month, 0, day, hour, minute, second, 0});
    return clock;
}

// 2024-03-04 is a Monday; day 0 of this week.
ClockTimeRecord InWeek(int weekdayFromMonday, int hour, int minute) {
    return At(2024, 3, 4 + weekdayFromMonday, hour, minute);
}

AlarmRecord Repeating(int repeatType, int hour, int minute) {
    AlarmRecord alarm;
    alarm.On = 1;
    alarm.Hour = hour;
    alarm.Minute = minute;
    alarm.RepeatType = repeatType;
    return alarm;
}

AlarmRecord OneShot(int year, int month, int day, int hour, int minute) {
    AlarmRecord alarm = Repeating(static_cast<int>(AlarmRepeat::Once), hour, minute);
    alarm.Year = year;
    alarm.Month = month;
    alarm.Day = day;
    return alarm;
}

// Writes the AlarmOn key as the glue does and logs every request in order.
class RecordingActions final : public AlarmActions {
public:
    explicit RecordingActions(SettingsStore* store = nullptr) : store_(store) {}

    bool sounding = false;
    bool balloons = true;
    std::vector<std::string> calls;

    bool AlarmSounding() override { return sounding; }
    void StopAlarmSound() override {
        calls.push_back("stop");
        sounding = false;
    }
    void StartAlarmSound(const std::string& file) override {
        calls.push_back("start " + file);
        sounding = true;
    }
    bool BalloonsSupported() override { return balloons; }
    void RequestBalloon(const std::string& text) override { calls.push_back("balloon " + text); }
    void OpenNotification(int index) override { calls.push_back("window " + Number(index)); }
    void SaveAlarmOn(int index) override {
        calls.push_back("save " + Number(index));
        if (store_ != nullptr) {
            SaveAlarmOnKey(*store_, index, 0);
        }
    }
    void OneShotSwitchedOff(int index) override { calls.push_back("page " + Number(index)); }

private:
    static std::string Number(int n) { return std::to_string(n); }
    SettingsStore* store_;
};

using Calls = std::vector<std::string>;

// A table holding the given alarms at the given indexes, armed as loading would leave it.
AlarmTable& Fill(AlarmTable& table, std::initializer_list<std::pair<int, AlarmRecord>> alarms) {
    AlarmRecords records;
    for (const auto& [index, alarm] : alarms) {
        records[static_cast<std::size_t>(index)] = alarm;
    }
    CommitAlarms(table, records);
    return table;
}

TEST(AlarmDue, EachRepeatTypeRingsOnItsDaysAtMidnightAndAtTheLastMinute) {
    struct Case {
        int repeatType;
        const char* days; // Monday first
    };
    const Case cases[] = {
        {1, "MTWTFSS"},  {2, "MTWTF.."},  {3, "MTWTFS."},  {4, ".....SS"},  {5, "M......"},
        {6, ".T....."},  {7, "..W...."},  {8, "...T..."},  {9, "....F.."},  {10, ".....S."},
        {11, "......S"}, {12, "......."}, {99, "......."}, {-1, "......."},
    };
    for (const Case& c : cases) {
        for (const auto& [hour, minute] : {std::pair{0, 0}, std::pair{23, 59}}) {
            const AlarmRecord alarm = Repeating(c.repeatType, hour, minute);
            for (int day = 0; day < 7; ++day) {
                // Every minute of the day: only the alarm's own can be due.
                for (int m = 0; m < 24 * 60; ++m) {
                    const bool expected = c.days[day] != '.' && m == hour * 60 + minute;
                    ASSERT_EQ(IsAlarmDue(alarm, InWeek(day, m / 60, m % 60)), expected)
                        << "type " << c.repeatType << " day " << day << " minute " << m;
                }
            }
        }
    }
}

TEST(AlarmDue, OnlySecondZeroOfTheMinuteCounts) {
    const AlarmRecord alarm = Repeating(1, 7, 5);
    EXPECT_TRUE(IsAlarmDue(alarm, At(2024, 3, 4, 7, 5, 0)));
    for (int second = 1; second < 60; ++second) {
        EXPECT_FALSE(IsAlarmDue(alarm, At(2024, 3, 4, 7, 5, second))) << second;
    }
}

TEST(AlarmDue, OneShotOnlyOnItsOwnDate) {
    const AlarmRecord alarm = OneShot(2024, 3, 5, 7, 5);
    EXPECT_TRUE(IsAlarmDue(alarm, At(2024, 3, 5, 7, 5)));
    EXPECT_FALSE(IsAlarmDue(alarm, At(2024, 3, 6, 7, 5)));
    EXPECT_FALSE(IsAlarmDue(alarm, At(2024, 4, 5, 7, 5)));
    EXPECT_FALSE(IsAlarmDue(alarm, At(2025, 3, 5, 7, 5)));
}

// Drives the real clock tick by tick and checks the alarms at each whole minute, as the tick
// does, from Friday evening to Monday morning.
TEST(AlarmFiring, WeekendAlarmAtMidnightRingsSaturdayAndSundayNeverFridayNight) {
    AlarmTable table;
    AlarmRecord weekend = Repeating(4, 0, 0);
    weekend.SoundFile = "weekend.wav";
    Fill(table, {{0, weekend}});
    Clocks clocks;
    ResetClocks(clocks);
    const WorldZoneSettings zones;
    SetClocks(clocks, DateTime{2024, 3, 0, 8, 23, 58, 0, 0}, zones); // Friday 23:58
    RecordingActions actions;
    std::vector<int> ringingDays;
    while (clocks.LocalClock.Day < 11 || clocks.LocalClock.Hour < 1) {
        if (AdvanceClocks(clocks, zones).newMinute) {
            const std::size_t before = actions.calls.size();
            CheckAlarms(table, clocks.LocalClock, actions);
            if (actions.calls.size() != before) {
                EXPECT_EQ(clocks.LocalClock.Hour, 0);
                EXPECT_EQ(clocks.LocalClock.Minute, 0);
                ringingDays.push_back(clocks.LocalClock.Day);
            }
        }
    }
    EXPECT_EQ(ringingDays, (std::vector<int>{9, 10})); // Saturday 9th, Sunday 10th
    EXPECT_TRUE(table.Armed());
}

TEST(AlarmFiring, BalloonAlarmSoundsAndShowsTheTimeAndMemo) {
    AlarmTable table;
    AlarmRecord alarm = Repeating(1, 7, 5);
    alarm.ShowNotification = 1;
    alarm.SoundFile = "C:\\bell.wav";
    alarm.Memo = "Bins";
    RecordingActions actions;
    CheckAlarms(Fill(table, {{3, alarm}}), At(2024, 3, 4, 7, 5), actions);
    EXPECT_EQ(actions.calls, (Calls{"start C:\\bell.wav", "balloon " + kFiredAt0705 + "\r\nBins"}));
    EXPECT_EQ(table.Message(), kFiredAt0705 + "\r\nBins");

    // Without a memo the text ends with the line break.
    alarm.Memo.clear();
    RecordingActions again;
    CheckAlarms(Fill(table, {{3, alarm}}), At(2024, 3, 5, 7, 5), again);
    EXPECT_EQ(table.Message(), kFiredAt0705 + "\r\n");
}

TEST(AlarmFiring, SoundReplacesAPlayingOneButASilentAlarmLeavesItPlaying) {
    AlarmTable table;
    AlarmRecord alarm = Repeating(1, 7, 5);
    alarm.SoundFile = "C:\\bell.wav";
    RecordingActions actions;
    actions.sounding = true;
    CheckAlarms(Fill(table, {{0, alarm}}), At(2024, 3, 4, 7, 5), actions);
    EXPECT_EQ(actions.calls, (Calls{"stop", "start C:\\bell.wav"}));

    alarm.SoundFile.clear();
    alarm.ShowNotification = 1;
    RecordingActions silent;
    silent.sounding = true;
    CheckAlarms(Fill(table, {{0, alarm}}), At(2024, 3, 4, 7, 5), silent);
    EXPECT_EQ(silent.calls, (Calls{"balloon " + kFiredAt0705 + "\r\n"}));
    EXPECT_TRUE(silent.sounding);
}

TEST(AlarmFiring, NotificationWindowShowsAPictureAloneWhenThereIsNoMemo) {
    struct Case {
        std::string memo;
        std::string picture;
        bool balloons;
        std::string expectedText;
    };
    const Case cases[] = {
        {"", "C:\\cat.png", true, ""},
        {"Feed", "C:\\cat.png", true, kFiredAt0705 + "\r\nFeed"},
        {"", "", true, kFiredAt0705 + "\r\n"},
        {"", "C:\\cat.png", false, ""},
    };
    for (const Case& c : cases) {
        AlarmTable table;
        AlarmRecord alarm = Repeating(1, 7, 5);
        alarm.ShowNotification = 1;
        alarm.NotifyWay = 1;
        alarm.Memo = c.memo;
        alarm.PictureFile = c.picture;
        table.SetMessage("an older message");
        RecordingActions actions;
        actions.balloons = c.balloons;
        CheckAlarms(Fill(table, {{4, alarm}}), At(2024, 3, 4, 7, 5), actions);
        EXPECT_EQ(actions.calls, (Calls{"window 4"})) << c.memo << c.picture;
        EXPECT_EQ(table.Message(), c.expectedText) << c.memo << c.picture;
    }
}

TEST(AlarmFiring, BalloonAlarmFallsBackToTheWindowWithoutBalloonsAndStaysQuietUnasked) {
    AlarmTable table;
    AlarmRecord alarm = Repeating(1, 7, 5);
    alarm.ShowNotification = 1;
    RecordingActions noBalloons;
    noBalloons.balloons = false;
    CheckAlarms(Fill(table, {{2, alarm}}), At(2024, 3, 4, 7, 5), noBalloons);
    EXPECT_EQ(noBalloons.calls, (Calls{"window 2"}));

    alarm.ShowNotification = 0;
    alarm.SoundFile = "C:\\bell.wav";
    table.SetMessage("kept");
    RecordingActions soundOnly;
    CheckAlarms(Fill(table, {{2, alarm}}), At(2024, 3, 4, 7, 5), soundOnly);
    EXPECT_EQ(soundOnly.calls, (Calls{"start C:\\bell.wav"}));
    EXPECT_EQ(table.Message(), "kept");
}

TEST(AlarmFiring, OnlyTheLowestDueAlarmRingsAndHigherOneShotsAreSwitchedOffSilently) {
    MemorySettingsStore store;
    AlarmTable table;
    AlarmRecord daily = Repeating(1, 7, 5);
    daily.SoundFile = "C:\\three.wav";
    daily.ShowNotification = 1;
    AlarmRecord once = OneShot(2024, 3, 4, 7, 5);
    once.SoundFile = "C:\\eight.wav";
    once.ShowNotification = 1;
    AlarmRecord later = Repeating(1, 7, 5);
    later.SoundFile = "C:\\ten.wav";
    Fill(table, {{2, daily}, {7, once}, {9, later}});
    RecordingActions actions(&store);
    CheckAlarms(table, At(2024, 3, 4, 7, 5), actions);
    EXPECT_EQ(actions.calls, (Calls{"start C:\\three.wav", "balloon " + kFiredAt0705 + "\r\n",
                                    "save 7", "page 7"}));
    EXPECT_EQ(table.Records()[7].On, 0);
    EXPECT_EQ(table.Records()[2].On, 1);
    EXPECT_EQ(store.Text(), "[Alarm_Setting]\r\nAlarmOn08=0\r\n");

    // A one-shot that wins rings and is switched off in the same pass.
    once.SoundFile = "C:\\one.wav";
    RecordingActions first(&store);
    CheckAlarms(Fill(table, {{0, once}, {2, daily}}), At(2024, 3, 4, 7, 5), first);
    EXPECT_EQ(first.calls,
              (Calls{"save 0", "page 0", "start C:\\one.wav", "balloon " + kFiredAt0705 + "\r\n"}));
}

TEST(AlarmFiring, FiredOneShotRewritesOnlyItsOwnOnKey) {
    const std::string file = "[Alarm_Setting]\r\n"
                             "AlarmOn04=1\r\nAlarmYear04=2024\r\nAlarmMonth04=3\r\nAlarmDay04=4\r\n"
                             "AlarmHour04=7\r\nAlarmMinute04=5\r\nAlarmType04=0\r\n"
                             "AlarmMemo04=old memo\r\n"
                             "AlarmOn05=1\r\nAlarmYear05=2024\r\nAlarmMonth05=3\r\nAlarmDay05=4\r\n"
                             "AlarmHour05=7\r\nAlarmMinute05=5\r\nAlarmType05=0\r\n"
                             "AlarmOn06=1\r\nAlarmHour06=9\r\nAlarmType06=1\r\n"
                             "[Sound_Setting]\r\nAlarmSoundFile4=C:\\four.wav\r\n";
    MemorySettingsStore store(file);
    store.AddExistingFile("C:\\four.wav");
    AlarmTable table;
    LoadAlarms(store, table);
    RecordingActions actions(&store);
    CheckAlarms(table, At(2024, 3, 4, 7, 5), actions);
    std::string expected = file;
    expected.replace(expected.find("AlarmOn04=1"), 11, "AlarmOn04=0");
    expected.replace(expected.find("AlarmOn05=1"), 11, "AlarmOn05=0");
    EXPECT_EQ(store.Text(), expected);
    EXPECT_TRUE(table.Armed()); // alarm 6 is still on
}

TEST(AlarmArming, DisarmedTableFiresNothingAndOneShotsWaitSwitchedOn) {
    AlarmTable table;
    AlarmRecord daily = Repeating(1, 7, 5);
    daily.SoundFile = "C:\\daily.wav";
    Fill(table, {{0, OneShot(2024, 3, 4, 7, 5)}, {1, daily}});
    ASSERT_FALSE(ToggleAlarmsArmed(table));
    RecordingActions actions;
    CheckAlarms(table, At(2024, 3, 4, 7, 5), actions);
    EXPECT_TRUE(actions.calls.empty());
    EXPECT_EQ(table.Records()[0].On, 1);
    EXPECT_FALSE(table.Armed());
    // Armed again, the one-shot's moment is gone; the daily alarm rings the next day.
    EXPECT_TRUE(ToggleAlarmsArmed(table));
    CheckAlarms(table, At(2024, 3, 5, 7, 5), actions);
    EXPECT_EQ(actions.calls, (Calls{"start C:\\daily.wav"}));
    EXPECT_EQ(table.Records()[0].On, 1);
}

TEST(AlarmArming, TheOnlyOneShotDisarmsTheTableOnceItHasRung) {
    AlarmTable table;
    Fill(table, {{5, OneShot(2024, 3, 4, 7, 5)}});
    ASSERT_TRUE(table.Armed());
    RecordingActions actions;
    CheckAlarms(table, At(2024, 3, 4, 7, 4), actions);
    EXPECT_TRUE(table.Armed());
    CheckAlarms(table, At(2024, 3, 4, 7, 5), actions);
    EXPECT_EQ(actions.calls, (Calls{"save 5", "page 5"}));
    EXPECT_FALSE(table.Armed());
    EXPECT_FALSE(ToggleAlarmsArmed(table)); // nothing left to arm
}

TEST(AlarmArming, OneShotWithAnEmptyOrImpossibleDateNeverRingsAndStaysOn) {
    AlarmTable table;
    Fill(table, {{0, OneShot(0, 0, 0, 7, 5)}, {1, OneShot(2024, 2, 30, 7, 5)}});
    RecordingActions actions;
    // Every day of the leap month and the next.
    for (int day = 1; day <= 29; ++day) {
        CheckAlarms(table, At(2024, 2, day, 7, 5), actions);
        CheckAlarms(table, At(2024, 3, day, 7, 5), actions);
    }
    EXPECT_TRUE(actions.calls.empty());
    EXPECT_EQ(table.Records()[0].On, 1);
    EXPECT_EQ(table.Records()[1].On, 1);
    EXPECT_TRUE(table.Armed());
    EXPECT_NE(PassedOneShotReport(table.Records(), At(2024, 3, 1, 0, 0)), "");
}

// のアラームの設定が既に過ぎています。
const std::string kPassedSuffix = "\x82\xCC\x83\x41\x83\x89\x81\x5B\x83\x80\x82\xCC\x90\xDD\x92"
                                  "\xE8\x82\xAA\x8A\xF9\x82\xC9\x89\xDF\x82\xAC\x82\xC4\x82\xA2"
                                  "\x82\xDC\x82\xB7\x81\x42";

TEST(PassedAlarmReport, ListsSwitchedOnOneShotsWhoseMomentHasCome) {
    const ClockTimeRecord now = At(2024, 3, 4, 7, 5, 30);
    AlarmRecords records;
    records[1] = OneShot(2024, 3, 4, 6, 59); // an hour earlier
    records[2] = OneShot(2024, 3, 4, 7, 6);  // next minute
    records[4] = OneShot(2024, 3, 4, 7, 5);  // this minute counts as passed
    records[5] = OneShot(2024, 3, 1, 0, 0);  // passed, but switched off
    records[5].On = 0;
    records[6] = Repeating(1, 6, 0); // repeating alarms never pass
    EXPECT_EQ(PassedOneShotReport(records, now), "No 2,5" + kPassedSuffix);

    records[1].On = 0;
    records[4].On = 0;
    EXPECT_EQ(PassedOneShotReport(records, now), "");
}

TEST(PassedAlarmReport, ComparesDateAndHourBeforeTheMinute) {
    struct Case {
        AlarmRecord alarm;
        bool passed;
    };
    const ClockTimeRecord now = At(2024, 6, 15, 12, 30);
    const Case cases[] = {
        {OneShot(2024, 6, 15, 12, 30), true},  {OneShot(2024, 6, 15, 12, 31), false},
        {OneShot(2024, 6, 15, 11, 59), true},  {OneShot(2024, 6, 15, 13, 0), false},
        {OneShot(2024, 6, 14, 23, 59), true},  {OneShot(2024, 5, 31, 23, 59), true},
        {OneShot(2023, 12, 31, 23, 59), true}, {OneShot(2024, 7, 1, 0, 0), false},
        {OneShot(0, 0, 0, 0, 0), true},
    };
    for (const Case& c : cases) {
        AlarmRecords records;
        records[0] = c.alarm;
        EXPECT_EQ(PassedOneShotReport(records, now).empty(), !c.passed)
            << c.alarm.Year << "-" << c.alarm.Month << "-" << c.alarm.Day << " " << c.alarm.Hour
            << ":" << c.alarm.Minute;
    }
}

TEST(AlarmTexts, TreeLabelMarksSwitchedOnAlarmsWithAnAsterisk) {
    const std::string alarm = "\x83\x41\x83\x89\x81\x5B\x83\x80"; // アラーム
    EXPECT_EQ(AlarmListLabel(0, true), alarm + "1*");
    EXPECT_EQ(AlarmListLabel(19, false), alarm + "20");
}

TEST(AlarmTexts, MessageLongerThanItsBufferEndsOnAWholeCharacter) {
    std::string memo;
    for (int i = 0; i < 600; ++i) {
        memo += "\x82\xA0"; // あ
    }
    const std::string text = AlarmMessageText(23, 59, memo);
    EXPECT_LE(text.size(), kAlarmMessageBufferSize - 1);
    EXPECT_GE(text.size(), kAlarmMessageBufferSize - 2);
    EXPECT_EQ(text.substr(text.size() - 2), "\x82\xA0");
}

} // namespace
} // namespace zentrava
