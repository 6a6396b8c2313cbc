#include "alarms/time_signal_page.h"

#include "base/format_text.h"

#include <vector>

namespace zentrava {

namespace {

// 秒の設定は0～59迄です。
constexpr std::string_view kSecondMessage = "\x95"
                                            "b\x82\xCC\x90\xDD\x92\xE8\x82\xCD"
                                            "0\x81`59\x96\x98\x82\xC5\x82\xB7\x81"
                                            "B";

} // namespace

std::optional<PageProblem> ValidateCustomRows(std::span<const CustomRowText> rows) {
    std::vector<NumberField> fields;
    auto add = [&fields](int control, const std::optional<std::string>& text, int max,
                         std::string_view message) {
        if (text) {
            fields.push_back({control, *text, 0, max, message});
        }
    };
    for (std::size_t i = 0; i < rows.size() && i < kCustomRowsPerPage; ++i) {
        const int row = static_cast<int>(i);
        add(kCustomHourEdit + row, rows[i].hour, 23, kHourRangeMessage);
        add(kCustomMinuteEdit + row, rows[i].minute, 59, kMinuteRangeMessage);
        add(kCustomSecondEdit + row, rows[i].second, 59, kSecondMessage);
    }
    return FirstBadField(fields);
}

std::string CustomRowLabel(int entryNumber) {
    return FormatText("%2d:", entryNumber);
}

void TakePageFields(SettingsPage page, const TimeSignalSettings& from, TimeSignalSettings& into) {
    switch (page) {
    case SettingsPage::TimeSignal: {
        // Everything but the per-hour files: those two pages own them.
        const TimeSignalSettings keep = into;
        into = from;
        into.CustumTimeSignalSoundEnable = keep.CustumTimeSignalSoundEnable;
        into.CustumTimeSignalSoundEnable30 = keep.CustumTimeSignalSoundEnable30;
        for (std::size_t h = 0; h < into.hours.size(); ++h) {
            into.hours[h].TimeSignalSoundFile = keep.hours[h].TimeSignalSoundFile;
            into.hours[h].TimeSignalSoundFileName = keep.hours[h].TimeSignalSoundFileName;
            into.halfHours[h].TimeSignalSoundFile = keep.halfHours[h].TimeSignalSoundFile;
            into.halfHours[h].TimeSignalSoundFileName = keep.halfHours[h].TimeSignalSoundFileName;
        }
        break;
    }
    case SettingsPage::HourlySounds:
        into.CustumTimeSignalSoundEnable = from.CustumTimeSignalSoundEnable;
        for (std::size_t h = 0; h < into.hours.size(); ++h) {
            into.hours[h].TimeSignalSoundFile = from.hours[h].TimeSignalSoundFile;
            into.hours[h].TimeSignalSoundFileName = from.hours[h].TimeSignalSoundFileName;
        }
        break;
    case SettingsPage::HalfHourlySounds:
        into.CustumTimeSignalSoundEnable30 = from.CustumTimeSignalSoundEnable30;
        for (std::size_t h = 0; h < into.halfHours.size(); ++h) {
            into.halfHours[h].TimeSignalSoundFile = from.halfHours[h].TimeSignalSoundFile;
            into.halfHours[h].TimeSignalSoundFileName = from.halfHours[h].TimeSignalSoundFileName;
        }
        break;
    default:
        break;
    }
}

int MillisecondOnStep(int typed) {
    constexpr int kStep = 50;
    constexpr int kLast = 950;
    if (typed <= 0) {
        return 0;
    }
    return typed >= kLast ? kLast : typed - typed % kStep;
}

} // namespace zentrava
