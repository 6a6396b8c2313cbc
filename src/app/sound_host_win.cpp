#include "app/sound_host_win.h"

#include "alarms/time_signal_win.h"
#include "sound/sound_win.h"

namespace zentrava {

namespace {

// Each call goes to the feature that owns it. The audio player, the seek and volume dialogs and
// the alarm page's sound-test buttons are still to be built: their calls stay empty until then.
class WindowSoundHost final : public SoundHost {
public:
    void ShowMessage(WindowRef owner, const std::string& text, const char* caption) override {
        ShowSoundMessage(owner, text, caption);
    }
    // Audio player and seek dialog.
    void NotifySeekDialog() override {}
    void PlayNextSong(WindowRef) override {}
    void KillAudioPositionTimer() override {}
    void ResetAudioSongIndex() override {}
    // Volume dialog.
    void EnableVolumeDialogAudioControls(bool) override {}
    // Alarm page.
    void ResetSoundTestButtons() override {}
    // Time signal.
    void ClearLastCustomTimeSignal() override { TheTimeSignal().ClearLastCustomEntry(); }
};

} // namespace

void InstallSoundHost() {
    static WindowSoundHost host;
    SetSoundHost(host);
}

} // namespace zentrava
