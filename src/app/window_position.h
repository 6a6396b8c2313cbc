#pragma once
// Where the clock window was and whether it was shown, kept in section Window_Position.

#include "base/settings_clamps.h" // kMinWindowSide
#include "base/settings_store.h"

namespace zentrava {

struct WindowPositionSettings {
    int Window_X_Pos = 200;
    int Window_Y_Pos = 200;
    int Window_Width = 128;
    int Window_Height = 128;
    int WindowDispOn = 1;
    int Window_Maximized = 0;

    friend bool operator==(const WindowPositionSettings&, const WindowPositionSettings&) = default;
};

WindowPositionSettings LoadWindowPosition(const SettingsStore& store);
void SaveWindowPosition(SettingsStore& store, const WindowPositionSettings& settings);

// The saved size narrowed to the virtual screen (SM_CXVIRTUALSCREEN, SM_CYVIRTUALSCREEN), each
// side to its nearest allowed value: a window larger than all monitors together can neither be
// shown whole nor dragged back by its face. A failed or odd metric (0, or less than the
// minimum) leaves the minimum as the bound, so the size never drops below it.
WindowPositionSettings FitToVirtualScreen(WindowPositionSettings settings, int virtualWidth,
                                          int virtualHeight);

} // namespace zentrava
