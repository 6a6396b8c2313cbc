#pragma once
// The two world-clock zones' settings, kept in section TimeZone_Diff_Setting.

#include "base/settings_store.h"
#include "clock/clock_time.h"

namespace zentrava {

WorldZoneSettings LoadWorldZoneSettings(const SettingsStore& store);
void SaveWorldZoneSettings(SettingsStore& store, const WorldZoneSettings& settings);

} // namespace zentrava
