#include "face/time_band_page.h"

#include "base/test_text.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

namespace zentrava {
namespace {

BandRowText GoodRow() {
    return {"22", "0", "06", "59"};
}

TEST(TimeBandPage, GroupCaptionNamesTheBandInTwoDigits) {
    EXPECT_EQ(BandGroupCaption(1), J("時間帯設定01:"));
    EXPECT_EQ(BandGroupCaption(24), J("時間帯設定24:"));
}

TEST(TimeBandPage, EachBadFieldIsRefusedWithItsRangeMessage) {
    const std::string hour = J("時間の設定は0～23迄です。");
    const std::string minute = J("分の設定は0～59迄です。");
    const struct {
        std::string BandRowText::*field;
        const char* text;
        int control; // on row 2
        const std::string& message;
    } cases[] = {
        {&BandRowText::startHour, "", 1622, hour},
        {&BandRowText::startHour, "ab", 1622, hour},
        {&BandRowText::startHour, "24", 1622, hour},
        {&BandRowText::startHour, "+3", 1622, hour},
        {&BandRowText::endHour, "-1", 1642, hour},
        {&BandRowText::endHour, "1a", 1642, hour},
        {&BandRowText::startMinute, "60", 1692, minute},
        {&BandRowText::startMinute, "", 1692, minute},
        {&BandRowText::endMinute, "+3", 1712, minute},
        {&BandRowText::endMinute, "-1", 1712, minute},
        {&BandRowText::endMinute, "ab", 1712, minute},
    };
    for (const auto& c : cases) {
        std::array<BandRowText, 4> rows{GoodRow(), GoodRow(), GoodRow(), GoodRow()};
        rows[1].*c.field = c.text;
        EXPECT_EQ(CheckBandRows(rows), (PageProblem{c.control, c.message})) << "'" << c.text << "'";
    }
}

TEST(TimeBandPage, NumbersWithinTheirRangesPass) {
    const std::array<BandRowText, 4> rows{BandRowText{"0", "0", "23", "59"},
                                          BandRowText{"00", "00", "09", "09"},
                                          BandRowText{"23", "59", "0", "24"}, GoodRow()};
    EXPECT_EQ(CheckBandRows(rows), std::nullopt);
}

TEST(TimeBandPage, RowsAreCheckedInOrderHoursBeforeMinutes) {
    const std::string hour = J("時間の設定は0～23迄です。");
    const std::string minute = J("分の設定は0～59迄です。");
    std::array<BandRowText, 4> rows{GoodRow(), GoodRow(), GoodRow(), GoodRow()};
    rows[3].startHour = "99";
    rows[2].startMinute = "99";
    rows[2].endHour = "99";
    // Row 3 comes before row 4; within it the end hour before the start minute.
    EXPECT_EQ(CheckBandRows(rows), (PageProblem{1643, hour}));
    rows[2].endHour = "5";
    EXPECT_EQ(CheckBandRows(rows), (PageProblem{1693, minute}));
}

} // namespace
} // namespace zentrava
