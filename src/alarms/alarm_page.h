#pragma once
// What the alarm page decides apart from its controls: which typed hours and minutes it
// accepts, which alarms an apply must write, how a memo is cleaned before it is stored, which
// date the date picker shows, the memo font's description, and how a one-shot alarm that fired
// while the page is open is taken off the page's copies.

#include "alarms/alarm_table.h"
#include "clock/clock_time.h"
#include "dialogs/page_protocol.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zentrava {

// The page's hour and minute edits; a refused value puts the focus on one of them.
inline constexpr int kAlarmHourEdit = 1531;
inline constexpr int kAlarmMinuteEdit = 1541;

// The memo as stored: one line of at most 99 bytes (the reader's buffer holds 100 with the
// terminator; a longer value would come back cut, a line break would end the INI value).
inline constexpr std::size_t kAlarmMemoLimit = kAlarmMemoBufferSize - 1;

// The typed hour (0-23) and minute (0-59), hour first. Letters, signs alone, "-1" and empty
// edits are refused: none of them can ever come due.
std::optional<PageProblem> CheckAlarmTime(std::string_view hourText, std::string_view minuteText);

// The memo without CR or LF, cut to kAlarmMemoLimit bytes without splitting a double-byte
// character.
std::string CleanAlarmMemo(std::string_view memo);

// Which alarms and alarm fonts an apply must write: those whose working record differs from
// what was last applied. Deriving them at apply, instead of setting them per control, means an
// edit that was taken back writes nothing and an edit no control handler noticed (a keyboard
// date change) is not lost.
struct AlarmChanges {
    std::array<bool, kAlarmCount> alarm{};
    std::array<bool, kAlarmCount> font{};
};
AlarmChanges DiffAlarms(const AlarmRecords& working, const AlarmRecords& backup);

// The records as an apply commits them: a repeating alarm keeps no date.
AlarmRecords CommittedAlarms(AlarmRecords working);

struct PickerDate {
    int year = 0;
    int month = 0;
    int day = 0;

    friend bool operator==(const PickerDate&, const PickerDate&) = default;
};
// The alarm's date when it names a real day; otherwise (no date yet, or month 13 from a
// hand-edited file, which the picker cannot show) the clock's date.
PickerDate AlarmPickerDate(const AlarmRecord& alarm, const ClockTimeRecord& today);

// "%.0f %s": the height in points (|height| x 3 / 4) and the face name.
std::string AlarmFontDescription(const LogFontFields& font);

// The moment a one-shot alarm fired, carried from the tick thread to the page in one 32-bit
// word so that it fits a posted message on every platform width.
struct FiredMoment {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;

    friend bool operator==(const FiredMoment&, const FiredMoment&) = default;
};
std::uint32_t PackFiredMoment(const FiredMoment& moment);
FiredMoment UnpackFiredMoment(std::uint32_t packed);

// The page's copies lose a fired one-shot alarm's switch, so that neither apply nor cancel
// switches it on again.
void SwitchOffInCopies(AlarmRecords& working, AlarmRecords& backup, int index);

// An apply may have committed the page's copy, still switched on, after the tick switched the
// live alarm off. The switch-off is applied again only while the live alarm still names the
// moment that fired: a user who gave it a new date or time meant it to ring then.
bool NeedsSwitchOffAgain(const AlarmRecord& live, const FiredMoment& fired);

} // namespace zentrava
