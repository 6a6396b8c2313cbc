// The alarm page of the settings sheet as a user meets it: an alarm set on the page is written
// alone and rings at its minute, refused hours and minutes keep the user where they were, a
// one-shot alarm that rings while the page is open is switched off on the page too, a date
// changed with the keyboard counts as a change, the sound test, and no GDI objects left behind
// by walking the tree.

#include "app/gdi_count_win.h"
#include "e2e/e2e_support.h"
#include "e2e/sheet_support.h"
#include "resources/commands.h"
#include "sound/test_sounds_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace zentrava::e2e {
namespace {

constexpr int kTree = 1945, kHour = 1531, kMinute = 1541, kOn = 1551, kType = 1464;
constexpr int kMemo = 1459, kDate = 1499, kTestPlay = 1164, kTestPause = 1179;
constexpr int kTestClear = 2086, kTestChoose = 1008;
constexpr int kApply = 0x3021;

const char* const kSheetCaption = "アラーム、時報、オーディオ、時間帯、その他の設定";

// A tree item's text, read through memory lent in the program's own process: the tree's
// messages carry pointers, which mean nothing across processes.
std::string ItemText(HWND tree, HTREEITEM handle) {
    DWORD pid = 0;
    GetWindowThreadProcessId(tree, &pid);
    UniqueHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (!process) {
        return "<no process>";
    }
    constexpr SIZE_T kTextSize = 64;
    auto* remote =
        static_cast<char*>(VirtualAllocEx(process.get(), nullptr, sizeof(TVITEMA) + kTextSize,
                                          MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (remote == nullptr) {
        return "<no memory>";
    }
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = handle;
    item.pszText = remote + sizeof(TVITEMA);
    item.cchTextMax = static_cast<int>(kTextSize);
    char text[kTextSize] = {};
    if (WriteProcessMemory(process.get(), remote, &item, sizeof item, nullptr) &&
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote)) != 0) {
        ReadProcessMemory(process.get(), remote + sizeof(TVITEMA), text, kTextSize - 1, nullptr);
    }
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    return text;
}

struct Page {
    HWND sheet = nullptr;
    HWND page = nullptr;

    HWND Item(int id) const { return GetDlgItem(page, id); }
    HWND Tree() const { return Item(kTree); }
    // Alarm n (1-20) in the tree; the root for 0.
    HTREEITEM Alarm(int n) const {
        auto next = [this](HTREEITEM from, WPARAM how) {
            return reinterpret_cast<HTREEITEM>(
                SendMessageA(Tree(), TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
        };
        HTREEITEM item = next(nullptr, TVGN_ROOT);
        if (n > 0) {
            item = next(item, TVGN_CHILD);
            for (int i = 1; i < n && item != nullptr; ++i) {
                item = next(item, TVGN_NEXT);
            }
        }
        return item;
    }
    HTREEITEM Selected() const {
        return reinterpret_cast<HTREEITEM>(SendMessageA(Tree(), TVM_GETNEXTITEM, TVGN_CARET, 0));
    }
    std::string Label(int n) const { return ItemText(Tree(), Alarm(n)); }
    // Posted: a refused change shows a modal box, which a sent message would wait for.
    void Select(int n) const {
        PostMessageA(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Alarm(n)));
        SendMessageTimeoutA(page, WM_NULL, 0, 0, SMTO_NORMAL, 1000, nullptr);
    }
    void Type(int control, const char* text) const {
        SendMessageA(Item(control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    std::string Text(int control) const { return WindowText(Item(control)); }
    void Click(int control) const {
        PostMessageA(Item(control), BM_CLICK, 0, 0);
        SendMessageTimeoutA(page, WM_NULL, 0, 0, SMTO_NORMAL, 1000, nullptr);
    }
    // What choosing a list entry with the mouse does: the selection, then its notification.
    void Choose(int combo, int index) const {
        SendMessageA(Item(combo), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Item(combo)));
    }
    bool Checked(int control) const {
        return SendMessageA(Item(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    bool Enabled(int control) const { return IsWindowEnabled(Item(control)) != FALSE; }
    bool ApplyEnabled() const { return IsWindowEnabled(GetDlgItem(sheet, kApply)) != FALSE; }
    void Press(int button) const { PostMessageA(sheet, PSM_PRESSBUTTON, button, 0); }
    bool Close(int button) const {
        Press(button);
        return WaitFor([this] { return !IsWindow(sheet); }, 5000);
    }
};

Page OpenAlarmPage(ZentravaSession& session) {
    Page p;
    session.Post(WM_COMMAND, kCmdSettingsSheet, 0);
    WaitFor([&] {
        p.sheet = FindDialog(session, kSheetCaption);
        return p.sheet != nullptr;
    });
    if (p.sheet != nullptr) {
        p.page = reinterpret_cast<HWND>(SendMessageA(p.sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }
    return p;
}

std::optional<MessageBoxInfo> WaitForZentravaBox(const ZentravaSession& session) {
    std::optional<MessageBoxInfo> box;
    WaitFor([&] {
        for (const MessageBoxInfo& info : session.MessageBoxes()) {
            if (info.caption == "Zentrava") {
                box = info;
            }
        }
        return box.has_value();
    });
    return box;
}

// Stages the test build with a tone beside it; `makeIni` gets the tone's path.
template <typename MakeIni>
::testing::AssertionResult StartWithTone(ZentravaSession& session, double seconds,
                                         MakeIni makeIni) {
    if (!session.Stage(ProgramPath(kTestBuild), "Zentrava")) {
        return ::testing::AssertionFailure() << session.lastError();
    }
    const std::string tone = session.dir() + "tone.wav";
    if (!WriteFileBytes(tone, ToneWav(seconds)) || !session.WriteIni(makeIni(tone))) {
        return ::testing::AssertionFailure() << "cannot write the tone or the settings";
    }
    if (!session.Launch() || session.WaitForMainWindow() == nullptr) {
        return ::testing::AssertionFailure() << session.lastError();
    }
    return ::testing::AssertionSuccess();
}

TEST(AlarmPage, AnAlarmSetOnThePageIsWrittenAloneAndRingsAtItsMinute) {
    ZentravaSession session;
    ASSERT_TRUE(StartWithTone(session, 0.5, [](const std::string& tone) {
        return "[Sound_Setting]\r\nAlarmSoundFile3=" + tone + "\r\n";
    }));
    const Page open = OpenAlarmPage(session);
    ASSERT_NE(open.page, nullptr) << "no settings sheet";
    EXPECT_EQ(open.Label(0), "アラーム1～20");
    EXPECT_EQ(open.Label(3), "アラーム3");
    const std::optional<std::string> before = session.IniText();

    open.Select(3);
    ASSERT_TRUE(WaitFor([&] { return open.Text(1019) == " 3:"; })) << open.Text(1019);
    open.Type(kHour, "7");
    open.Type(kMinute, "30");
    open.Click(kOn);
    ASSERT_TRUE(WaitFor([&] { return open.Checked(kOn); }));
    open.Choose(kType, 1); // 毎日
    EXPECT_FALSE(open.Enabled(kDate)) << "a daily alarm has no date";
    open.Type(kMemo, "Morning\r\ncall");
    EXPECT_EQ(open.Label(3), "アラーム3*");
    Screenshot(open.sheet, "alarm_page.bmp");
    EXPECT_EQ(session.IniText(), before) << "nothing is written before Apply";

    ASSERT_TRUE(open.ApplyEnabled());
    open.Press(PSBTN_APPLYNOW);
    // The sheet turns Apply off once every page has applied, and so saved.
    ASSERT_TRUE(WaitFor([&] { return !open.ApplyEnabled(); }));
    EXPECT_EQ(session.IniNumber("Alarm_Setting", "AlarmOn03"), 1);
    EXPECT_EQ(session.IniNumber("Alarm_Setting", "Alarmhour03"), 7);
    EXPECT_EQ(session.IniNumber("Alarm_Setting", "AlarmMinute03"), 30);
    EXPECT_EQ(session.IniNumber("Alarm_Setting", "AlarmType03"), 1);
    EXPECT_EQ(session.IniNumber("Alarm_Setting", "AlarmYear03"), 0)
        << "a daily alarm keeps no date";
    EXPECT_EQ(session.IniString("Alarm_Setting", "AlarmMemo03"), "Morningcall");
    const std::string ini = session.IniText().value_or("");
    for (const char* other :
         {"AlarmOn01", "AlarmOn02", "AlarmOn04", "AlarmOn20", "HeightAlarmDlg"}) {
        EXPECT_EQ(ini.find(other), std::string::npos) << other << " written:\n" << ini;
    }
    EXPECT_EQ(open.Label(3), "アラーム3*");
    ASSERT_TRUE(open.Close(PSBTN_OK));

    ASSERT_TRUE(session.LoadClocks(SYSTEMTIME{2024, 6, 6, 1, 7, 29, 57, 0}));
    const std::string log =
        session.WaitForLogLine("command " + std::to_string(kCmdStartAlarmSound), 8000);
    EXPECT_NE(log.find("command " + std::to_string(kCmdStartAlarmSound)), std::string::npos) << log;
    ExpectClosesCleanly(session);
}

TEST(AlarmPage, ARefusedHourOrMinuteKeepsTheAlarmShownAndTheUserOnTheEdit) {
    struct Case {
        int control;
        const char* typed;
        bool byApply; // else by choosing another alarm in the tree
        const char* message;
    };
    const Case cases[] = {
        {kHour, "24", false, "時間の設定は0～23迄です。"},
        {kHour, "-1", false, "時間の設定は0～23迄です。"},
        {kMinute, "60", false, "分の設定は0～59迄です。"},
        {kMinute, "ab", true, "分の設定は0～59迄です。"},
        {kHour, "", true, "時間の設定は0～23迄です。"},
    };
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", "[Alarm_Setting]\r\n"));
    const Page open = OpenAlarmPage(session);
    ASSERT_NE(open.page, nullptr) << "no settings sheet";
    const std::optional<std::string> before = session.IniText();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + (c.byApply ? " by Apply" : " by the tree"));
        open.Type(kHour, "5");
        open.Type(kMinute, "5");
        open.Type(c.control, c.typed);
        if (c.byApply) {
            open.Press(PSBTN_APPLYNOW);
        } else {
            open.Select(2);
        }
        const std::optional<MessageBoxInfo> box = WaitForZentravaBox(session);
        ASSERT_TRUE(box.has_value()) << "no message";
        EXPECT_EQ(box->text, c.message);
        ASSERT_TRUE(session.DismissMessageBox(box->hwnd));

        EXPECT_EQ(open.Selected(), open.Alarm(1)) << "the selection moved";
        EXPECT_EQ(open.Text(1019), " 1:");
        HWND edit = open.Item(c.control);
        EXPECT_TRUE(WaitFor([&] { return FocusOf(edit) == edit; }))
            << "the focus is not on the bad edit";
        EXPECT_EQ(session.IniText(), before) << "a refused value reached the file";
    }
    ASSERT_TRUE(open.Close(PSBTN_CANCEL));
    ExpectClosesCleanly(session);
}

TEST(AlarmPage, AOneShotAlarmThatRingsWhileShownIsSwitchedOffOnThePageAndStaysOff) {
    ZentravaSession session;
    ASSERT_TRUE(StartWithTone(session, 0.5, [](const std::string& tone) {
        return "[Alarm_Setting]\r\nAlarmOn01=1\r\nAlarmYear01=2024\r\nAlarmMonth01=6\r\n"
               "AlarmDay01=1\r\nAlarmHour01=7\r\nAlarmMinute01=5\r\nAlarmType01=0\r\n"
               "[Sound_Setting]\r\nAlarmSoundFile1=" +
               tone + "\r\n";
    }));
    const Page open = OpenAlarmPage(session);
    ASSERT_NE(open.page, nullptr) << "no settings sheet";
    ASSERT_TRUE(open.Checked(kOn));
    EXPECT_EQ(open.Label(1), "アラーム1*");
    open.Type(kMemo, "edited while it rang"); // a pending edit that OK will apply

    ASSERT_TRUE(session.LoadClocks(SYSTEMTIME{2024, 6, 6, 1, 7, 4, 57, 0}));
    const std::string log = session.WaitForLogLine("alarm-page-off 1", 8000);
    ASSERT_NE(log.find("alarm-page-off 1"), std::string::npos) << log;
    EXPECT_TRUE(WaitFor([&] { return !open.Checked(kOn); })) << "the box is still checked";
    EXPECT_EQ(open.Label(1), "アラーム1");
    EXPECT_EQ(session.IniNumber("Alarm_Setting", "AlarmOn01"), 0);

    ASSERT_TRUE(open.Close(PSBTN_OK));
    EXPECT_EQ(session.IniString("Alarm_Setting", "AlarmMemo01"), "edited while it rang");
    EXPECT_EQ(session.IniNumber("Alarm_Setting", "AlarmOn01"), 0) << "OK switched it on again";
    ExpectClosesCleanly(session);
}

TEST(AlarmPage, ADateChangedWithTheKeyboardAloneIsAChange) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                          "[Alarm_Setting]\r\nAlarmYear01=2030\r\nAlarmMonth01=5\r\n"
                          "AlarmDay01=10\r\nAlarmHour01=8\r\n"));
    const Page open = OpenAlarmPage(session);
    ASSERT_NE(open.page, nullptr) << "no settings sheet";
    ASSERT_FALSE(open.ApplyEnabled());
    // The picker's own keys: the day field is not the first, so move to it and step it down.
    HWND date = open.Item(kDate);
    // The picker takes keys only while it has the focus, which no other process can give it.
    SendMessageA(date, WM_SETFOCUS, 0, 0);
    for (WPARAM key : {VK_RIGHT, VK_DOWN}) {
        SendMessageA(date, WM_KEYDOWN, key, 0);
        SendMessageA(date, WM_KEYUP, key, 0);
    }
    ASSERT_TRUE(WaitFor([&] { return open.ApplyEnabled(); }, 2000)) << "Apply stayed off";
    open.Press(PSBTN_APPLYNOW);
    ASSERT_TRUE(WaitFor([&] { return !open.ApplyEnabled(); }));
    const long long year = session.IniNumber("Alarm_Setting", "AlarmYear01").value_or(0);
    const long long month = session.IniNumber("Alarm_Setting", "AlarmMonth01").value_or(0);
    const long long day = session.IniNumber("Alarm_Setting", "AlarmDay01").value_or(0);
    EXPECT_NE(year * 10000 + month * 100 + day, 20300510) << "the typed date was not written";
    EXPECT_EQ(session.IniNumber("Alarm_Setting", "Alarmhour01"), 8);
    ASSERT_TRUE(open.Close(PSBTN_CANCEL));
    ExpectClosesCleanly(session);
}

TEST(AlarmPage, TheSoundTestEndsByItselfOrWithOkAndItsButtonsComeBack) {
    struct Case {
        double seconds;
        bool pressOk; // else the tone ends by itself
    };
    for (const Case c : {Case{0.5, false}, Case{8.0, true}}) {
        SCOPED_TRACE(c.pressOk ? "OK" : "by itself");
        ZentravaSession session;
        ASSERT_TRUE(StartWithTone(session, c.seconds, [](const std::string& tone) {
            return "[Sound_Setting]\r\nTestSoundFile=" + tone + "\r\n";
        }));
        const Page open = OpenAlarmPage(session);
        ASSERT_NE(open.page, nullptr) << "no settings sheet";
        ASSERT_TRUE(open.Enabled(kTestPlay));
        EXPECT_FALSE(open.Enabled(kTestPause));
        ForgetCapture();
        open.Click(kTestPlay);
        // The pause button is the last control the page changes when the test starts.
        ASSERT_TRUE(WaitFor([&] { return open.Enabled(kTestPause); }, 3000))
            << "the test did not start";
        EXPECT_FALSE(open.Enabled(kTestClear));
        EXPECT_FALSE(open.Enabled(kTestChoose));
        EXPECT_EQ(open.Text(kTestPlay), "停止(&P)");
        if (c.pressOk) {
            if (!CapturePath().empty()) {
                Sleep(1000);
                EXPECT_GT(ReadCapture(CapturePath()).soundFrames, 0u)
                    << "the test reached the output";
            }
            ASSERT_TRUE(open.Close(PSBTN_OK));
            const std::string log = session.WaitForLogLine("mci stop", 3000);
            EXPECT_NE(log.find("mci stop"), std::string::npos) << "the test sound plays on";
        } else {
            EXPECT_TRUE(WaitFor([&] { return open.Enabled(kTestClear); }, 5000))
                << "Clr stayed off after the sound ended";
            EXPECT_EQ(open.Text(kTestPlay), "再生テスト(&P)");
            EXPECT_FALSE(open.Enabled(kTestPause));
            ASSERT_TRUE(open.Close(PSBTN_CANCEL));
        }
        ExpectClosesCleanly(session);
    }
}

TEST(AlarmPage, ATestSoundChosenOnThePageIsTheOneThatPlays) {
    ZentravaSession session;
    // No test sound yet: the tone lies beside the program for the user to choose.
    ASSERT_TRUE(StartWithTone(session, 8.0, [](const std::string&) { return std::string(); }));
    const Page open = OpenAlarmPage(session);
    ASSERT_NE(open.page, nullptr) << "no settings sheet";
    EXPECT_FALSE(open.Enabled(kTestPlay)) << "nothing to play yet";
    open.Click(kTestChoose);
    HWND chooser = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        chooser = FindDialog(session, "ファイルの選択");
        return chooser != nullptr;
    })) << "no file chooser";
    constexpr int kFileName = 1148; // the chooser's file name box
    SetDlgItemTextA(chooser, kFileName, (session.dir() + "tone.wav").c_str());
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return open.Text(1007) == "tone.wav"; })) << open.Text(1007);
    ASSERT_TRUE(open.Enabled(kTestPlay));
    open.Click(kTestPlay);
    EXPECT_TRUE(WaitFor([&] { return !open.Enabled(kTestClear); }, 3000))
        << "the chosen sound did not start";
    EXPECT_NE(session.WaitForLogLine("mci play").find("mci play"), std::string::npos);
    ASSERT_TRUE(open.Close(PSBTN_OK));
    EXPECT_EQ(session.IniString("Sound_Setting", "TestSoundFile"), session.dir() + "tone.wav");
    ExpectClosesCleanly(session);
}

TEST(AlarmPage, WalkingTheTreeLeavesNoGdiObjectsBehind) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                          "[Alarm_Setting]\r\nAlarmDlgColor02=255\r\nAlarmDlgColor03=65280\r\n"));
    const Page open = OpenAlarmPage(session);
    ASSERT_NE(open.page, nullptr) << "no settings sheet";
    auto count = [&] { return SettledGdiObjectsOf(session.process().handle()); };
    auto selectAndWait = [&](int n) {
        open.Select(n);
        return WaitFor([&] { return open.Selected() == open.Alarm(n); }, 2000);
    };
    // For some seconds after start the program's count still grows, whatever the page does
    // (the platform fills its own caches as the clock paints); measured from where it settled.
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(selectAndWait(i % 3 + 1)) << i;
    }
    long before = count();
    for (int waited = 0; waited < 30; ++waited) {
        Sleep(1000);
        const long now = count();
        if (now == before) {
            break;
        }
        before = now;
    }
    ASSERT_GT(before, 0) << "GDI objects cannot be counted here";
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(selectAndWait(i % 3 + 1)) << i;
    }
    ASSERT_TRUE(selectAndWait(1));
    EXPECT_EQ(count(), before);
    ASSERT_TRUE(open.Close(PSBTN_CANCEL));
    ExpectClosesCleanly(session);
}

} // namespace
} // namespace zentrava::e2e
