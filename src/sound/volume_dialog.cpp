#include "sound/volume_dialog.h"

#include <algorithm>

namespace zentrava {
namespace {

constexpr int kSliderMaximum = 100;

int VolumeOf(const VolumeSettings& volumes, VolumeSlider slider) {
    switch (slider) {
    case VolumeSlider::Audio:
        return volumes.AudioVolumeVal;
    case VolumeSlider::Alarm:
        return volumes.AlarmVolumeVal;
    case VolumeSlider::TimeSignal:
        return volumes.TimeSignalVolumeVal;
    }
    return 0;
}

SoundChannel ChannelOf(VolumeSlider slider) {
    switch (slider) {
    case VolumeSlider::Audio:
        return SoundChannel::Audio;
    case VolumeSlider::Alarm:
        return SoundChannel::Alarm;
    case VolumeSlider::TimeSignal:
        return SoundChannel::TimeSignal;
    }
    return SoundChannel::Audio;
}

void Send(SoundChannels& channels, SoundChannel channel) {
    // A channel with nothing open ignores it; the result is not reported.
    channels.SetVolumeRequest(static_cast<int>(channel), channels.ChannelVolume(channel));
}

void SendSlider(SoundChannels& channels, VolumeSlider slider) {
    Send(channels, ChannelOf(slider));
    if (slider == VolumeSlider::Alarm) {
        Send(channels, SoundChannel::SoundTest);
    }
}

} // namespace

int SliderPositionOf(const VolumeSettings& volumes, VolumeSlider slider) {
    return VolumeOf(volumes, slider) / 10;
}

std::array<bool, kVolumeSliderCount> MoveVolumeSlider(SoundChannels& channels, VolumeSlider moved,
                                                      int position) {
    const int volume = std::clamp(position, 0, kSliderMaximum) * 10;
    const bool all = channels.Volumes().VariousSoundAdjSync == 1;
    std::array<bool, kVolumeSliderCount> changed{};
    for (int i = 0; i < kVolumeSliderCount; ++i) {
        const auto slider = static_cast<VolumeSlider>(i);
        if (!all && slider != moved) {
            continue;
        }
        channels.SetVolume(ChannelOf(slider), volume);
        SendSlider(channels, slider);
        changed[static_cast<std::size_t>(i)] = true;
    }
    return changed;
}

void SetVolumeMute(SoundChannels& channels, VolumeSlider slider, bool mute) {
    channels.SetMute(ChannelOf(slider), mute);
    SendSlider(channels, slider);
}

void SetOtherSoundRule(SoundChannels& channels, bool on) {
    channels.SetOtherSoundMuteAudio(on);
    Send(channels, SoundChannel::Audio);
}

bool AudioControlsEnabled(const SoundChannels& channels) {
    return !(channels.Volumes().OtherSoundMuteAudio == 1 && channels.AlarmOrTimeSignalSounding());
}

} // namespace zentrava
