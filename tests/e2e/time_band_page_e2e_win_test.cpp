// The time-band page of the settings sheet as a user meets it: refused times, bands typed in
// another group and applied, the colour samples, and paging or Cancel that must write nothing.

#include "e2e/e2e_support.h"
#include "resources/commands.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace zentrava::e2e {
namespace {

constexpr const char* kSettingsCaption = "アラーム、時報、オーディオ、時間帯、その他の設定";
constexpr const char* kSection = "TimeZone_Setting";
constexpr int kBandPage = 6;

// Controls of the first visible row; row r adds r.
constexpr int kStartHour = 1621;
constexpr int kStartMinute = 1691;
constexpr int kEndHour = 1641;
constexpr int kEndMinute = 1711;
constexpr int kOnBox = 1681;
constexpr int kSample = 1671;
constexpr int kGroup = 1731;
constexpr int kPrevious = 1745;
constexpr int kNext = 1746;
constexpr int kApplyButton = 0x3021;

struct OpenSheet {
    HWND sheet = nullptr;
    HWND page = nullptr;
};

OpenSheet OpenBandPage(ZentravaSession& session) {
    OpenSheet open;
    session.Post(WM_COMMAND, kCmdSettingsSheet, 0);
    WaitFor([&] { return (open.sheet = FindDialog(session, kSettingsCaption)) != nullptr; });
    if (open.sheet != nullptr) {
        open.page = reinterpret_cast<HWND>(SendMessageA(open.sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }
    return open;
}

std::string IniWith(const std::string& bands = {}) {
    return "[Window_Position]\r\nAudioFilePropertySheetPos=" + std::to_string(kBandPage) +
           "\r\n[TimeZone_Setting]\r\n" + bands;
}

void Type(HWND page, int control, const char* text) {
    SendMessageA(GetDlgItem(page, control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

std::string Text(HWND page, int control) {
    return WindowText(GetDlgItem(page, control));
}

// Posted: a click may open a message box in the program. The WM_NULL after it returns once
// the click has been handled, unless it opened one.
void Click(HWND page, int control) {
    PostMessageA(GetDlgItem(page, control), BM_CLICK, 0, 0);
}

bool ShowsGroupOf(HWND page, const char* caption) {
    return WaitFor([&] { return Text(page, kGroup) == caption; }, 3000);
}

bool ApplyEnabled(HWND sheet) {
    return IsWindowEnabled(GetDlgItem(sheet, kApplyButton)) != FALSE;
}

void PressApply(HWND sheet) {
    SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    WaitFor([sheet] { return !ApplyEnabled(sheet); }, 3000);
    SendMessageA(sheet, WM_NULL, 0, 0);
}

bool CloseSheet(HWND sheet, int button) {
    PostMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
    return WaitFor([sheet] { return !IsWindow(sheet); }, 3000);
}

// The colour on screen in the middle of a control, as the user sees it.
COLORREF ColourShown(HWND page, int control) {
    RECT r{};
    GetWindowRect(GetDlgItem(page, control), &r);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ReleaseDC(nullptr, screen);
    return colour;
}

void Screenshot(HWND window, const char* name) {
    if (const char* dir = std::getenv("ZENTRAVA_SCREENSHOT_DIR")) {
        Sleep(200); // let the page paint
        RECT r{};
        GetWindowRect(window, &r);
        SaveScreenBmp(std::string(dir) + "\\" + name, r);
    }
}

std::optional<MessageBoxInfo> WaitForProgramMessage(const ZentravaSession& session) {
    std::optional<MessageBoxInfo> box;
    WaitFor([&] {
        for (const MessageBoxInfo& info : session.MessageBoxes()) {
            if (info.caption == "Zentrava") {
                box = info;
                return true;
            }
        }
        return false;
    });
    return box;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return GetGUIThreadInfo(thread, &gui) ? gui.hwndFocus : nullptr;
}

TEST(TimeBandPage, ARefusedTimeShowsItsMessageKeepsTheUserOnItAndWritesNothing) {
    enum class Press { Apply, Next, Previous };
    struct Case {
        int control;
        const char* typed;
        Press press;
        const char* message;
    };
    const Case cases[] = {
        {kStartHour, "24", Press::Apply, "時間の設定は0～23迄です。"},
        {kEndMinute + 2, "6x", Press::Next, "分の設定は0～59迄です。"},
        {kStartMinute + 1, "", Press::Previous, "分の設定は0～59迄です。"},
        {kEndHour + 3, "-1", Press::Apply, "時間の設定は0～23迄です。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ZentravaSession session;
        ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", IniWith()));
        const OpenSheet open = OpenBandPage(session);
        ASSERT_NE(open.sheet, nullptr) << "no settings sheet";
        const std::optional<std::string> before = session.IniText();
        Type(open.page, kStartHour + 1, "5"); // a good change beside the bad one
        Type(open.page, c.control, c.typed);
        if (c.press == Press::Apply) {
            PostMessageA(open.sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
        } else {
            Click(open.page, c.press == Press::Next ? kNext : kPrevious);
        }

        const std::optional<MessageBoxInfo> box = WaitForProgramMessage(session);
        ASSERT_TRUE(box.has_value()) << "no message";
        EXPECT_EQ(box->text, c.message);
        if (c.control == kStartHour) {
            Screenshot(box->hwnd, "time_band_refused.bmp");
        }
        ASSERT_TRUE(session.DismissMessageBox(box->hwnd));
        HWND edit = GetDlgItem(open.page, c.control);
        EXPECT_TRUE(WaitFor([&] { return FocusOf(open.sheet) == edit; }))
            << "the focus is not on the bad edit";
        const auto selection = static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0));
        EXPECT_EQ(static_cast<std::size_t>(HIWORD(selection)), std::string(c.typed).size())
            << "the whole value selected";
        EXPECT_EQ(Text(open.page, kGroup), "時間帯設定01:") << "the page was turned";
        EXPECT_EQ(Text(open.page, c.control), c.typed) << "the user's text stays to be mended";
        EXPECT_EQ(session.IniText(), before) << "nothing reached the settings file";

        ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));
        ExpectClosesCleanly(session);
        EXPECT_FALSE(session.IniNumber(kSection, "TimeZoneStartHour02").has_value());
    }
}

TEST(TimeBandPage, BandsTypedInTwoGroupsAreSavedOnApplyAndShownAgain) {
    // Band 3 is on with a value other than 1; band 5 is blue, band 1 red.
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                          IniWith("TimeZoneOnFlag03=2\r\nTimeZoneStartHour03=9\r\n"
                                  "TimeZoneColor01=255\r\nTimeZoneColor05=16711680\r\n")));
    OpenSheet open = OpenBandPage(session);
    ASSERT_NE(open.sheet, nullptr) << "no settings sheet";
    EXPECT_EQ(Text(open.page, kGroup + 3), "時間帯設定04:");
    EXPECT_EQ(Text(open.page, kStartHour + 2), "9");
    EXPECT_EQ(SendMessageA(GetDlgItem(open.page, kOnBox + 2), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(WaitFor([&] { return ColourShown(open.page, kSample) == RGB(255, 0, 0); }))
        << "band 1's sample is not red";
    Screenshot(open.sheet, "time_band_page.bmp");

    Type(open.page, kEndHour + 1, "7"); // band 2, kept while the next group is shown
    Click(open.page, kNext);
    ASSERT_TRUE(ShowsGroupOf(open.page, "時間帯設定05:")) << "the second group did not show";
    EXPECT_EQ(Text(open.page, kGroup + 3), "時間帯設定08:");
    EXPECT_EQ(Text(open.page, kEndHour + 1), "0") << "band 6 is still at its default";
    EXPECT_TRUE(WaitFor([&] { return ColourShown(open.page, kSample) == RGB(0, 0, 255); }))
        << "the first sample does not show band 5's blue";
    Type(open.page, kStartHour, "22");
    Type(open.page, kStartMinute, "0");
    Type(open.page, kEndHour, "06");
    Type(open.page, kEndMinute, "0");
    Click(open.page, kOnBox);
    SendMessageA(open.page, WM_NULL, 0, 0);
    PressApply(open.sheet);

    struct Key {
        const char* name;
        long long value;
    };
    const Key written[] = {
        {"TimeZoneStartHour05", 22}, {"TimeZoneStartMinute05", 0}, {"TimeZoneEndHour05", 6},
        {"TimeZoneEndMinute05", 0},  {"TimeZoneOnFlag05", 1},      {"TimeZoneColor05", 16711680},
        {"TimeZoneEndHour02", 7},    {"TimeZoneOnFlag02", 0},      {"TimeZoneOnFlag03", 2},
        {"TimeZoneStartHour03", 9},  {"TimeZoneColor01", 255},     {"TimeZoneColor24", 13684944},
    };
    for (const Key& k : written) {
        EXPECT_EQ(session.IniNumber(kSection, k.name), k.value) << k.name;
    }

    // Round the six groups back to the first: band 2 as typed, band 5 after one step back.
    for (const char* caption :
         {"時間帯設定09:", "時間帯設定13:", "時間帯設定17:", "時間帯設定21:", "時間帯設定01:"}) {
        Click(open.page, kNext);
        ASSERT_TRUE(ShowsGroupOf(open.page, caption)) << caption;
    }
    EXPECT_EQ(Text(open.page, kEndHour + 1), "7");
    Click(open.page, kPrevious);
    ASSERT_TRUE(ShowsGroupOf(open.page, "時間帯設定21:"));
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_OK));

    // The live table took the apply: a new sheet starts from it.
    open = OpenBandPage(session);
    ASSERT_NE(open.sheet, nullptr);
    Click(open.page, kNext);
    ASSERT_TRUE(ShowsGroupOf(open.page, "時間帯設定05:"));
    EXPECT_EQ(Text(open.page, kStartHour), "22");
    EXPECT_EQ(Text(open.page, kEndHour), "6");
    EXPECT_EQ(SendMessageA(GetDlgItem(open.page, kOnBox), BM_GETCHECK, 0, 0), BST_CHECKED);
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));
    ExpectClosesCleanly(session);
}

TEST(TimeBandPage, PagingChangesNothingAndCancelLeavesTheFileAndTheClockAsTheyWere) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", IniWith("TimeZoneStartHour01=8\r\n")));
    OpenSheet open = OpenBandPage(session);
    ASSERT_NE(open.sheet, nullptr) << "no settings sheet";
    const std::optional<std::string> before = session.IniText();
    for (int control : {kNext, kNext, kPrevious}) {
        Click(open.page, control);
        SendMessageA(open.page, WM_NULL, 0, 0);
    }
    ASSERT_TRUE(ShowsGroupOf(open.page, "時間帯設定05:"));
    EXPECT_FALSE(ApplyEnabled(open.sheet)) << "paging marked the page changed";

    Type(open.page, kStartHour, "3");
    Click(open.page, kOnBox + 1);
    SendMessageA(open.page, WM_NULL, 0, 0);
    EXPECT_TRUE(ApplyEnabled(open.sheet)) << "an edit did not mark the page changed";
    Click(open.page, kPrevious); // band 5 goes into the working copy
    ASSERT_TRUE(ShowsGroupOf(open.page, "時間帯設定01:"));
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));
    EXPECT_EQ(session.IniText(), before) << "cancel wrote the file";

    open = OpenBandPage(session);
    ASSERT_NE(open.sheet, nullptr);
    EXPECT_EQ(Text(open.page, kStartHour), "8");
    Click(open.page, kNext);
    ASSERT_TRUE(ShowsGroupOf(open.page, "時間帯設定05:"));
    EXPECT_EQ(Text(open.page, kStartHour), "0") << "the cancelled edit reached the live table";
    EXPECT_EQ(SendMessageA(GetDlgItem(open.page, kOnBox + 1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_OK));
    ExpectClosesCleanly(session);
    EXPECT_FALSE(session.IniNumber(kSection, "TimeZoneOnFlag06").has_value())
        << "OK on an untouched page wrote the section";
}

} // namespace
} // namespace zentrava::e2e
