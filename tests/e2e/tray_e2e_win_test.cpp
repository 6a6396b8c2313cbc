// The clock's notification-area icon as the user meets it: there while the program runs, the
// way back to a clock put into the tray, its tooltip and its balloons.

#include "base/test_hooks.h"
#include "base/win_handles_win.h"
#include "e2e/e2e_support.h"
#include "resources/commands.h"
#include "resources/resource.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <string>

namespace zentrava::e2e {
namespace {

constexpr UINT kTrayIconId = 100;

TEST(Tray, IconLivesAsLongAsTheProgram) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava"));
    HWND main = session.mainWindow();
    const std::optional<TrayIcon> icon = WaitForTrayIcon(main, kTrayIconId);
    ASSERT_TRUE(icon.has_value());
    EXPECT_EQ(icon->callbackMessage, static_cast<UINT>(WM_APP + 2));
    // The date-time line: "2026年12月8日(火) 13時05分" and the like.
    EXPECT_NE(icon->tip.find("\x94\x4E"), std::string::npos) << icon->tip; // 年
    EXPECT_NE(icon->tip.find("\x8E\x9E"), std::string::npos) << icon->tip; // 時
    // Without the tray clock the fixed picture shows, and stays when a refresh is asked for.
    const UniqueLibrary exe(
        LoadLibraryExA(session.exePath().c_str(), nullptr,
                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(exe);
    const UniqueIcon fixed(static_cast<HICON>(
        LoadImageA(exe.get(), MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON, 16, 16, 0)));
    ASSERT_TRUE(fixed);
    EXPECT_EQ(TrayIconShows(*icon, fixed.get()), std::optional<bool>(true));
    ASSERT_TRUE(session.Send(WM_APP + 11, 0, 0).has_value()); // the tray clock's refresh
    EXPECT_EQ(TrayIconShows(*icon, fixed.get()), std::optional<bool>(true));
    ExpectClosesCleanly(session);
    EXPECT_TRUE(WaitForTrayIconGone(main, kTrayIconId));
    // Wine drops the icons of a destroyed window by itself: the log shows the program's own.
    EXPECT_NE(session.EventLogText().value_or("").find("tray-delete"), std::string::npos);
}

TEST(Tray, IconiseHidesTheClockAndTheIconsDoubleClickBringsItBack) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava"));
    HWND main = session.mainWindow();
    ASSERT_TRUE(WaitForTrayIcon(main, kTrayIconId).has_value());
    ASSERT_TRUE(session.Command(kCmdIconise));
    EXPECT_FALSE(session.WaitForState([](const WindowState& w) { return !w.visible; }).visible);
    EXPECT_TRUE(TrayIconPresent(main, kTrayIconId));

    ASSERT_TRUE(DoubleClickTrayIcon(main, kTrayIconId));
    EXPECT_TRUE(session.WaitForState([](const WindowState& w) { return w.visible; }).visible);
    ExpectClosesCleanly(session);
    EXPECT_EQ(session.IniNumber("Window_Position", "WindowDispOn"), 1);
}

TEST(Tray, IconComesBackWhenTheTaskBarIsRestarted) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava"));
    HWND main = session.mainWindow();
    ASSERT_TRUE(WaitForTrayIcon(main, kTrayIconId).has_value());
    ASSERT_TRUE(ForgetTrayIcon(main, kTrayIconId));
    ASSERT_TRUE(WaitForTrayIconGone(main, kTrayIconId));
    ASSERT_TRUE(BroadcastTaskbarCreated());
    EXPECT_TRUE(WaitForTrayIcon(main, kTrayIconId, 6000).has_value());
    ExpectClosesCleanly(session);
}

TEST(Tray, TwoBalloonsDueOnOneTickArriveAsOne) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava"));
    ASSERT_TRUE(WaitForTrayIcon(session.mainWindow(), kTrayIconId).has_value());
    // The time signal's request first: the balloon still lists the alarm first.
    ASSERT_TRUE(session.CopyDataText(hooks::kRequestBalloons, "1 It is noon\n0 Wake up"));
    const std::optional<BalloonSeen> balloon = WaitForBalloon(8000);
    ASSERT_TRUE(balloon.has_value());
    // "アラーム, 時報" in CP932.
    EXPECT_EQ(balloon->title, "\x83\x41\x83\x89\x81\x5B\x83\x80, \x8E\x9E\x95\xF1");
    EXPECT_EQ(balloon->text, "Wake up\r\nIt is noon");
    EXPECT_EQ(balloon->infoFlags, static_cast<DWORD>(NIIF_INFO));
    const std::string log = session.EventLogText().value_or("");
    const std::size_t first = log.find("balloon-shown");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(log.find("balloon-shown", first + 1), std::string::npos) << "exactly one balloon";
    ExpectClosesCleanly(session);
}

} // namespace
} // namespace zentrava::e2e
