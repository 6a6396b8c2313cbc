#pragma once
// The main clock window: its window procedure, its creation and destruction sequences.

#include <windows.h>

namespace zentrava {

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace zentrava
