// The general settings dialog as a user meets it: changes seen on the clock at once, Cancel
// putting them back without writing, OK writing what was set and only that, the spins, the
// proximity switch, the opacity slider's cost, its tooltips, and no GDI object left behind.

#include "app/gdi_count_win.h"
#include "app/shortcut_checks_win.h"
#include "app/shortcuts_win.h"
#include "base/com_win.h"
#include "app/program_resources_win.h"
#include "base/test_hooks.h"
#include "e2e/e2e_support.h"
#include "e2e/sheet_support.h"
#include "resources/commands.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

namespace zentrava::e2e {
namespace {

constexpr const char* kCaption = "Zentrava各種設定";
constexpr int kChooserRed = 706, kChooserGreen = 707, kChooserBlue = 708;

// Colours no other part of this face uses, so a count of them is a count of that hand.
constexpr std::uint32_t kHourRed = 0x0000FF, kSecondYellow = 0x00FFFF, kChosenGreen = 0x00C800;
constexpr const char* kFaceIni =
    "[Window_Position]\r\nWindow_X_Pos=20\r\nWindow_Y_Pos=20\r\nWindow_Width=200\r\n"
    "Window_Height=200\r\n[Clock_Setting]\r\nSecondHandDispOnOff=1\r\nSecondHandSmooth=1\r\n"
    "DigitalDateMode=0\r\nDigitalTimeMode=0\r\nJSTStringOnOff=0\r\nClockFrameWidth=14\r\n"
    "Clock1MinuteLineLength=20\r\n[Draw_Color]\r\nHourHandColor=255\r\n"
    "SecondHandColor=65535\r\nDrawHandFrame=0\r\n";

struct Dialog {
    HWND hwnd = nullptr;

    bool Checked(int control) const {
        return SendMessageA(GetDlgItem(hwnd, control), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    bool Enabled(int control) const { return IsWindowEnabled(GetDlgItem(hwnd, control)) != FALSE; }
    std::string Text(int control) const { return WindowText(GetDlgItem(hwnd, control)); }
    // Done when it returns: for boxes and radios.
    void Click(int control) const { SendMessageA(GetDlgItem(hwnd, control), BM_CLICK, 0, 0); }
    // Posted: the button opens a modal chooser that a sent click would wait for.
    void Open(int control) const { PostMessageA(GetDlgItem(hwnd, control), BM_CLICK, 0, 0); }
    // The up-down answers the arrow keys on its edit as it answers its arrows.
    void Spin(int edit, bool up) const {
        SendMessageA(GetDlgItem(hwnd, edit), WM_KEYDOWN, up ? VK_UP : VK_DOWN, 0);
        SendMessageA(GetDlgItem(hwnd, edit), WM_KEYUP, up ? VK_UP : VK_DOWN, 0);
    }
    bool Close(int button) const {
        PostMessageA(hwnd, WM_COMMAND, static_cast<WPARAM>(button), 0);
        return WaitFor([this] { return !IsWindow(hwnd); }, 5000);
    }
};

Dialog OpenGeneralSettings(ZentravaSession& session) {
    session.Post(WM_COMMAND, kCmdGeneralSettings, 0);
    return {WaitForDialog(session, kCaption)};
}

int CountColour(ZentravaSession& session, std::uint32_t colour) {
    const std::string path = session.dir() + "face.bmp";
    Bitmap face;
    if (!session.SaveBackBuffer(path) || !face.Load(path)) {
        return -1;
    }
    int n = 0;
    for (int y = 0; y < face.height; ++y) {
        for (int x = 0; x < face.width; ++x) {
            n += face.At(x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

template <typename Pred>
bool FaceShows(ZentravaSession& session, std::uint32_t colour, Pred pred) {
    return WaitFor([&] { return pred(CountColour(session, colour)); }, 3000);
}

// Of the clock's steps logged over about a second, the share that asked for a repaint.
double RepaintShare(const ZentravaSession& session) {
    const std::size_t from = session.EventLogText().value_or("").size();
    Sleep(1200);
    const std::string log = session.EventLogText().value_or("").substr(from);
    std::size_t ticks = 0;
    std::size_t repaints = 0;
    for (std::size_t at = 0; at < log.size();) {
        std::size_t end = log.find('\n', at);
        end = end == std::string::npos ? log.size() : end;
        const std::string line = log.substr(at, end - at);
        if (line.rfind("tick 2", 0) == 0) {
            ++ticks;
            repaints += line.find(" invalidate") != std::string::npos ? 1 : 0;
        }
        at = end + 1;
    }
    return ticks == 0 ? -1.0 : static_cast<double>(repaints) / static_cast<double>(ticks);
}

bool ChooseColourInChooser(ZentravaSession& session, HWND settings, int r, int g, int b) {
    HWND chooser = nullptr;
    if (!WaitFor([&] {
            for (HWND w : session.process().TopLevelWindows("#32770")) {
                chooser = IsWindowVisible(w) && w != settings ? w : chooser;
            }
            return chooser != nullptr;
        })) {
        return false;
    }
    for (auto [edit, value] : {std::pair{kChooserRed, r}, {kChooserGreen, g}, {kChooserBlue, b}}) {
        SendMessageA(GetDlgItem(chooser, edit), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(std::to_string(value).c_str()));
    }
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    return WaitFor([chooser] { return !IsWindow(chooser); });
}

TEST(GeneralSettings, ChangesShowAtOnceCancelPutsThemBackAndOkWritesOnlyWhatWasSet) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", kFaceIni));
    ASSERT_TRUE(session.LoadClocks(SYSTEMTIME{2024, 6, 6, 1, 3, 0, 0, 0}));
    ASSERT_TRUE(FaceShows(session, kHourRed, [](int n) { return n > 20; })) << "no red hour hand";
    ASSERT_TRUE(FaceShows(session, kSecondYellow, [](int n) { return n > 5; }));
    const std::optional<std::string> started = session.IniText();

    Dialog dialog = OpenGeneralSettings(session);
    ASSERT_NE(dialog.hwnd, nullptr) << "no dialog";
    Screenshot(dialog.hwnd, "general_settings.bmp");
    // Stored values beyond the spins' ranges show as they are.
    EXPECT_EQ(dialog.Text(IDC_GS_FRAME_WIDTH), "14");
    EXPECT_EQ(dialog.Text(IDC_GS_1MIN_MARK_LENGTH), "20");
    EXPECT_TRUE(dialog.Enabled(IDC_GS_SMOOTH_SECOND_HAND));

    // The tick sees the second hand go: a smooth hand repaints every step, none only twice a
    // second.
    EXPECT_GT(RepaintShare(session), 0.8);
    dialog.Click(IDC_GS_SECOND_HAND);
    EXPECT_FALSE(dialog.Checked(IDC_GS_SECOND_HAND));
    EXPECT_FALSE(dialog.Enabled(IDC_GS_SMOOTH_SECOND_HAND));
    EXPECT_TRUE(FaceShows(session, kSecondYellow, [](int n) { return n == 0; }))
        << "the second hand is still drawn";
    EXPECT_LT(RepaintShare(session), 0.3) << "the tick did not hear of the change";

    dialog.Open(IDC_GS_HOUR_HAND_COLOUR);
    ASSERT_TRUE(ChooseColourInChooser(session, dialog.hwnd, 0, 200, 0)) << "no colour chooser";
    EXPECT_TRUE(FaceShows(session, kChosenGreen, [](int n) { return n > 20; }))
        << "the new colour is not on the hour hand";
    EXPECT_EQ(CountColour(session, kHourRed), 0);
    dialog.Spin(IDC_GS_FRAME_WIDTH, true);
    EXPECT_EQ(dialog.Text(IDC_GS_FRAME_WIDTH), "0") << "14 steps up from 10, which wraps";

    ASSERT_TRUE(dialog.Close(IDCANCEL));
    EXPECT_TRUE(FaceShows(session, kHourRed, [](int n) { return n > 20; })) << "not red again";
    EXPECT_EQ(CountColour(session, kChosenGreen), 0);
    EXPECT_TRUE(FaceShows(session, kSecondYellow, [](int n) { return n > 5; }));
    EXPECT_EQ(session.IniText(), started) << "Cancel wrote the file";

    dialog = OpenGeneralSettings(session);
    ASSERT_NE(dialog.hwnd, nullptr);
    EXPECT_EQ(dialog.Text(IDC_GS_FRAME_WIDTH), "14") << "Cancel kept the stepped value";
    dialog.Open(IDC_GS_HOUR_HAND_COLOUR);
    ASSERT_TRUE(ChooseColourInChooser(session, dialog.hwnd, 0, 200, 0));
    const std::pair<bool, const char*> presses[] = {{true, "0"}, {false, "10"}, {true, "0"}};
    for (const auto& [up, shows] : presses) {
        dialog.Spin(IDC_GS_FRAME_WIDTH, up);
        EXPECT_EQ(dialog.Text(IDC_GS_FRAME_WIDTH), shows);
    }
    dialog.Spin(IDC_GS_COLON_ADJUST, false);
    EXPECT_EQ(dialog.Text(IDC_GS_COLON_ADJUST), "-1");
    ASSERT_TRUE(dialog.Close(IDOK));
    EXPECT_EQ(session.IniNumber("Draw_Color", "HourHandColor"), kChosenGreen);
    EXPECT_EQ(session.IniNumber("Clock_Setting", "ClockFrameWidth"), 0);
    EXPECT_EQ(session.IniNumber("Clock_Setting", "TimeColonAdj"), -1);
    EXPECT_EQ(session.IniNumber("Clock_Setting", "Clock1MinuteLineLength"), 20)
        << "a value nobody set was written";
    EXPECT_EQ(session.IniNumber("Clock_Setting", "SecondHandDispOnOff"), 1);
    ExpectClosesCleanly(session);
}

TEST(GeneralSettings, ProximityOffThenCancelHidesTheClockUnderTheCursorAgain) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                          "[Window_Position]\r\nWindow_X_Pos=40\r\nWindow_Y_Pos=40\r\n"
                          "Window_Width=160\r\nWindow_Height=160\r\nWindowHideSetting=1\r\n"
                          "WindowShowHideSetting=0\r\n"));
    POINT was{};
    GetCursorPos(&was);
    SetCursorPos(120, 120);
    EXPECT_FALSE(session.WaitForState([](const WindowState& w) { return !w.visible; }).visible)
        << "the clock did not hide under the cursor";
    Dialog dialog = OpenGeneralSettings(session);
    ASSERT_NE(dialog.hwnd, nullptr);
    EXPECT_TRUE(dialog.Enabled(IDC_GS_CTRL_CANCELS_LAYER));
    dialog.Click(IDC_GS_PROXIMITY);
    EXPECT_FALSE(dialog.Enabled(IDC_GS_CTRL_CANCELS_LAYER));
    EXPECT_TRUE(session.WaitForState([](const WindowState& w) { return w.visible; }).visible)
        << "switching the behaviour off left the clock hidden";
    ASSERT_TRUE(dialog.Close(IDCANCEL));
    EXPECT_FALSE(session.WaitForState([](const WindowState& w) { return !w.visible; }).visible)
        << "Cancel did not start the proximity check again";
    SetCursorPos(was.x, was.y);
    ExpectClosesCleanly(session);
    EXPECT_EQ(session.IniNumber("Window_Position", "WindowHideSetting"), 1);
}

// The tooltip's own field holds 80 bytes; the longest tips are longer in CP932.
TEST(GeneralSettings, TooltipsAreAnsweredWholeAndTheDesktopBoxMakesAndRemovesTheLink) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava"));
    Dialog dialog = OpenGeneralSettings(session);
    ASSERT_NE(dialog.hwnd, nullptr);
    const std::string out = session.dir() + "tip.txt";
    const auto expected = [](int string) {
        char text[400] = {};
        LoadStringA(ProgramResources(), static_cast<UINT>(string), text, sizeof text);
        return std::string(text);
    };
    const std::pair<int, int> tips[] = {{IDC_GS_SHORTCUT_ALL_DESKTOP, IDS_TIP_SHORTCUT_ALL_DESKTOP},
                                        {IDC_GS_SHORTCUT_ALL_STARTUP, IDS_TIP_SHORTCUT_ALL_STARTUP},
                                        {IDC_GS_DATE, IDS_TIP_DATE}};
    for (const auto& [control, string] : tips) {
        ASSERT_GT(expected(string).size(), 0u);
        const auto answered =
            session.CopyDataText(hooks::kGeneralSettingsTip, std::to_string(control) + " " + out);
        ASSERT_TRUE(answered.has_value());
        EXPECT_EQ(*answered, 1) << control << ": no answer, or it ran over the notification";
        EXPECT_EQ(ReadWholeFile(out).value_or(""), expected(string)) << control;
    }
    EXPECT_GT(expected(IDS_TIP_SHORTCUT_ALL_DESKTOP).size(), 80u);

    // The desktop box makes the link at OK and takes it away again, on the prefix's own desktop.
    const std::optional<std::string> link = ShortcutPath(ShortcutPlace::Desktop);
    ASSERT_TRUE(link);
    ASSERT_TRUE(InsideThePrefix(*link));
    DeleteFileA(link->c_str());
    EXPECT_TRUE(dialog.Enabled(IDC_GS_SHORTCUT_DESKTOP));
    EXPECT_FALSE(dialog.Checked(IDC_GS_SHORTCUT_DESKTOP));
    dialog.Click(IDC_GS_SHORTCUT_DESKTOP);
    ASSERT_TRUE(dialog.Close(IDOK));
    {
        const ComApartment com;
        char staged[MAX_PATH] = {};
        GetFullPathNameA(session.exePath().c_str(), MAX_PATH, staged, nullptr);
        EXPECT_EQ(ReadLink(*link).target, staged) << "no link to the program at " << *link;
    }
    dialog = OpenGeneralSettings(session);
    ASSERT_NE(dialog.hwnd, nullptr);
    EXPECT_TRUE(dialog.Checked(IDC_GS_SHORTCUT_DESKTOP)) << "the box does not show the link";
    dialog.Click(IDC_GS_SHORTCUT_DESKTOP);
    ASSERT_TRUE(dialog.Close(IDOK));
    EXPECT_EQ(GetFileAttributesA(link->c_str()), INVALID_FILE_ATTRIBUTES) << "the link stayed";
    ExpectClosesCleanly(session);
}

// The slider changes the alpha alone: no relayout, no moves, well inside 10 ms a step. The
// layering command it once used is timed beside it for the record.
TEST(GeneralSettings, OpacitySliderChangesOnlyTheAlphaAndLeaksNothing) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                          "[Window_Position]\r\nWindow_X_Pos=40\r\nWindow_Y_Pos=40\r\n"
                          "Window_Width=200\r\nWindow_Height=200\r\n"));
    Dialog dialog = OpenGeneralSettings(session);
    ASSERT_NE(dialog.hwnd, nullptr);
    HWND slider = GetDlgItem(dialog.hwnd, IDC_GS_OPACITY);
    const RECT before = session.MainState().rect;
    const std::size_t layeringCommands =
        Count(session.EventLogText().value_or(""), "command 40060");
    constexpr int kSteps = 40;
    LARGE_INTEGER frequency{}, start{}, end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kSteps; ++i) {
        SendMessageA(slider, TBM_SETPOS, TRUE, 90 - i);
        SendMessageA(dialog.hwnd, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 90 - i),
                     reinterpret_cast<LPARAM>(slider));
    }
    QueryPerformanceCounter(&end);
    const double sliderMs = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                            static_cast<double>(frequency.QuadPart) / kSteps;
    EXPECT_EQ(Count(session.EventLogText().value_or(""), "command 40060"), layeringCommands)
        << "the slider refreshed the whole window";
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kSteps; ++i) {
        session.Command(kCmdApplyLayer);
    }
    QueryPerformanceCounter(&end);
    const double commandMs = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                             static_cast<double>(frequency.QuadPart) / kSteps;
    std::printf("opacity step: slider %.2f ms, layering command %.2f ms\n", sliderMs, commandMs);
    EXPECT_LT(sliderMs, 10.0);
    const WindowState after = session.MainState();
    EXPECT_TRUE(EqualRect(&before, &after.rect));
    EXPECT_EQ(dialog.Text(IDC_GS_OPACITY_LABEL), "不透明度は51%です。");
    EXPECT_EQ(after.layered.alpha, 51 * 255 / 100);

    // A hundred relayouts through a spin, then twenty openings: the GDI count stays. Counted
    // from here: the first layering changes make objects Wine keeps for the window's life.
    const long gdiBefore = SettledGdiObjectsOf(session.process().handle());
    for (int i = 0; i < 100; ++i) {
        dialog.Spin(IDC_GS_FRAME_WIDTH, true);
    }
    EXPECT_EQ(SettledGdiObjectsOf(session.process().handle()), gdiBefore) << "relayouts leak";
    ASSERT_TRUE(dialog.Close(IDCANCEL));
    const long closed = SettledGdiObjectsOf(session.process().handle());
    const std::string twenty = "20";
    EXPECT_EQ(session.CopyData(hooks::kGeneralSettingsOpenings, twenty.c_str(),
                               static_cast<DWORD>(twenty.size() + 1), 60000),
              1)
        << "not every opening made its dialog";
    EXPECT_LE(SettledGdiObjectsOf(session.process().handle()), closed + 1) << "openings leak";
    ExpectClosesCleanly(session);
}

} // namespace
} // namespace zentrava::e2e
