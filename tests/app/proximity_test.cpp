#include "app/proximity.h"

#include <gtest/gtest.h>

#include <vector>

namespace zentrava {
namespace {

using A = ProximityAction;

constexpr ProximityInput kOutside{false, false, false, false};
constexpr ProximityInput kOutsideCtrl{false, true, false, false};
constexpr ProximityInput kInside{true, false, false, false};
constexpr ProximityInput kInsideCtrl{true, true, false, false};

ProximityInput WithMenu(ProximityInput in) {
    in.menuTracked = true;
    return in;
}
ProximityInput Moving(ProximityInput in) {
    in.moving = true;
    return in;
}

template <typename State>
struct Check {
    ProximityInput input;
    A action;
    State state;
};

// Runs the checks in order from Restarted, as the 10 ms timer would.
template <typename State, typename Step>
void RunChecks(Step step, const std::vector<Check<State>>& checks) {
    State state = State::Restarted;
    int n = 0;
    for (const Check<State>& c : checks) {
        const ProximityStep<State> got = step(state, c.input);
        EXPECT_EQ(got.action, c.action) << "check " << n;
        EXPECT_EQ(got.state, c.state) << "check " << n;
        state = got.state;
        ++n;
    }
}

// ---- Show when near -------------------------------------------------------------------------

using SS = ShowWhenNearState;

TEST(ShowWhenNear, ClockAppearsWhileTheMouseIsOverItAndOpaqueWithCtrl) {
    RunChecks<SS>(StepShowWhenNear, {
                                        {kOutside, A::Hide, SS::Hidden},
                                        {kOutside, A::None, SS::Hidden},
                                        {kInside, A::ShowNormal, SS::Shown},
                                        {kInside, A::None, SS::Shown},
                                        {kInsideCtrl, A::ShowOpaque, SS::ShownOpaque},
                                        {kInsideCtrl, A::None, SS::ShownOpaque},
                                        {kInside, A::ShowNormal, SS::Shown},
                                        {kOutside, A::Hide, SS::Hidden},
                                    });
}

TEST(ShowWhenNear, CtrlHeldOutsideLeavesTheClockAsItIs) {
    RunChecks<SS>(StepShowWhenNear, {
                                        {kInsideCtrl, A::ShowOpaque, SS::ShownOpaque},
                                        {kOutsideCtrl, A::None, SS::ShownOpaque},
                                        {kOutsideCtrl, A::None, SS::ShownOpaque},
                                        {kOutside, A::Hide, SS::Hidden},
                                        {kOutsideCtrl, A::None, SS::Hidden},
                                        {kInside, A::ShowNormal, SS::Shown},
                                    });
    // Straight after a restart too: the restart is kept, so the next check still acts.
    RunChecks<SS>(StepShowWhenNear, {
                                        {kOutsideCtrl, A::None, SS::Restarted},
                                        {kOutside, A::Hide, SS::Hidden},
                                    });
}

TEST(ShowWhenNear, NothingChangesWhileAPopupMenuIsOpen) {
    RunChecks<SS>(StepShowWhenNear, {
                                        {kInside, A::ShowNormal, SS::Shown},
                                        {WithMenu(kOutside), A::None, SS::Shown},
                                        {WithMenu(kInsideCtrl), A::None, SS::Shown},
                                        {kOutside, A::Hide, SS::Hidden},
                                    });
}

// ---- Hide when near -------------------------------------------------------------------------

using HS = HideWhenNearState;

TEST(HideWhenNear, ClockVanishesWhenTheMouseEntersAndReturnsWhenItLeaves) {
    RunChecks<HS>(StepHideWhenNear, {
                                        {kOutside, A::ShowNormal, HS::Shown},
                                        {kOutside, A::None, HS::Shown},
                                        {kInside, A::Hide, HS::Hidden},
                                        {kInside, A::None, HS::Hidden},
                                        {kOutside, A::ShowNormal, HS::Shown},
                                    });
}

TEST(HideWhenNear, CtrlShowsTheClockOpaqueInsideAndOutside) {
    RunChecks<HS>(StepHideWhenNear, {
                                        {kInside, A::Hide, HS::Hidden},
                                        {kInsideCtrl, A::ShowOpaque, HS::OpaqueInside},
                                        {kInsideCtrl, A::None, HS::OpaqueInside},
                                        {kOutsideCtrl, A::ShowOpaque, HS::OpaqueOutside},
                                        {kOutsideCtrl, A::None, HS::OpaqueOutside},
                                        {kInsideCtrl, A::ShowOpaque, HS::OpaqueInside},
                                        {kInside, A::Hide, HS::Hidden},
                                        {kOutsideCtrl, A::ShowOpaque, HS::OpaqueOutside},
                                        {kOutside, A::ShowNormal, HS::Shown},
                                    });
}

TEST(HideWhenNear, OpenMenuFreezesEverythingButCtrlOverTheClock) {
    RunChecks<HS>(StepHideWhenNear, {
                                        {kOutside, A::ShowNormal, HS::Shown},
                                        {WithMenu(kInside), A::None, HS::Shown},
                                        {WithMenu(kOutsideCtrl), A::None, HS::Shown},
                                        {WithMenu(kInsideCtrl), A::ShowOpaque, HS::OpaqueInside},
                                        {WithMenu(kOutside), A::None, HS::OpaqueInside},
                                        {kOutside, A::ShowNormal, HS::Shown},
                                    });
}

TEST(HideWhenNear, ReleasingCtrlWhileDraggingHidesOnlyOnceTheDragEnds) {
    RunChecks<HS>(StepHideWhenNear, {
                                        {kInsideCtrl, A::ShowOpaque, HS::OpaqueInside},
                                        {Moving(kInsideCtrl), A::None, HS::OpaqueInside},
                                        {Moving(kInside), A::None, HS::OpaqueInside},
                                        {Moving(kInside), A::None, HS::OpaqueInside},
                                        {kInside, A::Hide, HS::Hidden},
                                    });
}

TEST(HideWhenNear, MovingDoesNotHoldBackShowing) {
    RunChecks<HS>(StepHideWhenNear, {
                                        {kInside, A::Hide, HS::Hidden},
                                        {Moving(kOutside), A::ShowNormal, HS::Shown},
                                        {Moving(kOutsideCtrl), A::ShowOpaque, HS::OpaqueOutside},
                                        {Moving(kInsideCtrl), A::ShowOpaque, HS::OpaqueInside},
                                    });
}

// ---- Inside the client area -----------------------------------------------------------------

TEST(CursorInsideClient, EveryEdgeCountsAsInside) {
    const Rect client{0, 0, 128, 128};
    for (const Point p :
         {Point{0, 0}, Point{128, 128}, Point{128, 0}, Point{0, 128}, Point{64, 64}}) {
        EXPECT_TRUE(CursorInsideClient(p, client)) << p.x << "," << p.y;
    }
    for (const Point p : {Point{-1, 0}, Point{129, 5}, Point{5, -1}, Point{5, 129}}) {
        EXPECT_FALSE(CursorInsideClient(p, client)) << p.x << "," << p.y;
    }
}

} // namespace
} // namespace zentrava
