#pragma once
// The main clock window's commands: every id of the menus and every internal request, routed
// to the feature that owns it.

#include <windows.h>

namespace zentrava {

// The command's result; 1 for commands without one and for unknown ids.
LRESULT DispatchCommand(HWND hwnd, int id, LPARAM lParam);

// Show or hide the clock (kCmdShowHide and a double click on the tray icon).
void ToggleClockShown(HWND hwnd);

} // namespace zentrava
