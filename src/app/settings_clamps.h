#pragma once
// Integer settings are clamped as they are loaded, so a hand-edited or damaged file can never
// push a value outside what the code using it can handle.

#include "app/settings_store.h"

#include <span>
#include <string_view>

namespace zentrava {

struct IntClamp {
    std::string_view key;
    int min;
    int max;
};

inline constexpr std::string_view kWindowPositionSection = "Window_Position";
inline constexpr std::string_view kTimeZoneDiffSection = "TimeZone_Diff_Setting";

// The clamps of one section (matched as the INI file matches names); empty when it has none.
std::span<const IntClamp> ClampsForSection(std::string_view section);

// The key's integer, clamped when the section's table has the key and returned as read when not.
int GetClampedInt(const SettingsStore& store, std::string_view section, std::string_view key,
                  int def);

} // namespace zentrava
