#pragma once
// The audio player on the main window: the live audio settings, the runs of 40042, the next
// song after each finished one, and the position timer that keeps the seek dialog current.

#include "sound/audio_settings.h"

namespace zentrava {

// Window thread. A copy of the live record: the audio page opens on it.
AudioSettings LiveAudioSettings();
// Window thread. The audio page's apply: the record becomes live and a run in progress goes on
// with it. The page has saved what changed.
void ApplyAudioSettings(const AudioSettings& settings);

} // namespace zentrava
