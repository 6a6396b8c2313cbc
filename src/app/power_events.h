#pragma once
// Suspend and resume as the main window hears them. A machine that wakes by itself (a wake
// timer, a scheduled task) reports only the automatic resume until a person touches it; the
// resume by a person then follows for the same wake. The clock takes up at the first of the two
// and ignores the second, so one wake starts one tick and one time-server update.

namespace zentrava {

enum class PowerEvent {
    Suspend,         // PBT_APMSUSPEND
    ResumeAutomatic, // PBT_APMRESUMEAUTOMATIC: every wake, first
    ResumeByUser,    // PBT_APMRESUMESUSPEND: after it, once a person is there
    Other,
};

enum class PowerAction {
    None,
    StopTick,
    Resume, // reload the clocks (or ask the time server), then start the tick if it is stopped
};

struct PowerStep {
    PowerAction action = PowerAction::None;
    bool answerTrue = false; // what the broadcast is answered

    friend bool operator==(const PowerStep&, const PowerStep&) = default;
};

class ResumeGate {
public:
    PowerStep Step(PowerEvent event);

private:
    // The automatic resume of the current wake has been acted on.
    bool resumedAutomatically_ = false;
};

} // namespace zentrava
