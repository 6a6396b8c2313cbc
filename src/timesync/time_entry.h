#pragma once
// Which keys the hour, minute and second edits of the manual date-and-time page take. A digit
// is judged against the field's range from the edit's text and selection as they are before
// the key lands; anything the rules cannot judge goes on to the edit, because the page checks
// every field again on leaving and on apply.

#include <optional>
#include <string_view>

namespace zentrava {

enum class TimeEntryField { Hour, Minute, Second };

// 23 for the hour, 59 for the minute and the second.
int TimeEntryUpperLimit(TimeEntryField field);

struct TimeEntryKey {
    bool passOn = false;
    // The field's value once the key has landed, when the rules could work it out.
    std::optional<int> value;
};

// For a character typed into the edit (WM_CHAR). selStart and selEnd are the selection as the
// edit reports it; text is the edit's whole text.
TimeEntryKey JudgeTimeEntryChar(TimeEntryField field, std::string_view text, int selStart,
                                int selEnd, char typed);

} // namespace zentrava
