#include "clock/clocks_win.h"

#include "base/event_log_win.h"
#include "clock/platform_time_win.h"

#include <windows.h>

#include <string>

namespace zentrava {

ClockKeeper& TheClocks() {
    static ClockKeeper clocks;
    return clocks;
}

namespace {

ClockLoadListener& Listener() {
    static ClockLoadListener listener = nullptr;
    return listener;
}

} // namespace

void SetClockLoadListener(ClockLoadListener listener) {
    Listener() = listener;
}

void LoadClocksAt(const DateTime& t, MonotonicTime now, const char* reason) {
    TheClocks().Load(t, now);
    if constexpr (kTestHooks) {
        LogEvent(std::string("load ") + reason + " " + FormatLogTime(t));
    }
    if (const ClockLoadListener listener = Listener()) {
        listener();
    }
}

void LoadClocksFromSystem(const char* reason) {
    LoadClocksAt(LocalTimeNow(), MonotonicNow(), reason);
}

} // namespace zentrava
