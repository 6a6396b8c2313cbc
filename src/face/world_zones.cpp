#include "face/world_zones.h"

#include "base/settings_clamps.h"

#include <array>
#include <cstdio>
#include <string>

namespace zentrava {
namespace {

struct ZoneField {
    const char* keyFormat;
    std::array<int, 2> WorldZoneSettings::*field;
};

// Save order: a zone's five keys in this order, zone 1 before zone 2.
constexpr std::array<ZoneField, 5> kZoneFields{{
    {"TimeZoneDiffOnFlag%02d", &WorldZoneSettings::TimeZoneDiffOnFlag},
    {"TimeZoneDiffSummerTimeOnFlag%02d", &WorldZoneSettings::TimeZoneDiffSummerTimeOnFlag},
    {"TimeZoneDiffHour%02d", &WorldZoneSettings::TimeZoneDiffHour},
    {"TimeZoneDiffMinute%02d", &WorldZoneSettings::TimeZoneDiffMinute},
    {"TimeZoneDiffColor%02d", &WorldZoneSettings::TimeZoneDiffColor},
}};

std::string ZoneKey(const char* format, int zone) {
    char key[48];
    std::snprintf(key, sizeof key, format, zone);
    return key;
}

// Only 1 switches on; any other value from a damaged file means off.
int Switch(const SettingsStore& store, std::string_view key) {
    const int value = store.GetInt(kTimeZoneDiffSection, key, 0);
    return value == 1 ? 1 : 0;
}

} // namespace

WorldZoneSettings LoadWorldZoneSettings(const SettingsStore& store) {
    const WorldZoneSettings defaults;
    WorldZoneSettings settings;
    for (std::size_t index = 0; index < 2; ++index) {
        const int zone = static_cast<int>(index) + 1;
        for (const ZoneField& f : kZoneFields) {
            (settings.*f.field)[index] =
                GetClampedInt(store, kTimeZoneDiffSection, ZoneKey(f.keyFormat, zone),
                              (defaults.*f.field)[index]);
        }
    }
    return settings;
}

void SaveWorldZoneSettings(SettingsStore& store, const WorldZoneSettings& settings) {
    for (std::size_t index = 0; index < 2; ++index) {
        const int zone = static_cast<int>(index) + 1;
        for (const ZoneField& f : kZoneFields) {
            store.PutInt(kTimeZoneDiffSection, ZoneKey(f.keyFormat, zone),
                         (settings.*f.field)[index]);
        }
    }
}

PictureSettings LoadPictureSettings(const SettingsStore& store) {
    PictureSettings settings;
    settings.BkGndPicFile =
        store.GetTrimmedText(kTimeZoneDiffSection, "BkGndPicFile", "", kPathBufferSize);
    settings.PicRotStdTimeZone = Switch(store, "PicRotStdTimeZone");
    settings.PicRotEnable = Switch(store, "PicRotEnable");
    return settings;
}

void SavePictureSettings(SettingsStore& store, const PictureSettings& settings) {
    store.PutText(kTimeZoneDiffSection, "BkGndPicFile", settings.BkGndPicFile);
    store.PutInt(kTimeZoneDiffSection, "PicRotStdTimeZone", settings.PicRotStdTimeZone);
    store.PutInt(kTimeZoneDiffSection, "PicRotEnable", settings.PicRotEnable);
}

} // namespace zentrava
