#pragma once
// The 50 ms multimedia timer that drives the tick, and the window-side duties it calls.

#include <windows.h>

namespace zentrava {

// Starts the tick if it is not running; false when the timer could not be started (the next
// resume tries again).
bool StartTick(HWND mainWindow);
// Stops the tick and waits for a callback in progress, still answering messages that the
// callback sends to this thread, so that no tick outlives the window.
void StopTick();
bool TickRunning();

} // namespace zentrava
