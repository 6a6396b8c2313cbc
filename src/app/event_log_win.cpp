#include "app/event_log_win.h"

#include "app/test_hooks.h"
#include "app/win_handles_win.h"

#include <cstdio>
#include <memory>
#include <mutex>

namespace zentrava {

namespace {

struct EventLog {
    std::mutex mutex;
    UniqueFile file;
};

EventLog& Log() {
    static EventLog log;
    return log;
}

} // namespace

void OpenTestEventLog(const std::string& settingsPath) {
    if constexpr (kTestHooks) {
        std::string path = settingsPath;
        if (path.size() >= 4 && path.compare(path.size() - 4, 4, ".ini") == 0) {
            path.resize(path.size() - 4);
        }
        path += hooks::kEventLogSuffix;
        std::lock_guard lock(Log().mutex);
        Log().file.reset(std::fopen(path.c_str(), "ab"));
    } else {
        (void)settingsPath;
    }
}

void CloseTestEventLog() {
    if constexpr (kTestHooks) {
        std::lock_guard lock(Log().mutex);
        Log().file.reset();
    }
}

void LogEvent(std::string_view line) {
    if constexpr (kTestHooks) {
        std::lock_guard lock(Log().mutex);
        if (std::FILE* f = Log().file.get()) {
            std::fwrite(line.data(), 1, line.size(), f);
            std::fputc('\n', f);
            std::fflush(f);
        }
    } else {
        (void)line;
    }
}

std::string FormatLogTime(const DateTime& t) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second, t.milliseconds);
    return text;
}

} // namespace zentrava
