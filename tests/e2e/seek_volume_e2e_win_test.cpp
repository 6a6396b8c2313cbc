// The seek and volume dialogs as the user meets them, with the player's own 40042: the seek
// dialog names the song, its slider spans the song, a drag seeks once when the thumb is let go and
// the playing song carries the thumb along; the volume dialog moves the three sliders together,
// its volumes are saved at exit, and the music plays at the volume it set.

#include "base/test_hooks.h"
#include "e2e/sheet_support.h"
#include "resources/commands.h"
#include "resources/resource.h"
#include "sound/test_sounds_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zentrava::e2e {
namespace {

constexpr const char* kVolumeCaption = "各種サウンドの音量調整";

::testing::AssertionResult StartWithTone(ZentravaSession& session, const std::string& ini,
                                         double seconds, std::string& tone) {
    if (!session.Stage(ProgramPath(kTestBuild), "Zentrava")) {
        return ::testing::AssertionFailure() << session.lastError();
    }
    // The tone is the playlist's one song, played once by each 40042.
    tone = session.dir() + "tone.wav";
    const std::string songs = "[Audio_Setting]\r\nAudioRepeatOn=0\r\n[Audio_Sound_Setting]\r\n"
                              "AudioSoundFile0101=" +
                              tone + "\r\n";
    if (!WriteFileBytes(tone, ToneWav(seconds)) || !session.WriteIni(ini + songs)) {
        return ::testing::AssertionFailure() << "cannot write the tone or the settings";
    }
    if (!session.Launch() || session.WaitForMainWindow() == nullptr) {
        return ::testing::AssertionFailure() << session.lastError();
    }
    return ::testing::AssertionSuccess();
}

bool PlaySong(const ZentravaSession& session) {
    return session.Command(kCmdPlayAudio).has_value();
}

// What the trackbar sends its dialog while the thumb is dragged and when it is let go.
void Scroll(HWND dialog, HWND slider, int code, int position) {
    SendMessageA(slider, TBM_SETPOS, TRUE, position);
    SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(slider));
}

// Where a trackbar of the slider's size and range draws its thumb for a position, in screen
// coordinates: a trackbar of the test's own, laid out by the same common controls.
POINT ThumbCentre(HWND slider, int position) {
    RECT r{};
    GetClientRect(slider, &r);
    const HWND twin = CreateWindowExA(
        0, TRACKBAR_CLASSA, "",
        WS_POPUP | static_cast<DWORD>(GetWindowLongPtrA(slider, GWL_STYLE) & 0xFFFF), 0, 0, r.right,
        r.bottom, nullptr, nullptr, nullptr, nullptr);
    SendMessageA(twin, TBM_SETRANGEMIN, FALSE, SendMessageA(slider, TBM_GETRANGEMIN, 0, 0));
    SendMessageA(twin, TBM_SETRANGEMAX, TRUE, SendMessageA(slider, TBM_GETRANGEMAX, 0, 0));
    SendMessageA(twin, TBM_SETPOS, TRUE, position);
    RECT thumb{};
    SendMessageA(twin, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    DestroyWindow(twin);
    POINT centre{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    ClientToScreen(slider, &centre);
    return centre;
}

void CloseDialog(HWND dialog) {
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    WaitFor([dialog] { return !IsWindow(dialog); }, 5000);
}

TEST(SeekDialog, NamesTheSongSpansItAndSeeksOnceWhenTheThumbIsLetGo) {
    ZentravaSession session;
    std::string tone;
    ASSERT_TRUE(
        StartWithTone(session, "[Sound_Volume_Setting]\r\nAudioVolumeVal=0\r\n", 20.5, tone));
    // Opened paused, so that the song still sounds however fast the capture takes it.
    ASSERT_TRUE(session.Command(kCmdPauseAudio).has_value());
    ASSERT_TRUE(PlaySong(session));
    session.Post(WM_COMMAND, kCmdSeekDialog, 0);
    const HWND dialog = WaitForDialog(session, "音楽再生シーク[♪tone]");
    ASSERT_NE(dialog, nullptr);
    Screenshot(dialog, "seek_dialog.bmp");
    const HWND slider = GetDlgItem(dialog, IDC_SEEK_SLIDER);
    EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMIN, 0, 0), 0);
    EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMAX, 0, 0), 20);

    const std::string seek = "command " + std::to_string(kCmdSeekAudio) + " ";
    const std::size_t before = Count(session.EventLogText().value_or(""), seek);
    // The thumb is taken at the song's start and dragged past 5 s and back, then let go.
    const POINT start = ThumbCentre(slider, 0);
    const POINT target = ThumbCentre(slider, 5);
    SendMouse(0, start);
    SendMouse(MOUSEEVENTF_LEFTDOWN, start);
    for (const int position : {2, 8, 5}) {
        SendMouse(0, ThumbCentre(slider, position));
    }
    SendMouse(0, target);
    EXPECT_EQ(SendMessageA(slider, TBM_GETPOS, 0, 0), 5);
    EXPECT_EQ(Count(session.EventLogText().value_or(""), seek), before) << "no seek while dragged";
    SendMouse(MOUSEEVENTF_LEFTUP, target);
    const std::string log = session.WaitForLogLine(seek + "5");
    EXPECT_EQ(Count(log, seek), before + 1) << log;
    EXPECT_EQ(Count(log, seek + "5"), 1u) << log;
    // The device was moved there: by its seek, or under Wine by playing from the position.
    const std::string moved = session.WaitForLogLine("mci seek ");
    EXPECT_NE(moved.find("mci seek "), std::string::npos) << moved;
    EXPECT_EQ(moved.find("mci-box"), std::string::npos) << moved;
    // Playing on, the position timer carries the thumb along once a second.
    ASSERT_TRUE(session.Command(kCmdPauseAudio).has_value());
    EXPECT_TRUE(WaitFor([slider] { return SendMessageA(slider, TBM_GETPOS, 0, 0) >= 7; }, 6000))
        << SendMessageA(slider, TBM_GETPOS, 0, 0);
    CloseDialog(dialog);
    ExpectClosesCleanly(session);
}

TEST(VolumeDialog, WithSyncOneSliderMovesTheOthersAndTheVolumesAreSavedAtExit) {
    ZentravaSession session;
    std::string tone;
    ASSERT_TRUE(
        StartWithTone(session, "[Sound_Volume_Setting]\r\nVariousSoundAdjSync=1\r\n", 0.5, tone));
    session.Post(WM_COMMAND, kCmdVolumeDialog, 0);
    const HWND dialog = WaitForDialog(session, kVolumeCaption);
    ASSERT_NE(dialog, nullptr);
    Screenshot(dialog, "volume_dialog.bmp");
    const HWND timeSignal = GetDlgItem(dialog, IDC_VOL_TIME_SIGNAL_SLIDER);
    EXPECT_EQ(SendMessageA(timeSignal, TBM_GETPOS, 0, 0), 50);
    Scroll(dialog, timeSignal, TB_THUMBPOSITION, 37);
    for (const int id : {IDC_VOL_AUDIO_SLIDER, IDC_VOL_ALARM_SLIDER}) {
        EXPECT_EQ(SendMessageA(GetDlgItem(dialog, id), TBM_GETPOS, 0, 0), 37) << id;
    }
    CloseDialog(dialog);
    ExpectClosesCleanly(session);
    for (const char* key : {"AudioVolumeVal", "AlarmVolumeVal", "TimeSignalVolumeVal"}) {
        EXPECT_EQ(session.IniNumber("Sound_Volume_Setting", key), 370) << key;
    }
}

// The level of the music after the dialog set its volume, or nothing when sound is not captured.
std::optional<Capture> PlayAndCapture(const ZentravaSession& session) {
    if (CapturePath().empty()) {
        return std::nullopt;
    }
    ForgetCapture();
    const std::size_t closes = Count(session.EventLogText().value_or(""), "mci close ");
    EXPECT_TRUE(PlaySong(session));
    WaitFor([&] { return Count(session.EventLogText().value_or(""), "mci close ") > closes; },
            10000);
    return ReadCapture(CapturePath());
}

TEST(VolumeDialog, HalfVolumeHalvesTheMusicAndMuteSilencesIt) {
    ZentravaSession session;
    std::string tone;
    ASSERT_TRUE(StartWithTone(session,
                              "[Sound_Volume_Setting]\r\nAudioVolumeVal=1000\r\n"
                              "VariousSoundAdjSync=0\r\n",
                              1.0, tone));
    const std::optional<Capture> full = PlayAndCapture(session);

    session.Post(WM_COMMAND, kCmdVolumeDialog, 0);
    HWND dialog = WaitForDialog(session, kVolumeCaption);
    ASSERT_NE(dialog, nullptr);
    Scroll(dialog, GetDlgItem(dialog, IDC_VOL_AUDIO_SLIDER), TB_THUMBPOSITION, 50);
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog, IDC_VOL_ALARM_SLIDER), TBM_GETPOS, 0, 0), 50);
    CloseDialog(dialog);
    const std::optional<Capture> half = PlayAndCapture(session);

    session.Post(WM_COMMAND, kCmdVolumeDialog, 0);
    dialog = WaitForDialog(session, kVolumeCaption);
    ASSERT_NE(dialog, nullptr);
    SendMessageA(GetDlgItem(dialog, IDC_VOL_AUDIO_MUTE), BM_CLICK, 0, 0);
    CloseDialog(dialog);
    const std::optional<Capture> muted = PlayAndCapture(session);
    ExpectClosesCleanly(session);
    EXPECT_EQ(session.IniNumber("Sound_Volume_Setting", "AudioVolumeVal"), 500);
    EXPECT_EQ(session.IniNumber("Sound_Volume_Setting", "MuteAudio"), 1);
    EXPECT_EQ(session.IniNumber("Sound_Volume_Setting", "AlarmVolumeVal"), 500);

    if (!full || !half || !muted) {
        GTEST_SKIP() << "no capture of the sound output";
    }
    ASSERT_TRUE(full->found && half->found);
    EXPECT_GT(full->level, 1000.0);
    EXPECT_NEAR(half->level, full->level / 2, full->level * 0.05);
    EXPECT_EQ(muted->soundFrames, 0u);
}

} // namespace
} // namespace zentrava::e2e
