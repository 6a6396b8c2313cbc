#pragma once
// What the time-signal page accepts from its custom-signal rows before it may be left or
// applied. The edits are read as text: a letter, a sign or an empty edit can never name a
// moment, so it is refused with the message of its field, like a value out of range, and
// nothing the page refused reaches the settings file.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zentrava {

struct CustomRowText {
    std::string hour;
    std::string minute;
    std::string second;
};

enum class CustomRowField { Hour, Minute, Second };

struct CustomRowError {
    int row = 0; // index into the rows given
    CustomRowField field = CustomRowField::Hour;
    std::string_view message; // CP932
};

// The first failure in row order, each row hour, then minute, then second; none when every row
// holds a moment. Milliseconds are bounded by their spin control and not checked here.
std::optional<CustomRowError> ValidateCustomRows(std::span<const CustomRowText> rows);

// The edit's value once it passed: 0-99 from at most two digits.
int CustomRowValue(std::string_view text);

// A row's label, "%2d:" with the entry number (1-20).
std::string CustomRowLabel(int entryNumber);

} // namespace zentrava
