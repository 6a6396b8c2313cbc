#include "base/event_log_win.h"

#include "base/test_hooks.h"
#include "base/win_handles_win.h"

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

} // namespace zentrava
