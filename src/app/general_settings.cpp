#include "app/general_settings.h"

#include "resources/resource.h"

#include <algorithm>
#include <array>

namespace zentrava {

namespace {

constexpr std::array<SpinField, 9> kSpinFields{{
    {IDC_GS_FRAME_WIDTH, IDC_GS_FRAME_WIDTH_SPIN, &ClockSettings::ClockFrameWidth, {0, 10}},
    {IDC_GS_1MIN_MARK_LENGTH,
     IDC_GS_1MIN_MARK_LENGTH_SPIN,
     &ClockSettings::Clock1MinuteLineLength,
     {0, 16}},
    {IDC_GS_5MIN_MARK_LENGTH,
     IDC_GS_5MIN_MARK_LENGTH_SPIN,
     &ClockSettings::Clock5MinuteLineLength,
     {0, 16}},
    {IDC_GS_CIRCLE_POSITION,
     IDC_GS_CIRCLE_POSITION_SPIN,
     &ClockSettings::ClockMinuteCirclePos,
     {0, 24}},
    {IDC_GS_24H_MARKER_SIZE,
     IDC_GS_24H_MARKER_SIZE_SPIN,
     &ClockSettings::Clock24HourMarkSize,
     {5, 40}},
    {IDC_GS_24H_MARKER_POSITION,
     IDC_GS_24H_MARKER_POSITION_SPIN,
     &ClockSettings::Clock24HourMarkPos,
     {0, 50}},
    {IDC_GS_24H_EVEN_MARK_LENGTH,
     IDC_GS_24H_EVEN_MARK_LENGTH_SPIN,
     &ClockSettings::Clock_24_2_4_HourLineLength,
     {0, 16}},
    {IDC_GS_24H_ODD_MARK_LENGTH,
     IDC_GS_24H_ODD_MARK_LENGTH_SPIN,
     &ClockSettings::Clock_1_3_5_HourLineLength,
     {0, 16}},
    {IDC_GS_COLON_ADJUST, IDC_GS_COLON_ADJUST_SPIN, &ClockSettings::TimeColonAdj, {-32, 32}},
}};

constexpr std::array<TooltipEntry, 52> kTooltips{{
    {IDC_GS_DATE, IDS_TIP_DATE},
    {IDC_GS_TIME, IDS_TIP_TIME},
    {IDC_GS_DIAL_NUMERALS, IDS_TIP_DIAL_NUMERALS},
    {IDC_GS_JST, IDS_TIP_JST},
    {IDC_GS_5MIN_MARKS, IDS_TIP_5MIN_MARKS},
    {IDC_GS_1MIN_MARKS, IDS_TIP_1MIN_MARKS},
    {IDC_GS_5MIN_MARKS_BOLD, IDS_TIP_5MIN_MARKS_BOLD},
    {IDC_GS_24H_MARKS_BOLD, IDS_TIP_24H_MARKS_BOLD},
    {IDC_GS_SMOOTH_SECOND_HAND, IDS_TIP_SMOOTH_SECOND_HAND},
    {IDC_GS_SECOND_HAND, IDS_TIP_SECOND_HAND},
    {IDC_GS_FONT_SIZES, IDS_TIP_FONT_SIZES},
    {IDC_GS_FONT, IDS_TIP_FONT},
    {IDC_GS_AUTO_FONT_SIZE, IDS_TIP_AUTO_FONT_SIZE},
    {IDC_GS_HAND_DESIGN, IDS_TIP_HAND_DESIGN},
    {IDC_GS_MARK_DESIGN, IDS_TIP_MARK_DESIGN},
    {IDC_GS_HAND_FRAME, IDS_TIP_HAND_FRAME},
    {IDC_GS_TOPMOST, IDS_TIP_TOPMOST},
    {IDC_GS_ALWAYS_TOPMOST, IDS_TIP_ALWAYS_TOPMOST},
    {IDC_GS_TRANSPARENT_FACE, IDS_TIP_TRANSPARENT_FACE},
    {IDC_GS_PROXIMITY, IDS_TIP_PROXIMITY},
    {IDC_GS_PROXIMITY_HIDE, IDS_TIP_PROXIMITY_HIDE},
    {IDC_GS_PROXIMITY_SHOW, IDS_TIP_PROXIMITY_SHOW},
    {IDC_GS_CTRL_CANCELS_LAYER, IDS_TIP_CTRL_CANCELS_LAYER},
    {IDC_GS_OPACITY, IDS_TIP_OPACITY},
    {IDC_GS_CLICK_THROUGH, IDS_TIP_CLICK_THROUGH},
    {IDC_GS_FRAME_COLOUR, IDS_TIP_FRAME_COLOUR},
    {IDC_GS_FACE_COLOUR, IDS_TIP_FACE_COLOUR},
    {IDC_GS_5MIN_MARK_COLOUR, IDS_TIP_5MIN_MARK_COLOUR},
    {IDC_GS_1MIN_MARK_COLOUR, IDS_TIP_1MIN_MARK_COLOUR},
    {IDC_GS_TEXT_COLOURS, IDS_TIP_TEXT_COLOURS},
    {IDC_GS_HOUR_HAND_COLOUR, IDS_TIP_HOUR_HAND_COLOUR},
    {IDC_GS_MINUTE_HAND_COLOUR, IDS_TIP_MINUTE_HAND_COLOUR},
    {IDC_GS_SECOND_HAND_COLOUR, IDS_TIP_SECOND_HAND_COLOUR},
    {IDC_GS_24H_HAND_COLOUR, IDS_TIP_24H_MARKER_COLOUR},
    {IDC_GS_24H_HAND_FRAME_COLOUR, IDS_TIP_24H_MARKER_FRAME_COLOUR},
    {IDC_GS_TRAY_CLOCK, IDS_TIP_TRAY_CLOCK},
    {IDC_GS_FRAME_WIDTH, IDS_TIP_FRAME_WIDTH},
    {IDC_GS_1MIN_MARK_LENGTH, IDS_TIP_1MIN_MARK_LENGTH},
    {IDC_GS_5MIN_MARK_LENGTH, IDS_TIP_5MIN_MARK_LENGTH},
    {IDC_GS_CIRCLE_POSITION, IDS_TIP_ROUND_MARK_POSITION},
    {IDC_GS_DIAL_MODE, IDS_TIP_DIAL_MODE},
    {IDC_GS_24H_MARKER_SIZE, IDS_TIP_24H_MARKER_SIZE},
    {IDC_GS_24H_MARKER_POSITION, IDS_TIP_24H_MARKER_POSITION},
    {IDC_GS_24H_EVEN_MARK_LENGTH, IDS_TIP_24H_EVEN_MARK_LENGTH},
    {IDC_GS_24H_ODD_MARK_LENGTH, IDS_TIP_24H_ODD_MARK_LENGTH},
    {IDC_GS_24H_ZERO_POSITION, IDS_TIP_24H_ZERO_POSITION},
    {IDC_GS_COLON_ADJUST, IDS_TIP_COLON_ADJUST},
    {IDC_GS_RESET_PLACEMENT, IDS_TIP_RESET_PLACEMENT},
    {IDC_GS_SHORTCUT_DESKTOP, IDS_TIP_SHORTCUT_DESKTOP},
    {IDC_GS_SHORTCUT_STARTUP, IDS_TIP_SHORTCUT_STARTUP},
    {IDC_GS_SHORTCUT_ALL_DESKTOP, IDS_TIP_SHORTCUT_ALL_DESKTOP},
    {IDC_GS_SHORTCUT_ALL_STARTUP, IDS_TIP_SHORTCUT_ALL_STARTUP},
}};

struct EffectEntry {
    int control;
    unsigned effects;
};

constexpr unsigned kColour = kEffectRedraw;
constexpr std::array<EffectEntry, 22> kEffects{{
    {IDC_GS_SECOND_HAND, kEffectPublish},
    {IDC_GS_SMOOTH_SECOND_HAND, kEffectPublish},
    {IDC_GS_TRAY_CLOCK, kEffectPublish | kEffectTrayIcon},
    // A new face may bring another character set, which the tray tooltip is cut for.
    {IDC_GS_FONT, kEffectPublish | kEffectRelayout},
    {IDC_GS_FONT_SIZES, kEffectRelayout},
    {IDC_GS_AUTO_FONT_SIZE, kEffectRelayout},
    {IDC_GS_HAND_DESIGN, kEffectRelayout},
    {IDC_GS_TOPMOST, kEffectTopmost},
    {IDC_GS_TRANSPARENT_FACE, kEffectTransparency},
    {IDC_GS_OPACITY, kEffectOpacity},
    {IDC_GS_CLICK_THROUGH, kEffectClickThrough},
    {IDC_GS_PROXIMITY, kEffectProximity},
    {IDC_GS_FRAME_COLOUR, kColour},
    {IDC_GS_FACE_COLOUR, kColour},
    {IDC_GS_5MIN_MARK_COLOUR, kColour},
    {IDC_GS_1MIN_MARK_COLOUR, kColour},
    {IDC_GS_TEXT_COLOURS, kColour},
    {IDC_GS_HOUR_HAND_COLOUR, kColour},
    {IDC_GS_MINUTE_HAND_COLOUR, kColour},
    {IDC_GS_SECOND_HAND_COLOUR, kColour},
    {IDC_GS_24H_HAND_COLOUR, kColour},
    {IDC_GS_24H_HAND_FRAME_COLOUR, kColour},
}};

} // namespace

std::span<const SpinField> SpinFields() {
    return kSpinFields;
}

const SpinField* FindSpinField(int spin) {
    const auto* it = std::find_if(kSpinFields.begin(), kSpinFields.end(),
                                  [spin](const SpinField& f) { return f.spin == spin; });
    return it == kSpinFields.end() ? nullptr : &*it;
}

int StepSpin(int value, int delta, SpinRange range) {
    const int span = range.high - range.low + 1;
    if (span <= 0 || delta == 0) {
        return value;
    }
    const int from = std::clamp(value, range.low, range.high);
    const int offset = ((from - range.low + delta) % span + span) % span;
    return range.low + offset;
}

std::span<const TooltipEntry> TooltipTable() {
    return kTooltips;
}

int TooltipStringFor(int control) {
    for (const TooltipEntry& e : kTooltips) {
        if (e.control == control) {
            return e.string;
        }
    }
    return 0;
}

unsigned EffectsOf(int control) {
    if (FindSpinField(control) != nullptr) {
        return kEffectRelayout;
    }
    for (const EffectEntry& e : kEffects) {
        if (e.control == control) {
            return e.effects;
        }
    }
    return kEffectNone;
}

ProximityRestore ProximityOnCancel(int liveHideSetting, int openedHideSetting) {
    if (liveHideSetting == openedHideSetting) {
        return ProximityRestore::Keep;
    }
    return openedHideSetting == 1 ? ProximityRestore::Restart : ProximityRestore::Stop;
}

unsigned CancelEffects(const GeneralSnapshot& live, const GeneralSnapshot& opened) {
    // Everything the dialog can reach is carried back whatever changed, as the sub-dialogs and
    // other windows may have moved values the dialog did not see; only the proximity timer
    // depends on a change, since restarting it would forget where the cursor was.
    unsigned effects = kEffectPublish | kEffectRelayout | kEffectRedraw | kEffectTrayIcon |
                       kEffectTopmost | kEffectTransparency | kEffectClickThrough;
    if (ProximityOnCancel(live.behaviour.WindowHideSetting, opened.behaviour.WindowHideSetting) !=
        ProximityRestore::Keep) {
        effects |= kEffectProximity;
    }
    return effects;
}

} // namespace zentrava
