// The query worker's life with the thread starter and the query handed in: a thread that
// cannot start, one query per window, results taken once, and the bounded stop at exit that
// gives up a query stuck in its name look-up.

#include "timesync/ntp_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <latch>
#include <system_error>
#include <thread>

namespace zentrava {
namespace {

using namespace std::chrono_literals;

template <typename Condition>
bool WaitUntil(Condition done) {
    for (int i = 0; i < 500 && !done(); ++i) {
        std::this_thread::sleep_for(10ms);
    }
    return done();
}

void SleepFor(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

int windowA = 0;
int windowB = 0;

NtpJob JobFor(void* window, const char* server = "127.0.0.1") {
    NtpJob job;
    job.query.server = server;
    job.notify = window;
    return job;
}

// What the worker was handed. A thread given up outlives its Stop, so each test waits for it
// to leave the query before the fixture goes.
struct Fixture {
    std::latch gate{1}; // the name look-up hangs until the test opens it
    std::atomic<int> runs{0};
    std::atomic<int> finished{0};
    std::atomic<bool> sawStop{false};
    std::atomic<int> posted{0};
    int failingStarts = 0;

    NtpWorker Make() {
        return NtpWorker(
            [this](const NtpJob& job, std::stop_token stop) {
                ++runs;
                gate.wait();
                sawStop = stop.stop_requested();
                NtpJobResult r;
                r.job = job;
                r.outcome.error = QueryError::None;
                ++finished;
                return r;
            },
            [this](const NtpJob&) { return ++posted > 0; },
            [this](std::function<void()> body) {
                if (failingStarts > 0) {
                    --failingStarts;
                    throw std::system_error(
                        std::make_error_code(std::errc::resource_unavailable_try_again));
                }
                std::thread(std::move(body)).detach();
            });
    }
};

TEST(NtpWorker, ThreadThatCannotStartIsAFailedQueryAndTheNextOneRuns) {
    Fixture f;
    f.failingStarts = 1;
    f.gate.count_down();
    NtpWorker worker = f.Make();

    EXPECT_TRUE(worker.Start(JobFor(&windowA)));
    EXPECT_EQ(f.posted.load(), 1) << "the failure is posted like a result";
    EXPECT_FALSE(worker.Busy());
    const std::optional<NtpJobResult> failed = worker.Take(&windowA);
    ASSERT_TRUE(failed.has_value());
    EXPECT_EQ(failed->outcome.error, QueryError::NoThread);
    EXPECT_EQ(failed->outcome.result, SetResult::NoTime);
    EXPECT_EQ(f.runs.load(), 0);

    ASSERT_TRUE(worker.Start(JobFor(&windowA)));
    ASSERT_TRUE(WaitUntil([&] { return f.posted == 2; }));
    const std::optional<NtpJobResult> ran = worker.Take(&windowA);
    ASSERT_TRUE(ran.has_value());
    EXPECT_EQ(ran->outcome.error, QueryError::None);
    EXPECT_TRUE(worker.Stop(1000, SleepFor));
}

TEST(NtpWorker, OneQueryPerWindowInTurnAndEachResultTakenOnce) {
    Fixture f;
    NtpWorker worker = f.Make();

    ASSERT_TRUE(worker.Start(JobFor(&windowA, "first")));
    EXPECT_FALSE(worker.Start(JobFor(&windowA, "second"))) << "same window, still running";
    EXPECT_TRUE(worker.Start(JobFor(&windowB, "page"))) << "another window queues";
    EXPECT_FALSE(worker.Start(JobFor(&windowB, "again"))) << "same window, still queued";
    EXPECT_TRUE(worker.Busy());
    EXPECT_FALSE(worker.Take(&windowA).has_value());

    f.gate.count_down();
    ASSERT_TRUE(WaitUntil([&] { return f.posted == 2; }));
    EXPECT_FALSE(worker.Busy());
    EXPECT_EQ(f.runs.load(), 2) << "one thread, both queries";
    const std::optional<NtpJobResult> a = worker.Take(&windowA);
    const std::optional<NtpJobResult> b = worker.Take(&windowB);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->job.query.server, "first");
    EXPECT_EQ(b->job.query.server, "page");
    EXPECT_FALSE(worker.Take(&windowA).has_value());
    EXPECT_FALSE(worker.Take(&windowB).has_value());
    EXPECT_TRUE(worker.Start(JobFor(&windowA, "later")));
    EXPECT_TRUE(worker.Stop(1000, SleepFor));
}

TEST(NtpWorker, StopGivesUpAStuckQueryAfterItsBoundAndItNeverDelivers) {
    Fixture f;
    NtpWorker worker = f.Make();
    ASSERT_TRUE(worker.Start(JobFor(&windowA)));
    ASSERT_TRUE(worker.Start(JobFor(&windowB)));
    ASSERT_TRUE(WaitUntil([&] { return f.runs == 1; }));

    int pauses = 0;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(worker.Stop(200, [&pauses](int ms) {
        ++pauses;
        EXPECT_LE(ms, 10) << "messages sent to the waiting thread are answered often";
        SleepFor(ms);
    }));
    const auto waited = std::chrono::steady_clock::now() - started;
    EXPECT_GE(waited, 200ms);
    EXPECT_LT(waited, 1s);
    EXPECT_GT(pauses, 5);
    EXPECT_FALSE(worker.Busy()) << "the queued query is dropped, the stuck one forgotten";

    f.gate.count_down();
    ASSERT_TRUE(WaitUntil([&] { return f.finished == 1; }));
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(f.sawStop) << "the stuck query is told to touch nothing more";
    EXPECT_EQ(f.posted.load(), 0);
    EXPECT_FALSE(worker.Take(&windowA).has_value());
    EXPECT_EQ(f.runs.load(), 1) << "the queued query never ran";

    // The worker serves again, on a new thread.
    ASSERT_TRUE(worker.Start(JobFor(&windowA)));
    ASSERT_TRUE(WaitUntil([&] { return f.posted == 1; }));
    EXPECT_TRUE(worker.Take(&windowA).has_value());
    EXPECT_TRUE(worker.Stop(1000, SleepFor));
}

TEST(NtpWorker, StopLetsAQueryThatEndsInTimeDeliver) {
    Fixture f;
    NtpWorker worker = f.Make();
    ASSERT_TRUE(worker.Start(JobFor(&windowA)));
    ASSERT_TRUE(WaitUntil([&] { return f.runs == 1; }));
    int pauses = 0;
    EXPECT_TRUE(worker.Stop(2000, [&](int ms) {
        if (++pauses == 3) {
            f.gate.count_down();
        }
        SleepFor(ms);
    }));
    EXPECT_EQ(f.posted.load(), 1);
    EXPECT_TRUE(worker.Take(&windowA).has_value());
    EXPECT_FALSE(f.sawStop);
}

} // namespace
} // namespace zentrava
