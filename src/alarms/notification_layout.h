#pragma once
// The notification window's decisions: which requests open it, its caption, the client size a
// picture is fitted to and where its OK button goes. Portable, so every shape can be checked.

#include "base/geometry.h"

#include <string>

namespace zentrava {

// The quick timer's notification; alarms are 0 to 19.
inline constexpr int kQuickTimerNotification = -1;

// An open request names an alarm or the quick timer; any other value (a stray or forged
// command) opens nothing.
bool IsNotificationIndex(long long index);

// "Zentrava アラーム通知" for an alarm, "Zentrava クイックタイマー通知" for the quick timer.
std::string NotificationCaption(int index);

struct Extent {
    int width = 0;
    int height = 0;

    friend bool operator==(const Extent&, const Extent&) = default;
};

// The client size for a picture on a screen. The picture is shrunk by cumulative factors of
// 90 %, 89 %, ... 51 % until both sides are below 90 % of the screen's (to 90 % of the screen
// when none does). When both sides are then under 240, it is enlarged with the picture's own
// aspect until the shorter side is 240. The result never leaves 90 % of the screen and is never
// smaller than the OK button, so the window can always be closed. Empty for an empty picture.
Extent FitNotificationPicture(Extent picture, Extent screen, Extent button);

// The OK button's top-left in the client: centred across the window and 80 pixels above the
// window's bottom edge, moved back inside the client where that would put it outside.
Point NotificationButtonPlace(Extent client, Extent window, Extent button);

} // namespace zentrava
