#pragma once
// Calendar arithmetic on a 64-bit count of 100 ns units since 1 January 1601 (the Windows file
// time epoch), so the clock needs no platform time conversion and behaves the same everywhere.

#include <cstdint>

namespace zentrava {

// The broken-down date-time the platform hands us (mirrors SYSTEMTIME field for field).
struct DateTime {
    int year = 0;
    int month = 0;     // 1-12; in a transition rule 0 means "no rule"
    int dayOfWeek = 0; // 0 = Sunday
    int day = 0;       // 1-31; in a relative transition rule the occurrence 1-5 (5 = last)
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;

    friend bool operator==(const DateTime&, const DateTime&) = default;
};

// Mirrors TIME_ZONE_INFORMATION without the names: biases in minutes, UTC = local + bias.
struct ZoneRules {
    int bias = 0;
    DateTime standardDate; // month 0: no transitions at all
    int standardBias = 0;
    DateTime daylightDate;
    int daylightBias = 0;
};

struct SummerRules {
    DateTime standardDate; // back to standard time
    DateTime daylightDate; // into summer time
};

enum class SummerRuleKind { European = 0, UsEastern = 1 };

inline constexpr std::int64_t kTicksPerMillisecond = 10'000;
inline constexpr std::int64_t kTicksPerSecond = 1000 * kTicksPerMillisecond;
inline constexpr std::int64_t kTicksPerMinute = 60 * kTicksPerSecond;
inline constexpr std::int64_t kTicksPerDay = 1440 * kTicksPerMinute;

int DaysInMonth(int year, int month);
int DayOfWeekOf(int year, int month, int day);

// Valid dates from year 1601 on; the day of the week of the input is ignored.
std::int64_t ToFileTicks(const DateTime& t);
DateTime FromFileTicks(std::int64_t ticks);
DateTime AddMinutes(const DateTime& t, std::int64_t minutes);

DateTime JstToUtc(const DateTime& jst);
SummerRules MakeSummerRules(SummerRuleKind kind, int year);
// False when the rule's month is 0 (no rule).
bool ResolveTransitionDate(const DateTime& rule, int year, DateTime& out);
int IsSummerTime(const ZoneRules& zone, const DateTime& utc);

} // namespace zentrava
