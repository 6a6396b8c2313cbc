#include "alarms/interval_alarm.h"

#include "base/format_text.h"
#include "base/settings_keys.h"

#include <array>
#include <utility>

namespace zentrava {
namespace {

constexpr int kSecondsPerHour = 3600;
constexpr std::string_view kOnKey = "IntervalAlarmOn";
constexpr std::string_view kSoundKey = "IntervalAlarmSoundFile";
constexpr std::string_view kNoodleSoundKey = "NoodleTimerSoundFile";

// In the file's order; the two sound files follow them.
constexpr std::array<IntKey<IntervalAlarmSettings>, 6> kIntKeys{{
    {kOnKey, &IntervalAlarmSettings::IntervalAlarmOn},
    {"IntervalAlarmHour", &IntervalAlarmSettings::IntervalAlarmHour},
    {"IntervalAlarmMinute", &IntervalAlarmSettings::IntervalAlarmMinute},
    {"IntervalAlarmSecond", &IntervalAlarmSettings::IntervalAlarmSecond},
    {"IntervalAlarmBalloonHelp", &IntervalAlarmSettings::IntervalAlarmBalloonHelp},
    {"IntervalAlarmJust0Second", &IntervalAlarmSettings::IntervalAlarmJust0Second},
}};

} // namespace

int IntervalSeconds(const IntervalAlarmSettings& s) {
    if (s.IntervalAlarmHour < 0 || s.IntervalAlarmMinute < 0 || s.IntervalAlarmSecond < 0) {
        return 0;
    }
    // Wide: a record that bypassed the clamps must not overflow into a plausible length.
    const long long total = static_cast<long long>(s.IntervalAlarmHour) * kSecondsPerHour +
                            static_cast<long long>(s.IntervalAlarmMinute) * 60 +
                            s.IntervalAlarmSecond;
    constexpr long long kLongest = 24LL * kSecondsPerHour + 59 * 60 + 59;
    return total > kLongest ? 0 : static_cast<int>(total);
}

bool IntervalMayRun(int on, int intervalSeconds) {
    return on == 1 && intervalSeconds > 0;
}

IntervalFiring DecideIntervalFiring(const IntervalAlarmSettings& s, bool balloonsSupported) {
    IntervalFiring f;
    f.sound = s.IntervalAlarmSoundFile;
    if (balloonsSupported && s.IntervalAlarmBalloonHelp == 1) {
        f.balloonText =
            IntervalBalloonText(s.IntervalAlarmHour, s.IntervalAlarmMinute, s.IntervalAlarmSecond);
    }
    f.waitForSecondZero = s.IntervalAlarmJust0Second == 1 && IntervalSeconds(s) % 60 != 0;
    return f;
}

std::string IntervalBalloonText(int hours, int minutes, int seconds) {
    // インターバルアラーム、%d時間%02d分%02d秒経過しました。
    return FormatText("\x83"
                      "C\x83\x93\x83^\x81[\x83o\x83\x8B\x83"
                      "A\x83\x89\x81[\x83\x80\x81"
                      "A%d\x8E\x9E\x8A\xD4%02d\x95\xAA%02d\x95"
                      "b\x8Co\x89\xDF\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81"
                      "B",
                      hours, minutes, seconds);
}

void IntervalAlarm::Commit(const IntervalAlarmSettings& settings) {
    // Copied before locking and swapped in, so the tick never waits on an allocation.
    IntervalAlarmSettings copy = settings;
    settings_.Update([&](IntervalAlarmSettings& current) {
        std::swap(current, copy);
        on_.store(current.IntervalAlarmOn);
        just0Second_.store(current.IntervalAlarmJust0Second);
        seconds_.store(IntervalSeconds(current));
    });
}

int IntervalAlarm::Toggle() {
    return settings_.Update([&](IntervalAlarmSettings& current) {
        current.IntervalAlarmOn = current.IntervalAlarmOn == 1 ? 0 : 1;
        on_.store(current.IntervalAlarmOn);
        return current.IntervalAlarmOn;
    });
}

void IntervalAlarm::SetStartTime(const ClockTimeRecord& now) {
    startSecondOfDay_.store(now.Hour * kSecondsPerHour + now.Minute * 60 + now.Second);
}

IntervalTrayData IntervalAlarm::TrayData() const {
    IntervalTrayData d;
    d.on = on_.load() == 1;
    d.just0Second = just0Second_.load() == 1;
    d.started = started_.load() != 0;
    const int start = startSecondOfDay_.load();
    d.startHour = start / kSecondsPerHour;
    d.startMinute = start % kSecondsPerHour / 60;
    d.startSecond = start % 60;
    d.intervalSeconds = seconds_.load();
    return d;
}

IntervalAlarmSettings LoadIntervalAlarmSettings(const SettingsStore& store) {
    const std::string_view sec = kIntervalAlarmSection;
    IntervalAlarmSettings s;
    ReadInts<IntervalAlarmSettings>(store, sec, kIntKeys, s);
    store.GetFile(sec, kSoundKey, s.IntervalAlarmSoundFile, s.IntervalAlarmSoundFileName);
    store.GetFile(sec, kNoodleSoundKey, s.NoodleTimerSoundFile, s.NoodleTimerSoundFileName);
    return s;
}

bool SaveIntervalAlarmSettings(SettingsStore& store, const IntervalAlarmSettings& s) {
    const std::string_view sec = kIntervalAlarmSection;
    bool ok = WriteInts<IntervalAlarmSettings>(store, sec, kIntKeys, s);
    ok = store.PutText(sec, kSoundKey, s.IntervalAlarmSoundFile) && ok;
    return store.PutText(sec, kNoodleSoundKey, s.NoodleTimerSoundFile) && ok;
}

bool SaveIntervalAlarmOn(SettingsStore& store, int on) {
    return store.PutInt(kIntervalAlarmSection, kOnKey, on);
}

} // namespace zentrava
