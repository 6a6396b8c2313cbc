#include "app/window_position.h"

#include "base/settings_clamps.h"

#include <algorithm>

namespace zentrava {

WindowPositionSettings LoadWindowPosition(const SettingsStore& store) {
    const WindowPositionSettings defaults;
    const auto read = [&](std::string_view key, int def) {
        return GetClampedInt(store, kWindowPositionSection, key, def);
    };
    WindowPositionSettings settings;
    settings.Window_X_Pos = read("Window_X_Pos", defaults.Window_X_Pos);
    settings.Window_Y_Pos = read("Window_Y_Pos", defaults.Window_Y_Pos);
    settings.Window_Width = read("Window_Width", defaults.Window_Width);
    settings.Window_Height = read("Window_Height", defaults.Window_Height);
    settings.WindowDispOn = read("WindowDispOn", defaults.WindowDispOn);
    settings.Window_Maximized = read("Window_Maximized", defaults.Window_Maximized);
    return settings;
}

void SaveWindowPosition(SettingsStore& store, const WindowPositionSettings& settings) {
    const auto write = [&](std::string_view key, int value) {
        store.PutInt(kWindowPositionSection, key, value);
    };
    write("Window_X_Pos", settings.Window_X_Pos);
    write("Window_Y_Pos", settings.Window_Y_Pos);
    write("Window_Width", settings.Window_Width);
    write("Window_Height", settings.Window_Height);
    write("WindowDispOn", settings.WindowDispOn);
    write("Window_Maximized", settings.Window_Maximized);
}

WindowPositionSettings FitToVirtualScreen(WindowPositionSettings settings, int virtualWidth,
                                          int virtualHeight) {
    settings.Window_Width =
        std::clamp(settings.Window_Width, kMinWindowSide, std::max(virtualWidth, kMinWindowSide));
    settings.Window_Height =
        std::clamp(settings.Window_Height, kMinWindowSide, std::max(virtualHeight, kMinWindowSide));
    return settings;
}

} // namespace zentrava
