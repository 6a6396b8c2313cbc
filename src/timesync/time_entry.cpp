#include "timesync/time_entry.h"

namespace zentrava {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr char kBackspace = '\b';

struct Outcome {
    int value;
    bool rangeTest;
};

// The rows of the rule table; nothing for a text or selection no row covers.
std::optional<Outcome> DigitOutcome(std::string_view text, int selStart, int selEnd, int n) {
    if (text.empty()) {
        return Outcome{n, false};
    }
    // A value computed from anything but digits would be nonsense.
    for (const char c : text) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
    }
    if (text.size() == 1) {
        const int t1 = text[0] - '0';
        if (selStart == 1 && selEnd == 1) {
            return Outcome{t1 * 10 + n, true};
        }
        if (selStart == 0 && selEnd == 0) {
            return Outcome{n * 10 + t1, true};
        }
        if (selStart == 0 && selEnd == 1) {
            return Outcome{n, false};
        }
        return std::nullopt;
    }
    if (text.size() == 2) {
        const int t1 = text[0] - '0';
        const int t2 = text[1] - '0';
        if (selStart == 1 && selEnd == 2) {
            return Outcome{t1 * 10 + n, true};
        }
        if (selStart == 0 && selEnd == 1) {
            return Outcome{n * 10 + t2, true};
        }
        if (selStart == 0 && selEnd == 2) {
            return Outcome{n, false};
        }
    }
    return std::nullopt;
}

} // namespace

int TimeEntryUpperLimit(TimeEntryField field) {
    return field == TimeEntryField::Hour ? 23 : 59;
}

TimeEntryKey JudgeTimeEntryChar(TimeEntryField field, std::string_view text, int selStart,
                                int selEnd, char typed) {
    if (typed == kBackspace) {
        return {true, std::nullopt};
    }
    if (!IsDigit(typed)) {
        return {false, std::nullopt};
    }
    const std::optional<Outcome> outcome = DigitOutcome(text, selStart, selEnd, typed - '0');
    if (!outcome) {
        return {true, std::nullopt};
    }
    if (outcome->rangeTest && outcome->value > TimeEntryUpperLimit(field)) {
        return {false, std::nullopt};
    }
    return {true, outcome->value};
}

} // namespace zentrava
