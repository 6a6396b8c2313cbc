#include "alarms/alarm_table.h"

#include "base/memory_settings_store.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace zentrava {
namespace {

// "ＭＳ Ｐゴシック" in CP932.
const std::string kMsPGothic = "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";
const std::string kHiraganaA = "\x82\xA0"; // あ

std::string Repeat(const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

TEST(AlarmLoading, EmptyFileGivesTwentySilentOffAlarmsUnarmed) {
    AlarmTable table;
    LoadAlarms(MemorySettingsStore(), table);
    EXPECT_FALSE(table.Armed());
    EXPECT_EQ(table.testSoundFile, "");
    for (const AlarmRecord& alarm : table.Records()) {
        EXPECT_EQ(alarm, AlarmRecord{});
        EXPECT_EQ(alarm.WindowColor, 0xC0C0C0);
        EXPECT_EQ(alarm.Font.Weight, 400); // the clock's own font is bold, the memo's is not
        EXPECT_EQ(alarm.Font.Height, 14);
        EXPECT_EQ(alarm.Font.CharSet, 128);
        EXPECT_EQ(alarm.Font.PitchAndFamily, 49);
        EXPECT_EQ(alarm.Font.FontFaceName, kMsPGothic);
    }
}

TEST(AlarmLoading, ReadsEveryKeyOfANumberedAlarmFromItsThreeSections) {
    MemorySettingsStore store(
        "[Alarm_Setting]\r\n"
        "AlarmOn07=1\r\nAlarmYear07=2025\r\nAlarmMonth07=3\r\nAlarmDay07=9\r\n"
        "Alarmhour07=6\r\nAlarmMinute07=45\r\nAlarmType07=4\r\n"
        "AlarmBallonHelpDisp07=1\r\nAlarmNotifyWay07=1\r\n"
        "AlarmMemo07=Take the bins out\r\nAlarmDlgColor07=255\r\n"
        "[Sound_Setting]\r\n"
        "TestSoundFile=C:\\Sounds\\test.mid\r\n"
        "AlarmSoundFile7=C:\\Sounds\\bell.wav\r\n"
        "AlarmPicFile7=D:\\Pictures\\bins.png\r\n"
        // A zero-padded spelling belongs to no alarm.
        "AlarmSoundFile07=C:\\Sounds\\wrong.wav\r\n"
        "[Font_Setting]\r\n"
        "HeightAlarmDlg07=-20\r\nWeightAlarmDlg07=700\r\n"
        "ItalicAlarmDlg07=1\r\nCharSetAlarmDlg07=0\r\n"
        "FontFaceNameAlarmDlg07=Arial\r\nTextColorAlarmDlg07=65280\r\n");
    store.AddExistingFile("C:\\Sounds\\test.mid");
    store.AddExistingFile("C:\\Sounds\\bell.wav");
    store.AddExistingFile("C:\\Sounds\\wrong.wav");
    store.AddExistingFile("D:\\Pictures\\bins.png");
    AlarmTable table;
    LoadAlarms(store, table);

    AlarmRecord expected;
    expected.On = 1;
    expected.Year = 2025;
    expected.Month = 3;
    expected.Day = 9;
    expected.Hour = 6; // written "Alarmhour", read "AlarmHour": one key
    expected.Minute = 45;
    expected.ShowNotification = 1;
    expected.RepeatType = 4;
    expected.NotifyWay = 1;
    expected.Memo = "Take the bins out";
    expected.WindowColor = 255;
    expected.Font.Height = -20;
    expected.Font.Weight = 700;
    expected.Font.Italic = 1;
    expected.Font.CharSet = 0;
    expected.Font.FontFaceName = "Arial";
    expected.TextColor = 65280;
    expected.SoundFile = "C:\\Sounds\\bell.wav";
    expected.SoundFileName = "bell.wav";
    expected.PictureFile = "D:\\Pictures\\bins.png";
    expected.PictureFileName = "bins.png";

    const AlarmRecords records = table.Records();
    EXPECT_EQ(records[6], expected);
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (i != 6) {
            EXPECT_EQ(records[i], AlarmRecord{}) << "alarm " << i + 1;
        }
    }
    EXPECT_EQ(table.testSoundFile, "C:\\Sounds\\test.mid");
    EXPECT_EQ(table.testSoundFileName, "test.mid");
    EXPECT_TRUE(table.Armed());
}

TEST(AlarmLoading, FilesThatAreGoneAreDroppedButTheAlarmStillRings) {
    MemorySettingsStore store("[Alarm_Setting]\r\nAlarmOn01=1\r\n"
                              "[Sound_Setting]\r\nTestSoundFile=C:\\gone.wav\r\n"
                              "AlarmSoundFile1=C:\\gone.wav\r\nAlarmPicFile1=C:\\gone.png\r\n");
    AlarmTable table;
    LoadAlarms(store, table);
    const AlarmRecord alarm = table.Records()[0];
    EXPECT_EQ(alarm.On, 1);
    EXPECT_EQ(alarm.SoundFile, "");
    EXPECT_EQ(alarm.SoundFileName, "");
    EXPECT_EQ(alarm.PictureFile, "");
    EXPECT_EQ(alarm.PictureFileName, "");
    EXPECT_EQ(table.testSoundFile, "");
    EXPECT_EQ(table.testSoundFileName, "");
}

TEST(AlarmLoading, LongMemoIsCutTo99BytesWithoutHalfACharacter) {
    struct Case {
        std::string memo;
        std::string expected;
    };
    const Case cases[] = {
        {std::string(120, 'm'), std::string(99, 'm')},
        // 49 characters fill 98 bytes; the 50th would need bytes 99 and 100.
        {Repeat(kHiraganaA, 60), Repeat(kHiraganaA, 49)},
        {"x" + Repeat(kHiraganaA, 60), "x" + Repeat(kHiraganaA, 49)},
        {std::string(98, 'm') + kHiraganaA, std::string(98, 'm')},
    };
    for (const Case& c : cases) {
        AlarmTable table;
        LoadAlarms(MemorySettingsStore("[Alarm_Setting]\r\nAlarmMemo20=" + c.memo + "\r\n"), table);
        EXPECT_EQ(table.Records()[19].Memo, c.expected) << c.memo;
    }
}

TEST(AlarmLoading, PathOf259CharactersLoadsAndSavesWhole) {
    const std::string path = "C:\\" + std::string(252, 's') + ".wav";
    ASSERT_EQ(path.size(), 259u);
    MemorySettingsStore store("[Sound_Setting]\r\nAlarmSoundFile3=" + path + "\r\n");
    store.AddExistingFile(path);
    AlarmTable table;
    LoadAlarms(store, table);
    EXPECT_EQ(table.Records()[2].SoundFile, path);
    EXPECT_EQ(table.Records()[2].SoundFileName, std::string(252, 's') + ".wav");

    MemorySettingsStore saved;
    saved.AddExistingFile(path);
    table.changed[2] = true;
    ASSERT_TRUE(SaveAlarms(saved, table));
    AlarmTable reloaded;
    LoadAlarms(saved, reloaded);
    EXPECT_EQ(reloaded.Records()[2].SoundFile, path);
}

// Alarm 3 changed, alarm 12's font changed: exactly their keys, in the order the file keeps.
constexpr std::string_view kSavedText =
    "[Sound_Setting]\r\n"
    "TestSoundFile=C:\\t.wav\r\n"
    "AlarmSoundFile3=C:\\a.wav\r\n"
    "AlarmPicFile3=\r\n"
    "[Alarm_Setting]\r\n"
    "AlarmOn03=1\r\nAlarmYear03=2026\r\nAlarmMonth03=1\r\nAlarmDay03=2\r\nAlarmhour03=7\r\n"
    "AlarmMinute03=5\r\nAlarmType03=0\r\nAlarmBallonHelpDisp03=1\r\n"
    "AlarmMemo03=memo\r\nAlarmNotifyWay03=1\r\nAlarmDlgColor03=12632256\r\n"
    "[Font_Setting]\r\n"
    "HeightAlarmDlg12=14\r\nWidthAlarmDlg12=0\r\nEscapementAlarmDlg12=0\r\n"
    "OrientationAlarmDlg12=0\r\nWeightAlarmDlg12=400\r\nItalicAlarmDlg12=0\r\n"
    "UnderlineAlarmDlg12=1\r\nStrikeOutAlarmDlg12=0\r\nCharSetAlarmDlg12=128\r\n"
    "OutPrecisionAlarmDlg12=3\r\nClipPrecisionAlarmDlg12=2\r\nQualityAlarmDlg12=1\r\n"
    "PitchAndFamilyAlarmDlg12=49\r\n"
    "FontFaceNameAlarmDlg12=\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E\r\n"
    "TextColorAlarmDlg12=255\r\n";

TEST(AlarmSaving, WritesOnlyChangedAlarmsWithTheirKeyNamesInOrder) {
    AlarmTable table;
    table.testSoundFile = "C:\\t.wav";
    AlarmRecords records;
    AlarmRecord& alarm = records[2];
    alarm.On = 1;
    alarm.Year = 2026;
    alarm.Month = 1;
    alarm.Day = 2;
    alarm.Hour = 7;
    alarm.Minute = 5;
    alarm.ShowNotification = 1;
    alarm.NotifyWay = 1;
    alarm.Memo = "memo";
    alarm.SoundFile = "C:\\a.wav";
    records[11].Font.Underline = 1;
    records[11].TextColor = 255;
    CommitAlarms(table, records);
    table.changed[2] = true;
    table.fontChanged[11] = true;

    MemorySettingsStore store;
    EXPECT_TRUE(SaveAlarms(store, table));
    EXPECT_EQ(store.Text(), kSavedText);
    EXPECT_EQ(table.changed, (std::array<bool, kAlarmCount>{}));
    EXPECT_EQ(table.fontChanged, (std::array<bool, kAlarmCount>{}));

    // Read back, the saved alarms are what was committed.
    store.AddExistingFile("C:\\a.wav");
    AlarmTable reloaded;
    LoadAlarms(store, reloaded);
    AlarmRecord expected = records[2];
    expected.SoundFileName = "a.wav";
    EXPECT_EQ(reloaded.Records()[2], expected);
    EXPECT_EQ(reloaded.Records()[11], records[11]);
}

TEST(AlarmSaving, HourKeyOfAnyCaseIsRewrittenInPlace) {
    MemorySettingsStore store("[Alarm_Setting]\r\nAlarmHour01=7\r\n");
    AlarmTable table;
    LoadAlarms(store, table);
    AlarmRecords records = table.Records();
    records[0].Hour = 8;
    CommitAlarms(table, records);
    table.changed[0] = true;
    SaveAlarms(store, table);
    EXPECT_NE(store.Text().find("AlarmHour01=8\r\n"), std::string::npos);
    EXPECT_EQ(store.Text().find("Alarmhour01"), std::string::npos);
}

TEST(AlarmSaving, AnAlarmThatCouldNotBeWrittenStaysMarkedForTheNextSave) {
    MemorySettingsStore store("[Alarm_Setting]\r\nAlarmOn01=0\r\n", IniFileAccess::ReadOnly);
    AlarmTable table;
    table.changed[0] = true;
    table.fontChanged[1] = true;
    EXPECT_FALSE(SaveAlarms(store, table));
    EXPECT_TRUE(table.changed[0]);
    EXPECT_TRUE(table.fontChanged[1]);
}

TEST(AlarmArming, MenuToggleArmsOnlyWhenThereIsSomethingToArm) {
    AlarmTable table;
    EXPECT_FALSE(ToggleAlarmsArmed(table)); // every alarm off: stays off
    EXPECT_FALSE(table.Armed());

    AlarmRecords records;
    records[9].On = 1;
    CommitAlarms(table, records);
    EXPECT_TRUE(table.Armed());
    EXPECT_FALSE(ToggleAlarmsArmed(table));
    EXPECT_FALSE(table.Armed());
    EXPECT_TRUE(ToggleAlarmsArmed(table));
    EXPECT_TRUE(table.Armed());

    records[9].On = 0;
    CommitAlarms(table, records); // applying the page recomputes it
    EXPECT_FALSE(table.Armed());
}

TEST(AlarmTableThreads, ReadersNeverSeeHalfOfACommit) {
    AlarmRecords first;
    AlarmRecords second;
    for (std::size_t i = 0; i < first.size(); ++i) {
        first[i].Memo = "first";
        first[i].Minute = 1;
        second[i].Memo = std::string(80, 's'); // long enough to live on the heap
        second[i].Minute = 2;
    }
    AlarmTable table;
    CommitAlarms(table, first);
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int n = 0; !stop.load(); ++n) {
            CommitAlarms(table, n % 2 == 0 ? second : first);
        }
    });
    for (int n = 0; n < 2000; ++n) {
        const AlarmRecords seen = table.Records();
        ASSERT_TRUE(seen == first || seen == second);
    }
    stop.store(true);
    writer.join();
}

} // namespace
} // namespace zentrava
