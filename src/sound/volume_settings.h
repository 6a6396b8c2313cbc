#pragma once
// The sound volumes and mutes (section Sound_Volume_Setting). The sound channels own the one
// record the program has: they play at these volumes, the volume dialog changes them there,
// and the main window saves them from there at exit.

#include "base/settings_store.h"

namespace zentrava {

struct VolumeSettings {
    int AudioVolumeVal = 500;
    int AlarmVolumeVal = 500;
    int TimeSignalVolumeVal = 500;
    int MuteAudio = 0;
    int MuteAlarm = 0;
    int MuteTimeSignal = 0;
    int VariousSoundAdjSync = 1;
    int OtherSoundMuteAudio = 0;

    friend bool operator==(const VolumeSettings&, const VolumeSettings&) = default;
};

VolumeSettings LoadVolumeSettings(const SettingsStore& store);
void SaveVolumeSettings(SettingsStore& store, const VolumeSettings& settings);

} // namespace zentrava
