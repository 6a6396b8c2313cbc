#pragma once
// How the clock window behaves, kept in section Window_Position beside the placement keys:
// topmost, layering (a colour key on the face colour and a whole-window opacity), click-through
// and the mouse-proximity modes. Loaded at window creation and written by the general settings
// dialog; the decisions here give the glue the attributes to set on the layered window.

#include "base/settings_store.h"

#include <cstdint>
#include <optional>

namespace zentrava {

struct WindowBehaviour {
    int AudioFilePropertySheetPos = 0;
    int WindowTopMost = 1;
    int WindowTopMostAlways = 0;
    int WindowLayer = 0;
    int WindowMouseLayer = 0;
    int WindowLayerPercent = 100;
    int WindowHideSetting = 0;
    int WindowShowHideSetting = 0;
    int WindowCtrlKeyDownLayeredCancelSetting = 0;

    friend bool operator==(const WindowBehaviour&, const WindowBehaviour&) = default;
};

// Layered windows came with platform major version 5: before it the three layering keys are
// not read and keep their defaults.
inline constexpr int kLayeringPlatformMajor = 5;

WindowBehaviour LoadWindowBehaviour(const SettingsStore& store, int platformMajorVersion);

// The keys the general settings dialog confirms. AudioFilePropertySheetPos is not among them:
// the main window writes it at exit.
void SaveWindowBehaviour(SettingsStore& store, const WindowBehaviour& behaviour);

// WindowLayerPercent as a layered-window alpha (percent x 255 / 100, so 50 gives 127).
std::uint8_t LayerAlpha(int percent);

// The opacity-changed flag as loading sets it; the layering commands set it too.
bool OpacityChanged(const WindowBehaviour& behaviour);

// What SetLayeredWindowAttributes is given: the colour key and alpha, and which of them apply
// (LWA_COLORKEY, LWA_ALPHA). colourKey is a 0x00BBGGRR colour.
struct LayeredAttributes {
    int colourKey = 0;
    std::uint8_t alpha = 255;
    bool useColourKey = false;
    bool useAlpha = false;

    friend bool operator==(const LayeredAttributes&, const LayeredAttributes&) = default;
};

// The colours (0x00BBGGRR) that decide whether a colour key on the face colour would leave
// anything of the clock visible.
struct LayerColours {
    int TextColor = 0;
    int ClockFaceColor = 0;
    int SecondHandColor = 0;
    int BackGroundColor = 0;
};

// The transparency applied at creation and by its command. No value when it must be refused:
// with every colour black, keying out the face colour would make the whole clock transparent.
std::optional<LayeredAttributes> TransparencyAttributes(const WindowBehaviour& behaviour,
                                                        const LayerColours& colours,
                                                        bool opacityChanged);

// The configured layering, put back when Ctrl no longer holds the clock opaque. With every
// colour black the colour key is left out, as the transparency refuses it.
LayeredAttributes ConfiguredLayerAttributes(const WindowBehaviour& behaviour,
                                            const LayerColours& colours);

// The same with full opacity, while Ctrl holds the clock opaque.
LayeredAttributes OpaqueLayerAttributes(const WindowBehaviour& behaviour,
                                        const LayerColours& colours);

} // namespace zentrava
