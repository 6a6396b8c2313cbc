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
        {"99999999999999999999", true, 999999}, // pasted past the box's limit: no overflow
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

} // namespace
} // namespace zentrava
