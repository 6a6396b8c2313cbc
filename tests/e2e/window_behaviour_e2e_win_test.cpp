// The clock window's placement and transparency as the user meets them: dragging an edge,
// double clicks, the corner commands, a lost saved position, opacity and the colour key.

#include "e2e/e2e_support.h"
#include "resources/commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace zentrava::e2e {
namespace {

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

std::string PlacedIni(int x, int y, int side, std::string_view more = {}) {
    return "[Window_Position]\r\nWindow_X_Pos=" + std::to_string(x) +
           "\r\nWindow_Y_Pos=" + std::to_string(y) + "\r\nWindow_Width=" + std::to_string(side) +
           "\r\nWindow_Height=" + std::to_string(side) + "\r\n" + std::string(more);
}

TEST(WindowBehaviour, RightEdgeDragKeepsTheWindowSquareAboutItsCentre) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava", PlacedIni(300, 300, 200)));
    const WindowState before = session.WaitForState([](const WindowState& w) { return w.visible; });
    ASSERT_EQ(Width(before.rect), 200);
    // The right edge dragged 41 px further: an odd width, so the bottom gains the extra pixel.
    RECT dragged = before.rect;
    dragged.right += 41;
    ASSERT_TRUE(session.Send(WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&dragged)));
    EXPECT_EQ(dragged.left, 300);
    EXPECT_EQ(dragged.right, 541);
    const int centreY = 300 + 100;
    EXPECT_EQ(dragged.top, centreY - 241 / 2);
    EXPECT_EQ(dragged.bottom, centreY + 241 / 2 + 1);
    session.Send(WM_EXITSIZEMOVE, 0, 0);
    ExpectClosesCleanly(session);
}

TEST(WindowBehaviour, DoubleClickTogglesTheMaximisedSquareAndBack) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava", PlacedIni(250, 260, 150)));
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    const int side = std::min(screenW, screenH);

    ASSERT_TRUE(session.Post(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(300, 300)));
    WindowState s =
        session.WaitForState([&](const WindowState& w) { return Width(w.rect) == side; });
    EXPECT_EQ(s.rect.left, (screenW - side) / 2);
    EXPECT_EQ(s.rect.top, (screenH - side) / 2);
    EXPECT_EQ(Height(s.rect), side);

    ASSERT_TRUE(session.Post(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(300, 300)));
    s = session.WaitForState([](const WindowState& w) { return Width(w.rect) == 150; });
    EXPECT_EQ(s.rect.left, 250);
    EXPECT_EQ(s.rect.top, 260);
    ExpectClosesCleanly(session);
    // The saved place is the normal one, whatever the square did.
    EXPECT_EQ(session.IniNumber("Window_Position", "Window_X_Pos"), 250);
    EXPECT_EQ(session.IniNumber("Window_Position", "Window_Maximized"), 0);
}

TEST(WindowBehaviour, CornerCommandsPlaceAndShowTheWindowOnTheWorkArea) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava", PlacedIni(300, 300, 128)));
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    struct Case {
        int command;
        int x;
        int y;
    };
    const Case cases[] = {
        {kCmdCornerTopRight, work.right - 128, work.top + caption},
        {kCmdCornerBottomRight, work.right - 128, work.bottom - 128},
        {kCmdCornerTopLeft, work.left, work.top + caption},
        {kCmdCornerBottomLeft, work.left, work.bottom - 128},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        // Hidden first: a corner command shows the clock again.
        ASSERT_TRUE(session.Command(kCmdShowHide));
        ASSERT_FALSE(session.WaitForState([](const WindowState& w) { return !w.visible; }).visible);
        ASSERT_TRUE(session.Command(c.command));
        const WindowState s = session.WaitForState([](const WindowState& w) { return w.visible; });
        EXPECT_TRUE(s.visible);
        EXPECT_EQ(s.rect.left, c.x);
        EXPECT_EQ(s.rect.top, c.y);
        EXPECT_EQ(Width(s.rect), 128);
    }
    ExpectClosesCleanly(session);
    EXPECT_EQ(session.IniNumber("Window_Position", "WindowDispOn"), 1);
    EXPECT_EQ(session.IniNumber("Window_Position", "Window_X_Pos"), work.left);
}

TEST(WindowBehaviour, SavedPositionOffEveryMonitorIsReset) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava", PlacedIni(-5000, 9000, 300)));
    const WindowState s = session.WaitForState([](const WindowState& w) { return w.visible; });
    EXPECT_EQ(s.rect.left, 200);
    EXPECT_EQ(s.rect.top, 200);
    EXPECT_EQ(Width(s.rect), 128);
    EXPECT_EQ(Height(s.rect), 128);
    ExpectClosesCleanly(session);
}

TEST(WindowBehaviour, WindowIsClippedToTheRoundFace) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava", PlacedIni(200, 200, 160)));
    const WindowState s = session.WaitForState([](const WindowState& w) { return w.visible; });
    ASSERT_EQ(s.regionType, COMPLEXREGION);
    EXPECT_EQ(s.regionBox.left, 0);
    EXPECT_EQ(s.regionBox.top, 0);
    EXPECT_GE(s.regionBox.right, 160);
    EXPECT_GE(s.regionBox.bottom, 160);
    ExpectClosesCleanly(session);
}

TEST(WindowBehaviour, HideWhenNearHidesWhileTheCursorIsOverTheClock) {
    POINT saved{};
    GetCursorPos(&saved);
    SetCursorPos(5, 500);
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava",
                          PlacedIni(300, 300, 128, "WindowHideSetting=1\r\n")));
    EXPECT_TRUE(session.WaitForState([](const WindowState& w) { return w.visible; }).visible);
    SetCursorPos(300 + 64, 300 + 64);
    EXPECT_FALSE(session.WaitForState([](const WindowState& w) { return !w.visible; }).visible)
        << "hidden under the cursor";
    SetCursorPos(5, 500);
    EXPECT_TRUE(session.WaitForState([](const WindowState& w) { return w.visible; }).visible)
        << "back when the cursor leaves";
    SetCursorPos(saved.x, saved.y);
    ExpectClosesCleanly(session);
}

// Holds Ctrl down through the system's input, as a keyboard would, until it goes.
class HeldCtrl {
public:
    HeldCtrl() { Send(0); }
    ~HeldCtrl() { Send(KEYEVENTF_KEYUP); }
    HeldCtrl(const HeldCtrl&) = delete;
    HeldCtrl& operator=(const HeldCtrl&) = delete;

private:
    static void Send(DWORD flags) {
        INPUT key{};
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = VK_CONTROL;
        key.ki.dwFlags = flags;
        SendInput(1, &key, sizeof key);
    }
};

// The clock hidden under the cursor has no input of its own: it must see Ctrl wherever it was
// pressed, and show itself opaque (with this setting, through kCmdApplyOpaqueLayer). While it is
// hidden nothing paints it, and that is no reason to rebuild the window.
// Under Wine on Xvfb the window that appears under the pointer makes Wine match its key state
// to the X server's, where Ctrl is up, so the clock hides again at once: the command in the log
// is what shows that it came.
TEST(WindowBehaviour, CtrlShowsAClockHiddenUnderTheCursorWhichIsLeftAloneMeanwhile) {
    POINT saved{};
    GetCursorPos(&saved);
    SetCursorPos(5, 500);
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                          PlacedIni(300, 300, 128,
                                    "WindowHideSetting=1\r\n"
                                    "WindowCtrlKeyDownLayeredCancelSetting=1\r\n")));
    EXPECT_TRUE(session.WaitForState([](const WindowState& w) { return w.visible; }).visible);
    SetCursorPos(300 + 64, 300 + 64);
    ASSERT_FALSE(session.WaitForState([](const WindowState& w) { return !w.visible; }).visible)
        << "hidden under the cursor";

    const std::string opaque = "command " + std::to_string(kCmdApplyOpaqueLayer);
    const std::size_t hiddenAt = session.EventLogText().value_or("").size();
    Sleep(2000);
    std::string since = session.EventLogText().value_or("").substr(hiddenAt);
    EXPECT_EQ(since.find(" watchdog"), std::string::npos) << since;
    EXPECT_EQ(since.find(opaque), std::string::npos) << since;

    const std::size_t pressedAt = hiddenAt + since.size();
    {
        const HeldCtrl ctrl;
        EXPECT_TRUE(WaitFor(
            [&] {
                since = session.EventLogText().value_or("").substr(pressedAt);
                return since.find(opaque) != std::string::npos;
            },
            3000))
            << "shown opaque while Ctrl is held\n"
            << since;
    }
    EXPECT_FALSE(session.WaitForState([](const WindowState& w) { return !w.visible; }).visible)
        << "hidden while the cursor stays";
    SetCursorPos(saved.x, saved.y);
    ExpectClosesCleanly(session);
}

// The reset says the clock is shown: it must be on the screen, and the next show/hide toggle
// hides it.
TEST(WindowBehaviour, ResetPlacementShowsAHiddenClock) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava", PlacedIni(300, 300, 150)));
    session.WaitForState([](const WindowState& w) { return w.visible; });
    ASSERT_TRUE(session.Command(kCmdShowHide));
    ASSERT_FALSE(session.WaitForState([](const WindowState& w) { return !w.visible; }).visible);

    ASSERT_TRUE(session.Command(kCmdResetPlacement));
    const WindowState s = session.WaitForState([](const WindowState& w) { return w.visible; });
    EXPECT_TRUE(s.visible);
    EXPECT_EQ(s.rect.left, 200);
    EXPECT_EQ(s.rect.top, 200);
    EXPECT_EQ(Width(s.rect), 128);

    ASSERT_TRUE(session.Command(kCmdShowHide));
    EXPECT_FALSE(session.WaitForState([](const WindowState& w) { return !w.visible; }).visible);
    ExpectClosesCleanly(session);
    EXPECT_EQ(session.IniNumber("Window_Position", "WindowDispOn"), 0);
}

TEST(WindowBehaviour, HalfOpacityGivesAlpha127) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava",
                          PlacedIni(200, 200, 128, "WindowLayerPercent=50\r\n")));
    const WindowState s = session.WaitForState([](const WindowState& w) { return w.visible; });
    EXPECT_NE(s.exStyle & WS_EX_LAYERED, 0);
    ASSERT_TRUE(s.layered.ok);
    EXPECT_EQ(s.layered.alpha, 127);
    EXPECT_EQ(s.layered.flags, static_cast<DWORD>(LWA_ALPHA));
    ExpectClosesCleanly(session);
}

TEST(WindowBehaviour, ColourKeyOnTheFaceColour) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava",
                          PlacedIni(200, 200, 128,
                                    "WindowLayer=1\r\nWindowLayerPercent=80\r\n"
                                    "[Draw_Color]\r\nClockFaceColor=255\r\n")));
    const WindowState s = session.WaitForState([](const WindowState& w) { return w.visible; });
    ASSERT_TRUE(s.layered.ok);
    EXPECT_EQ(s.layered.key, static_cast<COLORREF>(255));
    EXPECT_EQ(s.layered.alpha, 80 * 255 / 100);
    EXPECT_EQ(s.layered.flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
    ExpectClosesCleanly(session);
}

TEST(WindowBehaviour, AllBlackColourKeyIsRefusedWithAMessage) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava",
                          PlacedIni(200, 200, 128,
                                    "WindowLayer=1\r\n"
                                    "[Draw_Color]\r\nClockFaceColor=0\r\n"
                                    "SecondHandColor=0\r\nBackGroundColor=0\r\n"
                                    "[Font_Setting]\r\nTextColor=0\r\n")));
    // Creation tries the colour key first; the command asks again.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        if (round == 1) {
            ASSERT_TRUE(session.Post(WM_COMMAND, kCmdApplyTransparency, 0));
        }
        const std::optional<MessageBoxInfo> box = session.WaitForMessageBox();
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->caption, "Zentrava");
        // "現在の各種の色の設定ではアナログ時計画面を透明化すると" in CP932.
        EXPECT_EQ(box->text.rfind("\x8C\xBB\x8D\xDD\x82\xCC\x8A"
                                  "e\x8E\xED\x82\xCC\x90"
                                  "F\x82\xCC\x90\xDD\x92\xE8",
                                  0),
                  0u)
            << box->text;
        EXPECT_TRUE(session.DismissMessageBox(box->hwnd));
    }
    // The clock stays visible: the opacity applies without the refused key.
    const WindowState s = session.MainState();
    ASSERT_TRUE(s.layered.ok);
    EXPECT_EQ(s.layered.flags, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_EQ(s.layered.alpha, 255);
    ExpectClosesCleanly(session);
}

} // namespace
} // namespace zentrava::e2e
