#pragma once
// The noodle timer ("ラーメンタイマー"): a one-shot countdown of 3, 4 or 5 minutes started from
// the menu, counted down by the tick at every whole second of the clock.
//
// The menu starts, restarts and cancels it on the window thread while the tick counts it, so
// its whole state sits under one small lock: every change and every count is one locked step,
// and the count decides there whether it fired. What a firing does (sound, balloon) happens
// after the lock is released. A restart and a count in the same 50 ms therefore cannot erase
// each other, and a cancel that came first can never be followed by a firing.

#include <cstdint>
#include <mutex>
#include <string>

namespace zentrava {

struct NoodleState {
    bool running = false;
    int remainingSeconds = 0;
    int minutes = 0;   // 3, 4 or 5, for the balloon
    int selection = 0; // 0, 1 or 2: which menu item is checked while running

    friend bool operator==(const NoodleState&, const NoodleState&) = default;
};

// What a count decided: fired, and for how many minutes it ran.
struct NoodleFiring {
    bool fired = false;
    int minutes = 0;

    friend bool operator==(const NoodleFiring&, const NoodleFiring&) = default;
};

class NoodleTimer {
public:
    // The menu's 40053-40055; a running timer simply starts again with the new values.
    void Start(int seconds, int minutes, int selection);
    // 40056.
    void Cancel();
    // The tick, at each whole second: one second off; fires once when nothing is left.
    NoodleFiring CountSecond();
    // The tick jumped over a stall of this many 50 ms ticks: their whole seconds come off at
    // once, so the timer rings when the stall ends and not later by its length, and once.
    NoodleFiring Skip(std::int64_t ticks);
    // Test build: the running timer's remaining seconds (at least 1). False when none runs.
    bool Preset(int seconds);
    NoodleState State() const;

private:
    NoodleFiring TakeOff(std::int64_t seconds);

    mutable std::mutex mutex_;
    NoodleState state_;
};

// "%d分経過しました。" and the title "ラーメンタイマー", in CP932.
std::string NoodleBalloonText(int minutes);
inline constexpr const char* kNoodleBalloonTitle = "\x83\x89\x81[\x83\x81\x83\x93\x83^\x83"
                                                   "C\x83}\x81[";

} // namespace zentrava
