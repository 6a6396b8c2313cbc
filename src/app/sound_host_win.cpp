#include "app/sound_host_win.h"

#include "alarms/alarm_page_win.h"
#include "alarms/time_signal_win.h"
#include "app/sheets_win.h"
#include "sound/audio_player_win.h"
#include "sound/seek_dialog_win.h"
#include "sound/sound_win.h"
#include "sound/volume_dialog_win.h"

namespace zentrava {

namespace {

// Each call goes to the feature that owns it.
class WindowSoundHost final : public SoundHost {
public:
    void ShowMessage(WindowRef owner, const std::string& text, const char* caption) override {
        ShowSoundMessage(owner, text, caption);
    }
    // Audio player and seek dialog.
    void NotifySeekDialog() override { NotifySeekDialogNewSong(); }
    void PlayNextSong(WindowRef window) override {
        zentrava::PlayNextSong(reinterpret_cast<HWND>(window));
    }
    void KillAudioPositionTimer() override { zentrava::KillAudioPositionTimer(); }
    void ResetAudioSongIndex() override { zentrava::ResetAudioSongIndex(); }
    // Volume dialog.
    void EnableVolumeDialogAudioControls(bool enable) override {
        zentrava::EnableVolumeDialogAudioControls(enable);
    }
    // Alarm page.
    // Posted: the channel reports from inside its own handling of the device's notification.
    void ResetSoundTestButtons() override {
        if (HWND page = SoundTestPage()) {
            PostMessageA(page, kAlarmPageSoundTestEnded, 0, 0);
        }
    }
    // Time signal.
    void ClearLastCustomTimeSignal() override { TheTimeSignal().ClearLastCustomEntry(); }
};

} // namespace

void InstallSoundHost() {
    static WindowSoundHost host;
    SetSoundHost(host);
}

} // namespace zentrava
