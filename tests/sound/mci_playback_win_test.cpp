// The clock plays every sound through MCI's "MPEGVideo" device: open with an alias, set the
// volume, play with a notification to its window, ask the mode inside the notification, stop
// and close. These tests run that sequence on a WAV the test writes and an MP3 that CTest makes
// with sox beforehand, and check what reaches the sound output. Under scripts/wine-run the
// output is a capture file ($ZENTRAVA_AUDIO_CAPTURE, 16-bit PCM WAV written by ALSA), so the
// sound itself is measured, not only MCI's answers. ALSA's device there never waits, so Wine
// delivers a sound in bursts with silence between them: level and pitch are faithful, timing is
// not.

#include <windows.h>
#include <mmsystem.h>
#include <digitalv.h>

#include <gtest/gtest.h>

#include "sound/fake_mci.h"
#include "sound/mci_port.h"
#include "sound/sound_win.h"
#include "sound/test_sounds_win.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zentrava {
namespace {

constexpr double kToneRms = kToneAmplitude / std::numbers::sqrt2;
constexpr const char* kAlias = "Zentrava_User_Mode_AlarmSound";

// What the window saw of the notification, and MCI's answers to the mode query made inside
// it: once with the device the notification names, once with the device the test opened.
struct Notification {
    bool arrived = false;
    WPARAM flag = 0;
    LPARAM device = 0;
    DWORD afterPlayMs = 0;
    MCIERROR namedModeError = 0;
    MCIERROR modeError = 0;
    DWORD_PTR mode = 0;
};

struct NotifyTarget {
    MCIDEVICEID device = 0;
    DWORD playedAt = 0;
    Notification notification;
};

MCIERROR QueryMode(MCIDEVICEID device, DWORD_PTR& mode) {
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    const MCIERROR e = mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT,
                                       reinterpret_cast<DWORD_PTR>(&status));
    mode = status.dwReturn;
    return e;
}

LRESULT CALLBACK NotifyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != MM_MCINOTIFY) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    auto* target = reinterpret_cast<NotifyTarget*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    Notification& n = target->notification;
    n.arrived = true;
    n.flag = wParam;
    n.device = lParam;
    n.afterPlayMs = GetTickCount() - target->playedAt;
    DWORD_PTR ignored = 0;
    n.namedModeError = QueryMode(static_cast<MCIDEVICEID>(lParam), ignored);
    n.modeError = QueryMode(target->device, n.mode);
    return 0;
}

// A hidden window of the test's own, as the clock's main window receives its notifications.
class NotifyWindow {
public:
    explicit NotifyWindow(NotifyTarget& target) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &NotifyProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ZentravaMciTestWindow";
        RegisterClassA(&wc); // fails harmlessly from the second window on
        hwnd_ = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                wc.hInstance, nullptr);
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&target));
    }
    ~NotifyWindow() { DestroyWindow(hwnd_); }
    NotifyWindow(const NotifyWindow&) = delete;
    NotifyWindow& operator=(const NotifyWindow&) = delete;
    HWND get() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

void WaitForNotification(const NotifyTarget& target, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!target.notification.arrived) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) {
            return;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
        }
    }
}

MCIERROR Open(const std::string& path, const char* deviceType, MCIDEVICEID& device) {
    MCI_OPEN_PARMSA open{};
    open.lpstrDeviceType = deviceType;
    open.lpstrElementName = path.c_str();
    open.lpstrAlias = kAlias;
    const DWORD flags =
        MCI_WAIT | MCI_OPEN_ELEMENT | MCI_OPEN_ALIAS | (deviceType != nullptr ? MCI_OPEN_TYPE : 0);
    const MCIERROR e = mciSendCommandA(0, MCI_OPEN, flags, reinterpret_cast<DWORD_PTR>(&open));
    device = e == 0 ? open.wDeviceID : 0;
    return e;
}

// Closes the device even when an assertion ends the test early.
class OpenDevice {
public:
    explicit OpenDevice(MCIDEVICEID device) : device_(device) {}
    ~OpenDevice() { Close(); }
    OpenDevice(const OpenDevice&) = delete;
    OpenDevice& operator=(const OpenDevice&) = delete;
    MCIERROR Close() {
        const MCIDEVICEID device = device_;
        device_ = 0;
        return device == 0 ? 0 : mciSendCommandA(device, MCI_CLOSE, MCI_WAIT, 0);
    }

private:
    MCIDEVICEID device_;
};

struct Playback {
    MCIERROR open = 0;
    MCIDEVICEID device = 0;
    MCIERROR volume = 0;
    MCIERROR play = 0;
    Notification notification;
    MCIERROR stop = 0;
    MCIERROR close = 0;
};

// The clock's sequence from open to close, waiting up to 10 s for the end.
Playback PlayToTheEnd(const std::string& path, DWORD volume) {
    Playback p;
    NotifyTarget target;
    NotifyWindow window(target);
    p.open = Open(path, "MPEGVideo", p.device);
    if (p.open != 0) {
        return p;
    }
    OpenDevice device(p.device);
    target.device = p.device;

    MCI_DGV_SETAUDIO_PARMSA audio{};
    audio.dwItem = MCI_DGV_SETAUDIO_VOLUME;
    audio.dwValue = volume;
    p.volume = mciSendCommandA(p.device, MCI_SETAUDIO,
                               MCI_DGV_SETAUDIO_ITEM | MCI_DGV_SETAUDIO_VALUE | MCI_WAIT,
                               reinterpret_cast<DWORD_PTR>(&audio));

    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(window.get());
    target.playedAt = GetTickCount();
    p.play = mciSendCommandA(p.device, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
    if (p.play == 0) {
        WaitForNotification(target, 10000);
    }
    p.notification = target.notification;
    p.stop = mciSendCommandA(p.device, MCI_STOP, MCI_WAIT, 0);
    p.close = device.Close();
    return p;
}

std::string ErrorText(MCIERROR e) {
    char text[MAXERRORLENGTH] = "";
    return mciGetErrorStringA(e, text, sizeof text) ? text : "";
}

// Everything MCI answered and the capture held, for a failure's message.
std::string Describe(const Playback& p, const Capture& c) {
    char text[512];
    std::snprintf(text, sizeof text,
                  "open %lu, volume %lu, play %lu; notification %s: flag %u, device %d, after %lu "
                  "ms, mode inside %lu (error %lu; with the notification's device, error %lu); "
                  "stop %lu, close %lu; capture %s: %u Hz x %u, %zu frames of sound, level %.0f, "
                  "pitch %.0f Hz",
                  p.open, p.volume, p.play, p.notification.arrived ? "arrived" : "missing",
                  unsigned(p.notification.flag), int(p.notification.device),
                  p.notification.afterPlayMs, static_cast<unsigned long>(p.notification.mode),
                  p.notification.modeError, p.notification.namedModeError, p.stop, p.close,
                  c.found ? "found" : "missing", c.rate, c.channels, c.soundFrames, c.level,
                  c.pitchHz);
    return text;
}

// A sound file the test writes into the temporary folder, removed when the test ends.
class TempSound {
public:
    explicit TempSound(const char* name, const std::vector<unsigned char>& bytes)
        : path_(TempPath(name)), written_(WriteFileBytes(path_, bytes)) {}
    ~TempSound() { DeleteFileA(path_.c_str()); }
    TempSound(const TempSound&) = delete;
    TempSound& operator=(const TempSound&) = delete;
    const std::string& path() const { return path_; }
    bool written() const { return written_; }

private:
    std::string path_;
    bool written_;
};

struct SoundCase {
    const char* name;
    const char* tempName; // the test's WAV tone under this name, or else the MP3 CTest made
};

class MciPlayback : public ::testing::TestWithParam<SoundCase> {};

TEST_P(MciPlayback, PlaysToTheEndAndNotifiesSuccess) {
    const SoundCase& sound = GetParam();
    std::optional<TempSound> wav;
    std::string path = FromUnixPath(ZENTRAVA_BIN_DIR "/test_sounds/tone.mp3");
    if (sound.tempName != nullptr) {
        wav.emplace(sound.tempName, ToneWav());
        ASSERT_TRUE(wav->written());
        path = wav->path();
    }
    ASSERT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES)
        << path << " (CTest's sound_make_tone_mp3 makes it with sox)";
    ForgetCapture();
    const Playback p = PlayToTheEnd(path, 1000);
    const Capture c = ReadCapture(CapturePath());
    SCOPED_TRACE(Describe(p, c));

    ASSERT_EQ(p.open, 0u) << ErrorText(p.open);
    EXPECT_EQ(p.volume, 0u) << ErrorText(p.volume);
    ASSERT_EQ(p.play, 0u) << ErrorText(p.play);
    ASSERT_TRUE(p.notification.arrived);
    EXPECT_EQ(p.notification.flag, WPARAM{MCI_NOTIFY_SUCCESSFUL});
    // Not before most of the half second has been handed to the output.
    EXPECT_GE(p.notification.afterPlayMs, 250u);
    EXPECT_LT(p.notification.afterPlayMs, 3000u);
    if (UnderWine()) {
        // Wine's MPEGVideo driver names no device in its end-of-play notification, so the
        // mode can only be asked with the device the clock opened itself.
        EXPECT_EQ(p.notification.device, 0);
        EXPECT_EQ(p.notification.namedModeError, MCIERROR{MCIERR_INVALID_DEVICE_ID});
    } else {
        EXPECT_EQ(p.notification.device, LPARAM{p.device});
    }
    // The notification races the driver's own stop: either mode is the end of the sound.
    EXPECT_EQ(p.notification.modeError, 0u) << ErrorText(p.notification.modeError);
    EXPECT_TRUE(p.notification.mode == MCI_MODE_STOP || p.notification.mode == MCI_MODE_PLAY)
        << p.notification.mode;
    EXPECT_EQ(p.stop, 0u) << ErrorText(p.stop);
    EXPECT_EQ(p.close, 0u) << ErrorText(p.close);

    if (CapturePath().empty()) {
        return;
    }
    ASSERT_TRUE(c.found) << CapturePath();
    EXPECT_GT(double(c.soundFrames) / c.rate, 0.1);
    EXPECT_NEAR(c.level, kToneRms, 0.1 * kToneRms);
    EXPECT_NEAR(c.pitchHz, kToneHz, 0.05 * kToneHz);
}

INSTANTIATE_TEST_SUITE_P(
    Sounds, MciPlayback,
    ::testing::Values(SoundCase{"Wav", "zentrava_tone.wav"}, SoundCase{"Mp3", nullptr},
                      // The MPEGVideo device goes by the content, so a
                      // WAV under a name MCI does not know plays as well.
                      SoundCase{"WavUnderUnknownExtension", "zentrava_tone.zqx"}),
    [](const auto& param) { return std::string(param.param.name); });

// The volume scales the amplitude in proportion (500 is half as loud, not 50 dB less);
// beyond 1000 is refused.
TEST(MciVolume, ScalesTheAmplitudeInProportion) {
    if (CapturePath().empty()) {
        GTEST_SKIP() << "no capture of the sound output";
    }
    const TempSound wav("zentrava_tone.wav", ToneWav());
    ASSERT_TRUE(wav.written());
    const std::string& path = wav.path();
    struct Case {
        DWORD volume;
        double gain;
    };
    for (const Case& k : {Case{1000, 1.0}, Case{500, 0.5}, Case{100, 0.1}, Case{0, 0.0}}) {
        SCOPED_TRACE(k.volume);
        ForgetCapture();
        const Playback p = PlayToTheEnd(path, k.volume);
        const Capture c = ReadCapture(CapturePath());
        SCOPED_TRACE(Describe(p, c));
        ASSERT_EQ(p.volume, 0u) << ErrorText(p.volume);
        ASSERT_TRUE(p.notification.arrived);
        ASSERT_TRUE(c.found);
        if (k.gain == 0.0) {
            EXPECT_EQ(c.soundFrames, 0u);
        } else {
            EXPECT_NEAR(c.level, k.gain * kToneRms, 0.1 * k.gain * kToneRms);
        }
    }

    MCIDEVICEID device = 0;
    ASSERT_EQ(Open(path, "MPEGVideo", device), 0u);
    OpenDevice open(device);
    MCI_DGV_SETAUDIO_PARMSA audio{};
    audio.dwItem = MCI_DGV_SETAUDIO_VOLUME;
    audio.dwValue = 1001;
    EXPECT_EQ(mciSendCommandA(device, MCI_SETAUDIO,
                              MCI_DGV_SETAUDIO_ITEM | MCI_DGV_SETAUDIO_VALUE | MCI_WAIT,
                              reinterpret_cast<DWORD_PTR>(&audio)),
              MCIERROR{MCIERR_OUTOFRANGE});
}

// Wine's answers when a file cannot be opened. Each comes with a text to show, and the alias
// is free again afterwards, so the clock can open its next sound under the same name.
TEST(MciOpen, FailuresHaveATextAndFreeTheAlias) {
    struct Case {
        const char* what;
        std::string path;
        const char* deviceType;
        MCIERROR error;
    };
    const TempSound unknown("zentrava_tone.zqx", ToneWav());
    const TempSound tone("zentrava_tone.wav", ToneWav());
    ASSERT_TRUE(unknown.written() && tone.written());
    const Case cases[] = {
        {"unknown extension, no device type", unknown.path(), nullptr, MCIERR_EXTENSION_NOT_FOUND},
        {"missing file", TempPath("zentrava_missing.mp3"), "MPEGVideo", MCIERR_INTERNAL},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        MCIDEVICEID device = 0;
        const MCIERROR e = Open(k.path, k.deviceType, device);
        EXPECT_EQ(e, k.error) << ErrorText(e);
        EXPECT_FALSE(ErrorText(e).empty());
        OpenDevice opened(device);
        MCIDEVICEID next = 0;
        EXPECT_EQ(Open(tone.path(), "MPEGVideo", next), 0u);
        OpenDevice reopened(next);
    }
}

// A file named .mp3 that holds no sound opens and plays without a complaint: the play ends at
// once with a successful notification and nothing reaches the output. The clock cannot tell it
// from a very short sound.
TEST(MciOpen, NoiseNamedMp3PlaysAsSilenceAndSucceeds) {
    const TempSound noise("zentrava_noise.mp3", NoiseBytes());
    ASSERT_TRUE(noise.written());
    ForgetCapture();
    const Playback p = PlayToTheEnd(noise.path(), 1000);
    const Capture c = ReadCapture(CapturePath());
    SCOPED_TRACE(Describe(p, c));
    ASSERT_EQ(p.open, 0u) << ErrorText(p.open);
    ASSERT_EQ(p.play, 0u) << ErrorText(p.play);
    ASSERT_TRUE(p.notification.arrived);
    EXPECT_EQ(p.notification.flag, WPARAM{MCI_NOTIFY_SUCCESSFUL});
    EXPECT_EQ(p.close, 0u);
    if (!CapturePath().empty()) {
        EXPECT_EQ(c.soundFrames, 0u);
    }
}

std::uint64_t AudioMode() {
    std::uint64_t mode = 0;
    DWORD_PTR value = 0;
    QueryMode(Channels().Channel(SoundChannel::Audio).deviceId, value);
    mode = value;
    return mode;
}

// Wine's MPEGVideo device refuses MCI_SEEK with MCI_TO; the channel's seek must move the song
// all the same, playing on, or paused again when it was paused.
TEST(MciSeek, MovesTheSongPlayingOrPaused) {
    const TempSound wav("zentrava_seek.wav", ToneWav(30.0));
    ASSERT_TRUE(wav.written());
    NotifyTarget target;
    NotifyWindow window(target);
    const auto ref = reinterpret_cast<WindowRef>(window.get());
    std::vector<std::string> journal;
    FakeSoundHost host(journal);
    SoundChannels& channels = Channels();
    channels.SetHost(host);
    channels.Channel(SoundChannel::Audio).fileName = wav.path();
    ASSERT_EQ(channels.OnMCIPlaySoundCmd(ref), 1);
    EXPECT_EQ(channels.GetAudioLength(ref), 30);

    channels.OnSeekAudio(ref, 20);
    const int playing = channels.GetAudioCurPos(ref);
    EXPECT_GE(playing, 20);
    EXPECT_LE(playing, 30);

    channels.PauseAudio(ref);
    channels.OnSeekAudio(ref, 4);
    // What the device posts about the plays it gave up arrives meanwhile, and is no error.
    const DWORD end = GetTickCount() + 500;
    while (GetTickCount() < end) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
    EXPECT_EQ(channels.GetAudioCurPos(ref), 4);
    EXPECT_EQ(AudioMode(), MCI_MODE_PAUSE);
    EXPECT_EQ(channels.Channel(SoundChannel::Audio).paused.load(), 1);

    channels.StopAudio(ref);
    EXPECT_TRUE(host.boxes.empty()) << host.boxes.front().text;
}

// The portable channels send and compare the port's numbers; each must be the platform's own.
TEST(MciPortValues, AreThePlatformsOwn) {
    const std::pair<std::uint64_t, std::uint64_t> values[] = {
        {kMciNotify, MCI_NOTIFY},
        {kMciWait, MCI_WAIT},
        {kMciFrom, MCI_FROM},
        {kMciTo, MCI_TO},
        {kMciStatusItem, MCI_STATUS_ITEM},
        {kMciOpenElement, MCI_OPEN_ELEMENT},
        {kMciOpenAlias, MCI_OPEN_ALIAS},
        {kMciOpenType, MCI_OPEN_TYPE},
        {kMciDgvSetAudioItem, MCI_DGV_SETAUDIO_ITEM},
        {kMciDgvSetAudioValue, MCI_DGV_SETAUDIO_VALUE},
        {kMciDgvSetAudioVolume, MCI_DGV_SETAUDIO_VOLUME},
        {kMciAllDeviceId, MCI_ALL_DEVICE_ID},
        {kMciModeStop, MCI_MODE_STOP},
        {kMciModePlay, MCI_MODE_PLAY},
        {kMciModePause, MCI_MODE_PAUSE},
        {kMciNotifySuccessful, MCI_NOTIFY_SUCCESSFUL},
        {kMciNotifySuperseded, MCI_NOTIFY_SUPERSEDED},
        {kMciNotifyAborted, MCI_NOTIFY_ABORTED},
        {kMciNotifyFailure, MCI_NOTIFY_FAILURE},
        {static_cast<std::uint32_t>(MciCommand::Open), MCI_OPEN},
        {static_cast<std::uint32_t>(MciCommand::Close), MCI_CLOSE},
        {static_cast<std::uint32_t>(MciCommand::Play), MCI_PLAY},
        {static_cast<std::uint32_t>(MciCommand::Seek), MCI_SEEK},
        {static_cast<std::uint32_t>(MciCommand::Stop), MCI_STOP},
        {static_cast<std::uint32_t>(MciCommand::Pause), MCI_PAUSE},
        {static_cast<std::uint32_t>(MciCommand::Status), MCI_STATUS},
        {static_cast<std::uint32_t>(MciCommand::Resume), MCI_RESUME},
        {static_cast<std::uint32_t>(MciCommand::SetAudio), MCI_SETAUDIO},
        {static_cast<std::uint32_t>(MciStatusItem::Length), MCI_STATUS_LENGTH},
        {static_cast<std::uint32_t>(MciStatusItem::Position), MCI_STATUS_POSITION},
        {static_cast<std::uint32_t>(MciStatusItem::Mode), MCI_STATUS_MODE},
    };
    for (std::size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(values[i].first, values[i].second) << "value " << i;
    }
}

} // namespace
} // namespace zentrava
