#pragma once
// When an alarm is due, and the once-a-minute pass that fires the lowest-numbered due alarm.
// The pass decides under the table's lock and acts after releasing it, through AlarmActions,
// so the glue may block in SendMessage without holding anything the window thread needs.

#include "alarms/alarm_table.h"
#include "clock/clock_time.h"

#include <string>

namespace zentrava {

// RepeatType values; any other value is never due.
enum class AlarmRepeat : int {
    Once = 0,
    Daily = 1,
    MondayToFriday = 2,
    MondayToSaturday = 3,
    Weekend = 4,
    Monday = 5,
    Tuesday = 6,
    Wednesday = 7,
    Thursday = 8,
    Friday = 9,
    Saturday = 10,
    Sunday = 11,
};

// Due at second 0 of the alarm's minute on a day its repeat type allows; a one-shot alarm on
// its date only. Whether the alarm is on is the caller's business.
bool IsAlarmDue(const AlarmRecord& alarm, const ClockTimeRecord& now);

// What the pass asks of the rest of the program. Called on the tick thread, in index order,
// after the table's lock is released.
class AlarmActions {
public:
    virtual ~AlarmActions() = default;
    virtual bool AlarmSounding() = 0;  // the alarm channel plays
    virtual void StopAlarmSound() = 0; // kCmdStopAlarm
    // The file into the alarm channel, then kCmdStartAlarmSound.
    virtual void StartAlarmSound(const std::string& file) = 0;
    virtual bool BalloonsSupported() = 0;
    virtual void RequestBalloon(const std::string& text) = 0; // BalloonSource::Alarm
    virtual void OpenNotification(int index) = 0;             // kCmdNotifyAlarm, lParam = index
    // A fired one-shot alarm was switched off: write only its AlarmOn key (SaveAlarmOnKey with 0).
    virtual void SaveAlarmOn(int index) = 0;
    // ... and clear it in an open alarm page's working and backup copies, its check box and
    // its tree label, so that neither apply nor cancel switches it on again.
    virtual void OneShotSwitchedOff(int /*index*/) {}
};

// The tick's once-a-minute pass. Nothing happens while the table is not armed. Every due
// one-shot alarm is switched off, also those that lose to a lower-numbered alarm; only the
// lowest-numbered due alarm sounds and notifies. Afterwards the table stays armed only while
// some alarm is still on. The notification text goes to table.SetMessage.
void CheckAlarms(AlarmTable& table, const ClockTimeRecord& now, AlarmActions& actions);

// "アラームの時刻%d時%02d分になりました。\r\n%s" in CP932, with the clock's hour and minute.
std::string AlarmMessageText(int hour, int minute, const std::string& memo);

// For the alarm page: the switched-on one-shot alarms whose moment has come (the current
// minute counts), as "No 2,5のアラームの設定が既に過ぎています。" in CP932; empty when none.
std::string PassedOneShotReport(const AlarmRecords& records, const ClockTimeRecord& now);

// The alarm's item in the page's alarm tree: "アラーム%d*" while it is on, else "アラーム%d".
std::string AlarmListLabel(int index, bool on);

} // namespace zentrava
