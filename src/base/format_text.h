#pragma once
// printf-style formatting into a string of exactly the length it needs: the program's texts
// keep their C format strings, and nothing is ever cut short by a fixed buffer.

#include <cstdio>
#include <string>

namespace zentrava {

template <typename... Args>
std::string FormatText(const char* format, Args... args) {
    const int size = std::snprintf(nullptr, 0, format, args...);
    if (size < 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(size), '\0');
    std::snprintf(text.data(), text.size() + 1, format, args...);
    return text;
}

} // namespace zentrava
