#pragma once
// Lets multimedia-timer callbacks run only while their owner wants them, and lets the owner
// wait for one in progress without deadlocking against it: the callback may be inside
// SendMessageA to the very thread that waits.

#include <windows.h>

#include <atomic>

namespace zentrava {

class CallbackGate {
public:
    void Open() { closed_.store(false); }
    void Close() { closed_.store(true); }

    // Callback side. The callback announces itself before it looks at the flag, and the owner
    // sets the flag before it looks at the count, so one always sees the other.
    template <typename Body>
    void Run(Body body) {
        running_.fetch_add(1);
        if (!closed_.load()) {
            body();
        }
        running_.fetch_sub(1);
    }

    // Owner side, after Close: returns once no callback runs, answering sent messages meanwhile.
    void WaitUntilIdle() const {
        while (running_.load() != 0) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_SENDMESSAGE);
            MSG msg;
            PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }

private:
    std::atomic<bool> closed_{true};
    std::atomic<int> running_{0};
};

} // namespace zentrava
