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

// The one rule for the audio channel's volume, used when a song starts, when an alarm or time
// signal starts or ends, and by the volume dialog: muted music is silent; otherwise it goes
// down to a fifth only with OtherSoundMuteAudio on while an alarm or time signal sounds.
int AudioVolume(const VolumeSettings& volumes, bool alarmOrTimeSignalSounding);
// The other channels: their volume, or 0 when muted.
inline int PlainVolume(int volume, int mute) {
    return mute != 0 ? 0 : volume;
}

VolumeSettings LoadVolumeSettings(const SettingsStore& store);
void SaveVolumeSettings(SettingsStore& store, const VolumeSettings& settings);

} // namespace zentrava
