// The manual date-and-time page as a user meets it: a calendar that fits the page with every
// control clear of it, a typed time the program's clock takes on apply (the computer's clock
// only when the box is ticked, and the test build only records that request), the checks that
// keep the user on a bad number, and a day moved without a click on it.

#include "e2e/sheet_support.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

namespace zentrava::e2e {
namespace {

constexpr const char* kDateTimeCaption = "日付と時刻の設定";
constexpr int kManualPage = 1;

constexpr const char* kNotSet =
    "Zentravaの時刻を設定しました。\nパソコンの内蔵時計は設定していません。";
constexpr const char* kSet =
    "Zentravaの時刻を設定しました。\nパソコンの内蔵時計を新たに設定しました。";

struct ManualPage {
    HWND sheet = nullptr;
    HWND page = nullptr;
};

// The sheet opens on the time-server page; the manual page is created when it is first shown.
ManualPage OpenManualPage(ZentravaSession& session, bool changeTimeServerPage = false) {
    ManualPage open;
    session.Post(WM_COMMAND, kCmdDateTimeSheet, 0);
    open.sheet = WaitForDialog(session, kDateTimeCaption);
    if (open.sheet == nullptr) {
        return open;
    }
    if (changeTimeServerPage) {
        SendMessageA(GetDlgItem(CurrentPage(open.sheet), IDC_NTP_RESULT_BALLOON), BM_CLICK, 0, 0);
    }
    SendMessageA(open.sheet, PSM_SETCURSEL, kManualPage, 0);
    open.page = CurrentPage(open.sheet);
    return open;
}

void TypeTime(HWND page, const char* hour, const char* minute, const char* second) {
    Type(page, IDC_MT_HOUR, hour);
    Type(page, IDC_MT_MINUTE, minute);
    Type(page, IDC_MT_SECOND, second);
}

// Apply pressed; the box it shows, if any, other than the sheet (whose caption it may share).
std::optional<MessageBoxInfo> ApplyAndWaitForBox(const ZentravaSession& session, HWND sheet) {
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    std::optional<MessageBoxInfo> box;
    WaitFor(
        [&] {
            for (const MessageBoxInfo& info : session.MessageBoxes()) {
                if (info.hwnd != sheet) {
                    box = info;
                }
            }
            return box.has_value();
        },
        3000);
    return box;
}

RECT RectOnPage(HWND page, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// What a month calendar needs here, asked of one of our own: the same Wine, locale and fonts.
SIZE CalendarMinimum() {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_DATE_CLASSES};
    InitCommonControlsEx(&init);
    HWND calendar =
        CreateWindowExA(WS_EX_CLIENTEDGE, MONTHCAL_CLASSA, "", WS_POPUP | WS_BORDER | MCS_DAYSTATE,
                        0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    RECT r{};
    SendMessageA(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&r));
    DestroyWindow(calendar);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

std::string Ymd(const SYSTEMTIME& t) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", t.wYear, t.wMonth, t.wDay);
    return text;
}

std::string Log(const ZentravaSession& session) {
    return session.EventLogText().value_or("");
}

TEST(ManualTimePage, FitsUnderItsCalendarAndSetsTheClocksOnlyWhenChangedAndTheComputerWhenTicked) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava"));
    ManualPage open = OpenManualPage(session);
    ASSERT_NE(open.page, nullptr) << "no date-and-time sheet or no second page";
    EXPECT_EQ(WindowText(open.page), "手動による日付と時刻の設定");
    HWND calendar = GetDlgItem(open.page, IDC_MT_CALENDAR);
    ASSERT_NE(calendar, nullptr) << "no month calendar";
    RECT client{};
    GetClientRect(open.page, &client);
    const RECT cal = RectOnPage(open.page, calendar);
    const SIZE needed = CalendarMinimum();
    EXPECT_GE(cal.right - cal.left, needed.cx) << "needs " << needed.cx << " x " << needed.cy;
    EXPECT_GE(cal.bottom - cal.top, needed.cy) << "needs " << needed.cx << " x " << needed.cy;
    EXPECT_NEAR(cal.left, client.right - cal.right, 1) << "centred across the page";
    int controls = 0;
    for (HWND c = GetWindow(open.page, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        const RECT r = RectOnPage(open.page, c);
        SCOPED_TRACE("control " + std::to_string(GetDlgCtrlID(c)) + " at " +
                     std::to_string(r.left) + "," + std::to_string(r.top));
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right &&
                    r.bottom <= client.bottom)
            << "leaves the page";
        RECT overlap{};
        EXPECT_TRUE(c == calendar || !IntersectRect(&overlap, &r, &cal)) << "overlaps the calendar";
        ++controls;
    }
    EXPECT_GE(controls, 8) << "three edits, their spins, the box and the calendar";
    Screenshot(open.sheet, "manual_time_page.bmp");

    // OK on an untouched page: no box, no clock loaded.
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_OK));
    Sleep(300);
    EXPECT_EQ(Log(session).find("load manual"), std::string::npos) << Log(session);
    EXPECT_TRUE(session.MessageBoxes().empty());

    // A day moved without a click on a day: the calendar tells only of the new selection
    // (MCN_SELCHANGE), as it does for the arrow keys. Wine's calendar has no keys; its
    // next-month button moves the selection to the same day a month on, just as silently.
    SYSTEMTIME today{};
    GetLocalTime(&today);
    open = OpenManualPage(session);
    ASSERT_NE(open.page, nullptr);
    calendar = GetDlgItem(open.page, IDC_MT_CALENDAR);
    RECT inside{};
    GetClientRect(calendar, &inside);
    const LPARAM nextButton = MAKELPARAM(inside.right - 20, 14);
    SendMessageA(calendar, WM_LBUTTONDOWN, MK_LBUTTON, nextButton);
    SendMessageA(calendar, WM_LBUTTONUP, 0, nextButton);
    std::optional<MessageBoxInfo> box = ApplyAndWaitForBox(session, open.sheet);
    ASSERT_TRUE(box.has_value()) << "the moved day was not taken as a change";
    EXPECT_EQ(box->caption, kDateTimeCaption);
    EXPECT_EQ(box->text, kNotSet);
    ASSERT_TRUE(session.DismissMessageBox(box->hwnd));
    std::string log = Log(session);
    EXPECT_EQ(Count(log, "load manual "), 1u) << log;
    EXPECT_EQ(Count(log, "load manual " + Ymd(today)), 0u) << "a month on:\n" << log;
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));

    // Both pages changed: the time-server page applies first and must not swallow this one's.
    open = OpenManualPage(session, true);
    ASSERT_NE(open.page, nullptr);
    EXPECT_EQ(SendMessageA(GetDlgItem(open.page, IDC_MT_SET_SYSTEM_CLOCK), BM_GETCHECK, 0, 0),
              BST_UNCHECKED);
    // An hour out of range keeps the user on it; nothing is set.
    TypeTime(open.page, "24", "20", "30");
    box = ApplyAndWaitForBox(session, open.sheet);
    ASSERT_TRUE(box.has_value()) << "no message";
    EXPECT_EQ(box->caption, "時刻入力エラー(HOUR)");
    EXPECT_EQ(box->text, "数値は0～23までの範囲です。");
    ASSERT_TRUE(session.DismissMessageBox(box->hwnd));
    EXPECT_EQ(FocusOf(open.page), GetDlgItem(open.page, IDC_MT_HOUR));
    EXPECT_EQ(Count(Log(session), "load manual "), 1u) << "nothing more set";

    TypeTime(open.page, "10", "20", "30");
    box = ApplyAndWaitForBox(session, open.sheet);
    ASSERT_TRUE(box.has_value()) << "the typed time was dropped";
    EXPECT_EQ(box->caption, kDateTimeCaption);
    EXPECT_EQ(box->text, kNotSet);
    ASSERT_TRUE(session.DismissMessageBox(box->hwnd));
    log = Log(session);
    const std::string loaded = Ymd(today) + " 10:20:30.000";
    EXPECT_EQ(Count(log, "load manual " + loaded), 1u) << log;
    EXPECT_EQ(Count(log, "setclock"), 0u) << log;
    EXPECT_EQ(session.IniNumber("NTP_Setting", "NTPTimeUpdateResultBallonHelpOn"), 1)
        << "the time-server page applied too";

    SendMessageA(GetDlgItem(open.page, IDC_MT_SET_SYSTEM_CLOCK), BM_CLICK, 0, 0);
    box = ApplyAndWaitForBox(session, open.sheet);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, kSet);
    ASSERT_TRUE(session.DismissMessageBox(box->hwnd));
    log = Log(session);
    EXPECT_EQ(Count(log, "load manual " + loaded), 2u) << log;
    EXPECT_EQ(Count(log, "setclock"), 1u) << log;
    EXPECT_EQ(Count(log, "setclock " + loaded), 1u) << log;
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));
    ExpectClosesCleanly(session);
}

} // namespace
} // namespace zentrava::e2e
