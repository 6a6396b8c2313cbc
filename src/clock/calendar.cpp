#include "clock/calendar.h"

namespace zentrava {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date, m 1-12, d 1-31 (a day past the month's
// end just counts on). For any int year: y [-2^31 - 1, 2^31 - 1], era [-5368710, 5368709],
// yoe [0, 399], doy [0, 365], doe [0, 146096], result within +-7.9e11, far inside int64.
constexpr std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<int>(y - era * 400);
    const int doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct Civil {
    std::int64_t year;
    int month;
    int day;
};

// The inverse. From any int64 file tick count z is within [-1.1e7, 1.1e7] after the shift, so
// era [-70, 77] and the year stays well inside int; doe [0, 146096], yoe [0, 399],
// doy [0, 365], mp [0, 11], d [1, 31], m [1, 12].
constexpr Civil CivilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<int>(z - era * 146097);
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    const int d = doy - (153 * mp + 2) / 5 + 1;
    const int m = mp < 10 ? mp + 3 : mp - 9;
    return {yoe + era * 400 + (m <= 2 ? 1 : 0), m, d};
}

constexpr std::int64_t kEpoch1601 = DaysFromCivil(1601, 1, 1); // -134774
static_assert(kEpoch1601 == -134774);
static_assert(DaysFromCivil(2000, 3, 1) == 11017);
static_assert(CivilFromDays(19813).year == 2024 && CivilFromDays(19813).month == 3 &&
              CivilFromDays(19813).day == 31);

// 1970-01-01 was a Thursday.
constexpr int WeekdayFromDays(std::int64_t days) {
    const auto w = static_cast<int>((days + 4) % 7);
    return w < 0 ? w + 7 : w;
}

constexpr int kJstBiasMinutes = -540;

// The transition-rule test of a Sunday: k = 9 in March, 27 in October, 30 in November.
constexpr bool IsRuleSunday(int day, int year, int k) {
    return (day + year + year / 4 - year / 100 + year / 400 + k) % 7 == 0;
}

DateTime Rule(int year, int month, int day, int hour) {
    return {year, month, 0, day, hour, 0, 0, 0};
}

// March and October both have 31 days.
int LastSunday(int year, int k) {
    for (int day = 31; day > 24; --day) {
        if (IsRuleSunday(day, year, k)) {
            return day;
        }
    }
    return 31;
}

int NthSunday(int year, int k, int n) {
    int seen = 0;
    for (int day = 1; day <= 31; ++day) {
        if (IsRuleSunday(day, year, k) && ++seen == n) {
            return day;
        }
    }
    return 1;
}

} // namespace

int DaysInMonth(int year, int month) {
    switch (month) {
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 ? 29 : 28;
    default:
        return 31;
    }
}

int DayOfWeekOf(int year, int month, int day) {
    if (month < 3) {
        year -= 1;
        month += 12;
    }
    const int r = (year + (26 * month + 16) / 10 + year / 400 - year / 100 + year / 4 + day) % 7;
    return r < 0 ? r + 7 : r;
}

std::int64_t ToFileTicks(const DateTime& t) {
    const std::int64_t days = DaysFromCivil(t.year, t.month, t.day) - kEpoch1601;
    const std::int64_t ms =
        ((static_cast<std::int64_t>(t.hour) * 60 + t.minute) * 60 + t.second) * 1000 +
        t.milliseconds;
    return days * kTicksPerDay + ms * kTicksPerMillisecond;
}

DateTime FromFileTicks(std::int64_t ticks) {
    std::int64_t days = ticks / kTicksPerDay;
    std::int64_t rest = ticks % kTicksPerDay;
    if (rest < 0) {
        rest += kTicksPerDay;
        --days;
    }
    const std::int64_t unixDays = days + kEpoch1601;
    const Civil c = CivilFromDays(unixDays);
    const auto ms = static_cast<int>(rest / kTicksPerMillisecond);
    return {static_cast<int>(c.year),
            c.month,
            WeekdayFromDays(unixDays),
            c.day,
            ms / 3'600'000,
            ms / 60'000 % 60,
            ms / 1000 % 60,
            ms % 1000};
}

DateTime AddMinutes(const DateTime& t, std::int64_t minutes) {
    return FromFileTicks(ToFileTicks(t) + minutes * kTicksPerMinute);
}

DateTime JstToUtc(const DateTime& jst) {
    return AddMinutes(jst, kJstBiasMinutes);
}

SummerRules MakeSummerRules(SummerRuleKind kind, int year) {
    if (kind == SummerRuleKind::European) {
        return {Rule(year, 10, LastSunday(year, 27), 1), Rule(year, 3, LastSunday(year, 9), 1)};
    }
    return {Rule(year, 11, NthSunday(year, 30, 1), 1), Rule(year, 3, NthSunday(year, 9, 2), 2)};
}

bool ResolveTransitionDate(const DateTime& rule, int year, DateTime& out) {
    if (rule.month == 0) {
        return false;
    }
    DateTime t = rule;
    t.year = year;
    if (rule.year == 0) {
        // The day is an occurrence (1-4, 5 = last) of the rule's weekday within the month.
        int found = 0;
        int count = 0;
        const int monthDays = DaysInMonth(year, rule.month);
        for (int day = 1; day <= 31 && day <= monthDays; ++day) {
            if (DayOfWeekOf(year, rule.month, day) == rule.dayOfWeek) {
                found = day;
                if (rule.day < 5 && ++count == rule.day) {
                    break;
                }
            }
        }
        // A weekday outside 0-6 never matches: treat it like a missing rule.
        if (found == 0) {
            return false;
        }
        t.day = found;
    }
    // An absolute date such as 30 February rolls on into March rather than being refused.
    out = FromFileTicks(ToFileTicks(t));
    return true;
}

int IsSummerTime(const ZoneRules& zone, const DateTime& utc) {
    const std::int64_t s = ToFileTicks(utc) - zone.bias * kTicksPerMinute;
    const int year = FromFileTicks(s).year;
    DateTime d;
    DateTime st;
    if (!ResolveTransitionDate(zone.daylightDate, year, d) ||
        !ResolveTransitionDate(zone.standardDate, year, st)) {
        return 0;
    }
    const std::int64_t daylight = ToFileTicks(d);
    const std::int64_t standard = ToFileTicks(st);
    if (zone.standardDate.month < zone.daylightDate.month) {
        return s < standard || s >= daylight ? 1 : 0;
    }
    return daylight <= s && s < standard ? 1 : 0;
}

} // namespace zentrava
