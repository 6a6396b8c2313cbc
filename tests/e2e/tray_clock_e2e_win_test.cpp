// The small clock in the notification area, as the user sees it in the tray: it follows the
// program's clock, leaves the tray's background alone round its dial, survives a restarted task
// bar and does not leak as it is redrawn.

#include "app/gdi_count_win.h"
#include "e2e/e2e_support.h"
#include "face/tray_clock_win.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace zentrava::e2e {
namespace {

constexpr UINT kTrayIconId = 100;
constexpr UINT kTrayClockMessage = WM_APP + 11;
constexpr std::uint32_t kBlue = 0x0000FF; // captured pixels are 0x00RRGGBB
// The dial's silver as the icon's 16-bit colour image keeps it.
constexpr std::uint32_t kDialGrey = 0xC6C6C6;

TEST(TrayClock, FollowsTheClockOverTheTraysBackgroundAndNeverLeaks) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                          "[Clock_Setting]\r\nTaskTrayIconClock=1\r\nSecondHandDispOnOff=0\r\n"));
    HWND main = session.mainWindow();
    ASSERT_TRUE(WaitForTrayIcon(main, kTrayIconId).has_value());
    const SYSTEMTIME beforeThree{2026, 12, 3, 9, 2, 59, 59, 0};
    ASSERT_TRUE(session.LoadClocks(beforeThree)) << session.lastError();
    session.WaitForLogLine("tray-clock 03:00", 5000);

    const UniqueIcon atThree = DrawTrayClockIcon(nullptr, 3, 0);
    ASSERT_TRUE(atThree);
    std::optional<TrayIcon> icon = FindTrayIcon(main, kTrayIconId);
    ASSERT_TRUE(icon.has_value());
    EXPECT_EQ(TrayIconShows(*icon, atThree.get()), std::optional<bool>(true));

    const std::optional<std::vector<std::uint32_t>> seen = CaptureTrayIcon(*icon);
    ASSERT_TRUE(seen.has_value());
    RECT r{};
    ASSERT_TRUE(GetWindowRect(icon->window, &r));
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    ASSERT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
    const int left = (width - 16) / 2;
    const int top = (height - 16) / 2;
    ASSERT_GT(left, 0) << "no margin to tell the tray's background by";
    const auto at = [&](int x, int y) {
        return (*seen)[static_cast<std::size_t>((top + y) * width + left + x)];
    };
    const std::uint32_t background = seen->front();
    // Outside the dial the tray shows through unchanged.
    int outside = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const double dx = x + 0.5 - 8;
            const double dy = y + 0.5 - 8;
            if (dx * dx + dy * dy > 64) {
                ++outside;
                EXPECT_EQ(at(x, y), background) << x << "," << y;
            }
        }
    }
    EXPECT_GT(outside, 0);
    // The hour hand points right; the left half of the dial is bare.
    for (const int x : {10, 11, 12, 13}) {
        EXPECT_EQ(at(x, 8), kBlue) << x;
    }
    EXPECT_EQ(at(4, 8), kDialGrey);

    // A load in the middle of a minute (a manual setting, a time change) shows at once.
    const SYSTEMTIME midMinute{2026, 12, 3, 9, 9, 0, 30, 0};
    ASSERT_TRUE(session.LoadClocks(midMinute)) << session.lastError();
    const UniqueIcon atNine = DrawTrayClockIcon(nullptr, 9, 0);
    ASSERT_TRUE(atNine);
    EXPECT_EQ(TrayIconShows(*icon, atNine.get(), 3000), std::optional<bool>(true));

    // The task bar restarted: the icon comes back as the clock, not the fixed picture.
    ASSERT_TRUE(ForgetTrayIcon(main, kTrayIconId));
    ASSERT_TRUE(WaitForTrayIconGone(main, kTrayIconId));
    ASSERT_TRUE(BroadcastTaskbarCreated());
    icon = WaitForTrayIcon(main, kTrayIconId, 6000);
    ASSERT_TRUE(icon.has_value());
    EXPECT_EQ(TrayIconShows(*icon, atNine.get()), std::optional<bool>(true));

    // Each redraw replaces the icon; none of the old ones or their bitmaps stays behind.
    const long before = SettledGdiObjectsOf(session.process().handle());
    ASSERT_GT(before, 0) << "GDI objects cannot be counted here";
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(session.Send(kTrayClockMessage, 0, 0).has_value()) << i;
    }
    EXPECT_EQ(SettledGdiObjectsOf(session.process().handle()), before);
    ExpectClosesCleanly(session);
}

} // namespace
} // namespace zentrava::e2e
