#include "sound/sound_channels.h"

#include "base/test_text.h"
#include "sound/fake_mci.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace zentrava {
namespace {

using Journal = std::vector<std::string>;
using enum SoundChannel;

constexpr WindowRef kMain = 0x1000;
constexpr WindowRef kSeekDialog = 0x2000;
constexpr MciError kErr = 296;         // what the scripted failures answer
constexpr MciError kCloseAllErr = 290; // ... and a failing close-all, to tell the boxes apart
constexpr SoundChannel kAllChannels[] = {Alarm, SoundTest, Audio, TimeSignal};

std::string ExpectedBox(MciError error, const std::string& alias, const std::string& place,
                        int number) {
    const std::string e = std::to_string(error);
    return J("MMSYSTEM Err No." + e + "\nエラーメッセージは「text of " + e +
             "」です。\nMCI構造体のAliasは、「" + alias + "」です。\nエラー表示場所は「" + place +
             "」です。\nエラー表示行は、" + std::to_string(number) + "行目です。");
}

struct Rig {
    Journal journal;
    FakeMci mci{journal};
    FakeSoundHost host{journal};
    FakeNotifyWindows windows;
    SoundChannels channels{mci, host, &windows};

    ChannelRecord& operator[](SoundChannel c) { return channels.Channel(c); }
    AudioRunState& audio() { return channels.Audio(); }

    int StartRaw(SoundChannel c, const std::string& file) {
        switch (c) {
        case Alarm:
            channels.Channel(c).fileName = file;
            return channels.OnStartAlarmSound(kMain);
        case TimeSignal:
            channels.Channel(c).fileName = file;
            return channels.OnStartTSSound(kMain);
        case Audio:
            channels.Channel(c).fileName = file;
            return channels.OnMCIPlaySoundCmd(kMain);
        case SoundTest:
            return channels.OnStartAlarmSoundTest(kMain, file);
        }
        return -1;
    }
    // A channel playing, with the journal and the boxes emptied.
    MciDeviceId Start(SoundChannel c) {
        EXPECT_EQ(StartRaw(c, c == Audio ? "song.mp3" : "sound.wav"), 1);
        Take();
        host.boxes.clear();
        return channels.Channel(c).deviceId;
    }
    // The end of a play at the channel's window, naming the device as Windows does.
    void Notify(SoundChannel c) {
        channels.OnMciNotify((*this)[c].notifyWindow, kMciNotifySuccessful, (*this)[c].deviceId);
    }
    // ... and as Wine's MPEGVideo device does: no device id, and the device already stopped.
    void NotifyNameless(SoundChannel c) {
        mci.ReportMode((*this)[c].deviceId, kMciModeStop);
        channels.OnMciNotify((*this)[c].notifyWindow, kMciNotifySuccessful, 0);
    }
    Journal Take() { return std::exchange(journal, {}); }
};

std::string Open(const std::string& file, SoundChannel c, const char* type = "MPEGVideo") {
    return std::string("open ") + type + " " + file + " " + ChannelAlias(c);
}

void ExpectIdle(Rig& rig, SoundChannel c) {
    EXPECT_EQ(rig[c].sounding.load(), 0);
    EXPECT_EQ(rig[c].deviceId, 0u);
}

TEST(SoundDeviceType, PlayableExtensionsInAnyCaseGetMpegVideo) {
    for (const char* name : {"a.wav", "C:\\Music\\a.WMA", "a.Mp3", "a.mid", "a.MIDI", "x.y.rmi",
                             "C:\\\x95\x5C\\\x8B\xC8.mp3"}) { // C:\表\曲.mp3
        EXPECT_STREQ(DeviceTypeFor(name), "MPEGVideo") << name;
    }
    for (const char* name : {"a.ogg", "a", "a.mp3.txt", "C:\\x.wav\\readme", "a.mp", ".wav2"}) {
        EXPECT_EQ(DeviceTypeFor(name), nullptr) << name;
    }
}

TEST(SoundStart, OpensSetsTheChannelVolumeAndPlaysWithNotificationToTheWindow) {
    VolumeSettings volumes;
    volumes.AlarmVolumeVal = 700;
    volumes.MuteAlarm = 1; // the sound test takes the alarm volume but is never muted
    volumes.AudioVolumeVal = 800;
    volumes.TimeSignalVolumeVal = 300;
    for (const auto& [channel, volume] :
         {std::pair{Alarm, "0"}, {SoundTest, "700"}, {Audio, "800"}, {TimeSignal, "300"}}) {
        SCOPED_TRACE(ChannelAlias(channel));
        Rig rig;
        rig.channels.LoadVolumes(volumes);
        EXPECT_EQ(rig.StartRaw(channel, "C:\\s.WAV"), 1);
        EXPECT_EQ(rig.Take(), (Journal{Open("C:\\s.WAV", channel),
                                       std::string("volume 11 ") + volume, "play 11"}));
        // Its own window, which tells its notifications from the other channels'.
        EXPECT_EQ(rig.mci.lastNotifyWindow, rig[channel].notifyWindow);
        EXPECT_TRUE(rig.windows.Live(rig.mci.lastNotifyWindow));
        EXPECT_EQ(rig[channel].owner, kMain);
        EXPECT_TRUE(rig.channels.IsSounding(channel));
        EXPECT_EQ(rig[channel].deviceId, 11u);
    }
}

TEST(SoundStart, SoundTestAlreadySoundingAnswersAtOnceAndTheToggleStopsIt) {
    Rig rig;
    EXPECT_EQ(rig.channels.SoundTestToggle(kMain, "t.wav"), 1);
    rig.Take();
    EXPECT_EQ(rig.channels.OnStartAlarmSoundTest(kMain, "other.wav"), 1);
    EXPECT_TRUE(rig.journal.empty());
    EXPECT_EQ(rig.channels.SoundTestToggle(kMain, "t.wav"), 1);
    EXPECT_EQ(rig.Take(), (Journal{"status 11 mode", "stop 11", "close 11"}));
    ExpectIdle(rig, SoundTest);
}

// The other channels are all busy when the start fails, so that the recovery's reach shows.
TEST(SoundStart, FailureAtOpenVolumeOrPlayClosesEveryChannel) {
    for (const SoundChannel channel : kAllChannels) {
        for (const MciCommand step : {MciCommand::Open, MciCommand::SetAudio, MciCommand::Play}) {
            SCOPED_TRACE(std::string(ChannelAlias(channel)) + " step " +
                         std::to_string(static_cast<int>(step)));
            Rig rig;
            for (const SoundChannel other : kAllChannels) {
                if (other != channel) {
                    rig.Start(other);
                }
            }
            rig[Audio].paused = 1;
            rig[SoundTest].paused = 1;
            rig.audio().playlistRun = 1;
            rig.audio().stopRequest = 1;
            rig[Alarm].fileName = "alarm.wav";
            rig.mci.FailNext(step, 1, kErr);
            EXPECT_EQ(rig.StartRaw(channel, channel == Alarm ? "alarm.wav" : "x.wav"), 0);
            const Journal journal = rig.Take();
            EXPECT_EQ(Journal(journal.end() - 3, journal.end()),
                      (Journal{"box", "closeall", "last custom -1"}));
            EXPECT_EQ(rig.host.boxes.size(), 1u);
            EXPECT_EQ(rig.mci.OpenCount(), 0u);
            EXPECT_EQ(rig.windows.LiveCount(), 0u);
            for (const SoundChannel c : kAllChannels) {
                ExpectIdle(rig, c);
                EXPECT_EQ(rig[c].alias, nullptr);
            }
            EXPECT_EQ(rig[Audio].paused, 0);
            EXPECT_EQ(rig[Alarm].fileName, "");
            // Left as they were (the audio start itself ends a run before its volume, and a
            // new sound test forgets the last one's pause before it opens).
            EXPECT_EQ(rig[SoundTest].paused, channel == SoundTest ? 0 : 1);
            EXPECT_EQ(rig.audio().stopRequest, 1);
            EXPECT_EQ(rig.audio().playlistRun,
                      channel == Audio && step != MciCommand::Open ? 0 : 1);
        }
    }
}

TEST(SoundStart, UnknownExtensionOpensWithoutDeviceTypeAndSilencesEverything) {
    Rig rig;
    rig.Start(Audio);
    EXPECT_EQ(rig.StartRaw(Alarm, "alarm.ogg"), 0);
    EXPECT_EQ(rig.Take(),
              (Journal{Open("alarm.ogg", Alarm, "null"), "box", "closeall", "last custom -1"}));
    EXPECT_EQ(rig.host.boxes,
              (std::vector<ShownBox>{
                  {kMain,
                   ExpectedBox(kMciErrInvalidDeviceName, ChannelAlias(Alarm),
                               "OnStartAlarmSound関数内, MCI_OPENまたはMCI_PLAY", 2376),
                   J("Zentrava MCI Commandエラーメッセージ")}}));
    ExpectIdle(rig, Audio);
    EXPECT_EQ(rig.mci.OpenCount(), 0u);
}

TEST(SoundStart, PathOfTheFullBufferPlaysAndALongerOneIsRefusedBeforeMci) {
    Rig rig;
    const std::string longest = "C:\\" + std::string(252, 'a') + ".wav"; // 259 characters
    EXPECT_EQ(rig.StartRaw(Alarm, longest), 1);
    EXPECT_EQ(rig.Take().front(), Open(longest, Alarm));
    EXPECT_EQ(rig.StartRaw(TimeSignal, "C:\\" + std::string(253, 'a') + ".wav"), 0);
    EXPECT_EQ(rig.Take(), (Journal{"box", "closeall", "last custom -1"}));
    EXPECT_EQ(rig.host.boxes.at(0).text,
              ExpectedBox(kMciErrFileNotFound, ChannelAlias(TimeSignal),
                          "OnStartTSSound関数内, MCI_OPEN or MCI_PLAY", 2459));
    ExpectIdle(rig, Alarm);
}

TEST(SoundAudioPause, PausePressedWithNoSongOpensTheNextOnePausedUntilPausePressedAgain) {
    Rig rig;
    rig.channels.PauseAudio(kMain);
    EXPECT_TRUE(rig.journal.empty());
    EXPECT_EQ(rig.audio().pausePending, 1);
    rig.audio().playlistRun = 1;
    EXPECT_EQ(rig.StartRaw(Audio, "song.mp3"), 1);
    EXPECT_EQ(rig.Take(), (Journal{Open("song.mp3", Audio)})); // no volume, no play
    EXPECT_TRUE(rig.channels.IsSounding(Audio));
    EXPECT_EQ(rig[Audio].paused, 1);
    EXPECT_EQ(rig.audio().pausePending, 0);
    EXPECT_EQ(rig.audio().playlistRun, 0);
    rig.channels.PauseAudio(kMain); // the device reports "stopped": it was never played
    EXPECT_EQ(rig.Take(), (Journal{"status 11 mode", "play 11"}));
    EXPECT_EQ(rig[Audio].paused, 0);
}

TEST(SoundAudioPause, PauseAndResumeFollowTheDeviceMode) {
    Rig rig;
    rig.Start(Audio);
    rig.channels.PauseAudio(kMain);
    EXPECT_EQ(rig.Take(), (Journal{"pause 11"}));
    EXPECT_EQ(rig[Audio].paused, 1);
    rig.channels.PauseAudio(kMain);
    EXPECT_EQ(rig.Take(), (Journal{"status 11 mode", "resume 11"}));
    EXPECT_EQ(rig[Audio].paused, 0);
    rig.channels.PauseAudio(kMain);
    rig.mci.ReportMode(11, 528); // seeking: neither resumed nor played
    rig.Take();
    rig.channels.PauseAudio(kMain);
    EXPECT_EQ(rig.Take(), (Journal{"status 11 mode"}));
    EXPECT_EQ(rig[Audio].paused, 1);
}

TEST(SoundTestPause, ResumesOnlyAPausedDevice) {
    Rig rig;
    rig.Start(SoundTest);
    rig.channels.OnAlarmSoundTestPause(kMain);
    EXPECT_EQ(rig.Take(), (Journal{"pause 11"}));
    EXPECT_EQ(rig[SoundTest].paused, 1);
    rig.mci.ReportMode(11, kMciModeStop);
    rig.channels.OnAlarmSoundTestPause(kMain);
    EXPECT_EQ(rig.Take(), (Journal{"status 11 mode"}));
    EXPECT_EQ(rig[SoundTest].paused, 1);
    rig.mci.ReportMode(11, kMciModePause);
    rig.channels.OnAlarmSoundTestPause(kMain);
    EXPECT_EQ(rig.Take(), (Journal{"status 11 mode", "resume 11"}));
    EXPECT_EQ(rig[SoundTest].paused, 0);
}

// A pause belongs to the test it paused. After a pause and a stop (or a close-all, which
// leaves the flag alone), the next test plays unpaused, and when it ends by itself it closes.
TEST(SoundTestPause, ANewTestForgetsTheLastOnesPause) {
    const std::pair<const char*, std::function<void(Rig&)>> ends[] = {
        {"stop", [](Rig& r) { r.channels.OnStopAlarmSoundTest(kMain); }},
        {"close-all", [](Rig& r) { r.StartRaw(Alarm, "alarm.ogg"); }},
    };
    for (const auto& [how, end] : ends) {
        SCOPED_TRACE(how);
        Rig rig;
        rig.Start(SoundTest);
        rig.channels.OnAlarmSoundTestPause(kMain);
        end(rig);
        ExpectIdle(rig, SoundTest);
        EXPECT_EQ(rig.StartRaw(SoundTest, "t.wav"), 1);
        EXPECT_EQ(rig[SoundTest].paused, 0);
        const MciDeviceId id = rig[SoundTest].deviceId;
        rig.Take();
        rig.Notify(SoundTest);
        EXPECT_EQ(rig.Take(),
                  (Journal{"status " + std::to_string(id) + " mode", "stop " + std::to_string(id),
                           "close " + std::to_string(id), "test buttons"}));
        ExpectIdle(rig, SoundTest);
        EXPECT_EQ(rig.mci.OpenCount(), 0u);
    }
}

TEST(SoundAudioSeek, PlayingSongIsStoppedMovedAndPlayedPausedOneOnlyMoved) {
    Rig rig;
    rig.Start(Audio);
    rig.channels.OnSeekAudio(kMain, 90);
    EXPECT_EQ(rig.Take(), (Journal{"stop 11", "seek 11 90000", "play 11"}));
    rig.channels.PauseAudio(kMain);
    rig.Take();
    rig.channels.OnSeekAudio(kMain, 90);
    EXPECT_EQ(rig.Take(), (Journal{"seek 11 90000"}));
    EXPECT_EQ(rig[Audio].paused, 1);
    // Targets outside MCI's 32-bit milliseconds go to the nearest end instead of overflowing.
    rig.channels.OnSeekAudio(kMain, -5);
    rig.channels.OnSeekAudio(kMain, 5000000);
    EXPECT_EQ(rig.Take(), (Journal{"seek 11 0", "seek 11 4294967295"}));
}

TEST(SoundAudioSeek, WithNoSongEachFailureShowsANullAlias) {
    Rig rig;
    rig.channels.OnSeekAudio(kMain, 3);
    EXPECT_EQ(rig.Take(),
              (Journal{"stop 0", "box", "seek 0 3000", "playfrom 0 3000", "box", "play 0", "box"}));
    EXPECT_EQ(rig.host.boxes.at(0).text,
              ExpectedBox(kMciErrInvalidDeviceId, "(null)", "OnSeekAudio関数内, MCI_STOP", 1906));
}

TEST(SoundAudioLengthAndPosition, WholeSecondsFromTheLow32BitsOfTheAnswer) {
    Rig rig;
    EXPECT_EQ(rig.channels.GetAudioCurPos(kSeekDialog), 0); // nothing sounds: MCI not asked
    EXPECT_TRUE(rig.journal.empty());
    rig.Start(Audio);
    for (const auto& [ms, seconds] : {std::pair<std::uint64_t, int>{239900, 239},
                                      {999, 0},
                                      {0x1000003E8, 1},
                                      {0xFFFFFC18, -1}}) {
        rig.mci.lengthMs = ms;
        rig.mci.positionMs = ms;
        EXPECT_EQ(rig.channels.GetAudioLength(kMain), seconds) << ms;
        EXPECT_EQ(rig.channels.GetAudioCurPos(kSeekDialog), seconds) << ms;
    }
    EXPECT_EQ(rig.Take().back(), "status 11 position wait");
    rig.mci.FailNext(MciCommand::Status, 1, kErr);
    EXPECT_EQ(rig.channels.GetAudioLength(kMain), -1);
}

TEST(SoundSetVolumeRequest, GoesToTheChannelsOpenDeviceAndAnswersWithTheMciResult) {
    Rig rig;
    EXPECT_EQ(rig.channels.SetVolumeRequest(2, 300), 0u); // nothing open
    rig.Start(Audio);
    EXPECT_EQ(rig.channels.SetVolumeRequest(-1, 300), 0u);
    EXPECT_EQ(rig.channels.SetVolumeRequest(4, 300), 0u);
    EXPECT_TRUE(rig.journal.empty());
    EXPECT_EQ(rig.channels.SetVolumeRequest(2, 321), 0u);
    rig.mci.FailNext(MciCommand::SetAudio, 1, kErr);
    EXPECT_EQ(rig.channels.SetVolumeRequest(2, 322), kErr);
    EXPECT_EQ(rig.Take(), (Journal{"volume 11 321", "volume 11 322"})); // no box
}

void MusicWithOtherSoundRule(Rig& rig, int audioVolume, int muteAudio) {
    VolumeSettings volumes;
    volumes.OtherSoundMuteAudio = 1;
    volumes.AudioVolumeVal = audioVolume;
    volumes.MuteAudio = muteAudio;
    rig.channels.LoadVolumes(volumes);
    rig.Start(Audio); // device 11
}

TEST(SoundOtherSoundRule, MusicGoesDownToAFifthWhileAnAlarmSoundsAndBackWhenItEnds) {
    for (const auto& [volume, lowered] : {std::pair{500, "99"}, {1000, "199"}}) {
        Rig rig;
        MusicWithOtherSoundRule(rig, volume, 0);
        EXPECT_EQ(rig.StartRaw(Alarm, "a.wav"), 1);
        EXPECT_EQ(rig.Take(),
                  (Journal{Open("a.wav", Alarm), "volume 12 500", "play 12",
                           std::string("volume 11 ") + lowered, "volume controls off"}));
        rig.Notify(Alarm); // the alarm reached its end
        EXPECT_EQ(rig.Take(),
                  (Journal{"status 12 mode", "stop 12", "close 12",
                           "volume 11 " + std::to_string(volume), "volume controls on"}));
    }
}

TEST(SoundOtherSoundRule, SongStartingDuringATimeSignalStartsLowAndStaysLowUntilBothEnd) {
    Rig rig;
    MusicWithOtherSoundRule(rig, 500, 0);
    rig.Start(TimeSignal); // device 12
    rig.channels.StopAudio(kMain);
    rig.Take();
    EXPECT_EQ(rig.StartRaw(Audio, "b.mp3"), 1);
    EXPECT_EQ(rig.Take(), (Journal{Open("b.mp3", Audio), "volume 13 99", "play 13"}));
    rig.Start(Alarm); // device 14
    rig.channels.OnStopAlarm(kMain);
    EXPECT_EQ(rig.Take(), (Journal{"status 14 mode", "stop 14", "close 14", "volume 13 99",
                                   "volume controls on"}));
    rig.Notify(TimeSignal);
    EXPECT_EQ(rig.Take(), (Journal{"status 12 mode", "stop 12", "close 12", "last custom -1",
                                   "volume 13 500", "volume controls on"}));
}

TEST(SoundOtherSoundRule, MutedMusicGetsNoVolumeAtAll) {
    Rig rig;
    MusicWithOtherSoundRule(rig, 500, 1);
    EXPECT_EQ(rig.StartRaw(Alarm, "a.wav"), 1);
    EXPECT_EQ(rig.Take(),
              (Journal{Open("a.wav", Alarm), "volume 12 500", "play 12", "volume controls off"}));
    rig.channels.StopAudio(kMain);
    rig.Take();
    EXPECT_EQ(rig.StartRaw(Audio, "b.mp3"), 1); // muted wins over the lowered volume
    EXPECT_EQ(rig.Take(), (Journal{Open("b.mp3", Audio), "volume 13 0", "play 13"}));
}

TEST(SoundNotification, SupersededAndFailureShowABoxAbortedNothing) {
    Rig rig;
    const MciDeviceId id = rig.Start(Alarm);
    rig.channels.OnMciNotify(kMain, kMciNotifySuperseded, id);
    rig.channels.OnMciNotify(kMain, kMciNotifyAborted, id);
    rig.channels.OnMciNotify(kMain, kMciNotifyFailure, id);
    EXPECT_EQ(rig.Take(), (Journal{"box", "box"}));
    EXPECT_EQ(rig.host.boxes, (std::vector<ShownBox>{{kMain, "MCI_NOTIFY_SUPERSEDED", "Zentrava"},
                                                     {kMain, "MCI_NOTIFY_FAILURE", "Zentrava"}}));
    EXPECT_TRUE(rig.channels.IsSounding(Alarm));
}

TEST(SoundNotification, OtherWindowsDevicesOrAClearedOrForeignAliasChangeNothing) {
    Rig rig;
    for (const SoundChannel c : kAllChannels) {
        rig.Start(c);
    }
    // At the main window, or at a window no channel has: nobody's, named or not.
    for (const WindowRef at : {kMain, WindowRef{0x999}}) {
        rig.channels.OnMciNotify(at, kMciNotifySuccessful, 0);
        rig.channels.OnMciNotify(at, kMciNotifySuccessful, rig[Alarm].deviceId);
    }
    // At the alarm's window, naming another channel's device or one nobody has.
    const WindowRef alarmWindow = rig[Alarm].notifyWindow;
    rig.channels.OnMciNotify(alarmWindow, kMciNotifySuccessful, rig[TimeSignal].deviceId);
    rig.channels.OnMciNotify(alarmWindow, kMciNotifySuccessful, 99);
    rig[Alarm].alias = nullptr;
    rig.Notify(Alarm);
    rig[TimeSignal].alias = ChannelAlias(Alarm);
    rig.Notify(TimeSignal);
    EXPECT_TRUE(rig.journal.empty());
    for (const SoundChannel c : kAllChannels) {
        EXPECT_TRUE(rig.channels.IsSounding(c));
    }
    const std::string lower = "zentrava_user_mode_audiosound"; // aliases compare without case
    rig[Audio].alias = lower.c_str();
    const WindowRef songWindow = rig[Audio].notifyWindow;
    rig.Notify(Audio);
    EXPECT_EQ(rig.Take().at(0), "status 13 mode wait");
    // The finished song's window went with its device: whatever arrives there is nobody's.
    EXPECT_FALSE(rig.windows.Live(songWindow));
    rig.channels.OnMciNotify(songWindow, kMciNotifySuccessful, 0);
    rig.channels.OnMciNotify(songWindow, kMciNotifySuccessful, 13);
    EXPECT_TRUE(rig.journal.empty());
}

void StopChannel(Rig& rig, SoundChannel c) {
    switch (c) {
    case Alarm:
        rig.channels.OnStopAlarm(kMain);
        break;
    case TimeSignal:
        rig.channels.OnStopTSSound(kMain);
        break;
    case SoundTest:
        rig.channels.OnStopAlarmSoundTest(kMain);
        break;
    case Audio:
        rig.channels.StopAudio(kMain);
        break;
    }
}

// Wine's device names no device. Each channel's end arrives at its own window and closes that
// channel alone, whichever other channel plays meanwhile; the next start, after the stop its
// caller sends while the channel sounds, shows no box, and the other sound plays on until its
// own stop.
TEST(SoundNotification, NamelessEndClosesItsOwnChannelWhileAnotherPlays) {
    for (const SoundChannel ending : kAllChannels) {
        for (const SoundChannel other : kAllChannels) {
            if (other == ending) {
                continue;
            }
            SCOPED_TRACE(std::string(ChannelAlias(ending)) + " ends while " + ChannelAlias(other) +
                         " plays");
            Rig rig;
            const MciDeviceId otherId = rig.Start(other);
            const MciDeviceId endingId = rig.Start(ending);
            const WindowRef endingWindow = rig[ending].notifyWindow;
            rig.NotifyNameless(ending);
            EXPECT_FALSE(rig.mci.IsOpen(endingId));
            ExpectIdle(rig, ending);
            EXPECT_FALSE(rig.windows.Live(endingWindow));
            EXPECT_TRUE(rig.mci.IsOpen(otherId));

            if (rig.channels.IsSounding(ending)) {
                StopChannel(rig, ending);
            }
            EXPECT_EQ(rig.StartRaw(ending, "again.wav"), 1);
            EXPECT_TRUE(rig.host.boxes.empty());
            EXPECT_TRUE(rig.mci.IsOpen(otherId));
            EXPECT_TRUE(rig.channels.IsSounding(other));
            StopChannel(rig, other);
            EXPECT_FALSE(rig.mci.IsOpen(otherId));
        }
    }
}

// A notification posted for a device that was closed before it was handled (the stop came
// first) arrives at a window that went with the device, while the channel may play anew under
// a reused device id: it closes nothing, neither the new sound nor another channel's.
TEST(SoundNotification, LateNotificationOfAClosedDeviceClosesNothing) {
    Rig rig;
    const MciDeviceId first = rig.Start(Alarm);
    const WindowRef firstWindow = rig[Alarm].notifyWindow;
    rig.channels.OnStopAlarm(kMain);
    rig.Start(TimeSignal);
    rig.Start(Alarm);
    rig.Take();
    for (const MciDeviceId named : {MciDeviceId{0}, first, rig[Alarm].deviceId}) {
        rig.mci.ReportMode(rig[Alarm].deviceId, kMciModePlay);
        rig.channels.OnMciNotify(firstWindow, kMciNotifySuccessful, named);
    }
    EXPECT_TRUE(rig.journal.empty());
    EXPECT_TRUE(rig.channels.IsSounding(Alarm));
    EXPECT_TRUE(rig.channels.IsSounding(TimeSignal));
    EXPECT_EQ(rig.mci.OpenCount(), 2u);
}

// Where no window of its own could be made, a channel's plays notify the window that started
// them, which then tells channels apart by the device id; without one, only while a single
// channel has a device open there.
TEST(SoundNotification, WithoutAWindowOfItsOwnTheOwnerWindowTakesTheEnd) {
    Journal journal;
    FakeMci mci{journal};
    FakeSoundHost host{journal};
    SoundChannels channels{mci, host};
    channels.Channel(Alarm).fileName = "a.wav";
    channels.Channel(TimeSignal).fileName = "t.wav";
    ASSERT_EQ(channels.OnStartAlarmSound(kMain), 1);
    EXPECT_EQ(mci.lastNotifyWindow, kMain);
    ASSERT_EQ(channels.OnStartTSSound(kMain), 1);
    channels.OnMciNotify(kMain, kMciNotifySuccessful, 0);
    EXPECT_EQ(mci.OpenCount(), 2u);
    channels.OnMciNotify(kMain, kMciNotifySuccessful, channels.Channel(TimeSignal).deviceId);
    EXPECT_FALSE(channels.IsSounding(TimeSignal));
    mci.ReportMode(channels.Channel(Alarm).deviceId, kMciModeStop);
    channels.OnMciNotify(kMain, kMciNotifySuccessful, 0);
    EXPECT_FALSE(channels.IsSounding(Alarm));
    EXPECT_EQ(mci.OpenCount(), 0u);
}

TEST(SoundNotification, SongAtItsEndIsClosedAndTheNextOneAskedFor) {
    Rig rig;
    rig.Start(Audio);
    rig.Notify(Audio);
    EXPECT_EQ(rig.Take(), (Journal{"status 11 mode wait", "stop 11", "close 11", "next song"}));
    ExpectIdle(rig, Audio);
    EXPECT_EQ(rig.audio().playlistRun, 1);

    rig.host.onNextSong = [&rig](WindowRef window) {
        rig[Audio].fileName = "next.mp3";
        rig.channels.OnMCIPlaySoundCmd(window);
    };
    rig.Start(Audio);
    rig.Notify(Audio);
    EXPECT_EQ(rig.Take(), (Journal{"status 12 mode wait", "stop 12", "close 12", "next song",
                                   Open("next.mp3", Audio), "volume 13 500", "play 13"}));
    EXPECT_TRUE(rig.channels.IsSounding(Audio));
    EXPECT_EQ(rig.audio().playlistRun, 0);
}

TEST(SoundNotification, StoppedSongPlaysOnOrTakesAPendingPause) {
    Rig rig;
    rig.mci.lengthMs = 239900;
    rig.Start(Audio);
    rig.mci.ReportMode(11, kMciModeStop);
    rig.Notify(Audio);
    EXPECT_EQ(rig.Take(),
              (Journal{"status 11 mode wait", "status 11 length wait", "seek dialog", "play 11"}));
    EXPECT_EQ(rig.audio().songLength, 239);

    rig.mci.ReportMode(11, kMciModeStop);
    rig.audio().pausePending = 1;
    rig.Notify(Audio);
    EXPECT_EQ(rig.Take(), (Journal{"status 11 mode wait", "status 11 length wait", "seek dialog"}));
    EXPECT_EQ(rig[Audio].paused, 1);
    EXPECT_EQ(rig.audio().pausePending, 0);

    rig.mci.ReportMode(11, kMciModePlay); // the end of a paused song's play: it stays
    rig.Notify(Audio);
    rig[Audio].sounding = 0; // open but not sounding: played on unless a pause is pending
    rig.mci.ReportMode(11, kMciModeStop);
    rig.Notify(Audio);
    rig.mci.ReportMode(11, kMciModeStop);
    rig.audio().pausePending = 1;
    rig.Notify(Audio);
    EXPECT_EQ(rig.Take(), (Journal{"status 11 mode wait", "status 11 mode wait", "play 11",
                                   "status 11 mode wait"}));
}

TEST(SoundNotification, AlarmAndTimeSignalEndCloseTheirChannelStoppedOnesPlayOn) {
    Rig rig;
    rig.Start(Alarm);
    rig.Start(TimeSignal);
    rig.mci.ReportMode(11, kMciModeStop);
    rig.Notify(Alarm);
    EXPECT_EQ(rig.Take(), (Journal{"status 11 mode", "play 11"}));
    rig.Notify(Alarm);
    rig.Notify(TimeSignal);
    EXPECT_EQ(rig.Take(), (Journal{"status 11 mode", "stop 11", "close 11", "status 12 mode",
                                   "stop 12", "close 12", "last custom -1"}));
    for (const SoundChannel c : {Alarm, TimeSignal}) {
        ExpectIdle(rig, c);
    }
    EXPECT_EQ(rig[Alarm].fileName, "");
    EXPECT_EQ(rig[TimeSignal].fileName, "sound.wav");
}

TEST(SoundNotification, SoundTestEndResetsTheButtonsButWhilePausedOnlyClearsThePause) {
    Rig rig;
    rig.Start(SoundTest);
    rig.channels.OnAlarmSoundTestPause(kMain);
    rig.mci.ReportMode(11, kMciModePlay);
    rig.Take();
    rig.Notify(SoundTest);
    EXPECT_EQ(rig.Take(), (Journal{"status 11 mode"}));
    EXPECT_EQ(rig[SoundTest].paused, 0);
    EXPECT_TRUE(rig.channels.IsSounding(SoundTest));
    rig.Notify(SoundTest);
    EXPECT_EQ(rig.Take(), (Journal{"status 11 mode", "stop 11", "close 11", "test buttons"}));
    ExpectIdle(rig, SoundTest);
    EXPECT_EQ(rig[SoundTest].alias, nullptr);
}

// A device that reached the end of its file stands stopped: its channel's stop closes it
// whether or not the end's notification came.
TEST(SoundStopOperations, StopInTheirModesAlsoAtTheEndAndOtherwiseLeaveTheChannelOpen) {
    struct Case {
        SoundChannel channel;
        std::function<void(SoundChannels&)> stop;
        std::vector<std::uint64_t> stopped;
    };
    const std::vector<Case> cases{
        {Alarm,
         [](SoundChannels& s) { s.OnStopAlarm(kMain); },
         {kMciModeStop, kMciModePlay, kMciModePause}},
        {TimeSignal,
         [](SoundChannels& s) { s.OnStopTSSound(kMain); },
         {kMciModeStop, kMciModePlay}},
        {SoundTest,
         [](SoundChannels& s) { s.OnStopAlarmSoundTest(kMain); },
         {kMciModeStop, kMciModePlay, kMciModePause}},
        {Audio,
         [](SoundChannels& s) { s.StopAudio(kMain); },
         {kMciModeStop, kMciModePlay, kMciModePause}},
    };
    for (const Case& c : cases) {
        for (const std::uint64_t mode :
             {kMciModeStop, kMciModePlay, kMciModePause, std::uint64_t{528}}) {
            SCOPED_TRACE(std::string(ChannelAlias(c.channel)) + " mode " + std::to_string(mode));
            Rig rig;
            const MciDeviceId id = rig.Start(c.channel);
            const WindowRef window = rig[c.channel].notifyWindow;
            rig[c.channel].paused = 1;
            rig.mci.ReportMode(id, mode);
            c.stop(rig.channels);
            const bool stops = std::count(c.stopped.begin(), c.stopped.end(), mode) != 0;
            EXPECT_EQ(rig.mci.IsOpen(id), !stops);
            EXPECT_EQ(rig.channels.IsSounding(c.channel), !stops);
            EXPECT_EQ(rig[c.channel].deviceId, stops ? 0u : id);
            EXPECT_EQ(rig.windows.Live(window), !stops);
            Journal expected{"status 11 mode"};
            if (stops) {
                expected.insert(expected.end(), {"stop 11", "close 11"});
            }
            if (stops && c.channel == TimeSignal) {
                expected.push_back("last custom -1");
            }
            if (c.channel == SoundTest) {
                EXPECT_EQ(rig[SoundTest].paused, stops ? 0 : 1);
            }
            if (c.channel == Audio) {
                if (stops) {
                    expected.push_back("kill timer");
                }
                expected.push_back("song index 0");
                EXPECT_EQ(rig[Audio].paused, 0);
            }
            EXPECT_EQ(rig.Take(), expected);
        }
    }
}

TEST(SoundStopOperations, AudioStopBetweenSongsBecomesARequestAndWhenIdleDoesNothing) {
    Rig rig;
    rig.channels.StopAudio(kMain);
    EXPECT_TRUE(rig.journal.empty());
    rig.audio().playlistRun = 1;
    rig[Audio].paused = 1;
    rig.channels.StopAudio(kMain);
    EXPECT_EQ(rig.Take(), (Journal{"song index 0"}));
    EXPECT_EQ(rig.audio().stopRequest, 1);
    EXPECT_EQ(rig.audio().playlistRun, 0);
    EXPECT_EQ(rig[Audio].paused, 0);
}

TEST(SoundStopOperations, AtTheEndEverySoundingChannelIsStoppedInOrder) {
    Rig rig;
    for (const SoundChannel c : {TimeSignal, Audio, SoundTest, Alarm}) {
        rig.Start(c); // devices 11..14 in this order
    }
    rig.channels.StopEverySound(kMain);
    Journal closes;
    for (const std::string& line : rig.Take()) {
        if (line.rfind("close", 0) == 0) {
            closes.push_back(line);
        }
    }
    EXPECT_EQ(closes, (Journal{"close 14", "close 12", "close 11", "close 13"}));
    EXPECT_EQ(rig.mci.OpenCount(), 0u);
}

// The mark that keeps a custom time signal from starting again while its sound may play goes
// whenever the channel closes, whatever closed it; otherwise that entry never sounds again in
// this run. A stop that leaves the channel open keeps it.
TEST(SoundTimeSignalMark, ClearedWheneverTheTimeSignalChannelCloses) {
    struct Case {
        const char* how;
        bool playing; // the time signal sounds before
        std::function<void(Rig&)> act;
        bool closes;
    };
    const Case cases[] = {
        {"its end", true, [](Rig& r) { r.Notify(TimeSignal); }, true},
        {"its end without a device id", true, [](Rig& r) { r.NotifyNameless(TimeSignal); }, true},
        {"its stop", true, [](Rig& r) { r.channels.OnStopTSSound(kMain); }, true},
        {"its stop at the end of the file", true,
         [](Rig& r) {
             r.mci.ReportMode(r[TimeSignal].deviceId, kMciModeStop);
             r.channels.OnStopTSSound(kMain);
         },
         true},
        {"its own failed start", false, [](Rig& r) { r.StartRaw(TimeSignal, "chime.ogg"); }, true},
        {"its failed play", false,
         [](Rig& r) {
             r.mci.FailNext(MciCommand::Play, 1, kErr);
             r.StartRaw(TimeSignal, "chime.wav");
         },
         true},
        {"an alarm's failed start", true, [](Rig& r) { r.StartRaw(Alarm, "alarm.ogg"); }, true},
        {"every sound stopped at the end", true, [](Rig& r) { r.channels.StopEverySound(kMain); },
         true},
        {"its stop while seeking", true,
         [](Rig& r) {
             r.mci.ReportMode(r[TimeSignal].deviceId, 528);
             r.channels.OnStopTSSound(kMain);
         },
         false},
        {"the alarm's stop", true,
         [](Rig& r) {
             r.Start(Alarm);
             r.channels.OnStopAlarm(kMain);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        Rig rig;
        if (c.playing) {
            rig.Start(TimeSignal);
        }
        c.act(rig);
        const Journal journal = rig.Take();
        EXPECT_EQ(std::count(journal.begin(), journal.end(), "last custom -1"), c.closes ? 1 : 0);
        EXPECT_EQ(rig.channels.IsSounding(TimeSignal), !c.closes);
    }
}

TEST(SoundHandlerFailures, AreReportedAndTheFlagsEndAsIfTheCommandSucceeded) {
    Rig rig;
    rig.Start(Audio);
    rig.mci.FailNext(MciCommand::Pause, 1, kErr);
    rig.channels.PauseAudio(kMain);
    EXPECT_EQ(rig[Audio].paused, 1);
    rig.mci.ReportMode(11, kMciModePause);
    rig.mci.FailNext(MciCommand::Resume, 1, kErr);
    rig.channels.PauseAudio(kMain);
    EXPECT_EQ(rig[Audio].paused, 0);
    rig.mci.FailNext(MciCommand::Stop, 1, kErr);
    rig.mci.FailNext(MciCommand::Close, 1, kErr);
    rig.channels.StopAudio(kMain);
    ExpectIdle(rig, Audio);
    EXPECT_EQ(rig.Take().back(), "song index 0");
    EXPECT_EQ(rig.host.boxes.size(), 4u);

    rig.Start(Alarm);
    rig.mci.FailNext(MciCommand::Stop, 1, kErr);
    rig.Notify(Alarm);
    ExpectIdle(rig, Alarm);
    EXPECT_EQ(rig[Alarm].fileName, "");
    EXPECT_EQ(rig.host.boxes.size(), 1u);
    rig.Start(SoundTest);
    rig.mci.FailNext(MciCommand::Close, 1, kErr);
    rig.Notify(SoundTest);
    EXPECT_EQ(rig.Take().back(), "test buttons");
    ExpectIdle(rig, SoundTest);
    EXPECT_EQ(rig.host.boxes.size(), 1u);
}

struct Failure {
    MciCommand command;
    MciError error = kErr;
};
struct Box {
    MciError error;
    const char* place;
    int number;
};
struct PlaceCase {
    SoundChannel channel;
    std::function<void(Rig&)> setUp;
    std::vector<Failure> failures;
    std::function<void(Rig&)> act;
    std::vector<Box> boxes;
    WindowRef owner = kMain;
};

std::vector<PlaceCase> PlaceCases() {
    using C = MciCommand;
    const auto none = [](Rig&) {};
    const auto playing = [](SoundChannel c) { return [c](Rig& r) { r.Start(c); }; };
    const auto stopped = [](SoundChannel c) {
        return [c](Rig& r) { r.mci.ReportMode(r.Start(c), kMciModeStop); };
    };
    const auto paused = [](SoundChannel c) {
        return [c](Rig& r) {
            r.Start(c);
            c == Audio ? r.channels.PauseAudio(kMain) : r.channels.OnAlarmSoundTestPause(kMain);
        };
    };
    const auto start = [](SoundChannel c) {
        return [c](Rig& r) { r.StartRaw(c, c == Audio ? "s.mp3" : "s.wav"); };
    };
    const auto notify = [](SoundChannel c) { return [c](Rig& r) { r.Notify(c); }; };
    const auto stopAudio = [](Rig& r) { r.channels.StopAudio(kMain); };
    const auto pauseAudio = [](Rig& r) { r.channels.PauseAudio(kMain); };
    const auto seek = [](Rig& r) { r.channels.OnSeekAudio(kMain, 90); };
    const auto stopAlarm = [](Rig& r) { r.channels.OnStopAlarm(kMain); };
    const auto stopTs = [](Rig& r) { r.channels.OnStopTSSound(kMain); };
    const auto testPause = [](Rig& r) { r.channels.OnAlarmSoundTestPause(kMain); };
    const auto stopTest = [](Rig& r) { r.channels.OnStopAlarmSoundTest(kMain); };
    const auto openedPaused = [](Rig& r) {
        r.audio().pausePending = 1;
        r.StartRaw(Audio, "s.mp3");
    };
    const auto audioIdleButOpen = [](Rig& r) {
        r.mci.ReportMode(r.Start(Audio), kMciModeStop);
        r[Audio].sounding = 0;
    };
    const char* audioStart = "OnMCIPlaySoundCmd関数内(Audio再生), MCI_OPEN or MCI_PLAY";
    const char* testStart = "OnStartAlarmSoundTest関数内, MCI_OPEN";
    const char* alarmStart = "OnStartAlarmSound関数内, MCI_OPENまたはMCI_PLAY";
    const char* tsStart = "OnStartTSSound関数内, MCI_OPEN or MCI_PLAY";

    std::vector<PlaceCase> cases;
    for (const C step : {C::Open, C::SetAudio, C::Play}) {
        cases.push_back({Audio, none, {{step}}, start(Audio), {{kErr, audioStart, 997}}});
        cases.push_back({SoundTest, none, {{step}}, start(SoundTest), {{kErr, testStart, 2144}}});
        cases.push_back({Alarm, none, {{step}}, start(Alarm), {{kErr, alarmStart, 2376}}});
        cases.push_back({TimeSignal, none, {{step}}, start(TimeSignal), {{kErr, tsStart, 2459}}});
    }
    const auto closeAll = [&cases, start](SoundChannel c, const char* startPlace, int startNumber,
                                          const char* place, int number) {
        cases.push_back({c,
                         [](Rig&) {},
                         {{C::Open}, {C::Close, kCloseAllErr}},
                         start(c),
                         {{kErr, startPlace, startNumber}, {kCloseAllErr, place, number}}});
    };
    closeAll(Audio, audioStart, 997, "OnMCIPlaySoundCmd関数内(Audio再生), MCI_CLOSE", 1003);
    closeAll(SoundTest, testStart, 2144,
             "OnStartAlarmSoundTest関数内, MCI_ALL_DEVICE_ID, MCI_CLOSE", 2150);
    closeAll(Alarm, alarmStart, 2376, "OnStartAlarmSound関数内, MCI_ALL_DEVICE_ID,MCI_CLOSE", 2382);
    closeAll(TimeSignal, tsStart, 2459, "OnStartTSSound関数内, MCI_ALL_DEVICE_ID, MCI_CLOSE", 2465);

    const auto one = [&cases](SoundChannel channel, std::function<void(Rig&)> setUp, C command,
                              std::function<void(Rig&)> act, const char* place, int number) {
        cases.push_back(
            {channel, std::move(setUp), {{command}}, std::move(act), {{kErr, place, number}}});
    };
    one(Audio, playing(Audio), C::Status, stopAudio,
        "OnCommand関数内IDM_STOP_AUDIOコマンド, MCI_STATUS", 1030);
    one(Audio, playing(Audio), C::Stop, stopAudio,
        "OnCommand関数内IDM_STOP_AUDIOコマンド, MCI_STOP", 1042);
    one(Audio, playing(Audio), C::Close, stopAudio,
        "OnCommand関数内IDM_STOP_AUDIOコマンド, MCI_CLOSE", 1048);
    one(Audio, paused(Audio), C::Status, pauseAudio,
        "OnCommand関数内IDM_PAUSE_AUDIOコマンド, MCI_STATUS", 1086);
    one(Audio, paused(Audio), C::Resume, pauseAudio,
        "OnCommand関数内IDM_PAUSE_AUDIOコマンド, MCI_RESUME", 1096);
    one(Audio, openedPaused, C::Play, pauseAudio,
        "OnCommand関数内IDM_PAUSE_AUDIOコマンド, MCI_PLAY", 1110);
    one(Audio, playing(Audio), C::Pause, pauseAudio,
        "OnCommand関数内IDM_PAUSE_AUDIOコマンド, MCI_PAUSE", 1122);
    one(Audio, playing(Audio), C::Status, notify(Audio), "OnMM_MCINotifyAudio関数内, MCI_STATUS",
        1157);
    one(Audio, stopped(Audio), C::Play, notify(Audio), "OnMM_MCINotify関数内, MCI_PLAY", 1177);
    one(Audio, audioIdleButOpen, C::Play, notify(Audio), "OnMM_MCINotify関数内, MCI_PLAY", 1196);
    one(Audio, playing(Audio), C::Stop, notify(Audio), "OnMM_MCINotifyAudio関数内, MCI_STOP", 1211);
    one(Audio, playing(Audio), C::Close, notify(Audio), "OnMM_MCINotifyAudio関数内, MCI_CLOSE",
        1217);
    one(Alarm, playing(Alarm), C::Status, notify(Alarm), "OnMM_MCINotifyAlarm関数内, MCI_STATUS",
        1253);
    one(Alarm, stopped(Alarm), C::Play, notify(Alarm), "OnMM_MCINotifyAlarm関数内, MCI_PLAY", 1267);
    one(Alarm, playing(Alarm), C::Stop, notify(Alarm), "OnMM_MCINotifyAlarm関数内, MCI_STOP", 1283);
    one(Alarm, playing(Alarm), C::Close, notify(Alarm), "OnMM_MCINotifyAlarm関数内, MCI_CLOSE",
        1289);
    one(TimeSignal, playing(TimeSignal), C::Status, notify(TimeSignal),
        "OnMM_MCINotifyTimeSignal関数内, MCI_STATUS", 1329);
    one(TimeSignal, stopped(TimeSignal), C::Play, notify(TimeSignal),
        "OnMM_MCINotifyTimeSignal関数内, MCI_PLAY", 1343);
    one(TimeSignal, playing(TimeSignal), C::Stop, notify(TimeSignal),
        "OnMM_MCINotifyTimeSignal関数内, MCI_STOP", 1359);
    one(TimeSignal, playing(TimeSignal), C::Close, notify(TimeSignal),
        "OnMM_MCINotifyTimeSignal関数内, MCI_CLOSE", 1365);
    one(SoundTest, playing(SoundTest), C::Status, notify(SoundTest),
        "OnMM_MCINotifySoundTest関数内, MCI_STATUS", 1403);
    one(SoundTest, stopped(SoundTest), C::Play, notify(SoundTest),
        "OnMM_MCINotifySoundTest関数内, MCI_PLAY", 1417);
    one(SoundTest, playing(SoundTest), C::Stop, notify(SoundTest),
        "OnMM_MCINotifySoundTest関数内, MCI_STOP", 1430);
    one(SoundTest, playing(SoundTest), C::Close, notify(SoundTest),
        "OnMM_MCINotifySoundTest関数内,MCI_CLOSE", 1436);
    one(Audio, playing(Audio), C::Stop, seek, "OnSeekAudio関数内, MCI_STOP", 1906);
    // A refused seek is reported only when playing from the position fails too.
    cases.push_back({Audio,
                     playing(Audio),
                     {{C::Seek}, {C::Play}},
                     seek,
                     {{kErr, "OnSeekAudio関数内, MCI_SEEK", 1917}}});
    one(Audio, playing(Audio), C::Play, seek, "OnSeekAudio関数内, MCI_PLAY", 1929);
    one(Alarm, playing(Alarm), C::Status, stopAlarm, "OnStopAlarm関数内, MCI_STATUS", 1950);
    one(Alarm, playing(Alarm), C::Stop, stopAlarm, "OnStopAlarm関数内, MCI_STOP", 1960);
    one(Alarm, playing(Alarm), C::Close, stopAlarm, "OnStopAlarm関数内, MCI_CLOSE", 1966);
    one(TimeSignal, playing(TimeSignal), C::Status, stopTs, "OnStopTSSound関数内, MCI_STATUS",
        1997);
    one(TimeSignal, playing(TimeSignal), C::Stop, stopTs, "OnStopTSSound関数内, MCI_STOP", 2007);
    one(TimeSignal, playing(TimeSignal), C::Close, stopTs, "OnStopTSSound関数内, MCI_CLOSE", 2013);
    one(SoundTest, paused(SoundTest), C::Status, testPause,
        "OnAlarmSoundTestPause関数内, MCI_STATUS", 2039);
    one(SoundTest, paused(SoundTest), C::Resume, testPause,
        "OnAlarmSoundTestPause関数内, MCI_RESUME", 2048);
    one(SoundTest, playing(SoundTest), C::Pause, testPause,
        "OnAlarmSoundTestPause関数内, MCI_PAUSE", 2060);
    one(SoundTest, playing(SoundTest), C::Status, stopTest,
        "OnStopAlarmSoundTest関数内, MCI_STATUS", 2179);
    one(SoundTest, playing(SoundTest), C::Stop, stopTest, "OnStopAlarmSoundTest関数内, MCI_STOP",
        2189);
    one(SoundTest, playing(SoundTest), C::Close, stopTest, "OnStopAlarmSoundTest関数内, MCI_CLOSE",
        2195);
    one(
        Audio, playing(Audio), C::Status, [](Rig& r) { r.channels.GetAudioLength(kMain); },
        "GetAudioLength関数内, MCI_STATUS", 2492);
    cases.push_back({Audio,
                     playing(Audio),
                     {{C::Status}},
                     [](Rig& r) { r.channels.GetAudioCurPos(kSeekDialog); },
                     {{kErr, "GetAudioCurPos関数内, MCI_STATUS", 2520}},
                     kSeekDialog});
    return cases;
}

// Each failing command shows one box naming its place, with the channel's alias.
TEST(SoundMciErrorBox, EveryFailingCommandNamesItsPlace) {
    const std::vector<PlaceCase> cases = PlaceCases();
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(std::string(c.boxes.at(0).place) + " " +
                     std::to_string(c.boxes.back().number));
        Rig rig;
        c.setUp(rig);
        rig.host.boxes.clear();
        for (const Failure& f : c.failures) {
            rig.mci.FailNext(f.command, 1, f.error);
        }
        c.act(rig);
        std::vector<ShownBox> expected;
        for (const Box& b : c.boxes) {
            expected.push_back({c.owner,
                                ExpectedBox(b.error, ChannelAlias(c.channel), b.place, b.number),
                                kMciErrorCaption});
        }
        EXPECT_EQ(rig.host.boxes, expected);
    }
}

} // namespace
} // namespace zentrava
