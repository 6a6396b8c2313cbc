// The query worker with real Winsock, against the time servers the test fixture runs on
// loopback: a real NTP server on 127.0.0.1, nothing on 127.0.0.99. The setter of the
// computer's clock is replaced by a recorder in every case.

#include "clock/clocks_win.h"
#include "clock/platform_time_win.h"
#include "timesync/fake_ntp_servers.h"
#include "timesync/ntp_worker_win.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace zentrava {
namespace {

struct SetterRecord {
    int calls = 0;
    SYSTEMTIME asked{};
    bool answer = true;
};
SetterRecord& Record() {
    static SetterRecord record;
    return record;
}
bool RecordingSetter(const SYSTEMTIME& t) {
    ++Record().calls;
    Record().asked = t;
    return Record().answer;
}

class Worker : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = InstallSystemClockSetter(&RecordingSetter);
        Record() = SetterRecord{};
        window_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                  nullptr);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override {
        WaitForNtpWorker();
        DestroyWindow(window_);
        InstallSystemClockSetter(previous_);
    }

    NtpJob Job(const std::string& server, int setLocalTime = 0, int forced = 0) const {
        NtpJob job;
        job.query = NtpQuery{NtpUpdateKind::StartUp, server, setLocalTime, forced, {}};
        job.notify = window_;
        return job;
    }

    // Pumps this thread's messages until the worker's result arrives.
    std::optional<NtpJobResult> Await(DWORD timeoutMs = 5000) {
        const ULONGLONG end = GetTickCount64() + timeoutMs;
        while (GetTickCount64() < end) {
            MSG msg;
            while (PeekMessageA(&msg, window_, 0, 0, PM_REMOVE)) {
                if (msg.message == kNtpResultMessage) {
                    return TakeNtpResult(window_);
                }
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
        return std::nullopt;
    }

    HWND window_ = nullptr;
    SystemClockSetter previous_ = nullptr;
};

TEST_F(Worker, RealServerOnLoopbackGivesATimeAndLeavesTheComputersClock) {
    ASSERT_TRUE(StartNtpJob(Job("127.0.0.1")));
    const std::optional<NtpJobResult> r = Await();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->outcome.error, QueryError::None);
    EXPECT_EQ(r->outcome.result, SetResult::NotSet);
    EXPECT_EQ(Record().calls, 0);
    // One machine, one clock: the offset is what the two readings of it differ by.
    EXPECT_LT(std::abs(TicksToSeconds(r->exchange.sample.offset)), 0.01)
        << "delay " << TicksToSeconds(r->exchange.sample.delay);
    EXPECT_GE(r->exchange.sample.delay, 0);
    EXPECT_LT(TicksToSeconds(r->exchange.sample.delay), 0.05);
    EXPECT_EQ(r->exchange.reply.mode, 4);
    // The corrected time is the server's time at T4.
    EXPECT_LT(std::llabs(r->outcome.corrected - r->exchange.t4), 100'000);
}

TEST_F(Worker, ForcedUpdateAsksTheSetterForTheServersLocalTime) {
    ASSERT_TRUE(StartNtpJob(Job("127.0.0.1", 1, 1)));
    const std::optional<NtpJobResult> r = Await();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->outcome.result, SetResult::Set);
    ASSERT_EQ(Record().calls, 1);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    FILETIME a{};
    FILETIME b{};
    SystemTimeToFileTime(&Record().asked, &a);
    SystemTimeToFileTime(&now, &b);
    EXPECT_LT(std::llabs(FileTicks(b) - FileTicks(a)), 5'000'000)
        << "local time, within half a second";
}

TEST_F(Worker, RefusedSetterIsReportedAsFailedSetting) {
    Record().answer = false;
    ASSERT_TRUE(StartNtpJob(Job("127.0.0.1", 1, 1)));
    const std::optional<NtpJobResult> r = Await();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->outcome.result, SetResult::SetFailed);
    EXPECT_EQ(Record().calls, 1);
}

TEST_F(Worker, SilentServerEndsAfterTheSecondAndOneQueryRunsAtATime) {
    const ULONGLONG started = GetTickCount64();
    ASSERT_TRUE(StartNtpJob(Job("127.0.0.99")));
    EXPECT_TRUE(NtpWorkerBusy());
    EXPECT_FALSE(StartNtpJob(Job("127.0.0.1"))) << "a second query while one is in flight";
    const std::optional<NtpJobResult> r = Await();
    ASSERT_TRUE(r.has_value());
    EXPECT_GE(GetTickCount64() - started, 900u);
    EXPECT_EQ(r->outcome.error, QueryError::NoAnswer);
    EXPECT_EQ(r->outcome.result, SetResult::NoTime);
    EXPECT_EQ(r->job.query.server, "127.0.0.99");
    EXPECT_FALSE(NtpWorkerBusy());
    EXPECT_TRUE(StartNtpJob(Job("127.0.0.1")));
    EXPECT_TRUE(Await().has_value());
}

// Each way a server can answer badly, through Winsock: the datagrams that are not our answer
// are waited past, the answers without a time end the query, the right time comes through.
TEST_F(Worker, EveryKindOfAnswerEndsAsItShould) {
    for (const fake_ntp::Server& server : fake_ntp::kFakeNtpServers) {
        const std::string address(server.address);
        ASSERT_TRUE(StartNtpJob(Job(address))) << address;
        const std::optional<NtpJobResult> r = Await();
        ASSERT_TRUE(r.has_value()) << address;
        const NtpQueryOutcome& o = r->outcome;
        if (server.answered) {
            EXPECT_EQ(o.error, QueryError::None) << address;
            EXPECT_EQ(o.result, SetResult::NotSet) << address;
            const double offsetMs = TicksToSeconds(r->exchange.sample.offset) * 1000.0;
            EXPECT_NEAR(offsetMs, static_cast<double>(server.offsetMs), 10.0) << address;
        } else {
            const QueryError expected =
                server.status == ReplyStatus::Valid || KeepsWaiting(server.status)
                    ? QueryError::NoAnswer
                    : QueryError::Rejected;
            EXPECT_EQ(o.error, expected) << address;
            EXPECT_EQ(o.reply, server.status) << address;
            EXPECT_EQ(o.result, SetResult::NoTime) << address;
        }
    }
    EXPECT_EQ(Record().calls, 0);
}

TEST_F(Worker, TestBuildNeverLeavesThisMachine) {
    for (const char* server : {"192.0.2.1", "ntp.nict.jp", "not a name", "", " "}) {
        ASSERT_TRUE(StartNtpJob(Job(server)));
        const std::optional<NtpJobResult> r = Await();
        ASSERT_TRUE(r.has_value()) << server;
        EXPECT_EQ(r->outcome.error, QueryError::UnknownHost) << server;
    }
}

TEST_F(Worker, ResultForAWindowThatIsGoneIsDropped) {
    const HWND gone =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    NtpJob job = Job("127.0.0.1");
    job.notify = gone;
    DestroyWindow(gone);
    ASSERT_TRUE(StartNtpJob(job));
    WaitForNtpWorker();
    EXPECT_FALSE(TakeNtpResult(gone).has_value());
}

// The report's "clock at reception" is the program's clock when the answer came, not when the
// page got round to the result (a time change may have reloaded the clocks meanwhile).
TEST_F(Worker, ResultCarriesTheProgramsClockAtTheAnswer) {
    LoadClocksAt(DateTime{2001, 2, 6, 3, 4, 5, 6, 0}, MonotonicNow(), "test");
    ASSERT_TRUE(StartNtpJob(Job("127.0.0.1")));
    for (int i = 0; i < 500 && NtpWorkerBusy(); ++i) {
        Sleep(10);
    }
    ASSERT_FALSE(NtpWorkerBusy());
    LoadClocksAt(DateTime{2030, 7, 1, 8, 9, 10, 11, 0}, MonotonicNow(), "test");
    const std::optional<NtpJobResult> r = Await();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->outcome.error, QueryError::None);
    EXPECT_EQ(r->clockAtAnswer.Year, 2001);
    EXPECT_EQ(r->clockAtAnswer.Month, 2);
    EXPECT_EQ(r->clockAtAnswer.Day, 3);
}

} // namespace
} // namespace zentrava
