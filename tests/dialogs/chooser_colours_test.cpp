#include "dialogs/chooser_colours.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace zentrava {
namespace {

TEST(ChooserColours, AFreshChooserOffersTheStartAndFifteenWhites) {
    for (const std::uint32_t start : {0x00000000u, 0x00FF8080u, 0x00FFFFFFu}) {
        const auto colours = FreshCustomColours(start);
        EXPECT_EQ(colours[0], start);
        for (std::size_t i = 1; i < colours.size(); ++i) {
            // A colour value has no top byte: 0xFFFFFFFF is no colour at all.
            EXPECT_EQ(colours[i], 0x00FFFFFFu) << i;
        }
    }
}

} // namespace
} // namespace zentrava
