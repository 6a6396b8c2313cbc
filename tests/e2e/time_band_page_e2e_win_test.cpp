// The time-band page of the settings sheet as a user meets it: refused times, bands typed in
// two groups and applied, the colour samples, and paging or Cancel that write nothing.

#include "e2e/e2e_support.h"
#include "e2e/sheet_support.h"
#include "resources/commands.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace zentrava::e2e {
namespace {

// Controls of the first visible row; row r adds r.
constexpr int kStartHour = 1621, kStartMinute = 1691, kEndHour = 1641, kEndMinute = 1711;
constexpr int kOnBox = 1681, kColour = 1661, kSample = 1671, kGroup = 1731;
constexpr int kPrevious = 1745, kNext = 1746;
// The red, green and blue edits of the platform's colour chooser.
constexpr int kChooserRed = 706, kChooserGreen = 707, kChooserBlue = 708;

struct Sheet {
    HWND sheet = nullptr;
    HWND page = nullptr;

    void Type(int control, const char* text) const {
        SendMessageA(GetDlgItem(page, control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    std::string Text(int control) const { return WindowText(GetDlgItem(page, control)); }
    bool On(int row) const {
        return SendMessageA(GetDlgItem(page, kOnBox + row), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    // Posted, as a click may open a modal box that a sent one would wait for; the WM_NULL only
    // gives the page's thread a moment, the callers wait for what the click shows.
    void Click(int control) const {
        PostMessageA(GetDlgItem(page, control), BM_CLICK, 0, 0);
        SendMessageTimeoutA(page, WM_NULL, 0, 0, SMTO_NORMAL, 300, nullptr);
    }
    bool Shows(const char* caption) const {
        return WaitFor([&] { return Text(kGroup) == caption; }, 3000);
    }
    bool ApplyEnabled() const { return IsWindowEnabled(GetDlgItem(sheet, 0x3021)) != FALSE; }
    bool Close(int button) const {
        PostMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
        return WaitFor([this] { return !IsWindow(sheet); }, 3000);
    }
    // The colour on screen in the middle of a control, as the user sees it.
    COLORREF Shown(int control) const {
        RECT r{};
        GetWindowRect(GetDlgItem(page, control), &r);
        HDC screen = GetDC(nullptr);
        const COLORREF c = GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ReleaseDC(nullptr, screen);
        return c;
    }
};

Sheet OpenBandPage(ZentravaSession& session) {
    Sheet s;
    session.Post(WM_COMMAND, kCmdSettingsSheet, 0);
    WaitFor([&] {
        s.sheet = FindDialog(session, "アラーム、時報、オーディオ、時間帯、その他の設定");
        return s.sheet != nullptr;
    });
    if (s.sheet != nullptr) {
        s.page = reinterpret_cast<HWND>(SendMessageA(s.sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }
    return s;
}

::testing::AssertionResult StartOnBandPage(ZentravaSession& session, const std::string& bands) {
    // A plain 24-hour dial with its centre at (100, 100).
    return StartCopy(session, kTestBuild, "Zentrava",
                     "[Window_Position]\r\nAudioFilePropertySheetPos=6\r\nWindow_Width=200\r\n"
                     "Window_Height=200\r\n[Clock_Setting]\r\nSecondHandDispOnOff=0\r\n"
                     "DigitalDateMode=0\r\nDigitalTimeMode=0\r\nJSTStringOnOff=0\r\n"
                     "12H_24H_Setting=1\r\n[TimeZone_Setting]\r\n" +
                         bands);
}

TEST(TimeBandPage, ARefusedTimeShowsItsMessageKeepsTheUserOnItAndWritesNothing) {
    struct Case {
        int control;
        const char* typed;
        int press; // a control of the page, or 0 for the sheet's Apply
        const char* message;
    };
    const Case cases[] = {
        {kStartHour, "24", 0, "時間の設定は0～23迄です。"},
        {kEndMinute + 2, "6x", kNext, "分の設定は0～59迄です。"},
        {kStartMinute + 1, "", kPrevious, "分の設定は0～59迄です。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ZentravaSession session;
        ASSERT_TRUE(StartOnBandPage(session, ""));
        const Sheet open = OpenBandPage(session);
        ASSERT_NE(open.sheet, nullptr) << "no settings sheet";
        const std::optional<std::string> before = session.IniText();
        open.Type(kStartHour + 1, "5"); // a good change beside the bad one
        open.Type(c.control, c.typed);
        if (c.press == 0) {
            PostMessageA(open.sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
        } else {
            open.Click(c.press);
        }
        std::optional<MessageBoxInfo> box;
        ASSERT_TRUE(WaitFor([&] {
            for (const MessageBoxInfo& info : session.MessageBoxes()) {
                if (info.caption == "Zentrava") {
                    box = info;
                }
            }
            return box.has_value();
        })) << "no message";
        EXPECT_EQ(box->text, c.message);
        if (c.control == kStartHour) {
            Screenshot(box->hwnd, "time_band_refused.bmp");
        }
        ASSERT_TRUE(session.DismissMessageBox(box->hwnd));

        HWND edit = GetDlgItem(open.page, c.control);
        EXPECT_TRUE(WaitFor([&] { return FocusOf(edit) == edit; }))
            << "the focus is not on the bad edit";
        const auto selection = static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0));
        EXPECT_EQ(std::string(c.typed).size(), std::size_t{HIWORD(selection)})
            << "the value is not selected";
        EXPECT_EQ(open.Text(kGroup), "時間帯設定01:") << "the page was turned";
        EXPECT_EQ(open.Text(c.control), c.typed) << "the user's text stays to be mended";
        EXPECT_EQ(session.IniText(), before) << "something reached the settings file";
        ASSERT_TRUE(open.Close(PSBTN_CANCEL));
        ExpectClosesCleanly(session);
    }
}

// Paging alone changes nothing; a band typed in one group is kept while another is shown; Apply
// writes the table and the live table takes it; Cancel after a later edit writes nothing.
TEST(TimeBandPage, BandsTypedInTwoGroupsAreAppliedAndALaterEditIsCancelled) {
    // Band 3 is on with a number other than 1; band 1 is red, band 5 blue.
    ZentravaSession session;
    ASSERT_TRUE(StartOnBandPage(session, "TimeZoneOnFlag03=2\r\nTimeZoneStartHour03=9\r\n"
                                         "TimeZoneColor01=255\r\nTimeZoneColor05=16711680\r\n"));
    Sheet open = OpenBandPage(session);
    ASSERT_NE(open.sheet, nullptr) << "no settings sheet";
    EXPECT_EQ(open.Text(kGroup + 3), "時間帯設定04:");
    EXPECT_EQ(open.Text(kStartHour + 2), "9");
    EXPECT_TRUE(open.On(2));
    EXPECT_TRUE(WaitFor([&] { return open.Shown(kSample) == RGB(255, 0, 0); })) << "not red";
    Screenshot(open.sheet, "time_band_page.bmp");

    // Round the end of the six groups both ways; 05 shows only after the last click.
    for (int arrow : {kPrevious, kPrevious, kNext, kNext, kNext}) {
        open.Click(arrow);
    }
    ASSERT_TRUE(open.Shows("時間帯設定05:")) << "the second group did not show";
    EXPECT_FALSE(open.ApplyEnabled()) << "paging marked the page changed";
    EXPECT_TRUE(WaitFor([&] { return open.Shown(kSample) == RGB(0, 0, 255); }))
        << "the first sample does not show band 5's blue";
    open.Type(kStartHour, "22");
    open.Type(kEndHour, "06");
    open.Click(kOnBox);
    // The chooser starts from band 5's blue; green chosen there replaces it.
    open.Click(kColour);
    HWND chooser = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        for (HWND w : session.process().TopLevelWindows("#32770")) {
            chooser = IsWindowVisible(w) && w != open.sheet ? w : chooser;
        }
        return chooser != nullptr;
    })) << "no colour chooser";
    const auto channel = [chooser](int edit) { return GetDlgItem(chooser, edit); };
    EXPECT_EQ(WindowText(channel(kChooserRed)) + WindowText(channel(kChooserBlue)), "0255");
    SendMessageA(channel(kChooserGreen), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("128"));
    SendMessageA(channel(kChooserBlue), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("0"));
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return open.Shown(kSample) == RGB(0, 128, 0); })) << "not green";
    open.Click(kPrevious); // band 5 goes into the working copy
    ASSERT_TRUE(open.Shows("時間帯設定01:"));
    open.Type(kEndHour + 1, "7"); // band 2
    SendMessageA(open.sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    EXPECT_TRUE(WaitFor([&] { return !open.ApplyEnabled(); }));

    const std::pair<const char*, long long> written[] = {
        {"TimeZoneStartHour05", 22}, {"TimeZoneStartMinute05", 0}, {"TimeZoneEndHour05", 6},
        {"TimeZoneEndMinute05", 0},  {"TimeZoneOnFlag05", 1},      {"TimeZoneColor05", 32768},
        {"TimeZoneEndHour02", 7},    {"TimeZoneOnFlag02", 0},      {"TimeZoneOnFlag03", 2},
        {"TimeZoneStartHour03", 9},  {"TimeZoneColor01", 255},     {"TimeZoneColor24", 13684944},
    };
    for (const auto& [key, value] : written) {
        EXPECT_EQ(session.IniNumber("TimeZone_Setting", key), value) << key;
    }
    // The clock paints from the applied table: 03:00 lies in band 5, clear of the hands at 18:30.
    ASSERT_TRUE(session.LoadClocks(SYSTEMTIME{2024, 6, 6, 1, 18, 30, 0, 0}));
    session.WaitForLogLine("tick 2024-06-01 18:30:00.500 ", 5000);
    Bitmap face;
    ASSERT_TRUE(session.SaveBackBuffer(session.dir() + "face.bmp"));
    ASSERT_TRUE(face.Load(session.dir() + "face.bmp"));
    EXPECT_EQ(face.At(100 + 34, 100 - 34), 32768u) << "band 5 is not on the face";

    const std::optional<std::string> applied = session.IniText();
    open.Type(kStartHour, "3");
    open.Click(kOnBox + 1);
    EXPECT_TRUE(WaitFor([&] { return open.ApplyEnabled(); })) << "the edits marked nothing";
    open.Click(kNext);
    ASSERT_TRUE(open.Shows("時間帯設定05:"));
    ASSERT_TRUE(open.Close(PSBTN_CANCEL));
    EXPECT_EQ(session.IniText(), applied) << "cancel wrote the file";

    open = OpenBandPage(session); // from the live table: the apply, not the cancelled edit
    ASSERT_NE(open.sheet, nullptr);
    EXPECT_EQ(open.Text(kStartHour), "0");
    EXPECT_FALSE(open.On(1));
    EXPECT_EQ(open.Text(kEndHour + 1), "7");
    open.Click(kNext);
    ASSERT_TRUE(open.Shows("時間帯設定05:"));
    EXPECT_EQ(open.Text(kStartHour), "22");
    ASSERT_TRUE(open.Close(PSBTN_OK));
    EXPECT_EQ(session.IniText(), applied) << "OK on an untouched page wrote the section";
    ExpectClosesCleanly(session);
}

} // namespace
} // namespace zentrava::e2e
