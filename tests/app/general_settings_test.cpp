#include "app/general_settings.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

namespace zentrava {
namespace {

TEST(GeneralSettingsSpin, StepsWrapAndStartFromTheNearerEndOfAStoredValueBeyondTheRange) {
    struct Case {
        int value;
        int delta;
        SpinRange range;
        int expected;
    };
    const Case cases[] = {
        {3, 1, {0, 10}, 4},
        {3, -1, {0, 10}, 2},
        {10, 1, {0, 10}, 0},
        {0, -1, {0, 10}, 10},
        {14, 1, {0, 10}, 0},
        {14, -1, {0, 10}, 9},
        {-5, 1, {0, 10}, 1},
        {-5, -1, {0, 10}, 10},
        {40, 1, {5, 40}, 5},
        {5, -1, {5, 40}, 40},
        {2, 1, {5, 40}, 6},
        {-40, 1, {-32, 32}, -31},
        {-40, -1, {-32, 32}, 32},
        {32, 1, {-32, 32}, -32},
        {0, -1, {-32, 32}, -1},
        // The up-down speeds up while held: a step of several wraps the same way.
        {9, 5, {0, 10}, 3},
        {1, -5, {0, 10}, 7},
        {3, 0, {0, 10}, 3},
        {14, 0, {0, 10}, 14},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StepSpin(c.value, c.delta, c.range), c.expected)
            << c.value << " by " << c.delta << " in " << c.range.low << ".." << c.range.high;
    }
}

// What the tick reads must reach it through the published snapshot, and the slider must only
// change the alpha: both were plain writes or whole-window refreshes once.
TEST(GeneralSettingsEffects, EachChangeCarriesWhatTheClockNeeds) {
    struct Case {
        int control;
        unsigned must;
        unsigned mustNot;
    };
    const Case cases[] = {
        {IDC_GS_SECOND_HAND, kEffectPublish, kEffectRelayout},
        {IDC_GS_SMOOTH_SECOND_HAND, kEffectPublish, kEffectRelayout},
        {IDC_GS_TRAY_CLOCK, kEffectPublish | kEffectTrayIcon, 0},
        {IDC_GS_FONT, kEffectPublish | kEffectRelayout, 0},
        {IDC_GS_OPACITY, kEffectOpacity,
         kEffectRelayout | kEffectClickThrough | kEffectTransparency | kEffectRedraw},
        {IDC_GS_CLICK_THROUGH, kEffectClickThrough, 0},
        {IDC_GS_TRANSPARENT_FACE, kEffectTransparency, 0},
        {IDC_GS_TOPMOST, kEffectTopmost, 0},
        {IDC_GS_PROXIMITY, kEffectProximity, 0},
        {IDC_GS_HAND_DESIGN, kEffectRelayout, 0},
        {IDC_GS_AUTO_FONT_SIZE, kEffectRelayout, 0},
        {IDC_GS_FONT_SIZES, kEffectRelayout, 0},
        {IDC_GS_FRAME_WIDTH_SPIN, kEffectRelayout, kEffectPublish},
        {IDC_GS_COLON_ADJUST_SPIN, kEffectRelayout, 0},
        {IDC_GS_SECOND_HAND_COLOUR, kEffectRedraw, kEffectRelayout},
        {IDC_GS_24H_HAND_FRAME_COLOUR, kEffectRedraw, 0},
        {IDC_GS_TEXT_COLOURS, kEffectRedraw, 0},
        {IDC_GS_DATE, 0, ~0u},
        {IDC_GS_FRAME_WIDTH, 0, ~0u}, // the edit itself: only its spin changes it
    };
    for (const Case& c : cases) {
        const unsigned effects = EffectsOf(c.control);
        EXPECT_EQ(effects & c.must, c.must) << c.control;
        EXPECT_EQ(effects & c.mustNot, 0u) << c.control;
    }
}

TEST(GeneralSettingsCancel, ProximityTimerFollowsOnlyASwitchedBehaviour) {
    struct Case {
        int live;
        int opened;
        ProximityRestore expected;
    };
    const Case cases[] = {
        {0, 0, ProximityRestore::Keep},
        {1, 1, ProximityRestore::Keep},
        {0, 1, ProximityRestore::Restart},
        {1, 0, ProximityRestore::Stop},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProximityOnCancel(c.live, c.opened), c.expected) << c.live << c.opened;
        GeneralSnapshot live;
        GeneralSnapshot opened;
        live.behaviour.WindowHideSetting = c.live;
        opened.behaviour.WindowHideSetting = c.opened;
        const unsigned effects = CancelEffects(live, opened);
        EXPECT_EQ((effects & kEffectProximity) != 0, c.expected != ProximityRestore::Keep);
        // Everything else goes back whatever changed.
        for (unsigned always : {kEffectPublish, kEffectRelayout, kEffectRedraw, kEffectTrayIcon,
                                kEffectTopmost, kEffectTransparency, kEffectClickThrough}) {
            EXPECT_NE(effects & always, 0u) << always;
        }
    }
}

} // namespace
} // namespace zentrava
