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

} // namespace

VolumeSettings LoadVolumeSettings(const SettingsStore& store) {
    VolumeSettings settings;
    ReadInts<VolumeSettings>(store, kSoundVolumeSettingSection, kVolumeKeys, settings);
    return settings;
}

void SaveVolumeSettings(SettingsStore& store, const VolumeSettings& settings) {
    WriteInts<VolumeSettings>(store, kSoundVolumeSettingSection, kVolumeKeys, settings);
}

} // namespace zentrava
