#include "app/tray_text.h"

#include "base/cp932_text.h"
#include "base/format_text.h"
#include "base/settings_path.h"
#include "face/digital_text.h"

#include <cstdio>

namespace zentrava {
namespace {

constexpr int kSecondsPerHour = 3600;

} // namespace

std::string DateTimeLine(const ClockTimeRecord& local, int charSet) {
    const std::string weekday(WeekdayName(local.DayOfWeek, charSet));
    // %d年%d月%d日(%s) %d時%02d分
    return FormatText("%d\x94\x4E%d\x8C\x8E%d\x93\xFA(%s) %d\x8E\x9E%02d\x95\xAA", local.Year,
                      local.Month, local.Day, weekday.c_str(), local.Hour, local.Minute);
}

std::string SongPart(const TrayStatus& status) {
    if (!status.audioPlaying) {
        return {};
    }
    // SplitPath steps over double-byte characters, so a name ending in ソ or 表 (second byte
    // 0x5C) keeps its last character.
    // \r\n [♪ ... ]
    return "\r\n [\x81\xF4" + SplitPath(status.audioFilePath).base + "]";
}

std::string IntervalPart(const TrayStatus& status) {
    if (!status.intervalAlarmOn || status.intervalSeconds <= 0 ||
        (status.intervalJust0Second && !status.intervalStarted)) {
        return {};
    }
    // Wide enough that a long interval added to a late start cannot overflow.
    const long long t = static_cast<long long>(status.startHour) * kSecondsPerHour +
                        static_cast<long long>(status.startMinute) * 60 + status.startSecond +
                        status.intervalSeconds;
    long long hours = t / kSecondsPerHour;
    if (hours >= 24) {
        hours %= 24;
    }
    // \r\n次回のインターバルアラーム時刻 %d時%02d分%02d秒
    return FormatText("\r\n\x8E\x9F\x89\xF1\x82\xCC\x83\x43\x83\x93\x83\x5E\x81\x5B\x83\x6F\x83\x8B"
                      "\x83\x41\x83\x89\x81\x5B\x83\x80\x8E\x9E\x8D\x8F %lld\x8E\x9E%02lld\x95\xAA"
                      "%02lld\x95\x62",
                      hours, t % kSecondsPerHour / 60, t % 60);
}

bool ShellTip::Take(std::string_view text) {
    const std::lock_guard lock(mutex_);
    if (held_ && *held_ == text) {
        return false;
    }
    held_.emplace(text);
    return true;
}

void ShellTip::Held(std::string_view text) {
    const std::lock_guard lock(mutex_);
    held_.emplace(text);
}

void ShellTip::Forget() {
    const std::lock_guard lock(mutex_);
    held_.reset();
}

std::string TrayAddTip(const ClockTimeRecord& local, int charSet, const TrayStatus& status) {
    return FitTooltip(DateTimeLine(local, charSet) + SongPart(status));
}

std::string TrayRefreshTip(const ClockTimeRecord& local, int charSet, const TrayStatus& status) {
    return FitTooltip(FaceTooltipText(local, charSet, status));
}

std::string FaceTooltipText(const ClockTimeRecord& local, int charSet, const TrayStatus& status) {
    return DateTimeLine(local, charSet) + SongPart(status) + IntervalPart(status);
}

std::string FitTooltip(std::string_view text) {
    return std::string(Cp932Prefix(text, kTooltipMaxBytes));
}

} // namespace zentrava
