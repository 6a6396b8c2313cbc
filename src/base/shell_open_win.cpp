#include "base/shell_open_win.h"

#include "base/event_log_win.h"

#include <shellapi.h>

#include <atomic>

namespace zentrava {

namespace {

bool OpenWithDefaultProgram(HWND owner, const std::string& target) {
    // ShellExecuteA answers a value above 32 when it started something.
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(owner, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

bool RecordOpenRequest(HWND, const std::string& target) {
    LogEvent("open " + target);
    return true;
}

std::atomic<ShellOpener>& Opener() {
    static std::atomic<ShellOpener> opener{kTestHooks ? &RecordOpenRequest
                                                      : &OpenWithDefaultProgram};
    return opener;
}

} // namespace

ShellOpener InstallShellOpener(ShellOpener opener) {
    return Opener().exchange(opener);
}

bool OpenInShell(HWND owner, const std::string& target) {
    return Opener().load()(owner, target);
}

} // namespace zentrava
