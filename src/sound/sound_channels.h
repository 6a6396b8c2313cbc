#pragma once
// The four MCI sound channels: opening and playing a file, stopping, pausing, seeking, volumes,
// turning the music down while an alarm or time signal sounds, the end-of-play notifications and
// the MCI error box. Portable: the glue supplies the MCI device (MciPort) and the rest of the
// program (SoundHost) and routes the commands and messages to the operations below.
//
// How the main window uses them:
//   WM_CREATE          LoadVolumes with the volume settings.
//   40029 / 40030      OnStartAlarmSound / OnStopAlarm      (the result of a start is returned
//   40050 / 40051      OnStartTSSound / OnStopTSSound        from the command)
//   40035 / 40036      SoundTestToggle / OnAlarmSoundTestPause
//   40044 / 40045      StopAudio / PauseAudio
//   40063              OnSeekAudio with lParam
//   WM_APP             SetVolumeRequest(wParam, lParam)
//   MM_MCINOTIFY       OnMciNotify(the window it arrived at, wParam, lParam), at a channel's
//                      notification window (NotifyWindows) or at the main window
//   WM_DESTROY         StopEverySound
//
// Threads. Everything runs on the main window's thread, except that the tick and the audio
// position timer read the sounding flags from their own threads; those flags are atomics. The
// file names belong to the window thread: a feature on another thread hands its path over with
// the command and the glue copies it into the channel there.

#include "sound/mci_port.h"
#include "sound/volume_settings.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zentrava {

// The numbers are the wParam of the set-volume request.
enum class SoundChannel : int { Alarm = 0, SoundTest = 1, Audio = 2, TimeSignal = 3 };
inline constexpr int kSoundChannelCount = 4;

// The fixed MCI alias of a channel.
const char* ChannelAlias(SoundChannel channel);

// A channel's file name is a 260-character path buffer for the rest of the program; a longer
// name cannot have come from it, so a start refuses it like a file MCI cannot find.
inline constexpr std::size_t kSoundFileNameMaxLength = 259;
inline constexpr MciError kMciErrFileNotFound = 275; // MCIERR_FILE_NOT_FOUND

// "MPEGVideo" for the playable extensions (".wav", ".wma", ".mp3", ".mid", ".midi", ".rmi", in
// any case), null for anything else: MCI then picks no device and refuses the open.
const char* DeviceTypeFor(std::string_view fileName);

// "Zentrava MCI Commandエラーメッセージ": the caption of the MCI error box.
inline constexpr const char* kMciErrorCaption =
    "Zentrava MCI Command\x83\x47\x83\x89\x81\x5B\x83\x81\x83\x62\x83\x5A\x81\x5B\x83\x57";
// The caption of the boxes for a superseded or failed notification.
inline constexpr const char* kSoundNotifyCaption = "Zentrava";

// Where in the program an MCI error box was raised: a fixed text and number for each command
// of each operation, so that a user's report of the box says which step failed.
struct MciErrorPlace {
    const char* text;
    int number;
};
// A start's two places: its open, volume or play, and the close-all after it.
struct MciStartPlaces {
    MciErrorPlace start;
    MciErrorPlace closeAll;
};

// The MCI error box's text for an error raised at a numbered place in the program. A channel
// whose open block was zeroed has no alias; it shows as "(null)".
std::string MciErrorBoxText(MciError error, std::string_view errorText, const char* alias,
                            std::string_view place, int placeNumber);

// The rest of the program as the channels need it; the glue implements each call.
class SoundHost {
public:
    virtual ~SoundHost() = default;
    // A modal MessageBoxA with an OK button only.
    virtual void ShowMessage(WindowRef owner, const std::string& text, const char* caption) = 0;
    // WM_COMMAND 40064 to the seek dialog when it is open: a new song's length is known.
    virtual void NotifySeekDialog() = 0;
    // The audio player's next song, after a finished one was closed and the playlist-run flag
    // set. It may start the audio channel again (OnMCIPlaySoundCmd) before it returns.
    virtual void PlayNextSong(WindowRef window) = 0;
    // On the sound-test owner dialog, when there is one: 1164 reads "再生テスト(&P)", 1008
    // enabled, 1179 disabled, focus to 1164.
    virtual void ResetSoundTestButtons() = 0;
    // The volume dialog's audio controls 1887, 1880 and 2063, when the dialog is open.
    virtual void EnableVolumeDialogAudioControls(bool enable) = 0;
    // timeKillEvent on the audio position timer, timeEndPeriod(1000), timer id = 0.
    virtual void KillAudioPositionTimer() = 0;
    // The time signal's last custom entry becomes -1: the time-signal channel closed, by its
    // end, its stop or any start's close-all, and that entry may sound again.
    virtual void ClearLastCustomTimeSignal() = 0;
    // The audio player's current song index becomes 0.
    virtual void ResetAudioSongIndex() = 0;
};

// The windows MCI posts a channel's end of play to. Each opened device gets a window of its own,
// so that the window a notification arrives at names its channel: Wine's MPEGVideo device
// leaves the device id out of the notification (Windows names it), and MCI gives a closed
// device's id to the next device it opens. The window goes when its device closes, and a
// notification posted for that device then reaches nobody.
class NotifyWindows {
public:
    virtual ~NotifyWindows() = default;
    // A new window for the channel's device just opened, in place of any it had; 0 when none
    // could be made (its plays then notify the owner window).
    virtual WindowRef Renew(SoundChannel channel) = 0;
    // The channel's device is closed: its window goes.
    virtual void Release(SoundChannel channel) = 0;
};

struct ChannelRecord {
    // Of the MCI open block, what the other operations read: the device id (0 while nothing is
    // open) and the alias pointer (null once the block was zeroed; it then claims no
    // notification).
    MciDeviceId deviceId = 0;
    const char* alias = nullptr;
    // The window that started the open device, owner of its error boxes, and the device's own
    // notification window (0: notifications go to the owner).
    WindowRef owner = 0;
    WindowRef notifyWindow = 0;
    std::atomic<int> sounding{0}; // 1 from a successful start until stopped or ended
    // Audio and sound-test channels; the menu refresher reads it from its own thread.
    std::atomic<int> paused{0};
    // Alarm, time-signal and audio: the path the owning feature put there before the start.
    // Sound test: a copy of the test sound file made by its start.
    std::string fileName;
};

// The audio channel's run state, shared with the audio player and the seek dialog; written on
// the window thread, read by the menu refresher from its own.
struct AudioRunState {
    std::atomic<int> pausePending{0}; // pause was asked for while no song was open
    std::atomic<int> playlistRun{0};  // a run is between two songs
    std::atomic<int> stopRequest{0};  // stop was asked for while no song was open
    std::atomic<int> songLength{0};   // seconds; -1 when the query failed
};

class SoundChannels {
public:
    // Without notification windows every play notifies the window that started it.
    SoundChannels(MciPort& mci, SoundHost& host, NotifyWindows* windows = nullptr)
        : mci_(mci), host_(&host), windows_(windows) {}
    SoundChannels(const SoundChannels&) = delete;
    SoundChannels& operator=(const SoundChannels&) = delete;

    // The program's host is installed by whoever wires the features together, before the
    // first sound.
    void SetHost(SoundHost& host) { host_ = &host; }

    ChannelRecord& Channel(SoundChannel channel) { return channels_[Index(channel)]; }
    const ChannelRecord& Channel(SoundChannel channel) const { return channels_[Index(channel)]; }
    AudioRunState& Audio() { return audio_; }
    const AudioRunState& Audio() const { return audio_; }
    int OtherSoundMuteAudio() const { return volumes_.OtherSoundMuteAudio; }
    // The one record of the volumes: the channels play at them, the volume dialog changes
    // them here, and the main window saves them from here.
    const VolumeSettings& Volumes() const { return volumes_; }
    bool IsSounding(SoundChannel channel) const { return Channel(channel).sounding.load() == 1; }

    // Volumes and mutes; the sound test takes the alarm's volume and always starts unmuted.
    void LoadVolumes(const VolumeSettings& volumes) {
        volumes_ = volumes;
        soundTestMute_ = false;
    }
    // The volume dialog's changes. The alarm and the sound test share one volume; muting the
    // alarm mutes the sound test too until the next load. Nothing is sent to a device here.
    void SetVolume(SoundChannel channel, int volume);
    void SetMute(SoundChannel channel, bool mute);
    void SetVolumeSync(bool on) { volumes_.VariousSoundAdjSync = on ? 1 : 0; }
    void SetOtherSoundMuteAudio(bool on) { volumes_.OtherSoundMuteAudio = on ? 1 : 0; }
    // What a channel plays at now: 0 when muted; the audio channel by AudioVolume.
    std::uint32_t ChannelVolume(SoundChannel channel) const;
    bool AlarmOrTimeSignalSounding() const;

    // Starts return 1 when the channel plays (the audio channel: or sits paused because a pause
    // was pending), 0 when it failed; a failed start has closed every channel. The window
    // receives the end-of-play notification and owns any error box.
    int OnStartAlarmSound(WindowRef window);
    int OnStartTSSound(WindowRef window);
    // A new test starts unpaused, whatever became of the last one's pause.
    int OnStartAlarmSoundTest(WindowRef window, std::string_view testSoundFile);
    int OnMCIPlaySoundCmd(WindowRef window); // the audio channel's file name

    // A stop closes its channel also when the device stands stopped at the end of its file,
    // whether or not that end's notification came; only a device in another mode (seeking,
    // not ready) is left open. The sound test's stop also forgets a pause.
    void OnStopAlarm(WindowRef window);
    void OnStopTSSound(WindowRef window);
    int OnStopAlarmSoundTest(WindowRef window);
    // Command 40035: stops a sounding test, else starts one.
    int SoundTestToggle(WindowRef window, std::string_view testSoundFile);
    void OnAlarmSoundTestPause(WindowRef window);

    void StopAudio(WindowRef window);  // IDM_STOP_AUDIO
    void PauseAudio(WindowRef window); // IDM_PAUSE_AUDIO
    // When the device refuses the seek, the song plays from the position (paused again if it
    // was paused).
    void OnSeekAudio(WindowRef window, int seconds);
    int GetAudioLength(WindowRef window); // whole seconds, -1 on an MCI failure
    // Whole seconds; 0 while the audio channel is not sounding, -1 on an MCI failure, whose
    // box shows once per song. The window is the seek dialog when it asks.
    int GetAudioCurPos(WindowRef window);

    // WM_APP: the MCI result, 0 for an unknown channel number or a channel with nothing open.
    MciError SetVolumeRequest(int channelNumber, std::uint32_t volume);

    // MM_MCINOTIFY (OnMM_MCINotify) as it arrived at a window: code is wParam, deviceId
    // lParam. It belongs to the channel whose play asked for it at that window; without a
    // device id, only when that leaves one channel.
    void OnMciNotify(WindowRef at, std::uint32_t code, MciDeviceId deviceId);

    // At the main window's end: every channel that still sounds is stopped.
    void StopEverySound(WindowRef window);

private:
    static std::size_t Index(SoundChannel channel) { return static_cast<std::size_t>(channel); }

    int Start(WindowRef window, SoundChannel channel, const MciStartPlaces& places);
    void CloseAllAfterFailedStart(WindowRef window, SoundChannel channel, MciError error,
                                  const MciStartPlaces& places);
    int Volume(SoundChannel channel) const;
    bool Muted(SoundChannel channel) const;
    void ApplyOtherSoundRule(bool started);

    // Each failing command shows one box and the caller goes on.
    void Check(WindowRef owner, MciError error, SoundChannel channel, const MciErrorPlace& place);
    std::uint64_t QueryMode(WindowRef owner, SoundChannel channel, bool wait,
                            const MciErrorPlace& place);
    void Play(WindowRef window, SoundChannel channel, const MciErrorPlace& place);
    void StopAndClose(WindowRef owner, SoundChannel channel, const MciErrorPlace& stop,
                      const MciErrorPlace& close);
    int AudioSeconds(WindowRef owner, MciStatusItem item, const MciErrorPlace& place,
                     bool& errorShown);
    void Opened(WindowRef window, SoundChannel channel);
    void Closed(SoundChannel channel);
    bool Listens(SoundChannel channel, WindowRef at) const;
    std::optional<SoundChannel> NotifiedChannel(WindowRef at, MciDeviceId deviceId) const;
    std::uint64_t NotifiedMode(WindowRef window, SoundChannel channel, bool wait,
                               const MciErrorPlace& place, bool nameless);

    void OnMM_MCINotifyAudio(WindowRef window, bool nameless);
    void OnMM_MCINotifyAlarm(WindowRef window, bool nameless);
    void OnMM_MCINotifyTimeSignal(WindowRef window, bool nameless);
    void OnMM_MCINotifySoundTest(WindowRef window, bool nameless);

    MciPort& mci_;
    SoundHost* host_;
    NotifyWindows* windows_;
    std::array<ChannelRecord, kSoundChannelCount> channels_;
    AudioRunState audio_;
    VolumeSettings volumes_;
    bool soundTestMute_ = false;
    bool positionErrorShown_ = false; // for the song open now
};

} // namespace zentrava
