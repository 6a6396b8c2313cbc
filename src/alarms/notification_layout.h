#pragma once
// How the notification window lays out a picture: the client size the picture is fitted to,
// and where its OK button goes. Portable, so every picture shape can be checked.

#include "base/geometry.h"

namespace zentrava {

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
