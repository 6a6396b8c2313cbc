#include "timesync/time_entry.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace zentrava {
namespace {

using F = TimeEntryField;

struct KeyCase {
    const char* what;
    F field;
    std::string_view text;
    int selStart;
    int selEnd;
    char typed;
    bool passOn;
    std::optional<int> value;
};

constexpr std::optional<int> kNoValue = std::nullopt;

TEST(TimeEntryKeys, DigitsKeepEachFieldWithinItsRange) {
    const KeyCase cases[] = {
        {"empty field takes any digit", F::Hour, "", 0, 0, '7', true, 7},
        {"empty field, even 9 in the hour", F::Hour, "", 0, 0, '9', true, 9},
        {"caret after 2: 3 makes 23", F::Hour, "2", 1, 1, '3', true, 23},
        {"caret after 2: 4 would make 24", F::Hour, "2", 1, 1, '4', false, kNoValue},
        {"caret after 6 in the second: 60", F::Second, "6", 1, 1, '0', false, kNoValue},
        {"caret after 5 in the second: 59", F::Second, "5", 1, 1, '9', true, 59},
        {"caret before 5: 9 would make 95", F::Minute, "5", 0, 0, '9', false, kNoValue},
        {"caret before 5: 0 makes 05", F::Minute, "5", 0, 0, '0', true, 5},
        {"single digit selected is replaced", F::Hour, "9", 0, 1, '8', true, 8},
        {"second of two selected: 15", F::Hour, "19", 1, 2, '5', true, 15},
        {"second of two selected: 24", F::Hour, "29", 1, 2, '4', false, kNoValue},
        {"first of two selected: 23", F::Hour, "13", 0, 1, '2', true, 23},
        {"first of two selected: 39", F::Hour, "19", 0, 1, '3', false, kNoValue},
        {"first of two selected in the minute: 60", F::Minute, "50", 0, 1, '6', false, kNoValue},
        {"both selected: replaced whole", F::Second, "59", 0, 2, '9', true, 9},
        {"a third digit is the edit's own limit", F::Hour, "12", 2, 2, '5', true, kNoValue},
        {"caret between two digits", F::Hour, "12", 1, 1, '9', true, kNoValue},
        {"caret before two digits", F::Minute, "12", 0, 0, '9', true, kNoValue},
    };
    for (const KeyCase& c : cases) {
        const TimeEntryKey key = JudgeTimeEntryChar(c.field, c.text, c.selStart, c.selEnd, c.typed);
        EXPECT_EQ(key.passOn, c.passOn) << c.what;
        EXPECT_EQ(key.value, c.value) << c.what;
    }
}

// Pasted or otherwise smuggled-in text is for the page's check to refuse; the rules must not
// refuse a good digit because of it, nor make up a value from it.
TEST(TimeEntryKeys, DigitsAfterNonDigitTextGoOnWithoutAValue) {
    const KeyCase cases[] = {
        {"letter with the caret after it", F::Hour, "a", 1, 1, '1', true, kNoValue},
        {"letter with the caret before it", F::Minute, "x", 0, 0, '1', true, kNoValue},
        {"letter after a selected digit", F::Hour, "1a", 0, 1, '9', true, kNoValue},
        {"letter before a selected digit", F::Hour, "-1", 1, 2, '2', true, kNoValue},
        {"double-byte character", F::Second, "\x82\x4f", 0, 1, '5', true, kNoValue},
    };
    for (const KeyCase& c : cases) {
        const TimeEntryKey key = JudgeTimeEntryChar(c.field, c.text, c.selStart, c.selEnd, c.typed);
        EXPECT_EQ(key.passOn, c.passOn) << c.what;
        EXPECT_EQ(key.value, c.value) << c.what;
    }
}

TEST(TimeEntryKeys, OnlyBackspaceOfTheOtherCharactersGetsThrough) {
    const struct {
        const char* what;
        char typed;
        bool passOn;
    } cases[] = {
        {"backspace", '\b', true}, {"letter", 'a', false},    {"decimal point", '.', false},
        {"minus", '-', false},     {"Ctrl+V", '\x16', false}, {"Ctrl+C", '\x03', false},
        {"Ctrl+X", '\x18', false}, {"space", ' ', false},     {"double-byte lead", '\x82', false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JudgeTimeEntryChar(F::Hour, "1", 1, 1, c.typed).passOn, c.passOn) << c.what;
    }
}

} // namespace
} // namespace zentrava
