#pragma once
// The clock hides or shows itself as the mouse comes near: one state machine for each mode,
// stepped by the proximity check (every 10 ms, at start-up and when the behaviour is switched
// on). Each step says what the glue should do; nothing happens when the state would not change,
// so a window the user has shown or hidden otherwise stays as it is until the cursor or Ctrl
// changes.

#include "base/geometry.h"

namespace zentrava {

struct ProximityInput {
    bool inside = false;      // the cursor is over the client area, edges included
    bool ctrlDown = false;    // Ctrl is held now, wherever it was pressed
    bool menuTracked = false; // a popup menu of the clock is open
    bool moving = false;      // the user is moving or sizing the window
};

enum class ProximityAction {
    None,
    Hide,
    ShowNormal, // with the configured layering back, when Ctrl lifts the transparency
    ShowOpaque, // fully opaque and taking the mouse, when Ctrl lifts the transparency
};

// Restarted is where the behaviour starts (start-up, show/hide toggle, reset placement): it
// differs from every other state, so the next check always acts.
enum class ShowWhenNearState {
    Restarted = 0,
    Shown = 1,
    ShownOpaque = 2,
    Hidden = 3,
};

enum class HideWhenNearState {
    Restarted = 0,
    Hidden = 1,
    OpaqueInside = 2,
    Shown = 3,
    OpaqueOutside = 4,
};

template <typename State>
struct ProximityStep {
    State state;
    ProximityAction action = ProximityAction::None;

    friend bool operator==(const ProximityStep&, const ProximityStep&) = default;
};

// WindowShowHideSetting = 1: the clock shows only while the mouse is over it.
ProximityStep<ShowWhenNearState> StepShowWhenNear(ShowWhenNearState state,
                                                  const ProximityInput& input);

// WindowShowHideSetting = 0: the clock hides while the mouse is over it.
ProximityStep<HideWhenNearState> StepHideWhenNear(HideWhenNearState state,
                                                  const ProximityInput& input);

// cursor and client both in client coordinates; unlike a plain point-in-rectangle test the
// right and bottom edges count as inside.
bool CursorInsideClient(Point cursor, const Rect& client);

} // namespace zentrava
