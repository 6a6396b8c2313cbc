#pragma once
// A lockout set by one feature and cleared by the tick 55 whole seconds later: a time signal
// or a time-server query started in one minute is not started again in the same minute.

#include <atomic>

namespace zentrava {

class Lockout {
public:
    void Set() {
        seconds_.store(0);
        on_.store(1);
    }
    bool IsSet() const { return on_.load() != 0; }
    void CountSecond() {
        if (on_.load() != 0 && seconds_.fetch_add(1) + 1 >= kSeconds) {
            on_.store(0);
            seconds_.store(0);
        }
    }

private:
    static constexpr int kSeconds = 55;
    std::atomic<int> on_{0};
    std::atomic<int> seconds_{0};
};

} // namespace zentrava
