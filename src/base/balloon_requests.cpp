#include "base/balloon_requests.h"

#include "base/cp932_text.h"

#include <utility>

namespace zentrava {

std::string_view BalloonTitle(BalloonSource source) {
    switch (source) {
    case BalloonSource::Alarm:
        return "\x83\x41\x83\x89\x81\x5B\x83\x80"; // アラーム
    case BalloonSource::TimeSignal:
        return "\x8E\x9E\x95\xF1"; // 時報
    case BalloonSource::TimeUpdate:
        return "\x8E\x9E\x8D\x8F\x8D\x58\x90\x56"; // 時刻更新
    }
    return {};
}

Balloon FitBalloon(std::string_view title, std::string_view text) {
    return Balloon{std::string(Cp932Prefix(title, kBalloonTitleMaxBytes)),
                   std::string(Cp932Prefix(text, kBalloonTextMaxBytes))};
}

void BalloonRequests::Request(BalloonSource source, std::string_view text) {
    const auto index = static_cast<std::size_t>(source);
    if (index >= kSourceCount) {
        return;
    }
    // Copied before locking: the tick should not wait while another thread allocates.
    std::string copy(text);
    const std::lock_guard lock(mutex_);
    pending_[index] = std::move(copy);
}

std::optional<Balloon> BalloonRequests::TakeCombined() {
    std::array<std::optional<std::string>, kSourceCount> taken;
    {
        const std::lock_guard lock(mutex_);
        taken.swap(pending_);
    }
    std::string title;
    std::string text;
    bool any = false;
    for (std::size_t i = 0; i < kSourceCount; ++i) {
        if (!taken[i]) {
            continue;
        }
        any = true;
        if (!title.empty()) {
            title += ", ";
        }
        title += BalloonTitle(static_cast<BalloonSource>(i));
        if (!text.empty()) {
            text += "\r\n";
        }
        text += *taken[i];
    }
    if (!any) {
        return std::nullopt;
    }
    return FitBalloon(title, text);
}

BalloonRequests& Balloons() {
    static BalloonRequests requests;
    return requests;
}

} // namespace zentrava
