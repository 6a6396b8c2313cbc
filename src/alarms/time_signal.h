#pragma once
// The time signal (sections Time_Signal_Setting and Time_Signal_Setting_30): the hourly and
// half-hourly chimes, started early so that they end on the full or half hour, the balloon that
// reports the hour, and the twenty custom time signals timed to the tick.
//
// Threads. The checks run on the tick thread; the pages commit and save on the window thread,
// where the end of the time-signal sound also arrives. So:
//   - The settings sit behind one mutex, held only to copy them in or out or to take one
//     check's decision. The checks decide under the lock and act through TimeSignalActions
//     after releasing it, so the glue may block in SendMessage without holding anything the
//     window thread needs.
//   - The four switches the tick reads on every callback are mirrored in atomics, written under
//     the lock together with the record they come from, so the tick reads them lock-free.
//   - The pending balloons and the last custom entry are atomics: the tick writes them, the
//     closing of the time-signal channel clears the last custom entry from the window thread.
//   - The lockout is the time signal's own (TimeSignal::lockout): the tick counts it down at
//     each whole second before the checks run, the checks only test and take it.
//
// How the main window uses them:
//   WM_CREATE        LoadTimeSignal, LoadPerHourSounds, LoadPerHalfHourSounds; the glue marks
//                    the time-signal channel as not sounding.
//   each callback    the tick copies the four switches (CopyTickFlags of app/tick.h).
//   tick             CheckHourChime, CheckHalfHourChime, CheckCustomTimeSignals from the duties.
//   channel closed   ClearLastCustomEntry (SoundHost::ClearLastCustomTimeSignal): the sound's
//                    end, its stop, any start's close-all.
//   page apply       CommitTimeSignal with the working copy, then the page's own save:
//                    SaveTimeSignal, SavePerHourSounds or SavePerHalfHourSounds.

#include "base/guarded.h"
#include "base/lockout.h"
#include "base/settings_store.h"
#include "clock/clock_keeper.h"
#include "clock/clock_time.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>

namespace zentrava {

inline constexpr int kCustomTimeSignalCount = 20;
inline constexpr int kChimeHourCount = 24;

inline constexpr std::string_view kTimeSignalSection = "Time_Signal_Setting";
inline constexpr std::string_view kTimeSignal30Section = "Time_Signal_Setting_30";

// One of the twenty custom time signals, named as its keys (TimeSignalOn01 ...).
struct CustomTimeSignal {
    int TimeSignalOn = 0;
    int TimeSignalHour = 0;
    int TimeSignalMinute = 0;
    int TimeSignalSecond = 0;
    int TimeSignalMSecond = 0;

    friend bool operator==(const CustomTimeSignal&, const CustomTimeSignal&) = default;
};

// The chime of one full hour (EachTimeSignalFlag05, TimeSignalSoundFile05) or one half hour
// (EachTimeSignalFlag0530, TimeSignalSoundFile0530).
struct ChimeHour {
    int EachTimeSignalFlag = 1;
    std::string TimeSignalSoundFile;     // empty: the general chime sound
    std::string TimeSignalSoundFileName; // base name and extension, for display

    friend bool operator==(const ChimeHour&, const ChimeHour&) = default;
};

struct TimeSignalSettings {
    int TimeSignalFlag = 1; // the full- and half-hour chimes; custom signals ignore it
    std::array<ChimeHour, kChimeHourCount> hours{};
    std::array<ChimeHour, kChimeHourCount> halfHours{}; // files in Time_Signal_Setting_30
    int TimeSignalBallonHelpOn = 1;
    int TimeSignalMSecondEnable = 0;
    std::string TimeSignalSoundFile;
    std::string TimeSignalSoundFileName;
    std::array<CustomTimeSignal, kCustomTimeSignalCount> custom{};
    int TimeSignal0JustOnFlag = 0;
    int TimeSignal30JustOnFlag = 0;
    int TimeSignalMinuteBase = 59;
    int TimeSignalSecondBase = 57;
    int TimeSignalMSecondBase = 0;
    int TimeSignalMinuteBase30 = 29;
    int TimeSignalSecondBase30 = 57;
    int TimeSignalMSecondBase30 = 0;
    int CustumTimeSignalSoundEnable = 0;   // use hours[h].TimeSignalSoundFile
    int CustumTimeSignalSoundEnable30 = 0; // use halfHours[h].TimeSignalSoundFile

    friend bool operator==(const TimeSignalSettings&, const TimeSignalSettings&) = default;
};

class TimeSignal {
public:
    // Any thread: a consistent copy, for a page's working copy.
    TimeSignalSettings Settings() const;
    // Window thread: the page's apply (CommitTimeSignal) and the loaders.
    void Commit(const TimeSignalSettings& settings);

    // Runs fn(settings) under the lock and returns its result. fn must only compute.
    template <typename Fn>
    auto Decide(Fn&& fn) const {
        return settings_.Decide(std::forward<Fn>(fn));
    }

    // Lock-free for the tick's once-per-callback read.
    int TimeSignalFlag() const { return timeSignalFlag_.load(); }
    int TimeSignal0JustOnFlag() const { return hourChimeOn_.load(); }
    int TimeSignal30JustOnFlag() const { return halfHourChimeOn_.load(); }
    int TimeSignalMSecondEnable() const { return mSecondEnable_.load(); }

    // The custom entry (0-19) whose sound started last, -1 for none: it does not start again
    // while its own sound may still play.
    int LastCustomEntry() const { return lastCustomEntry_.load(); }
    void SetLastCustomEntry(int index) { lastCustomEntry_.store(index); }
    void ClearLastCustomEntry() { lastCustomEntry_.store(-1); }

    // Tick thread: the full or half hour whose balloon a started chime still owes, as a count
    // of half hours since 1601 (HalfHourMark), kNoBalloonDue for none. A moment rather than a
    // flag: a chime whose moment passed unseen (balloons off then, the check switched off, a
    // clock load over it) must not lend its balloon to a later hour that did not chime.
    static constexpr int kNoBalloonDue = -1;
    std::atomic<int> pendingHourBalloon{kNoBalloonDue};
    std::atomic<int> pendingHalfHourBalloon{kNoBalloonDue};

    // Set by each start, counted down by the tick: no second sound for 55 seconds.
    Lockout lockout;

private:
    Guarded<TimeSignalSettings> settings_;
    std::atomic<int> timeSignalFlag_{1};
    std::atomic<int> hourChimeOn_{0};
    std::atomic<int> halfHourChimeOn_{0};
    std::atomic<int> mSecondEnable_{0};
    std::atomic<int> lastCustomEntry_{-1};
};

// Time_Signal_Setting without the per-hour files; forgets the last custom entry. A sound file
// that no longer exists reads as none.
void LoadTimeSignal(const SettingsStore& store, TimeSignal& signal);
// CustumTimeSignalSoundEnable and TimeSignalSoundFile00-23, of Time_Signal_Setting.
void LoadPerHourSounds(const SettingsStore& store, TimeSignal& signal);
// Time_Signal_Setting_30.
void LoadPerHalfHourSounds(const SettingsStore& store, TimeSignal& signal);

// Each page's apply writes its own keys, in the file's order; false when any write failed.
// The "時報設定" page: everything of Time_Signal_Setting but the per-hour files.
bool SaveTimeSignal(SettingsStore& store, const TimeSignalSettings& settings);
// The per-hour page: CustumTimeSignalSoundEnable, then TimeSignalSoundFile00-23.
bool SavePerHourSounds(SettingsStore& store, const TimeSignalSettings& settings);
// The per-half-hour page: CustumTimeSignalSoundEnable30, then TimeSignalSoundFile0030-2330.
bool SavePerHalfHourSounds(SettingsStore& store, const TimeSignalSettings& settings);

inline void CommitTimeSignal(TimeSignal& signal, const TimeSignalSettings& settings) {
    signal.Commit(settings);
}

// What the checks ask of the rest of the program, on the tick thread, after the settings lock
// is released.
class TimeSignalActions {
public:
    virtual ~TimeSignalActions() = default;
    virtual bool TimeSignalSounding() = 0;
    virtual void StopTimeSignalSound() = 0; // kCmdStopTimeSignalSound
    // The path into the time-signal channel, then kCmdStartTimeSignalSound. Never called with an
    // empty path: a chime without a sound leaves the channel alone.
    virtual void StartTimeSignalSound(const std::string& path) = 0;
    virtual bool BalloonsSupported() = 0;
    virtual void RequestBalloon(const std::string& text) = 0; // BalloonSource::TimeSignal
};

// The tick's checks; each reads only LocalClock. The hourly one starts the chime at the start
// time and shows the balloon on the first tick of the hour; the half-hourly one likewise for
// the half hour. Nothing starts while the lockout is set, and every start sets it.
void CheckHourChime(TimeSignal& signal, Lockout& lockout, const Clocks& clocks,
                    TimeSignalActions& actions);
void CheckHalfHourChime(TimeSignal& signal, Lockout& lockout, const Clocks& clocks,
                        TimeSignalActions& actions);
// The lowest-numbered custom entry due at this very tick, if any, plays the general sound.
void CheckCustomTimeSignals(TimeSignal& signal, Lockout& lockout, const Clocks& clocks,
                            TimeSignalActions& actions);

// "時報、%d時%02d分になりました。" in CP932.
std::string TimeSignalBalloonText(int hour, int minute);

} // namespace zentrava
