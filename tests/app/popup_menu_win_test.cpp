#include "app/app_win.h"
#include "app/popup_menu_win.h"
#include "app/program_resources_win.h"
#include "resources/commands.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace zentrava {
namespace {

std::string LoadText(HINSTANCE module, int id) {
    char text[64] = {};
    return LoadStringA(module, static_cast<UINT>(id), text, sizeof text) > 0 ? text : "";
}

std::string MenuText(HMENU menu, int id) {
    char text[64] = {};
    GetMenuStringA(menu, static_cast<UINT>(id), text, sizeof text, MF_BYCOMMAND);
    return text;
}

// Every item the rules decide, the noodle items in a submenu as in the real menus.
UniqueMenu BuildMenu(const char* showHideText) {
    UniqueMenu top(CreatePopupMenu());
    const HMENU noodle = CreatePopupMenu();
    for (const int id : {kCmdNoodle3, kCmdNoodle4, kCmdNoodle5, kCmdNoodleCancel}) {
        AppendMenuA(noodle, MF_STRING, static_cast<UINT_PTR>(id), "noodle");
    }
    AppendMenuA(top.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(noodle), "timers");
    for (const MenuItemState& item : ComputeMenuState(MenuInputs{}).items) {
        if (item.id < kCmdNoodle3 || item.id > kCmdNoodleCancel) {
            AppendMenuA(top.get(), MF_STRING, static_cast<UINT_PTR>(item.id), "item");
        }
    }
    if (showHideText != nullptr) {
        AppendMenuA(top.get(), MF_STRING, kCmdShowHide, showHideText);
    }
    return top;
}

void ExpectMenuShows(HMENU menu, const MenuState& state, const std::string& where) {
    for (const MenuItemState& item : state.items) {
        const UINT flags = GetMenuState(menu, static_cast<UINT>(item.id), MF_BYCOMMAND);
        ASSERT_NE(flags, static_cast<UINT>(-1)) << item.id;
        EXPECT_EQ((flags & MF_GRAYED) != 0, !item.enabled) << where << " item " << item.id;
        EXPECT_EQ((flags & MF_CHECKED) != 0, item.checked) << where << " item " << item.id;
    }
}

struct ItemPictures {
    HBITMAP unchecked;
    HBITMAP checked;
};

ItemPictures PicturesOf(HMENU menu, int id) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_CHECKMARKS;
    GetMenuItemInfoA(menu, static_cast<UINT>(id), FALSE, &info);
    return {info.hbmpUnchecked, info.hbmpChecked};
}

MenuInputs Busy() {
    MenuInputs in;
    in.WindowDispOn = 0;
    in.alarmsArmed = true;
    in.IntervalAlarmOn = 1;
    in.alarmSounding = true;
    in.noodleRunning = true;
    in.noodleSelection = 2;
    in.modalDialogOpen = true;
    in.audio = AudioPlayback::Paused;
    return in;
}

MenuInputs Quiet() {
    MenuInputs in;
    in.audioSourceHasSongs = true;
    return in;
}

class PopupMenuTest : public ::testing::Test {
protected:
    void SetUp() override { Context().instance = GetModuleHandleA(nullptr); }
    void TearDown() override {
        Context().instance = nullptr;
        SetMenuInputsProvider(nullptr);
    }
    // Skips the test when the program was built without the resource.
    HINSTANCE RequireProgramResources() {
        const HINSTANCE module = ProgramResources();
        if (module == nullptr || LoadText(module, IDS_MENU_SHOW_CLOCK).empty()) {
            return nullptr;
        }
        Context().instance = module;
        return module;
    }
};

TEST_F(PopupMenuTest, ItemsShowTheirChecksAndGraysAndLoseThemAgain) {
    const UniqueMenu menu = BuildMenu(nullptr);
    const struct {
        const char* name;
        MenuInputs inputs;
    } steps[] = {{"busy", Busy()}, {"quiet", Quiet()}, {"busy again", Busy()}};
    for (const auto& step : steps) {
        const MenuState state = ComputeMenuState(step.inputs);
        ApplyMenuState(menu.get(), state, false, nullptr);
        ExpectMenuShows(menu.get(), state, step.name);
    }
}

TEST_F(PopupMenuTest, ShowHideItemNamesWhatItWouldDo) {
    const HINSTANCE module = RequireProgramResources();
    if (module == nullptr) {
        GTEST_SKIP() << "Zentrava.exe has no strings 5 and 6 yet";
    }
    const UniqueMenu menu = BuildMenu("placeholder");
    MenuInputs in;
    in.WindowDispOn = 0;
    ApplyMenuState(menu.get(), ComputeMenuState(in), false, nullptr);
    EXPECT_EQ(MenuText(menu.get(), kCmdShowHide), LoadText(module, IDS_MENU_SHOW_CLOCK));
    in.WindowDispOn = 1;
    ApplyMenuState(menu.get(), ComputeMenuState(in), false, nullptr);
    EXPECT_EQ(MenuText(menu.get(), kCmdShowHide), LoadText(module, IDS_MENU_ICONISE_CLOCK));
}

TEST_F(PopupMenuTest, ShowHideTextIsNotRewrittenWhenOnlyItsCaseDiffers) {
    const HINSTANCE module = RequireProgramResources();
    if (module == nullptr) {
        GTEST_SKIP() << "Zentrava.exe has no strings 5 and 6 yet";
    }
    std::string text = LoadText(module, IDS_MENU_SHOW_CLOCK);
    const std::size_t amp = text.rfind('&');
    ASSERT_NE(amp, std::string::npos);
    ASSERT_TRUE(text[amp + 1] >= 'A' && text[amp + 1] <= 'Z') << text;
    text[amp + 1] = static_cast<char>(text[amp + 1] - 'A' + 'a');
    const UniqueMenu menu = BuildMenu(text.c_str());
    MenuInputs in;
    in.WindowDispOn = 0;
    ApplyMenuState(menu.get(), ComputeMenuState(in), false, nullptr);
    EXPECT_EQ(MenuText(menu.get(), kCmdShowHide), text);
}

TEST_F(PopupMenuTest, AudioItemsGetTheirPicturesOnlyWhenTheMenuOpens) {
    const HINSTANCE module = RequireProgramResources();
    const MenuBitmaps bitmaps = module != nullptr ? MenuBitmaps::Load(module) : MenuBitmaps{};
    if (!bitmaps.complete()) {
        GTEST_SKIP() << "Zentrava.exe has no menu bitmaps yet";
    }
    const UniqueMenu menu = BuildMenu(nullptr);
    const MenuState state = ComputeMenuState(Quiet());
    ApplyMenuState(menu.get(), state, false, &bitmaps);
    EXPECT_EQ(PicturesOf(menu.get(), kCmdPlayAudio).unchecked, nullptr);

    ApplyMenuState(menu.get(), state, true, &bitmaps);
    EXPECT_EQ(PicturesOf(menu.get(), kCmdPlayAudio).unchecked, bitmaps.play());
    EXPECT_EQ(PicturesOf(menu.get(), kCmdPauseAudio).unchecked, bitmaps.pauseUnchecked());
    EXPECT_EQ(PicturesOf(menu.get(), kCmdPauseAudio).checked, bitmaps.pauseChecked());
    EXPECT_EQ(PicturesOf(menu.get(), kCmdStopAudio).unchecked, bitmaps.stop());
}

TEST_F(PopupMenuTest, MissingResourcesNeitherCrashNorShowAMenu) {
    // The test program has no resources at all.
    const MenuBitmaps none = MenuBitmaps::Load(GetModuleHandleA(nullptr));
    EXPECT_FALSE(none.complete());

    const UniqueMenu menu = BuildMenu("placeholder");
    const MenuState state = ComputeMenuState(Busy());
    ApplyMenuState(menu.get(), state, true, &none);
    ExpectMenuShows(menu.get(), state, "without pictures");
    EXPECT_EQ(PicturesOf(menu.get(), kCmdPauseAudio).unchecked, nullptr);
    EXPECT_EQ(MenuText(menu.get(), kCmdShowHide), "placeholder");
    ApplyMenuState(menu.get(), state, true, nullptr);
    ApplyMenuState(nullptr, state, true, nullptr);

    const POINT at{10, 10};
    EXPECT_FALSE(TrackPopup(nullptr, IDR_MENU_CONTEXT, at, nullptr));
    EXPECT_EQ(TheApp().menuIdle, 1);
    if (RequireProgramResources() != nullptr) {
        EXPECT_FALSE(TrackPopup(nullptr, 9999, at, nullptr));
        EXPECT_EQ(TheApp().menuIdle, 1);
    }
}

// Tracking a real menu: a window timer, dispatched by the menu's own loop, looks at the open
// menu and then closes it.
struct TrackingProbe {
    HMENU popup = nullptr;
    std::atomic<bool> noodleRunning{false};
    std::atomic<int> refreshCalls{0};
    DWORD windowThread = 0;
    int menuIdleWhileOpen = -1;
    UINT noodleStateWhileOpen = 0;
    HBITMAP playPictureWhileOpen = nullptr;
    RECT menuRect{};
    bool nestedMenuShown = true;
};
TrackingProbe* g_probe = nullptr;

constexpr UINT_PTR kLookTimer = 1;
constexpr UINT_PTR kRescueTimer = 2;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITMENUPOPUP && g_probe != nullptr) {
        g_probe->popup = reinterpret_cast<HMENU>(wParam);
        OnInitMenuPopup(g_probe->popup);
        // From here on only the refresher can show the running timer.
        g_probe->noodleRunning.store(true);
        return 0;
    }
    if (message == WM_TIMER && wParam == kLookTimer && g_probe != nullptr) {
        KillTimer(hwnd, kLookTimer);
        g_probe->menuIdleWhileOpen = TheApp().menuIdle;
        g_probe->noodleStateWhileOpen = GetMenuState(g_probe->popup, kCmdNoodle4, MF_BYCOMMAND);
        g_probe->playPictureWhileOpen = PicturesOf(g_probe->popup, kCmdPlayAudio).unchecked;
        const HWND menuWindow = FindWindowA("#32768", nullptr);
        if (menuWindow != nullptr) {
            GetWindowRect(menuWindow, &g_probe->menuRect);
        }
        g_probe->nestedMenuShown = TrackPopup(hwnd, IDR_MENU_TRAY, POINT{0, 0}, nullptr);
        EndMenu();
        return 0;
    }
    if (message == WM_TIMER && wParam == kRescueTimer) {
        KillTimer(hwnd, kRescueTimer);
        PostMessageA(hwnd, WM_CANCELMODE, 0, 0);
        PostMessageA(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(PopupMenuTest, OpenMenuMarksTheClockBusyAndFollowsChangesUntilItCloses) {
    const HINSTANCE module = RequireProgramResources();
    if (module == nullptr || !MenuBitmaps::Load(module).complete()) {
        GTEST_SKIP() << "Zentrava.exe has no menus and menu bitmaps yet";
    }
    WNDCLASSA wc{};
    wc.lpfnWndProc = &OwnerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZentravaMenuOwner";
    RegisterClassA(&wc);
    const HWND owner = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20,
                                       nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(owner, nullptr);
    SetForegroundWindow(owner);

    TrackingProbe probe;
    probe.windowThread = GetCurrentThreadId();
    g_probe = &probe;
    SetMenuInputsProvider([&probe] {
        if (GetCurrentThreadId() != probe.windowThread) {
            probe.refreshCalls.fetch_add(1);
        }
        MenuInputs in = Quiet();
        in.noodleRunning = probe.noodleRunning.load();
        in.noodleSelection = 1;
        return in;
    });
    SetTimer(owner, kLookTimer, 450, nullptr);
    SetTimer(owner, kRescueTimer, 5000, nullptr);

    const DWORD start = GetTickCount();
    ShowContextMenu(owner, MAKELPARAM(40, 50));
    const DWORD tracked = GetTickCount() - start;
    const int callsAtClose = probe.refreshCalls.load();
    Sleep(400);
    const int callsLater = probe.refreshCalls.load();
    g_probe = nullptr;
    KillTimer(owner, kRescueTimer);
    DestroyWindow(owner);

    EXPECT_LT(tracked, 4000u) << "the menu did not close when asked";
    EXPECT_EQ(probe.menuIdleWhileOpen, 0);
    EXPECT_EQ(TheApp().menuIdle, 1);
    ASSERT_NE(probe.popup, nullptr);
    EXPECT_NE(probe.noodleStateWhileOpen & MF_CHECKED, 0u) << "the open menu was not refreshed";
    EXPECT_NE(probe.noodleStateWhileOpen & MF_GRAYED, 0u) << "the open menu was not refreshed";
    EXPECT_GE(callsAtClose, 2);
    EXPECT_EQ(callsLater, callsAtClose) << "the refresher outlived the menu";
    EXPECT_NE(probe.playPictureWhileOpen, nullptr);
    EXPECT_EQ(probe.menuRect.left, 40);
    EXPECT_EQ(probe.menuRect.top, 50);
    EXPECT_FALSE(probe.nestedMenuShown);
}

} // namespace
} // namespace zentrava
