// Time synchronisation in the running program: the start-up update, its one retry, the
// scheduled update and the request to set the computer's clock, against the time servers the
// test fixture runs on loopback (a real NTP server on 127.0.0.1; nothing answers on
// 127.0.0.99). The test build only records a request to set the computer's clock.

#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrava::e2e {
namespace {

constexpr UINT kTrayIconId = 100;

std::string NtpIni(std::string_view server, std::string_view extra) {
    return "[NTP_Setting]\r\nNTPServerName=" + std::string(server) +
           "\r\nNTPServerNameList1=" + std::string(server) +
           "\r\nNTPTimeUpdateResultBallonHelpOn=1\r\n" + std::string(extra);
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// The scheduled query's line with the second it drew.
constexpr std::string_view kWait = "ntp wait 127.0.0.1 ";

// The second the `nth` scheduled query of minute 55 drew; the program's clock is moved to a
// second before it, so the test need not sit through the wait.
std::optional<int> SkipTheWait(const ZentravaSession& session, SYSTEMTIME at, std::size_t nth) {
    const std::string log = session.EventLogText().value_or("");
    std::size_t line = std::string::npos;
    for (std::size_t i = 0; i < nth; ++i) {
        line = log.find(kWait, line == std::string::npos ? 0 : line + 1);
        if (line == std::string::npos) {
            return std::nullopt;
        }
    }
    const int second = std::atoi(log.c_str() + line + kWait.size());
    if (second > 1) {
        at.wMinute = 55;
        at.wSecond = static_cast<WORD>(second - 1);
        at.wMilliseconds = 500;
        session.LoadClocks(at);
    }
    return second;
}

constexpr std::string_view kGotTime = "NTPサーバーから時刻を取得し時刻を更新しました。";
constexpr std::string_view kFailed = "NTPサーバーからの時刻の取得に失敗しました。";
constexpr std::string_view kTitle = "時刻更新";

TEST(TimeSync, StartUpUpdateTakesTheServersTimeAndSaysSo) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kShipped, "Zentrava",
                          NtpIni("127.0.0.1", "NTPStartUpTimeAdjust=1\r\nNTPAutoUpdate=0\r\n"
                                              "SetLocalTime=0\r\n")));
    ASSERT_TRUE(WaitForTrayIcon(session.mainWindow(), kTrayIconId).has_value());
    const std::optional<BalloonSeen> balloon = WaitForBalloon(10000);
    ASSERT_TRUE(balloon.has_value());
    EXPECT_EQ(balloon->title, kTitle);
    EXPECT_EQ(balloon->text.rfind(kGotTime, 0), 0u) << balloon->text;
    EXPECT_TRUE(EndsWith(balloon->text, "PC内蔵時計時刻補正無し。")) << balloon->text;
    ExpectClosesCleanly(session);
}

TEST(TimeSync, SilentServerIsRetriedOnceThenReportedWhileTheClockTicks) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                          NtpIni("127.0.0.99", "NTPStartUpTimeAdjust=1\r\nNTPAutoUpdate=0\r\n"
                                               "SetLocalTime=0\r\nNTPAccessRetryTime=1\r\n")));
    const std::optional<BalloonSeen> balloon = WaitForBalloon(15000);
    ASSERT_TRUE(balloon.has_value());
    EXPECT_EQ(balloon->title, kTitle);
    EXPECT_EQ(balloon->text, kFailed);

    const std::string log = session.EventLogText().value_or("");
    EXPECT_EQ(Count(log, "ntp start 127.0.0.99"), 2u) << "the query and its one retry\n" << log;
    EXPECT_EQ(Count(log, "ntp result 127.0.0.99 0"), 2u) << log;
    // A second of waiting for each answer: the tick went on meanwhile.
    const std::size_t asked = log.find("ntp start");
    const std::size_t answered = log.find("ntp result", asked);
    ASSERT_NE(answered, std::string::npos);
    EXPECT_GE(Count(std::string_view(log).substr(asked, answered - asked), "\ntick "), 10u) << log;
    EXPECT_EQ(log.find("setclock"), std::string::npos);
    ExpectClosesCleanly(session);
}

TEST(TimeSync, ForcedUpdateAsksForTheComputersClockThroughTheOneDoor) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                          NtpIni("127.0.0.1", "NTPStartUpTimeAdjust=1\r\nNTPAutoUpdate=0\r\n"
                                              "SetLocalTime=1\r\nSetLocalTimeForcedUpdate=1\r\n")));
    const std::optional<BalloonSeen> balloon = WaitForBalloon(10000);
    ASSERT_TRUE(balloon.has_value());
    EXPECT_TRUE(EndsWith(balloon->text, "PC内蔵時計時刻更新。")) << balloon->text;
    const std::string log = session.EventLogText().value_or("");
    EXPECT_EQ(Count(log, "setclock "), 1u) << log;
    EXPECT_NE(log.find("ntp result 127.0.0.1 1 "), std::string::npos) << log;
    // The computer's clock was "set", so the program's clocks follow it, not the answer.
    EXPECT_EQ(log.find("load ntp"), std::string::npos) << log;
    ExpectClosesCleanly(session);
}

TEST(TimeSync, ScheduledUpdateAtItsMinuteLoadsTheServersTime) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                          NtpIni("127.0.0.1", "NTPStartUpTimeAdjust=0\r\nNTPAutoUpdate=1\r\n"
                                              "SetLocalTime=0\r\nSetNTPUpdateTime=2\r\n"
                                              "SetNTPAccessMinuteTime=55\r\n")));
    SYSTEMTIME now{};
    GetLocalTime(&now);
    SYSTEMTIME before = now;
    before.wHour = 10;
    before.wMinute = 54;
    before.wSecond = 59;
    before.wMilliseconds = 500;
    ASSERT_TRUE(session.LoadClocks(before));
    ASSERT_TRUE(WaitFor([&] { return Count(session.EventLogText().value_or(""), kWait) == 1; }));
    ASSERT_TRUE(SkipTheWait(session, before, 1).has_value());
    const std::string log = session.WaitForLogLine("load ntp", 8000);
    ASSERT_NE(log.find("load ntp"), std::string::npos) << log;
    EXPECT_EQ(Count(log, "ntp start 127.0.0.1"), 1u) << log;
    // The answer puts the program back on today's real time, not the 10:55 it was given.
    const std::size_t load = log.find("load ntp ");
    char expected[16];
    std::snprintf(expected, sizeof expected, "%04d-%02d-%02d", now.wYear, now.wMonth, now.wDay);
    EXPECT_EQ(log.substr(load + 9, 10), expected) << log;

    const std::optional<BalloonSeen> balloon = WaitForBalloon(8000);
    ASSERT_TRUE(balloon.has_value());
    EXPECT_TRUE(EndsWith(balloon->text, "PC内蔵時計時刻補正無し。")) << balloon->text;
    EXPECT_EQ(balloon->text.find("リトライ"), std::string::npos);
    ExpectClosesCleanly(session);
}

TEST(TimeSync, ResumeFromSuspendAsksTheServerAgain) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                          NtpIni("127.0.0.1", "NTPStartUpTimeAdjust=1\r\nNTPAutoUpdate=0\r\n"
                                              "SetLocalTime=0\r\n")));
    std::string log = session.WaitForLogLine("ntp result 127.0.0.1", 8000);
    ASSERT_EQ(Count(log, "ntp start 127.0.0.1"), 1u) << log;
    ASSERT_TRUE(session.Send(WM_POWERBROADCAST, PBT_APMSUSPEND, 0).has_value());
    ASSERT_TRUE(session.Send(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0).has_value());
    ASSERT_TRUE(WaitFor(
        [&] {
            log = session.EventLogText().value_or("");
            return Count(log, "ntp result 127.0.0.1") == 2;
        },
        8000))
        << log;
    EXPECT_EQ(Count(log, "ntp start 127.0.0.1"), 2u) << log;
    // The system's time first, the server's when it answers.
    const std::size_t resumed = log.find("load resume");
    ASSERT_NE(resumed, std::string::npos) << log;
    EXPECT_NE(log.find("load ntp", resumed), std::string::npos) << log;
    ExpectClosesCleanly(session);
}

// 127.0.1.18 and 127.0.1.19 are both two hours ahead; 127.0.1.1 keeps the real time.
TEST(TimeSync, ATwoHourCorrectionSetsTheComputersClockOnlyWhenASecondServerAgrees) {
    const struct {
        const char* list;
        const char* witness; // what the event log says of the second opinion
        bool set;
    } cases[] = {
        {"NTPServerNameList2=127.0.1.19\r\n", "ntp witness 127.0.1.19 agrees", true},
        {"NTPServerNameList2=127.0.1.1\r\n", "ntp witness 127.0.1.1 disagrees", false},
        {"", "ntp witness none", false},
    };
    for (const auto& c : cases) {
        ZentravaSession session;
        ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                              NtpIni("127.0.1.18", std::string(c.list) +
                                                       "NTPStartUpTimeAdjust=1\r\n"
                                                       "NTPAutoUpdate=0\r\nSetLocalTime=1\r\n")));
        const std::optional<BalloonSeen> balloon = WaitForBalloon(10000);
        ASSERT_TRUE(balloon.has_value()) << c.witness;
        const std::string log = session.EventLogText().value_or("");
        EXPECT_NE(log.find(c.witness), std::string::npos) << log;
        EXPECT_EQ(Count(log, "setclock "), c.set ? 1u : 0u) << log;
        if (c.set) {
            EXPECT_TRUE(EndsWith(balloon->text, "PC内蔵時計時刻更新。")) << balloon->text;
        } else {
            // The program's own clock follows the answer; the computer's is left for a person.
            EXPECT_NE(balloon->text.find("PC内蔵時計時刻補正保留。"), std::string::npos)
                << balloon->text;
            EXPECT_NE(log.find("load ntp"), std::string::npos) << log;
        }
        ExpectClosesCleanly(session);
    }
}

// Every copy of the program would otherwise ask at hh:55:00 exactly.
TEST(TimeSync, ScheduledQueriesStartAtTheirDrawnSecondOncePerSchedule) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                          NtpIni("127.0.0.1", "NTPStartUpTimeAdjust=0\r\nNTPAutoUpdate=1\r\n"
                                              "SetLocalTime=0\r\nSetNTPUpdateTime=2\r\n"
                                              "SetNTPAccessMinuteTime=55\r\n")));
    SYSTEMTIME at{};
    GetLocalTime(&at);
    at.wMilliseconds = 500;
    std::string log;
    std::vector<int> drawn;
    for (std::size_t run = 1; run <= 2; ++run) {
        at.wHour = static_cast<WORD>(9 + run);
        at.wMinute = 54;
        at.wSecond = 59;
        // The lockout of the run before lasts 55 s from its answer.
        ASSERT_TRUE(WaitFor(
            [&] {
                session.LoadClocks(at);
                Sleep(1500); // past the minute's start
                log = session.EventLogText().value_or("");
                return Count(log, kWait) == run;
            },
            70000))
            << log;
        const std::optional<int> second = SkipTheWait(session, at, run);
        ASSERT_TRUE(second.has_value());
        ASSERT_GE(*second, 0);
        ASSERT_LE(*second, 50);
        drawn.push_back(*second);
        ASSERT_TRUE(WaitFor(
            [&] {
                log = session.EventLogText().value_or("");
                return Count(log, "ntp result 127.0.0.1") == run;
            },
            8000))
            << log;
        char until[32];
        std::snprintf(until, sizeof until, "ntp waited until 55:%02d", *second);
        EXPECT_EQ(Count(log, until),
                  static_cast<std::size_t>(std::count(drawn.begin(), drawn.end(), *second)))
            << log;
        EXPECT_EQ(Count(log, "ntp start 127.0.0.1"), run) << log;
    }
    ExpectClosesCleanly(session);
}

TEST(TimeSync, ClosingWhileAQueryWaitsEndsCleanly) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                          NtpIni("127.0.0.99", "NTPStartUpTimeAdjust=1\r\nNTPAutoUpdate=0\r\n"
                                               "SetLocalTime=0\r\n")));
    const std::string log = session.WaitForLogLine("ntp start 127.0.0.99", 5000);
    ASSERT_NE(log.find("ntp start 127.0.0.99"), std::string::npos) << log;
    ExpectClosesCleanly(session);
}

// How long closing takes from a settled window: Wine's tray alone keeps a close waiting a few
// seconds (docs/ARCHITECTURE.md), so a bound on what a query adds is a bound beyond this.
ULONGLONG CloseMs(ZentravaSession& session, CloseResult& r) {
    EXPECT_TRUE(session.Send(WM_NULL, 0, 0).has_value()) << "the window thread answers";
    const ULONGLONG closing = GetTickCount64();
    r = session.Close(10000);
    return GetTickCount64() - closing;
}

// A dead DNS server: the test build's resolver never comes back from a ".blackhole.invalid"
// name. Closing must not wait for it.
TEST(TimeSync, ClosingWhileANameLookUpHangsEndsWithinThreeSeconds) {
    CloseResult plain;
    ULONGLONG plainMs = 0;
    {
        ZentravaSession session;
        ASSERT_TRUE(
            StartCopy(session, kTestBuild, "Zentrava",
                      NtpIni("127.0.0.1", "NTPStartUpTimeAdjust=0\r\nNTPAutoUpdate=0\r\n")));
        plainMs = CloseMs(session, plain);
        ASSERT_TRUE(plain.exited) << plain.error;
    }

    ZentravaSession session;
    const std::string server = "ntp.blackhole.invalid";
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                          NtpIni(server, "NTPStartUpTimeAdjust=1\r\nNTPAutoUpdate=0\r\n"
                                         "SetLocalTime=1\r\nSetLocalTimeForcedUpdate=1\r\n")));
    const std::string log = session.WaitForLogLine("ntp start " + server, 5000);
    ASSERT_NE(log.find("ntp start " + server), std::string::npos) << log;
    CloseResult r;
    const ULONGLONG stuckMs = CloseMs(session, r);
    EXPECT_TRUE(r.exited) << r.error;
    EXPECT_FALSE(r.terminated) << "had to be killed: " << r.error;
    EXPECT_EQ(r.exitCode, 0u) << r.error;
    EXPECT_LT(stuckMs, plainMs + 3000) << "a close without a query took " << plainMs << " ms";
    const std::string after = session.EventLogText().value_or("");
    EXPECT_NE(after.find("ntp given up"), std::string::npos) << after;
    EXPECT_EQ(after.find("setclock"), std::string::npos) << after;
}

} // namespace
} // namespace zentrava::e2e
