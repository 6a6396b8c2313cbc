#include "timesync/time_entry.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace zentrava {
namespace {

using F = TimeEntryField;
constexpr std::optional<int> kNone = std::nullopt;

// Text holding non-digits (pasted somehow) is for the page's check to refuse: the rules let a
// digit through after it and make up no value from it.
TEST(TimeEntryKeys, EachCharacterIsJudgedByTheFieldTextAndSelection) {
    const struct {
        const char* what;
        F field;
        std::string_view text;
        int selStart;
        int selEnd;
        char typed;
        bool passOn;
        std::optional<int> value;
    } cases[] = {
        {"empty field takes any digit", F::Hour, "", 0, 0, '9', true, 9},
        {"caret after 2: 3 makes 23", F::Hour, "2", 1, 1, '3', true, 23},
        {"caret after 2: 4 would make 24", F::Hour, "2", 1, 1, '4', false, kNone},
        {"caret after 6 in the second: 60", F::Second, "6", 1, 1, '0', false, kNone},
        {"caret after 5 in the second: 59", F::Second, "5", 1, 1, '9', true, 59},
        {"caret before 5: 9 would make 95", F::Minute, "5", 0, 0, '9', false, kNone},
        {"caret before 5: 0 makes 05", F::Minute, "5", 0, 0, '0', true, 5},
        {"single digit selected is replaced", F::Hour, "9", 0, 1, '8', true, 8},
        {"second of two selected: 15", F::Hour, "19", 1, 2, '5', true, 15},
        {"second of two selected: 24", F::Hour, "29", 1, 2, '4', false, kNone},
        {"first of two selected: 23", F::Hour, "13", 0, 1, '2', true, 23},
        {"first of two selected: 60", F::Minute, "50", 0, 1, '6', false, kNone},
        {"both selected: replaced whole", F::Second, "59", 0, 2, '9', true, 9},
        {"a third digit is the edit's own limit", F::Hour, "12", 2, 2, '5', true, kNone},
        {"caret between two digits", F::Hour, "12", 1, 1, '9', true, kNone},
        {"letter with the caret after it", F::Hour, "a", 1, 1, '1', true, kNone},
        {"letter with the caret before it", F::Minute, "x", 0, 0, '1', true, kNone},
        {"letter after a selected digit", F::Hour, "1a", 0, 1, '9', true, kNone},
        {"sign before a selected digit", F::Hour, "-1", 1, 2, '2', true, kNone},
        {"double-byte character", F::Second, "\x82\x4f", 0, 1, '5', true, kNone},
        {"backspace", F::Hour, "1", 1, 1, '\b', true, kNone},
        {"letter", F::Hour, "1", 1, 1, 'a', false, kNone},
        {"decimal point", F::Hour, "1", 1, 1, '.', false, kNone},
        {"Ctrl+V", F::Hour, "1", 1, 1, '\x16', false, kNone},
        {"Ctrl+C", F::Hour, "1", 1, 1, '\x03', false, kNone},
        {"double-byte lead byte", F::Hour, "", 0, 0, '\x82', false, kNone},
    };
    for (const auto& c : cases) {
        const TimeEntryKey key = JudgeTimeEntryChar(c.field, c.text, c.selStart, c.selEnd, c.typed);
        EXPECT_EQ(key.passOn, c.passOn) << c.what;
        EXPECT_EQ(key.value, c.value) << c.what;
    }
}

} // namespace
} // namespace zentrava
