#include "alarms/notification_layout.h"

#include <gtest/gtest.h>

#include <utility>

namespace zentrava {
namespace {

constexpr Extent kButton{75, 23};
constexpr Extent kFullHd{1920, 1080};

TEST(NotificationLayout, OnlyAnAlarmOrTheQuickTimerOpensTheWindow) {
    const std::pair<long long, bool> cases[] = {{-2, false},        {-1, true},  {0, true},
                                                {19, true},         {20, false}, {12345, false},
                                                {-1LL << 40, false}};
    for (const auto& [index, opens] : cases) {
        EXPECT_EQ(IsNotificationIndex(index), opens) << index;
    }
}

TEST(NotificationLayout, PictureIsFittedToTheScreenAndTheButton) {
    struct Case {
        Extent picture;
        Extent screen;
        Extent client;
    };
    const Case cases[] = {
        // Shrunk by 90 %, 89 %, 88 % and 87 % of what is left: below 1728 x 972.
        {{2000, 1500}, kFullHd, {1225, 918}},
        // To 90 x 45, then enlarged to a shorter side of 240.
        {{100, 50}, kFullHd, {480, 240}},
        {{50, 100}, kFullHd, {240, 480}},
        {{1, 1}, kFullHd, {240, 240}},
        // A 1-pixel side stays a pixel, the enlargement keeps the picture's aspect and the
        // result stays on the screen.
        {{200, 1}, kFullHd, {1728, 240}},
        {{1, 200}, kFullHd, {240, 972}},
        // A screen with no size gives the button's size, never nothing.
        {{100, 50}, {0, 0}, kButton},
        {{0, 50}, kFullHd, {}},
    };
    for (const Case& c : cases) {
        const Extent fit = FitNotificationPicture(c.picture, c.screen, kButton);
        EXPECT_EQ(fit, c.client) << c.picture.width << "x" << c.picture.height << " -> "
                                 << fit.width << "x" << fit.height;
    }
}

TEST(NotificationLayout, OkButtonStaysInsideTheClient) {
    struct Case {
        Extent client;
        Extent window;
        Point place;
    };
    const Case cases[] = {
        {{480, 240}, {486, 265}, {205, 185}},
        {{75, 23}, {81, 48}, {0, 0}},
        {{1728, 240}, {1734, 265}, {829, 185}},
    };
    for (const Case& c : cases) {
        const Point place = NotificationButtonPlace(c.client, c.window, kButton);
        EXPECT_EQ(place, c.place) << c.client.width << "x" << c.client.height;
        EXPECT_LE(place.x + kButton.width, c.client.width);
        EXPECT_LE(place.y + kButton.height, c.client.height);
    }
}

} // namespace
} // namespace zentrava
