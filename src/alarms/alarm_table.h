#pragma once
// The twenty alarms (sections Alarm_Setting, Sound_Setting and Font_Setting), the test sound
// file that the alarm page plays, the alarms-armed master switch and the alarm message text.
//
// Threads. The tick thread reads the records once a minute and switches fired one-shot alarms
// off; the window thread loads them, commits the alarm page's edits, saves and toggles the
// master switch. So:
//   - The records sit behind one mutex. Readers take a copy (Records); writers go through
//     Update, which runs a short computation on them under the lock. Nobody sends a message,
//     writes the file or waits for the other thread while holding it, so a tick that blocks in
//     SendMessage can never hold up a window thread that wants the lock, or the reverse.
//   - The armed flag is an atomic, so the menu reads it without the lock; it is only written
//     under the lock, together with the records it is computed from.
//   - The alarm message text has a lock of its own, held only to copy the text in or out: the
//     tick writes it, the balloon and the notification window read it later.
//   - The test sound file and the changed flags belong to the window thread alone.
//
// How the main window uses them:
//   WM_CREATE        LoadAlarms with the other features; the glue clears the alarm channel's
//                    file name and its sounding flag.
//   tick, minute     CheckAlarms (alarm_schedule.h) with LocalClock.
//   kCmdToggleAlarms ToggleAlarmsArmed; the check mark shows Armed().
//   page apply       CommitAlarms with the working copy, mark changed/fontChanged, SaveAlarms.

#include "base/guarded.h"
#include "base/settings_keys.h" // LogFontFields
#include "base/settings_store.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>

namespace zentrava {

inline constexpr int kAlarmCount = 20;

inline constexpr std::string_view kAlarmSettingSection = "Alarm_Setting";
inline constexpr std::string_view kSoundSettingSection = "Sound_Setting";

// Buffer sizes of the text fields, terminator included.
inline constexpr std::size_t kAlarmMemoBufferSize = 100;
inline constexpr std::size_t kAlarmMessageBufferSize = 1024;

// Memo font heights read from the file are held within plus or minus this.
inline constexpr int kAlarmFontHeightLimit = 1000;

inline constexpr int kDefaultAlarmWindowColor = 12632256; // 0xC0C0C0, light grey

// The memo font of the notification window: the clock's font defaults, but not bold.
inline LogFontFields DefaultAlarmFont() {
    LogFontFields font;
    font.Weight = 400;
    return font;
}

struct AlarmRecord {
    int On = 0;
    int Year = 0;
    int Month = 0;
    int Day = 0;
    int Hour = 0;
    int Minute = 0;
    int ShowNotification = 0;
    int RepeatType = 0;
    int NotifyWay = 0; // 0 balloon, otherwise the notification window
    std::string Memo;
    int WindowColor = kDefaultAlarmWindowColor;
    LogFontFields Font = DefaultAlarmFont();
    int TextColor = 0;
    std::string SoundFile;     // empty: a silent alarm
    std::string SoundFileName; // base name and extension, for display
    std::string PictureFile;
    std::string PictureFileName;

    friend bool operator==(const AlarmRecord&, const AlarmRecord&) = default;
};

using AlarmRecords = std::array<AlarmRecord, kAlarmCount>;

bool AnyAlarmOn(const AlarmRecords& records);

class AlarmTable {
public:
    // Any thread: a consistent copy.
    AlarmRecords Records() const;

    // Runs fn(records, armed) under the lock and returns its result; `armed` is a copy of the
    // flag that is stored back when fn returns. fn must only compute.
    template <typename Fn>
    auto Update(Fn&& fn) {
        return records_.Update([&](AlarmRecords& records) {
            bool armed = armed_.load() != 0;
            auto result = fn(records, armed);
            armed_.store(armed ? 1 : 0);
            return result;
        });
    }

    // The alarms-armed flag: while it is off no alarm fires.
    bool Armed() const { return armed_.load() != 0; }

    // The notification text of the alarm, interval alarm or quick timer that fired last, cut
    // to the 1024-byte buffer the notification window reads it into.
    void SetMessage(std::string_view text);
    std::string Message() const;

    // Window thread only.
    std::string testSoundFile;
    std::string testSoundFileName;
    std::array<bool, kAlarmCount> changed{};     // alarm keys to write on the next save
    std::array<bool, kAlarmCount> fontChanged{}; // font keys to write on the next save

private:
    Guarded<AlarmRecords> records_;
    std::atomic<int> armed_{0};

    mutable std::mutex messageMutex_;
    std::string message_;
};

// Alarm number (1-based) as the file holds it; a file that no longer exists reads as none.
AlarmRecord LoadAlarm(const SettingsStore& store, int number);

// The test sound file and all records; the armed flag comes on when any alarm is on. Files
// that no longer exist are dropped (their path reads as empty).
void LoadAlarms(const SettingsStore& store, AlarmTable& table);

// Writes the test sound file, then each alarm whose changed flag is set, then each alarm font
// whose font changed flag is set. A flag is cleared once all of its keys were written, so an
// alarm that could not be saved is tried again on the next save. False when any write failed.
bool SaveAlarms(SettingsStore& store, AlarmTable& table);

// Writes AlarmOn of one alarm and nothing else: a fired one-shot alarm must not write back
// the rest of its record, or a page's pending edits, over what the file holds.
bool SaveAlarmOnKey(SettingsStore& store, int index, int on);

// The alarm page's apply: the edited records replace the table's, and the armed flag comes on
// exactly when any alarm is on.
void CommitAlarms(AlarmTable& table, const AlarmRecords& records);

// kCmdToggleAlarms: off when on; on when off and any alarm is on (there is nothing to arm
// otherwise). Returns the new state for the check mark.
bool ToggleAlarmsArmed(AlarmTable& table);

} // namespace zentrava
