#include "face/text_dialogs.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace zentrava {
namespace {

TEST(FontSizeText, OnlyDigitsSetASizeAndEmptyIsStillValid) {
    const struct {
        std::string_view text;
        bool valid;
        std::optional<int> size;
    } cases[] = {
        {"", true, std::nullopt},
        {"8", true, 8},
        {"072", true, 72},
        {"999", true, 999},
        {"0", true, 0},
        {"1a", false, std::nullopt},
        {"a", false, std::nullopt},
        {" 9", false, std::nullopt},
        {"-8", false, std::nullopt},
        {"1.5", false, std::nullopt},
        {"\x82\x4f", false, std::nullopt}, // full-width "０"
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidSizeText(c.text), c.valid) << c.text;
        EXPECT_EQ(SizeFromText(c.text), c.size) << c.text;
    }
}

TEST(FontSizeText, APastedRunOfDigitsNeverOverflows) {
    const std::optional<int> size = SizeFromText("99999999999999999999");
    ASSERT_TRUE(size);
    EXPECT_GT(*size, 0);
}

// Each control of the two dialogs edits its own text's setting, date first.
TEST(TextDialogFields, EachKindReachesItsOwnSetting) {
    FontSettings font;
    font.DateTextSize = 1;
    font.TimeTextSize = 2;
    font.MesStrTextSize = 3;
    font.JSTStrTextSize = 4;
    font.DateTextColor = 11;
    font.TimeTextColor = 12;
    font.MesStrTextColor = 13;
    font.JSTTextColor = 14;
    for (int kind = 0; kind < kTextKinds; ++kind) {
        const auto k = static_cast<std::size_t>(kind);
        EXPECT_EQ(font.*kTextSizeFields[k], kind + 1);
        EXPECT_EQ(font.*kTextColourFields[k], kind + 11);
    }
}

TEST(TextDialogFields, OfferedSizesRiseAndFitTheBox) {
    int previous = 0;
    for (const int size : kOfferedFontSizes) {
        EXPECT_GT(size, previous);
        EXPECT_LT(size, 1000) << "the box takes " << kFontSizeTextLimit << " characters";
        previous = size;
    }
}

} // namespace
} // namespace zentrava
