#include "alarms/time_signal_page.h"

#include <gtest/gtest.h>

#include <vector>

namespace zentrava {
namespace {

// The messages as the page shows them, in CP932 (field name + "の設定は0～NN迄です。").
constexpr std::string_view kHourText = "\x8E\x9E\x8A\xD4\x82\xCC\x90\xDD\x92\xE8\x82\xCD"
                                       "0\x81`23\x96\x98\x82\xC5\x82\xB7\x81"
                                       "B";
constexpr std::string_view kSecondText = "\x95"
                                         "b\x82\xCC\x90\xDD\x92\xE8\x82\xCD"
                                         "0\x81`59\x96\x98\x82\xC5\x82\xB7\x81"
                                         "B";

std::vector<CustomRowText> Rows(std::initializer_list<CustomRowText> rows) {
    return rows;
}

TEST(TimeSignalPageValidation, EveryFieldAtItsBoundsPasses) {
    EXPECT_FALSE(
        ValidateCustomRows(Rows({{"0", "0", "0"}, {"23", "59", "59"}, {"07", "05", "9"}})));
}

TEST(TimeSignalPageValidation, OutOfRangeGivesTheFieldsMessageAndEdit) {
    const auto hour = ValidateCustomRows(Rows({{"24", "0", "0"}}));
    ASSERT_TRUE(hour);
    EXPECT_EQ(hour->control, kCustomHourEdit);
    EXPECT_EQ(hour->message, kHourText);
    EXPECT_EQ(ValidateCustomRows(Rows({{"1", "60", "0"}}))->control, kCustomMinuteEdit);
    const auto second = ValidateCustomRows(Rows({{"1", "1", "60"}}));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->control, kCustomSecondEdit);
    EXPECT_EQ(second->message, kSecondText);
}

TEST(TimeSignalPageValidation, NegativesLettersAndEmptyEditsAreRefusedLikeRanges) {
    // A second below 0 could never fire: refused with the second's message.
    const auto negative = ValidateCustomRows(Rows({{"1", "1", "-1"}}));
    ASSERT_TRUE(negative);
    EXPECT_EQ(negative->control, kCustomSecondEdit);
    EXPECT_EQ(negative->message, kSecondText);
    for (const CustomRowText& row : {CustomRowText{"a", "0", "0"}, CustomRowText{"", "0", "0"},
                                     CustomRowText{"1x", "0", "0"}}) {
        const auto error = ValidateCustomRows(Rows({row}));
        ASSERT_TRUE(error) << row.hour;
        EXPECT_EQ(error->control, kCustomHourEdit) << row.hour;
    }
}

TEST(TimeSignalPageValidation, TheFirstFailureInRowOrderWins) {
    // Row 0 is fine; row 1 fails in its second before row 2 fails in its hour.
    const auto error =
        ValidateCustomRows(Rows({{"1", "2", "3"}, {"4", "5", "99"}, {"77", "0", "0"}}));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->control, kCustomSecondEdit + 1);
    // Within a row: hour before minute before second.
    EXPECT_EQ(ValidateCustomRows(Rows({{"1", "61", "61"}}))->control, kCustomMinuteEdit);
}

TEST(TimeSignalPageValidation, RowLabelsAreRightAligned) {
    EXPECT_EQ(CustomRowLabel(1), " 1:");
    EXPECT_EQ(CustomRowLabel(20), "20:");
}

} // namespace
} // namespace zentrava
