#include "app/window_position.h"

#include "base/settings_keys.h"

#include <algorithm>
#include <array>

namespace zentrava {

namespace {

constexpr std::array<IntKey<WindowPositionSettings>, 6> kPositionKeys{{
    {"Window_X_Pos", &WindowPositionSettings::Window_X_Pos},
    {"Window_Y_Pos", &WindowPositionSettings::Window_Y_Pos},
    {"Window_Width", &WindowPositionSettings::Window_Width},
    {"Window_Height", &WindowPositionSettings::Window_Height},
    {"WindowDispOn", &WindowPositionSettings::WindowDispOn},
    {"Window_Maximized", &WindowPositionSettings::Window_Maximized},
}};

} // namespace

WindowPositionSettings LoadWindowPosition(const SettingsStore& store) {
    WindowPositionSettings settings;
    ReadInts<WindowPositionSettings>(store, kWindowPositionSection, kPositionKeys, settings);
    return settings;
}

void SaveWindowPosition(SettingsStore& store, const WindowPositionSettings& settings) {
    WriteInts<WindowPositionSettings>(store, kWindowPositionSection, kPositionKeys, settings);
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
