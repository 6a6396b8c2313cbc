#pragma once
// The texts of the tray icon's tooltip and of the clock face's own tooltip: the date and time,
// the song that is playing and the next interval-alarm time, in CP932 and cut to what the
// shell's tip field holds.

#include "clock/clock_time.h"

#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace zentrava {

// What the audio player and the interval alarm report for the tooltip; the glue fills it in
// from their records at the moment it builds the text.
struct TrayStatus {
    bool audioPlaying = false; // the audio channel is sounding
    std::string audioFilePath;
    bool intervalAlarmOn = false;     // IntervalAlarmOn
    bool intervalJust0Second = false; // IntervalAlarmJust0Second
    bool intervalStarted = false;     // the interval alarm's started mark
    // When the current interval began, and its length.
    int startHour = 0;
    int startMinute = 0;
    int startSecond = 0;
    int intervalSeconds = 0;
};

// The tip the shell holds for our icon, as far as we know: a refresh hands it a text only when
// the text differs. Every hand-over is a round trip to the shell's process, and the tick
// refreshes every second while the text changes once a minute. Any thread; the lock guards only
// the copy, never the call into the shell.
class ShellTip {
public:
    // True when `text` is not what the shell holds, and records it as held: the caller hands
    // it over now.
    bool Take(std::string_view text);
    // The shell took this text (an add, or a text set on purpose).
    void Held(std::string_view text);
    // The shell holds nothing we know of (the icon was deleted, or a hand-over failed).
    void Forget();

private:
    std::mutex mutex_;
    std::optional<std::string> held_;
};

// Longest tooltip in bytes; it fits the shell's 128-byte tip field with the terminator.
inline constexpr std::size_t kTooltipMaxBytes = 126;

// "2024年3月9日(土) 9時05分"; charSet is that of the main font (see WeekdayName).
std::string DateTimeLine(const ClockTimeRecord& local, int charSet);

// "\r\n [♪name]" with the audio file's name without folder and extension; empty while nothing
// plays.
std::string SongPart(const TrayStatus& status);

// "\r\n次回のインターバルアラーム時刻 0時05分30秒"; the hour wraps past midnight. Empty while
// the interval alarm is off, and in second-0 mode until it has started, because the next firing
// time is not known before then; also for an interval of 0, which never runs.
std::string IntervalPart(const TrayStatus& status);

// The tip given when the icon is added: date-time line and song part; the next refresh adds the
// interval part.
std::string TrayAddTip(const ClockTimeRecord& local, int charSet, const TrayStatus& status);

// The tip of every refresh: date-time line, song part and interval part, cut to the shell's
// field.
std::string TrayRefreshTip(const ClockTimeRecord& local, int charSet, const TrayStatus& status);

// The clock face's own tooltip: the same lines whole, since only the shell's field is limited
// (a long song name would otherwise push the interval line out).
std::string FaceTooltipText(const ClockTimeRecord& local, int charSet, const TrayStatus& status);

// Cuts any text meant for the tray tip (a long song name does not fit) to kTooltipMaxBytes,
// before a double-byte character that would not fit whole.
std::string FitTooltip(std::string_view text);

} // namespace zentrava
