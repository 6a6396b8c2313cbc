#include "alarms/time_signal.h"

#include "base/settings_keys.h"

#include <cstdio>
#include <utility>

namespace zentrava {
namespace {

constexpr std::string_view kTimeSignalFlagKey = "TimeSignalFlag";
constexpr std::string_view kEachFlagStem = "EachTimeSignalFlag";
constexpr std::string_view kBalloonKey = "TimeSignalBallonHelpOn";
constexpr std::string_view kMSecondEnableKey = "TimeSignalMSecondEnable";
constexpr std::string_view kSoundFileKey = "TimeSignalSoundFile"; // also the per-hour stem
constexpr std::string_view kCustomEnableKey = "CustumTimeSignalSoundEnable";
constexpr std::string_view kCustomEnable30Key = "CustumTimeSignalSoundEnable30";

struct CustomKey {
    std::string_view stem;
    int CustomTimeSignal::*field;
};

// Of each custom entry, in the order the file keeps them.
constexpr std::array<CustomKey, 5> kCustomKeys{{
    {"TimeSignalOn", &CustomTimeSignal::TimeSignalOn},
    {"TimeSignalHour", &CustomTimeSignal::TimeSignalHour},
    {"TimeSignalMinute", &CustomTimeSignal::TimeSignalMinute},
    {"TimeSignalSecond", &CustomTimeSignal::TimeSignalSecond},
    {"TimeSignalMSecond", &CustomTimeSignal::TimeSignalMSecond},
}};

// The keys that close the page's section, after the custom entries.
constexpr std::array<IntKey<TimeSignalSettings>, 8> kClosingKeys{{
    {"TimeSignal0JustOnFlag", &TimeSignalSettings::TimeSignal0JustOnFlag},
    {"TimeSignal30JustOnFlag", &TimeSignalSettings::TimeSignal30JustOnFlag},
    {"TimeSignalMinuteBase", &TimeSignalSettings::TimeSignalMinuteBase},
    {"TimeSignalSecondBase", &TimeSignalSettings::TimeSignalSecondBase},
    {"TimeSignalMSecondBase", &TimeSignalSettings::TimeSignalMSecondBase},
    {"TimeSignalMinuteBase30", &TimeSignalSettings::TimeSignalMinuteBase30},
    {"TimeSignalSecondBase30", &TimeSignalSettings::TimeSignalSecondBase30},
    {"TimeSignalMSecondBase30", &TimeSignalSettings::TimeSignalMSecondBase30},
}};

// "TimeSignalOn05" for custom entry 5; "EachTimeSignalFlag0530" for the half hour 5:30.
std::string NumberedKey(std::string_view stem, int number, std::string_view suffix = {}) {
    char key[64];
    std::snprintf(key, sizeof key, "%.*s%02d%.*s", static_cast<int>(stem.size()), stem.data(),
                  number, static_cast<int>(suffix.size()), suffix.data());
    return key;
}

std::string_view HalfHourSuffix(bool halfHour) {
    return halfHour ? std::string_view("30") : std::string_view();
}

void ReadHourFiles(const SettingsStore& store, std::string_view section, bool halfHour,
                   std::array<ChimeHour, kChimeHourCount>& hours) {
    for (int h = 0; h < kChimeHourCount; ++h) {
        ChimeHour& hour = hours[static_cast<std::size_t>(h)];
        store.GetFile(section, NumberedKey(kSoundFileKey, h, HalfHourSuffix(halfHour)),
                      hour.TimeSignalSoundFile, hour.TimeSignalSoundFileName);
    }
}

bool WriteHourFiles(SettingsStore& store, std::string_view section, bool halfHour,
                    const std::array<ChimeHour, kChimeHourCount>& hours) {
    bool ok = true;
    for (int h = 0; h < kChimeHourCount; ++h) {
        ok = store.PutText(section, NumberedKey(kSoundFileKey, h, HalfHourSuffix(halfHour)),
                           hours[static_cast<std::size_t>(h)].TimeSignalSoundFile) &&
             ok;
    }
    return ok;
}

enum class Chime { FullHour, HalfHour };

struct ChimeDecision {
    bool start = false;
    std::string sound;
    bool moment = false; // the first tick of the full or half hour
    bool balloonWanted = false;
};

int NextHour(int hour) {
    return hour >= kChimeHourCount - 1 ? 0 : hour + 1;
}

// The hour an hourly chime started now announces: a start in the first half of the hour is
// taken as a late chime for this hour, one in the second half as an early one for the next.
int AnnouncedHour(const TimeSignalSettings& s, const ClockTimeRecord& now) {
    if (now.Minute == 0 && now.Second == 0) {
        return now.Hour;
    }
    if (s.TimeSignalMSecondEnable == 1) {
        const int ms = (now.Minute * 60 + now.Second) * 1000 + now.Millisecond;
        return ms < 1'800'000 ? now.Hour : NextHour(now.Hour);
    }
    if (s.TimeSignalMSecondEnable == 0) {
        return now.Minute * 60 + now.Second < 1800 ? now.Hour : NextHour(now.Hour);
    }
    return NextHour(now.Hour);
}

ChimeDecision DecideChime(const TimeSignalSettings& s, Chime chime, bool locked,
                          const ClockTimeRecord& now) {
    const bool full = chime == Chime::FullHour;
    ChimeDecision d;
    const int minuteBase = full ? s.TimeSignalMinuteBase : s.TimeSignalMinuteBase30;
    const int secondBase = full ? s.TimeSignalSecondBase : s.TimeSignalSecondBase30;
    const int mSecondBase = full ? s.TimeSignalMSecondBase : s.TimeSignalMSecondBase30;
    // Without millisecond precision the start base's milliseconds are ignored, not matched.
    const int startMs = s.TimeSignalMSecondEnable != 0 ? mSecondBase : 0;
    if (!locked && now.Minute == minuteBase && now.Second == secondBase &&
        now.Millisecond == startMs) {
        const int h = full ? AnnouncedHour(s, now) : now.Hour;
        if (h >= 0 && h < kChimeHourCount) {
            const ChimeHour& hour = (full ? s.hours : s.halfHours)[static_cast<std::size_t>(h)];
            const int ownFiles =
                full ? s.CustumTimeSignalSoundEnable : s.CustumTimeSignalSoundEnable30;
            if (hour.EachTimeSignalFlag == 1) {
                d.start = true;
                d.sound = !hour.TimeSignalSoundFile.empty() && ownFiles == 1
                              ? hour.TimeSignalSoundFile
                              : s.TimeSignalSoundFile;
            }
        }
    }
    d.moment = now.Minute == (full ? 0 : 30) && now.Second == 0 && now.Millisecond == 0;
    d.balloonWanted = s.TimeSignalBallonHelpOn == 1;
    return d;
}

// Half hours since 1 January 1601 up to the half hour `now` lies in (clock records are loaded
// from 1601 on). Fits an int for every year the platform's clock can give: 30827 ends about
// 5.1e8 half hours on.
int HalfHourMark(const ClockTimeRecord& now) {
    constexpr std::int64_t kTicksPerHalfHour = 30 * kTicksPerMinute;
    const DateTime start{now.Year, now.Month, 0, now.Day, now.Hour, now.Minute < 30 ? 0 : 30, 0, 0};
    return static_cast<int>(ToFileTicks(start) / kTicksPerHalfHour);
}

bool OnHalfHourMark(const ClockTimeRecord& now) {
    return (now.Minute == 0 || now.Minute == 30) && now.Second == 0 && now.Millisecond == 0;
}

// The full (or half) hour a chime started now reports at: now itself when it is that moment,
// else the next one.
int BalloonDue(const ClockTimeRecord& now, Chime chime) {
    const int mark = HalfHourMark(now);
    const bool onFull = mark % 2 == 0;
    const bool wantFull = chime == Chime::FullHour;
    if (OnHalfHourMark(now) && onFull == wantFull) {
        return mark;
    }
    return onFull == wantFull ? mark + 2 : mark + 1;
}

// A chime without a sound still takes the lock, so a silent hour holds off the custom
// signals just as a sounding one does. A custom entry (customEntry >= 0) is marked between the
// stop and the start: the stop clears the mark as it closes the channel, and the start's sound
// may end at once and clear it on the window thread, which must find it already set.
void StartChime(Lockout& lockout, const std::string& sound, TimeSignalActions& actions,
                TimeSignal* signal = nullptr, int customEntry = -1) {
    if (!sound.empty()) {
        if (actions.TimeSignalSounding()) {
            actions.StopTimeSignalSound();
        }
        if (signal != nullptr) {
            signal->SetLastCustomEntry(customEntry);
        }
        actions.StartTimeSignalSound(sound);
    }
    lockout.Set();
}

void CheckChime(TimeSignal& signal, Lockout& lockout, const ClockTimeRecord& now, Chime chime,
                TimeSignalActions& actions) {
    const bool locked = lockout.IsSet();
    const ChimeDecision d = signal.Decide(
        [&](const TimeSignalSettings& s) { return DecideChime(s, chime, locked, now); });
    std::atomic<int>& pending =
        chime == Chime::FullHour ? signal.pendingHourBalloon : signal.pendingHalfHourBalloon;
    if (d.start) {
        StartChime(lockout, d.sound, actions);
        pending.store(BalloonDue(now, chime));
    }
    // After the start, so a chime that starts on the full or half hour itself reports at once.
    // Every full or half hour uses up what was owed for it, whether a balloon is wanted or not.
    if (d.moment) {
        const int due = pending.exchange(TimeSignal::kNoBalloonDue);
        const bool owed = due != TimeSignal::kNoBalloonDue && due == HalfHourMark(now);
        if (owed && d.balloonWanted && actions.BalloonsSupported()) {
            actions.RequestBalloon(
                TimeSignalBalloonText(now.Hour, chime == Chime::FullHour ? 0 : 30));
        }
    }
}

struct CustomMatch {
    int index = -1;
    std::string sound;
};

CustomMatch FindDueCustomEntry(const TimeSignalSettings& s, int last, const ClockTimeRecord& now) {
    for (int n = 0; n < kCustomTimeSignalCount; ++n) {
        const CustomTimeSignal& c = s.custom[static_cast<std::size_t>(n)];
        // Milliseconds are compared even without millisecond precision: the check then runs
        // at whole seconds only, so an entry set to x.050 simply never comes due.
        if (c.TimeSignalOn == 1 && c.TimeSignalHour == now.Hour &&
            c.TimeSignalMinute == now.Minute && c.TimeSignalSecond == now.Second &&
            c.TimeSignalMSecond == now.Millisecond && n != last) {
            return {n, s.TimeSignalSoundFile};
        }
    }
    return {};
}

} // namespace

TimeSignalSettings TimeSignal::Settings() const {
    return settings_.Read();
}

void TimeSignal::Commit(const TimeSignalSettings& settings) {
    // Copied before locking and swapped in, so the tick never waits on an allocation, nor on
    // freeing the old record: that happens in `copy` after the lock is released.
    TimeSignalSettings copy = settings;
    settings_.Update([&](TimeSignalSettings& current) {
        std::swap(current, copy);
        timeSignalFlag_.store(current.TimeSignalFlag);
        hourChimeOn_.store(current.TimeSignal0JustOnFlag);
        halfHourChimeOn_.store(current.TimeSignal30JustOnFlag);
        mSecondEnable_.store(current.TimeSignalMSecondEnable);
    });
}

void LoadTimeSignal(const SettingsStore& store, TimeSignal& signal) {
    const std::string_view sec = kTimeSignalSection;
    TimeSignalSettings s = signal.Settings();
    const TimeSignalSettings defaults;
    s.TimeSignalFlag = store.GetInt(sec, kTimeSignalFlagKey, defaults.TimeSignalFlag);
    for (int h = 0; h < kChimeHourCount; ++h) {
        s.hours[static_cast<std::size_t>(h)].EachTimeSignalFlag =
            store.GetInt(sec, NumberedKey(kEachFlagStem, h), 1);
    }
    for (int h = 0; h < kChimeHourCount; ++h) {
        s.halfHours[static_cast<std::size_t>(h)].EachTimeSignalFlag =
            store.GetInt(sec, NumberedKey(kEachFlagStem, h, HalfHourSuffix(true)), 1);
    }
    s.TimeSignalBallonHelpOn = store.GetInt(sec, kBalloonKey, defaults.TimeSignalBallonHelpOn);
    s.TimeSignalMSecondEnable =
        store.GetInt(sec, kMSecondEnableKey, defaults.TimeSignalMSecondEnable);
    // Read into the same buffer as every other path, so whatever the chooser accepts comes back.
    store.GetFile(sec, kSoundFileKey, s.TimeSignalSoundFile, s.TimeSignalSoundFileName);
    // Values are kept as read, also out of range: clamping a second of 60 to 59 would make the
    // entry sound at a moment nobody set, while as read it simply never comes due.
    for (int n = 0; n < kCustomTimeSignalCount; ++n) {
        CustomTimeSignal& c = s.custom[static_cast<std::size_t>(n)];
        for (const CustomKey& k : kCustomKeys) {
            c.*k.field = store.GetInt(sec, NumberedKey(k.stem, n + 1), 0);
        }
    }
    ReadInts<TimeSignalSettings>(store, sec, kClosingKeys, s, defaults);
    signal.Commit(s);
    signal.ClearLastCustomEntry();
}

void LoadPerHourSounds(const SettingsStore& store, TimeSignal& signal) {
    TimeSignalSettings s = signal.Settings();
    s.CustumTimeSignalSoundEnable = store.GetInt(kTimeSignalSection, kCustomEnableKey, 0);
    ReadHourFiles(store, kTimeSignalSection, false, s.hours);
    signal.Commit(s);
}

void LoadPerHalfHourSounds(const SettingsStore& store, TimeSignal& signal) {
    TimeSignalSettings s = signal.Settings();
    s.CustumTimeSignalSoundEnable30 = store.GetInt(kTimeSignal30Section, kCustomEnable30Key, 0);
    ReadHourFiles(store, kTimeSignal30Section, true, s.halfHours);
    signal.Commit(s);
}

bool SaveTimeSignal(SettingsStore& store, const TimeSignalSettings& s) {
    const std::string_view sec = kTimeSignalSection;
    bool ok = store.PutInt(sec, kTimeSignalFlagKey, s.TimeSignalFlag);
    for (int h = 0; h < kChimeHourCount; ++h) {
        ok = store.PutInt(sec, NumberedKey(kEachFlagStem, h),
                          s.hours[static_cast<std::size_t>(h)].EachTimeSignalFlag) &&
             ok;
    }
    for (int h = 0; h < kChimeHourCount; ++h) {
        ok = store.PutInt(sec, NumberedKey(kEachFlagStem, h, HalfHourSuffix(true)),
                          s.halfHours[static_cast<std::size_t>(h)].EachTimeSignalFlag) &&
             ok;
    }
    ok = store.PutInt(sec, kBalloonKey, s.TimeSignalBallonHelpOn) && ok;
    ok = store.PutInt(sec, kMSecondEnableKey, s.TimeSignalMSecondEnable) && ok;
    ok = store.PutText(sec, kSoundFileKey, s.TimeSignalSoundFile) && ok;
    for (int n = 0; n < kCustomTimeSignalCount; ++n) {
        const CustomTimeSignal& c = s.custom[static_cast<std::size_t>(n)];
        for (const CustomKey& k : kCustomKeys) {
            ok = store.PutInt(sec, NumberedKey(k.stem, n + 1), c.*k.field) && ok;
        }
    }
    return WriteInts<TimeSignalSettings>(store, sec, kClosingKeys, s) && ok;
}

bool SavePerHourSounds(SettingsStore& store, const TimeSignalSettings& s) {
    bool ok = store.PutInt(kTimeSignalSection, kCustomEnableKey, s.CustumTimeSignalSoundEnable);
    return WriteHourFiles(store, kTimeSignalSection, false, s.hours) && ok;
}

bool SavePerHalfHourSounds(SettingsStore& store, const TimeSignalSettings& s) {
    bool ok =
        store.PutInt(kTimeSignal30Section, kCustomEnable30Key, s.CustumTimeSignalSoundEnable30);
    return WriteHourFiles(store, kTimeSignal30Section, true, s.halfHours) && ok;
}

void CheckHourChime(TimeSignal& signal, Lockout& lockout, const Clocks& clocks,
                    TimeSignalActions& actions) {
    CheckChime(signal, lockout, clocks.LocalClock, Chime::FullHour, actions);
}

void CheckHalfHourChime(TimeSignal& signal, Lockout& lockout, const Clocks& clocks,
                        TimeSignalActions& actions) {
    CheckChime(signal, lockout, clocks.LocalClock, Chime::HalfHour, actions);
}

void CheckCustomTimeSignals(TimeSignal& signal, Lockout& lockout, const Clocks& clocks,
                            TimeSignalActions& actions) {
    if (lockout.IsSet()) {
        return;
    }
    const int last = signal.LastCustomEntry();
    const ClockTimeRecord& now = clocks.LocalClock;
    const CustomMatch match = signal.Decide(
        [&](const TimeSignalSettings& s) { return FindDueCustomEntry(s, last, now); });
    if (match.index < 0) {
        return;
    }
    // The lock this takes keeps every later entry of this pass, and of the next 55 seconds,
    // from starting.
    StartChime(lockout, match.sound, actions, &signal, match.index);
}

std::string TimeSignalBalloonText(int hour, int minute) {
    char text[64];
    // 時報、%d時%02d分になりました。
    std::snprintf(text, sizeof text,
                  "\x8E\x9E\x95\xF1\x81\x41%d\x8E\x9E%02d"
                  "\x95\xAA\x82\xC9\x82\xC8\x82\xE8\x82\xDC\x82\xB5\x82\xBD\x81\x42",
                  hour, minute);
    return text;
}

} // namespace zentrava
