#pragma once
// The quick timer: a kitchen-timer countdown set in whole minutes with buttons, counted down by
// the tick in its 50 ms steps whether or not its window is open, and its two files (section
// QuickTimer_Setting).
//
// Threads. The window thread presses the buttons, starts, stops and clears; the tick thread
// counts down and fires. Both go through one small lock over the whole countdown, so the tick
// never sees a half-made change (a restart, a clear) and decides to fire inside the same lock
// that ends the run: a run fires once, a stopped run never. The running flag is mirrored in an
// atomic for the tick's cheap "anything to count?" question. The files are a Guarded record:
// the window thread commits them, the tick and the notification window take copies.
//
// The remaining time is one number of milliseconds that never goes below 0. The display shows
// it rounded up to whole seconds, so 1:00 reads 0:01:00 until a whole second has run, and a set
// time of T seconds runs out on exactly the T x 20th step.

#include "base/guarded.h"
#include "base/settings_store.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace zentrava {

inline constexpr std::string_view kQuickTimerSection = "QuickTimer_Setting";
inline constexpr std::string_view kQuickTimerSoundKey = "QuickTimerSoundFile";
inline constexpr std::string_view kQuickTimerPictureKey = "QuickTimerImgFile";

// 23:59: the buttons never make a whole day.
inline constexpr int kQuickTimerMaxMinutes = 1439;
inline constexpr int kQuickTimerStepMs = 50;

inline constexpr const char* kQuickTimerMessage = "クイックタイマーの時間になりました。";

struct QuickTimerFiles {
    std::string SoundFile;
    std::string SoundFileName; // base name and extension; empty for no file
    std::string ImgFile;
    std::string ImgFileName;

    friend bool operator==(const QuickTimerFiles&, const QuickTimerFiles&) = default;
};

// A file that no longer exists reads as no file.
QuickTimerFiles LoadQuickTimerFiles(const SettingsStore& store);
// The sound key, then the picture key. False when a write failed.
bool SaveQuickTimerFiles(SettingsStore& store, const QuickTimerFiles& files);

// What the window shows and the menu and tick ask.
struct QuickTimerView {
    bool running = false;
    int hours = 0;
    int minutes = 0;
    int seconds = 0;

    // The minutes the buttons add to: the whole minutes left.
    int SetMinutes() const { return hours * 60 + minutes; }
    friend bool operator==(const QuickTimerView&, const QuickTimerView&) = default;
};

// "%d:%02d:%02d".
std::string QuickTimerText(const QuickTimerView& view);

enum class QuickTimerToggle {
    Nothing, // stopped with no time left
    Started,
    Stopped, // the time left is kept; the next start resumes from it
};

struct QuickTimerStep {
    bool fired = false;         // the run ended on this step
    bool secondChanged = false; // the display shows another time
};

class QuickTimer {
public:
    // Window thread. The buttons change the time only while stopped (their controls are
    // disabled while running): the seconds and the part of the second already run stay.
    void AddMinutes(int minutes);
    void Clear();
    QuickTimerToggle StartOrStop();
    // The time left as if set with the buttons, in seconds (the test build's preset). While
    // running, the run goes on from it.
    void Preset(int seconds);

    // Tick thread: one step of `stepMs`; fires when nothing is left. Nothing while stopped.
    QuickTimerStep Step(int stepMs = kQuickTimerStepMs);
    // The clocks jumped over a stall of `ticks` steps: the time comes off at once and the run
    // fires at most once.
    QuickTimerStep Skip(std::int64_t ticks);

    // Any thread.
    bool Running() const { return running_.load(std::memory_order_relaxed); }
    QuickTimerView View() const;

    QuickTimerFiles Files() const { return files_.Read(); }
    void CommitFiles(QuickTimerFiles files) { files_.Commit(std::move(files)); }

private:
    QuickTimerStep TakeOff(std::int64_t ms);

    mutable std::mutex mutex_;
    bool runningLocked_ = false;
    std::int32_t remainingMs_ = 0;
    std::atomic<bool> running_{false};

    Guarded<QuickTimerFiles> files_;
};

// The window's working copies of the files and whether they or the time were changed since the
// window opened or last committed; window thread only.
struct QuickTimerEdits {
    QuickTimerFiles files;
    bool changed = false;
};

// A start and the window's close commit the working files when anything was changed: the files
// to commit and save, once.
bool TakeFilesToCommit(QuickTimerEdits& edits, QuickTimerFiles& out);

} // namespace zentrava
