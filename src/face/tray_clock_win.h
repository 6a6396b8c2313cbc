#pragma once
// Draws the notification-area clock icon.

#include "base/win_handles_win.h"

#include <windows.h>

namespace zentrava {

// A new icon showing hour (0-23) and minute, drawn in a memory DC compatible with window's;
// empty if any step failed. Outside the dial the icon leaves the tray's background as it is.
UniqueIcon DrawTrayClockIcon(HWND window, int hour, int minute);

} // namespace zentrava
