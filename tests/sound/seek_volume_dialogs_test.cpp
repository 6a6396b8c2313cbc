// The seek and volume dialogs' decisions, and what they make the sound channels do.

#include "sound/seek_dialog.h"
#include "sound/volume_dialog.h"

#include "base/test_text.h"
#include "sound/fake_mci.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace zentrava {
namespace {

using Journal = std::vector<std::string>;
using enum SoundChannel;

constexpr WindowRef kMain = 0x1000;
constexpr WindowRef kSeekDialog = 0x2000;
constexpr MciError kErr = 296;

TEST(SeekDialogTexts, ElapsedAndRemainingStayWithinTheSong) {
    struct Case {
        int position, length;
        const char* elapsed;
        const char* remaining;
    };
    const Case cases[] = {
        {65, 3725, "1:05", "-1:01:00"},      {0, 0, "0:00", "-0:00"},
        {3599, 3600, "59:59", "-0:01"},      {3600, 7261, "1:00:00", "-1:01:01"},
        {40000, 40000, "11:06:40", "-0:00"}, {-1, 100, "0:00", "-1:40"}, // a failed position query
        {250, 100, "1:40", "-0:00"},                                     // past the end
        {10, -1, "0:00", "-0:00"},                                       // a failed length query
    };
    for (const Case& c : cases) {
        const SeekTexts texts = SeekTextsFor(c.position, c.length);
        EXPECT_EQ(texts.elapsed, c.elapsed) << c.position << "/" << c.length;
        EXPECT_EQ(texts.remaining, c.remaining) << c.position << "/" << c.length;
    }
}

TEST(SeekDialogSlider, RangeHoldsEveryLengthAndTicksFollowIt) {
    const std::pair<int, int> maxima[] = {{0, 0},         {239, 239},     {32767, 32767},
                                          {32768, 32768}, {40000, 40000}, {86400 * 3, 86400 * 3},
                                          {-1, 0}};
    for (const auto& [length, maximum] : maxima) {
        EXPECT_EQ(SliderMaximum(length), maximum) << length;
    }
    const std::pair<int, int> ticks[] = {{-1, 10},    {0, 10},      {1800, 10},   {1801, 100},
                                         {3600, 100}, {3601, 1000}, {3725, 1000}, {40000, 1000}};
    for (const auto& [length, frequency] : ticks) {
        EXPECT_EQ(TickFrequency(length), frequency) << length;
    }
}

TEST(SeekDialogCaption, NamesTheSongWithoutFolderOrExtension) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Music\\My song.mp3", "My song"},
        {J("D:\\表\\ソング.tar.wav"), J("ソング.tar")}, // 0x5C trail bytes
        {"", ""},
    };
    for (const auto& [path, name] : cases) {
        EXPECT_EQ(SeekCaption(path), J("音楽再生シーク[♪") + name + "]") << path;
    }
}

TEST(SeekDialogSlider, DraggingSeeksOnlyWhenTheThumbIsLetGo) {
    struct Case {
        int code;
        bool handled, setDragging, dragging, seek;
    };
    const Case cases[] = {
        {0, true, false, false, true},   // line up
        {1, true, false, false, true},   // line down
        {2, true, false, false, true},   // page up
        {3, true, false, false, true},   // page down: a click on the track
        {4, true, true, false, true},    // thumb let go
        {5, true, true, true, false},    // thumb dragged
        {6, true, false, false, true},   // top
        {7, true, false, false, true},   // bottom
        {8, false, false, false, false}, // end of any move
        {9, false, false, false, false}, {-1, false, false, false, false},
    };
    for (const Case& c : cases) {
        const SeekSliderAction a = SeekSliderEvent(c.code);
        EXPECT_EQ(a.handled, c.handled) << c.code;
        EXPECT_EQ(a.setDragging, c.setDragging) << c.code;
        EXPECT_EQ(a.dragging, c.dragging) << c.code;
        EXPECT_EQ(a.seek, c.seek) << c.code;
    }
}

// One rule for the music's volume at a start, at an alarm's start and end, and in the dialog.
TEST(VolumeRule, MutedIsSilentLoweredOnlyWithTheSwitchWhileAnotherSoundPlays) {
    struct Case {
        int volume, mute, rule;
        bool otherSounding;
        int expected;
    };
    const Case cases[] = {
        {500, 0, 0, false, 500}, {500, 0, 0, true, 500}, // switch off: always full
        {500, 0, 1, false, 500}, {500, 0, 1, true, 99},  // switch on: down while others sound
        {1000, 0, 1, true, 199}, {0, 0, 1, true, 0},     {5, 0, 1, true, 0},
        {500, 1, 0, false, 0},   {500, 1, 0, true, 0}, // muted: silent, never lowered
        {500, 1, 1, false, 0},   {500, 1, 1, true, 0},
    };
    for (const Case& c : cases) {
        VolumeSettings v;
        v.AudioVolumeVal = c.volume;
        v.MuteAudio = c.mute;
        v.OtherSoundMuteAudio = c.rule;
        EXPECT_EQ(AudioVolume(v, c.otherSounding), c.expected)
            << c.volume << " mute " << c.mute << " rule " << c.rule << " " << c.otherSounding;
    }
}

struct Rig {
    Journal journal;
    FakeMci mci{journal};
    FakeSoundHost host{journal};
    FakeNotifyWindows windows;
    SoundChannels channels{mci, host, &windows};

    void Start(SoundChannel c) {
        channels.Channel(c).fileName = c == Audio ? "song.mp3" : "sound.wav";
        const int started = c == Alarm        ? channels.OnStartAlarmSound(kMain)
                            : c == TimeSignal ? channels.OnStartTSSound(kMain)
                            : c == Audio      ? channels.OnMCIPlaySoundCmd(kMain)
                                              : channels.OnStartAlarmSoundTest(kMain, "test.wav");
        EXPECT_EQ(started, 1);
    }
    Journal Take() { return std::exchange(journal, {}); }
    // Only the volume requests, in order.
    Journal Volumes() {
        Journal out;
        for (const std::string& line : Take()) {
            if (line.rfind("volume ", 0) == 0 && line.find("controls") == std::string::npos) {
                out.push_back(line);
            }
        }
        return out;
    }
};

TEST(VolumeDialog, WithSyncOneSliderMovesAllThreeWithoutItOnlyItself) {
    Rig rig;
    VolumeSettings v;
    v.VariousSoundAdjSync = 1;
    rig.channels.LoadVolumes(v);
    rig.Start(Alarm);      // 11
    rig.Start(SoundTest);  // 12
    rig.Start(Audio);      // 13
    rig.Start(TimeSignal); // 14
    rig.Take();
    EXPECT_EQ(MoveVolumeSlider(rig.channels, VolumeSlider::TimeSignal, 37),
              (std::array{true, true, true}));
    EXPECT_EQ(rig.Volumes(),
              (Journal{"volume 13 370", "volume 11 370", "volume 12 370", "volume 14 370"}));
    for (const VolumeSlider s :
         {VolumeSlider::Audio, VolumeSlider::Alarm, VolumeSlider::TimeSignal}) {
        EXPECT_EQ(SliderPositionOf(rig.channels.Volumes(), s), 37);
    }

    rig.channels.SetVolumeSync(false);
    EXPECT_EQ(MoveVolumeSlider(rig.channels, VolumeSlider::Alarm, 80),
              (std::array{false, true, false}));
    EXPECT_EQ(rig.Volumes(), (Journal{"volume 11 800", "volume 12 800"}));
    EXPECT_EQ(rig.channels.Volumes().TimeSignalVolumeVal, 370);
}

// With an alarm sounding: muted music is silent whatever the switch says, and with the switch
// off unmuted music plays at full volume.
TEST(VolumeDialog, AudioMuteAndSliderFollowTheOneRuleWhileAnAlarmSounds) {
    struct Case {
        int rule;
        bool mute;
        const char* sent;
    };
    const Case cases[] = {
        {0, true, "volume 11 0"},
        {0, false, "volume 11 600"},
        {1, true, "volume 11 0"},
        {1, false, "volume 11 119"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.rule) + (c.mute ? " muted" : " unmuted"));
        Rig rig;
        VolumeSettings v;
        v.AudioVolumeVal = 600;
        v.OtherSoundMuteAudio = c.rule;
        v.VariousSoundAdjSync = 0;
        rig.channels.LoadVolumes(v);
        rig.Start(Audio);
        rig.Start(Alarm);
        rig.Take();
        SetVolumeMute(rig.channels, VolumeSlider::Audio, c.mute);
        EXPECT_EQ(rig.Volumes(), (Journal{c.sent}));
        EXPECT_EQ(rig.channels.Volumes().MuteAudio, c.mute ? 1 : 0);
        MoveVolumeSlider(rig.channels, VolumeSlider::Audio, 60);
        EXPECT_EQ(rig.Volumes(), (Journal{c.sent}));
    }
}

TEST(VolumeDialog, SwitchingTheRuleWhileAnAlarmSoundsTurnsTheMusicDownAtOnce) {
    Rig rig;
    VolumeSettings v;
    v.AudioVolumeVal = 500;
    rig.channels.LoadVolumes(v);
    rig.Start(Audio);
    rig.Start(Alarm);
    rig.Take();
    EXPECT_TRUE(AudioControlsEnabled(rig.channels));
    SetOtherSoundRule(rig.channels, true);
    EXPECT_EQ(rig.Volumes(), (Journal{"volume 11 99"}));
    EXPECT_FALSE(AudioControlsEnabled(rig.channels));
    rig.channels.OnStopAlarm(kMain);
    EXPECT_EQ(rig.Volumes(), (Journal{"volume 11 500"}));
    EXPECT_TRUE(AudioControlsEnabled(rig.channels));
    SetOtherSoundRule(rig.channels, false);
    EXPECT_EQ(rig.Volumes(), (Journal{"volume 11 500"}));
    EXPECT_EQ(rig.channels.Volumes().OtherSoundMuteAudio, 0);
}

TEST(VolumeDialog, MutingTheAlarmMutesTheSoundTestUntilTheNextLoad) {
    Rig rig;
    VolumeSettings v;
    v.AlarmVolumeVal = 400;
    rig.channels.LoadVolumes(v);
    SetVolumeMute(rig.channels, VolumeSlider::Alarm, true);
    rig.Start(SoundTest);
    EXPECT_EQ(rig.Volumes(), (Journal{"volume 11 0"}));
    rig.channels.OnStopAlarmSoundTest(kMain);
    rig.channels.LoadVolumes(rig.channels.Volumes()); // MuteAlarm=1 as saved
    rig.Take();
    rig.Start(SoundTest);
    rig.Start(Alarm);
    EXPECT_EQ(rig.Volumes(), (Journal{"volume 12 400", "volume 13 0"}));
}

// Wine's MPEGVideo device refuses MCI_SEEK with MCI_TO; the song then plays from the position.
TEST(SeekFallback, RefusedSeekPlaysFromThePositionAndAPausedSongPausesAgain) {
    Rig rig;
    rig.Start(Audio); // 11
    rig.Take();
    rig.mci.positionMs = 0;
    rig.mci.FailNext(MciCommand::Seek, 1, kErr);
    rig.channels.OnSeekAudio(kMain, 90);
    EXPECT_EQ(rig.Take(), (Journal{"stop 11", "seek 11 90000", "playfrom 11 90000"}));
    EXPECT_EQ(rig.channels.GetAudioCurPos(kSeekDialog), 90);
    EXPECT_EQ(rig.mci.lastNotifyWindow, rig.channels.Channel(Audio).notifyWindow);
    EXPECT_TRUE(rig.host.boxes.empty());

    rig.channels.PauseAudio(kMain);
    rig.Take();
    rig.mci.FailNext(MciCommand::Seek, 1, kErr);
    rig.channels.OnSeekAudio(kMain, 5);
    EXPECT_EQ(rig.Take(), (Journal{"seek 11 5000", "playfrom 11 5000", "pause 11"}));
    EXPECT_EQ(rig.channels.Channel(Audio).paused.load(), 1);
    EXPECT_TRUE(rig.host.boxes.empty());
}

// The seek dialog asks for the position once a second; a failing device must not stack a box
// a second.
TEST(SeekPositionError, OneBoxPerSong) {
    Rig rig;
    rig.Start(Audio);
    rig.mci.FailNext(MciCommand::Status, 1, kErr);
    rig.mci.FailNext(MciCommand::Status, 2, kErr);
    rig.mci.FailNext(MciCommand::Status, 3, kErr);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rig.channels.GetAudioCurPos(kSeekDialog), -1);
    }
    EXPECT_EQ(rig.host.boxes.size(), 1u);
    rig.channels.StopAudio(kMain);
    rig.Start(Audio);
    rig.mci.FailNext(MciCommand::Status, 1, kErr);
    EXPECT_EQ(rig.channels.GetAudioCurPos(kSeekDialog), -1);
    EXPECT_EQ(rig.host.boxes.size(), 2u);
    EXPECT_EQ(rig.host.boxes.back().owner, kSeekDialog);
}

} // namespace
} // namespace zentrava
