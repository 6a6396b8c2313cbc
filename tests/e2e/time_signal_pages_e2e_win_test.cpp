// The time-signal pages of the settings sheet as a user meets them: typing a custom time
// signal, Apply and Cancel, refused values, the per-hour sounds and the on/off dialog, each
// checked in the settings file the program writes.

#include "e2e/sheet_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

namespace zentrava::e2e {
namespace {

constexpr const char* kSection = "Time_Signal_Setting";
constexpr const char* kSection30 = "Time_Signal_Setting_30";

// Controls of the "時報設定" page (row r adds r) and of the other dialogs.
constexpr int kHourEdit = 1266;
constexpr int kMinuteEdit = 1276;
constexpr int kSecondEdit = 1360;
constexpr int kMSecondEdit = 1374;
constexpr int kRowLabel = 1287;
constexpr int kRowOn = 1317;
constexpr int kNextHalf = 1580;
constexpr int kMSecondEnable = 1396;
constexpr int kEachSignalButton = 1454;
constexpr int kEachHourBox = 1555;
constexpr int kSoundName = 2001;
constexpr int kSoundClear = 2101;
constexpr int kSoundEnable = 2061;
constexpr int kHourStartSecondEdit = 1371;
constexpr int kHourStartMSecondEdit = 1394;
constexpr int kHalfStartMinuteEdit = 1328;

constexpr int kTimeSignalPage = 1;
constexpr int kHourlySoundsPage = 2;
constexpr int kHalfHourlySoundsPage = 3;

std::string IniWith(int startPage, const std::string& more = {}) {
    return "[Window_Position]\r\nAudioFilePropertySheetPos=" + std::to_string(startPage) + "\r\n" +
           more;
}

// Posted: a click may open a modal dialog in the program.
void Click(HWND dialog, int control) {
    PostMessageA(GetDlgItem(dialog, control), BM_CLICK, 0, 0);
}

bool IsChecked(HWND dialog, int control) {
    return SendMessageA(GetDlgItem(dialog, control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

TEST(TimeSignalPage, ACustomSignalTypedInEitherHalfIsSavedOnApply) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", IniWith(kTimeSignalPage)));
    const OpenSheet open = OpenSettings(session);
    ASSERT_NE(open.sheet, nullptr) << "no settings sheet";
    HWND page = open.page;
    EXPECT_EQ(Text(page, kRowLabel), " 1:");
    EXPECT_EQ(Text(page, kRowLabel + 9), "10:");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, kMSecondEdit)))
        << "milliseconds are off by default";
    Screenshot(open.sheet, "time_signal_page.bmp");

    Type(page, kHourEdit + 2, "7");
    Type(page, kMinuteEdit + 2, "8");
    Type(page, kSecondEdit + 2, "9");
    Click(page, kRowOn + 2);
    SendMessageA(page, WM_NULL, 0, 0);
    // Entry 13: the row's first place in the other half.
    Click(page, kNextHalf);
    ASSERT_TRUE(WaitFor([&] { return Text(page, kRowLabel + 2) == "13:"; }))
        << "the second half did not show";
    EXPECT_EQ(Text(page, kHourEdit + 2), "0") << "entry 13 is still at its default";
    Type(page, kHourEdit + 2, "23");
    Type(page, kMinuteEdit + 2, "59");
    Type(page, kSecondEdit + 2, "59");
    Click(page, kMSecondEnable);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(page, kMSecondEdit + 2)); }));
    Type(page, kMSecondEdit + 2, "500");
    PressApply(open.sheet);

    EXPECT_EQ(session.IniNumber(kSection, "TimeSignalHour03"), 7);
    EXPECT_EQ(session.IniNumber(kSection, "TimeSignalMinute03"), 8);
    EXPECT_EQ(session.IniNumber(kSection, "TimeSignalSecond03"), 9);
    EXPECT_EQ(session.IniNumber(kSection, "TimeSignalOn03"), 1);
    EXPECT_EQ(session.IniNumber(kSection, "TimeSignalHour13"), 23);
    EXPECT_EQ(session.IniNumber(kSection, "TimeSignalMinute13"), 59);
    EXPECT_EQ(session.IniNumber(kSection, "TimeSignalSecond13"), 59);
    EXPECT_EQ(session.IniNumber(kSection, "TimeSignalMSecond13"), 500);
    EXPECT_EQ(session.IniNumber(kSection, "TimeSignalOn13"), 0);
    EXPECT_EQ(session.IniNumber(kSection, "TimeSignalMSecondEnable"), 1);
    EXPECT_EQ(session.IniNumber(kSection, "TimeSignalMinuteBase"), 59) << "start times kept";
    EXPECT_EQ(session.IniNumber(kSection, "TimeSignalSecondBase30"), 57);

    // Back in the first half, the entry typed there is still shown.
    Click(page, kNextHalf);
    ASSERT_TRUE(WaitFor([&] { return Text(page, kRowLabel + 2) == " 3:"; }));
    EXPECT_EQ(Text(page, kHourEdit + 2), "7");
    EXPECT_TRUE(IsChecked(page, kRowOn + 2));
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_OK));
    ExpectClosesCleanly(session);
}

TEST(TimeSignalPage, ARefusedValueShowsItsMessageKeepsTheUserOnItAndWritesNothing) {
    struct Case {
        int control;
        const char* typed;
        const char* message;
    };
    const Case cases[] = {
        {kHourEdit + 4, "24", "時間の設定は0～23迄です。"},
        {kMinuteEdit, "6x", "分の設定は0～59迄です。"},
        {kSecondEdit + 9, "-5", "秒の設定は0～59迄です。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ZentravaSession session;
        ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", IniWith(kTimeSignalPage)));
        const OpenSheet open = OpenSettings(session);
        ASSERT_NE(open.sheet, nullptr);
        const std::optional<std::string> before = session.IniText();
        Type(open.page, kHourEdit + 1, "5"); // a good change beside the bad one
        Type(open.page, c.control, c.typed);
        PostMessageA(open.sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);

        const std::optional<MessageBoxInfo> box = WaitForProgramMessage(session);
        ASSERT_TRUE(box.has_value()) << "no message";
        EXPECT_EQ(box->text, c.message);
        if (c.control == kHourEdit + 4) {
            Screenshot(box->hwnd, "time_signal_refused.bmp");
        }
        ASSERT_TRUE(session.DismissMessageBox(box->hwnd));

        const DWORD thread = GetWindowThreadProcessId(open.sheet, nullptr);
        HWND edit = GetDlgItem(open.page, c.control);
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        EXPECT_TRUE(WaitFor([&] {
            return GetGUIThreadInfo(thread, &gui) && gui.hwndFocus == edit;
        })) << "the focus is not on the bad edit";
        const auto selection = static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0));
        EXPECT_EQ(LOWORD(selection), 0);
        EXPECT_EQ(HIWORD(selection), 2) << "the whole bad value is selected";
        EXPECT_EQ(CurrentPage(open.sheet), open.page);
        EXPECT_EQ(session.IniText(), before) << "nothing reached the settings file";

        ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));
        EXPECT_EQ(session.IniText(), before);
        ExpectClosesCleanly(session);
        EXPECT_FALSE(session.IniNumber(kSection, "TimeSignalHour02").has_value());
    }
}

TEST(TimeSignalPage, CancelReturnsToTheLastApplyAndTheSheetReopensOnThePage) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", IniWith(kTimeSignalPage)));
    OpenSheet open = OpenSettings(session);
    ASSERT_NE(open.sheet, nullptr);
    Type(open.page, kHourEdit, "7");
    PressApply(open.sheet);
    Type(open.page, kHourEdit, "9");
    Click(open.page, kRowOn);
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));
    EXPECT_EQ(session.IniNumber(kSection, "TimeSignalHour01"), 7);
    EXPECT_EQ(session.IniNumber(kSection, "TimeSignalOn01"), 0);

    open = OpenSettings(session);
    ASSERT_NE(open.sheet, nullptr);
    EXPECT_EQ(Text(open.page, kHourEdit), "7") << "the live settings went back to the apply";
    EXPECT_FALSE(IsChecked(open.page, kRowOn));
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_OK));
    ExpectClosesCleanly(session);
    EXPECT_EQ(session.IniNumber(kSection, "TimeSignalHour01"), 7);
}

TEST(TimeSignalPage, TheOnOffDialogChangesTheWorkingCopyOnlyOnOk) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", IniWith(kTimeSignalPage)));
    const OpenSheet open = OpenSettings(session);
    ASSERT_NE(open.sheet, nullptr);

    Click(open.page, kEachSignalButton);
    HWND dialog = WaitForDialog(session, "各時報のオンオフ設定");
    ASSERT_NE(dialog, nullptr) << "no on/off dialog";
    EXPECT_TRUE(IsChecked(dialog, kEachHourBox + 3)) << "every hour is on by default";
    Screenshot(dialog, "each_time_signal.bmp");
    Click(dialog, kEachHourBox + 3);
    SendMessageA(dialog, WM_NULL, 0, 0);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));

    Click(open.page, kEachSignalButton);
    dialog = WaitForDialog(session, "各時報のオンオフ設定");
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsChecked(dialog, kEachHourBox + 3)) << "the dialog shows the working copy";
    Click(dialog, kEachHourBox + 4);
    SendMessageA(dialog, WM_NULL, 0, 0);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));

    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_OK));
    EXPECT_EQ(session.IniNumber(kSection, "EachTimeSignalFlag03"), 0);
    EXPECT_EQ(session.IniNumber(kSection, "EachTimeSignalFlag04"), 1);
    EXPECT_EQ(session.IniNumber(kSection, "EachTimeSignalFlag0330"), 1);
    ExpectClosesCleanly(session);
}

TEST(TimeSignalPage, TheOtherHalfIsNotShownWhileAShownRowIsRefused) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", IniWith(kTimeSignalPage)));
    const OpenSheet open = OpenSettings(session);
    ASSERT_NE(open.sheet, nullptr);
    Type(open.page, kMinuteEdit + 6, "60");
    Click(open.page, kNextHalf);
    const std::optional<MessageBoxInfo> box = WaitForProgramMessage(session);
    ASSERT_TRUE(box.has_value()) << "no message";
    EXPECT_EQ(box->text, "分の設定は0～59迄です。");
    ASSERT_TRUE(session.DismissMessageBox(box->hwnd));
    EXPECT_EQ(Text(open.page, kRowLabel), " 1:");
    EXPECT_EQ(Text(open.page, kMinuteEdit + 6), "60") << "the user's text stays to be mended";
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));
    ExpectClosesCleanly(session);
}

// A hand-edited file may hold numbers that the page's up-down controls cannot reach. The page
// shows them as stored, and an apply of another field writes them back as they were: a signal
// must not start at a moment nobody set.
TEST(TimeSignalPage, ValuesOutsideTheControlsRangesSurviveAnApplyOfAnotherField) {
    struct Stored {
        const char* key;
        int value;
        int shownIn; // the edit of the first half showing it, 0 for none
    };
    const Stored stored[] = {
        {"TimeSignalHour01", 99, kHourEdit},
        {"TimeSignalSecond02", 75, kSecondEdit + 1},
        {"TimeSignalMSecond02", 975, kMSecondEdit + 1},
        {"TimeSignalMinute12", -4, 0},
        {"TimeSignalSecondBase", 75, kHourStartSecondEdit},
        {"TimeSignalMinuteBase30", 61, kHalfStartMinuteEdit},
        {"TimeSignalMSecondBase", 1000, kHourStartMSecondEdit},
    };
    std::string ini = "[Time_Signal_Setting]\r\nTimeSignalMSecondEnable=1\r\n";
    for (const Stored& s : stored) {
        ini += std::string(s.key) + "=" + std::to_string(s.value) + "\r\n";
    }
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", IniWith(kTimeSignalPage, ini)));
    const OpenSheet open = OpenSettings(session);
    ASSERT_NE(open.sheet, nullptr);
    for (const Stored& s : stored) {
        if (s.shownIn != 0) {
            EXPECT_EQ(Text(open.page, s.shownIn), std::to_string(s.value)) << s.key;
        }
    }
    Type(open.page, kHourEdit + 2, "7");
    PressApply(open.sheet);
    EXPECT_EQ(session.IniNumber(kSection, "TimeSignalHour03"), 7) << "the typed field";
    for (const Stored& s : stored) {
        EXPECT_EQ(session.IniNumber(kSection, s.key), s.value) << s.key;
    }

    // The other half and back: nothing typed there, nothing refused or rewritten.
    Click(open.page, kNextHalf);
    ASSERT_TRUE(WaitFor([&] { return Text(open.page, kRowLabel) == "11:"; }));
    EXPECT_EQ(Text(open.page, kMinuteEdit + 1), "-4");
    Click(open.page, kNextHalf);
    ASSERT_TRUE(WaitFor([&] { return Text(open.page, kRowLabel) == " 1:"; }));
    // What the user types over a stored value is what gets written.
    Type(open.page, kMinuteEdit + 2, "8");
    Type(open.page, kHourStartSecondEdit, "58");
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_OK));
    EXPECT_TRUE(session.MessageBoxes().empty());
    EXPECT_EQ(session.IniNumber(kSection, "TimeSignalMinute03"), 8);
    for (const Stored& s : stored) {
        const bool typedOver = s.shownIn == kHourStartSecondEdit;
        EXPECT_EQ(session.IniNumber(kSection, s.key), typedOver ? 58 : s.value) << s.key;
    }
    ExpectClosesCleanly(session);
}

// Each page applies only its own part: a page that was created before another page's apply
// must not put back, with its own apply, what that other page had applied.
TEST(TimeSignalPages, ApplyingOnePageKeepsWhatAnotherAppliedBefore) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", IniWith(kTimeSignalPage)));
    OpenSheet open = OpenSettings(session);
    ASSERT_NE(open.sheet, nullptr);
    HWND signal = open.page; // its copies are taken now, before the hourly page applies

    SendMessageA(open.sheet, PSM_SETCURSEL, kHourlySoundsPage, 0);
    HWND hourly = CurrentPage(open.sheet);
    ASSERT_NE(hourly, signal);
    Click(hourly, kSoundEnable);
    SendMessageA(hourly, WM_NULL, 0, 0);
    PressApply(open.sheet);
    ASSERT_EQ(session.IniNumber(kSection, "CustumTimeSignalSoundEnable"), 1);

    SendMessageA(open.sheet, PSM_SETCURSEL, kTimeSignalPage, 0);
    ASSERT_EQ(CurrentPage(open.sheet), signal);
    Type(signal, kHourEdit, "6");
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_OK));
    EXPECT_EQ(session.IniNumber(kSection, "TimeSignalHour01"), 6);

    open = OpenSettings(session);
    ASSERT_NE(open.sheet, nullptr);
    SendMessageA(open.sheet, PSM_SETCURSEL, kHourlySoundsPage, 0);
    EXPECT_TRUE(IsChecked(CurrentPage(open.sheet), kSoundEnable))
        << "the time-signal page's apply put back the hourly switch";
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));
    ExpectClosesCleanly(session);
}

TEST(ChimeSoundsPages, ShowTheirFilesAndSaveTheSwitchAndAClearedFile) {
    struct Case {
        int pageIndex;
        const char* section;
        const char* fileKey;  // hour 5
        const char* otherKey; // hour 6
        const char* enableKey;
        const char* shot;
    };
    const Case cases[] = {
        {kHourlySoundsPage, kSection, "TimeSignalSoundFile05", "TimeSignalSoundFile06",
         "CustumTimeSignalSoundEnable", "hourly_sounds_page.bmp"},
        {kHalfHourlySoundsPage, kSection30, "TimeSignalSoundFile0530", "TimeSignalSoundFile0630",
         "CustumTimeSignalSoundEnable30", "half_hourly_sounds_page.bmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        ZentravaSession session;
        ASSERT_TRUE(session.Stage(ProgramPath(kTestBuild), "Zentrava"));
        const std::string chime = session.dir() + "\\chime.wav";
        const std::string other = session.dir() + "\\other.mp3";
        ASSERT_TRUE(WriteWholeFile(chime, "RIFF"));
        ASSERT_TRUE(WriteWholeFile(other, "ID3"));
        std::string files = "[";
        files += c.section;
        files += "]\r\n";
        for (const auto& [key, path] :
             {std::pair{c.fileKey, chime}, std::pair{c.otherKey, other}}) {
            files += key;
            files += "=";
            files += path;
            files += "\r\n";
        }
        const std::string ini = IniWith(c.pageIndex, files);
        ASSERT_TRUE(session.WriteIni(ini));
        ASSERT_TRUE(session.Launch());
        ASSERT_NE(session.WaitForMainWindow(), nullptr);

        const OpenSheet open = OpenSettings(session);
        ASSERT_NE(open.sheet, nullptr);
        EXPECT_EQ(Text(open.page, kSoundName + 5), "chime.wav");
        EXPECT_EQ(Text(open.page, kSoundName + 6), "other.mp3");
        EXPECT_EQ(Text(open.page, kSoundName + 4), "");
        Screenshot(open.sheet, c.shot);
        Click(open.page, kSoundEnable);
        Click(open.page, kSoundClear + 5);
        SendMessageA(open.page, WM_NULL, 0, 0);
        EXPECT_EQ(Text(open.page, kSoundName + 5), "");
        PressApply(open.sheet);

        EXPECT_EQ(session.IniNumber(c.section, c.enableKey), 1);
        EXPECT_EQ(session.IniString(c.section, c.fileKey, "missing"), "");
        ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));
        ExpectClosesCleanly(session);
        EXPECT_EQ(session.IniNumber(c.section, c.enableKey), 1) << "cancel writes nothing";
    }
}

} // namespace
} // namespace zentrava::e2e
