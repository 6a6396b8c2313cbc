#pragma once
// What the interval and noodle page accepts from its three number edits before it may be left
// or applied. The edits are read as text: "3a" or an empty edit is refused with its field's
// message, like a value out of range, instead of reading as 0.

#include "dialogs/page_protocol.h"

#include <optional>
#include <string>

namespace zentrava {

// The number edits, as the dialog numbers them.
inline constexpr int kIntervalHourEdit = 1531;
inline constexpr int kIntervalMinuteEdit = 1541;
inline constexpr int kIntervalSecondEdit = 1939;

// What the edits hold; nothing for an edit the user has not changed since it showed the record.
struct IntervalTyped {
    std::optional<std::string> hour;
    std::optional<std::string> minute;
    std::optional<std::string> second;
};

// The first bad field in the order hours, minutes, seconds.
std::optional<PageProblem> ValidateIntervalFields(const IntervalTyped& typed);

} // namespace zentrava
