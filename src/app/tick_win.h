#pragma once
// The 50 ms multimedia timer that drives the tick, and the window-side duties it calls.

#include <windows.h>

#include <string>

namespace zentrava {

// Starts the tick if it is not running; false when the timer could not be started (the next
// resume tries again).
bool StartTick(HWND mainWindow);
// Stops the tick and waits for a callback in progress, still answering messages that the
// callback sends to this thread, so that no tick outlives the window.
void StopTick();
bool TickRunning();

// Test build: balloon requests the next tick makes on its own thread, as schedulers due on the
// same tick would. Lines of "<source> <text>", source 0 alarm, 1 time signal, 2 time update.
void QueueTestBalloonRequests(const std::string& lines);
// Test build: the soak's simulated ticks per timer callback (0: off); see hooks::kSoak.
void SetSoakTicksPerCallback(int ticks);

} // namespace zentrava
