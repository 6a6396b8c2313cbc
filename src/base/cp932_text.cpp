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

} // namespace zentrava
