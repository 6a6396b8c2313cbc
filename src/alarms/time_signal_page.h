#pragma once
// What the time-signal page accepts from its ten visible custom-signal rows before it may be
// left or applied. The edits are read as text: a letter, a negative number or an empty edit can
// never name a moment, so it is refused with the message of its field, like a value out of
// range, and nothing the page refused reaches the settings file.

#include "alarms/time_signal.h"
#include "dialogs/page_protocol.h"

#include <optional>
#include <span>
#include <string>

namespace zentrava {

inline constexpr int kCustomRowsPerPage = 10;
// The edits of the first visible row; each next row's control is one more.
inline constexpr int kCustomHourEdit = 1266;
inline constexpr int kCustomMinuteEdit = 1276;
inline constexpr int kCustomSecondEdit = 1360;

// What a row's edits hold; nothing for an edit the user has not changed since it showed the
// record.
struct CustomRowText {
    std::optional<std::string> hour;
    std::optional<std::string> minute;
    std::optional<std::string> second;
};

// The first failure in row order, each row hour, then minute, then second, with the edit to
// put the user on; none when every typed field holds its part of a moment. A field the user
// did not change is not checked: it holds the stored value, which an entry keeps even out of
// range (it then never comes due). Milliseconds are bounded by their spin control and not
// checked here.
std::optional<PageProblem> ValidateCustomRows(std::span<const CustomRowText> rows);

// A row's label, "%2d:" with the entry number (1-20).
std::string CustomRowLabel(int entryNumber);

// Three pages edit parts of the one time-signal record, and each may apply or cancel without
// the others. So a page commits only its own part: these copy that part (SettingsPage
// TimeSignal, HourlySounds or HalfHourlySounds) from one record into another and leave the
// rest as it is.
void TakePageFields(SettingsPage page, const TimeSignalSettings& from, TimeSignalSettings& into);

// A typed millisecond: the spin control keeps it within 0-950; the tick only ever lands on
// whole multiples of 50, so anything between is taken down to the step below.
int MillisecondOnStep(int typed);

} // namespace zentrava
