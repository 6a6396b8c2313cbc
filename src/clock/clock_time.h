#pragma once
// The program's software clock: four broken-down records loaded from one date-time and then
// advanced by exactly one 50 ms tick at a time.

#include "clock/calendar.h"

#include <array>
#include <cstdint>
#include <string>

namespace zentrava {

inline constexpr int kTickMs = 50;
inline constexpr int kTicksPerSecondUnit = 20;
inline constexpr int kTicksPerMinuteUnit = 1200;
inline constexpr int kTicksPerHourUnit = 72000;
inline constexpr int kTicksPerHalfDayUnit = 864000;
inline constexpr int kTicksPerDayUnit = 1728000;

struct ClockTimeRecord {
    std::int32_t Year = 0;
    std::int32_t Month = 0;
    std::int32_t Day = 0;
    std::int32_t DaysInMonth = 0;
    std::int32_t DayOfWeek = 0;
    std::int32_t Millisecond = 0;
    std::int32_t Second = 0;
    std::int32_t MinuteTicks = 0;
    std::int32_t Minute = 0;
    std::int32_t HourTicks = 0;
    std::int32_t Hour = 0;
    std::int32_t HalfDayTicks = 0;
    std::int32_t DayTicks = 0;
    std::int32_t MillisecondStep = 0;

    friend bool operator==(const ClockTimeRecord&, const ClockTimeRecord&) = default;
};

// Section TimeZone_Diff_Setting, zone 1 at index 0 and zone 2 at index 1.
struct WorldZoneSettings {
    std::array<int, 2> TimeZoneDiffOnFlag{0, 0};
    std::array<int, 2> TimeZoneDiffSummerTimeOnFlag{0, 0};
    std::array<int, 2> TimeZoneDiffHour{0, 0};
    std::array<int, 2> TimeZoneDiffMinute{0, 0};
    std::array<int, 2> TimeZoneDiffColor{0xD0D0D0, 0xD0D0D0};
};

// The four records with the flags that travel with them; copied whole for readers.
struct Clocks {
    ClockTimeRecord LocalClock;
    ClockTimeRecord UtcClock;
    ClockTimeRecord WorldClock1;
    ClockTimeRecord WorldClock2;
    int HalfSecondFlag = 0;
    std::array<int, 2> WorldSummerActive{0, 0};
};

// What one advance of LocalClock passed through; the tick turns these into its duties.
struct AdvanceEvents {
    bool halfSecond = false;  // MinuteTicks became a multiple of 10
    bool wholeSecond = false; // ... a multiple of 20
    bool newMinute = false;   // MinuteTicks wrapped to 0
    bool newHour = false;     // HourTicks wrapped to 0
    bool newDay = false;      // Hour wrapped to 0
    bool halfDayWrap = false; // HalfDayTicks wrapped (noon or midnight)
    bool dayWrap = false;     // DayTicks wrapped (midnight)
};

// Zeroes LocalClock and sets its MillisecondStep to 50, as window creation does.
void ResetClocks(Clocks& clocks);

void LoadRecord(ClockTimeRecord& record, const DateTime& t);
void SetLocalClock(Clocks& clocks, const DateTime& t);
void SetUtcClock(Clocks& clocks, const DateTime& t);
void SetWorldClock(Clocks& clocks, const DateTime& t, int zone, const WorldZoneSettings& zones);
void SetClocks(Clocks& clocks, const DateTime& t, const WorldZoneSettings& zones);

// Advances all four records by one tick (LocalClock first) and reports LocalClock's events.
AdvanceEvents AdvanceClocks(Clocks& clocks, const WorldZoneSettings& zones);

// The date-time LocalClock shows, to reload the records from it.
DateTime LocalDateTime(const ClockTimeRecord& record);

// "YYYY-MM-DD HH:MM:SS.mmm", as the event log writes times.
std::string FormatLogTime(const DateTime& t);

// The zone description of world zone 1 or 2 for a UTC instant (Bias, names aside, as built
// for SetWorldClock).
ZoneRules WorldZoneRules(int zone, const WorldZoneSettings& zones, int utcYear);

} // namespace zentrava
