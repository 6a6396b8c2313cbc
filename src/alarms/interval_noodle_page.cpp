#include "alarms/interval_noodle_page.h"

#include <vector>

namespace zentrava {

namespace {

// 時間の設定は0～24迄です。
constexpr std::string_view kHourMessage = "\x8E\x9E\x8A\xD4\x82\xCC\x90\xDD\x92\xE8\x82\xCD"
                                          "0\x81`24\x96\x98\x82\xC5\x82\xB7\x81"
                                          "B";
// 秒の設定は0～59です。
constexpr std::string_view kSecondMessage = "\x95"
                                            "b\x82\xCC\x90\xDD\x92\xE8\x82\xCD"
                                            "0\x81`59\x82\xC5\x82\xB7\x81"
                                            "B";

} // namespace

std::optional<PageProblem> ValidateIntervalFields(const IntervalTyped& typed) {
    std::vector<NumberField> fields;
    auto add = [&fields](int control, const std::optional<std::string>& text, int max,
                         std::string_view message) {
        if (text) {
            fields.push_back({control, *text, 0, max, message});
        }
    };
    add(kIntervalHourEdit, typed.hour, 24, kHourMessage);
    add(kIntervalMinuteEdit, typed.minute, 59, kMinuteRangeMessage);
    add(kIntervalSecondEdit, typed.second, 59, kSecondMessage);
    return FirstBadField(fields);
}

} // namespace zentrava
