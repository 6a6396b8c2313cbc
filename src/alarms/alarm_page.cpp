#include "alarms/alarm_page.h"

#include "alarms/alarm_schedule.h"
#include "base/cp932_text.h"
#include "clock/calendar.h"

#include <cstdio>
#include <cstdlib>

namespace zentrava {

std::optional<PageProblem> CheckAlarmTime(std::string_view hourText, std::string_view minuteText) {
    const NumberField fields[] = {
        {kAlarmHourEdit, hourText, 0, 23, kHourRangeMessage},
        {kAlarmMinuteEdit, minuteText, 0, 59, kMinuteRangeMessage},
    };
    return FirstBadField(fields);
}

std::string CleanAlarmMemo(std::string_view memo) {
    std::string line;
    line.reserve(memo.size());
    for (const char c : memo) {
        if (c != '\r' && c != '\n') {
            line += c;
        }
    }
    return std::string(Cp932Prefix(line, kAlarmMemoLimit));
}

AlarmChanges DiffAlarms(const AlarmRecords& working, const AlarmRecords& backup) {
    AlarmChanges changes;
    for (std::size_t i = 0; i < working.size(); ++i) {
        const AlarmRecord& w = working[i];
        const AlarmRecord& b = backup[i];
        changes.font[i] = w.Font != b.Font || w.TextColor != b.TextColor;
        // The display names follow their paths; they are not stored.
        changes.alarm[i] = w.On != b.On || w.Year != b.Year || w.Month != b.Month ||
                           w.Day != b.Day || w.Hour != b.Hour || w.Minute != b.Minute ||
                           w.ShowNotification != b.ShowNotification ||
                           w.RepeatType != b.RepeatType || w.NotifyWay != b.NotifyWay ||
                           w.Memo != b.Memo || w.WindowColor != b.WindowColor ||
                           w.SoundFile != b.SoundFile || w.PictureFile != b.PictureFile;
    }
    return changes;
}

AlarmRecords CommittedAlarms(AlarmRecords working) {
    for (AlarmRecord& alarm : working) {
        if (alarm.RepeatType != static_cast<int>(AlarmRepeat::Once)) {
            alarm.Year = 0;
            alarm.Month = 0;
            alarm.Day = 0;
        }
    }
    return working;
}

PickerDate AlarmPickerDate(const AlarmRecord& alarm, const ClockTimeRecord& today) {
    // The picker's own range starts in 1601.
    const bool real = alarm.Year >= 1601 && alarm.Year <= 9999 && alarm.Month >= 1 &&
                      alarm.Month <= 12 && alarm.Day >= 1 &&
                      alarm.Day <= DaysInMonth(alarm.Year, alarm.Month);
    if (real) {
        return {alarm.Year, alarm.Month, alarm.Day};
    }
    return {today.Year, today.Month, today.Day};
}

std::string AlarmFontDescription(const LogFontFields& font) {
    char text[64];
    const double points = std::abs(static_cast<double>(font.Height)) * 3 * 0.25;
    std::snprintf(text, sizeof text, "%.*f %s", 0, points, font.FontFaceName.c_str());
    return text;
}

// minute 6 bits, hour 5, day 5, month 4, year 12 (a clock year beyond 4095 is not kept).
std::uint32_t PackFiredMoment(const FiredMoment& m) {
    auto bits = [](int value, int width) {
        return static_cast<std::uint32_t>(value) & ((1U << width) - 1);
    };
    return bits(m.minute, 6) | bits(m.hour, 5) << 6 | bits(m.day, 5) << 11 |
           bits(m.month, 4) << 16 | bits(m.year, 12) << 20;
}

FiredMoment UnpackFiredMoment(std::uint32_t p) {
    auto bits = [p](int shift, int width) {
        return static_cast<int>((p >> shift) & ((1U << width) - 1));
    };
    return {bits(20, 12), bits(16, 4), bits(11, 5), bits(6, 5), bits(0, 6)};
}

void SwitchOffInCopies(AlarmRecords& working, AlarmRecords& backup, int index) {
    if (index < 0 || index >= kAlarmCount) {
        return;
    }
    working[static_cast<std::size_t>(index)].On = 0;
    backup[static_cast<std::size_t>(index)].On = 0;
}

bool NeedsSwitchOffAgain(const AlarmRecord& live, const FiredMoment& fired) {
    return live.On != 0 && live.RepeatType == static_cast<int>(AlarmRepeat::Once) &&
           live.Year == fired.year && live.Month == fired.month && live.Day == fired.day &&
           live.Hour == fired.hour && live.Minute == fired.minute;
}

} // namespace zentrava
