#include "app/power_events.h"

namespace zentrava {

PowerStep ResumeGate::Step(PowerEvent event) {
    switch (event) {
    case PowerEvent::Suspend:
        resumedAutomatically_ = false;
        return {PowerAction::StopTick, true};
    case PowerEvent::ResumeAutomatic:
        // Sent once for every wake, also after a suspend that was never announced (a critical
        // one, with the tick still running and the clock behind): always acted on.
        resumedAutomatically_ = true;
        return {PowerAction::Resume, true};
    case PowerEvent::ResumeByUser: {
        const bool sameWake = resumedAutomatically_;
        resumedAutomatically_ = false;
        return {sameWake ? PowerAction::None : PowerAction::Resume, true};
    }
    case PowerEvent::Other:
        break;
    }
    return {};
}

} // namespace zentrava
