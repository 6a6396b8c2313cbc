#include "timesync/ntp_settings.h"

#include "base/memory_settings_store.h"

#include "base/test_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentrava {
namespace {

NtpSettings Load(const std::string& iniText) {
    const MemorySettingsStore store(iniText);
    NtpSync sync;
    LoadNtpSettings(store, sync);
    return sync.Settings();
}

TEST(NtpSettingsLoad, AMissingFileGivesTheDefaultsWithTheFirstDefaultServerCurrent) {
    const NtpSettings s = Load("");
    NtpSettings expected;
    expected.currentIndex = 1;
    EXPECT_EQ(s, expected);
    EXPECT_EQ(s.NTPServerName, "ntp.nict.jp");
    EXPECT_EQ(NtpServerCount(s), 3);
    EXPECT_EQ(s.SetNTPUpdateTime, 2);
    EXPECT_EQ(s.SetNTPAccessMinuteTime, 55);
    EXPECT_EQ(s.NTPTimeUpdateResultBallonHelpOn, 0);
}

TEST(NtpSettingsLoad, IntervalBelowThreeReadsAsThreeButZeroStaysNever) {
    const struct {
        const char* stored;
        int expected;
    } cases[] = {{"0", 0}, {"1", 3}, {"2", 3}, {"3", 3}, {"-5", 3}, {"7", 7}, {"360", 360}};
    for (const auto& c : cases) {
        EXPECT_EQ(Load(std::string("[NTP_Setting]\r\nSetNTPInterval=") + c.stored + "\r\n")
                      .SetNTPInterval,
                  c.expected)
            << c.stored;
    }
    EXPECT_EQ(Load("").SetNTPInterval, 30);
    EXPECT_EQ(NtpIntervalMinutes(1), 3);
    EXPECT_EQ(NtpIntervalMinutes(0), 0);
}

TEST(NtpSettingsLoad, ServerListEndsAtTheFirstEmptyEntry) {
    const NtpSettings s = Load("[NTP_Setting]\r\n"
                               "NTPServerName=b.example\r\n"
                               "NTPServerNameList1=a.example\r\n"
                               "NTPServerNameList2=b.example\r\n"
                               "NTPServerNameList3=\r\n"
                               "NTPServerNameList4=d.example\r\n");
    EXPECT_EQ(NtpServerCount(s), 2);
    EXPECT_EQ(s.NTPServerNameList[1], "b.example");
    EXPECT_EQ(s.NTPServerNameList[3], ""); // behind the gap: not read
    EXPECT_EQ(s.currentIndex, 2);
}

TEST(NtpSettingsLoad, CurrentServerIsFoundCaseSensitivelyOrNotAtAll) {
    const std::string list = "NTPServerNameList1=a.example\r\nNTPServerNameList2=b.example\r\n"
                             "NTPServerNameList3=\r\n";
    EXPECT_EQ(Load("[NTP_Setting]\r\nNTPServerName=B.example\r\n" + list).currentIndex, 0);
    EXPECT_EQ(Load("[NTP_Setting]\r\nNTPServerName=elsewhere\r\n" + list).currentIndex, 0);
    EXPECT_EQ(Load("[NTP_Setting]\r\nNTPServerName=a.example\r\n" + list).currentIndex, 1);
}

TEST(NtpSettingsLoad, ServerNamesAreCutTo254Characters) {
    const std::string longName(300, 'x');
    const NtpSettings s = Load("[NTP_Setting]\r\nNTPServerName=" + longName +
                               "\r\nNTPServerNameList1=" + longName + "\r\n");
    EXPECT_EQ(s.NTPServerName, std::string(254, 'x'));
    EXPECT_EQ(s.NTPServerNameList[0], std::string(254, 'x'));
    EXPECT_EQ(s.currentIndex, 1);
}

// An empty or blank name would make the resolver answer with this computer.
TEST(NtpSettingsLoad, BlankServerNameReadsAsTheFirstListEntryOrTheDefault) {
    const struct {
        const char* file;
        const char* name;
        int index;
    } cases[] = {
        {"NTPServerName=\r\nNTPServerNameList1=a.example\r\n", "a.example", 1},
        {"NTPServerName=  \t\r\nNTPServerNameList1=a.example\r\n", "a.example", 1},
        {"NTPServerName=\r\nNTPServerNameList1=\r\n", "ntp.nict.jp", 0},
        {"NTPServerName=\r\n", "ntp.nict.jp", 1},
        {"NTPServerName=b.example\r\n", "b.example", 0},
    };
    for (const auto& c : cases) {
        const NtpSettings s = Load(std::string("[NTP_Setting]\r\n") + c.file);
        EXPECT_EQ(s.NTPServerName, c.name) << c.file;
        EXPECT_EQ(s.currentIndex, c.index) << c.file;
    }
    EXPECT_EQ(NtpServerCount(Load("[NTP_Setting]\r\nNTPServerNameList1=a\r\n"
                                  "NTPServerNameList2= \r\nNTPServerNameList3=c\r\n")),
              1)
        << "a blank entry ends the list like an empty one";
}

NtpSettings Edited() {
    NtpSettings s;
    s.SetLocalTime = 0;
    s.SetLocalTimeForcedUpdate = 1;
    s.NTPAutoUpdate = 0;
    s.NTPStartUpTimeAdjust = 0;
    s.SetNTPUpdateTime = 1;
    s.NTPTimeUpdateResultBallonHelpOn = 1;
    s.SetNTPHour = 23;
    s.SetNTPMinute = 59;
    s.SetNTPInterval = 7;
    s.SetNTPAccessMinuteTime = 5;
    s.NTPAccessRetryTime = 60;
    s.NTPServerNameList = {"a.example", "192.0.2.7", "c.example", "d.example", "e.example"};
    s.NTPServerName = "c.example";
    s.currentIndex = 3;
    return s;
}

TEST(NtpSettingsSave, WritesEveryKeyInTheFilesOrderAndReadsBackTheSame) {
    MemorySettingsStore store;
    ASSERT_TRUE(SaveNtpSettings(store, Edited()));
    std::vector<std::string> expected{"SetLocalTime",       "SetLocalTimeForcedUpdate",
                                      "NTPAutoUpdate",      "NTPStartUpTimeAdjust",
                                      "SetNTPUpdateTime",   "NTPTimeUpdateResultBallonHelpOn",
                                      "SetNTPHour",         "SetNTPMinute",
                                      "SetNTPInterval",     "SetNTPAccessMinuteTime",
                                      "NTPAccessRetryTime", "NTPServerName"};
    for (int n = 1; n <= 20; ++n) {
        expected.push_back("NTPServerNameList" + std::to_string(n));
    }
    EXPECT_EQ(KeysInOrder(store.Text()), expected);
    EXPECT_NE(store.Text().find("NTPServerNameList6=\r\n"), std::string::npos);

    NtpSync sync;
    LoadNtpSettings(store, sync);
    EXPECT_EQ(sync.Settings(), Edited());
}

TEST(NtpSettingsSave, BlankEntriesAreNotWrittenBeforeOthers) {
    NtpSettings s = Edited();
    s.NTPServerNameList[1] = "";
    s.NTPServerNameList[3] = " ";
    MemorySettingsStore store;
    ASSERT_TRUE(SaveNtpSettings(store, s));
    const std::string text = store.Text();
    EXPECT_NE(text.find("NTPServerNameList2=c.example\r\nNTPServerNameList3=e.example\r\n"
                        "NTPServerNameList4=\r\n"),
              std::string::npos)
        << text;
    NtpSync sync;
    LoadNtpSettings(store, sync);
    EXPECT_EQ(NtpServerCount(sync.Settings()), 3) << "nothing after the gap is lost";
    EXPECT_EQ(sync.Settings().currentIndex, 2);
}

} // namespace
} // namespace zentrava
