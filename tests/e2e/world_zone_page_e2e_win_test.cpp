// The world-zone page of the settings sheet as a user meets it: a refused offset, an applied
// zone that the face shows at once without the clock being reloaded, and a picture whose file
// is missing that an Apply must not erase.

#include "e2e/sheet_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace zentrava::e2e {
namespace {

constexpr const char* kSection = "TimeZone_Diff_Setting";
constexpr int kZonePage = 7;

// Zone n (0 or 1) adds n.
constexpr int kHourEdit = 1770;
constexpr int kShowBox = 1850;
constexpr int kSummerBox = 1870;
constexpr int kGroup = 1860;
constexpr int kPictureName = 1007;
constexpr int kRotateBox = 1873;
constexpr int kChooseButton = 1008;
constexpr int kClearButton = 2086;

std::string IniOnZonePage(const std::string& more) {
    return "[Window_Position]\r\nAudioFilePropertySheetPos=" + std::to_string(kZonePage) +
           "\r\nWindow_Width=200\r\nWindow_Height=200\r\n" + more;
}

// Sent: the boxes open nothing, and the test reads the page right after.
void Click(HWND page, int control) {
    SendMessageA(GetDlgItem(page, control), BM_CLICK, 0, 0);
}

// The open-file dialog's name field: the edit with the id of its combo box (0x47C), or the edit
// 0x480 of the older layout.
HWND FileNameField(HWND dialog) {
    struct Search {
        HWND found = nullptr;
    } search;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM out) -> BOOL {
            const int id = GetDlgCtrlID(child);
            if (WindowClassName(child) == "Edit" && (id == 0x47C || id == 0x480)) {
                reinterpret_cast<Search*>(out)->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Chooses `path` in the page's picture chooser as a user types it.
::testing::AssertionResult ChooseInFileDialog(const ZentravaSession& session, HWND page,
                                              const std::string& path) {
    PostMessageA(GetDlgItem(page, kChooseButton), BM_CLICK, 0, 0);
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = FindDialog(session, "ファイルの選択")) != nullptr; },
                 10000)) {
        std::string shown;
        for (HWND w : session.process().TopLevelWindows("#32770")) {
            shown.append(WindowText(w)).append(" | ");
        }
        return ::testing::AssertionFailure() << "no file chooser; dialogs: " << shown;
    }
    HWND field = nullptr;
    if (!WaitFor([&] { return (field = FileNameField(dialog)) != nullptr; })) {
        return ::testing::AssertionFailure() << "no file name field";
    }
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    if (!WaitFor([dialog] { return !IsWindow(dialog); })) {
        return ::testing::AssertionFailure() << "the chooser stayed open";
    }
    return ::testing::AssertionSuccess();
}

TEST(WorldZonePage, AnHourOutsideTheRangeKeepsTheUserOnItAndWritesNothing) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava", IniOnZonePage({})));
    const OpenSheet open = OpenSettings(session);
    ASSERT_NE(open.sheet, nullptr) << "no settings sheet";
    EXPECT_EQ(Text(open.page, kGroup), "タイムゾーン設定01:(GMT,BST)");
    EXPECT_EQ(Text(open.page, kGroup + 1), "タイムゾーン設定02:(EST,DST)");
    Screenshot(open.sheet, "world_zone_page.bmp");
    const std::optional<std::string> before = session.IniText();

    Type(open.page, kHourEdit, "-12");
    PostMessageA(open.sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    const std::optional<MessageBoxInfo> box = WaitForProgramMessage(session);
    ASSERT_TRUE(box.has_value()) << "no message";
    EXPECT_EQ(box->text, "タイムゾーンの時間設定は-11～11迄です。");
    ASSERT_TRUE(session.DismissMessageBox(box->hwnd));

    HWND edit = GetDlgItem(open.page, kHourEdit);
    EXPECT_TRUE(WaitFor([&] { return FocusOf(open.sheet) == edit; }))
        << "the focus is not on the bad hour";
    const auto selection = static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0));
    EXPECT_EQ(HIWORD(selection), 3) << "the whole bad value is selected";
    EXPECT_EQ(SendMessageA(open.sheet, PSM_GETCURRENTPAGEHWND, 0, 0),
              reinterpret_cast<LRESULT>(open.page));
    EXPECT_EQ(session.IniText(), before) << "nothing reached the settings file";
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));
    ExpectClosesCleanly(session);
    EXPECT_FALSE(session.IniNumber(kSection, "TimeZoneDiffHour01").has_value());
}

// At 06:15 JST on 1 June 2024 it is 17:15 in US Eastern summer time: on the 24-hour dial (15
// degrees an hour, hour 0 at the top) zone 2's hand points to 17.25 x 15 degrees, and without
// summer time it would point an hour earlier.
TEST(WorldZonePage, AnAppliedZoneShowsAtOnceWithoutReloadingTheClock) {
    constexpr std::uint32_t kZoneGreen = 0x00FF00;
    ZentravaSession session;
    ASSERT_TRUE(
        StartCopy(session, kTestBuild, "Zentrava",
                  IniOnZonePage("[Clock_Setting]\r\nSecondHandDispOnOff=0\r\nDigitalDateMode=0\r\n"
                                "DigitalTimeMode=0\r\nJSTStringOnOff=0\r\n12H_24H_Setting=1\r\n"
                                "[TimeZone_Diff_Setting]\r\nTimeZoneDiffColor02=65280\r\n")));
    const SYSTEMTIME t{2024, 6, 6, 1, 6, 15, 0, 0};
    ASSERT_TRUE(session.LoadClocks(t)) << session.lastError();
    session.WaitForLogLine("tick 2024-06-01 06:15:00.500 ", 5000);

    const OpenSheet open = OpenSettings(session);
    ASSERT_NE(open.sheet, nullptr) << "no settings sheet";
    Type(open.page, kHourEdit + 1, "-5");
    Click(open.page, kSummerBox + 1);
    Click(open.page, kShowBox + 1);
    const std::size_t loadsBefore = Count(session.EventLogText().value_or(""), "load ");
    PressApply(open.sheet);

    EXPECT_EQ(session.IniNumber(kSection, "TimeZoneDiffHour02"), -5);
    EXPECT_EQ(session.IniNumber(kSection, "TimeZoneDiffMinute02"), 0);
    EXPECT_EQ(session.IniNumber(kSection, "TimeZoneDiffSummerTimeOnFlag02"), 1);
    EXPECT_EQ(session.IniNumber(kSection, "TimeZoneDiffOnFlag02"), 1);
    EXPECT_EQ(session.IniNumber(kSection, "TimeZoneDiffColor02"), 65280);
    EXPECT_EQ(session.IniNumber(kSection, "TimeZoneDiffOnFlag01"), 0);

    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_OK));
    Sleep(300); // the face repaints after the apply
    const std::string path = session.dir() + "zone_face.bmp";
    ASSERT_TRUE(session.SaveBackBuffer(path)) << session.lastError();
    const std::string log = session.EventLogText().value_or("");
    EXPECT_EQ(Count(log, "load "), loadsBefore) << "the apply reloaded the clock:\n" << log;
    ExpectClosesCleanly(session);

    Bitmap face;
    ASSERT_TRUE(face.Load(path));
    ASSERT_EQ(face.width, 200);
    // cx = cy = 100, R = 96.
    EXPECT_EQ(AlongAxis(face, 100, 100, 96, 17.25 * 15, 0.3), kZoneGreen) << "zone 2's hand";
    EXPECT_NE(AlongAxis(face, 100, 100, 96, 16.25 * 15, 0.3), kZoneGreen)
        << "summer time was not applied";
}

TEST(WorldZonePage, APictureWhoseFileIsMissingSurvivesAnApply) {
    const std::string missing = "Z:\\no\\such\\folder\\holiday.jpg";
    ZentravaSession session;
    ASSERT_TRUE(
        StartCopy(session, kTestBuild, "Zentrava",
                  IniOnZonePage("[TimeZone_Diff_Setting]\r\nBkGndPicFile=" + missing + "\r\n")));
    const OpenSheet open = OpenSettings(session);
    ASSERT_NE(open.sheet, nullptr) << "no settings sheet";
    EXPECT_EQ(Text(open.page, kPictureName), "holiday.jpg") << "the configured picture is named";
    Click(open.page, kRotateBox);
    PressApply(open.sheet);
    EXPECT_EQ(session.IniNumber(kSection, "PicRotEnable"), 1);
    EXPECT_EQ(session.IniString(kSection, "BkGndPicFile", "absent"), missing);
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_OK));
    ExpectClosesCleanly(session);
    EXPECT_EQ(session.IniString(kSection, "BkGndPicFile", "absent"), missing);
}

// A file of another kind is refused with a message and leaves the page's picture as it was; a
// picture is taken whatever the case of its extension and shows on the face once applied;
// "Clr" empties the path and the face shows its own colour again.
TEST(WorldZonePage, TheChooserTakesAPictureAndARefusedFileLeavesThePictureAsItWas) {
    ZentravaSession session;
    ASSERT_TRUE(session.Stage(ProgramPath(kTestBuild), "Zentrava"));
    const std::string first = session.dir() + "first.bmp";
    const std::string notes = session.dir() + "notes.txt";
    const std::string sunset = session.dir() + "sunset.PNG";
    for (const std::string& file : {first, notes}) {
        ASSERT_TRUE(WriteWholeFile(file, "not really a picture"));
    }
    constexpr std::uint32_t kRed = 0x0000FF;
    ASSERT_TRUE(WriteWholeFile(sunset, Bmp24(40, 30, [](int, int) { return kRed; })));
    ASSERT_TRUE(session.WriteIni(IniOnZonePage(
        "[Clock_Setting]\r\nSecondHandDispOnOff=0\r\nDigitalDateMode=0\r\n"
        "DigitalTimeMode=0\r\nJSTStringOnOff=0\r\n[TimeZone_Diff_Setting]\r\nBkGndPicFile=" +
        first + "\r\n")));
    ASSERT_TRUE(session.Launch());
    ASSERT_NE(session.WaitForMainWindow(), nullptr);
    const OpenSheet open = OpenSettings(session);
    ASSERT_NE(open.sheet, nullptr) << "no settings sheet";
    EXPECT_EQ(Text(open.page, kPictureName), "first.bmp");

    ASSERT_TRUE(ChooseInFileDialog(session, open.page, notes));
    const std::optional<MessageBoxInfo> box = WaitForProgramMessage(session);
    ASSERT_TRUE(box.has_value()) << "no message";
    EXPECT_EQ(box->text, "画像ファイルではありません。");
    ASSERT_TRUE(session.DismissMessageBox(box->hwnd));
    EXPECT_EQ(Text(open.page, kPictureName), "first.bmp");
    Click(open.page, kRotateBox);
    PressApply(open.sheet);
    EXPECT_EQ(session.IniString(kSection, "BkGndPicFile", "absent"), first)
        << "the refused file erased the picture";

    ASSERT_TRUE(ChooseInFileDialog(session, open.page, sunset));
    EXPECT_TRUE(WaitFor([&] { return Text(open.page, kPictureName) == "sunset.PNG"; }));
    PressApply(open.sheet);
    EXPECT_EQ(session.IniString(kSection, "BkGndPicFile", "absent"), sunset);
    // 03:00: the hands point up and right, the lower left of the face is clear.
    const auto faceBelowLeft = [&session] {
        const SYSTEMTIME t{2024, 6, 6, 1, 3, 0, 0, 0};
        session.LoadClocks(t);
        session.WaitForLogLine("tick 2024-06-01 03:00:00.500 ", 5000);
        const std::string path = session.dir() + "picture_face.bmp";
        Bitmap face;
        return session.SaveBackBuffer(path) && face.Load(path) ? face.At(100 - 40, 100 + 40)
                                                               : 0xFFFFFFFFu;
    };
    EXPECT_EQ(faceBelowLeft(), kRed) << "the applied picture shows";

    Click(open.page, kClearButton);
    EXPECT_EQ(Text(open.page, kPictureName), "");
    PressApply(open.sheet);
    EXPECT_EQ(session.IniString(kSection, "BkGndPicFile", "absent"), "");
    EXPECT_EQ(faceBelowLeft(), 0xFFFFFFu) << "the face colour after Clr";
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_OK));
    ExpectClosesCleanly(session);
}

} // namespace
} // namespace zentrava::e2e
