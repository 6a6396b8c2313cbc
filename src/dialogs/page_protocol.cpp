#include "dialogs/page_protocol.h"

#include <algorithm>
#include <charconv>

namespace zentrava {

int StartPage(int savedPosition) {
    return savedPosition >= 0 && savedPosition < kSettingsPageCount ? savedPosition : 0;
}

std::vector<CancelStep> CancelPlan(const CancelInputs& inputs) {
    auto changed = [&inputs](SettingsPage page) {
        return inputs.changed[static_cast<std::size_t>(PageIndex(page))];
    };
    std::vector<CancelStep> steps;
    if (inputs.soundTestSounding) {
        steps.push_back(CancelStep::StopSoundTest);
    }
    if (changed(SettingsPage::Alarms)) {
        steps.push_back(CancelStep::RestoreAlarms);
        steps.push_back(CancelStep::RecomputeAlarmsArmed);
    }
    constexpr std::pair<SettingsPage, CancelStep> kRestores[] = {
        {SettingsPage::TimeSignal, CancelStep::RestoreTimeSignal},
        {SettingsPage::HourlySounds, CancelStep::RestoreHourlySounds},
        {SettingsPage::HalfHourlySounds, CancelStep::RestoreHalfHourlySounds},
        {SettingsPage::Audio, CancelStep::RestoreAudio},
        {SettingsPage::IntervalNoodle, CancelStep::RestoreIntervalNoodle},
        {SettingsPage::TimeBandChart, CancelStep::RestoreTimeBands},
        {SettingsPage::WorldZones, CancelStep::RestoreWorldZones},
    };
    for (const auto& [page, step] : kRestores) {
        if (changed(page)) {
            steps.push_back(step);
        }
    }
    return steps;
}

std::optional<SettingsPage> PageOfStep(CancelStep step) {
    switch (step) {
    case CancelStep::RestoreAlarms:
        return SettingsPage::Alarms;
    case CancelStep::RestoreTimeSignal:
        return SettingsPage::TimeSignal;
    case CancelStep::RestoreHourlySounds:
        return SettingsPage::HourlySounds;
    case CancelStep::RestoreHalfHourlySounds:
        return SettingsPage::HalfHourlySounds;
    case CancelStep::RestoreAudio:
        return SettingsPage::Audio;
    case CancelStep::RestoreIntervalNoodle:
        return SettingsPage::IntervalNoodle;
    case CancelStep::RestoreTimeBands:
        return SettingsPage::TimeBandChart;
    case CancelStep::RestoreWorldZones:
        return SettingsPage::WorldZones;
    case CancelStep::StopSoundTest:
    case CancelStep::RecomputeAlarmsArmed:
        return std::nullopt;
    }
    return std::nullopt;
}

void EditedFields::Note(int control) {
    if (!Edited(control)) {
        controls_.push_back(control);
    }
}

void EditedFields::Forget(int control) {
    std::erase(controls_, control);
}

bool EditedFields::Edited(int control) const {
    return std::find(controls_.begin(), controls_.end(), control) != controls_.end();
}

std::optional<int> ParseTypedNumber(std::string_view text) {
    // from_chars takes no '+'; a typed "+5" is still a number.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') {
        text.remove_prefix(1);
    }
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<PageProblem> FirstBadField(std::span<const NumberField> fields) {
    for (const NumberField& field : fields) {
        const std::optional<int> value = ParseTypedNumber(field.text);
        const bool notNumber = !value;
        if (notNumber || *value < field.min || *value > field.max) {
            const std::string_view message = notNumber && !field.notNumberMessage.empty()
                                                 ? field.notNumberMessage
                                                 : field.message;
            const std::string_view caption = notNumber && !field.notNumberCaption.empty()
                                                 ? field.notNumberCaption
                                                 : field.caption;
            return PageProblem{field.control, std::string(message), std::string(caption)};
        }
    }
    return std::nullopt;
}

} // namespace zentrava
