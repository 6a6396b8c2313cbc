#pragma once
// The main clock window: its window procedure, its creation and destruction sequences.

#include <windows.h>

namespace zentrava {

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// After a settings page applied something the face draws (bands, zones, their colours, the
// picture): the objects made from the settings are rebuilt and the face repainted.
void FaceSettingsApplied(HWND hwnd);

} // namespace zentrava
