// The main clock window as a user meets it: its menu, its commands, and what it keeps for the
// next start.

#include "e2e/e2e_support.h"
#include "resources/commands.h"
#include "sound/test_sounds_win.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace zentrava::e2e {
namespace {

// The popup menu window ("#32768") of our process, once it is on screen.
HWND WaitForPopupMenu(const ZentravaSession& session, DWORD timeoutMs = 3000) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    do {
        for (HWND w : session.process().TopLevelWindows("#32768")) {
            if (IsWindowVisible(w)) {
                return w;
            }
        }
        Sleep(20);
    } while (GetTickCount64() < end);
    return nullptr;
}

TEST(MainWindow, RightClickOpensTheMenuAtTheClickAndItClosesAgain) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava"));
    const WindowState s = session.WaitForState([](const WindowState& w) { return w.visible; });
    const int x = s.rect.left + 30;
    const int y = s.rect.top + 40;
    // Posted: the menu runs its own loop inside the handler.
    ASSERT_TRUE(session.Post(WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(x, y)));
    HWND menu = WaitForPopupMenu(session);
    ASSERT_NE(menu, nullptr) << "no menu appeared";
    RECT r{};
    GetWindowRect(menu, &r);
    EXPECT_EQ(r.left, x);
    EXPECT_EQ(r.top, y);
    EXPECT_GT(r.bottom - r.top, 200) << "the menu holds every item";

    ASSERT_TRUE(session.Post(WM_CANCELMODE, 0, 0));
    const ULONGLONG end = GetTickCount64() + 3000;
    while (IsWindowVisible(menu) && GetTickCount64() < end) {
        Sleep(20);
    }
    EXPECT_FALSE(IsWindowVisible(menu));
    ExpectClosesCleanly(session);
}

TEST(MainWindow, ExitSavesVolumesAndPlacement) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava"));
    ASSERT_EQ(session.Command(kCmdExit), 1);
    const std::optional<DWORD> code = session.WaitForExit();
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    for (const char* key : {"AudioVolumeVal", "AlarmVolumeVal", "TimeSignalVolumeVal"}) {
        EXPECT_EQ(session.IniNumber("Sound_Volume_Setting", key), 500) << key;
    }
    for (const char* key : {"MuteAudio", "MuteAlarm", "MuteTimeSignal", "OtherSoundMuteAudio"}) {
        EXPECT_EQ(session.IniNumber("Sound_Volume_Setting", key), 0) << key;
    }
    EXPECT_EQ(session.IniNumber("Sound_Volume_Setting", "VariousSoundAdjSync"), 1);
    EXPECT_EQ(session.IniNumber("Window_Position", "Window_X_Pos"), 200);
    EXPECT_EQ(session.IniNumber("Window_Position", "Window_Width"), 128);
    EXPECT_EQ(session.IniNumber("Window_Position", "AudioFilePropertySheetPos"), 0);
}

TEST(MainWindow, ShowHideCommandHidesAndShowsTheClock) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava"));
    session.WaitForState([](const WindowState& w) { return w.visible; });
    ASSERT_EQ(session.Command(kCmdShowHide), 1);
    EXPECT_FALSE(session.WaitForState([](const WindowState& w) { return !w.visible; }).visible);
    ASSERT_EQ(session.Command(kCmdShowHide), 1);
    EXPECT_TRUE(session.WaitForState([](const WindowState& w) { return w.visible; }).visible);
    ASSERT_EQ(session.Command(kCmdShowHide), 1);
    ExpectClosesCleanly(session);
    EXPECT_EQ(session.IniNumber("Window_Position", "WindowDispOn"), 0);
}

TEST(MainWindow, SecondRunStartsWhereTheFirstWasLeft) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava"));
    session.WaitForState([](const WindowState& w) { return w.visible; });
    SetWindowPos(session.mainWindow(), nullptr, 333, 222, 150, 150, SWP_NOZORDER | SWP_NOACTIVATE);
    session.WaitForState([](const WindowState& w) { return w.rect.left == 333; });
    ExpectClosesCleanly(session);

    ASSERT_TRUE(session.Launch()) << session.lastError();
    ASSERT_NE(session.WaitForMainWindow(), nullptr) << session.lastError();
    const WindowState s = session.WaitForState([](const WindowState& w) { return w.visible; });
    EXPECT_EQ(s.rect.left, 333);
    EXPECT_EQ(s.rect.top, 222);
    EXPECT_EQ(s.width(), 150);
    EXPECT_EQ(s.height(), 150);
    ExpectClosesCleanly(session);
}

TEST(MainWindow, UnknownCommandsAnswerOneAndChangeNothing) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava"));
    const WindowState before = session.WaitForState([](const WindowState& w) { return w.visible; });
    for (int id : {0, 1, 40000, 40001, 40003, 40099, 65535}) {
        EXPECT_EQ(session.Command(id), 1) << id;
    }
    const WindowState after = session.MainState();
    EXPECT_TRUE(EqualRect(&before.rect, &after.rect));
    EXPECT_EQ(before.visible, after.visible);
    EXPECT_EQ(before.exStyle, after.exStyle);
    EXPECT_TRUE(session.process().Running());
    ExpectClosesCleanly(session);
}

TEST(MainWindow, CancelledSessionEndKeepsTheClockAndARealOneEndsItOnce) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava"));
    ASSERT_TRUE(session.Send(WM_ENDSESSION, FALSE, 0).has_value());
    const std::string before = session.WaitForLogLine("tick ");
    Sleep(300);
    EXPECT_TRUE(session.process().Running());
    EXPECT_EQ(session.EventLogText().value_or("").find("tick-stop"), std::string::npos)
        << "the tick was stopped though the session goes on";

    ASSERT_TRUE(session.Send(WM_ENDSESSION, TRUE, 0).has_value());
    const std::optional<DWORD> code = session.WaitForExit();
    ASSERT_TRUE(code.has_value()) << "a real end of the session must end the program";
    EXPECT_EQ(*code, 0u);
    const std::string log = session.EventLogText().value_or("");
    const auto first = log.find("tick-stop");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(log.find("tick-stop", first + 1), std::string::npos) << "stopped twice";
    EXPECT_EQ(session.IniNumber("Sound_Volume_Setting", "AudioVolumeVal"), 500);
}

// Once the session's end has its answer, Windows may end the program at any moment: by then
// everything kept at exit must be in the file.
TEST(MainWindow, SessionEndIsAnsweredOnlyOnceEverythingIsSaved) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava"));
    session.WaitForState([](const WindowState& w) { return w.visible; });
    SetWindowPos(session.mainWindow(), nullptr, 345, 234, 140, 140, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(
        session.WaitForState([](const WindowState& w) { return w.rect.left == 345; }).rect.left,
        345);

    const std::optional<LRESULT> answer = session.Send(WM_ENDSESSION, TRUE, 0);
    session.process().Terminate();
    ASSERT_TRUE(answer.has_value()) << session.lastError();
    EXPECT_EQ(session.IniNumber("Window_Position", "Window_X_Pos"), 345);
    EXPECT_EQ(session.IniNumber("Window_Position", "Window_Y_Pos"), 234);
    EXPECT_EQ(session.IniNumber("Window_Position", "Window_Width"), 140);
    EXPECT_EQ(session.IniNumber("Window_Position", "AudioFilePropertySheetPos"), 0);
    EXPECT_EQ(session.IniNumber("Sound_Volume_Setting", "OtherSoundMuteAudio"), 0);
}

// A machine woken by a wake timer reports only the automatic resume until a person comes; the
// clock must run (and its alarms fire) from then on, and the person's resume later must not
// start anything a second time.
TEST(MainWindow, UnattendedWakeRunsTheClockAndAlarmsOnceAPersonComesNothingRestarts) {
    ZentravaSession session;
    ASSERT_TRUE(session.Stage(ProgramPath(kTestBuild), "Zentrava")) << session.lastError();
    const std::string sound = session.dir() + "bell.wav";
    ASSERT_TRUE(WriteFileBytes(sound, ToneWav(0.3)));
    ASSERT_TRUE(session.WriteIni("[Alarm_Setting]\r\nAlarmOn01=1\r\nAlarmYear01=2024\r\n"
                                 "AlarmMonth01=6\r\nAlarmDay01=1\r\nAlarmHour01=7\r\n"
                                 "AlarmMinute01=5\r\nAlarmType01=0\r\n"
                                 "[Sound_Setting]\r\nAlarmSoundFile1=" +
                                 sound + "\r\n"));
    ASSERT_TRUE(session.Launch()) << session.lastError();
    ASSERT_NE(session.WaitForMainWindow(), nullptr) << session.lastError();
    session.WaitForLogLine("tick-start");

    EXPECT_EQ(session.Send(WM_POWERBROADCAST, PBT_APMSUSPEND, 0), TRUE);
    std::string log = session.WaitForLogLine("tick-stop");
    ASSERT_NE(log.find("tick-stop"), std::string::npos) << log;
    EXPECT_EQ(session.Send(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0), TRUE);
    log = session.EventLogText().value_or("");
    EXPECT_EQ(Count(log, "tick-start"), 2u) << log;
    EXPECT_EQ(Count(log, "load resume"), 1u) << log;

    const SYSTEMTIME beforeAlarm{2024, 6, 6, 1, 7, 4, 57, 0};
    ASSERT_TRUE(session.LoadClocks(beforeAlarm));
    const std::string started = "command " + std::to_string(kCmdStartAlarmSound);
    log = session.WaitForLogLine(started, 8000);
    EXPECT_NE(log.find(started, log.find("load hook")), std::string::npos)
        << "the alarm fired after the wake\n"
        << log;

    EXPECT_EQ(session.Send(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0), TRUE);
    Sleep(300);
    log = session.EventLogText().value_or("");
    EXPECT_EQ(Count(log, "tick-start"), 2u) << log;
    EXPECT_EQ(Count(log, "load resume"), 1u) << log;
    ExpectClosesCleanly(session);
}

} // namespace
} // namespace zentrava::e2e
