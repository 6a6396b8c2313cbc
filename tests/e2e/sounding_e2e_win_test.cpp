// Alarms and time signals as the user meets them: the clock reaches the alarm's minute, the
// sound plays on the alarm channel, the balloon tells why, Esc stops the sound, and a one-shot
// alarm is off afterwards; bad sound files are reported and never take the clock or another
// alarm down; a custom time signal sounds on its own channel at its second.

#include "e2e/e2e_support.h"
#include "resources/commands.h"
#include "sound/test_sounds_win.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace zentrava::e2e {
namespace {

constexpr UINT kTrayIconId = 100;

// Alarm 1: once on 2024-06-01 at 07:05 with a balloon; alarm 2: every day at 23:00, so that
// a test can check nothing of it is rewritten.
std::string AlarmIni(const std::string& soundFile) {
    return "[Alarm_Setting]\r\nAlarmOn01=1\r\nAlarmYear01=2024\r\nAlarmMonth01=6\r\n"
           "AlarmDay01=1\r\nAlarmHour01=7\r\nAlarmMinute01=5\r\nAlarmType01=0\r\n"
           "AlarmBallonHelpDisp01=1\r\nAlarmNotifyWay01=0\r\nAlarmMemo01=Wake up\r\n"
           "AlarmOn02=1\r\nAlarmHour02=23\r\nAlarmMinute02=0\r\nAlarmType02=1\r\n"
           "AlarmMemo02=Second alarm\r\n"
           "[Sound_Setting]\r\nAlarmSoundFile1=" +
           soundFile + "\r\nAlarmSoundFile2=" + soundFile + "\r\n";
}

// Stages the test build with the given sound file (written beside it) and the INI made for
// that file's path.
template <typename MakeIni>
::testing::AssertionResult StartWithSound(ZentravaSession& session, const std::string& name,
                                          const std::vector<unsigned char>& bytes,
                                          MakeIni makeIni) {
    if (!session.Stage(ProgramPath(kTestBuild), "Zentrava")) {
        return ::testing::AssertionFailure() << session.lastError();
    }
    const std::string sound = session.dir() + name;
    if (!WriteFileBytes(sound, bytes) || !session.WriteIni(makeIni(sound))) {
        return ::testing::AssertionFailure() << "cannot write the sound or the settings";
    }
    if (!session.Launch() || session.WaitForMainWindow() == nullptr) {
        return ::testing::AssertionFailure() << session.lastError();
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult StartWithAlarm(ZentravaSession& session, const std::string& name,
                                          const std::vector<unsigned char>& bytes) {
    return StartWithSound(session, name, bytes, &AlarmIni);
}

// Brings the clock to three seconds before the alarm's minute.
bool BringToAlarm(const ZentravaSession& session) {
    const SYSTEMTIME before{2024, 6, 6, 1, 7, 4, 57, 0};
    return session.LoadClocks(before);
}

void PressEscape() {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &keys[0], sizeof(INPUT));
    Sleep(300); // held over several ticks
    SendInput(1, &keys[1], sizeof(INPUT));
}

TEST(Alarm, FiresOnTimeSoundsNotifiesStopsOnEscAndSwitchesItselfOff) {
    ZentravaSession session;
    // Long enough to still sound when Esc comes.
    ASSERT_TRUE(StartWithAlarm(session, "bell.wav", ToneWav(8.0)));
    ASSERT_TRUE(WaitForTrayIcon(session.mainWindow(), kTrayIconId).has_value());
    ForgetCapture();
    ASSERT_TRUE(BringToAlarm(session));

    std::string log = session.WaitForLogLine("mci play", 8000);
    const std::size_t open = log.find("mci open Zentrava_User_Mode_AlarmSound 0");
    ASSERT_NE(open, std::string::npos) << log;
    EXPECT_NE(log.find("mci play", open), std::string::npos);
    // Not before its minute: the tick of 07:04:59.950 came first.
    const std::size_t lastBefore = log.find("tick 2024-06-01 07:04:59.950");
    ASSERT_NE(lastBefore, std::string::npos);
    EXPECT_LT(lastBefore, open);
    EXPECT_EQ(log.find("mci-box"), std::string::npos) << log;

    const std::optional<BalloonSeen> balloon = WaitForBalloon(6000);
    ASSERT_TRUE(balloon.has_value());
    EXPECT_EQ(balloon->title, "\x83\x41\x83\x89\x81\x5B\x83\x80"); // アラーム
    // "アラームの時刻7時05分になりました。" CR LF "Wake up".
    EXPECT_EQ(balloon->text, "\x83\x41\x83\x89\x81\x5B\x83\x80\x82\xCC\x8E\x9E\x8D\x8F"
                             "7\x8E\x9E"
                             "05\x95\xAA\x82\xC9\x82\xC8\x82\xE8\x82\xDC\x82\xB5\x82\xBD\x81"
                             "\x42\r\nWake up");

    PressEscape();
    log = session.WaitForLogLine("command " + std::to_string(kCmdStopAlarm), 3000);
    EXPECT_NE(log.find("mci close"), std::string::npos) << log;

    // Only the one-shot's switch was written, at once.
    EXPECT_EQ(session.IniNumber("Alarm_Setting", "AlarmOn01"), 0);
    EXPECT_EQ(session.IniNumber("Alarm_Setting", "AlarmOn02"), 1);
    EXPECT_EQ(session.IniString("Alarm_Setting", "AlarmMemo02"), "Second alarm");
    ExpectClosesCleanly(session);

    if (!CapturePath().empty()) {
        const Capture c = ReadCapture(CapturePath());
        EXPECT_TRUE(c.found);
        EXPECT_GT(c.soundFrames, 0u) << "the alarm reached the sound output";
        EXPECT_GT(c.level, 1000.0);
    }
}

// The MP3 is made by sox before the tests (cmake/windows.cmake); the WAV by the test.
TEST(Alarm, SoundEndingByItselfClosesTheChannel) {
    const std::string mp3Path = ProgramPath("test_sounds\\tone.mp3");
    const std::vector<unsigned char> mp3 = ReadFileBytes(mp3Path);
    ASSERT_FALSE(mp3.empty()) << mp3Path;
    for (const auto& [name, bytes] : {std::pair{std::string("bell.wav"), ToneWav(0.5)},
                                      std::pair{std::string("bell.mp3"), mp3}}) {
        SCOPED_TRACE(name);
        ZentravaSession session;
        ASSERT_TRUE(StartWithAlarm(session, name, bytes));
        ASSERT_TRUE(BringToAlarm(session));
        const std::string log = session.WaitForLogLine("mci close", 10000);
        const std::size_t notify = log.find("mci notify 1 ");
        ASSERT_NE(notify, std::string::npos) << "a successful notification\n" << log;
        EXPECT_NE(log.find("mci close", notify), std::string::npos) << log;
        EXPECT_EQ(log.find("mci-box"), std::string::npos) << log;
        ExpectClosesCleanly(session);
    }
}

// Each is reported (or refused by MCI) and the clock keeps running; alarm 2 is untouched.
TEST(Alarm, BadSoundFilesNeverStopTheClock) {
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        bool expectBox;
    };
    const std::vector<unsigned char> noise(4096, 0x5A);
    const Case cases[] = {
        {"bell.xyz", ToneWav(0.5), true}, // no device type: the open fails
        {"noise.mp3", noise, false},      // whatever MCI makes of it
        {"empty.wav", {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ZentravaSession session;
        ASSERT_TRUE(StartWithAlarm(session, c.name, c.bytes));
        ASSERT_TRUE(BringToAlarm(session));
        session.WaitForLogLine("command " + std::to_string(kCmdStartAlarmSound), 8000);
        if (const std::optional<MessageBoxInfo> box = session.WaitForMessageBox(3000)) {
            // "Zentrava MCI Commandエラーメッセージ"
            EXPECT_EQ(box->caption.rfind("Zentrava MCI Command", 0), 0u);
            EXPECT_EQ(box->text.rfind("MMSYSTEM Err No.", 0), 0u) << box->text;
            EXPECT_TRUE(session.DismissMessageBox(box->hwnd));
            // A second box for the close-all, if that failed too.
            while (const auto more = session.WaitForMessageBox(1000)) {
                session.DismissMessageBox(more->hwnd);
            }
            EXPECT_NE(session.EventLogText().value_or("").find("mci close-all"), std::string::npos);
        } else {
            EXPECT_FALSE(c.expectBox) << "the error box";
        }
        // Still ticking afterwards.
        session.WaitForLogLine("tick 2024-06-01 07:05:03", 8000);
        EXPECT_NE(session.EventLogText().value_or("").find("tick 2024-06-01 07:05:03"),
                  std::string::npos);
        EXPECT_EQ(session.IniNumber("Alarm_Setting", "AlarmOn02"), 1);
        EXPECT_EQ(session.IniString("Alarm_Setting", "AlarmMemo02"), "Second alarm");
        ExpectClosesCleanly(session);
    }
}

// Custom time signal 1 at 07:mm:ss, whole seconds; no hourly chime.
std::string CustomTimeSignalAt(const std::string& soundFile, int minute, int second) {
    return "[Time_Signal_Setting]\r\nTimeSignalSoundFile=" + soundFile +
           "\r\nTimeSignalOn01=1\r\nTimeSignalHour01=7\r\nTimeSignalMinute01=" +
           std::to_string(minute) + "\r\nTimeSignalSecond01=" + std::to_string(second) + "\r\n";
}

std::string CustomTimeSignalIni(const std::string& soundFile) {
    return CustomTimeSignalAt(soundFile, 5, 10);
}

TEST(TimeSignal, CustomSignalSoundsAtItsSecondOnTheTimeSignalChannel) {
    ZentravaSession session;
    ASSERT_TRUE(StartWithSound(session, "chime.wav", ToneWav(0.5), &CustomTimeSignalIni));
    ASSERT_TRUE(session.LoadClocks(SYSTEMTIME{2024, 6, 6, 1, 7, 5, 7, 0}));
    const std::string log = session.WaitForLogLine("mci close", 10000);
    const std::size_t open = log.find("mci open Zentrava_User_Mode_TimeSignalSound 0");
    ASSERT_NE(open, std::string::npos) << log;
    const std::size_t lastBefore = log.find("tick 2024-06-01 07:05:09.950");
    ASSERT_NE(lastBefore, std::string::npos) << log;
    EXPECT_LT(lastBefore, open) << "not before its second";
    // A tick's line is written when the next one starts: the open came within 07:05:10.000.
    EXPECT_LT(open, log.find("tick 2024-06-01 07:05:10.050")) << "not after it";
    EXPECT_NE(log.find("command " + std::to_string(kCmdStartTimeSignalSound)), std::string::npos);
    EXPECT_EQ(log.find("mci-box"), std::string::npos) << log;
    // It ends by itself and the channel closes.
    EXPECT_NE(log.find("mci close", open), std::string::npos);
    ExpectClosesCleanly(session);
}

// The device id the event log gives for the channel's last successful open, or "".
std::string OpenedDevice(const std::string& log, const std::string& alias) {
    const std::string line = "mci open " + alias + " 0 ";
    const std::size_t at = log.rfind(line);
    if (at == std::string::npos) {
        return {};
    }
    const std::size_t id = at + line.size();
    return log.substr(id, log.find('\n', id) - id);
}

struct Overlap {
    const char* what;
    bool chimeIsLong; // else the alarm's sound is the long one
    int chimeMinute;  // the custom time signal at 07:mm:ss; the alarm sounds at 07:05:00
    int chimeSecond;
    const char* longAlias;  // sounds throughout
    const char* shortAlias; // ends by itself meanwhile
    int stopLong;           // the long sound's stop command
    int stopShort;          // the short sound's stop and start commands
    int startShort;
};

void PrintTo(const Overlap& o, std::ostream* out) {
    *out << o.what;
}

class SoundsOverlap : public ::testing::TestWithParam<Overlap> {};

// Wine's device names no device when a play ends, so while two sounds are open only the window
// a notification arrives at can tell whose it is. The sound that ends closes its own channel
// alone; its stop and its next start then go through without an error box, and the other
// sound plays on until its own stop.
TEST_P(SoundsOverlap, TheSoundThatEndsClosesAloneAndTheOtherPlaysOn) {
    const Overlap& o = GetParam();
    ZentravaSession session;
    ASSERT_TRUE(session.Stage(ProgramPath(kTestBuild), "Zentrava")) << session.lastError();
    const std::string alarm = session.dir() + "bell.wav";
    const std::string chime = session.dir() + "chime.wav";
    // The long one far outlasts the test, even delivered in bursts.
    ASSERT_TRUE(WriteFileBytes(alarm, ToneWav(o.chimeIsLong ? 0.5 : 30.0)));
    ASSERT_TRUE(WriteFileBytes(chime, ToneWav(o.chimeIsLong ? 30.0 : 0.5)));
    ASSERT_TRUE(session.WriteIni(AlarmIni(alarm) +
                                 CustomTimeSignalAt(chime, o.chimeMinute, o.chimeSecond)));
    ASSERT_TRUE(session.Launch() && session.WaitForMainWindow() != nullptr) << session.lastError();
    ASSERT_TRUE(session.LoadClocks(SYSTEMTIME{2024, 6, 6, 1, 7, 4, 57, 0}));

    std::string log = session.WaitForLogLine("mci open " + std::string(o.shortAlias), 8000);
    const std::string longId = OpenedDevice(log, o.longAlias);
    const std::string shortId = OpenedDevice(log, o.shortAlias);
    ASSERT_FALSE(longId.empty()) << log;
    ASSERT_FALSE(shortId.empty()) << log;
    log = session.WaitForLogLine("mci close " + shortId + "\n", 10000);
    const std::size_t shortEnd = log.find("mci close " + shortId + "\n");
    ASSERT_NE(shortEnd, std::string::npos) << "the short sound's channel closed\n" << log;
    EXPECT_EQ(log.find("mci close " + longId + "\n"), std::string::npos) << log;

    // Its stop finds nothing to stop, its start plays again: no box, nothing else closed.
    EXPECT_EQ(session.Command(o.stopShort), LRESULT{1});
    EXPECT_EQ(session.Command(o.startShort), LRESULT{1});
    EXPECT_FALSE(session.WaitForMessageBox(1000).has_value());

    // The long sound still plays when its stop comes, and the stop closes it.
    const std::size_t stopAt = log.size();
    EXPECT_TRUE(session.Command(o.stopLong).has_value());
    log = session.WaitForLogLine("mci close " + longId + "\n", 3000);
    const std::size_t playing = log.find("mci mode " + longId + " 526\n", stopAt);
    ASSERT_NE(playing, std::string::npos) << "still playing at its stop\n" << log;
    EXPECT_NE(log.find("mci close " + longId + "\n", playing), std::string::npos) << log;
    EXPECT_EQ(log.find("mci-box"), std::string::npos) << log;
    EXPECT_EQ(log.find("mci close-all"), std::string::npos) << log;
    ExpectClosesCleanly(session);
}

INSTANTIATE_TEST_SUITE_P(
    Wine, SoundsOverlap,
    ::testing::Values(Overlap{"ChimeEndsDuringAlarm", false, 5, 2, "Zentrava_User_Mode_AlarmSound",
                              "Zentrava_User_Mode_TimeSignalSound", kCmdStopAlarm,
                              kCmdStopTimeSignalSound, kCmdStartTimeSignalSound},
                      Overlap{"AlarmEndsDuringChime", true, 4, 59,
                              "Zentrava_User_Mode_TimeSignalSound", "Zentrava_User_Mode_AlarmSound",
                              kCmdStopTimeSignalSound, kCmdStopAlarm, kCmdStartAlarmSound}),
    [](const auto& param) { return std::string(param.param.what); });

} // namespace
} // namespace zentrava::e2e
