// The quick timer as the user meets it: the menu opens its window, the buttons set the time,
// the start counts down on the clock's own ticks, and the end plays the sound and opens the
// notification, whether the window is still open or not.

#include "base/test_hooks.h"
#include "base/win_handles_win.h"
#include "e2e/e2e_support.h"
#include "e2e/sheet_support.h"
#include "resources/commands.h"
#include "sound/test_sounds_win.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zentrava::e2e {
namespace {

// "Zentravaクイックタイマー", "Zentrava クイックタイマー通知",
// "クイックタイマーの時間になりました。".
const std::string kCaption =
    "Zentrava\x83\x4E\x83\x43\x83\x62\x83\x4E\x83\x5E\x83\x43\x83\x7D\x81\x5B";
const std::string kNoticeCaption = "Zentrava \x83\x4E\x83\x43\x83\x62\x83\x4E\x83\x5E\x83\x43\x83"
                                   "\x7D\x81\x5B\x92\xCA\x92\x6D";
const std::string kNoticeText = "\x83\x4E\x83\x43\x83\x62\x83\x4E\x83\x5E\x83\x43\x83\x7D\x81\x5B"
                                "\x82\xCC\x8E\x9E\x8A\xD4\x82\xC9\x82\xC8\x82\xE8\x82\xDC\x82\xB5"
                                "\x82\xBD\x81\x42";
const std::string kStart = "\x83\x58\x83\x5E\x81\x5B\x83\x67"; // スタート
const std::string kStop = "\x83\x58\x83\x67\x83\x62\x83\x76";  // ストップ

constexpr int kDisplay = 2072;
constexpr int kOneMinute = 2073;
constexpr int kStartButton = 2079;
constexpr int kPictureChoose = 2081;
constexpr int kPictureName = 1944;

// The test build with a long tone as the quick timer's sound and, when given, its picture.
::testing::AssertionResult StartWithTimerFiles(ZentravaSession& session,
                                               const std::string& pictureBmp = {}) {
    if (!session.Stage(ProgramPath(kTestBuild), "Zentrava")) {
        return ::testing::AssertionFailure() << session.lastError();
    }
    const std::string sound = session.dir() + "kitchen.wav";
    const std::string picture = pictureBmp.empty() ? "" : session.dir() + "noodles.bmp";
    if (!WriteFileBytes(sound, ToneWav(8.0)) ||
        (!picture.empty() && !WriteWholeFile(picture, pictureBmp)) ||
        !session.WriteIni("[QuickTimer_Setting]\r\nQuickTimerSoundFile=" + sound +
                          "\r\nQuickTimerImgFile=" + picture + "\r\n")) {
        return ::testing::AssertionFailure() << "cannot write the files";
    }
    if (!session.Launch() || session.WaitForMainWindow() == nullptr) {
        return ::testing::AssertionFailure() << session.lastError();
    }
    return ::testing::AssertionSuccess();
}

HWND OpenTimerWindow(const ZentravaSession& session) {
    if (!session.Command(kCmdQuickTimer).has_value()) {
        return nullptr;
    }
    HWND window = nullptr;
    WaitFor([&] { return (window = FindDialog(session, kCaption)) != nullptr; }, 5000);
    return window;
}

void Click(HWND window, int control) {
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, control)));
}

bool Logged(const ZentravaSession& session, const std::string& line) {
    return session.WaitForLogLine(line).find(line) != std::string::npos;
}

bool Preset(const ZentravaSession& session, std::int32_t seconds) {
    return session.CopyData(hooks::kPresetQuickTimer, &seconds, sizeof seconds) == 1;
}

// The ticks that counted the quick timer down: their log lines name the duty.
std::size_t CountingTicks(const std::string& log) {
    std::size_t n = 0;
    std::size_t line = 0;
    while (line < log.size()) {
        std::size_t end = log.find('\n', line);
        end = end == std::string::npos ? log.size() : end;
        const std::string_view text(log.data() + line, end - line);
        if (text.starts_with("tick ") && text.find(" quicktimer") != std::string_view::npos) {
            ++n;
        }
        line = end + 1;
    }
    return n;
}

TEST(QuickTimer, SetStartAndRunOutWithSoundAndNotification) {
    ZentravaSession session;
    ASSERT_TRUE(StartWithTimerFiles(session));
    const HWND first = OpenTimerWindow(session);
    ASSERT_NE(first, nullptr) << "no quick timer window";
    EXPECT_EQ(GetWindow(first, GW_OWNER), session.mainWindow());

    // Nothing set: the start does nothing.
    Click(first, kStartButton);
    EXPECT_EQ(WindowText(GetDlgItem(first, kStartButton)), kStart);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(first, kOneMinute)));

    Click(first, kOneMinute);
    EXPECT_TRUE(Logged(session, "quicktimer-shows 0:01:00"));

    // The menu again: a fresh window, the time set kept.
    const HWND window = OpenTimerWindow(session);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindow(first));
    Screenshot(window, "quick_timer.bmp");

    ASSERT_TRUE(Preset(session, 3));
    ForgetCapture();
    Click(window, kStartButton);
    EXPECT_EQ(WindowText(GetDlgItem(window, kStartButton)), kStop);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, kOneMinute)));

    HWND notice = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (notice = FindDialog(session, kNoticeCaption)) != nullptr; }, 8000))
        << "no notification";
    EXPECT_EQ(WindowText(GetDlgItem(notice, 1487)), kNoticeText);
    EXPECT_TRUE(WaitFor([&] {
        return WindowText(GetDlgItem(window, kStartButton)) == kStart &&
               IsWindowEnabled(GetDlgItem(window, kOneMinute));
    })) << "the window shows the stopped timer again";
    Sleep(200); // the tick line of the last counting step is written at the next step
    std::string log = session.WaitForLogLine("notification-open -1");
    EXPECT_EQ(CountingTicks(log), 60u) << log;
    EXPECT_NE(log.find("mci play", log.find("quicktimer-up")), std::string::npos) << log;
    EXPECT_EQ(Count(log, "quicktimer-start"), 1u) << "the start at 0:00:00 started nothing";
    EXPECT_EQ(Count(log, "quicktimer-up"), 1u);
    EXPECT_TRUE(Logged(session, "quicktimer-shows 0:00:00"));

    SendMessageA(notice, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(Logged(session, "notification-close -1"));
    ExpectClosesCleanly(session);
    if (!CapturePath().empty()) {
        const Capture c = ReadCapture(CapturePath());
        EXPECT_TRUE(c.found);
        EXPECT_GT(c.soundFrames, 0u) << "the quick timer reached the sound output";
    }
}

// With its picture: the notification shows the picture fitted (100 x 50 becomes 480 x 240)
// with the text over it instead of the text box.
TEST(QuickTimer, RunsOutAfterItsWindowWasClosedWithItsPicture) {
    ZentravaSession session;
    ASSERT_TRUE(
        StartWithTimerFiles(session, Bmp24(100, 50, [](int, int) { return RGB(255, 128, 0); })));
    const HWND window = OpenTimerWindow(session);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(Preset(session, 2));
    Click(window, kStartButton);
    SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(window); }, 3000));

    HWND notice = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (notice = FindDialog(session, kNoticeCaption)) != nullptr; }, 8000))
        << "no notification";
    RECT client{};
    GetClientRect(notice, &client);
    EXPECT_EQ(client.right, 480);
    EXPECT_EQ(client.bottom, 240);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(notice, 1487)));
    Sleep(300);
    EXPECT_GT(BlackPixelsOverPicture(notice), 20) << "the text over the picture";
    Screenshot(notice, "quick_timer_notice.bmp");
    const std::string log = session.WaitForLogLine("mci play");
    EXPECT_NE(log.find("mci play", log.find("quicktimer-up")), std::string::npos) << log;
    SendMessageA(notice, WM_COMMAND, IDOK, 0);
    ExpectClosesCleanly(session);
}

// The file chooser's loop runs inside the window: the menu does not pull the window from under
// it, a chosen picture is saved when the window closes, and the clock can exit meanwhile.
TEST(QuickTimer, FileChooserKeepsItsWindowUntilItReturns) {
    ZentravaSession session;
    ASSERT_TRUE(StartWithTimerFiles(session));
    ASSERT_TRUE(WriteWholeFile(session.dir() + "noodles.bmp",
                               Bmp24(8, 8, [](int, int) { return RGB(0, 0, 255); })));
    const auto openChooser = [&](HWND window) {
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(kPictureChoose, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, kPictureChoose)));
        HWND chooser = nullptr;
        WaitFor([&] { return (chooser = FindDialog(session, "ファイルの選択")) != nullptr; });
        return chooser;
    };
    const HWND window = OpenTimerWindow(session);
    ASSERT_NE(window, nullptr);
    HWND chooser = openChooser(window);
    ASSERT_NE(chooser, nullptr) << "no file chooser";
    ASSERT_TRUE(session.Command(kCmdQuickTimer).has_value());
    EXPECT_TRUE(IsWindow(chooser));
    EXPECT_EQ(FindDialog(session, kCaption), window) << "replaced while its chooser was up";

    constexpr int kFileName = 1148; // the chooser's file name box
    SetDlgItemTextA(chooser, kFileName, (session.dir() + "noodles.bmp").c_str());
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(
        WaitFor([&] { return WindowText(GetDlgItem(window, kPictureName)) == "noodles.bmp"; }));
    SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(session.IniString("QuickTimer_Setting", "QuickTimerImgFile"),
              session.dir() + "noodles.bmp");

    const HWND again = OpenTimerWindow(session);
    ASSERT_NE(again, nullptr);
    ASSERT_NE(openChooser(again), nullptr);
    ExpectClosesCleanly(session);
}

// Holds every thread of the process for a while, as a machine too busy to run it would.
bool HoldThreads(DWORD processId, DWORD ms) {
    const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) {
        return false;
    }
    std::vector<UniqueHandle> held;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more != FALSE;
         more = Thread32Next(snapshot.get(), &entry)) {
        if (entry.th32OwnerProcessID != processId) {
            continue;
        }
        UniqueHandle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID));
        if (thread && SuspendThread(thread.get()) != static_cast<DWORD>(-1)) {
            held.push_back(std::move(thread));
        }
    }
    Sleep(ms);
    for (const UniqueHandle& thread : held) {
        ResumeThread(thread.get());
    }
    return !held.empty();
}

// A stall of the clock is taken off the run at once: it ends about when it would have without
// the stall, not later by the stall's length.
TEST(QuickTimer, StallIsTakenOffTheRun) {
    ZentravaSession session;
    ASSERT_TRUE(StartWithTimerFiles(session));
    const HWND window = OpenTimerWindow(session);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(Preset(session, 8));
    Click(window, kStartButton);
    const ULONGLONG started = GetTickCount64();
    ASSERT_TRUE(HoldThreads(session.process().id(), 6000));
    const std::string log = session.WaitForLogLine("quicktimer-up", 10000);
    const ULONGLONG ended = GetTickCount64();
    ASSERT_NE(log.find("quicktimer-up"), std::string::npos) << log;
    EXPECT_NE(log.find(" skip"), std::string::npos) << "no jump over the stall\n" << log;
    EXPECT_LT(ended - started, 11000u) << "rang late by the stall";
    EXPECT_EQ(Count(log, "quicktimer-up"), 1u);
    ExpectClosesCleanly(session);
}

} // namespace
} // namespace zentrava::e2e
