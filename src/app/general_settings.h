#pragma once
// The general settings dialog's decisions: how its numeric fields step, which tooltip each
// control shows, what a change must carry to the running clock, and what Cancel puts back.

#include "app/window_behaviour.h"
#include "face/appearance_settings.h"

#include <span>

namespace zentrava {

struct SpinRange {
    int low = 0;
    int high = 0;
};

// A numeric field: a read-only edit, the spin beside it, the clock setting it shows.
struct SpinField {
    int edit = 0;
    int spin = 0;
    int ClockSettings::*value = nullptr;
    SpinRange range;
};

std::span<const SpinField> SpinFields();
// The field a spin belongs to; null for any other control.
const SpinField* FindSpinField(int spin);

// The value after `delta` presses (positive up). Inside the range it steps and wraps round the
// ends. The loader keeps wider values than the spins offer; such a stored value is shown as it
// is, and the first press steps from the nearer end as if the value stood there: 14 in 0..10
// gives 0 up (10 wraps round) and 9 down; -40 in -32..32 gives -31 up and 32 down. So a press
// always lands inside the range, and a field nobody presses keeps what was stored.
int StepSpin(int value, int delta, SpinRange range);

// Tooltips: the string table entry each control's tip comes from; 0 for a control without one.
struct TooltipEntry {
    int control = 0;
    int string = 0;
};
std::span<const TooltipEntry> TooltipTable();
int TooltipStringFor(int control);
// The longest tip the dialog answers, in characters (bytes in CP932 may be twice as many): the
// tooltip's own 80-byte field cannot hold the longer ones, so the dialog answers from a buffer
// of its own of this size plus the terminator.
inline constexpr int kTooltipChars = 160;

// What a control's change must carry to the running clock at once.
enum Effect : unsigned {
    kEffectNone = 0,
    kEffectPublish = 1u << 0,      // a value the tick reads: PublishWindowSnapshot
    kEffectRelayout = 1u << 1,     // the face is laid out again (WM_SIZE at the current size)
    kEffectRedraw = 1u << 2,       // pens and brushes rebuilt, the face repainted
    kEffectTrayIcon = 1u << 3,     // the tray clock drawn, or the fixed icon put back
    kEffectTopmost = 1u << 4,      // command 40010 with WindowTopMost
    kEffectTransparency = 1u << 5, // command 40014
    kEffectOpacity = 1u << 6,      // the alpha alone, without refreshing the window
    kEffectClickThrough = 1u << 7, // WS_EX_TRANSPARENT and the layering again
    kEffectProximity = 1u << 8,    // the proximity timer started or stopped
};
// Keyed by the control that reports the change (a numeric field by its spin).
unsigned EffectsOf(int control);

// Everything the dialog and its sub-dialogs may change, as it was at the opening.
struct GeneralSnapshot {
    AppearanceSettings appearance;
    WindowBehaviour behaviour;

    friend bool operator==(const GeneralSnapshot&, const GeneralSnapshot&) = default;
};

// Cancel puts every effect back; the proximity timer only when the behaviour was switched.
enum class ProximityRestore { Keep, Stop, Restart };
ProximityRestore ProximityOnCancel(int liveHideSetting, int openedHideSetting);
unsigned CancelEffects(const GeneralSnapshot& live, const GeneralSnapshot& opened);

} // namespace zentrava
