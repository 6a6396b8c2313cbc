// The alarm notification window as the user meets it: the alarm fires, a window in the alarm's
// colours shows its text (or its picture with the text over it), only OK closes it, and the
// alarm sound plays on after it closed.

#include "e2e/e2e_support.h"
#include "resources/commands.h"
#include "sound/test_sounds_win.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace zentrava::e2e {
namespace {

constexpr COLORREF kWindowColour = RGB(0, 160, 0);
// "Zentrava アラーム通知".
const std::string kCaption = "Zentrava \x83\x41\x83\x89\x81\x5B\x83\x80\x92\xCA\x92\x6D";

// Alarm 1 every day at 07:30 in the notification window, with a long tone and, when given, a
// picture; both files are written beside the program.
::testing::AssertionResult StartWithNoticeAlarm(ZentravaSession& session,
                                                const std::string& pictureBmp) {
    if (!session.Stage(ProgramPath(kTestBuild), "Zentrava")) {
        return ::testing::AssertionFailure() << session.lastError();
    }
    const std::string sound = session.dir() + "bell.wav";
    const std::string picture = pictureBmp.empty() ? "" : session.dir() + "picture.bmp";
    std::string ini = "[Alarm_Setting]\r\nAlarmOn01=1\r\nAlarmHour01=7\r\nAlarmMinute01=30\r\n"
                      "AlarmType01=1\r\nAlarmBallonHelpDisp01=1\r\nAlarmNotifyWay01=1\r\n"
                      "AlarmMemo01=Wake up\r\nAlarmDlgColor01=" +
                      std::to_string(kWindowColour) +
                      "\r\n[Sound_Setting]\r\nAlarmSoundFile1=" + sound +
                      "\r\nAlarmPicFile1=" + picture + "\r\n";
    if (!WriteFileBytes(sound, ToneWav(8.0)) ||
        (!picture.empty() && !WriteWholeFile(picture, pictureBmp)) || !session.WriteIni(ini)) {
        return ::testing::AssertionFailure() << "cannot write the files";
    }
    if (!session.Launch() || session.WaitForMainWindow() == nullptr) {
        return ::testing::AssertionFailure() << session.lastError();
    }
    const SYSTEMTIME before{2024, 6, 6, 1, 7, 29, 57, 0};
    if (!session.LoadClocks(before)) {
        return ::testing::AssertionFailure() << session.lastError();
    }
    return ::testing::AssertionSuccess();
}

HWND WaitForNotice(const ZentravaSession& session, DWORD timeoutMs = 8000) {
    HWND notice = nullptr;
    WaitFor([&] { return (notice = FindDialog(session, kCaption)) != nullptr; }, timeoutMs);
    return notice;
}

TEST(Notification, AlarmOpensItsWindowThatOnlyOkCloses) {
    ZentravaSession session;
    ASSERT_TRUE(StartWithNoticeAlarm(session, {}));
    const HWND notice = WaitForNotice(session);
    ASSERT_NE(notice, nullptr) << "no notification window";
    EXPECT_EQ(GetWindow(notice, GW_OWNER), session.mainWindow());
    RECT r{};
    GetWindowRect(notice, &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    const std::string text = WindowText(GetDlgItem(notice, 1487));
    // "アラームの時刻7時30分になりました。" CR LF "Wake up".
    EXPECT_EQ(text, "\x83\x41\x83\x89\x81\x5B\x83\x80\x82\xCC\x8E\x9E\x8D\x8F"
                    "7\x8E\x9E"
                    "30\x95\xAA\x82\xC9\x82\xC8\x82\xE8\x82\xDC\x82\xB5\x82\xBD\x81"
                    "\x42\r\nWake up");
    // The window's own colour shows beside the text box.
    const RECT client = ClientOnScreen(notice);
    Sleep(300);
    const HDC screen = GetDC(nullptr);
    const COLORREF margin = GetPixel(screen, client.left + 2, client.bottom - 3);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(margin, kWindowColour);

    // Escape, the close box's message and a stray open request leave it as it is.
    SendMessageA(notice, WM_COMMAND, IDCANCEL, 0);
    SendMessageA(notice, WM_CLOSE, 0, 0);
    EXPECT_TRUE(session.Command(kCmdNotifyAlarm, 12345).has_value());
    EXPECT_TRUE(IsWindow(notice));
    EXPECT_EQ(FindDialog(session, kCaption), notice);

    SendMessageA(notice, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(notice); }, 3000));
    const std::string log = session.WaitForLogLine("mci play", 1000);
    EXPECT_EQ(log.find("command " + std::to_string(kCmdStopAlarm)), std::string::npos)
        << "closing the window must not stop the sound";
    ExpectClosesCleanly(session);
}

// A 100 x 50 picture: the client is 480 x 240, the picture fills it with the text over it
// instead of the text box, and OK lies inside.
TEST(Notification, PictureIsFittedWithTheTextDrawnOverIt) {
    ZentravaSession session;
    ASSERT_TRUE(
        StartWithNoticeAlarm(session, Bmp24(100, 50, [](int, int) { return RGB(255, 255, 0); })));
    const HWND notice = WaitForNotice(session);
    ASSERT_NE(notice, nullptr) << "no notification window";
    RECT client{};
    GetClientRect(notice, &client);
    EXPECT_EQ(client.right, 480);
    EXPECT_EQ(client.bottom, 240);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(notice, 1487)));
    RECT ok{};
    GetWindowRect(GetDlgItem(notice, IDOK), &ok);
    MapWindowPoints(nullptr, notice, reinterpret_cast<POINT*>(&ok), 2);
    EXPECT_GE(ok.left, 0);
    EXPECT_GE(ok.top, 0);
    EXPECT_LE(ok.right, client.right);
    EXPECT_LE(ok.bottom, client.bottom);

    Sleep(300);
    const RECT onScreen = ClientOnScreen(notice);
    const HDC screen = GetDC(nullptr);
    const COLORREF corner = GetPixel(screen, onScreen.left + 5, onScreen.top + 5);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(corner, RGB(255, 255, 0));
    EXPECT_GT(BlackPixelsOverPicture(notice), 20) << "the text over the picture";
    if (const char* shots = std::getenv("ZENTRAVA_SCREENSHOT_DIR")) {
        RECT window{};
        GetWindowRect(notice, &window);
        SaveScreenBmp(std::string(shots) + "\\notification.bmp", window);
    }
    SendMessageA(notice, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(notice); }, 3000));
    ExpectClosesCleanly(session);
}

} // namespace
} // namespace zentrava::e2e
