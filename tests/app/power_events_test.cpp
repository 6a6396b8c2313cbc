#include "app/power_events.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentrava {
namespace {

using enum PowerEvent;

// Runs the events through a fresh gate; "-" nothing, "stop", "resume".
std::string Actions(const std::vector<PowerEvent>& events) {
    ResumeGate gate;
    std::string out;
    for (const PowerEvent e : events) {
        const PowerStep step = gate.Step(e);
        switch (step.action) {
        case PowerAction::None:
            out += "-";
            break;
        case PowerAction::StopTick:
            out += "stop";
            break;
        case PowerAction::Resume:
            out += "resume";
            break;
        }
        out += ' ';
    }
    return out;
}

TEST(PowerEvents, EachWakeResumesTheClockExactlyOnce) {
    struct Case {
        const char* name;
        std::vector<PowerEvent> events;
        const char* actions;
    };
    const Case cases[] = {
        {"unattended wake", {Suspend, ResumeAutomatic}, "stop resume "},
        {"a person comes later", {Suspend, ResumeAutomatic, ResumeByUser}, "stop resume - "},
        {"woken by a person, as older systems report it", {Suspend, ResumeByUser}, "stop resume "},
        {"two wakes",
         {Suspend, ResumeAutomatic, ResumeByUser, Suspend, ResumeAutomatic, ResumeByUser},
         "stop resume - stop resume - "},
        {"back to sleep unattended, then woken by a person",
         {Suspend, ResumeAutomatic, Suspend, ResumeAutomatic, ResumeByUser},
         "stop resume stop resume - "},
        // A critical suspend is never announced; the clock is behind all the same.
        {"unannounced suspend", {ResumeAutomatic, ResumeByUser}, "resume - "},
        {"unannounced suspend twice", {ResumeAutomatic, ResumeAutomatic}, "resume resume "},
        {"other events change nothing",
         {Suspend, Other, ResumeAutomatic, Other, ResumeByUser},
         "stop - resume - - "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Actions(c.events), c.actions) << c.name;
    }
}

TEST(PowerEvents, SuspendAndResumeAreAnsweredTrueOthersFalse) {
    ResumeGate gate;
    for (const PowerEvent e : {Suspend, ResumeAutomatic, ResumeByUser, ResumeByUser}) {
        EXPECT_TRUE(gate.Step(e).answerTrue) << static_cast<int>(e);
    }
    EXPECT_FALSE(gate.Step(Other).answerTrue);
}

} // namespace
} // namespace zentrava
