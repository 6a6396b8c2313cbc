#include "sound/audio_player_win.h"

namespace zentrava {
namespace {

AudioSettings& Live() {
    static AudioSettings live;
    return live;
}

} // namespace

AudioSettings LiveAudioSettings() {
    return Live();
}

void ApplyAudioSettings(const AudioSettings& settings) {
    Live() = settings;
}

} // namespace zentrava
