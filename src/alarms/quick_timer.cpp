#include "alarms/quick_timer.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace zentrava {
namespace {

constexpr std::int64_t kMsPerSecond = 1000;
// The longest time the buttons can make: 23:59:59.
constexpr std::int64_t kLongestMs = (kQuickTimerMaxMinutes * 60LL + 59) * kMsPerSecond;

// The whole seconds shown for a remaining time: a started second still counts.
std::int64_t ShownSeconds(std::int64_t ms) {
    return (ms + kMsPerSecond - 1) / kMsPerSecond;
}

} // namespace

QuickTimerFiles LoadQuickTimerFiles(const SettingsStore& store) {
    QuickTimerFiles files;
    store.GetFile(kQuickTimerSection, kQuickTimerSoundKey, files.SoundFile, files.SoundFileName);
    store.GetFile(kQuickTimerSection, kQuickTimerPictureKey, files.ImgFile, files.ImgFileName);
    return files;
}

bool SaveQuickTimerFiles(SettingsStore& store, const QuickTimerFiles& files) {
    bool ok = store.PutText(kQuickTimerSection, kQuickTimerSoundKey, files.SoundFile);
    ok = store.PutText(kQuickTimerSection, kQuickTimerPictureKey, files.ImgFile) && ok;
    return ok;
}

std::string QuickTimerText(const QuickTimerView& view) {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", view.hours, view.minutes, view.seconds);
    return text;
}

void QuickTimer::AddMinutes(int minutes) {
    const std::lock_guard lock(mutex_);
    if (runningLocked_) {
        return;
    }
    const std::int64_t shown = ShownSeconds(remainingMs_);
    const std::int64_t partRun = shown * kMsPerSecond - remainingMs_; // of the current second
    const std::int64_t setMinutes =
        std::min<std::int64_t>(shown / 60 + std::max(minutes, 0), kQuickTimerMaxMinutes);
    const std::int64_t seconds = (setMinutes * 60 + shown % 60) * kMsPerSecond - partRun;
    remainingMs_ = static_cast<std::int32_t>(std::max<std::int64_t>(seconds, 0));
}

void QuickTimer::Clear() {
    const std::lock_guard lock(mutex_);
    if (!runningLocked_) {
        remainingMs_ = 0;
    }
}

QuickTimerToggle QuickTimer::StartOrStop() {
    const std::lock_guard lock(mutex_);
    if (runningLocked_) {
        runningLocked_ = false;
        running_.store(false, std::memory_order_relaxed);
        return QuickTimerToggle::Stopped;
    }
    if (remainingMs_ <= 0) {
        return QuickTimerToggle::Nothing;
    }
    runningLocked_ = true;
    running_.store(true, std::memory_order_relaxed);
    return QuickTimerToggle::Started;
}

void QuickTimer::Preset(int seconds) {
    const std::lock_guard lock(mutex_);
    remainingMs_ =
        static_cast<std::int32_t>(std::clamp<std::int64_t>(seconds * kMsPerSecond, 0, kLongestMs));
}

QuickTimerStep QuickTimer::Step(int stepMs) {
    return TakeOff(std::max(stepMs, 0));
}

QuickTimerStep QuickTimer::Skip(std::int64_t ticks) {
    if (ticks <= 0) {
        return {};
    }
    // Beyond the longest run the exact length no longer matters: the run is over either way.
    return TakeOff(std::min(ticks, kLongestMs / kQuickTimerStepMs + 1) * kQuickTimerStepMs);
}

QuickTimerStep QuickTimer::TakeOff(std::int64_t ms) {
    const std::lock_guard lock(mutex_);
    QuickTimerStep step;
    if (!runningLocked_) {
        return step;
    }
    const std::int64_t before = ShownSeconds(remainingMs_);
    remainingMs_ = static_cast<std::int32_t>(std::max<std::int64_t>(remainingMs_ - ms, 0));
    step.secondChanged = ShownSeconds(remainingMs_) != before;
    if (remainingMs_ == 0) {
        runningLocked_ = false;
        running_.store(false, std::memory_order_relaxed);
        step.fired = true;
    }
    return step;
}

QuickTimerView QuickTimer::View() const {
    std::int64_t shown = 0;
    QuickTimerView view;
    {
        const std::lock_guard lock(mutex_);
        shown = ShownSeconds(remainingMs_);
        view.running = runningLocked_;
    }
    view.hours = static_cast<int>(shown / 3600);
    view.minutes = static_cast<int>(shown / 60 % 60);
    view.seconds = static_cast<int>(shown % 60);
    return view;
}

bool TakeFilesToCommit(QuickTimerEdits& edits, QuickTimerFiles& out) {
    if (!edits.changed) {
        return false;
    }
    edits.changed = false;
    out = edits.files;
    return true;
}

} // namespace zentrava
