// The driver's view of the notification area, proved with an icon of this test's own: what it
// finds of an icon and its balloon in explorer.exe, and the clicks and task-bar restart it plays.

#include "e2e/zentrava_driver_win.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zentrava::e2e {
namespace {

constexpr UINT kCallback = WM_APP + 2;
constexpr UINT kIconId = 100;
constexpr const char* kOwnerClass = "ZentravaTrayObserverTest";

// The program's strings are CP932 bytes; spelled out so the file reads the same to any compiler.
const std::string kTip = "\x83\x65\x83\x58\x83\x67 tip";                        // テスト tip
const std::string kNewTip = "\x8E\x9F\x82\xCC\x83\x41\x83\x89\x81\x5B\x83\x80"; // 次のアラーム
const std::string kAlarmTitle = "\x83\x41\x83\x89\x81\x5B\x83\x80";             // アラーム
const std::string kAlarmText =
    "\x8B\x4E\x82\xAB\x82\xE9\x8E\x9E\x8A\xD4\x82\xC5\x82\xB7"; // 起きる時間です
const std::string kSignalTitle = "\x8E\x9E\x95\xF1";            // 時報
const std::string kSignalText = "\x90\xB3\x8C\xDF\x82\xF0\x82\xA8\x92\x6D\x82\xE7\x82\xB9\x82\xB5"
                                "\x82\xDC\x82\xB7"; // 正午をお知らせします

using Callback = std::pair<WPARAM, LPARAM>;

// A hidden window that owns one icon and writes down what the desktop tells it.
class OwnerWindow {
public:
    OwnerWindow() {
        static const ATOM registered = [] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = &OwnerWindow::Proc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = kOwnerClass;
            return RegisterClassA(&wc);
        }();
        if (registered != 0) {
            hwnd_ = CreateWindowExA(0, kOwnerClass, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                    nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        }
        if (hwnd_ != nullptr) {
            SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        }
    }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    ~OwnerWindow() {
        if (hwnd_ != nullptr) {
            Shell_NotifyIconA(NIM_DELETE, &data_);
            DestroyWindow(hwnd_);
        }
    }

    HWND hwnd() const { return hwnd_; }

    bool Add(HICON icon, const std::string& tip) {
        data_ = {};
        data_.cbSize = sizeof data_;
        data_.hWnd = hwnd_;
        data_.uID = kIconId;
        data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data_.uCallbackMessage = kCallback;
        data_.hIcon = icon;
        tip.copy(data_.szTip, sizeof data_.szTip - 1);
        return Shell_NotifyIconA(NIM_ADD, &data_) != FALSE;
    }
    bool SetTip(const std::string& tip) {
        NOTIFYICONDATAA d = Request(NIF_TIP);
        tip.copy(d.szTip, sizeof d.szTip - 1);
        return Shell_NotifyIconA(NIM_MODIFY, &d) != FALSE;
    }
    bool SetIcon(HICON icon) {
        NOTIFYICONDATAA d = Request(NIF_ICON);
        d.hIcon = icon;
        return Shell_NotifyIconA(NIM_MODIFY, &d) != FALSE;
    }
    bool ShowBalloon(const std::string& title, const std::string& text) {
        NOTIFYICONDATAA d = Request(NIF_INFO);
        title.copy(d.szInfoTitle, sizeof d.szInfoTitle - 1);
        text.copy(d.szInfo, sizeof d.szInfo - 1);
        d.dwInfoFlags = NIIF_INFO;
        d.uTimeout = 10000;
        return Shell_NotifyIconA(NIM_MODIFY, &d) != FALSE;
    }
    bool Delete() { return Shell_NotifyIconA(NIM_DELETE, &data_) != FALSE; }

    // Like a well-behaved program, puts its icon back when a new task bar announces itself.
    void AddAgainOnTaskbarCreated() { addAgain_ = true; }
    int taskbarCreatedCount() const { return taskbarCreated_; }
    std::vector<Callback>& callbacks() { return callbacks_; }

private:
    NOTIFYICONDATAA Request(UINT flags) const {
        NOTIFYICONDATAA d{};
        d.cbSize = sizeof d;
        d.hWnd = hwnd_;
        d.uID = kIconId;
        d.uFlags = flags;
        return d;
    }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
        auto* self = reinterpret_cast<OwnerWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self != nullptr && message == kCallback) {
            self->callbacks_.emplace_back(wParam, lParam);
            return 0;
        }
        if (self != nullptr && message == taskbarCreated && taskbarCreated != 0) {
            ++self->taskbarCreated_;
            if (self->addAgain_) {
                Shell_NotifyIconA(NIM_ADD, &self->data_);
            }
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    HWND hwnd_ = nullptr;
    NOTIFYICONDATAA data_{};
    bool addAgain_ = false;
    int taskbarCreated_ = 0;
    std::vector<Callback> callbacks_;
};

// Explorer's notifications reach the owner only while this thread handles its messages.
template <typename Pred>
bool PumpUntil(Pred done, DWORD timeoutMs = 3000) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done()) {
            return true;
        }
        if (GetTickCount64() >= end) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

HICON SystemIcon(LPCSTR name) {
    return LoadIconA(nullptr, name);
}

class TrayObserver : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(owner_.hwnd(), nullptr); }

    OwnerWindow owner_;
};

TEST_F(TrayObserver, IconIsSeenByOwnerAndIdFromAddThroughTipChangeToDelete) {
    OwnerWindow stranger;
    ASSERT_NE(stranger.hwnd(), nullptr);
    ASSERT_TRUE(owner_.Add(SystemIcon(IDI_APPLICATION), kTip));

    const std::optional<TrayIcon> icon = WaitForTrayIcon(owner_.hwnd(), kIconId);
    ASSERT_TRUE(icon.has_value()) << "explorer shows no icon of ours";
    EXPECT_EQ(icon->owner, owner_.hwnd());
    EXPECT_EQ(icon->id, kIconId);
    EXPECT_EQ(icon->callbackMessage, kCallback);
    EXPECT_EQ(icon->tip, kTip);
    EXPECT_TRUE(IsWindowVisible(icon->window));
    EXPECT_FALSE(TrayIconPresent(owner_.hwnd(), kIconId + 1));
    EXPECT_FALSE(TrayIconPresent(stranger.hwnd(), kIconId));
    int ours = 0;
    for (const TrayIcon& i : TrayIcons()) {
        ours += i.owner == owner_.hwnd() ? 1 : 0;
    }
    EXPECT_EQ(ours, 1);

    ASSERT_TRUE(owner_.SetTip(kNewTip));
    EXPECT_EQ(FindTrayIcon(owner_.hwnd(), kIconId).value_or(TrayIcon{}).tip, kNewTip);

    ASSERT_TRUE(owner_.Delete());
    EXPECT_TRUE(WaitForTrayIconGone(owner_.hwnd(), kIconId));
    EXPECT_FALSE(IsWindow(icon->window)) << "explorer's window for the icon outlived it";
}

TEST_F(TrayObserver, ScreenShowsTheImageLastGiven) {
    const HICON application = SystemIcon(IDI_APPLICATION);
    const HICON error = SystemIcon(IDI_ERROR);
    ASSERT_TRUE(owner_.Add(application, kTip));
    const std::optional<TrayIcon> icon = WaitForTrayIcon(owner_.hwnd(), kIconId);
    ASSERT_TRUE(icon.has_value());

    const std::optional<bool> showsApplication = TrayIconShows(*icon, application);
    ASSERT_TRUE(showsApplication.has_value()) << "the tray icon is covered";
    EXPECT_TRUE(*showsApplication);
    EXPECT_EQ(TrayIconShows(*icon, error, 300), false);

    ASSERT_TRUE(owner_.SetIcon(error));
    EXPECT_EQ(TrayIconShows(*icon, error), true);
    EXPECT_EQ(TrayIconShows(*icon, application, 300), false);
}

TEST_F(TrayObserver, BalloonGivesTitleAndTextAndIsReplacedAndTakenDown) {
    ASSERT_TRUE(owner_.Add(SystemIcon(IDI_APPLICATION), kTip));
    ASSERT_TRUE(WaitForTrayIcon(owner_.hwnd(), kIconId).has_value());
    EXPECT_FALSE(CurrentBalloon().has_value());

    ASSERT_TRUE(owner_.ShowBalloon(kAlarmTitle, kAlarmText));
    const std::optional<BalloonSeen> first = WaitForBalloon();
    ASSERT_TRUE(first.has_value()) << "no balloon within 5 s";
    EXPECT_EQ(first->owner, owner_.hwnd());
    EXPECT_EQ(first->id, kIconId);
    EXPECT_EQ(first->title, kAlarmTitle);
    EXPECT_EQ(first->text, kAlarmText);
    EXPECT_EQ(first->infoFlags, static_cast<DWORD>(NIIF_INFO));
    EXPECT_EQ(first->timeoutMs, 10000u);

    ASSERT_TRUE(owner_.ShowBalloon(kSignalTitle, kSignalText));
    std::optional<BalloonSeen> second;
    EXPECT_TRUE(PumpUntil(
        [&second] {
            second = CurrentBalloon();
            return second && second->text == kSignalText;
        },
        5000));
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->title, kSignalTitle);

    ASSERT_TRUE(owner_.ShowBalloon("", ""));
    EXPECT_TRUE(WaitForBalloonGone());
}

TEST_F(TrayObserver, ClicksOnTheIconReachTheOwnerAsCallbackMessages) {
    ASSERT_TRUE(owner_.Add(SystemIcon(IDI_APPLICATION), kTip));
    ASSERT_TRUE(WaitForTrayIcon(owner_.hwnd(), kIconId).has_value());
    std::vector<Callback>& seen = owner_.callbacks();
    const auto expectSeen = [&seen](std::vector<Callback> expected) {
        EXPECT_TRUE(PumpUntil([&] { return seen.size() >= expected.size(); }));
        PumpUntil([] { return false; }, 100); // nothing more follows
        EXPECT_EQ(seen, expected);
        seen.clear();
    };

    ASSERT_TRUE(DoubleClickTrayIcon(owner_.hwnd(), kIconId));
    expectSeen({{kIconId, WM_LBUTTONDOWN},
                {kIconId, WM_LBUTTONUP},
                {kIconId, WM_LBUTTONDBLCLK},
                {kIconId, WM_LBUTTONUP}});
    ASSERT_TRUE(RightClickTrayIcon(owner_.hwnd(), kIconId));
    expectSeen({{kIconId, WM_RBUTTONDOWN}, {kIconId, WM_RBUTTONUP}});
    ASSERT_TRUE(PostTrayNotification(owner_.hwnd(), kCallback, kIconId, WM_LBUTTONDBLCLK));
    expectSeen({{kIconId, WM_LBUTTONDBLCLK}});

    EXPECT_FALSE(DoubleClickTrayIcon(owner_.hwnd(), kIconId + 1));
}

TEST_F(TrayObserver, RestartedTaskbarGetsBackOnlyTheIconsAddedAgain) {
    OwnerWindow careless;
    ASSERT_NE(careless.hwnd(), nullptr);
    owner_.AddAgainOnTaskbarCreated();
    ASSERT_TRUE(owner_.Add(SystemIcon(IDI_APPLICATION), kTip));
    ASSERT_TRUE(careless.Add(SystemIcon(IDI_ERROR), kTip));
    ASSERT_TRUE(WaitForTrayIcon(owner_.hwnd(), kIconId).has_value());
    ASSERT_TRUE(WaitForTrayIcon(careless.hwnd(), kIconId).has_value());

    ASSERT_TRUE(ForgetTrayIcon(owner_.hwnd(), kIconId));
    ASSERT_TRUE(ForgetTrayIcon(careless.hwnd(), kIconId));
    EXPECT_TRUE(WaitForTrayIconGone(owner_.hwnd(), kIconId));
    EXPECT_TRUE(WaitForTrayIconGone(careless.hwnd(), kIconId));

    ASSERT_TRUE(BroadcastTaskbarCreated());
    EXPECT_EQ(owner_.taskbarCreatedCount(), 1);
    EXPECT_EQ(careless.taskbarCreatedCount(), 1);
    EXPECT_TRUE(WaitForTrayIcon(owner_.hwnd(), kIconId).has_value());
    EXPECT_FALSE(WaitForTrayIcon(careless.hwnd(), kIconId, 500).has_value());
}

} // namespace
} // namespace zentrava::e2e
