// The interval alarm and the noodle timer as a user meets them: a second-0 interval starts on
// the clock's whole minute and fires with its sound, balloon and tooltip line; the menu switch
// stops it and is saved at once; a failing sound never nests one error box in another; the
// noodle timer rings once with its balloon and a cancel keeps it quiet; and the settings page.

#include "base/test_hooks.h"
#include "e2e/sheet_support.h"
#include "sound/test_sounds_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace zentrava::e2e {
namespace {

constexpr UINT kTrayIconId = 100;
constexpr const char* kSection = "Interval_Alarm_Setting";

std::string IntervalIni(const std::string& sound, int seconds, int just0) {
    return std::string("[Interval_Alarm_Setting]\r\nIntervalAlarmOn=1\r\nIntervalAlarmHour=0\r\n"
                       "IntervalAlarmMinute=0\r\nIntervalAlarmSecond=") +
           std::to_string(seconds) +
           "\r\nIntervalAlarmBalloonHelp=1\r\nIntervalAlarmJust0Second=" + std::to_string(just0) +
           "\r\nIntervalAlarmSoundFile=" + sound + "\r\nNoodleTimerSoundFile=" + sound + "\r\n";
}

::testing::AssertionResult StartWith(ZentravaSession& session, const std::string& soundName,
                                     const std::vector<unsigned char>& bytes, int seconds,
                                     int just0, const std::string& more = {}) {
    if (!session.Stage(ProgramPath(kTestBuild), "Zentrava")) {
        return ::testing::AssertionFailure() << session.lastError();
    }
    const std::string sound = session.dir() + soundName;
    if (!WriteFileBytes(sound, bytes) ||
        !session.WriteIni(IntervalIni(sound, seconds, just0) + more)) {
        return ::testing::AssertionFailure() << "cannot write the sound or the settings";
    }
    if (!session.Launch() || session.WaitForMainWindow() == nullptr) {
        return ::testing::AssertionFailure() << session.lastError();
    }
    return ::testing::AssertionSuccess();
}

// The clock time of the first log line that starts with `event` after `from`, in
// milliseconds of the day; nothing when there is none.
std::optional<long> EventTime(const std::string& log, const std::string& event,
                              std::size_t from = 0, std::size_t* at = nullptr) {
    const std::size_t p = log.find(event + " ", from);
    if (p == std::string::npos) {
        return std::nullopt;
    }
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    if (std::sscanf(log.c_str() + p + event.size() + 1, "%d-%d-%d %d:%d:%d.%d", &y, &mo, &d, &h,
                    &mi, &s, &ms) != 7) {
        return std::nullopt;
    }
    if (at != nullptr) {
        *at = p;
    }
    return ((h * 60L + mi) * 60L + s) * 1000L + ms;
}

constexpr long At(int h, int m, int s) {
    return ((h * 60L + m) * 60L + s) * 1000L;
}

TEST(IntervalAlarm, SecondZeroIntervalStartsOnTheMinuteFiresAndStopsWithTheMenu) {
    ZentravaSession session;
    ASSERT_TRUE(StartWith(session, "tone.wav", ToneWav(0.5), 2, 1));
    ASSERT_TRUE(WaitForTrayIcon(session.mainWindow(), kTrayIconId).has_value());
    ForgetCapture();
    ASSERT_TRUE(session.LoadClocks(SYSTEMTIME{2024, 6, 6, 1, 7, 4, 58, 0}));

    // Between the start and the firing the tooltip names the firing's time.
    // 次回のインターバルアラーム時刻 7時05分02秒
    const std::string nextLine = "\x8E\x9F\x89\xF1\x82\xCC\x83\x43\x83\x93\x83\x5E\x81\x5B\x83"
                                 "\x6F\x83\x8B\x83\x41\x83\x89\x81\x5B\x83\x80\x8E\x9E\x8D\x8F"
                                 " 7\x8E\x9E"
                                 "05\x95\xAA"
                                 "02\x95\x62";
    // The day of the loaded clock, so a start at a whole minute of the real time before the
    // load cannot be taken for it.
    const std::string day = " 2024-06-01 07:0";
    session.WaitForLogLine("interval-start" + day + "5:00", 5000);
    const bool tipShown = WaitFor(
        [&] {
            const std::optional<TrayIcon> icon = FindTrayIcon(session.mainWindow(), kTrayIconId);
            return icon && icon->tip.find(nextLine) != std::string::npos;
        },
        2500);
    EXPECT_TRUE(tipShown) << "the tooltip's next-time line";

    std::string log = session.WaitForLogLine("interval-fire" + day + "5:0", 5000);
    std::size_t startAt = 0;
    const std::optional<long> start =
        EventTime(log, "interval-start", log.find("interval-start" + day), &startAt);
    const std::optional<long> fire = EventTime(log, "interval-fire", startAt);
    ASSERT_TRUE(start && fire) << log;
    EXPECT_GE(*start, At(7, 5, 0)) << "not before second 0";
    EXPECT_LT(*start, At(7, 5, 0) + 300);
    EXPECT_GE(*fire - *start, 1900) << log;
    EXPECT_LE(*fire - *start, 2400) << log;
    EXPECT_NE(log.find("command " + std::to_string(kCmdStartAlarmSound), startAt),
              std::string::npos);

    const std::optional<BalloonSeen> balloon = WaitForBalloon(6000);
    ASSERT_TRUE(balloon.has_value());
    EXPECT_EQ(balloon->title, "Zentrava\x83"
                              "C\x83\x93\x83^\x81[\x83o\x83\x8B\x83"
                              "A\x83\x89\x81[\x83\x80");
    // インターバルアラーム、0時間00分02秒経過しました。
    EXPECT_EQ(balloon->text, "\x83"
                             "C\x83\x93\x83^\x81[\x83o\x83\x8B\x83"
                             "A\x83\x89\x81[\x83\x80\x81"
                             "A0\x8E\x9E\x8A\xD4"
                             "00\x95\xAA"
                             "02\x95"
                             "b\x8Co\x89\xDF\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81"
                             "B");

    // The next interval waits for the next second 0: bring the clock to it.
    ASSERT_TRUE(session.LoadClocks(SYSTEMTIME{2024, 6, 6, 1, 7, 5, 59, 0}));
    ASSERT_TRUE(WaitFor(
        [&] { return Count(session.EventLogText().value_or(""), "interval-fire" + day) >= 2; },
        5000));
    log = session.EventLogText().value_or("");
    std::size_t secondStartAt = 0;
    const std::optional<long> secondStart =
        EventTime(log, "interval-start", startAt + 1, &secondStartAt);
    const std::optional<long> secondFire = EventTime(log, "interval-fire", secondStartAt);
    ASSERT_TRUE(secondStart && secondFire) << log;
    EXPECT_GE(*secondStart, At(7, 6, 0));
    EXPECT_GE(*secondFire, At(7, 6, 2) - 100);
    EXPECT_LE(*secondFire, At(7, 6, 2) + 400);

    // The menu switch: saved at once, and no firing follows.
    ASSERT_TRUE(session.Command(kCmdIntervalAlarm).has_value());
    EXPECT_EQ(session.IniNumber(kSection, "IntervalAlarmOn"), 0);
    ASSERT_TRUE(session.LoadClocks(SYSTEMTIME{2024, 6, 6, 1, 7, 6, 59, 0}));
    session.WaitForLogLine("tick 2024-06-01 07:07:03", 6000);
    EXPECT_EQ(Count(session.EventLogText().value_or(""), "interval-fire" + day), 2u);
    ExpectClosesCleanly(session);

    if (!CapturePath().empty()) {
        const Capture c = ReadCapture(CapturePath());
        EXPECT_TRUE(c.found);
        EXPECT_GT(c.soundFrames, 0u) << "the interval's sound reached the output";
    }
}

// A sound MCI cannot open shows its error box; the box's own message loop dispatches the next
// firing, which must not open a second box inside the first.
TEST(IntervalAlarm, AFailingSoundShowsOneBoxNotOneInsideAnother) {
    ZentravaSession session;
    ASSERT_TRUE(StartWith(session, "bell.xyz", ToneWav(0.5), 1, 0));
    const std::optional<MessageBoxInfo> box = session.WaitForMessageBox(5000);
    ASSERT_TRUE(box.has_value()) << "the MCI error box";
    Sleep(3500); // three more periods of the interval
    EXPECT_EQ(session.MessageBoxes().size(), 1u);
    EXPECT_EQ(Count(session.EventLogText().value_or(""), "interval-fire "), 1u);
    // Switched off from inside the box's loop, so nothing follows once it is gone.
    ASSERT_TRUE(session.Command(kCmdIntervalAlarm).has_value());
    for (const MessageBoxInfo& open : session.MessageBoxes()) {
        session.DismissMessageBox(open.hwnd);
    }
    while (const auto more = session.WaitForMessageBox(1000)) {
        session.DismissMessageBox(more->hwnd);
    }
    ExpectClosesCleanly(session);
}

bool PresetNoodle(const ZentravaSession& session, std::int32_t seconds) {
    return session.CopyData(hooks::kPresetNoodleTimer, &seconds, sizeof seconds).value_or(0) == 1;
}

TEST(NoodleTimer, RingsOnceWithItsBalloonAndSoundAndACancelKeepsItQuiet) {
    ZentravaSession session;
    // The interval alarm is off: only the noodle timer uses the sound.
    ASSERT_TRUE(StartWith(session, "tone.wav", ToneWav(0.5), 0, 1));
    ASSERT_TRUE(WaitForTrayIcon(session.mainWindow(), kTrayIconId).has_value());
    ForgetCapture();
    EXPECT_FALSE(PresetNoodle(session, 2)) << "nothing runs yet";
    ASSERT_TRUE(session.Command(kCmdNoodle3).has_value());
    ASSERT_TRUE(PresetNoodle(session, 2));

    std::string log = session.WaitForLogLine("noodle-fire", 5000);
    const std::size_t fired = log.find("noodle-fire");
    ASSERT_NE(fired, std::string::npos) << log;
    EXPECT_NE(log.find("command " + std::to_string(kCmdStartAlarmSound), fired), std::string::npos);
    const std::optional<BalloonSeen> balloon = WaitForBalloon(6000);
    ASSERT_TRUE(balloon.has_value());
    EXPECT_EQ(balloon->title, "\x83\x89\x81[\x83\x81\x83\x93\x83^\x83"
                              "C\x83}\x81[");
    EXPECT_EQ(balloon->text, "3\x95\xAA\x8Co\x89\xDF\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81"
                             "B");
    EXPECT_FALSE(PresetNoodle(session, 2)) << "idle again after ringing";

    // Started again and cancelled with a second left: it never rings.
    ASSERT_TRUE(session.Command(kCmdNoodle5).has_value());
    ASSERT_TRUE(PresetNoodle(session, 1));
    ASSERT_TRUE(session.Command(kCmdNoodleCancel).has_value());
    Sleep(2500);
    EXPECT_EQ(Count(session.EventLogText().value_or(""), "noodle-fire"), 1u);
    ExpectClosesCleanly(session);

    if (!CapturePath().empty()) {
        const Capture c = ReadCapture(CapturePath());
        EXPECT_TRUE(c.found);
        EXPECT_GT(c.soundFrames, 0u) << "the noodle sound reached the output";
    }
}

constexpr int kIntervalPage = 5;
constexpr int kHourEdit = 1531;
constexpr int kMinuteEdit = 1541;
constexpr int kSecondEdit = 1939;
constexpr int kOnBox = 1941;
constexpr int kNoodleSoundName = 2164;

TEST(IntervalNoodlePage, RefusesBadNumbersAppliesInOrderAndCancelRestores) {
    ZentravaSession session;
    ASSERT_TRUE(StartWith(session, "tone.wav", ToneWav(0.5), 0, 1,
                          "[Window_Position]\r\nAudioFilePropertySheetPos=5\r\n"));
    OpenSheet open = OpenSettings(session);
    ASSERT_NE(open.sheet, nullptr) << "no settings sheet";
    EXPECT_EQ(Text(open.page, kNoodleSoundName), "tone.wav");
    Screenshot(open.sheet, "interval_noodle_page.bmp");

    const struct {
        int control;
        const char* typed;
        const char* message;
    } refused[] = {
        {kHourEdit, "25", "時間の設定は0～24迄です。"},
        {kHourEdit, "3a", "時間の設定は0～24迄です。"},
        {kSecondEdit, "", "秒の設定は0～59です。"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.typed);
        Type(open.page, c.control, c.typed);
        PostMessageA(open.sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
        const std::optional<MessageBoxInfo> box = WaitForProgramMessage(session);
        ASSERT_TRUE(box.has_value()) << "no message";
        EXPECT_EQ(box->text, c.message);
        ASSERT_TRUE(session.DismissMessageBox(box->hwnd));
        EXPECT_EQ(session.IniNumber(kSection, "IntervalAlarmHour"), 0) << "nothing written";
        Type(open.page, c.control, "1");
    }

    Type(open.page, kHourEdit, "24");
    Type(open.page, kMinuteEdit, "5");
    Type(open.page, kSecondEdit, "7");
    PressApply(open.sheet);
    const std::string ini = session.IniText().value_or("");
    const char* order[] = {"IntervalAlarmOn=",         "IntervalAlarmHour=24",
                           "IntervalAlarmMinute=5",    "IntervalAlarmSecond=7",
                           "IntervalAlarmBalloonHelp", "IntervalAlarmJust0Second",
                           "IntervalAlarmSoundFile",   "NoodleTimerSoundFile"};
    std::size_t last = 0;
    for (const char* key : order) {
        const std::size_t at = ini.find(key);
        ASSERT_NE(at, std::string::npos) << key << "\n" << ini;
        EXPECT_GT(at, last) << key;
        last = at;
    }

    // A change then Cancel: the switch the menu shows is as it was applied.
    SendMessageA(GetDlgItem(open.page, kOnBox), BM_CLICK, 0, 0);
    Type(open.page, kMinuteEdit, "9");
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));
    EXPECT_EQ(session.IniNumber(kSection, "IntervalAlarmMinute"), 5);
    open = OpenSettings(session);
    ASSERT_NE(open.sheet, nullptr);
    EXPECT_EQ(Text(open.page, kMinuteEdit), "5") << "the live record kept what was applied";
    EXPECT_EQ(SendMessageA(GetDlgItem(open.page, kOnBox), BM_GETCHECK, 0, 0), BST_CHECKED);
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));
    ExpectClosesCleanly(session);
}

} // namespace
} // namespace zentrava::e2e
