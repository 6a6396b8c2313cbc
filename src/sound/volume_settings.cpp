#include "sound/volume_settings.h"

#include "base/settings_keys.h"

#include <array>

namespace zentrava {
namespace {

constexpr std::array<IntKey<VolumeSettings>, 8> kVolumeKeys{{
    {"AudioVolumeVal", &VolumeSettings::AudioVolumeVal},
    {"AlarmVolumeVal", &VolumeSettings::AlarmVolumeVal},
    {"TimeSignalVolumeVal", &VolumeSettings::TimeSignalVolumeVal},
    {"MuteAudio", &VolumeSettings::MuteAudio},
    {"MuteAlarm", &VolumeSettings::MuteAlarm},
    {"MuteTimeSignal", &VolumeSettings::MuteTimeSignal},
    {"VariousSoundAdjSync", &VolumeSettings::VariousSoundAdjSync},
    {"OtherSoundMuteAudio", &VolumeSettings::OtherSoundMuteAudio},
}};

// A hair under 0.2, truncated: 500 gives 99 and 1000 gives 199. Users' volume settings were
// made against exactly these levels.
constexpr double kLoweredAudioShare = 0.19999999999999996;

} // namespace

int AudioVolume(const VolumeSettings& volumes, bool alarmOrTimeSignalSounding) {
    if (volumes.MuteAudio != 0) {
        return 0;
    }
    if (volumes.OtherSoundMuteAudio == 1 && alarmOrTimeSignalSounding) {
        return static_cast<int>(volumes.AudioVolumeVal * kLoweredAudioShare);
    }
    return volumes.AudioVolumeVal;
}

VolumeSettings LoadVolumeSettings(const SettingsStore& store) {
    VolumeSettings settings;
    ReadInts<VolumeSettings>(store, kSoundVolumeSettingSection, kVolumeKeys, settings);
    return settings;
}

void SaveVolumeSettings(SettingsStore& store, const VolumeSettings& settings) {
    WriteInts<VolumeSettings>(store, kSoundVolumeSettingSection, kVolumeKeys, settings);
}

} // namespace zentrava
