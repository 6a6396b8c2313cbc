#include "face/world_zone_page.h"

#include "base/test_text.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace zentrava {
namespace {

std::array<ZoneOffsetText, 2> GoodZones() {
    return {ZoneOffsetText{"0", "0"}, ZoneOffsetText{"-5", "30"}};
}

TEST(WorldZonePage, GroupCaptionsNameTheZoneAndItsTimesWithoutAPercentSign) {
    EXPECT_EQ(ZoneGroupCaption(1), J("タイムゾーン設定01:(GMT,BST)"));
    EXPECT_EQ(ZoneGroupCaption(2), J("タイムゾーン設定02:(EST,DST)"));
}

TEST(WorldZonePage, EachBadFieldIsRefusedWithItsOwnMessage) {
    const std::string range = J("タイムゾーンの時間設定は-11～11迄です。");
    const std::string letters = J("タイムゾーンの時間設定に文字が入力されています。");
    const std::string minute = J("タイムゾーンの分設定は0～59迄です。");
    const struct {
        std::size_t zone;
        std::string ZoneOffsetText::*field;
        const char* text;
        int control;
        const std::string& message;
    } cases[] = {
        {0, &ZoneOffsetText::hour, "-12", 1770, range},
        {0, &ZoneOffsetText::hour, "12", 1770, range},
        {1, &ZoneOffsetText::hour, "99", 1771, range},
        {0, &ZoneOffsetText::hour, "ab", 1770, letters},
        {0, &ZoneOffsetText::hour, "-", 1770, letters},
        {1, &ZoneOffsetText::hour, "+", 1771, letters},
        {1, &ZoneOffsetText::hour, "", 1771, letters},
        {1, &ZoneOffsetText::hour, "5x", 1771, letters},
        {0, &ZoneOffsetText::minute, "60", 1790, minute},
        {0, &ZoneOffsetText::minute, "-1", 1790, minute},
        {1, &ZoneOffsetText::minute, "+5", 1791, minute},
        {1, &ZoneOffsetText::minute, "", 1791, minute},
        {1, &ZoneOffsetText::minute, "ab", 1791, minute},
    };
    for (const auto& c : cases) {
        std::array<ZoneOffsetText, 2> zones = GoodZones();
        zones[c.zone].*c.field = c.text;
        EXPECT_EQ(CheckZoneOffsets(zones), (PageProblem{c.control, c.message}))
            << "zone " << c.zone + 1 << " '" << c.text << "'";
    }
}

TEST(WorldZonePage, OffsetsWithinTheirRangesPass) {
    const std::array<ZoneOffsetText, 2> edges{ZoneOffsetText{"-11", "0"},
                                              ZoneOffsetText{"11", "59"}};
    EXPECT_EQ(CheckZoneOffsets(edges), std::nullopt);
    const std::array<ZoneOffsetText, 2> signs{ZoneOffsetText{"+9", "05"},
                                              ZoneOffsetText{"-0", "00"}};
    EXPECT_EQ(CheckZoneOffsets(signs), std::nullopt);
}

TEST(WorldZonePage, ZoneOneIsCheckedBeforeZoneTwoAndAnHourBeforeItsMinute) {
    const std::string range = J("タイムゾーンの時間設定は-11～11迄です。");
    const std::string minute = J("タイムゾーンの分設定は0～59迄です。");
    std::array<ZoneOffsetText, 2> zones{ZoneOffsetText{"3", "75"}, ZoneOffsetText{"-20", "0"}};
    EXPECT_EQ(CheckZoneOffsets(zones), (PageProblem{1790, minute}));
    zones[0].hour = "30";
    EXPECT_EQ(CheckZoneOffsets(zones), (PageProblem{1770, range}));
    zones[0] = {"3", "15"};
    EXPECT_EQ(CheckZoneOffsets(zones), (PageProblem{1771, range}));
}

} // namespace
} // namespace zentrava
