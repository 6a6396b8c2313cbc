#pragma once
// The life of the one thread that talks to NTP servers, apart from sockets and windows: the
// queue of queries, which window has one in flight, the results waiting to be taken, and the
// bounded stop at exit. The thread starter, the query itself and the "result ready" post are
// handed in, so the Win32 glue (ntp_worker_win.cpp) keeps only Winsock, the post and the wait
// that answers sent messages.
//
// Threads. Everything the thread touches is in one State held by shared_ptr: the thread keeps
// its own reference, so a thread given up at exit outlives the NtpWorker (and the program's
// statics) harmlessly. Its std::thread is detached at once: nothing ever joins it, and no
// joinable thread is left for a static destructor to end the process on.
//   - One long-lived thread per run, started on the first query; it takes queries in turn.
//   - Start, Take and Busy run on any thread; they hold the lock only to look or to queue.
//   - The post runs under the lock, after the stop flag was checked under it: once Stop has
//     given the thread up, it can never post again.

#include "clock/clock_time.h"
#include "timesync/ntp_schedule.h"
#include "timesync/sntp_exchange.h"

#include <functional>
#include <memory>
#include <optional>
#include <stop_token>

namespace zentrava {

// The window messages a result arrives as: WM_APP + 3 to the main window after a start-up,
// retry, resume or scheduled query, WM_APP + 4 to the time-server page after its test.
inline constexpr unsigned kNtpResultMessage = 0x8000 + 3;
inline constexpr unsigned kNtpTestResultMessage = 0x8000 + 4;

struct NtpJob {
    NtpQuery query;
    bool test = false;      // the page's synchronisation test
    void* notify = nullptr; // the window the result is posted to (an HWND)
    unsigned message = kNtpResultMessage;
};

struct NtpJobResult {
    NtpJob job;
    NtpQueryOutcome outcome;     // what the schedule and the balloons need
    SntpExchangeResult exchange; // every field of the answer, for the page's report
    // The program's LocalClock read as soon as the exchange returned, before the computer's
    // clock was set: the page handles the result later, perhaps after a time-change reload.
    ClockTimeRecord clockAtAnswer;
};

class NtpWorker {
public:
    // Runs one query on the worker thread. `stop` is requested when the wait at exit gave the
    // thread up: from then on the query must not touch the program's globals.
    using Runner = std::function<NtpJobResult(const NtpJob& job, std::stop_token stop)>;
    // Tells job.notify its result is ready. Called with the lock held: it must not wait or send.
    // False when nobody is left to take it (the window is gone), and the result is dropped.
    using Notify = std::function<bool(const NtpJob& job)>;
    // Runs `body` on a new detached thread; may throw std::system_error.
    using Starter = std::function<void(std::function<void()> body)>;
    // Waits at most the given milliseconds while answering what the caller's thread must answer.
    using Pause = std::function<void(int milliseconds)>;

    NtpWorker(Runner run, Notify notify, Starter start);

    // Queues `job`. False when a query for job.notify is in flight: queued, or running until
    // its result is stored for Take. A thread that cannot be started ends the query at once
    // with QueryError::NoThread, delivered like any result (and true is returned).
    bool Start(const NtpJob& job);
    // The oldest stored result for `notify`, once.
    std::optional<NtpJobResult> Take(const void* notify);
    // Drops stored results that `gone` says nobody will take.
    void DropResults(const std::function<bool(const NtpJobResult&)>& gone);
    // True while any query is queued or running.
    bool Busy() const;
    // Drops the queued queries and lets the thread end after the running one, which still
    // delivers. Waits for that at most `boundMs`, calling `pause` in slices of 10 ms at most. A
    // thread still busy then is given up: its query's stop is requested and it never delivers.
    // Either way the worker is ready for new queries (on a new thread). True when the thread ended
    // in time.
    bool Stop(int boundMs, const Pause& pause);

private:
    struct State;
    struct Thread;
    static void Loop(const std::shared_ptr<State>& state, const std::shared_ptr<Thread>& self);

    Starter start_;
    std::shared_ptr<State> state_;
};

} // namespace zentrava
