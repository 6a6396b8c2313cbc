#include "app/tick.h"

namespace zentrava {

namespace {

// Display work that a burst of owed ticks does once, after its last tick.
struct Deferred {
    bool tooltip = false;
    bool trayClock = false;
    bool redraw = false;
};

void CollectDisplayWork(const AdvanceEvents& e, const TickSettings& s, Deferred& d) {
    const bool secondHand = s.SecondHandDispOnOff == 1;
    bool redraw = secondHand && s.SecondHandSmooth == 1;
    if (e.halfSecond) {
        redraw = true;
    }
    if (e.wholeSecond) {
        d.tooltip = true;
        redraw = redraw || secondHand;
    }
    if (e.newMinute || e.newHour) {
        d.tooltip = true;
        redraw = redraw || !secondHand;
        d.trayClock = d.trayClock || s.TaskTrayIconClock == 1;
    }
    if (e.halfDayWrap || e.dayWrap) {
        redraw = true;
    }
    d.redraw = d.redraw || redraw;
}

void FlushDisplayWork(const Deferred& d, TickState& state, const TickSettings& s,
                      TickDuties& duties) {
    if (d.tooltip) {
        duties.RefreshTooltip();
    }
    if (d.trayClock) {
        duties.RedrawTrayClock();
    }
    if (s.WindowDispOn == 1 && d.redraw) {
        duties.InvalidateFace();
        if (!duties.FaceOnScreen()) {
            state.unpaintedRedraws.store(0);
            return;
        }
        const int limit = s.SecondHandSmooth == 1 ? 60 : 3;
        if (state.unpaintedRedraws.fetch_add(1) + 1 >= limit) {
            state.unpaintedRedraws.store(0);
            duties.RepaintWatchdog();
        }
    }
}

void RunSchedulers(const ClockStep& step, const TickSettings& s, TickDuties& duties) {
    const Clocks& c = step.clocks;
    const bool wholeMinute = step.events.newMinute;
    if (wholeMinute) {
        if (s.IntervalAlarmJust0Second != 0 && s.IntervalAlarmOn != 0 &&
            !duties.IntervalAlarmStarted()) {
            duties.StartIntervalAlarm();
        }
        duties.CheckAlarms(c);
    }
    if (s.TimeSignalFlag != 0) {
        if (s.TimeSignal0JustOnFlag != 0) {
            duties.CheckHourChime(c);
        }
        if (s.TimeSignal30JustOnFlag != 0) {
            duties.CheckHalfHourChime(c);
        }
    }
    if ((s.TimeSignalMSecondEnable == 0 && step.events.wholeSecond) ||
        s.TimeSignalMSecondEnable == 1) {
        duties.CheckCustomTimeSignals(c);
    }
    if (duties.QuickTimerRunning()) {
        duties.CheckQuickTimer(c);
    }
    if (wholeMinute) {
        duties.CheckTimeServerSchedule(c);
    }
    if (step.events.wholeSecond) {
        duties.StartWaitingTimeServerQuery(c);
    }
}

void FinishCallback(TickDuties& duties) {
    duties.ShowPendingBalloon();
    // The sounding flag first: reading the keys costs a round trip to the window system on
    // every tick, and it matters only while an alarm sounds.
    if (duties.AlarmSounding() && duties.StopKeyDown()) {
        duties.StopAlarmSound();
    }
}

// What every step does before its display work and schedulers.
void CountStep(const ClockStep& step, const TickSettings& settings, TickDuties& duties,
               Deferred& deferred, TickReport& report) {
    duties.OnClockStep(step);
    report.ticks += step.ticks;
    if (step.kind == ClockStep::Kind::Jumped) {
        report.jumped = true;
        deferred = {true, settings.TaskTrayIconClock == 1, true};
        duties.SkipCountdowns(step.ticks);
    } else {
        ++report.advances;
        if (step.events.wholeSecond) {
            duties.CountLockoutSeconds();
            duties.CountNoodleSecond();
        }
        CollectDisplayWork(step.events, settings, deferred);
    }
}

} // namespace

void CopyTickFlags(const TimeSignal& signal, TickSettings& tick) {
    tick.TimeSignalFlag = signal.TimeSignalFlag();
    tick.TimeSignal0JustOnFlag = signal.TimeSignal0JustOnFlag();
    tick.TimeSignal30JustOnFlag = signal.TimeSignal30JustOnFlag();
    tick.TimeSignalMSecondEnable = signal.TimeSignalMSecondEnable();
}

TickReport RunTick(ClockKeeper& keeper, TickState& state, const TickSettings& settings,
                   TickDuties& duties, MonotonicTime now) {
    TickReport report;
    Deferred deferred;
    for (;;) {
        const ClockStep step = keeper.Step(now);
        if (step.kind == ClockStep::Kind::None) {
            // A load on the window thread can cancel what was owed in the middle of a burst;
            // the display work gathered so far must still be done.
            if (report.ticks > 0) {
                FlushDisplayWork(deferred, state, settings, duties);
                FinishCallback(duties);
            }
            return report;
        }
        CountStep(step, settings, duties, deferred, report);
        const bool last = step.pending == 0;
        if (last) {
            FlushDisplayWork(deferred, state, settings, duties);
        }
        if (step.kind == ClockStep::Kind::Advanced) {
            RunSchedulers(step, settings, duties);
        }
        if (last) {
            FinishCallback(duties);
            return report;
        }
    }
}

TickReport RunSoakCallback(ClockKeeper& keeper, TickState& state, const TickSettings& settings,
                           TickDuties& duties, SoakWorld& world, MonotonicTime now,
                           std::int64_t extraTicks) {
    TickReport report;
    Deferred deferred;
    const auto replay = [&](MonotonicTime at) {
        for (;;) {
            const ClockStep step = keeper.Step(at);
            if (step.kind == ClockStep::Kind::None) {
                return;
            }
            CountStep(step, settings, duties, deferred, report);
            if (step.kind == ClockStep::Kind::Advanced) {
                RunSchedulers(step, settings, duties);
            }
            if (step.pending == 0) {
                return;
            }
        }
    };
    // A callback that comes seconds late (the process was starved or waited on its window)
    // owes more than the records replay, and they would jump: the soak replays the stall a
    // step at a time as well, so that no simulated tick loses its duties.
    const auto runOwed = [&](MonotonicTime at) {
        for (std::int64_t owed = keeper.Owed(at); owed > kSoakStepTicks; owed = keeper.Owed(at)) {
            replay(at - (owed - kSoakStepTicks) * kTickPeriod);
        }
        replay(at);
    };
    runOwed(now);
    for (std::int64_t left = extraTicks; left > 0 && !world.Held();) {
        const std::int64_t step = left < kSoakStepTicks ? left : kSoakStepTicks;
        runOwed(world.Advance(step * kTickPeriod));
        left -= step;
    }
    if (report.ticks > 0) {
        FlushDisplayWork(deferred, state, settings, duties);
        FinishCallback(duties);
    }
    return report;
}

} // namespace zentrava
