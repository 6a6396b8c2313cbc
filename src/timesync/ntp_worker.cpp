#include "timesync/ntp_worker.h"

#include <algorithm>
// Also the steady clock: <chrono> itself cannot be compiled for the CP932 execution character
// set (its unit suffixes hold a micro sign).
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <utility>
#include <vector>

namespace zentrava {

// One started thread. The state's `current` names the one that may deliver; a thread given up
// at exit is no longer current and ends without a word.
struct NtpWorker::Thread {
    std::stop_source stop;
};

struct NtpWorker::State {
    State(Runner r, Notify n) : run(std::move(r)), notify(std::move(n)) {}

    const Runner run;
    const Notify notify;

    mutable std::mutex mutex;
    std::condition_variable wake; // a job queued, or a stop
    std::deque<NtpJob> queue;
    std::optional<void*> running; // the window of the query being run
    std::vector<NtpJobResult> results;
    std::shared_ptr<Thread> current;
    bool stopping = false;

    bool InFlight(const void* window) const {
        return (running && *running == window) ||
               std::any_of(queue.begin(), queue.end(),
                           [window](const NtpJob& j) { return j.notify == window; });
    }

    // Under the lock.
    void Deliver(NtpJobResult result) {
        const NtpJob job = result.job;
        results.push_back(std::move(result));
        if (!notify(job)) {
            results.pop_back();
        }
    }
};

NtpWorker::NtpWorker(Runner run, Notify notify, Starter start)
    : start_(std::move(start)), state_(std::make_shared<State>(std::move(run), std::move(notify))) {
}

void NtpWorker::Loop(const std::shared_ptr<State>& s, const std::shared_ptr<Thread>& self) {
    std::unique_lock lock(s->mutex);
    for (;;) {
        s->wake.wait(lock, [&] { return s->current != self || s->stopping || !s->queue.empty(); });
        if (s->current != self || s->stopping) {
            break;
        }
        const NtpJob job = std::move(s->queue.front());
        s->queue.pop_front();
        s->running = job.notify;
        lock.unlock();
        NtpJobResult result = s->run(job, self->stop.get_token());
        lock.lock();
        if (s->current != self) {
            return; // given up: the window may be gone, and so may the program's globals
        }
        s->running.reset();
        s->Deliver(std::move(result));
    }
    if (s->current == self) {
        s->current.reset();
    }
}

bool NtpWorker::Start(const NtpJob& job) {
    State& s = *state_;
    const std::lock_guard lock(s.mutex);
    if (s.stopping || s.InFlight(job.notify)) {
        return false;
    }
    if (!s.current) {
        auto thread = std::make_shared<Thread>();
        try {
            start_([state = state_, thread] { Loop(state, thread); });
        } catch (const std::system_error&) {
            NtpJobResult failed;
            failed.job = job;
            failed.outcome.error = QueryError::NoThread;
            s.Deliver(std::move(failed));
            return true;
        }
        s.current = std::move(thread);
    }
    s.queue.push_back(job);
    s.wake.notify_all();
    return true;
}

std::optional<NtpJobResult> NtpWorker::Take(const void* notify) {
    State& s = *state_;
    const std::lock_guard lock(s.mutex);
    const auto found =
        std::find_if(s.results.begin(), s.results.end(),
                     [notify](const NtpJobResult& r) { return r.job.notify == notify; });
    if (found == s.results.end()) {
        return std::nullopt;
    }
    NtpJobResult result = std::move(*found);
    s.results.erase(found);
    return result;
}

void NtpWorker::DropResults(const std::function<bool(const NtpJobResult&)>& gone) {
    State& s = *state_;
    const std::lock_guard lock(s.mutex);
    std::erase_if(s.results, gone);
}

bool NtpWorker::Busy() const {
    const State& s = *state_;
    const std::lock_guard lock(s.mutex);
    return s.running.has_value() || !s.queue.empty();
}

bool NtpWorker::Stop(int boundMs, const Pause& pause) {
    using Clock = std::chrono::steady_clock;
    using Ms = std::chrono::milliseconds;
    constexpr Ms kSlice{10};
    State& s = *state_;
    const Clock::time_point deadline = Clock::now() + Ms(boundMs);
    std::unique_lock lock(s.mutex);
    const std::shared_ptr<Thread> thread = s.current;
    if (!thread) {
        return true;
    }
    s.stopping = true;
    s.queue.clear();
    s.wake.notify_all();
    for (;;) {
        if (s.current != thread) {
            s.stopping = false;
            return true;
        }
        const Clock::time_point now = Clock::now();
        if (now >= deadline) {
            break;
        }
        lock.unlock();
        pause(static_cast<int>(std::min(kSlice, std::chrono::ceil<Ms>(deadline - now)).count()));
        lock.lock();
    }
    s.current.reset();
    s.running.reset();
    s.stopping = false;
    thread->stop.request_stop();
    return false;
}

} // namespace zentrava
