#pragma once
// Where the clock window was and whether it was shown, kept in section Window_Position.

#include "app/settings_store.h"

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

} // namespace zentrava
