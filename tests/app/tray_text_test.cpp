#include "app/tray_text.h"

#include "face/digital_text.h"

#include <gtest/gtest.h>

#include <string>

namespace zentrava {
namespace {

ClockTimeRecord At(int year, int month, int day, int weekday, int hour, int minute) {
    ClockTimeRecord r;
    r.Year = year;
    r.Month = month;
    r.Day = day;
    r.DayOfWeek = weekday;
    r.Hour = hour;
    r.Minute = minute;
    return r;
}

TrayStatus Playing(std::string path) {
    TrayStatus s;
    s.audioPlaying = true;
    s.audioFilePath = std::move(path);
    return s;
}

TrayStatus IntervalFrom(int hour, int minute, int second, int intervalSeconds) {
    TrayStatus s;
    s.intervalAlarmOn = true;
    s.intervalStarted = true;
    s.startHour = hour;
    s.startMinute = minute;
    s.startSecond = second;
    s.intervalSeconds = intervalSeconds;
    return s;
}

// \r\n [♪
const std::string kSongOpen = "\r\n [\x81\xF4";
// \r\n次回のインターバルアラーム時刻 (then " %d時%02d分%02d秒")
const std::string kIntervalOpen =
    "\r\n\x8E\x9F\x89\xF1\x82\xCC\x83\x43\x83\x93\x83\x5E\x81\x5B"
    "\x83\x6F\x83\x8B\x83\x41\x83\x89\x81\x5B\x83\x80\x8E\x9E\x8D\x8F";

TEST(TrayTipText, DateTimeLineNamesTheWeekdayForTheMainFont) {
    const struct {
        ClockTimeRecord time;
        int charSet;
        std::string expected;
    } cases[] = {
        // 2024年3月9日(土) 9時05分
        {At(2024, 3, 9, 6, 9, 5), kShiftJisCharSet,
         "2024\x94\x4E"
         "3\x8C\x8E"
         "9\x93\xFA(\x93\x79) 9\x8E\x9E"
         "05\x95\xAA"},
        // 1999年12月31日(金) 23時59分
        {At(1999, 12, 31, 5, 23, 59), kShiftJisCharSet,
         "1999\x94\x4E"
         "12\x8C\x8E"
         "31\x93\xFA(\x8B\xE0) 23\x8E\x9E"
         "59\x95\xAA"},
        // A font without kanji still gets the date in kanji, but the weekday in English.
        {At(2030, 1, 6, 0, 0, 0), 0,
         "2030\x94\x4E"
         "1\x8C\x8E"
         "6\x93\xFA(Sun) 0\x8E\x9E"
         "00\x95\xAA"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DateTimeLine(c.time, c.charSet), c.expected) << c.time.Year;
    }
}

TEST(TrayTipText, SongPartShowsTheFileNameWithoutFolderOrExtension) {
    const struct {
        std::string path;
        std::string name;
    } cases[] = {
        {"C:\\Music\\song.mp3", "song"},
        {"C:\\Music\\my.best.song.wma", "my.best.song"},
        {"C:\\Music\\no extension", "no extension"},
        {"C:/Music/forward.mid", "forward"},
        {"song.wav", "song"},
        // Folder 表 (95 5C) and ソ (83 5C): their second byte is not a separator.
        {"C:\\\x95\x5C\\\x83\x5C\x83\x74\x83\x67\\a.mp3", "a"},
        {"C:\\Music\\\x95\x5C\x83\x5C", "\x95\x5C\x83\x5C"},
        {"C:\\Music\\\x83\x5C.mp3", "\x83\x5C"},
        {"\x95\x5C.d\\x.y\\\x83\x5C.b.mp3", "\x83\x5C.b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SongPart(Playing(c.path)), kSongOpen + c.name + "]") << c.path;
    }
    TrayStatus stopped = Playing("C:\\Music\\song.mp3");
    stopped.audioPlaying = false;
    EXPECT_EQ(SongPart(stopped), "");
}

TEST(TrayTipText, IntervalPartShowsTheNextFiringAndWrapsPastMidnight) {
    const struct {
        TrayStatus status;
        std::string clock; // " %d時%02d分%02d秒" spelled with h/m/s
    } cases[] = {
        {IntervalFrom(9, 59, 59, 1), " 10h00m00s"},
        {IntervalFrom(12, 0, 0, 5 * 60 + 7), " 12h05m07s"},
        {IntervalFrom(23, 50, 30, 15 * 60), " 0h05m30s"},
        {IntervalFrom(23, 0, 0, 3600), " 0h00m00s"},
        {IntervalFrom(10, 0, 0, 30 * 3600), " 16h00m00s"},
        {IntervalFrom(0, 0, 0, 99 * 3600 + 59 * 60 + 59), " 3h59m59s"},
    };
    for (const auto& c : cases) {
        std::string expected = kIntervalOpen + c.clock;
        // 時 分 秒
        expected.replace(expected.find('h', kIntervalOpen.size()), 1, "\x8E\x9E");
        expected.replace(expected.find('m', kIntervalOpen.size()), 1, "\x95\xAA");
        expected.replace(expected.find('s', kIntervalOpen.size()), 1, "\x95\x62");
        EXPECT_EQ(IntervalPart(c.status), expected) << c.clock;
    }
}

TEST(TrayTipText, IntervalPartOnlyWhileTheNextFiringIsKnown) {
    TrayStatus s = IntervalFrom(8, 0, 0, 60);
    s.intervalAlarmOn = false;
    EXPECT_EQ(IntervalPart(s), "");

    // Second-0 mode: nothing until the first second 0 has started it.
    s = IntervalFrom(8, 0, 0, 60);
    s.intervalJust0Second = true;
    s.intervalStarted = false;
    EXPECT_EQ(IntervalPart(s), "");
    s.intervalStarted = true;
    EXPECT_NE(IntervalPart(s), "");

    // Started at once in the other mode, so the mark does not matter.
    s.intervalJust0Second = false;
    s.intervalStarted = false;
    EXPECT_NE(IntervalPart(s), "");

    // An all-zero interval never runs, so it has no next firing to show.
    s = IntervalFrom(8, 0, 0, 0);
    EXPECT_EQ(IntervalPart(s), "");
}

TEST(TrayTip, AddTipLeavesOutTheIntervalRefreshTipHasItAll) {
    const ClockTimeRecord now = At(2024, 3, 9, 6, 9, 5);
    TrayStatus s = IntervalFrom(9, 0, 0, 600);
    s.audioPlaying = true;
    s.audioFilePath = "C:\\m\\a.mp3";
    const std::string line = DateTimeLine(now, kShiftJisCharSet);
    EXPECT_EQ(TrayAddTip(now, kShiftJisCharSet, s), line + SongPart(s));
    EXPECT_EQ(TrayRefreshTip(now, kShiftJisCharSet, s), line + SongPart(s) + IntervalPart(s));
    s.audioPlaying = false;
    s.intervalAlarmOn = false;
    EXPECT_EQ(TrayAddTip(now, kShiftJisCharSet, s), line);
    EXPECT_EQ(TrayRefreshTip(now, kShiftJisCharSet, s), line);
}

TEST(TrayTip, LongTipIsCutAtTheFieldWithoutSplittingACharacter) {
    const ClockTimeRecord now = At(2024, 12, 31, 2, 23, 59);
    const std::string head = DateTimeLine(now, kShiftJisCharSet) + kSongOpen;

    // ASCII name: cut right after the 126th byte, the interval line lost entirely.
    TrayStatus s = IntervalFrom(23, 0, 0, 3600);
    s.audioPlaying = true;
    s.audioFilePath = "C:\\m\\" + std::string(200, 'x') + ".mp3";
    const std::string whole = head + std::string(200, 'x') + "]" + IntervalPart(s);
    EXPECT_EQ(TrayRefreshTip(now, kShiftJisCharSet, s), whole.substr(0, 126));
    EXPECT_EQ(TrayAddTip(now, kShiftJisCharSet, s), whole.substr(0, 126));

    // Double-byte name starting one byte off: 表 would take bytes 126 and 127, so it goes.
    const std::string pad((head.size() + 1) % 2, 'x');
    std::string kanji = pad;
    for (int i = 0; i < 60; ++i) {
        kanji += "\x95\x5C";
    }
    s.audioFilePath = "C:\\m\\" + kanji + ".mp3";
    const std::string tip = TrayRefreshTip(now, kShiftJisCharSet, s);
    ASSERT_EQ(tip.size(), 125u);
    EXPECT_EQ(tip, (head + kanji).substr(0, 125));

    // Short texts pass through whole.
    EXPECT_EQ(FitTooltip("abc"), "abc");
    EXPECT_EQ(FitTooltip(std::string(126, 'y')), std::string(126, 'y'));
}

TEST(ShellTip, HandsTheShellOnlyATipThatDiffersFromWhatItHolds) {
    ShellTip tip;
    EXPECT_TRUE(tip.Take("9時05分")) << "the shell holds nothing yet";
    EXPECT_FALSE(tip.Take("9時05分")) << "the same second of the same minute";
    EXPECT_TRUE(tip.Take("9時06分"));
    tip.Forget(); // a failed hand-over or a deleted icon
    EXPECT_TRUE(tip.Take("9時06分"));
    tip.Held("added"); // an add hands its own text over
    EXPECT_FALSE(tip.Take("added"));
    EXPECT_TRUE(tip.Take("9時06分"));
}

TEST(TrayTip, FaceTooltipKeepsWhatTheShellsFieldCannotHold) {
    const ClockTimeRecord now = At(2024, 12, 31, 2, 23, 59);
    std::string kanji;
    for (int i = 0; i < 80; ++i) {
        kanji += "\x95\x5C";
    }
    for (const std::string& name : {std::string(200, 'x'), kanji, std::string("short")}) {
        TrayStatus s = IntervalFrom(23, 0, 0, 3600);
        s.audioPlaying = true;
        s.audioFilePath = "C:\\m\\" + name + ".mp3";
        const std::string whole =
            DateTimeLine(now, kShiftJisCharSet) + SongPart(s) + IntervalPart(s);
        EXPECT_EQ(FaceTooltipText(now, kShiftJisCharSet, s), whole) << name.size();
        EXPECT_EQ(TrayRefreshTip(now, kShiftJisCharSet, s), FitTooltip(whole)) << name.size();
    }
}

} // namespace
} // namespace zentrava
