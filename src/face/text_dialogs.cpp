#include "face/text_dialogs.h"

#include <algorithm>

namespace zentrava {

bool IsValidSizeText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<int> SizeFromText(std::string_view text) {
    if (text.empty() || !IsValidSizeText(text)) {
        return std::nullopt;
    }
    int size = 0;
    for (const char c : text) {
        // The box holds at most three digits; a longer text (pasted past the limit) stops
        // growing rather than overflow.
        if (size > 99999) {
            break;
        }
        size = size * 10 + (c - '0');
    }
    return size;
}

} // namespace zentrava
