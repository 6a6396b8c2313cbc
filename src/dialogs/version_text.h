#pragma once
// The version texts of the version dialog, from the four numbers of the program's fixed file
// version.

#include <cstdint>
#include <optional>
#include <string>

namespace zentrava {

struct FileVersion {
    int major = 0;
    int minor = 0;
    int third = 0;
    int fourth = 0;
};

// From the two 32-bit halves of the fixed file information, most significant first.
FileVersion SplitFileVersion(std::uint32_t mostSignificant, std::uint32_t leastSignificant);

// "3.21" for 3.2.1.0: the third number runs on after the minor one without a dot, so 1.10.2
// gives "1.102". Empty when the program has no version.
std::string ShortVersion(const std::optional<FileVersion>& version);
// "3.2.1.0"; empty when the program has no version.
std::string LongVersion(const std::optional<FileVersion>& version);
// The version line: `format` takes the short and the long version, in that order, as %s.
std::string VersionLine(const char* format, const std::optional<FileVersion>& version);

} // namespace zentrava
