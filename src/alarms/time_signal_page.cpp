#include "alarms/time_signal_page.h"

#include "app/format_text.h"

namespace zentrava {

namespace {

// 時間の設定は0～23迄です。
constexpr std::string_view kHourMessage = "\x8E\x9E\x8A\xD4\x82\xCC\x90\xDD\x92\xE8\x82\xCD"
                                          "0\x81`23\x96\x98\x82\xC5\x82\xB7\x81"
                                          "B";
// 分の設定は0～59迄です。
constexpr std::string_view kMinuteMessage = "\x95\xAA\x82\xCC\x90\xDD\x92\xE8\x82\xCD"
                                            "0\x81`59\x96\x98\x82\xC5\x82\xB7\x81"
                                            "B";
// 秒の設定は0～59迄です。
constexpr std::string_view kSecondMessage = "\x95"
                                            "b\x82\xCC\x90\xDD\x92\xE8\x82\xCD"
                                            "0\x81`59\x96\x98\x82\xC5\x82\xB7\x81"
                                            "B";

// One or two digits (the edits take at most two characters) within 0..max.
bool Holds(std::string_view text, int max) {
    if (text.empty() || text.size() > 2) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return CustomRowValue(text) <= max;
}

} // namespace

int CustomRowValue(std::string_view text) {
    int value = 0;
    for (const char c : text.substr(0, 2)) {
        if (c < '0' || c > '9') {
            break;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<CustomRowError> ValidateCustomRows(std::span<const CustomRowText> rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i);
        if (!Holds(rows[i].hour, 23)) {
            return CustomRowError{row, CustomRowField::Hour, kHourMessage};
        }
        if (!Holds(rows[i].minute, 59)) {
            return CustomRowError{row, CustomRowField::Minute, kMinuteMessage};
        }
        if (!Holds(rows[i].second, 59)) {
            return CustomRowError{row, CustomRowField::Second, kSecondMessage};
        }
    }
    return std::nullopt;
}

std::string CustomRowLabel(int entryNumber) {
    return FormatText("%2d:", entryNumber);
}

} // namespace zentrava
