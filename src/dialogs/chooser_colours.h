#pragma once
// The custom colours a colour chooser opens with when it keeps none of its own.

#include <array>
#include <cstdint>

namespace zentrava {

// White as a colour value: the platform's colour records have a zero top byte, and a chooser
// given 0xFFFFFFFF shows a colour that no setting could ever hold.
inline constexpr std::uint32_t kBlankCustomColour = 0x00FFFFFF;

// Sixteen blank custom colours but the first, which offers the colour the chooser starts from.
constexpr std::array<std::uint32_t, 16> FreshCustomColours(std::uint32_t start) {
    std::array<std::uint32_t, 16> colours{};
    colours.fill(kBlankCustomColour);
    colours[0] = start;
    return colours;
}

} // namespace zentrava
