#pragma once
// The volume dialog's decisions over the one record of the volumes, which the sound channels
// own: what a slider, a mute or the other-sound switch changes there and which channels are told
// at once. The glue (volume_dialog_win.cpp) shows the result.

#include "sound/sound_channels.h"

#include <array>

namespace zentrava {

// The three sliders with their labels, in the order of their label strings.
enum class VolumeSlider : int { Audio = 0, Alarm = 1, TimeSignal = 2 };
inline constexpr int kVolumeSliderCount = 3;

// Sliders run 0..100 and show volume / 10.
int SliderPositionOf(const VolumeSettings& volumes, VolumeSlider slider);

// The user moved a slider to a position: with sync on all three volumes follow, otherwise the
// moved one alone. Each changed volume goes to its channels (the alarm's also to the sound
// test). The answer says which sliders' volumes changed.
std::array<bool, kVolumeSliderCount> MoveVolumeSlider(SoundChannels& channels, VolumeSlider moved,
                                                      int position);
// A mute check box; the channels (the alarm's with the sound test) get their volume at once.
void SetVolumeMute(SoundChannels& channels, VolumeSlider slider, bool mute);
// The other-sound switch; the music follows it at once, also while an alarm already sounds.
void SetOtherSoundRule(SoundChannels& channels, bool on);
// The audio controls are disabled while the switch is on and an alarm or time signal sounds.
bool AudioControlsEnabled(const SoundChannels& channels);

} // namespace zentrava
