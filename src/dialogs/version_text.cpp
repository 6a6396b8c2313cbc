#include "dialogs/version_text.h"

#include "base/format_text.h"

namespace zentrava {

FileVersion SplitFileVersion(std::uint32_t mostSignificant, std::uint32_t leastSignificant) {
    return {static_cast<int>(mostSignificant >> 16), static_cast<int>(mostSignificant & 0xFFFF),
            static_cast<int>(leastSignificant >> 16), static_cast<int>(leastSignificant & 0xFFFF)};
}

std::string ShortVersion(const std::optional<FileVersion>& version) {
    if (!version) {
        return {};
    }
    return FormatText("%d.%d%d", version->major, version->minor, version->third);
}

std::string LongVersion(const std::optional<FileVersion>& version) {
    if (!version) {
        return {};
    }
    return FormatText("%d.%d.%d.%d", version->major, version->minor, version->third,
                      version->fourth);
}

std::string VersionLine(const char* format, const std::optional<FileVersion>& version) {
    return FormatText(format, ShortVersion(version).c_str(), LongVersion(version).c_str());
}

} // namespace zentrava
