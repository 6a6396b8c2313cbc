#pragma once
// The decisions of the two text sub-dialogs of the general settings: which settings their
// controls edit, the sizes offered, and what a typed size means.

#include "face/appearance_settings.h"

#include <array>
#include <optional>
#include <string_view>

namespace zentrava {

// The date, the time, the dial numbers and "JST", in the order of the dialogs' controls.
inline constexpr int kTextKinds = 4;
inline constexpr std::array<int FontSettings::*, kTextKinds> kTextSizeFields = {
    &FontSettings::DateTextSize, &FontSettings::TimeTextSize, &FontSettings::MesStrTextSize,
    &FontSettings::JSTStrTextSize};
inline constexpr std::array<int FontSettings::*, kTextKinds> kTextColourFields = {
    &FontSettings::DateTextColor, &FontSettings::TimeTextColor, &FontSettings::MesStrTextColor,
    &FontSettings::JSTTextColor};

inline constexpr std::array<int, 15> kOfferedFontSizes = {8,  9,  10, 11, 12, 14, 16, 18,
                                                          20, 22, 24, 26, 36, 48, 72};
// Three digits are enough for any size a face can be drawn with.
inline constexpr int kFontSizeTextLimit = 3;
inline constexpr const char* kFontSizeNotNumberMessage = "数値を入力していください。";

// Empty is valid (the user is still typing); anything but digits is not.
bool IsValidSizeText(std::string_view text);
// The size a text sets: only a valid text with at least one digit sets one.
std::optional<int> SizeFromText(std::string_view text);

} // namespace zentrava
