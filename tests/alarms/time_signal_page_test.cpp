#include "alarms/time_signal_page.h"

#include "base/memory_settings_store.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
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
        ASSERT_TRUE(error) << *row.hour;
        EXPECT_EQ(error->control, kCustomHourEdit) << *row.hour;
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

// A hand-edited file may hold an entry no control offers; it never comes due and is kept as
// it is. Only what the user typed keeps them on the page.
TEST(TimeSignalPageValidation, OnlyFieldsTheUserChangedAreChecked) {
    const std::optional<std::string> untouched;
    EXPECT_FALSE(ValidateCustomRows(Rows({{untouched, untouched, untouched}})));
    EXPECT_FALSE(ValidateCustomRows(Rows({{untouched, "5", untouched}, {"7", untouched, "0"}})));
    const auto typed = ValidateCustomRows(Rows({{untouched, "5", untouched}, {"7", "60", "0"}}));
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->control, kCustomMinuteEdit + 1);
}

TEST(TimeSignalPageValidation, RowLabelsAreRightAligned) {
    EXPECT_EQ(CustomRowLabel(1), " 1:");
    EXPECT_EQ(CustomRowLabel(20), "20:");
}

// A record in which every field differs from the defaults.
TimeSignalSettings EveryFieldEdited() {
    TimeSignalSettings s;
    s.TimeSignalFlag = 0;
    for (std::size_t h = 0; h < s.hours.size(); ++h) {
        const std::string n = std::to_string(h);
        s.hours[h] = {0, "C:\\h" + n + ".wav", "h" + n + ".wav"};
        s.halfHours[h] = {0, "C:\\m" + n + ".wav", "m" + n + ".wav"};
    }
    s.TimeSignalBallonHelpOn = 0;
    s.TimeSignalMSecondEnable = 1;
    s.TimeSignalSoundFile = "C:\\chime.wav";
    s.TimeSignalSoundFileName = "chime.wav";
    for (std::size_t n = 0; n < s.custom.size(); ++n) {
        const int v = static_cast<int>(n);
        s.custom[n] = {1, 1 + v, 2 + v, 3 + v, 50 * (1 + v)};
    }
    s.TimeSignal0JustOnFlag = 1;
    s.TimeSignal30JustOnFlag = 1;
    s.TimeSignalMinuteBase = 58;
    s.TimeSignalSecondBase = 1;
    s.TimeSignalMSecondBase = 100;
    s.TimeSignalMinuteBase30 = 28;
    s.TimeSignalSecondBase30 = 2;
    s.TimeSignalMSecondBase30 = 200;
    s.CustumTimeSignalSoundEnable = 1;
    s.CustumTimeSignalSoundEnable30 = 1;
    return s;
}

struct PagePart {
    SettingsPage page;
    bool (*save)(SettingsStore&, const TimeSignalSettings&);
};
constexpr PagePart kParts[] = {
    {SettingsPage::TimeSignal, SaveTimeSignal},
    {SettingsPage::HourlySounds, SavePerHourSounds},
    {SettingsPage::HalfHourlySounds, SavePerHalfHourSounds},
};

std::string Saved(const PagePart& part, const TimeSignalSettings& s) {
    MemorySettingsStore store;
    part.save(store, s);
    return store.Text();
}

// Each page commits its part over what is live, so a page applied after another must carry
// exactly what its own section saves, and nothing another page saves.
TEST(TimeSignalPageParts, APageTakesExactlyWhatItsOwnApplySaves) {
    const TimeSignalSettings defaults;
    const TimeSignalSettings edited = EveryFieldEdited();
    for (const PagePart& taken : kParts) {
        SCOPED_TRACE(PageIndex(taken.page));
        TimeSignalSettings live = defaults;
        TakePageFields(taken.page, edited, live);
        for (const PagePart& other : kParts) {
            const TimeSignalSettings& expected = other.page == taken.page ? edited : defaults;
            EXPECT_EQ(Saved(other, live), Saved(other, expected)) << PageIndex(other.page);
        }
    }
}

TEST(TimeSignalPageParts, TheThreePagesTogetherCoverTheWholeRecord) {
    const TimeSignalSettings edited = EveryFieldEdited();
    TimeSignalSettings live;
    for (const PagePart& part : kParts) {
        TakePageFields(part.page, edited, live);
    }
    EXPECT_EQ(live, edited);
}

TEST(TimeSignalPageParts, TypedMillisecondsLandOnTheTicksStep) {
    const std::pair<int, int> cases[] = {{0, 0},     {49, 0},    {50, 50},   {125, 100},
                                         {949, 900}, {950, 950}, {999, 950}, {-50, 0}};
    for (const auto& [typed, kept] : cases) {
        EXPECT_EQ(MillisecondOnStep(typed), kept) << typed;
    }
}

} // namespace
} // namespace zentrava
