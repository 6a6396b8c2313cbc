#include "sound/sound_channels.h"

#include "base/format_text.h"
#include "base/cp932_text.h"
#include "base/settings_path.h"

#include <cstdio>
#include <initializer_list>
#include <limits>

namespace zentrava {
namespace {

constexpr std::array<const char*, kSoundChannelCount> kAliases{
    "Zentrava_User_Mode_AlarmSound", "Zentrava_User_Mode_AlarmTestSound",
    "Zentrava_User_Mode_AudioSound", "Zentrava_User_Mode_TimeSignalSound"};

constexpr std::array<std::string_view, 6> kPlayableExtensions{".wav", ".wma",  ".mp3",
                                                              ".mid", ".midi", ".rmi"};
constexpr const char* kMpegVideo = "MPEGVideo";

// The text of the MCI error box, one line of it per line here.
constexpr char kErrorBoxFormat[] =
    "MMSYSTEM Err No.%d\n"
    // エラーメッセージは「%s」です。
    "\x83\x47\x83\x89\x81\x5B\x83\x81\x83\x62\x83\x5A\x81\x5B\x83\x57\x82\xCD"
    "\x81\x75%s\x81\x76\x82\xC5\x82\xB7\x81\x42\n"
    // MCI構造体のAliasは、「%s」です。
    "MCI\x8D\x5C\x91\xA2\x91\xCC\x82\xCC"
    "Alias\x82\xCD\x81\x41"
    "\x81\x75%s\x81\x76\x82\xC5\x82\xB7\x81\x42\n"
    // エラー表示場所は「%s」です。
    "\x83\x47\x83\x89\x81\x5B\x95\x5C\x8E\xA6\x8F\xEA\x8F\x8A\x82\xCD"
    "\x81\x75%s\x81\x76\x82\xC5\x82\xB7\x81\x42\n"
    // エラー表示行は、%d行目です。
    "\x83\x47\x83\x89\x81\x5B\x95\x5C\x8E\xA6\x8D\x73\x82\xCD\x81\x41"
    "%d\x8D\x73\x96\xDA\x82\xC5\x82\xB7\x81\x42";

// OnMCIPlaySoundCmd関数内(Audio再生), MCI_OPEN or MCI_PLAY
constexpr MciErrorPlace kPlayAudioStart{
    "OnMCIPlaySoundCmd\x8A\xD6\x90\x94\x93\xE0(Audio\x8D\xC4\x90\xB6), MCI_OPEN or MCI_PLAY", 997};
// OnMCIPlaySoundCmd関数内(Audio再生), MCI_CLOSE
constexpr MciErrorPlace kPlayAudioCloseAll{
    "OnMCIPlaySoundCmd\x8A\xD6\x90\x94\x93\xE0(Audio\x8D\xC4\x90\xB6), MCI_CLOSE", 1003};
// OnCommand関数内IDM_STOP_AUDIOコマンド, MCI_STATUS
constexpr MciErrorPlace kStopAudioStatus{
    "OnCommand\x8A\xD6\x90\x94\x93\xE0IDM_STOP_AUDIO\x83\x52\x83\x7D\x83\x93\x83\x68, MCI_STATUS",
    1030};
// OnCommand関数内IDM_STOP_AUDIOコマンド, MCI_STOP
constexpr MciErrorPlace kStopAudioStop{
    "OnCommand\x8A\xD6\x90\x94\x93\xE0IDM_STOP_AUDIO\x83\x52\x83\x7D\x83\x93\x83\x68, MCI_STOP",
    1042};
// OnCommand関数内IDM_STOP_AUDIOコマンド, MCI_CLOSE
constexpr MciErrorPlace kStopAudioClose{
    "OnCommand\x8A\xD6\x90\x94\x93\xE0IDM_STOP_AUDIO\x83\x52\x83\x7D\x83\x93\x83\x68, MCI_CLOSE",
    1048};
// OnCommand関数内IDM_PAUSE_AUDIOコマンド, MCI_STATUS
constexpr MciErrorPlace kPauseAudioStatus{
    "OnCommand\x8A\xD6\x90\x94\x93\xE0IDM_PAUSE_AUDIO\x83\x52\x83\x7D\x83\x93\x83\x68, MCI_STATUS",
    1086};
// OnCommand関数内IDM_PAUSE_AUDIOコマンド, MCI_RESUME
constexpr MciErrorPlace kPauseAudioResume{
    "OnCommand\x8A\xD6\x90\x94\x93\xE0IDM_PAUSE_AUDIO\x83\x52\x83\x7D\x83\x93\x83\x68, MCI_RESUME",
    1096};
// OnCommand関数内IDM_PAUSE_AUDIOコマンド, MCI_PLAY
constexpr MciErrorPlace kPauseAudioPlay{
    "OnCommand\x8A\xD6\x90\x94\x93\xE0IDM_PAUSE_AUDIO\x83\x52\x83\x7D\x83\x93\x83\x68, MCI_PLAY",
    1110};
// OnCommand関数内IDM_PAUSE_AUDIOコマンド, MCI_PAUSE
constexpr MciErrorPlace kPauseAudioPause{
    "OnCommand\x8A\xD6\x90\x94\x93\xE0IDM_PAUSE_AUDIO\x83\x52\x83\x7D\x83\x93\x83\x68, MCI_PAUSE",
    1122};
// OnMM_MCINotifyAudio関数内, MCI_STATUS
constexpr MciErrorPlace kNotifyAudioStatus{
    "OnMM_MCINotifyAudio\x8A\xD6\x90\x94\x93\xE0, MCI_STATUS", 1157};
// OnMM_MCINotify関数内, MCI_PLAY
constexpr MciErrorPlace kNotifyAudioPlaySounding{"OnMM_MCINotify\x8A\xD6\x90\x94\x93\xE0, MCI_PLAY",
                                                 1177};
// OnMM_MCINotify関数内, MCI_PLAY
constexpr MciErrorPlace kNotifyAudioPlayIdle{"OnMM_MCINotify\x8A\xD6\x90\x94\x93\xE0, MCI_PLAY",
                                             1196};
// OnMM_MCINotifyAudio関数内, MCI_STOP
constexpr MciErrorPlace kNotifyAudioStop{"OnMM_MCINotifyAudio\x8A\xD6\x90\x94\x93\xE0, MCI_STOP",
                                         1211};
// OnMM_MCINotifyAudio関数内, MCI_CLOSE
constexpr MciErrorPlace kNotifyAudioClose{"OnMM_MCINotifyAudio\x8A\xD6\x90\x94\x93\xE0, MCI_CLOSE",
                                          1217};
// OnMM_MCINotifyAlarm関数内, MCI_STATUS
constexpr MciErrorPlace kNotifyAlarmStatus{
    "OnMM_MCINotifyAlarm\x8A\xD6\x90\x94\x93\xE0, MCI_STATUS", 1253};
// OnMM_MCINotifyAlarm関数内, MCI_PLAY
constexpr MciErrorPlace kNotifyAlarmPlay{"OnMM_MCINotifyAlarm\x8A\xD6\x90\x94\x93\xE0, MCI_PLAY",
                                         1267};
// OnMM_MCINotifyAlarm関数内, MCI_STOP
constexpr MciErrorPlace kNotifyAlarmStop{"OnMM_MCINotifyAlarm\x8A\xD6\x90\x94\x93\xE0, MCI_STOP",
                                         1283};
// OnMM_MCINotifyAlarm関数内, MCI_CLOSE
constexpr MciErrorPlace kNotifyAlarmClose{"OnMM_MCINotifyAlarm\x8A\xD6\x90\x94\x93\xE0, MCI_CLOSE",
                                          1289};
// OnMM_MCINotifyTimeSignal関数内, MCI_STATUS
constexpr MciErrorPlace kNotifyTimeSignalStatus{
    "OnMM_MCINotifyTimeSignal\x8A\xD6\x90\x94\x93\xE0, MCI_STATUS", 1329};
// OnMM_MCINotifyTimeSignal関数内, MCI_PLAY
constexpr MciErrorPlace kNotifyTimeSignalPlay{
    "OnMM_MCINotifyTimeSignal\x8A\xD6\x90\x94\x93\xE0, MCI_PLAY", 1343};
// OnMM_MCINotifyTimeSignal関数内, MCI_STOP
constexpr MciErrorPlace kNotifyTimeSignalStop{
    "OnMM_MCINotifyTimeSignal\x8A\xD6\x90\x94\x93\xE0, MCI_STOP", 1359};
// OnMM_MCINotifyTimeSignal関数内, MCI_CLOSE
constexpr MciErrorPlace kNotifyTimeSignalClose{
    "OnMM_MCINotifyTimeSignal\x8A\xD6\x90\x94\x93\xE0, MCI_CLOSE", 1365};
// OnMM_MCINotifySoundTest関数内, MCI_STATUS
constexpr MciErrorPlace kNotifySoundTestStatus{
    "OnMM_MCINotifySoundTest\x8A\xD6\x90\x94\x93\xE0, MCI_STATUS", 1403};
// OnMM_MCINotifySoundTest関数内, MCI_PLAY
constexpr MciErrorPlace kNotifySoundTestPlay{
    "OnMM_MCINotifySoundTest\x8A\xD6\x90\x94\x93\xE0, MCI_PLAY", 1417};
// OnMM_MCINotifySoundTest関数内, MCI_STOP
constexpr MciErrorPlace kNotifySoundTestStop{
    "OnMM_MCINotifySoundTest\x8A\xD6\x90\x94\x93\xE0, MCI_STOP", 1430};
// OnMM_MCINotifySoundTest関数内,MCI_CLOSE
constexpr MciErrorPlace kNotifySoundTestClose{
    "OnMM_MCINotifySoundTest\x8A\xD6\x90\x94\x93\xE0,MCI_CLOSE", 1436};
// OnSeekAudio関数内, MCI_STOP
constexpr MciErrorPlace kSeekStop{"OnSeekAudio\x8A\xD6\x90\x94\x93\xE0, MCI_STOP", 1906};
// OnSeekAudio関数内, MCI_SEEK
constexpr MciErrorPlace kSeekSeek{"OnSeekAudio\x8A\xD6\x90\x94\x93\xE0, MCI_SEEK", 1917};
// OnSeekAudio関数内, MCI_PLAY
constexpr MciErrorPlace kSeekPlay{"OnSeekAudio\x8A\xD6\x90\x94\x93\xE0, MCI_PLAY", 1929};
// OnStopAlarm関数内, MCI_STATUS
constexpr MciErrorPlace kStopAlarmStatus{"OnStopAlarm\x8A\xD6\x90\x94\x93\xE0, MCI_STATUS", 1950};
// OnStopAlarm関数内, MCI_STOP
constexpr MciErrorPlace kStopAlarmStop{"OnStopAlarm\x8A\xD6\x90\x94\x93\xE0, MCI_STOP", 1960};
// OnStopAlarm関数内, MCI_CLOSE
constexpr MciErrorPlace kStopAlarmClose{"OnStopAlarm\x8A\xD6\x90\x94\x93\xE0, MCI_CLOSE", 1966};
// OnStopTSSound関数内, MCI_STATUS
constexpr MciErrorPlace kStopTimeSignalStatus{"OnStopTSSound\x8A\xD6\x90\x94\x93\xE0, MCI_STATUS",
                                              1997};
// OnStopTSSound関数内, MCI_STOP
constexpr MciErrorPlace kStopTimeSignalStop{"OnStopTSSound\x8A\xD6\x90\x94\x93\xE0, MCI_STOP",
                                            2007};
// OnStopTSSound関数内, MCI_CLOSE
constexpr MciErrorPlace kStopTimeSignalClose{"OnStopTSSound\x8A\xD6\x90\x94\x93\xE0, MCI_CLOSE",
                                             2013};
// OnAlarmSoundTestPause関数内, MCI_STATUS
constexpr MciErrorPlace kSoundTestPauseStatus{
    "OnAlarmSoundTestPause\x8A\xD6\x90\x94\x93\xE0, MCI_STATUS", 2039};
// OnAlarmSoundTestPause関数内, MCI_RESUME
constexpr MciErrorPlace kSoundTestPauseResume{
    "OnAlarmSoundTestPause\x8A\xD6\x90\x94\x93\xE0, MCI_RESUME", 2048};
// OnAlarmSoundTestPause関数内, MCI_PAUSE
constexpr MciErrorPlace kSoundTestPausePause{
    "OnAlarmSoundTestPause\x8A\xD6\x90\x94\x93\xE0, MCI_PAUSE", 2060};
// OnStartAlarmSoundTest関数内, MCI_OPEN
constexpr MciErrorPlace kStartSoundTestStart{
    "OnStartAlarmSoundTest\x8A\xD6\x90\x94\x93\xE0, MCI_OPEN", 2144};
// OnStartAlarmSoundTest関数内, MCI_ALL_DEVICE_ID, MCI_CLOSE
constexpr MciErrorPlace kStartSoundTestCloseAll{
    "OnStartAlarmSoundTest\x8A\xD6\x90\x94\x93\xE0, MCI_ALL_DEVICE_ID, MCI_CLOSE", 2150};
// OnStopAlarmSoundTest関数内, MCI_STATUS
constexpr MciErrorPlace kStopSoundTestStatus{
    "OnStopAlarmSoundTest\x8A\xD6\x90\x94\x93\xE0, MCI_STATUS", 2179};
// OnStopAlarmSoundTest関数内, MCI_STOP
constexpr MciErrorPlace kStopSoundTestStop{"OnStopAlarmSoundTest\x8A\xD6\x90\x94\x93\xE0, MCI_STOP",
                                           2189};
// OnStopAlarmSoundTest関数内, MCI_CLOSE
constexpr MciErrorPlace kStopSoundTestClose{
    "OnStopAlarmSoundTest\x8A\xD6\x90\x94\x93\xE0, MCI_CLOSE", 2195};
// OnStartAlarmSound関数内, MCI_OPENまたはMCI_PLAY
constexpr MciErrorPlace kStartAlarmStart{
    "OnStartAlarmSound\x8A\xD6\x90\x94\x93\xE0, MCI_OPEN\x82\xDC\x82\xBD\x82\xCDMCI_PLAY", 2376};
// OnStartAlarmSound関数内, MCI_ALL_DEVICE_ID,MCI_CLOSE
constexpr MciErrorPlace kStartAlarmCloseAll{
    "OnStartAlarmSound\x8A\xD6\x90\x94\x93\xE0, MCI_ALL_DEVICE_ID,MCI_CLOSE", 2382};
// OnStartTSSound関数内, MCI_OPEN or MCI_PLAY
constexpr MciErrorPlace kStartTimeSignalStart{
    "OnStartTSSound\x8A\xD6\x90\x94\x93\xE0, MCI_OPEN or MCI_PLAY", 2459};
// OnStartTSSound関数内, MCI_ALL_DEVICE_ID, MCI_CLOSE
constexpr MciErrorPlace kStartTimeSignalCloseAll{
    "OnStartTSSound\x8A\xD6\x90\x94\x93\xE0, MCI_ALL_DEVICE_ID, MCI_CLOSE", 2465};
// GetAudioLength関数内, MCI_STATUS
constexpr MciErrorPlace kAudioLengthStatus{"GetAudioLength\x8A\xD6\x90\x94\x93\xE0, MCI_STATUS",
                                           2492};
// GetAudioCurPos関数内, MCI_STATUS
constexpr MciErrorPlace kAudioPositionStatus{"GetAudioCurPos\x8A\xD6\x90\x94\x93\xE0, MCI_STATUS",
                                             2520};
constexpr MciStartPlaces kStartAlarmPlaces{kStartAlarmStart, kStartAlarmCloseAll};
constexpr MciStartPlaces kStartTimeSignalPlaces{kStartTimeSignalStart, kStartTimeSignalCloseAll};
constexpr MciStartPlaces kStartSoundTestPlaces{kStartSoundTestStart, kStartSoundTestCloseAll};
constexpr MciStartPlaces kPlayAudioPlaces{kPlayAudioStart, kPlayAudioCloseAll};

// Seconds from the seek dialog in milliseconds as MCI's 32-bit dwTo; outside it, the nearest
// end, instead of a multiplication that overflows.
std::uint32_t SeekTarget(int seconds) {
    const std::int64_t ms = std::int64_t{seconds} * 1000;
    if (ms < 0) {
        return 0;
    }
    constexpr std::int64_t kMax = std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(ms > kMax ? kMax : ms);
}

bool IsMode(std::uint64_t mode, std::initializer_list<std::uint64_t> modes) {
    for (const std::uint64_t m : modes) {
        if (mode == m) {
            return true;
        }
    }
    return false;
}

// The open block once zeroed: no device, no alias.
void ZeroOpenBlock(ChannelRecord& record) {
    record.deviceId = 0;
    record.alias = nullptr;
}

WindowRef NotifyTarget(const ChannelRecord& record, WindowRef window) {
    return record.notifyWindow != 0 ? record.notifyWindow : window;
}

// The order the handlers are asked in.
constexpr SoundChannel kNotifyOrder[] = {SoundChannel::Audio, SoundChannel::Alarm,
                                         SoundChannel::TimeSignal, SoundChannel::SoundTest};

} // namespace

const char* ChannelAlias(SoundChannel channel) {
    return kAliases[static_cast<std::size_t>(channel)];
}

const char* DeviceTypeFor(std::string_view fileName) {
    const std::string ext = SplitPath(fileName).ext;
    for (const std::string_view playable : kPlayableExtensions) {
        if (SameIgnoringCase(ext, playable)) {
            return kMpegVideo;
        }
    }
    return nullptr;
}

std::string MciErrorBoxText(MciError error, std::string_view errorText, const char* alias,
                            std::string_view place, int placeNumber) {
    const std::string text(errorText);
    const std::string where(place);
    // The platform's printf shows a null string as "(null)"; ours might crash instead.
    const char* shownAlias = alias != nullptr ? alias : "(null)";
    return FormatText(kErrorBoxFormat, static_cast<int>(error), text.c_str(), shownAlias,
                      where.c_str(), placeNumber);
}

int SoundChannels::Volume(SoundChannel channel) const {
    switch (channel) {
    case SoundChannel::Alarm:
    case SoundChannel::SoundTest:
        return volumes_.AlarmVolumeVal;
    case SoundChannel::Audio:
        return volumes_.AudioVolumeVal;
    case SoundChannel::TimeSignal:
        return volumes_.TimeSignalVolumeVal;
    }
    return 0;
}

bool SoundChannels::Muted(SoundChannel channel) const {
    switch (channel) {
    case SoundChannel::Alarm:
        return volumes_.MuteAlarm != 0;
    case SoundChannel::Audio:
        return volumes_.MuteAudio != 0;
    case SoundChannel::TimeSignal:
        return volumes_.MuteTimeSignal != 0;
    case SoundChannel::SoundTest:
        return soundTestMute_;
    }
    return false;
}

void SoundChannels::SetVolume(SoundChannel channel, int volume) {
    switch (channel) {
    case SoundChannel::Alarm:
    case SoundChannel::SoundTest:
        volumes_.AlarmVolumeVal = volume;
        return;
    case SoundChannel::Audio:
        volumes_.AudioVolumeVal = volume;
        return;
    case SoundChannel::TimeSignal:
        volumes_.TimeSignalVolumeVal = volume;
        return;
    }
}

void SoundChannels::SetMute(SoundChannel channel, bool mute) {
    switch (channel) {
    case SoundChannel::Alarm:
    case SoundChannel::SoundTest:
        volumes_.MuteAlarm = mute ? 1 : 0;
        soundTestMute_ = mute;
        return;
    case SoundChannel::Audio:
        volumes_.MuteAudio = mute ? 1 : 0;
        return;
    case SoundChannel::TimeSignal:
        volumes_.MuteTimeSignal = mute ? 1 : 0;
        return;
    }
}

void SoundChannels::Check(WindowRef owner, MciError error, SoundChannel channel,
                          const MciErrorPlace& place) {
    if (error == 0) {
        return;
    }
    host_->ShowMessage(owner,
                       MciErrorBoxText(error, mci_.ErrorText(error), Channel(channel).alias,
                                       place.text, place.number),
                       kMciErrorCaption);
}

std::uint64_t SoundChannels::QueryMode(WindowRef owner, SoundChannel channel, bool wait,
                                       const MciErrorPlace& place) {
    std::uint64_t mode = 0;
    const MciError error = mci_.Status(Channel(channel).deviceId, MciStatusItem::Mode, wait, mode);
    Check(owner, error, channel, place);
    return mode;
}

void SoundChannels::Play(WindowRef window, SoundChannel channel, const MciErrorPlace& place) {
    const ChannelRecord& record = Channel(channel);
    Check(window, mci_.Play(record.deviceId, NotifyTarget(record, window)), channel, place);
}

void SoundChannels::Opened(WindowRef window, SoundChannel channel) {
    ChannelRecord& record = Channel(channel);
    record.owner = window;
    record.notifyWindow = windows_ != nullptr ? windows_->Renew(channel) : 0;
}

void SoundChannels::Closed(SoundChannel channel) {
    ChannelRecord& record = Channel(channel);
    if (windows_ != nullptr) {
        windows_->Release(channel);
    }
    record.notifyWindow = 0;
    record.owner = 0;
    // The mark keeps the custom entry from starting again while its sound may still play; it
    // must not outlive the channel, or that entry never sounds again in this run.
    if (channel == SoundChannel::TimeSignal) {
        host_->ClearLastCustomTimeSignal();
    }
}

void SoundChannels::StopAndClose(WindowRef owner, SoundChannel channel, const MciErrorPlace& stop,
                                 const MciErrorPlace& close) {
    Check(owner, mci_.Stop(Channel(channel).deviceId), channel, stop);
    Check(owner, mci_.Close(Channel(channel).deviceId), channel, close);
}

bool SoundChannels::AlarmOrTimeSignalSounding() const {
    return IsSounding(SoundChannel::Alarm) || IsSounding(SoundChannel::TimeSignal);
}

std::uint32_t SoundChannels::ChannelVolume(SoundChannel channel) const {
    const int volume = channel == SoundChannel::Audio
                           ? AudioVolume(volumes_, AlarmOrTimeSignalSounding())
                           : PlainVolume(Volume(channel), Muted(channel) ? 1 : 0);
    return static_cast<std::uint32_t>(volume);
}

int SoundChannels::Start(WindowRef window, SoundChannel channel, const MciStartPlaces& places) {
    ChannelRecord& record = Channel(channel);
    ZeroOpenBlock(record);
    record.alias = ChannelAlias(channel);
    if (record.fileName.size() > kSoundFileNameMaxLength) {
        CloseAllAfterFailedStart(window, channel, kMciErrFileNotFound, places);
        return 0;
    }
    MciError error = mci_.Open(DeviceTypeFor(record.fileName), record.fileName.c_str(),
                               record.alias, record.deviceId);
    if (error != 0) {
        CloseAllAfterFailedStart(window, channel, error, places);
        return 0;
    }
    Opened(window, channel);
    if (channel == SoundChannel::Audio) {
        positionErrorShown_ = false;
        // Sounding from here on, so that a pause now pauses instead of becoming pending.
        record.sounding = 1;
        if (audio_.pausePending != 0) {
            record.paused = 1;
            audio_.playlistRun = 0;
            audio_.pausePending = 0;
            return 1;
        }
        audio_.playlistRun = 0;
    }
    error = SetVolumeRequest(static_cast<int>(channel), ChannelVolume(channel));
    if (error != 0) {
        CloseAllAfterFailedStart(window, channel, error, places);
        return 0;
    }
    if (channel != SoundChannel::Audio) {
        record.sounding = 1;
    }
    error = mci_.Play(record.deviceId, NotifyTarget(record, window));
    if (error != 0) {
        CloseAllAfterFailedStart(window, channel, error, places);
        return 0;
    }
    if (channel == SoundChannel::Alarm || channel == SoundChannel::TimeSignal) {
        ApplyOtherSoundRule(true);
    }
    return 1;
}

// A failed start may leave a half-open device behind under any of the aliases, and the next
// start would then fail on the alias already in use; closing everything is the one step that
// always gets the program back to silence.
void SoundChannels::CloseAllAfterFailedStart(WindowRef window, SoundChannel channel, MciError error,
                                             const MciStartPlaces& places) {
    Check(window, error, channel, places.start);
    Check(window, mci_.CloseAll(), channel, places.closeAll);
    for (const SoundChannel c : kNotifyOrder) {
        ZeroOpenBlock(Channel(c));
        Closed(c);
    }
    ChannelRecord& audio = Channel(SoundChannel::Audio);
    audio.sounding = 0;
    audio.paused = 0;
    ChannelRecord& alarm = Channel(SoundChannel::Alarm);
    alarm.sounding = 0;
    alarm.fileName.clear();
    Channel(SoundChannel::SoundTest).sounding = 0;
    Channel(SoundChannel::TimeSignal).sounding = 0;
}

int SoundChannels::OnStartAlarmSound(WindowRef window) {
    return Start(window, SoundChannel::Alarm, kStartAlarmPlaces);
}

int SoundChannels::OnStartTSSound(WindowRef window) {
    return Start(window, SoundChannel::TimeSignal, kStartTimeSignalPlaces);
}

int SoundChannels::OnStartAlarmSoundTest(WindowRef window, std::string_view testSoundFile) {
    if (IsSounding(SoundChannel::SoundTest)) {
        return 1;
    }
    ChannelRecord& soundTest = Channel(SoundChannel::SoundTest);
    soundTest.paused = 0;
    soundTest.fileName = testSoundFile;
    return Start(window, SoundChannel::SoundTest, kStartSoundTestPlaces);
}

int SoundChannels::OnMCIPlaySoundCmd(WindowRef window) {
    return Start(window, SoundChannel::Audio, kPlayAudioPlaces);
}

void SoundChannels::OnStopAlarm(WindowRef window) {
    ChannelRecord& alarm = Channel(SoundChannel::Alarm);
    if (alarm.sounding != 1) {
        return;
    }
    const std::uint64_t mode = QueryMode(window, SoundChannel::Alarm, false, kStopAlarmStatus);
    if (IsMode(mode, {kMciModePlay, kMciModePause, kMciModeStop})) {
        alarm.sounding = 0;
        StopAndClose(window, SoundChannel::Alarm, kStopAlarmStop, kStopAlarmClose);
        ZeroOpenBlock(alarm);
        Closed(SoundChannel::Alarm);
    }
    ApplyOtherSoundRule(false);
}

void SoundChannels::OnStopTSSound(WindowRef window) {
    ChannelRecord& timeSignal = Channel(SoundChannel::TimeSignal);
    if (timeSignal.sounding != 1) {
        return;
    }
    const std::uint64_t mode =
        QueryMode(window, SoundChannel::TimeSignal, false, kStopTimeSignalStatus);
    if (IsMode(mode, {kMciModePlay, kMciModeStop})) {
        timeSignal.sounding = 0;
        StopAndClose(window, SoundChannel::TimeSignal, kStopTimeSignalStop, kStopTimeSignalClose);
        ZeroOpenBlock(timeSignal);
        Closed(SoundChannel::TimeSignal);
    }
}

int SoundChannels::OnStopAlarmSoundTest(WindowRef window) {
    ChannelRecord& soundTest = Channel(SoundChannel::SoundTest);
    if (soundTest.sounding != 1) {
        return 1;
    }
    const std::uint64_t mode =
        QueryMode(window, SoundChannel::SoundTest, false, kStopSoundTestStatus);
    if (IsMode(mode, {kMciModePlay, kMciModePause, kMciModeStop})) {
        soundTest.sounding = 0;
        soundTest.paused = 0;
        StopAndClose(window, SoundChannel::SoundTest, kStopSoundTestStop, kStopSoundTestClose);
        ZeroOpenBlock(soundTest);
        Closed(SoundChannel::SoundTest);
    }
    return 1;
}

int SoundChannels::SoundTestToggle(WindowRef window, std::string_view testSoundFile) {
    if (IsSounding(SoundChannel::SoundTest)) {
        return OnStopAlarmSoundTest(window);
    }
    return OnStartAlarmSoundTest(window, testSoundFile);
}

void SoundChannels::OnAlarmSoundTestPause(WindowRef window) {
    ChannelRecord& soundTest = Channel(SoundChannel::SoundTest);
    if (soundTest.paused != 0) {
        const std::uint64_t mode =
            QueryMode(window, SoundChannel::SoundTest, false, kSoundTestPauseStatus);
        if (mode == kMciModePause) {
            Check(window, mci_.Resume(soundTest.deviceId), SoundChannel::SoundTest,
                  kSoundTestPauseResume);
            soundTest.paused = 0;
        }
        return;
    }
    Check(window, mci_.Pause(soundTest.deviceId), SoundChannel::SoundTest, kSoundTestPausePause);
    soundTest.paused = 1;
}

void SoundChannels::StopAudio(WindowRef window) {
    ChannelRecord& audio = Channel(SoundChannel::Audio);
    if (audio.sounding == 1) {
        const std::uint64_t mode = QueryMode(window, SoundChannel::Audio, false, kStopAudioStatus);
        if (IsMode(mode, {kMciModeStop, kMciModePlay, kMciModePause})) {
            audio.sounding = 0;
            StopAndClose(window, SoundChannel::Audio, kStopAudioStop, kStopAudioClose);
            ZeroOpenBlock(audio);
            Closed(SoundChannel::Audio);
            host_->KillAudioPositionTimer();
        }
    } else if (audio.sounding == 0 && audio_.playlistRun == 1) {
        // Between two songs there is nothing to close: the player sees the request when it
        // would open the next one.
        audio_.stopRequest = 1;
        audio_.playlistRun = 0;
    } else {
        return;
    }
    host_->ResetAudioSongIndex();
    audio.paused = 0;
}

void SoundChannels::PauseAudio(WindowRef window) {
    ChannelRecord& audio = Channel(SoundChannel::Audio);
    if (audio.sounding != 1) {
        audio_.pausePending = 1;
        return;
    }
    if (audio.paused == 0) {
        Check(window, mci_.Pause(audio.deviceId), SoundChannel::Audio, kPauseAudioPause);
        audio.paused = 1;
        return;
    }
    const std::uint64_t mode = QueryMode(window, SoundChannel::Audio, false, kPauseAudioStatus);
    if (mode == kMciModePause) {
        Check(window, mci_.Resume(audio.deviceId), SoundChannel::Audio, kPauseAudioResume);
    } else if (mode == kMciModeStop) {
        // A song that opened paused was never played.
        Play(window, SoundChannel::Audio, kPauseAudioPlay);
    } else {
        return;
    }
    audio.paused = 0;
}

// Wine's MPEGVideo device refuses MCI_SEEK with MCI_TO (it stops and answers an internal
// error); playing from the position gets there too, and a paused song is paused again.
void SoundChannels::OnSeekAudio(WindowRef window, int seconds) {
    ChannelRecord& audio = Channel(SoundChannel::Audio);
    const bool paused = audio.paused != 0;
    if (!paused) {
        Check(window, mci_.Stop(audio.deviceId), SoundChannel::Audio, kSeekStop);
    }
    const std::uint32_t target = SeekTarget(seconds);
    const MciError seekError = mci_.Seek(audio.deviceId, target);
    if (seekError != 0) {
        if (mci_.PlayFrom(audio.deviceId, target, NotifyTarget(audio, window)) == 0) {
            if (paused) {
                Check(window, mci_.Pause(audio.deviceId), SoundChannel::Audio, kSeekSeek);
            }
            return;
        }
        Check(window, seekError, SoundChannel::Audio, kSeekSeek);
    }
    if (!paused) {
        Play(window, SoundChannel::Audio, kSeekPlay);
    }
}

int SoundChannels::AudioSeconds(WindowRef owner, MciStatusItem item, const MciErrorPlace& place,
                                bool& errorShown) {
    std::uint64_t ms = 0;
    const MciError error = mci_.Status(Channel(SoundChannel::Audio).deviceId, item, true, ms);
    if (error != 0) {
        // Marked before the box: its message loop may ask again.
        if (!errorShown) {
            errorShown = true;
            Check(owner, error, SoundChannel::Audio, place);
        }
        return -1;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(ms)) / 1000;
}

int SoundChannels::GetAudioLength(WindowRef window) {
    bool shown = false; // each failure of the length is reported
    return AudioSeconds(window, MciStatusItem::Length, kAudioLengthStatus, shown);
}

int SoundChannels::GetAudioCurPos(WindowRef window) {
    if (Channel(SoundChannel::Audio).sounding != 1) {
        return 0;
    }
    // The seek dialog asks once a second: one box per song, not one a second.
    return AudioSeconds(window, MciStatusItem::Position, kAudioPositionStatus, positionErrorShown_);
}

MciError SoundChannels::SetVolumeRequest(int channelNumber, std::uint32_t volume) {
    if (channelNumber < 0 || channelNumber >= kSoundChannelCount) {
        return 0;
    }
    const ChannelRecord& record = channels_[static_cast<std::size_t>(channelNumber)];
    if (record.deviceId == 0) {
        return 0;
    }
    return mci_.SetVolume(record.deviceId, volume);
}

void SoundChannels::ApplyOtherSoundRule(bool started) {
    if (volumes_.OtherSoundMuteAudio == 1 && !Muted(SoundChannel::Audio)) {
        // Not reported: with no song open the request does nothing, and a refused volume
        // must not interrupt the alarm that caused it.
        SetVolumeRequest(static_cast<int>(SoundChannel::Audio), ChannelVolume(SoundChannel::Audio));
    }
    if (volumes_.OtherSoundMuteAudio == 1) {
        host_->EnableVolumeDialogAudioControls(!(started && AlarmOrTimeSignalSounding()));
    }
}

// The alias check keeps a channel from taking a notification meant for a device it has since
// closed, where the window alone does not tell (plays that notify the owner window).
bool SoundChannels::Listens(SoundChannel channel, WindowRef at) const {
    const ChannelRecord& record = Channel(channel);
    return record.deviceId != 0 && NotifyTarget(record, record.owner) == at &&
           record.alias != nullptr && SameIgnoringCase(record.alias, ChannelAlias(channel));
}

// A named device picks its channel among those listening at the window. A nameless
// notification at a channel's own window is that channel's; at a window several channels
// notify, it cannot be told whose, and is left as one for no device would be.
std::optional<SoundChannel> SoundChannels::NotifiedChannel(WindowRef at,
                                                           MciDeviceId deviceId) const {
    std::optional<SoundChannel> found;
    for (const SoundChannel channel : kNotifyOrder) {
        if (!Listens(channel, at)) {
            continue;
        }
        if (deviceId != 0) {
            if (Channel(channel).deviceId == deviceId) {
                return channel;
            }
        } else if (found) {
            return std::nullopt;
        } else {
            found = channel;
        }
    }
    return found;
}

void SoundChannels::OnMciNotify(WindowRef at, std::uint32_t code, MciDeviceId deviceId) {
    const std::optional<SoundChannel> channel = NotifiedChannel(at, deviceId);
    // A channel's own window cannot own a box; its owner can.
    const WindowRef window = channel ? Channel(*channel).owner : at;
    switch (code) {
    case kMciNotifySuperseded:
        host_->ShowMessage(window, "MCI_NOTIFY_SUPERSEDED", kSoundNotifyCaption);
        return;
    case kMciNotifyAborted:
        return;
    case kMciNotifyFailure:
        host_->ShowMessage(window, "MCI_NOTIFY_FAILURE", kSoundNotifyCaption);
        return;
    default:
        break;
    }
    if (!channel) {
        return;
    }
    const bool nameless = deviceId == 0;
    switch (*channel) {
    case SoundChannel::Audio:
        OnMM_MCINotifyAudio(window, nameless);
        break;
    case SoundChannel::Alarm:
        OnMM_MCINotifyAlarm(window, nameless);
        break;
    case SoundChannel::TimeSignal:
        OnMM_MCINotifyTimeSignal(window, nameless);
        break;
    case SoundChannel::SoundTest:
        OnMM_MCINotifySoundTest(window, nameless);
        break;
    }
}

// A successful notification without a device id comes from Wine's MPEGVideo device, which posts
// it when the play reached the end of the file and stops itself right after, mostly before the
// mode is asked. Its stopped mode is that end; taken for a device stopped without being closed,
// the channel would play it on from its end and never close.
std::uint64_t SoundChannels::NotifiedMode(WindowRef window, SoundChannel channel, bool wait,
                                          const MciErrorPlace& place, bool nameless) {
    const std::uint64_t mode = QueryMode(window, channel, wait, place);
    return nameless && mode == kMciModeStop ? kMciModePlay : mode;
}

// Inside a successful notification the device reports "playing" when the file reached its end,
// and "stopped" when someone stopped it without closing it (a seek, or a song opened paused):
// then it is played on from where it stands.
void SoundChannels::OnMM_MCINotifyAudio(WindowRef window, bool nameless) {
    ChannelRecord& audio = Channel(SoundChannel::Audio);
    const std::uint64_t mode =
        NotifiedMode(window, SoundChannel::Audio, true, kNotifyAudioStatus, nameless);
    if (mode == kMciModeStop) {
        if (audio.sounding == 1) {
            audio_.songLength = GetAudioLength(window);
            host_->NotifySeekDialog();
            if (audio_.pausePending != 0) {
                audio.paused = 1;
                audio_.pausePending = 0;
            } else {
                Play(window, SoundChannel::Audio, kNotifyAudioPlaySounding);
            }
        } else if (audio_.pausePending == 0) {
            Play(window, SoundChannel::Audio, kNotifyAudioPlayIdle);
        }
    } else if (mode == kMciModePlay && audio.paused == 0) {
        audio.sounding = 0;
        StopAndClose(window, SoundChannel::Audio, kNotifyAudioStop, kNotifyAudioClose);
        audio.deviceId = 0;
        Closed(SoundChannel::Audio);
        audio_.playlistRun = 1;
        host_->PlayNextSong(window);
    }
}

void SoundChannels::OnMM_MCINotifyAlarm(WindowRef window, bool nameless) {
    ChannelRecord& alarm = Channel(SoundChannel::Alarm);
    const std::uint64_t mode =
        NotifiedMode(window, SoundChannel::Alarm, false, kNotifyAlarmStatus, nameless);
    if (mode == kMciModeStop) {
        if (alarm.sounding == 1) {
            Play(window, SoundChannel::Alarm, kNotifyAlarmPlay);
            ApplyOtherSoundRule(true);
        }
    } else if (mode == kMciModePlay) {
        alarm.sounding = 0;
        StopAndClose(window, SoundChannel::Alarm, kNotifyAlarmStop, kNotifyAlarmClose);
        alarm.deviceId = 0;
        Closed(SoundChannel::Alarm);
        alarm.fileName.clear();
        ApplyOtherSoundRule(false);
    }
}

void SoundChannels::OnMM_MCINotifyTimeSignal(WindowRef window, bool nameless) {
    ChannelRecord& timeSignal = Channel(SoundChannel::TimeSignal);
    const std::uint64_t mode =
        NotifiedMode(window, SoundChannel::TimeSignal, false, kNotifyTimeSignalStatus, nameless);
    if (mode == kMciModeStop) {
        if (timeSignal.sounding == 1) {
            Play(window, SoundChannel::TimeSignal, kNotifyTimeSignalPlay);
            ApplyOtherSoundRule(true);
        }
    } else if (mode == kMciModePlay) {
        timeSignal.sounding = 0;
        StopAndClose(window, SoundChannel::TimeSignal, kNotifyTimeSignalStop,
                     kNotifyTimeSignalClose);
        timeSignal.deviceId = 0;
        Closed(SoundChannel::TimeSignal);
        ApplyOtherSoundRule(false);
    }
}

void SoundChannels::OnMM_MCINotifySoundTest(WindowRef window, bool nameless) {
    ChannelRecord& soundTest = Channel(SoundChannel::SoundTest);
    const std::uint64_t mode =
        NotifiedMode(window, SoundChannel::SoundTest, false, kNotifySoundTestStatus, nameless);
    if (mode == kMciModeStop) {
        if (soundTest.sounding == 1) {
            Play(window, SoundChannel::SoundTest, kNotifySoundTestPlay);
        }
    } else if (mode == kMciModePlay) {
        // The notification of a play that was paused: the test goes on when resumed.
        if (soundTest.paused != 0) {
            soundTest.paused = 0;
            return;
        }
        soundTest.sounding = 0;
        StopAndClose(window, SoundChannel::SoundTest, kNotifySoundTestStop, kNotifySoundTestClose);
        ZeroOpenBlock(soundTest);
        Closed(SoundChannel::SoundTest);
        host_->ResetSoundTestButtons();
    }
}

void SoundChannels::StopEverySound(WindowRef window) {
    if (IsSounding(SoundChannel::Alarm)) {
        OnStopAlarm(window);
    }
    if (IsSounding(SoundChannel::Audio)) {
        StopAudio(window);
    }
    if (IsSounding(SoundChannel::TimeSignal)) {
        OnStopTSSound(window);
    }
    if (IsSounding(SoundChannel::SoundTest)) {
        OnStopAlarmSoundTest(window);
    }
}

} // namespace zentrava
