// Who may be answered before a handler is done: the tick, which must not wait on a message box,
// and nobody else, since a sender in another process (the session's end) may end the program
// as soon as it has its answer. Threads of this test stand in for the tick and for other
// processes; the window procedure is set up as the main window's is.

#include "base/app_context_win.h"
#include "base/tick_request_win.h"
#include "resources/commands.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace zentrava {
namespace {

constexpr LPARAM kProbe = 1;         // the handler releases its sender, then looks
constexpr LPARAM kProbeInResize = 2; // the same, inside a resize the handler causes
constexpr LPARAM kQuiet = 3;         // the handler only counts itself

struct Probe {
    std::atomic<bool> senderReturned{false};
    bool releasedEarly = false;
    int quietHandled = 0;
    HWND window = nullptr;
    // Run inside the probed handler before the sender is released.
    void (*before)(Probe&) = nullptr;
    std::thread tick;
};

Probe* probe = nullptr;

bool SenderReturnsWithin(DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (!probe->senderReturned.load()) {
        if (GetTickCount64() >= end) {
            return false;
        }
        Sleep(5);
    }
    return true;
}

void RunProbe() {
    if (probe->before != nullptr) {
        probe->before(*probe);
    }
    ReleaseSender();
    probe->releasedEarly = SenderReturnsWithin(300);
}

LRESULT CALLBACK ProbeWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const IncomingMessage incoming(message, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
    case WM_ENDSESSION:
        if (lParam == kProbe) {
            RunProbe();
        } else if (lParam == kProbeInResize) {
            SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, kProbeInResize);
        } else if (lParam == kQuiet) {
            ++probe->quietHandled;
        }
        return 0;
    case WM_SIZE:
        if (lParam == kProbeInResize) {
            RunProbe();
        }
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

HWND CreateProbeWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &ProbeWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZentravaTickRequestProbe";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

// Answers sent messages on this (the window's) thread until the sender is back.
void ServeUntilReturned() {
    const ULONGLONG end = GetTickCount64() + 5000;
    while (!probe->senderReturned.load() && GetTickCount64() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
        }
    }
}

// A request of the tick arrives while the session's end is being handled.
void TickRequestWaits(Probe& p) {
    p.tick = std::thread([hwnd = p.window] { SendTickRequest(hwnd, kCmdStopAlarm, kQuiet); });
    Sleep(100);
}

TEST(TickRequest, OnlyTheTickIsAnsweredBeforeItsHandlerIsDone) {
    HWND window = CreateProbeWindow();
    ASSERT_NE(window, nullptr);
    struct Case {
        const char* name;
        bool fromTick;
        UINT message;
        LPARAM what;
        void (*before)(Probe&);
        bool releasedEarly;
    };
    const Case cases[] = {
        {"the tick's request", true, WM_COMMAND, kProbe, nullptr, true},
        {"the tick's request, released in the resize it causes", true, WM_COMMAND, kProbeInResize,
         nullptr, true},
        {"a command from another process", false, WM_COMMAND, kProbe, nullptr, false},
        {"the session's end", false, WM_ENDSESSION, kProbe, nullptr, false},
        {"the session's end while the tick waits to be heard", false, WM_ENDSESSION, kProbe,
         &TickRequestWaits, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Probe p;
        p.window = window;
        p.before = c.before;
        probe = &p;
        std::thread sender([&] {
            if (c.fromTick) {
                SendTickRequest(window, kCmdStartAlarmSound, c.what);
            } else {
                SendMessageA(window, c.message, TRUE, c.what);
            }
            p.senderReturned.store(true);
        });
        ServeUntilReturned();
        sender.join();
        EXPECT_TRUE(p.senderReturned.load());
        EXPECT_EQ(p.releasedEarly, c.releasedEarly);
        if (p.tick.joinable()) {
            // The waiting request is heard once the session's end is done.
            const ULONGLONG end = GetTickCount64() + 2000;
            while (p.quietHandled == 0 && GetTickCount64() < end) {
                MSG msg;
                PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
                Sleep(5);
            }
            p.tick.join();
            EXPECT_EQ(p.quietHandled, 1);
        }
        probe = nullptr;
    }
    DestroyWindow(window);
}

} // namespace
} // namespace zentrava
