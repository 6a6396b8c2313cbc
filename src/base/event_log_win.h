#pragma once
// The test build's event log: what the program did, one line per event, for the end-to-end
// tests to read. In the shipped build every call compiles to nothing.

#include <string>
#include <string_view>

#ifndef ZENTRAVA_TEST_HOOKS
#define ZENTRAVA_TEST_HOOKS 0
#endif

namespace zentrava {

inline constexpr bool kTestHooks = ZENTRAVA_TEST_HOOKS != 0;

void OpenTestEventLog(const std::string& settingsPath);
void CloseTestEventLog();
// Appends one line (a newline is added); safe from any thread.
void LogEvent(std::string_view line);

} // namespace zentrava
