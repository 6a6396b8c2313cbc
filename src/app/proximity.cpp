#include "app/proximity.h"

namespace zentrava {
namespace {

template <typename State>
ProximityStep<State> MoveTo(State current, State target, ProximityAction action) {
    if (current == target) {
        return {current, ProximityAction::None};
    }
    return {target, action};
}

} // namespace

ProximityStep<ShowWhenNearState> StepShowWhenNear(ShowWhenNearState state,
                                                  const ProximityInput& input) {
    using S = ShowWhenNearState;
    // Hiding or re-layering the window under an open menu would pull the menu's owner away.
    if (input.menuTracked) {
        return {state, ProximityAction::None};
    }
    if (!input.inside) {
        // Ctrl held outside leaves the clock as it is: the mouse can leave it without it vanishing.
        if (input.ctrlDown) {
            return {state, ProximityAction::None};
        }
        return MoveTo(state, S::Hidden, ProximityAction::Hide);
    }
    if (input.ctrlDown) {
        return MoveTo(state, S::ShownOpaque, ProximityAction::ShowOpaque);
    }
    return MoveTo(state, S::Shown, ProximityAction::ShowNormal);
}

ProximityStep<HideWhenNearState> StepHideWhenNear(HideWhenNearState state,
                                                  const ProximityInput& input) {
    using S = HideWhenNearState;
    // Ctrl over the hidden clock is how the user gets at it, menu open or not.
    if (input.inside && input.ctrlDown) {
        return MoveTo(state, S::OpaqueInside, ProximityAction::ShowOpaque);
    }
    if (input.menuTracked) {
        return {state, ProximityAction::None};
    }
    if (!input.inside) {
        if (input.ctrlDown) {
            return MoveTo(state, S::OpaqueOutside, ProximityAction::ShowOpaque);
        }
        return MoveTo(state, S::Shown, ProximityAction::ShowNormal);
    }
    // Releasing Ctrl while dragging the clock must not hide the window under the drag. The
    // state stays as it was rather than becoming Hidden: were it recorded as Hidden without
    // hiding, the first check after the drag would find nothing to change and leave the clock
    // showing under the cursor.
    if (input.moving) {
        return {state, ProximityAction::None};
    }
    return MoveTo(state, S::Hidden, ProximityAction::Hide);
}

bool CursorInsideClient(Point cursor, const Rect& client) {
    return cursor.x >= client.left && cursor.x <= client.right && cursor.y >= client.top &&
           cursor.y <= client.bottom;
}

} // namespace zentrava
