// The time-server page of the date-and-time sheet as a user meets it: the synchronisation test
// against the loopback servers (chronyd on 127.0.0.1, the misbehaving ones on 127.0.1.N), its
// report, the server list it keeps, apply and cancel. Every settings file here names loopback
// servers only and switches the start-up and scheduled updates off.

#include "e2e/e2e_support.h"
#include "resources/commands.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace zentrava::e2e {
namespace {

constexpr const char* kDateTimeCaption = "日付と時刻の設定";
constexpr const char* kSection = "NTP_Setting";

constexpr int kServerCombo = 1017;
constexpr int kTestButton = 1176;
constexpr int kDeleteButton = 1233;
constexpr int kReport = 1254;
constexpr int kSetLocalTimeBox = 1178;
constexpr int kAutoUpdateBox = 1229;
constexpr int kBalloonBox = 1232;
constexpr int kHourlyRadio = 1442;
constexpr int kHourEdit = 1225;
constexpr int kIntervalEdit = 1007;
constexpr int kMinuteEdit = 1227;
constexpr int kAccessMinuteEdit = 1443;
constexpr int kRetryEdit = 2174;

constexpr const char* kServerTimeLine = "NTPサーバー時刻 = ";
constexpr const char* kConnectFailed = "NTPサーバーに接続失敗。\r\n";
constexpr const char* kNotCorrected =
    "Zentravaの時刻を設定しました。\r\nパソコンの内蔵時計は補正していません。";

// Loopback only: the start-up and scheduled updates are off, and the list ends after the
// entries given (an entry left out would be filled with a public default).
std::string NtpIni(const std::vector<std::string>& servers, const std::string& more = {}) {
    std::string ini = "[NTP_Setting]\r\nNTPStartUpTimeAdjust=0\r\nNTPAutoUpdate=0\r\n"
                      "SetLocalTime=0\r\nSetNTPUpdateTime=2\r\nNTPServerName=" +
                      servers.front() + "\r\n";
    for (std::size_t i = 0; i < servers.size(); ++i) {
        ini += "NTPServerNameList" + std::to_string(i + 1) + "=" + servers[i] + "\r\n";
    }
    ini += "NTPServerNameList" + std::to_string(servers.size() + 1) + "=\r\n";
    return ini + more;
}

struct OpenSheet {
    HWND sheet = nullptr;
    HWND page = nullptr;
};

OpenSheet OpenDateTime(ZentravaSession& session) {
    OpenSheet open;
    session.Post(WM_COMMAND, kCmdDateTimeSheet, 0);
    WaitFor([&] { return (open.sheet = FindDialog(session, kDateTimeCaption)) != nullptr; });
    if (open.sheet != nullptr) {
        open.page = reinterpret_cast<HWND>(SendMessageA(open.sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }
    return open;
}

bool CloseSheet(HWND sheet, int button) {
    PostMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
    return WaitFor([sheet] { return !IsWindow(sheet); }, 3000);
}

void PressApply(HWND sheet) {
    SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    HWND apply = GetDlgItem(sheet, 0x3021);
    WaitFor([apply] { return apply == nullptr || !IsWindowEnabled(apply); }, 3000);
    SendMessageA(sheet, WM_NULL, 0, 0);
}

void Click(HWND dialog, int control) {
    PostMessageA(GetDlgItem(dialog, control), BM_CLICK, 0, 0);
}

bool IsChecked(HWND dialog, int control) {
    return SendMessageA(GetDlgItem(dialog, control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string Text(HWND page, int control) {
    return WindowText(GetDlgItem(page, control));
}

HWND Combo(HWND page) {
    return GetDlgItem(page, kServerCombo);
}

// Asked for in UTF-16: Wine answers a CB_GETLBTEXT from another process in UTF-16 even when
// it was sent as ANSI.
std::vector<std::string> ComboEntries(HWND page) {
    std::vector<std::string> entries;
    const auto count = static_cast<int>(SendMessageW(Combo(page), CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t wide[256] = {};
        SendMessageW(Combo(page), CB_GETLBTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(wide));
        char text[512] = {};
        WideCharToMultiByte(932, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        entries.emplace_back(text);
    }
    return entries;
}

int ComboSelection(HWND page) {
    return static_cast<int>(SendMessageA(Combo(page), CB_GETCURSEL, 0, 0));
}

// A name typed into the box's edit field, with no entry chosen.
void TypeServer(HWND page, const char* name) {
    SendMessageA(Combo(page), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageA(Combo(page), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Presses the test button and waits until the report says how it went.
std::string RunTest(HWND page, DWORD timeoutMs = 8000) {
    SetDlgItemTextA(page, kReport, "");
    Click(page, kTestButton);
    std::string report;
    WaitFor(
        [&] {
            report = Text(page, kReport);
            return IsWindowEnabled(GetDlgItem(page, kTestButton)) &&
                   (Contains(report, kServerTimeLine) || Contains(report, kConnectFailed));
        },
        timeoutMs);
    return report;
}

void Screenshot(HWND window, const char* name) {
    if (const char* dir = std::getenv("ZENTRAVA_SCREENSHOT_DIR")) {
        Sleep(300); // let the page paint
        RECT r{};
        GetWindowRect(window, &r);
        SaveScreenBmp(std::string(dir) + "\\" + name, r);
    }
}

TEST(TimeServerPage, TheLocalServerAnswersTheTestAndTheReportSaysWhatWasSet) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", NtpIni({"127.0.0.1"})));
    const OpenSheet open = OpenDateTime(session);
    ASSERT_NE(open.sheet, nullptr) << "no date-and-time sheet";
    HWND page = open.page;
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(WindowText(page), "NTPサーバーによる日付と時刻の設定");
    EXPECT_EQ(ComboEntries(page), std::vector<std::string>{"127.0.0.1"});
    EXPECT_EQ(ComboSelection(page), 0);
    EXPECT_EQ(Text(page, kReport), "");
    EXPECT_FALSE(IsChecked(page, kSetLocalTimeBox));
    EXPECT_FALSE(IsChecked(page, kAutoUpdateBox));
    EXPECT_TRUE(IsChecked(page, kHourlyRadio));
    EXPECT_EQ(Text(page, kIntervalEdit), "30");
    Screenshot(open.sheet, "time_server_page.bmp");

    const std::string report = RunTest(page);
    EXPECT_EQ(report.rfind("NTPサーバー名 : 127.0.0.1\r\n", 0), 0u) << report;
    EXPECT_TRUE(Contains(report, kServerTimeLine)) << report;
    EXPECT_TRUE(Contains(report, "時刻取得時の時計ソフト時刻 = ")) << report;
    EXPECT_TRUE(Contains(report, "時刻取得時のシステム時刻 = ")) << report;
    EXPECT_TRUE(Contains(report, "往復経路による遅延時間は")) << report;
    EXPECT_TRUE(Contains(report, "Stratum( ")) << report;
    EXPECT_TRUE(Contains(report, "このサーバーの精度は : ")) << report;
    EXPECT_TRUE(EndsWith(report, kNotCorrected))
        << "SetLocalTime=0 leaves the computer's clock alone:\n"
        << report;
    Screenshot(open.sheet, "time_server_page_report.bmp");

    // The server was the selected entry: still one entry, still selected.
    EXPECT_EQ(ComboEntries(page), std::vector<std::string>{"127.0.0.1"});
    EXPECT_EQ(ComboSelection(page), 0);
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));
    ExpectClosesCleanly(session);
}

TEST(TimeServerPage, ATypedServerThatAnswersJoinsTheSortedListAndApplyWritesIt) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", NtpIni({"127.0.1.1", "127.0.0.1"})));
    const OpenSheet open = OpenDateTime(session);
    ASSERT_NE(open.sheet, nullptr);
    HWND page = open.page;
    EXPECT_EQ(ComboEntries(page), (std::vector<std::string>{"127.0.1.1", "127.0.0.1"}))
        << "the file's order, not the box's";

    // Already in the list, typed rather than chosen: selected, not added twice.
    TypeServer(page, "127.0.0.1");
    std::string report = RunTest(page);
    ASSERT_TRUE(Contains(report, kServerTimeLine)) << report;
    EXPECT_EQ(ComboEntries(page).size(), 2u);
    EXPECT_EQ(ComboSelection(page), 1);

    // New: the sorted box puts it where it belongs, and the list follows the box.
    TypeServer(page, "127.0.1.2");
    report = RunTest(page);
    ASSERT_TRUE(Contains(report, "NTPサーバー名 : 127.0.1.2\r\n")) << report;
    ASSERT_TRUE(Contains(report, kServerTimeLine)) << report;
    const std::vector<std::string> entries = ComboEntries(page);
    ASSERT_EQ(entries.size(), 3u);
    ASSERT_GE(ComboSelection(page), 0);
    EXPECT_EQ(entries[static_cast<std::size_t>(ComboSelection(page))], "127.0.1.2");

    SendMessageA(GetDlgItem(page, kHourEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("99"));
    PressApply(open.sheet);
    EXPECT_EQ(session.IniString(kSection, "NTPServerName"), "127.0.1.2");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string key = "NTPServerNameList" + std::to_string(i + 1);
        EXPECT_EQ(session.IniString(kSection, key.c_str()), entries[i]) << key;
    }
    EXPECT_EQ(session.IniString(kSection, "NTPServerNameList4", "missing"), "");
    EXPECT_EQ(session.IniNumber(kSection, "SetNTPHour"), 99) << "stored as typed";
    EXPECT_EQ(session.IniNumber(kSection, "SetNTPInterval"), 30);
    EXPECT_EQ(session.IniNumber(kSection, "NTPAutoUpdate"), 0);
    EXPECT_EQ(session.IniNumber(kSection, "NTPStartUpTimeAdjust"), 0);
    EXPECT_EQ(session.IniNumber(kSection, "SetLocalTime"), 0);
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_OK));
    ExpectClosesCleanly(session);
}

TEST(TimeServerPage, ASilentServerFailsAfterASecondWhileThePageKeepsAnswering) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", NtpIni({"127.0.0.1"})));
    const OpenSheet open = OpenDateTime(session);
    ASSERT_NE(open.sheet, nullptr);
    HWND page = open.page;
    HWND button = GetDlgItem(page, kTestButton);

    // Nothing listens on 127.0.0.9.
    TypeServer(page, "127.0.0.9");
    SetDlgItemTextA(page, kReport, "");
    Click(page, kTestButton);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowEnabled(button); }, 3000))
        << "the button stays usable while the test runs";
    EXPECT_TRUE(Contains(Text(page, kReport), "127.0.0.9")) << Text(page, kReport);
    int answered = 0;
    ULONGLONG slowest = 0;
    while (!IsWindowEnabled(button)) {
        const ULONGLONG before = GetTickCount64();
        DWORD_PTR result = 0;
        if (SendMessageTimeoutA(page, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 500, &result) != 0) {
            ++answered;
        }
        slowest = std::max(slowest, GetTickCount64() - before);
        Sleep(50);
        ASSERT_LT(answered, 200) << "the test never ended";
    }
    EXPECT_GE(answered, 5) << "the page did not answer while the server was waited for";
    EXPECT_LT(slowest, 300u) << "a message waited " << slowest << " ms";

    const std::string report = Text(page, kReport);
    EXPECT_EQ(report.rfind(kConnectFailed, 0), 0u) << report;
    EXPECT_FALSE(Contains(report, kServerTimeLine)) << report;
    EXPECT_EQ(ComboEntries(page), std::vector<std::string>{"127.0.0.1"}) << "not added";
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));
    ExpectClosesCleanly(session);
}

TEST(TimeServerPage, ARefusingServerIsReportedWithTheReasonEachTimeAPersonAsks) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", NtpIni({"127.0.0.1"})));
    const OpenSheet open = OpenDateTime(session);
    ASSERT_NE(open.sheet, nullptr);
    HWND page = open.page;

    // 127.0.1.12 answers every request with the kiss code DENY.
    TypeServer(page, "127.0.1.12");
    std::string report = RunTest(page);
    EXPECT_EQ(report.rfind(kConnectFailed, 0), 0u) << report;
    EXPECT_TRUE(Contains(report, "(DENY)")) << report;

    // The updates no longer ask it, but a person testing it again gets its answer again.
    TypeServer(page, "127.0.1.12");
    report = RunTest(page);
    EXPECT_EQ(report.rfind(kConnectFailed, 0), 0u) << report;
    EXPECT_TRUE(Contains(report, "(DENY)")) << report;
    EXPECT_EQ(Count(session.EventLogText().value_or(""), "ntp start 127.0.1.12"), 2u);
    EXPECT_EQ(ComboEntries(page), std::vector<std::string>{"127.0.0.1"});
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));
    ExpectClosesCleanly(session);
}

// The resolver would take an empty name for this computer.
TEST(TimeServerPage, AnEmptyOrBlankNameIsNotAskedNorAdded) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", NtpIni({"127.0.0.1"})));
    const OpenSheet open = OpenDateTime(session);
    ASSERT_NE(open.sheet, nullptr);
    HWND page = open.page;
    for (const char* name : {"", "   "}) {
        TypeServer(page, name);
        SetDlgItemTextA(page, kReport, "");
        Click(page, kTestButton);
        std::string report;
        EXPECT_TRUE(WaitFor(
            [&] {
                report = Text(page, kReport);
                return !report.empty();
            },
            3000));
        EXPECT_EQ(report, "サーバー名が入力されていません。\r\n") << "[" << name << "]";
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, kTestButton)));
    }
    EXPECT_EQ(ComboEntries(page), std::vector<std::string>{"127.0.0.1"});
    EXPECT_FALSE(Contains(session.EventLogText().value_or(""), "ntp start"));
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));
    ExpectClosesCleanly(session);
}

TEST(TimeServerPage, AFullListTakesTheTimeButNotTheName) {
    std::vector<std::string> twenty{"127.0.0.1"};
    for (int i = 1; i < 20; ++i) {
        twenty.push_back("127.0.2." + std::to_string(i)); // never asked
    }
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", NtpIni(twenty)));
    const OpenSheet open = OpenDateTime(session);
    ASSERT_NE(open.sheet, nullptr);
    HWND page = open.page;
    ASSERT_EQ(ComboEntries(page).size(), 20u);

    TypeServer(page, "127.0.1.1");
    Click(page, kTestButton);
    std::optional<MessageBoxInfo> box;
    WaitFor(
        [&] {
            for (const MessageBoxInfo& info : session.MessageBoxes()) {
                if (info.caption == "Zentrava") {
                    box = info;
                    return true;
                }
            }
            return false;
        },
        8000);
    ASSERT_TRUE(box.has_value()) << Text(page, kReport);
    EXPECT_EQ(box->text, "NTPサーバーへアクセスできました。\n設定を登録できません。\n"
                         "登録できる設定は２０個までです。");
    EXPECT_EQ(GetWindow(box->hwnd, GW_OWNER), open.sheet) << "owned by the page's sheet";
    EXPECT_TRUE(Contains(Text(page, kReport), kServerTimeLine)) << "the time was taken";
    EXPECT_TRUE(session.DismissMessageBox(box->hwnd));
    EXPECT_EQ(ComboEntries(page), twenty);
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));
    ExpectClosesCleanly(session);
}

// Numbers from a hand-edited file that the up-down controls cannot reach are shown as stored
// and written back as they were when another field is applied.
TEST(TimeServerPage, ValuesOutsideTheControlsRangesSurviveAnApplyOfAnotherField) {
    struct Stored {
        const char* key;
        int value;
        int edit;
    };
    const Stored stored[] = {
        {"SetNTPHour", 99, kHourEdit},
        {"SetNTPAccessMinuteTime", 75, kAccessMinuteEdit},
        {"NTPAccessRetryTime", 99, kRetryEdit},
        {"SetNTPInterval", 999, kIntervalEdit},
    };
    std::string more;
    for (const Stored& s : stored) {
        more += std::string(s.key) + "=" + std::to_string(s.value) + "\r\n";
    }
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", NtpIni({"127.0.0.1"}, more)));
    const OpenSheet open = OpenDateTime(session);
    ASSERT_NE(open.sheet, nullptr);
    for (const Stored& s : stored) {
        EXPECT_EQ(Text(open.page, s.edit), std::to_string(s.value)) << s.key;
    }
    SendMessageA(GetDlgItem(open.page, kMinuteEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("5"));
    PressApply(open.sheet);
    EXPECT_EQ(session.IniNumber(kSection, "SetNTPMinute"), 5);
    for (const Stored& s : stored) {
        EXPECT_EQ(session.IniNumber(kSection, s.key), s.value) << s.key;
    }
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_OK));
    ExpectClosesCleanly(session);
}

TEST(TimeServerPage, CancelPutsTheSwitchesBackButADeletionStays) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                          NtpIni({"127.0.0.1", "127.0.1.1", "127.0.1.2"})));
    OpenSheet open = OpenDateTime(session);
    ASSERT_NE(open.sheet, nullptr);
    HWND page = open.page;
    Click(page, kBalloonBox);
    ASSERT_TRUE(WaitFor([&] { return IsChecked(page, kBalloonBox); }));
    SendMessageA(Combo(page), CB_SETCURSEL, 1, 0);
    Click(page, kDeleteButton);
    ASSERT_TRUE(WaitFor([&] { return ComboEntries(page).size() == 2; }));
    EXPECT_EQ(ComboEntries(page), (std::vector<std::string>{"127.0.0.1", "127.0.1.2"}));
    EXPECT_EQ(ComboSelection(page), 1) << "the entry after the deleted one";
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));

    open = OpenDateTime(session);
    ASSERT_NE(open.sheet, nullptr);
    page = open.page;
    EXPECT_FALSE(IsChecked(page, kBalloonBox)) << "cancel put the switch back";
    EXPECT_EQ(ComboEntries(page), (std::vector<std::string>{"127.0.0.1", "127.0.1.2"}))
        << "the deletion stays in memory";
    EXPECT_EQ(ComboSelection(page), 1) << "the server that followed the deletion";
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));
    ExpectClosesCleanly(session);
    EXPECT_EQ(session.IniString(kSection, "NTPServerNameList2"), "127.0.1.1")
        << "nothing written without apply";
    EXPECT_EQ(session.IniNumber(kSection, "NTPTimeUpdateResultBallonHelpOn"), std::nullopt);
}

} // namespace
} // namespace zentrava::e2e
