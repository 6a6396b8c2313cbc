#pragma once
// CP932 byte rules shared by everything that splits or shortens Japanese text: a double-byte
// character's second byte can look like '\\', '/' or a letter, and half a character left at the
// end of a buffer shows as garbage or swallows the next byte.

#include <cstddef>
#include <string_view>

namespace zentrava {

// True for a CP932 lead byte.
constexpr bool IsCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The longest start of a CP932 text that fits maxBytes bytes without splitting a double-byte
// character (a face name must fit the platform's 32-byte field, terminator included).
std::string_view Cp932Prefix(std::string_view text, std::size_t maxBytes);

// Equal but for the case of ASCII letters, as the platform compares host names, file
// extensions and device aliases. Only single-byte letters fold: the second byte of a
// double-byte character can be a letter, and folding it would take two characters for one.
bool SameIgnoringCase(std::string_view a, std::string_view b);

} // namespace zentrava
