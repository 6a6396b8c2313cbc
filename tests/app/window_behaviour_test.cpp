#include "app/window_behaviour.h"

#include "base/memory_settings_store.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace zentrava {
namespace {

const WindowBehaviour kDefaults{0, 1, 0, 0, 0, 100, 0, 0, 0};

// Every key away from its default and from its neighbours.
constexpr const char* kAllKeys = "[Window_Position]\r\nAudioFilePropertySheetPos=7\r\n"
                                 "WindowTopMost=0\r\nWindowTopMostAlways=1\r\nWindowLayer=1\r\n"
                                 "WindowMouseLayer=1\r\nWindowLayerPercent=42\r\n"
                                 "WindowHideSetting=1\r\nWindowShowHideSetting=1\r\n"
                                 "WindowCtrlKeyDownLayeredCancelSetting=1\r\n";

// ---- Loading and saving ---------------------------------------------------------------------

TEST(WindowBehaviourLoading, EmptyFileGivesDefaults) {
    for (int major : {4, 5, 10}) {
        EXPECT_EQ(LoadWindowBehaviour(MemorySettingsStore(), major), kDefaults) << major;
    }
}

TEST(WindowBehaviourLoading, StoredValuesAreRead) {
    EXPECT_EQ(LoadWindowBehaviour(MemorySettingsStore(kAllKeys), 5),
              (WindowBehaviour{7, 0, 1, 1, 1, 42, 1, 1, 1}));
}

TEST(WindowBehaviourLoading, BeforeLayeredWindowsTheLayeringKeysKeepTheirDefaults) {
    EXPECT_EQ(LoadWindowBehaviour(MemorySettingsStore(kAllKeys), 4),
              (WindowBehaviour{7, 0, 1, 0, 0, 100, 1, 1, 1}));
}

TEST(WindowBehaviourLoading, OutOfRangeValuesLandOnTheNearestEnd) {
    const struct {
        const char* key;
        int WindowBehaviour::*field;
    } switches[] = {
        {"WindowTopMost", &WindowBehaviour::WindowTopMost},
        {"WindowTopMostAlways", &WindowBehaviour::WindowTopMostAlways},
        {"WindowLayer", &WindowBehaviour::WindowLayer},
        {"WindowMouseLayer", &WindowBehaviour::WindowMouseLayer},
        {"WindowHideSetting", &WindowBehaviour::WindowHideSetting},
        {"WindowShowHideSetting", &WindowBehaviour::WindowShowHideSetting},
        {"WindowCtrlKeyDownLayeredCancelSetting",
         &WindowBehaviour::WindowCtrlKeyDownLayeredCancelSetting},
    };
    const struct {
        int stored;
        int expected;
    } switchProbes[] = {{INT_MIN, 0}, {-1, 0}, {0, 0}, {1, 1}, {2, 1}, {INT_MAX, 1}};
    for (const auto& s : switches) {
        for (const auto& p : switchProbes) {
            const MemorySettingsStore store("[Window_Position]\r\n" + std::string(s.key) + "=" +
                                            std::to_string(p.stored) + "\r\n");
            EXPECT_EQ(LoadWindowBehaviour(store, 5).*s.field, p.expected)
                << s.key << "=" << p.stored;
        }
    }
    const struct {
        const char* line;
        int expected;
    } percentProbes[] = {
        {"WindowLayerPercent=-2147483648", 0}, {"WindowLayerPercent=-1", 0},
        {"WindowLayerPercent=0", 0},           {"WindowLayerPercent=50", 50},
        {"WindowLayerPercent=101", 100},       {"windowlayerpercent=99999999999", 100},
    };
    for (const auto& p : percentProbes) {
        const MemorySettingsStore store("[window_position]\r\n" + std::string(p.line) + "\r\n");
        EXPECT_EQ(LoadWindowBehaviour(store, 5).WindowLayerPercent, p.expected) << p.line;
    }
}

TEST(WindowBehaviourSaving, WritesTheDialogsEightKeysInOrder) {
    MemorySettingsStore store;
    SaveWindowBehaviour(store, {9, 0, 1, 1, 0, 55, 1, 0, 1});
    EXPECT_EQ(store.Text(), "[Window_Position]\r\nWindowTopMost=0\r\nWindowTopMostAlways=1\r\n"
                            "WindowLayer=1\r\nWindowMouseLayer=0\r\nWindowLayerPercent=55\r\n"
                            "WindowHideSetting=1\r\nWindowShowHideSetting=0\r\n"
                            "WindowCtrlKeyDownLayeredCancelSetting=1\r\n");
}

TEST(WindowBehaviourSaving, SaveThenLoadRoundTripsAndLeavesThePlacementKeys) {
    MemorySettingsStore store("[Window_Position]\r\nWindow_X_Pos=-40\r\n"
                              "AudioFilePropertySheetPos=3\r\nWindowLayer=1\r\n");
    const WindowBehaviour saved{3, 0, 1, 0, 1, 1, 1, 1, 0};
    SaveWindowBehaviour(store, saved);
    EXPECT_EQ(LoadWindowBehaviour(store, 6), saved);
    EXPECT_EQ(store.GetInt("Window_Position", "Window_X_Pos", 0), -40);
}

// ---- Alpha and layering ---------------------------------------------------------------------

TEST(LayerAlpha, PercentScalesTo255RoundingDown) {
    const struct {
        int percent;
        int alpha;
    } cases[] = {{0, 0}, {1, 2}, {50, 127}, {99, 252}, {100, 255}, {-1, 0}, {101, 255}};
    for (const auto& c : cases) {
        EXPECT_EQ(int{LayerAlpha(c.percent)}, c.alpha) << c.percent;
    }
}

TEST(LayerAlpha, OpacityCountsAsChangedBelowFullPercent) {
    WindowBehaviour b;
    EXPECT_FALSE(OpacityChanged(b));
    b.WindowLayerPercent = 99;
    EXPECT_TRUE(OpacityChanged(b));
    b.WindowLayerPercent = 0;
    EXPECT_TRUE(OpacityChanged(b));
}

WindowBehaviour Layered(int windowLayer, int percent) {
    WindowBehaviour b;
    b.WindowLayer = windowLayer;
    b.WindowLayerPercent = percent;
    return b;
}

constexpr int kFace = 0x00FFFFFF;
constexpr LayerColours kColours{0, kFace, 0x00804000, 0x00FF8080};

TEST(Transparency, ColourKeyOnTheFaceColourWithAlphaOnlyWhenOpacityChanged) {
    EXPECT_EQ(TransparencyAttributes(Layered(1, 100), kColours, false),
              (LayeredAttributes{kFace, 255, true, false}));
    EXPECT_EQ(TransparencyAttributes(Layered(1, 50), kColours, true),
              (LayeredAttributes{kFace, 127, true, true}));
    // The layering commands set the flag at full opacity too.
    EXPECT_EQ(TransparencyAttributes(Layered(1, 100), kColours, true),
              (LayeredAttributes{kFace, 255, true, true}));
}

TEST(Transparency, WithoutColourKeyOnlyTheAlphaApplies) {
    EXPECT_EQ(TransparencyAttributes(Layered(0, 50), kColours, false),
              (LayeredAttributes{0, 255, false, true}));
    EXPECT_EQ(TransparencyAttributes(Layered(0, 50), kColours, true),
              (LayeredAttributes{0, 127, false, true}));
    // All black is harmless without a colour key.
    EXPECT_EQ(TransparencyAttributes(Layered(0, 100), LayerColours{}, false),
              (LayeredAttributes{0, 255, false, true}));
}

TEST(Transparency, ColourKeyIsRefusedOnlyWhenAllFourColoursAreBlack) {
    EXPECT_FALSE(TransparencyAttributes(Layered(1, 50), LayerColours{}, true).has_value());
    int LayerColours::*const fields[] = {&LayerColours::TextColor, &LayerColours::ClockFaceColor,
                                         &LayerColours::SecondHandColor,
                                         &LayerColours::BackGroundColor};
    for (int LayerColours::*field : fields) {
        LayerColours colours;
        colours.*field = 0x000001;
        const auto attributes = TransparencyAttributes(Layered(1, 100), colours, false);
        ASSERT_TRUE(attributes.has_value());
        EXPECT_EQ(attributes->colourKey, colours.ClockFaceColor);
        EXPECT_TRUE(attributes->useColourKey);
    }
}

TEST(LayeringCommands, ConfiguredUsesThePercentOpaqueUsesFullAlpha) {
    EXPECT_EQ(ConfiguredLayerAttributes(Layered(1, 50), kColours),
              (LayeredAttributes{kFace, 127, true, true}));
    EXPECT_EQ(ConfiguredLayerAttributes(Layered(0, 50), kColours),
              (LayeredAttributes{0, 127, false, true}));
    EXPECT_EQ(OpaqueLayerAttributes(Layered(1, 50), kColours),
              (LayeredAttributes{kFace, 255, true, true}));
    EXPECT_EQ(OpaqueLayerAttributes(Layered(0, 0), kColours),
              (LayeredAttributes{0, 255, false, true}));
}

TEST(LayeringCommands, NeverKeyOutAnAllBlackClock) {
    // The refused colour key stays refused when Ctrl or the repaint watchdog re-applies layering.
    EXPECT_EQ(ConfiguredLayerAttributes(Layered(1, 50), LayerColours{}),
              (LayeredAttributes{0, 127, false, true}));
    EXPECT_EQ(OpaqueLayerAttributes(Layered(1, 50), LayerColours{}),
              (LayeredAttributes{0, 255, false, true}));
}

} // namespace
} // namespace zentrava
