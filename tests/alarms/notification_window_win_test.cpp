// The notification window in this process, its dialog taken from the program's own resources:
// only real requests open it, one at a time, and opening and closing it leaves nothing behind.

#include "alarms/alarms_win.h"
#include "alarms/notification_window_win.h"
#include "app/gdi_count_win.h"
#include "base/app_context_win.h"
#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <string>

namespace zentrava {
namespace {

class NotificationWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        resources_ = LoadLibraryExA(e2e::ProgramPath(e2e::kTestBuild).c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(resources_, nullptr);
        Context().instance = resources_;
        owner_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(folder_.Create("zentrava_notice"));
        picture_ = folder_.path() + "picture.bmp";
        ASSERT_TRUE(e2e::WriteWholeFile(
            picture_, e2e::Bmp24(100, 50, [](int x, int) { return x < 50 ? 0xFFu : 0xFF00u; })));
        AlarmRecords records = Alarms().Records();
        records[0].PictureFile = picture_;
        records[0].WindowColor = RGB(0, 160, 0);
        CommitAlarms(Alarms(), records);
        Alarms().SetMessage("Wake up");
    }
    void TearDown() override {
        if (NotificationWindow() != nullptr) {
            DestroyWindow(NotificationWindow());
        }
        DestroyWindow(owner_);
        CommitAlarms(Alarms(), AlarmRecords{});
        FreeLibrary(resources_);
    }

    HMODULE resources_ = nullptr;
    HWND owner_ = nullptr;
    e2e::TempDir folder_;
    std::string picture_;
};

TEST_F(NotificationWindowTest, OnlyAnAlarmOrTheQuickTimerOpensOneWindowAtATime) {
    for (const LPARAM index : {LPARAM{-2}, LPARAM{20}, LPARAM{12345}}) {
        EXPECT_EQ(OpenNotificationWindow(owner_, index), nullptr) << index;
        EXPECT_EQ(NotificationWindow(), nullptr) << index;
    }
    const HWND first = OpenNotificationWindow(owner_, 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetWindow(first, GW_OWNER), owner_);
    // A later alarm's text does not reach the open window; the next window replaces it.
    Alarms().SetMessage("Later");
    EXPECT_EQ(e2e::WindowText(GetDlgItem(first, 1487)), "Wake up");
    const HWND second = OpenNotificationWindow(owner_, -1);
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(NotificationWindow(), second);
    EXPECT_EQ(e2e::WindowText(GetDlgItem(second, 1487)), "Later");
    SendMessageA(second, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(NotificationWindow(), nullptr);
}

// Twelve windows, each replacing the last: any object a window kept would show twelve times.
// (Under Wine without a window manager every close waits 2 s for the window to be withdrawn,
// so more windows would only cost time.)
TEST_F(NotificationWindowTest, WindowsWithAndWithoutPictureLeaveNoGdiObjectBehind) {
    if (LiveGdiObjects() < 0) {
        GTEST_SKIP() << "no way to count GDI objects here";
    }
    // The first windows load what the platform keeps for the rest of the run (fonts, caches).
    for (int i = 0; i < 2; ++i) {
        const HWND notice = OpenNotificationWindow(owner_, i);
        UpdateWindow(notice);
        SendMessageA(notice, WM_COMMAND, IDOK, 0);
    }
    const long before = LiveGdiObjects();
    for (int i = 0; i < 12; ++i) {
        const HWND notice = OpenNotificationWindow(owner_, i % 2);
        ASSERT_NE(notice, nullptr) << i;
        UpdateWindow(notice);
    }
    SendMessageA(NotificationWindow(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(LiveGdiObjects(), before);
}

} // namespace
} // namespace zentrava
