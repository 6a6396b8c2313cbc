#include "alarms/alarm_table.h"

#include "base/cp932_text.h"
#include "base/settings_clamps.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>

namespace zentrava {
namespace {

struct AlarmIntKey {
    std::string_view stem;
    int AlarmRecord::*field;
    // Set where the reader asks under another spelling than the writer uses; lookup ignores
    // case, so both reach the same line.
    std::string_view readStem = {};

    std::string_view ReadStem() const { return readStem.empty() ? stem : readStem; }
};

// The keys that lead an alarm's block, in the order they are read and written.
constexpr std::array<AlarmIntKey, 8> kLeadingKeys{{
    {"AlarmOn", &AlarmRecord::On},
    {"AlarmYear", &AlarmRecord::Year},
    {"AlarmMonth", &AlarmRecord::Month},
    {"AlarmDay", &AlarmRecord::Day},
    {"Alarmhour", &AlarmRecord::Hour, "AlarmHour"},
    {"AlarmMinute", &AlarmRecord::Minute},
    {"AlarmType", &AlarmRecord::RepeatType},
    {"AlarmBallonHelpDisp", &AlarmRecord::ShowNotification},
}};

constexpr AlarmIntKey kNotifyWayKey{"AlarmNotifyWay", &AlarmRecord::NotifyWay};
constexpr AlarmIntKey kWindowColorKey{"AlarmDlgColor", &AlarmRecord::WindowColor};
constexpr std::string_view kMemoStem = "AlarmMemo";
constexpr std::string_view kSoundFileStem = "AlarmSoundFile";
constexpr std::string_view kPictureFileStem = "AlarmPicFile";
constexpr std::string_view kTestSoundFileKey = "TestSoundFile";

constexpr std::string_view kTextColorStem = "TextColorAlarmDlg";

// "AlarmOn05" for alarm 5, or "AlarmSoundFile5" where the key carries no leading zero.
std::string AlarmKey(std::string_view stem, int number, bool twoDigits = true) {
    char key[64];
    std::snprintf(key, sizeof key, twoDigits ? "%.*s%02d" : "%.*s%d", static_cast<int>(stem.size()),
                  stem.data(), number);
    return key;
}

int ReadInt(const SettingsStore& store, std::string_view section, std::string_view stem, int number,
            int def) {
    return GetClampedInt(store, section, AlarmKey(stem, number), def);
}

// A path and its display name; a file that is gone reads as no file at all.
void ReadFile(const SettingsStore& store, std::string_view stem, int number, std::string& path,
              std::string& name) {
    store.GetFile(kSoundSettingSection, AlarmKey(stem, number, false), path, name);
}

// "AlarmDlg05": what follows each font key's name for alarm 5.
std::string FontSuffix(int number) {
    return AlarmKey("AlarmDlg", number);
}

void LoadFont(const SettingsStore& store, int number, AlarmRecord& alarm) {
    alarm.Font = ReadLogFont(store, kFontSettingSection, FontSuffix(number), DefaultAlarmFont());
    // A hand-edited height of millions makes the notification window's font creation and the
    // page's point description meaningless; no screen shows a memo taller than this.
    alarm.Font.Height =
        std::clamp(alarm.Font.Height, -kAlarmFontHeightLimit, kAlarmFontHeightLimit);
    alarm.TextColor = ReadInt(store, kFontSettingSection, kTextColorStem, number, 0);
}

// Each writer answers whether every key reached the file.
bool WriteInt(SettingsStore& store, std::string_view section, std::string_view stem, int number,
              int value) {
    return store.PutInt(section, AlarmKey(stem, number), value);
}

bool WriteAlarm(SettingsStore& store, int number, const AlarmRecord& alarm) {
    bool ok = true;
    for (const AlarmIntKey& k : kLeadingKeys) {
        ok = WriteInt(store, kAlarmSettingSection, k.stem, number, alarm.*k.field) && ok;
    }
    ok = store.PutText(kSoundSettingSection, AlarmKey(kSoundFileStem, number, false),
                       alarm.SoundFile) &&
         ok;
    ok = store.PutText(kSoundSettingSection, AlarmKey(kPictureFileStem, number, false),
                       alarm.PictureFile) &&
         ok;
    ok = store.PutText(kAlarmSettingSection, AlarmKey(kMemoStem, number), alarm.Memo) && ok;
    ok = WriteInt(store, kAlarmSettingSection, kNotifyWayKey.stem, number,
                  alarm.*kNotifyWayKey.field) &&
         ok;
    ok = WriteInt(store, kAlarmSettingSection, kWindowColorKey.stem, number,
                  alarm.*kWindowColorKey.field) &&
         ok;
    return ok;
}

bool WriteFont(SettingsStore& store, int number, const AlarmRecord& alarm) {
    bool ok = WriteLogFont(store, kFontSettingSection, FontSuffix(number), alarm.Font);
    ok = WriteInt(store, kFontSettingSection, kTextColorStem, number, alarm.TextColor) && ok;
    return ok;
}

} // namespace

bool AnyAlarmOn(const AlarmRecords& records) {
    return std::any_of(records.begin(), records.end(),
                       [](const AlarmRecord& alarm) { return alarm.On == 1; });
}

AlarmRecords AlarmTable::Records() const {
    return records_.Read();
}

void AlarmTable::SetMessage(std::string_view text) {
    // Cut and copied before locking, so a reader never waits on an allocation.
    std::string copy(Cp932Prefix(text, kAlarmMessageBufferSize - 1));
    const std::lock_guard lock(messageMutex_);
    message_.swap(copy);
}

std::string AlarmTable::Message() const {
    const std::lock_guard lock(messageMutex_);
    return message_;
}

AlarmRecord LoadAlarm(const SettingsStore& store, int number) {
    AlarmRecord alarm;
    for (const AlarmIntKey& k : kLeadingKeys) {
        alarm.*k.field = ReadInt(store, kAlarmSettingSection, k.ReadStem(), number, 0);
    }
    alarm.NotifyWay = ReadInt(store, kAlarmSettingSection, kNotifyWayKey.stem, number, 0);
    ReadFile(store, kSoundFileStem, number, alarm.SoundFile, alarm.SoundFileName);
    ReadFile(store, kPictureFileStem, number, alarm.PictureFile, alarm.PictureFileName);
    const std::string memo = store.GetTrimmedText(kAlarmSettingSection, AlarmKey(kMemoStem, number),
                                                  "", kAlarmMemoBufferSize);
    // The store already stops at whole characters; cut again in case it only counted
    // characters, so a long Japanese memo can never end in half of one.
    alarm.Memo = std::string(Cp932Prefix(memo, kAlarmMemoBufferSize - 1));
    alarm.WindowColor = ReadInt(store, kAlarmSettingSection, kWindowColorKey.stem, number,
                                kDefaultAlarmWindowColor);
    LoadFont(store, number, alarm);
    return alarm;
}

void LoadAlarms(const SettingsStore& store, AlarmTable& table) {
    store.GetFile(kSoundSettingSection, kTestSoundFileKey, table.testSoundFile,
                  table.testSoundFileName);
    AlarmRecords records;
    for (int i = 0; i < kAlarmCount; ++i) {
        records[static_cast<std::size_t>(i)] = LoadAlarm(store, i + 1);
    }
    table.changed = {};
    table.fontChanged = {};
    CommitAlarms(table, records);
}

bool SaveAlarms(SettingsStore& store, AlarmTable& table) {
    const AlarmRecords records = table.Records();
    bool ok = store.PutText(kSoundSettingSection, kTestSoundFileKey, table.testSoundFile);
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (table.changed[i]) {
            const bool written = WriteAlarm(store, static_cast<int>(i) + 1, records[i]);
            table.changed[i] = !written;
            ok = ok && written;
        }
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (table.fontChanged[i]) {
            const bool written = WriteFont(store, static_cast<int>(i) + 1, records[i]);
            table.fontChanged[i] = !written;
            ok = ok && written;
        }
    }
    return ok;
}

bool SaveAlarmOnKey(SettingsStore& store, int index, int on) {
    if (index < 0 || index >= kAlarmCount) {
        return false;
    }
    return WriteInt(store, kAlarmSettingSection, kLeadingKeys[0].stem, index + 1, on);
}

void CommitAlarms(AlarmTable& table, const AlarmRecords& records) {
    table.Update([&records](AlarmRecords& current, bool& armed) {
        current = records;
        armed = AnyAlarmOn(current);
        return armed;
    });
}

bool ToggleAlarmsArmed(AlarmTable& table) {
    return table.Update([](const AlarmRecords& records, bool& armed) {
        armed = !armed && AnyAlarmOn(records);
        return armed;
    });
}

} // namespace zentrava
