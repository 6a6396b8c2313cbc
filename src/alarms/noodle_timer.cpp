#include "alarms/noodle_timer.h"

#include "base/format_text.h"
#include "clock/clock_time.h"

#include <algorithm>

namespace zentrava {

void NoodleTimer::Start(int seconds, int minutes, int selection) {
    const std::lock_guard lock(mutex_);
    state_ = {true, std::max(seconds, 1), minutes, selection};
}

void NoodleTimer::Cancel() {
    const std::lock_guard lock(mutex_);
    state_.running = false;
}

NoodleFiring NoodleTimer::CountSecond() {
    return TakeOff(1);
}

NoodleFiring NoodleTimer::Skip(std::int64_t ticks) {
    // Only the whole seconds: the remaining part is at most one count, which the next whole
    // second of the clock makes.
    return TakeOff(ticks / kTicksPerSecondUnit);
}

bool NoodleTimer::Preset(int seconds) {
    const std::lock_guard lock(mutex_);
    if (!state_.running) {
        return false;
    }
    state_.remainingSeconds = std::max(seconds, 1);
    return true;
}

NoodleState NoodleTimer::State() const {
    const std::lock_guard lock(mutex_);
    return state_;
}

NoodleFiring NoodleTimer::TakeOff(std::int64_t seconds) {
    const std::lock_guard lock(mutex_);
    if (!state_.running || seconds <= 0) {
        return {};
    }
    // Fires at nothing left or less, never counts below 0, and only while running: the firing
    // stops it inside this same step.
    const std::int64_t left = static_cast<std::int64_t>(state_.remainingSeconds) - seconds;
    if (left > 0) {
        state_.remainingSeconds = static_cast<int>(left);
        return {};
    }
    state_.remainingSeconds = 0;
    state_.running = false;
    return {true, state_.minutes};
}

std::string NoodleBalloonText(int minutes) {
    // %d分経過しました。
    return FormatText("%d\x95\xAA\x8Co\x89\xDF\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81"
                      "B",
                      minutes);
}

} // namespace zentrava
