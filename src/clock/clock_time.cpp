#include "clock/clock_time.h"

#include <cstdio>

namespace zentrava {

namespace {

SummerRuleKind KindOfZone(int zone) {
    return zone == 1 ? SummerRuleKind::European : SummerRuleKind::UsEastern;
}

// Bias in minutes (UTC minus local). With an hour of 0 the minutes count westward.
int ZoneBias(int hour, int minute) {
    return hour <= 0 ? minute - 60 * hour : -minute - 60 * hour;
}

void RollDay(ClockTimeRecord& r) {
    r.Hour = 0;
    ++r.Day;
    r.DayOfWeek = r.DayOfWeek + 1 >= 7 ? 0 : r.DayOfWeek + 1;
    if (r.Day > r.DaysInMonth) {
        r.Day = 1;
        if (++r.Month > 12) {
            r.Month = 1;
            ++r.Year;
        }
    }
    r.DaysInMonth = DaysInMonth(r.Year, r.Month);
}

void ShiftHour(ClockTimeRecord& r, int hours) {
    r.Hour += hours;
    r.HalfDayTicks += hours * kTicksPerHourUnit;
    r.DayTicks += hours * kTicksPerHourUnit;
    if (r.HalfDayTicks < 0) {
        r.HalfDayTicks += kTicksPerDayUnit;
    }
    if (r.DayTicks < 0) {
        r.DayTicks += kTicksPerDayUnit;
    }
}

// At a new hour of a world record: step into or out of summer time when the record reaches
// the transition of its zone's rule. Only here does the advance touch the calendar.
void ApplySummerTransition(ClockTimeRecord& r, int zone, Clocks& clocks,
                           const WorldZoneSettings& zones) {
    const int index = zone - 1;
    if (zones.TimeZoneDiffSummerTimeOnFlag[index] != 1) {
        return;
    }
    const DateTime utc = JstToUtc(LocalDateTime(clocks.LocalClock));
    const SummerRules rules = MakeSummerRules(KindOfZone(zone), utc.year);
    int& active = clocks.WorldSummerActive[index];
    const auto at = [&r](const DateTime& t, int hour) {
        return r.Hour == hour && r.Day == t.day && r.Month == t.month;
    };
    if (active == 0 && at(rules.daylightDate, rules.daylightDate.hour)) {
        ShiftHour(r, 1);
        active = 1;
    } else if (active == 1 && at(rules.standardDate, rules.standardDate.hour + 1)) {
        ShiftHour(r, -1);
        active = 0;
    }
}

// One tick of one record. Every limit is tested with >= so that a record that somehow passed
// a limit wraps instead of running away.
AdvanceEvents AdvanceRecord(ClockTimeRecord& r, int* halfSecondFlag, int zone, Clocks& clocks,
                            const WorldZoneSettings& zones) {
    AdvanceEvents e;
    ++r.MinuteTicks;
    ++r.HourTicks;
    ++r.HalfDayTicks;
    ++r.DayTicks;
    r.Millisecond += r.MillisecondStep;
    if (r.Millisecond >= 1000) {
        r.Millisecond = 0;
    }
    if (r.MinuteTicks % 10 == 0) {
        e.halfSecond = true;
        if (halfSecondFlag != nullptr) {
            *halfSecondFlag = *halfSecondFlag != 0 ? 0 : 1;
        }
    }
    if (r.MinuteTicks % 20 == 0) {
        e.wholeSecond = true;
        if (++r.Second >= 60) {
            r.Second = 0;
        }
    }
    if (r.MinuteTicks >= kTicksPerMinuteUnit) {
        e.newMinute = true;
        ++r.Minute;
        r.MinuteTicks = 0;
    }
    if (r.HourTicks >= kTicksPerHourUnit) {
        e.newHour = true;
        ++r.Hour;
        r.HourTicks = 0;
        r.Minute = 0;
        if (zone != 0) {
            ApplySummerTransition(r, zone, clocks, zones);
        }
        if (r.Hour >= 24) {
            e.newDay = true;
            RollDay(r);
        }
    }
    if (r.HalfDayTicks == kTicksPerHalfDayUnit || r.HalfDayTicks >= kTicksPerDayUnit) {
        e.halfDayWrap = true;
        r.HalfDayTicks = 0;
    }
    if (r.DayTicks >= kTicksPerDayUnit) {
        e.dayWrap = true;
        r.DayTicks = 0;
    }
    return e;
}

} // namespace

void ResetClocks(Clocks& clocks) {
    clocks.LocalClock = {};
    clocks.LocalClock.MillisecondStep = kTickMs;
}

void LoadRecord(ClockTimeRecord& r, const DateTime& t) {
    r.Year = t.year;
    r.Month = t.month;
    r.Day = t.day;
    // Worked out from the date rather than trusted (the same for every date the platform
    // gives): faces index their weekday names with it, and a load from a test hook or a
    // time-server answer must not carry a stray value there.
    r.DayOfWeek = DayOfWeekOf(t.year, t.month, t.day);
    r.Hour = t.hour;
    r.Minute = t.minute;
    r.Second = t.second;
    r.Millisecond = t.milliseconds / kTickMs * kTickMs;
    r.MinuteTicks = r.Millisecond / kTickMs + r.Second * kTicksPerSecondUnit;
    r.HourTicks = r.MinuteTicks + r.Minute * kTicksPerMinuteUnit;
    r.HalfDayTicks = r.DayTicks = r.HourTicks + r.Hour * kTicksPerHourUnit;
    r.DaysInMonth = DaysInMonth(r.Year, r.Month);
}

void SetLocalClock(Clocks& clocks, const DateTime& t) {
    LoadRecord(clocks.LocalClock, t);
    clocks.HalfSecondFlag = t.milliseconds <= 499 ? 1 : 0;
}

void SetUtcClock(Clocks& clocks, const DateTime& t) {
    LoadRecord(clocks.UtcClock, JstToUtc(t));
}

ZoneRules WorldZoneRules(int zone, const WorldZoneSettings& zones, int utcYear) {
    const int index = zone - 1;
    const SummerRules rules = MakeSummerRules(KindOfZone(zone), utcYear);
    ZoneRules z;
    z.bias = ZoneBias(zones.TimeZoneDiffHour[index], zones.TimeZoneDiffMinute[index]);
    z.standardDate = rules.standardDate;
    z.daylightDate = rules.daylightDate;
    z.standardBias = 0;
    z.daylightBias = zones.TimeZoneDiffSummerTimeOnFlag[index] == 1 ? -60 : 0;
    return z;
}

void SetWorldClock(Clocks& clocks, const DateTime& t, int zone, const WorldZoneSettings& zones) {
    const DateTime u = JstToUtc(t);
    const ZoneRules z = WorldZoneRules(zone, zones, u.year);
    const int summer = IsSummerTime(z, u);
    int offset = z.bias;
    if (z.standardDate.month != 0) {
        offset += z.daylightDate.month != 0 && summer == 1 ? z.daylightBias : z.standardBias;
    }
    LoadRecord(zone == 1 ? clocks.WorldClock1 : clocks.WorldClock2, AddMinutes(u, -offset));
    clocks.WorldSummerActive[zone - 1] = summer;
}

void SetClocks(Clocks& clocks, const DateTime& t, const WorldZoneSettings& zones) {
    SetLocalClock(clocks, t);
    SetUtcClock(clocks, t);
    SetWorldClock(clocks, t, 1, zones);
    SetWorldClock(clocks, t, 2, zones);
}

AdvanceEvents AdvanceClocks(Clocks& clocks, const WorldZoneSettings& zones) {
    const AdvanceEvents local =
        AdvanceRecord(clocks.LocalClock, &clocks.HalfSecondFlag, 0, clocks, zones);
    AdvanceRecord(clocks.UtcClock, nullptr, 0, clocks, zones);
    AdvanceRecord(clocks.WorldClock1, nullptr, 1, clocks, zones);
    AdvanceRecord(clocks.WorldClock2, nullptr, 2, clocks, zones);
    return local;
}

DateTime LocalDateTime(const ClockTimeRecord& r) {
    return {r.Year, r.Month, r.DayOfWeek, r.Day, r.Hour, r.Minute, r.Second, r.Millisecond};
}

std::string FormatLogTime(const DateTime& t) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second, t.milliseconds);
    return text;
}

} // namespace zentrava
