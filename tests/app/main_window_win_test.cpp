#include "app/app_win.h"
#include "app/gdi_count_win.h"
#include "app/main_window_win.h"
#include "app/tick_win.h"
#include "app/tray_win.h"
#include "base/memory_settings_store.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <memory>
#include <thread>

namespace zentrava {
namespace {

// The real window procedure on a window of this test's own class, with settings in memory.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        Context().instance = GetModuleHandleA(nullptr);
        Context().settings = std::make_unique<MemorySettingsStore>();
        WNDCLASSA wc{};
        wc.lpfnWndProc = &MainWindowProc;
        wc.hInstance = Context().instance;
        wc.lpszClassName = "ZentravaMainWindowProbe";
        RegisterClassA(&wc);
        KeepTrayShown();
    }
    void TearDown() override {
        NOTIFYICONDATAA icon = TrayKeeper();
        Shell_NotifyIconA(NIM_DELETE, &icon);
        DestroyWindow(keeperWindow_);
    }
    // Every window adds the clock's tray icon and deletes it again. Under Wine, deleting the
    // last icon of the tray waits about two seconds while explorer hides it: an icon of the
    // test's own, there throughout, keeps fifty windows from costing a hundred seconds.
    void KeepTrayShown() {
        keeperWindow_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
        NOTIFYICONDATAA icon = TrayKeeper();
        icon.uFlags = NIF_ICON;
        icon.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
        Shell_NotifyIconA(NIM_ADD, &icon);
    }
    NOTIFYICONDATAA TrayKeeper() const {
        NOTIFYICONDATAA icon{};
        icon.cbSize = sizeof icon;
        icon.hWnd = keeperWindow_;
        icon.uID = 1;
        return icon;
    }
    HWND keeperWindow_ = nullptr;

    HWND Open(int size) {
        return CreateWindowExA(0, "ZentravaMainWindowProbe", "", WS_POPUP, 0, 0, size, size,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
};

TEST_F(MainWindowTest, OpeningResizingRecolouringAndClosingLeaksNoGdiObject) {
    SettingsStore& settings = *Context().settings;
    auto cycle = [&](int i) {
        settings.PutInt("Draw_Color", "HourHandColor", i * 4099);
        settings.PutInt("Font_Setting", "AutoFontSize", i % 2);
        HWND hwnd = Open(96 + i % 64);
        ASSERT_NE(hwnd, nullptr);
        EXPECT_TRUE(TickRunning());
        SetWindowPos(hwnd, nullptr, 0, 0, 200 + i % 100, 200 + i % 100,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
        DestroyWindow(hwnd);
        EXPECT_FALSE(TickRunning());
    };
    // The first windows make a few lasting objects of the system's; count after them.
    for (int i = 0; i < 3; ++i) {
        cycle(i);
    }
    const long before = LiveGdiObjects();
    ASSERT_GT(before, 0) << "no way to count GDI objects here";
    for (int i = 3; i < 53; ++i) {
        cycle(i);
    }
    EXPECT_LE(LiveGdiObjects() - before, 4);
}

TEST_F(MainWindowTest, ExitSavesVolumesAndPlacementOncePerWindow) {
    HWND hwnd = Open(128);
    ASSERT_NE(hwnd, nullptr);
    SendMessageA(hwnd, WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(TickRunning());
    Context().settings->PutInt("Sound_Volume_Setting", "AudioVolumeVal", 123);
    // The window is destroyed after the session's end: nothing is saved a second time.
    DestroyWindow(hwnd);
    EXPECT_EQ(Context().settings->GetInt("Sound_Volume_Setting", "AudioVolumeVal", -1), 123);
    EXPECT_EQ(Context().settings->GetInt("Window_Position", "Window_Width", -1), 128);
}

int TakeTrayClockMessages(HWND hwnd) {
    int taken = 0;
    MSG msg;
    while (PeekMessageA(&msg, hwnd, kTrayClockMessage, kTrayClockMessage, PM_REMOVE)) {
        ++taken;
    }
    return taken;
}

// The tick asks every minute and every load asks again; a tray that is slow to answer must not
// get a queue of redraws, and a request after one was handled must not be lost.
TEST(TrayClockRequests, OneWaitsUntilHandledAndTheNextIsPostedAgain) {
    UniqueWindow window(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(window);
    std::thread tick([&] { RequestTrayClockRefresh(window.get()); });
    tick.join();
    RequestTrayClockRefresh(window.get());
    RequestTrayClockRefresh(window.get());
    EXPECT_EQ(TakeTrayClockMessages(window.get()), 1);
    OnTrayClockMessage(window.get());
    RequestTrayClockRefresh(window.get());
    EXPECT_EQ(TakeTrayClockMessages(window.get()), 1);
    OnTrayClockMessage(window.get());
}

} // namespace
} // namespace zentrava
