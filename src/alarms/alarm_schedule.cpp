#include "alarms/alarm_schedule.h"

#include "base/cp932_text.h"

#include <array>
#include <cstdio>
#include <tuple>

namespace zentrava {
namespace {

// The days of the week each repeat type allows, bit n for DayOfWeek n (0 = Sunday). A one-shot
// alarm goes by its date instead.
constexpr std::array<unsigned, 12> kRepeatDays{
    0x00,    // once
    0x7F,    // every day
    0x3E,    // Monday to Friday
    0x7E,    // Monday to Saturday
    0x41,    // Saturday and Sunday
    1u << 1, // Monday
    1u << 2, // Tuesday
    1u << 3, // Wednesday
    1u << 4, // Thursday
    1u << 5, // Friday
    1u << 6, // Saturday
    1u << 0, // Sunday
};

bool DayAllowed(const AlarmRecord& alarm, const ClockTimeRecord& now) {
    if (alarm.RepeatType == static_cast<int>(AlarmRepeat::Once)) {
        return alarm.Year == now.Year && alarm.Month == now.Month && alarm.Day == now.Day;
    }
    if (alarm.RepeatType < 0 || alarm.RepeatType >= static_cast<int>(kRepeatDays.size()) ||
        now.DayOfWeek < 0 || now.DayOfWeek > 6) {
        return false;
    }
    return ((kRepeatDays[static_cast<std::size_t>(alarm.RepeatType)] >> now.DayOfWeek) & 1u) != 0;
}

// What the locked part of a pass decided, for the glue to carry out unlocked.
struct AlarmPass {
    std::array<bool, kAlarmCount> switchedOff{};
    int fired = -1;
    // The fired alarm as it was when it fired: a commit right after the lock is released
    // must not change what this pass plays or shows.
    AlarmRecord firedAlarm;
};

AlarmPass DecidePass(AlarmRecords& records, bool& armed, const ClockTimeRecord& now) {
    AlarmPass pass;
    if (!armed) {
        return pass;
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        AlarmRecord& alarm = records[i];
        if (alarm.On != 1 || !IsAlarmDue(alarm, now)) {
            continue;
        }
        if (pass.fired < 0) {
            pass.fired = static_cast<int>(i);
            pass.firedAlarm = alarm;
        }
        // Even a one-shot alarm that loses to a lower-numbered one has had its moment.
        if (alarm.RepeatType == static_cast<int>(AlarmRepeat::Once)) {
            alarm.On = 0;
            pass.switchedOff[i] = true;
        }
    }
    armed = AnyAlarmOn(records);
    return pass;
}

void Fire(AlarmTable& table, int index, const AlarmRecord& alarm, const ClockTimeRecord& now,
          AlarmActions& actions) {
    // A silent alarm leaves whatever plays on the alarm channel alone.
    if (!alarm.SoundFile.empty()) {
        if (actions.AlarmSounding()) {
            actions.StopAlarmSound();
        }
        actions.StartAlarmSound(alarm.SoundFile);
    }
    if (alarm.ShowNotification != 1) {
        return;
    }
    // Without balloons the notification window shows the alarm either way, rather than
    // nothing at all.
    const bool balloon = alarm.NotifyWay == 0 && actions.BalloonsSupported();
    std::string text = AlarmMessageText(now.Hour, now.Minute, alarm.Memo);
    if (!balloon && !alarm.PictureFile.empty() && alarm.Memo.empty()) {
        text.clear(); // the picture speaks for itself
    }
    table.SetMessage(text);
    if (balloon) {
        actions.RequestBalloon(text);
    } else {
        actions.OpenNotification(index);
    }
}

bool IsPassedOneShot(const AlarmRecord& alarm, const ClockTimeRecord& now) {
    if (alarm.RepeatType != static_cast<int>(AlarmRepeat::Once) || alarm.On != 1) {
        return false;
    }
    const auto alarmHour = std::tie(alarm.Year, alarm.Month, alarm.Day, alarm.Hour);
    const auto nowHour = std::tie(now.Year, now.Month, now.Day, now.Hour);
    return alarmHour < nowHour || (alarmHour == nowHour && now.Minute >= alarm.Minute);
}

} // namespace

bool IsAlarmDue(const AlarmRecord& alarm, const ClockTimeRecord& now) {
    return now.Second == 0 && alarm.Hour == now.Hour && alarm.Minute == now.Minute &&
           DayAllowed(alarm, now);
}

void CheckAlarms(AlarmTable& table, const ClockTimeRecord& now, AlarmActions& actions) {
    if (!table.Armed()) {
        return;
    }
    const AlarmPass pass = table.Update(
        [&now](AlarmRecords& records, bool& armed) { return DecidePass(records, armed, now); });
    for (int i = 0; i < kAlarmCount; ++i) {
        if (pass.switchedOff[static_cast<std::size_t>(i)]) {
            actions.SaveAlarmOn(i);
            actions.OneShotSwitchedOff(i);
        }
        if (i == pass.fired) {
            Fire(table, i, pass.firedAlarm, now, actions);
        }
    }
}

std::string AlarmMessageText(int hour, int minute, const std::string& memo) {
    char head[64];
    // アラームの時刻%d時%02d分になりました。
    std::snprintf(head, sizeof head,
                  "\x83\x41\x83\x89\x81\x5B\x83\x80\x82\xCC\x8E\x9E\x8D\x8F%d\x8E\x9E%02d"
                  "\x95\xAA\x82\xC9\x82\xC8\x82\xE8\x82\xDC\x82\xB5\x82\xBD\x81\x42",
                  hour, minute);
    std::string text = std::string(head) + "\r\n" + memo;
    return std::string(Cp932Prefix(text, kAlarmMessageBufferSize - 1));
}

std::string PassedOneShotReport(const AlarmRecords& records, const ClockTimeRecord& now) {
    std::string numbers;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (IsPassedOneShot(records[i], now)) {
            if (!numbers.empty()) {
                numbers += ',';
            }
            numbers += std::to_string(i + 1);
        }
    }
    if (numbers.empty()) {
        return {};
    }
    // のアラームの設定が既に過ぎています。
    return "No " + numbers +
           "\x82\xCC\x83\x41\x83\x89\x81\x5B\x83\x80\x82\xCC\x90\xDD\x92\xE8\x82\xAA\x8A\xF9"
           "\x82\xC9\x89\xDF\x82\xAC\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81\x42";
}

std::string AlarmListLabel(int index, bool on) {
    char label[32];
    // アラーム%d / アラーム%d*
    std::snprintf(label, sizeof label,
                  on ? "\x83\x41\x83\x89\x81\x5B\x83\x80%d*" : "\x83\x41\x83\x89\x81\x5B\x83\x80%d",
                  index + 1);
    return label;
}

} // namespace zentrava
