#include "base/cp932_text.h"

#include <algorithm>

namespace zentrava {

std::string_view Cp932Prefix(std::string_view text, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        // A lead byte with nothing after it is half a character and is dropped too.
        const std::size_t width = IsCp932LeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
        if (end + width > std::min(maxBytes, text.size())) {
            break;
        }
        end += width;
    }
    return text.substr(0, end);
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsCp932LeadByte(static_cast<unsigned char>(a[i]))) {
            if (a[i] != b[i] || (i + 1 < a.size() && a[i + 1] != b[i + 1])) {
                return false;
            }
            ++i;
        } else if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace zentrava
