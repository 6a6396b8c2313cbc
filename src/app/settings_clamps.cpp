#include "app/settings_clamps.h"

#include <algorithm>
#include <array>

namespace zentrava {
namespace {

constexpr std::array kWindowPositionClamps{
    // Below the minimum tracking size the window cannot be shown as stored; the glue narrows
    // the upper bound further to the virtual screen.
    IntClamp{"Window_Width", 64, 32767},
    IntClamp{"Window_Height", 64, 32767},
    // Window coordinates travel as 16-bit values in messages.
    IntClamp{"Window_X_Pos", -32768, 32767},
    IntClamp{"Window_Y_Pos", -32768, 32767},
};

constexpr std::array kTimeZoneDiffClamps{
    // The offset arithmetic multiplies these; unclamped they overflow.
    IntClamp{"TimeZoneDiffHour01", -11, 11},
    IntClamp{"TimeZoneDiffHour02", -11, 11},
    IntClamp{"TimeZoneDiffMinute01", 0, 59},
    IntClamp{"TimeZoneDiffMinute02", 0, 59},
};

struct SectionClamps {
    std::string_view section;
    std::span<const IntClamp> clamps;
};

constexpr std::array kSections{
    SectionClamps{kWindowPositionSection, kWindowPositionClamps},
    SectionClamps{kTimeZoneDiffSection, kTimeZoneDiffClamps},
};

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return fold(x) == fold(y); });
}

} // namespace

std::span<const IntClamp> ClampsForSection(std::string_view section) {
    for (const SectionClamps& entry : kSections) {
        if (EqualsIgnoringAsciiCase(entry.section, section)) {
            return entry.clamps;
        }
    }
    return {};
}

int GetClampedInt(const SettingsStore& store, std::string_view section, std::string_view key,
                  int def) {
    const int value = store.GetInt(section, key, def);
    for (const IntClamp& clamp : ClampsForSection(section)) {
        if (EqualsIgnoringAsciiCase(clamp.key, key)) {
            return std::clamp(value, clamp.min, clamp.max);
        }
    }
    return value;
}

} // namespace zentrava
