// The two property sheets opened from the clock's commands: their pages, the page they open on,
// and the page remembered for the next start.

#include "e2e/e2e_support.h"
#include "resources/commands.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace zentrava::e2e {
namespace {

constexpr const char* kSettingsCaption = "アラーム、時報、オーディオ、時間帯、その他の設定";
constexpr const char* kDateTimeCaption = "日付と時刻の設定";

HWND WaitForSheet(const ZentravaSession& session, const std::string& caption,
                  DWORD timeoutMs = 5000) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    do {
        for (HWND w : session.process().TopLevelWindows("#32770")) {
            if (IsWindowVisible(w) && WindowText(w) == caption) {
                return w;
            }
        }
        Sleep(20);
    } while (GetTickCount64() < end);
    return nullptr;
}

HWND Tabs(HWND sheet) {
    return FindWindowExA(sheet, nullptr, "SysTabControl32", nullptr);
}

int TabCount(HWND sheet) {
    return static_cast<int>(SendMessageA(Tabs(sheet), TCM_GETITEMCOUNT, 0, 0));
}

int ShownPage(HWND sheet) {
    return static_cast<int>(SendMessageA(Tabs(sheet), TCM_GETCURSEL, 0, 0));
}

// Cancel, as the button does it; true once the sheet is gone.
bool CancelSheet(HWND sheet) {
    PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
    const ULONGLONG end = GetTickCount64() + 3000;
    while (IsWindow(sheet) && GetTickCount64() < end) {
        Sleep(20);
    }
    return !IsWindow(sheet);
}

std::string IniWithStartPage(int page) {
    return "[Window_Position]\r\nAudioFilePropertySheetPos=" + std::to_string(page) + "\r\n";
}

// Opens the settings sheet (posted: it is modal) and returns the page it shows.
int OpenedPage(ZentravaSession& session, HWND& sheet) {
    session.Post(WM_COMMAND, kCmdSettingsSheet, 0);
    sheet = WaitForSheet(session, kSettingsCaption);
    return sheet == nullptr ? -1 : ShownPage(sheet);
}

TEST(SettingsSheet, HasItsEightPagesAndReopensOnTheLastOneAfterARestart) {
    ZentravaSession first;
    ASSERT_TRUE(StartCopy(first, kTestBuild, "Zentrava", IniWithStartPage(7)));
    HWND sheet = nullptr;
    EXPECT_EQ(OpenedPage(first, sheet), 7) << "the time-zone page was active last";
    ASSERT_NE(sheet, nullptr) << "no settings sheet";
    EXPECT_EQ(TabCount(sheet), 8);
    EXPECT_EQ(ReadWindowState(sheet).owner, first.mainWindow());
    if (const char* shots = std::getenv("ZENTRAVA_SCREENSHOT_DIR")) {
        RECT r{};
        GetWindowRect(sheet, &r);
        SaveScreenBmp(std::string(shots) + "\\settings_sheet.bmp", r);
    }
    PostMessageA(sheet, PSM_SETCURSEL, 2, 0);
    const ULONGLONG end = GetTickCount64() + 3000;
    while (ShownPage(sheet) != 2 && GetTickCount64() < end) {
        Sleep(20);
    }
    ASSERT_TRUE(CancelSheet(sheet));
    ExpectClosesCleanly(first);
    ASSERT_EQ(first.IniNumber("Window_Position", "AudioFilePropertySheetPos"), 2);

    ZentravaSession second;
    ASSERT_TRUE(StartCopy(second, kTestBuild, "Zentrava", *first.IniText()));
    EXPECT_EQ(OpenedPage(second, sheet), 2);
    ASSERT_TRUE(CancelSheet(sheet));
    ExpectClosesCleanly(second);
}

TEST(SettingsSheet, ARememberedPageThatDoesNotExistOpensTheFirst) {
    for (int saved : {8, -1}) {
        ZentravaSession session;
        ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", IniWithStartPage(saved)));
        HWND sheet = nullptr;
        EXPECT_EQ(OpenedPage(session, sheet), 0) << saved;
        ASSERT_NE(sheet, nullptr);
        ASSERT_TRUE(CancelSheet(sheet));
        ExpectClosesCleanly(session);
        EXPECT_EQ(session.IniNumber("Window_Position", "AudioFilePropertySheetPos"), 0);
    }
}

TEST(DateTimeSheet, OpensOnItsFirstOfTwoPagesAndLeavesTheSettingsPageAlone) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", IniWithStartPage(5)));
    session.Post(WM_COMMAND, kCmdDateTimeSheet, 0);
    HWND sheet = WaitForSheet(session, kDateTimeCaption);
    ASSERT_NE(sheet, nullptr) << "no date-and-time sheet";
    EXPECT_EQ(TabCount(sheet), 2);
    EXPECT_EQ(ShownPage(sheet), 0);
    PostMessageA(sheet, PSM_SETCURSEL, 1, 0);
    Sleep(200);
    ASSERT_TRUE(CancelSheet(sheet));
    ExpectClosesCleanly(session);
    EXPECT_EQ(session.IniNumber("Window_Position", "AudioFilePropertySheetPos"), 5);
}

// The menu's "alarms off" leaves every alarm switched on but not armed. Opening and cancelling
// the settings sheet without touching an alarm must not arm them again.
TEST(SettingsSheet, CancelLeavesAlarmsTheMenuSwitchedOffOff) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                          "[Alarm_Setting]\r\nAlarmOn01=1\r\nAlarmYear01=2024\r\n"
                          "AlarmMonth01=6\r\nAlarmDay01=1\r\nAlarmHour01=7\r\n"
                          "AlarmMinute01=5\r\nAlarmType01=0\r\n"));
    ASSERT_TRUE(session.Command(kCmdToggleAlarms).has_value());
    HWND sheet = nullptr;
    OpenedPage(session, sheet);
    ASSERT_NE(sheet, nullptr) << "no settings sheet";
    ASSERT_TRUE(CancelSheet(sheet));

    // A one-shot alarm that fires switches itself off in the file at once.
    const SYSTEMTIME before{2024, 6, 6, 1, 7, 4, 57, 0};
    const auto alarmOn = [&session] { return session.IniNumber("Alarm_Setting", "AlarmOn01"); };
    ASSERT_TRUE(session.LoadClocks(before)) << session.lastError();
    session.WaitForLogLine("tick 2024-06-01 07:05:01", 8000);
    EXPECT_EQ(alarmOn(), 1) << "the alarm fired after cancel";

    // The same alarm does fire once the menu arms it again.
    ASSERT_TRUE(session.Command(kCmdToggleAlarms).has_value());
    ASSERT_TRUE(session.LoadClocks(before)) << session.lastError();
    EXPECT_TRUE(WaitFor([&] { return alarmOn() == 0; }, 8000));
    ExpectClosesCleanly(session);
}

} // namespace
} // namespace zentrava::e2e
