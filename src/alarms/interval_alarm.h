#pragma once
// The interval alarm (section Interval_Alarm_Setting): a sound and an optional balloon every
// H hours, M minutes and S seconds while it is on, optionally counted from second 0 of the
// clock. The same section keeps the noodle timer's sound (noodle_timer.h).
//
// Threads. The interval runs on a window timer of the main window, but the tick decides when a
// second-0 interval starts and the tick's tooltip shows the next firing. So:
//   - The settings sit behind one lock, held only to copy them or to take one decision; the
//     noodle sound the tick plays is copied out under it, never read while a page replaces it.
//   - What the tick reads on every callback or every second (on, second-0 mode, the interval's
//     length, the started mark, the start time) is mirrored in atomics.
//   - The tick only marks the start; the window thread starts the timer (a window timer belongs
//     to the thread that owns the window) after checking that the start is still wanted.

#include "base/guarded.h"
#include "base/settings_clamps.h"
#include "base/settings_store.h"
#include "clock/clock_time.h"

#include <atomic>
#include <string>
#include <string_view>

namespace zentrava {

inline constexpr std::string_view kIntervalAlarmSection = kIntervalAlarmSettingSection;

struct IntervalAlarmSettings {
    int IntervalAlarmOn = 0;
    int IntervalAlarmHour = 0;
    int IntervalAlarmMinute = 3;
    int IntervalAlarmSecond = 0;
    int IntervalAlarmBalloonHelp = 0;
    int IntervalAlarmJust0Second = 1;
    std::string IntervalAlarmSoundFile;
    std::string IntervalAlarmSoundFileName; // base name and extension, for display
    std::string NoodleTimerSoundFile;
    std::string NoodleTimerSoundFileName;

    friend bool operator==(const IntervalAlarmSettings&, const IntervalAlarmSettings&) = default;
};

// hours x 3600 + minutes x 60 + seconds; 0 for a record nobody may time (negative parts from a
// record that bypassed the load's clamps).
int IntervalSeconds(const IntervalAlarmSettings& s);

// A window timer with this interval may run: the alarm is on and the interval is not 0.
bool IntervalMayRun(int on, int intervalSeconds);

// What one firing of the interval timer does: the sound (empty: none), the balloon's text
// (empty: none), and whether the timer stops to wait for the next second 0 of the clock.
struct IntervalFiring {
    std::string sound;
    std::string balloonText;
    bool waitForSecondZero = false;
};
IntervalFiring DecideIntervalFiring(const IntervalAlarmSettings& s, bool balloonsSupported);

// "インターバルアラーム、%d時間%02d分%02d秒経過しました。" and its title, in CP932.
std::string IntervalBalloonText(int hours, int minutes, int seconds);
inline constexpr std::string_view kIntervalBalloonTitle = "Zentrava\x83"
                                                          "C\x83\x93\x83^\x81[\x83o\x83\x8B\x83"
                                                          "A\x83\x89\x81[\x83\x80";

// The next firing for the tooltip, as the tray shows it.
struct IntervalTrayData {
    bool on = false;
    bool just0Second = false;
    bool started = false;
    int startHour = 0;
    int startMinute = 0;
    int startSecond = 0;
    int intervalSeconds = 0;
};

class IntervalAlarm {
public:
    // Any thread: a consistent copy.
    IntervalAlarmSettings Settings() const { return settings_.Read(); }
    // Window thread: load, the page's apply and cancel. The interval's length is recomputed.
    void Commit(const IntervalAlarmSettings& settings);
    // Window thread: the menu's switch. Returns the new IntervalAlarmOn.
    int Toggle();

    // Runs fn(settings) under the lock and returns its result. fn must only compute.
    template <typename Fn>
    auto Decide(Fn&& fn) const {
        return settings_.Decide(std::forward<Fn>(fn));
    }

    // Lock-free, for the tick's once-per-callback read and the tooltip.
    int On() const { return on_.load(); }
    int Just0Second() const { return just0Second_.load(); }
    int Seconds() const { return seconds_.load(); }

    // The second-0 start: set by the tick at the minute it starts (true for the one call that
    // set it), cleared whenever the timer stops waiting for a second 0 or must wait again.
    bool Started() const { return started_.load() != 0; }
    bool MarkStarted() {
        int expected = 0;
        return started_.compare_exchange_strong(expected, 1);
    }
    void ClearStarted() { started_.store(0); }

    // When the current interval began (LocalClock's hour, minute and second).
    void SetStartTime(const ClockTimeRecord& now);
    IntervalTrayData TrayData() const;

private:
    Guarded<IntervalAlarmSettings> settings_;
    std::atomic<int> on_{0};
    std::atomic<int> just0Second_{1};
    std::atomic<int> seconds_{180};
    std::atomic<int> started_{0};
    std::atomic<int> startSecondOfDay_{0};
};

// The section; sound files that no longer exist read as none. Switches and parts of the
// interval are clamped (settings_clamps.cpp), so the interval is never negative nor too long
// for a window timer.
IntervalAlarmSettings LoadIntervalAlarmSettings(const SettingsStore& store);
// The page's apply, in the file's order; false when any write failed.
bool SaveIntervalAlarmSettings(SettingsStore& store, const IntervalAlarmSettings& s);
// The menu's switch, written at once.
bool SaveIntervalAlarmOn(SettingsStore& store, int on);

} // namespace zentrava
