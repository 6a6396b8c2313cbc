#pragma once
// Integer settings are clamped as they are loaded, so a hand-edited or damaged file can never
// push a value outside what the code using it can handle.

#include "base/settings_store.h"

#include <span>
#include <string_view>

namespace zentrava {

struct IntClamp {
    std::string_view key;
    int min;
    int max;
};

// The sections that have clamps.
inline constexpr std::string_view kWindowPositionSection = "Window_Position";
inline constexpr std::string_view kTimeZoneDiffSection = "TimeZone_Diff_Setting";
inline constexpr std::string_view kClockSettingSection = "Clock_Setting";
inline constexpr std::string_view kFontSettingSection = "Font_Setting";
inline constexpr std::string_view kSoundVolumeSettingSection = "Sound_Volume_Setting";
inline constexpr std::string_view kIntervalAlarmSettingSection = "Interval_Alarm_Setting";
inline constexpr std::string_view kAudioSettingSection = "Audio_Setting";
inline constexpr std::string_view kAudioFolderSection = "Audio_Folder";

// The window's smallest side: its minimum tracking size.
inline constexpr int kMinWindowSide = 64;

// The clamps of one section (matched as the INI file matches names); empty when it has none.
std::span<const IntClamp> ClampsForSection(std::string_view section);

// The key's integer, clamped when the section's table has the key and returned as read when not.
int GetClampedInt(const SettingsStore& store, std::string_view section, std::string_view key,
                  int def);

} // namespace zentrava
