// Start-up, settings file, single instance, the basic commands and the tick as seen from
// outside: each test runs its own copy of the program in its own temporary folder.

#include "e2e/e2e_support.h"
#include "resources/commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace zentrava::e2e {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string w; in >> w;) {
        words.push_back(w);
    }
    return words;
}

std::int64_t Ms(const SYSTEMTIME& t) {
    return ToMilliseconds(t).value_or(-1);
}

// --- First start ---------------------------------------------------------------------------

TEST(FirstStart, ClockAppearsAt200By200AsABorderlessSquareWithoutTaskbarButton) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava"));
    const WindowState s = session.WaitForState([](const WindowState& w) { return w.visible; });

    EXPECT_TRUE(s.visible);
    EXPECT_EQ(s.rect.left, 200);
    EXPECT_EQ(s.rect.top, 200);
    EXPECT_EQ(s.width(), 128);
    EXPECT_EQ(s.height(), 128);
    EXPECT_FALSE(s.zoomed);
    EXPECT_NE(s.style & WS_POPUP, 0);
    EXPECT_EQ(s.style & WS_CAPTION, 0) << "the clock has no title bar";
    EXPECT_EQ(s.exStyle & WS_EX_APPWINDOW, 0) << "the clock must not get a task bar button";
    ASSERT_NE(s.owner, nullptr) << "an unowned popup gets a task bar button";
    EXPECT_EQ(s.ownerClass, kOwnerWindowClass);
    EXPECT_FALSE(s.ownerVisible);

    ExpectClosesCleanly(session);
}

TEST(FirstStart, SettingsFileIsNamedAfterTheProgramAndTheUser) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Clock"));
    ExpectClosesCleanly(session);

    const std::string expected = "Clock_" + CurrentUserName() + ".ini";
    EXPECT_EQ(session.IniPath(), session.dir() + expected);
    EXPECT_EQ(ListFiles(session.dir(), "*.ini"), std::vector<std::string>{expected});
    EXPECT_EQ(session.IniNumber("Window_Position", "Window_X_Pos"), 200);
    EXPECT_EQ(session.IniNumber("Window_Position", "Window_Y_Pos"), 200);
    EXPECT_EQ(session.IniNumber("Window_Position", "Window_Width"), 128);
    EXPECT_EQ(session.IniNumber("Window_Position", "Window_Height"), 128);
    EXPECT_EQ(session.IniNumber("Window_Position", "WindowDispOn"), 1);
    EXPECT_EQ(session.IniNumber("Window_Position", "Window_Maximized"), 0);
}

// --- Single instance -----------------------------------------------------------------------

TEST(SingleInstance, SecondCopyStepsAsideSilentlyAndTheFirstKeepsRunning) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava"));
    session.WaitForState([](const WindowState& w) { return w.visible; });

    ChildProcess second;
    ASSERT_TRUE(session.LaunchAnother(second)) << session.lastError();
    const ULONGLONG start = GetTickCount64();
    bool showedWindow = false;
    std::optional<DWORD> code;
    while (!(code = second.WaitForExit(10)) && GetTickCount64() - start < 8000) {
        for (HWND w : second.TopLevelWindows()) {
            showedWindow = showedWindow || IsWindowVisible(w) != FALSE;
        }
    }
    const ULONGLONG took = GetTickCount64() - start;
    ASSERT_TRUE(code.has_value()) << "the second copy is still running";
    EXPECT_EQ(*code, 0u);
    EXPECT_LT(took, 5000u);
    EXPECT_FALSE(showedWindow) << "the second copy showed a window or message box";

    EXPECT_TRUE(session.process().Running());
    EXPECT_TRUE(session.MainState().visible);
    ExpectClosesCleanly(session);
}

// --- Saved placement -----------------------------------------------------------------------

TEST(SavedPlacement, StartsHiddenWhenTheClockWasHidden) {
    ZentravaSession session;
    ASSERT_TRUE(
        StartCopy(session, kShipped, "Zentrava", "[Window_Position]\r\nWindowDispOn=0\r\n"));
    const WindowState s = session.MainState();
    EXPECT_TRUE(s.exists);
    EXPECT_FALSE(s.visible);
    ExpectClosesCleanly(session);
    EXPECT_EQ(session.IniNumber("Window_Position", "WindowDispOn"), 0);
}

TEST(SavedPlacement, ReopensWhereAndAsLargeAsItWasLeft) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava",
                          "[Window_Position]\r\nWindow_X_Pos=310\r\nWindow_Y_Pos=245\r\n"
                          "Window_Width=200\r\nWindow_Height=180\r\nWindowDispOn=1\r\n"
                          "Window_Maximized=0\r\n"));
    const WindowState s = session.WaitForState([](const WindowState& w) { return w.visible; });
    EXPECT_TRUE(s.visible);
    EXPECT_EQ(s.rect.left, 310);
    EXPECT_EQ(s.rect.top, 245);
    EXPECT_EQ(s.width(), 200);
    EXPECT_EQ(s.height(), 180);
    ExpectClosesCleanly(session);
    EXPECT_EQ(session.IniNumber("Window_Position", "Window_X_Pos"), 310);
    EXPECT_EQ(session.IniNumber("Window_Position", "Window_Width"), 200);
}

struct DamagedIni {
    const char* name;
    const char* text;
};

void PrintTo(const DamagedIni& ini, std::ostream* os) {
    *os << ini.name;
}

class DamagedSettings : public ::testing::TestWithParam<DamagedIni> {};

TEST_P(DamagedSettings, StillShowAUsableClockAndCloseCleanly) {
    ZentravaSession session;
    const std::string ini = std::string("[Window_Position]\r\n") + GetParam().text;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava", ini));
    const WindowState s = session.WaitForState([](const WindowState& w) { return w.visible; });
    EXPECT_TRUE(s.visible);
    EXPECT_GE(s.width(), 64);
    EXPECT_GE(s.height(), 64);
    EXPECT_LE(s.width(), GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_LE(s.height(), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    ExpectClosesCleanly(session);
}

INSTANTIATE_TEST_SUITE_P(
    Garbage, DamagedSettings,
    ::testing::Values(
        DamagedIni{"ZeroAndNegativeSize", "Window_Width=0\r\nWindow_Height=-5\r\n"},
        DamagedIni{"Letters", "Window_X_Pos=abc\r\nWindow_Y_Pos=abc\r\nWindow_Width=abc\r\n"
                              "Window_Height=abc\r\nWindow_Maximized=abc\r\n"},
        DamagedIni{"HugeNumbers", "Window_X_Pos=99999999999\r\nWindow_Y_Pos=-99999999999\r\n"
                                  "Window_Width=99999999999\r\nWindow_Height=99999999999\r\n"},
        DamagedIni{"EmptyValues", "Window_X_Pos=\r\nWindow_Width=\r\nWindow_Height=\r\n"},
        // Lead bytes with nothing valid after them, a header never closed, and world-zone
        // offsets whose arithmetic would overflow if they were used as read.
        DamagedIni{"BrokenBytesAndExtremeZones",
                   "Window_Width=\x81\r\n\xFF\xFE\x82[Window_Position\r\nWindow_Height=\x9F\r\n"
                   "[TimeZone_Diff_Setting]\r\nTimeZoneDiffHour01=2147483647\r\n"
                   "TimeZoneDiffMinute01=-2147483648\r\nTimeZoneDiffSummerTimeOnFlag01=1\r\n"
                   "TimeZoneDiffHour02=-2147483648\r\nTimeZoneDiffMinute02=4294967295\r\n"
                   "TimeZoneDiffSummerTimeOnFlag02=1\r\n"}),
    [](const ::testing::TestParamInfo<DamagedIni>& p) { return p.param.name; });

// --- Commands ------------------------------------------------------------------------------

// A clock started hidden has not yet been asked to stay on top.
constexpr const char* kStartHidden = "[Window_Position]\r\nWindowDispOn=0\r\n";

TEST(Commands, AlwaysOnTopCanBeSwitchedOn) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava", kStartHidden));
    ASSERT_FALSE(session.MainState().topmost) << "precondition: not on top before the command";
    ASSERT_TRUE(session.Command(kCmdTopmost, 1).has_value()) << session.lastError();
    EXPECT_TRUE(session.WaitForState([](const WindowState& w) { return w.topmost; }).topmost);
    ExpectClosesCleanly(session);
}

bool RunningUnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

TEST(Commands, AlwaysOnTopCanBeSwitchedOff) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava", kStartHidden));
    ASSERT_TRUE(session.Command(kCmdTopmost, 1).has_value()) << session.lastError();
    ASSERT_TRUE(session.Command(kCmdTopmost, 0).has_value()) << session.lastError();
    const bool topmost =
        session.WaitForState([](const WindowState& w) { return !w.topmost; }, 1000).topmost;
    ExpectClosesCleanly(session);
    if (topmost && RunningUnderWine()) {
        GTEST_SKIP() << "Wine 8 keeps WS_EX_TOPMOST on an owned popup after HWND_NOTOPMOST";
    }
    EXPECT_FALSE(topmost);
}

TEST(Commands, ExitEndsTheProgramCleanly) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava"));
    ASSERT_TRUE(session.Command(kCmdExit)) << session.lastError();
    const std::optional<DWORD> code = session.WaitForExit(5000);
    ASSERT_TRUE(code.has_value()) << "still running after the exit command";
    EXPECT_EQ(*code, 0u);
    EXPECT_TRUE(FileExists(session.IniPath())) << "exit must save the settings";
}

// --- Tick, seen through the test build's event log ------------------------------------------

struct TickLine {
    bool jump = false;
    std::string time;
    std::int64_t ms = -1;
    std::vector<std::string> duties;
};

std::optional<TickLine> ParseTickLine(const std::string& line) {
    const std::vector<std::string> w = Words(line);
    const bool jump = !w.empty() && w[0] == "jump";
    const std::size_t timeAt = jump ? 2 : 1;
    if (w.empty() || (w[0] != "tick" && !jump) || w.size() < timeAt + 2) {
        return std::nullopt;
    }
    TickLine t;
    t.jump = jump;
    t.time = w[timeAt] + " " + w[timeAt + 1];
    const std::optional<SYSTEMTIME> st = ParseLogTime(t.time);
    if (!st) {
        return std::nullopt;
    }
    t.ms = Ms(*st);
    t.duties.assign(w.begin() + static_cast<std::ptrdiff_t>(timeAt + 2), w.end());
    return t;
}

bool Has(const std::vector<std::string>& v, const char* s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}

bool NoneTwice(std::vector<std::string> duties) {
    std::sort(duties.begin(), duties.end());
    return std::adjacent_find(duties.begin(), duties.end()) == duties.end();
}

// Position of a duty in the line; the end when it did not run.
std::ptrdiff_t IndexOf(const std::vector<std::string>& v, const char* s) {
    return std::find(v.begin(), v.end(), s) - v.begin();
}

// The tick lines logged after the clocks were loaded with loadTime, from the first one that
// continues from it; a tick under way during the load may still log the old time first.
std::vector<TickLine> TicksAfterLoad(const std::string& log, const SYSTEMTIME& loadTime) {
    const std::vector<std::string> lines = Lines(log);
    const std::string marker = "load hook " + FormatLogTime(loadTime);
    const auto loadLine = std::find(lines.begin(), lines.end(), marker);
    std::vector<TickLine> ticks;
    if (loadLine == lines.end()) {
        return ticks;
    }
    const std::int64_t loaded = Ms(loadTime);
    for (auto it = loadLine + 1; it != lines.end(); ++it) {
        std::optional<TickLine> t = ParseTickLine(*it);
        if (!t) {
            continue;
        }
        if (ticks.empty() && !(t->ms > loaded && t->ms <= loaded + 50)) {
            continue;
        }
        ticks.push_back(*t);
    }
    return ticks;
}

TEST(TickLog, MinuteDutiesRunOnceAtTheTurnOfTheMinuteAndTicksStepBy50Ms) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava"));
    const SYSTEMTIME load{2024, 12, 2, 31, 23, 59, 58, 0};
    ASSERT_TRUE(session.LoadClocks(load)) << session.lastError();
    const std::string log = session.WaitForLogLine("tick 2025-01-01 00:00:00.500", 8000);
    ExpectClosesCleanly(session);

    const std::vector<TickLine> ticks = TicksAfterLoad(log, load);
    ASSERT_FALSE(ticks.empty()) << "no tick continued from the loaded time; log:\n" << log;
    EXPECT_EQ(ticks.front().time, "2024-12-31 23:59:58.050");
    ASSERT_GE(ticks.size(), 50u) << log;

    int alarms = 0;
    int ntp = 0;
    bool sawMinute = false;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        const TickLine& t = ticks[i];
        SCOPED_TRACE(t.time);
        EXPECT_FALSE(t.jump) << "the clock jumped instead of ticking";
        if (i > 0) {
            EXPECT_EQ(t.ms - ticks[i - 1].ms, 50) << "after " << ticks[i - 1].time;
        }
        EXPECT_TRUE(NoneTwice(t.duties)) << "a duty ran twice in one tick";
        alarms += Has(t.duties, "alarms") ? 1 : 0;
        ntp += Has(t.duties, "ntp") ? 1 : 0;
        if (t.ms % 1000 == 0) {
            EXPECT_TRUE(Has(t.duties, "tooltip"));
            EXPECT_TRUE(Has(t.duties, "invalidate"));
        }
        if (t.time == "2025-01-01 00:00:00.000") {
            sawMinute = true;
            EXPECT_TRUE(Has(t.duties, "alarms"));
            EXPECT_TRUE(Has(t.duties, "ntp"));
            EXPECT_LT(IndexOf(t.duties, "alarms"), IndexOf(t.duties, "ntp"))
                << "alarms must be checked before the time server";
        }
    }
    EXPECT_TRUE(sawMinute) << log;
    EXPECT_EQ(alarms, 1);
    EXPECT_EQ(ntp, 1);
}

struct ClockReading {
    SYSTEMTIME time{};
    bool found = false;
};

// "<name> Year Month Day DaysInMonth DayOfWeek Millisecond Second MinuteTicks Minute
//  HourTicks Hour ..."
ClockReading FindClock(const std::string& records, const std::string& name) {
    ClockReading r;
    for (const std::string& line : Lines(records)) {
        const std::vector<std::string> w = Words(line);
        if (w.size() < 12 || w[0] != name) {
            continue;
        }
        const auto n = [&w](std::size_t i) { return static_cast<WORD>(std::atoi(w[i].c_str())); };
        r.time = SYSTEMTIME{n(1), n(2), 0, n(3), n(11), n(9), n(7), n(6)};
        r.found = true;
    }
    return r;
}

TEST(TickLog, LoadedClocksCarryIntoTheNewYearWithUtcNineHoursBehind) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava"));
    const SYSTEMTIME load{2024, 12, 2, 31, 23, 59, 59, 900};
    ASSERT_TRUE(session.LoadClocks(load)) << session.lastError();
    session.WaitForLogLine("tick 2025-01-01 00:00:00.100", 5000);
    const std::optional<std::string> records = session.ReadClocks();
    ExpectClosesCleanly(session);
    ASSERT_TRUE(records.has_value()) << session.lastError();

    const ClockReading local = FindClock(*records, "LocalClock");
    const ClockReading utc = FindClock(*records, "UtcClock");
    ASSERT_TRUE(local.found) << *records;
    ASSERT_TRUE(utc.found) << *records;
    EXPECT_EQ(local.time.wYear, 2025);
    EXPECT_EQ(local.time.wMonth, 1);
    EXPECT_EQ(local.time.wDay, 1);
    // Whole seconds: only LocalClock's milliseconds step with the tick.
    EXPECT_EQ(Ms(local.time) / 1000 - Ms(utc.time) / 1000, 9 * 3600) << *records;
}

TEST(TickLog, SettingTheComputersClockIsOnlyRecorded) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava"));
    SYSTEMTIME before;
    GetLocalTime(&before);
    const ULONGLONG startTicks = GetTickCount64();

    const SYSTEMTIME wanted{2031, 5, 2, 6, 7, 8, 9, 10};
    EXPECT_TRUE(session.RequestSystemClock(wanted)) << session.lastError();
    const std::string expected = "setclock " + FormatLogTime(wanted);
    const std::string log = session.WaitForLogLine(expected);
    EXPECT_NE(log.find(expected), std::string::npos) << log;

    SYSTEMTIME after;
    GetLocalTime(&after);
    const auto elapsed = static_cast<std::int64_t>(GetTickCount64() - startTicks);
    EXPECT_LT(std::llabs(Ms(after) - Ms(before) - elapsed), 2000)
        << "the computer's clock moved: " << FormatLogTime(before) << " -> "
        << FormatLogTime(after);
    ExpectClosesCleanly(session);
}

} // namespace
} // namespace zentrava::e2e
