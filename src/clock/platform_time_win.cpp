#include "clock/platform_time_win.h"

#include "base/event_log_win.h"

#include "base/win_handles_win.h"

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>

namespace zentrava {

namespace {

std::atomic<std::int64_t>& Lead() {
    static std::atomic<std::int64_t> lead{0};
    return lead;
}

struct LeadFile {
    std::mutex mutex;
    std::string path;
};

LeadFile& TheLeadFile() {
    static LeadFile file;
    return file;
}

std::int64_t WithLead(std::int64_t ticks) {
    if constexpr (kTestHooks) {
        return ticks + Lead().load();
    } else {
        return ticks;
    }
}

} // namespace

DateTime ToDateTime(const SYSTEMTIME& st) {
    return {st.wYear, st.wMonth,  st.wDayOfWeek, st.wDay,
            st.wHour, st.wMinute, st.wSecond,    st.wMilliseconds};
}

SYSTEMTIME ToSystemTime(const DateTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDayOfWeek = static_cast<WORD>(t.dayOfWeek);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    st.wMilliseconds = static_cast<WORD>(t.milliseconds);
    return st;
}

MonotonicTime MonotonicNow() {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    // Split so that the multiplication cannot overflow after long uptimes.
    const LONGLONG whole = counter.QuadPart / frequency;
    const LONGLONG part = counter.QuadPart % frequency;
    return WithLead(whole * 10'000'000 + part * 10'000'000 / frequency);
}

std::int64_t FileTicks(const FILETIME& time) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                     time.dwLowDateTime);
}

std::int64_t SystemFileTicksNow() {
    static const auto precise = reinterpret_cast<void(WINAPI*)(LPFILETIME)>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
    FILETIME now{};
    if (precise != nullptr) {
        precise(&now);
    } else {
        GetSystemTimeAsFileTime(&now);
    }
    return WithLead(FileTicks(now));
}

DateTime UtcTicksToLocal(std::int64_t fileTicks) {
    const auto bits = static_cast<std::uint64_t>(fileTicks);
    const FILETIME utc{static_cast<DWORD>(bits & 0xFFFFFFFFu), static_cast<DWORD>(bits >> 32)};
    SYSTEMTIME utcTime{};
    SYSTEMTIME local{};
    if (FileTimeToSystemTime(&utc, &utcTime) == FALSE ||
        SystemTimeToTzSpecificLocalTime(nullptr, &utcTime, &local) == FALSE) {
        GetLocalTime(&local);
    }
    return ToDateTime(local);
}

DateTime LocalTimeNow() {
    if (SimulatedLead() != 0) {
        return UtcTicksToLocal(SystemFileTicksNow());
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    return ToDateTime(now);
}

std::int64_t SimulatedLead() {
    return kTestHooks ? Lead().load() : 0;
}

void AdvanceSimulatedLead(std::int64_t ticks) {
    if constexpr (kTestHooks) {
        Lead().fetch_add(ticks);
    } else {
        (void)ticks;
    }
}

void SetSimulatedLeadFile(const std::string& path) {
    const std::lock_guard lock(TheLeadFile().mutex);
    TheLeadFile().path = path;
}

// Written whole under a new name and then moved over the old, so the server never reads half.
void PublishSimulatedLead() {
    if constexpr (kTestHooks) {
        const std::lock_guard lock(TheLeadFile().mutex);
        const std::string& path = TheLeadFile().path;
        if (path.empty()) {
            return;
        }
        const std::string part = path + ".new";
        {
            const UniqueFile file(std::fopen(part.c_str(), "wb"));
            if (!file) {
                return;
            }
            std::fprintf(file.get(), "%lld\n", static_cast<long long>(Lead().load()));
        }
        MoveFileExA(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
}

namespace {

// SetLocalTime converts with the daylight-saving state in force when it runs; across a change
// the first call lands an hour off and only a second call, made in the new state, is exact.
bool SetComputerClock(const SYSTEMTIME& localTime) {
    return SetLocalTime(&localTime) != FALSE && SetLocalTime(&localTime) != FALSE;
}

bool RecordClockRequest(const SYSTEMTIME& localTime) {
    LogEvent("setclock " + FormatLogTime(ToDateTime(localTime)));
    return true;
}

std::atomic<SystemClockSetter>& Setter() {
    static std::atomic<SystemClockSetter> setter{kTestHooks ? &RecordClockRequest
                                                            : &SetComputerClock};
    return setter;
}

} // namespace

SystemClockSetter InstallSystemClockSetter(SystemClockSetter setter) {
    return Setter().exchange(setter);
}

bool RequestSystemClock(const SYSTEMTIME& localTime) {
    return Setter().load()(localTime);
}

} // namespace zentrava
