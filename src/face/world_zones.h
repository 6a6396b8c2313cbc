#pragma once
// The two world-clock zones' settings, kept in section TimeZone_Diff_Setting.

#include "base/settings_store.h"
#include "clock/clock_time.h"

#include <string>

namespace zentrava {

// The face's background picture, kept beside the zones in the same section.
struct PictureSettings {
    // The path as stored. A file that is not there (a drive not yet mounted at logon) shows no
    // picture but keeps its path, so the next Apply does not erase the user's choice.
    std::string BkGndPicFile;
    int PicRotStdTimeZone = 0; // 1: the picture turns with universal time, 0: the clock time
    int PicRotEnable = 0;      // 1: the picture turns on the 24-hour dial

    friend bool operator==(const PictureSettings&, const PictureSettings&) = default;
};

WorldZoneSettings LoadWorldZoneSettings(const SettingsStore& store);
void SaveWorldZoneSettings(SettingsStore& store, const WorldZoneSettings& settings);

// The two switches outside 0-1 become 0.
PictureSettings LoadPictureSettings(const SettingsStore& store);
void SavePictureSettings(SettingsStore& store, const PictureSettings& settings);

} // namespace zentrava
