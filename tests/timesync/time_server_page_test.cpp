#include "timesync/time_server_page.h"

#include "clock/calendar.h"
#include "timesync/sntp_math.h"
#include "timesync/sntp_packet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentrava {
namespace {

using Entries = std::vector<std::string>;

NtpSettings WithList(const Entries& entries, const std::string& current) {
    NtpSettings s;
    s.NTPServerNameList = {};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        s.NTPServerNameList[i] = entries[i];
    }
    s.NTPServerName = current;
    AdoptServerEntries(s, entries, -1);
    return s;
}

// The page's delete: the entry leaves the box, the box selects its neighbour, the settings
// follow the box.
int DeleteEntry(NtpSettings& s, Entries& box, int selected) {
    box.erase(box.begin() + selected);
    const int selection = SelectionAfterDelete(selected, static_cast<int>(box.size()));
    AdoptServerEntries(s, box, selection);
    return selection;
}

TEST(TimeServerPageList, TheBoxShowsTheLeadingEntriesInTheFilesOrder) {
    NtpSettings s;
    s.NTPServerNameList = {};
    s.NTPServerNameList[0] = "b.example";
    s.NTPServerNameList[1] = "a.example";
    s.NTPServerNameList[3] = "after.a.gap";
    EXPECT_EQ(ServerListEntries(s), (Entries{"b.example", "a.example"}));
    EXPECT_EQ(ServerListEntries(NtpSettings{}).size(), 3u);
}

TEST(TimeServerPageList, DeletingSelectsTheNeighbourAndTheCurrentServerFollows) {
    struct Case {
        int deleted;
        int selection;
        const char* current;
        Entries left;
    };
    const Case cases[] = {
        {0, 0, "b", {"b", "c"}},
        {1, 1, "c", {"a", "c"}},
        {2, 1, "b", {"a", "b"}}, // the last one: the new last is selected
    };
    for (const Case& c : cases) {
        Entries box{"a", "b", "c"};
        NtpSettings s = WithList(box, "a");
        const int selection = DeleteEntry(s, box, c.deleted);
        EXPECT_EQ(selection, c.selection) << c.deleted;
        EXPECT_EQ(s.NTPServerName, c.current) << c.deleted;
        EXPECT_EQ(s.currentIndex, c.selection + 1) << c.deleted;
        EXPECT_EQ(ServerListEntries(s), c.left) << c.deleted;
        EXPECT_EQ(s.NTPServerNameList[2], "") << "the list shrinks with the box";
    }
}

TEST(TimeServerPageList, DeletingTheOnlyEntryKeepsTheServerOutsideTheList) {
    Entries box{"127.0.0.1"};
    NtpSettings s = WithList(box, "127.0.0.1");
    ASSERT_EQ(s.currentIndex, 1);
    EXPECT_EQ(DeleteEntry(s, box, 0), -1);
    EXPECT_EQ(NtpServerCount(s), 0);
    EXPECT_EQ(s.currentIndex, 0);
    EXPECT_EQ(s.NTPServerName, "127.0.0.1") << "still the server to ask";
}

TEST(TimeServerPageList, WithoutASelectionTheCurrentIndexIsFoundByName) {
    EXPECT_EQ(WithList({"a", "b", "c"}, "c").currentIndex, 3);
    EXPECT_EQ(WithList({"a", "b", "c"}, "C").currentIndex, 0) << "as the loader matches";
    EXPECT_EQ(WithList({"a", "b"}, "z").currentIndex, 0);
    EXPECT_EQ(WithList({"a", "b"}, "z").NTPServerName, "z");
}

TEST(TimeServerPageList, BlankEntriesOfTheBoxNeverReachTheList) {
    NtpSettings s;
    AdoptServerEntries(s, Entries{"a", "", "  ", "d"}, 3);
    EXPECT_EQ(ServerListEntries(s), (Entries{"a", "d"}));
    EXPECT_EQ(s.NTPServerName, "d");
    EXPECT_EQ(s.currentIndex, 2);
    AdoptServerEntries(s, Entries{"a", "", "c"}, 1);
    EXPECT_EQ(ServerListEntries(s), (Entries{"a", "c"}));
    EXPECT_EQ(s.NTPServerName, "d") << "a blank selection is no selection";
    EXPECT_EQ(s.currentIndex, 0);
}

TEST(TimeServerPageList, NamesMatchIgnoringTheCaseOfLettersOnly) {
    const Entries box{"ntp.nict.jp", "127.0.0.1", "\x83\x41.example"};
    EXPECT_EQ(FindServerEntry(box, "NTP.NICT.jp"), 0);
    EXPECT_EQ(FindServerEntry(box, "127.0.0.1"), 1);
    EXPECT_EQ(FindServerEntry(box, "127.0.0.10"), std::nullopt);
    EXPECT_EQ(FindServerEntry(box, "ntp.nict.jp."), std::nullopt);
    EXPECT_EQ(FindServerEntry(box, "\x83\x41.EXAMPLE"), 2);
    // 0x83 0x61 is another katakana: its second byte is not the letter it looks like.
    EXPECT_EQ(FindServerEntry(box, "\x83\x61.example"), std::nullopt);
}

TEST(TimeServerPageList, AnAnsweringServerIsSelectedAddedOrRefusedWhenTheListIsFull) {
    const Entries three{"a.example", "b.example", "c.example"};
    const ServerAfterReply known = DecideServerAfterReply(three, "B.example");
    EXPECT_EQ(known.kind, ServerAfterReply::Kind::Select);
    EXPECT_EQ(known.index, 1);
    EXPECT_EQ(DecideServerAfterReply(three, "d.example").kind, ServerAfterReply::Kind::Add);

    Entries full;
    for (int i = 0; i < kNtpServerListSize; ++i) {
        full.push_back("s" + std::to_string(i));
    }
    EXPECT_EQ(DecideServerAfterReply(full, "new").kind, ServerAfterReply::Kind::ListFull);
    EXPECT_EQ(DecideServerAfterReply(full, "s19").kind, ServerAfterReply::Kind::Select)
        << "a full list still takes a server it holds";
    full.pop_back();
    EXPECT_EQ(DecideServerAfterReply(full, "new").kind, ServerAfterReply::Kind::Add);
}

TEST(TimeServerPageList, AnAddedServerTakesThePlaceTheBoxGaveIt) {
    NtpSettings s = WithList({"b", "d"}, "d");
    // The sorted box put "c" between them.
    AdoptServerEntries(s, Entries{"b", "c", "d"}, 1);
    EXPECT_EQ(ServerListEntries(s), (Entries{"b", "c", "d"}));
    EXPECT_EQ(s.currentIndex, 2);
    EXPECT_EQ(s.NTPServerName, "c");
}

TEST(TimeServerPageCancel, PutsBackSwitchesModeAndNumbersButNotTheList) {
    NtpSettings s = WithList({"a", "b"}, "b");
    s.SetNTPInterval = 45;
    const TimeServerPageCopy copy = TakePageCopy(s);

    NtpSettings edited = s;
    edited.SetLocalTime = 0;
    edited.SetLocalTimeForcedUpdate = 1;
    edited.NTPAutoUpdate = 0;
    edited.NTPStartUpTimeAdjust = 0;
    edited.NTPTimeUpdateResultBallonHelpOn = 1;
    edited.SetNTPUpdateTime = 0;
    edited.SetNTPHour = 7;
    edited.SetNTPMinute = 8;
    edited.SetNTPInterval = 9;
    edited.SetNTPAccessMinuteTime = 10;
    edited.NTPAccessRetryTime = 11;
    AdoptServerEntries(edited, Entries{"a"}, 0);
    ASSERT_NE(TakePageCopy(edited), copy) << "every field the copy holds was changed";

    RestorePageCopy(edited, copy);
    TimeServerPageCopy expected = copy;
    expected.currentIndex = 1;
    EXPECT_EQ(TakePageCopy(edited), expected);
    EXPECT_EQ(ServerListEntries(edited), Entries{"a"}) << "a deletion stays";
    EXPECT_EQ(edited.NTPServerName, "a");
    EXPECT_EQ(edited.currentIndex, 1) << "entry 2 is gone: the index follows the name";

    // A server added by a test stays current, and the index keeps naming it.
    NtpSettings added = WithList({"a", "b"}, "b");
    const TimeServerPageCopy beforeTest = TakePageCopy(added);
    AdoptServerEntries(added, Entries{"a", "b", "c"}, 2);
    RestorePageCopy(added, beforeTest);
    EXPECT_EQ(added.NTPServerName, "c");
    EXPECT_EQ(added.currentIndex, 3);

    // Only switches changed: everything is as it was.
    NtpSettings switches = WithList({"a", "b"}, "b");
    const TimeServerPageCopy untouched = TakePageCopy(switches);
    switches.NTPAutoUpdate = 0;
    RestorePageCopy(switches, untouched);
    EXPECT_EQ(TakePageCopy(switches), untouched);
}

TEST(TimeServerPageApply, NumbersAreStoredAsTypedWithoutARangeCheck) {
    NtpSettings s;
    ReadTypedNumbers(s, {"99", "-5", "1", "+7", "60"});
    EXPECT_EQ(s.SetNTPHour, 99);
    EXPECT_EQ(s.SetNTPMinute, -5);
    EXPECT_EQ(s.SetNTPInterval, 1) << "the schedule reads it as 3";
    EXPECT_EQ(NtpIntervalMinutes(s.SetNTPInterval), 3);
    EXPECT_EQ(s.SetNTPAccessMinuteTime, 7);
    EXPECT_EQ(s.NTPAccessRetryTime, 60);

    // The spin buttons reach three digits the edits cannot take typed.
    ReadTypedNumbers(s, {"", "x", "360", "-", "0"});
    EXPECT_EQ(s.SetNTPHour, 99) << "an empty edit keeps the value";
    EXPECT_EQ(s.SetNTPMinute, -5);
    EXPECT_EQ(s.SetNTPInterval, 360);
    EXPECT_EQ(s.SetNTPAccessMinuteTime, 7);
    EXPECT_EQ(s.NTPAccessRetryTime, 0);

    // Edits the user left alone leave their settings as they are, whatever the page shows.
    ReadTypedNumbers(s, {std::nullopt, "3", std::nullopt, std::nullopt, std::nullopt});
    EXPECT_EQ(s.SetNTPHour, 99);
    EXPECT_EQ(s.SetNTPMinute, 3);
    EXPECT_EQ(s.SetNTPInterval, 360);
    EXPECT_EQ(s.SetNTPAccessMinuteTime, 7);
    EXPECT_EQ(s.NTPAccessRetryTime, 0);
}

// JST, as the platform's conversion would give it here.
DateTime ToJst(std::int64_t fileTicks) {
    return FromFileTicks(fileTicks + 9 * 3600 * kTicksPerSecond);
}

std::int64_t Utc(int year, int month, int day, int hour, int minute, int second, int ms = 0) {
    return ToFileTicks(DateTime{year, month, 0, day, hour, minute, second, ms});
}

SntpExchangeResult Answer(std::int64_t t4, NtpTimestamp transmit) {
    SntpExchangeResult x;
    x.error = ExchangeError::None;
    x.t1 = t4 - 20 * kTicksPerMillisecond;
    x.t4 = t4;
    x.reply.stratum = 2;
    x.reply.referenceId = {192, 0, 2, 1};
    x.reply.precision = -20;
    x.reply.rootDelay = 0x00018000;
    x.reply.rootDispersion = 0x00004000;
    x.reply.reference = ToNtpTimestamp(t4 - 64 * kTicksPerSecond);
    x.reply.transmit = transmit;
    x.sample.offset = -2'500'000;
    x.sample.delay = 123'456;
    return x;
}

TEST(TimeServerPageReport, TimesAreLocalWithMillisecondsFromEachFraction) {
    const std::int64_t t4 = Utc(2026, 12, 8, 12, 30, 15, 456);
    NtpTimestamp transmit = ToNtpTimestamp(Utc(2026, 12, 8, 12, 30, 15));
    transmit.fraction = MillisecondsToFraction(123);
    ClockTimeRecord clock;
    clock.Year = 2026;
    clock.Hour = 21;
    const NtpReportData d =
        MakeNtpReportData("127.0.0.1", Answer(t4, transmit), SetResult::NotSet, clock, ToJst);

    EXPECT_EQ(d.server, "127.0.0.1");
    EXPECT_EQ(d.serverTime, (DateTime{2026, 12, 2, 8, 21, 30, 15, 123}));
    EXPECT_EQ(d.systemTime, (DateTime{2026, 12, 2, 8, 21, 30, 15, 456}));
    EXPECT_EQ(d.referenceTime.minute, 29);
    EXPECT_EQ(d.referenceTime.second, 11);
    EXPECT_EQ(d.clockTime.Hour, 21);
    EXPECT_DOUBLE_EQ(d.offsetSeconds, -0.25);
    EXPECT_DOUBLE_EQ(d.delaySeconds, 0.0123456);
    EXPECT_EQ(d.stratum, 2);
    EXPECT_EQ(d.referenceId, (std::array<std::uint8_t, 4>{192, 0, 2, 1}));
    EXPECT_EQ(d.precision, -20);
    EXPECT_EQ(d.rootDelay, 0x00018000u);
    EXPECT_EQ(d.result, SetResult::NotSet);

    const std::string report = NtpReportText(d);
    EXPECT_NE(report.find(" = 2026/12/08 21:30:15.123\r\n"), std::string::npos) << report;
    EXPECT_NE(report.find(" = 2026/12/08 21:30:15.456\r\n"), std::string::npos) << report;
    EXPECT_NE(report.find("[192.0.2.1]"), std::string::npos) << report;
}

TEST(TimeServerPageReport, TheLastFractionOfASecondStaysInThatSecond) {
    const std::int64_t t4 = Utc(2026, 12, 31, 14, 59, 59, 999);
    NtpTimestamp transmit = ToNtpTimestamp(Utc(2026, 12, 31, 14, 59, 59));
    transmit.fraction = 0xFFFFFFFFu;
    const NtpReportData d = MakeNtpReportData("s", Answer(t4, transmit), SetResult::Set, {}, ToJst);
    EXPECT_EQ(d.serverTime, (DateTime{2026, 12, 4, 31, 23, 59, 59, 999}))
        << "not 00:00:00 of the new year";
}

TEST(TimeServerPageReport, AServerTimeAfter2036IsReadInTheCurrentEra) {
    const std::int64_t t4 = Utc(2040, 2, 1, 0, 0, 0);
    const NtpReportData d = MakeNtpReportData("s", Answer(t4, ToNtpTimestamp(t4 + kTicksPerSecond)),
                                              SetResult::NotSet, {}, ToJst);
    EXPECT_EQ(d.serverTime.year, 2040);
    EXPECT_EQ(d.serverTime.hour, 9);
    EXPECT_EQ(d.serverTime.second, 1);
    EXPECT_EQ(d.referenceTime.year, 2040);
}

} // namespace
} // namespace zentrava
