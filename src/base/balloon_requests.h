#pragma once
// Balloons asked for by the alarm, the time signal and the time-server update. Requests may come
// from either thread; the tick gathers whatever is pending into one balloon, so that two
// notifications due on the same tick do not hide each other.

#include <array>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace zentrava {

// In the order their parts appear in a combined balloon.
enum class BalloonSource { Alarm, TimeSignal, TimeUpdate };

// "アラーム", "時報", "時刻更新" in CP932.
std::string_view BalloonTitle(BalloonSource source);

struct Balloon {
    std::string title;
    std::string text;

    friend bool operator==(const Balloon&, const Balloon&) = default;
};

// Longest balloon title and text in bytes; they fit the shell's 64- and 256-byte fields with the
// terminator.
inline constexpr std::size_t kBalloonTitleMaxBytes = 62;
inline constexpr std::size_t kBalloonTextMaxBytes = 254;

// Title and text cut to the limits above, before a double-byte character that would not fit
// whole. Also for the balloons the interval alarm and the noodle timer show at once.
Balloon FitBalloon(std::string_view title, std::string_view text);

class BalloonRequests {
public:
    // Any thread. Each source holds one pending text: a second request before the tick takes
    // them replaces the first whole, and only the later text is shown.
    void Request(BalloonSource source, std::string_view text);

    // Tick thread, once per tick. Nothing when no source is pending. Otherwise one balloon with
    // every pending source in the order of BalloonSource: titles joined by ", ", texts one per
    // line, cut by FitBalloon; those sources are no longer pending.
    std::optional<Balloon> TakeCombined();

private:
    static constexpr std::size_t kSourceCount = 3;

    // The lock only guards copying texts in and out, never a call into the shell: a request
    // from the window thread must not wait on a tick that is itself waiting on that thread.
    std::mutex mutex_;
    std::array<std::optional<std::string>, kSourceCount> pending_;
};

// The program's one set of requests: the schedulers and the time-server update ask, the tick
// shows them.
BalloonRequests& Balloons();

} // namespace zentrava
