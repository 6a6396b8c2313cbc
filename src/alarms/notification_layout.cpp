#include "alarms/notification_layout.h"

#include "alarms/alarm_table.h"

#include <algorithm>
#include <cstdint>

namespace zentrava {
namespace {

constexpr int kShortSide = 240;

int Percent(int side, int percent) {
    return std::max(static_cast<int>(static_cast<std::int64_t>(side) * percent / 100), 1);
}

// side * numerator / denominator, in 64 bits and kept within an int.
int Scaled(int side, int numerator, int denominator) {
    const std::int64_t scaled = static_cast<std::int64_t>(side) * numerator / denominator;
    return static_cast<int>(std::min<std::int64_t>(scaled, INT32_MAX));
}

} // namespace

bool IsNotificationIndex(long long index) {
    return index >= kQuickTimerNotification && index < kAlarmCount;
}

std::string NotificationCaption(int index) {
    return index == kQuickTimerNotification ? "Zentrava クイックタイマー通知"
                                            : "Zentrava アラーム通知";
}

Extent FitNotificationPicture(Extent picture, Extent screen, Extent button) {
    if (picture.width <= 0 || picture.height <= 0) {
        return {};
    }
    const int maxWidth = Percent(screen.width, 90);
    const int maxHeight = Percent(screen.height, 90);
    Extent fit = picture;
    bool fitted = false;
    // Whole percents: exactly the truncations the factors 0.90, 0.89, ... are meant to give.
    for (int percent = 90; percent > 50 && !fitted; --percent) {
        // Each side keeps at least a pixel: a picture 1 pixel high must not reach 0 and
        // divide by it below.
        fit = {Percent(fit.width, percent), Percent(fit.height, percent)};
        fitted = fit.width < maxWidth && fit.height < maxHeight;
    }
    if (!fitted) {
        fit = {maxWidth, maxHeight};
    }
    if (fit.width < kShortSide && fit.height < kShortSide) {
        // With the picture's own aspect: the shrunk sides have lost precision to truncation.
        if (picture.width > picture.height) {
            fit = {Scaled(kShortSide, picture.width, picture.height), kShortSide};
        } else {
            fit = {kShortSide, Scaled(kShortSide, picture.height, picture.width)};
        }
    }
    // The button wins over the screen only on a screen too small for anything else.
    return {std::max(std::min(fit.width, maxWidth), button.width),
            std::max(std::min(fit.height, maxHeight), button.height)};
}

Point NotificationButtonPlace(Extent client, Extent window, Extent button) {
    const int x = (window.width - button.width) / 2;
    const int y = window.height - 80;
    return Point{std::clamp(x, 0, std::max(client.width - button.width, 0)),
                 std::clamp(y, 0, std::max(client.height - button.height, 0))};
}

} // namespace zentrava
