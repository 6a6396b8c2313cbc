#include "app/window_behaviour.h"

#include "base/settings_keys.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace zentrava {
namespace {

constexpr std::uint8_t kOpaqueAlpha = 255;
constexpr int kFullPercent = 100;

// The keys the general settings dialog confirms, in the order they are written.
constexpr std::array<IntKey<WindowBehaviour>, 8> kDialogKeys{{
    {"WindowTopMost", &WindowBehaviour::WindowTopMost},
    {"WindowTopMostAlways", &WindowBehaviour::WindowTopMostAlways},
    {"WindowLayer", &WindowBehaviour::WindowLayer},
    {"WindowMouseLayer", &WindowBehaviour::WindowMouseLayer},
    {"WindowLayerPercent", &WindowBehaviour::WindowLayerPercent},
    {"WindowHideSetting", &WindowBehaviour::WindowHideSetting},
    {"WindowShowHideSetting", &WindowBehaviour::WindowShowHideSetting},
    {"WindowCtrlKeyDownLayeredCancelSetting",
     &WindowBehaviour::WindowCtrlKeyDownLayeredCancelSetting},
}};

bool IsLayeringKey(std::string_view name) {
    return name == "WindowLayer" || name == "WindowMouseLayer" || name == "WindowLayerPercent";
}

bool AllBlack(const LayerColours& c) {
    return c.TextColor == 0 && c.ClockFaceColor == 0 && c.SecondHandColor == 0 &&
           c.BackGroundColor == 0;
}

// The colour key is left out whenever it is refused: keyed on black with every colour black,
// the layering commands (the Ctrl override, the repaint watchdog) would otherwise make the
// whole clock transparent behind the refusal's back.
LayeredAttributes LayerAttributes(const WindowBehaviour& behaviour, const LayerColours& colours,
                                  std::uint8_t alpha) {
    LayeredAttributes attributes;
    attributes.alpha = alpha;
    attributes.useAlpha = true;
    if (behaviour.WindowLayer == 1 && !AllBlack(colours)) {
        attributes.colourKey = colours.ClockFaceColor;
        attributes.useColourKey = true;
    }
    return attributes;
}

} // namespace

WindowBehaviour LoadWindowBehaviour(const SettingsStore& store, int platformMajorVersion) {
    const bool layering = platformMajorVersion >= kLayeringPlatformMajor;
    WindowBehaviour behaviour;
    behaviour.AudioFilePropertySheetPos =
        GetClampedInt(store, kWindowPositionSection, "AudioFilePropertySheetPos",
                      behaviour.AudioFilePropertySheetPos);
    for (const IntKey<WindowBehaviour>& key : kDialogKeys) {
        if (layering || !IsLayeringKey(key.key)) {
            int& value = behaviour.*key.field;
            value = GetClampedInt(store, kWindowPositionSection, key.key, value);
        }
    }
    return behaviour;
}

void SaveWindowBehaviour(SettingsStore& store, const WindowBehaviour& behaviour) {
    WriteInts<WindowBehaviour>(store, kWindowPositionSection, kDialogKeys, behaviour);
}

std::uint8_t LayerAlpha(int percent) {
    // The dialog's own range; anything beyond it would wrap the byte.
    const int clamped = std::clamp(percent, 0, kFullPercent);
    return static_cast<std::uint8_t>(clamped * kOpaqueAlpha / kFullPercent);
}

bool OpacityChanged(const WindowBehaviour& behaviour) {
    return behaviour.WindowLayerPercent != kFullPercent;
}

std::optional<LayeredAttributes> TransparencyAttributes(const WindowBehaviour& behaviour,
                                                        const LayerColours& colours,
                                                        bool opacityChanged) {
    const std::uint8_t alpha =
        opacityChanged ? LayerAlpha(behaviour.WindowLayerPercent) : kOpaqueAlpha;
    if (behaviour.WindowLayer != 1) {
        return LayeredAttributes{0, alpha, false, true};
    }
    if (AllBlack(colours)) {
        return std::nullopt;
    }
    return LayeredAttributes{colours.ClockFaceColor, alpha, true, opacityChanged};
}

LayeredAttributes ConfiguredLayerAttributes(const WindowBehaviour& behaviour,
                                            const LayerColours& colours) {
    return LayerAttributes(behaviour, colours, LayerAlpha(behaviour.WindowLayerPercent));
}

LayeredAttributes OpaqueLayerAttributes(const WindowBehaviour& behaviour,
                                        const LayerColours& colours) {
    return LayerAttributes(behaviour, colours, kOpaqueAlpha);
}

} // namespace zentrava
