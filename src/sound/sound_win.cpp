#include "sound/sound_win.h"

#include "base/app_context_win.h"
#include "base/event_log_win.h"
#include "base/win_handles_win.h"
#include "resources/commands.h"

#include <mmsystem.h>

#include <array>
#include <mutex>

namespace zentrava {

namespace {

HWND ToHwnd(WindowRef window) {
    return reinterpret_cast<HWND>(window);
}

WindowRef ToRef(HWND hwnd) {
    return reinterpret_cast<WindowRef>(hwnd);
}

void Log(const std::string& line) {
    if constexpr (kTestHooks) {
        LogEvent(line);
    }
}

// Each call is exactly one mciSendCommandA with the flags the port names.
class WindowsMci final : public MciPort {
public:
    MciError Open(const char* deviceType, const char* element, const char* alias,
                  MciDeviceId& deviceId) override {
        MCI_OPEN_PARMSA open{};
        open.lpstrDeviceType = deviceType;
        open.lpstrElementName = element;
        open.lpstrAlias = alias;
        const MciError error =
            mciSendCommandA(0, MCI_OPEN, kMciOpenFlags, reinterpret_cast<DWORD_PTR>(&open));
        deviceId = open.wDeviceID;
        Log("mci open " + std::string(alias) + " " + std::to_string(error) + " " +
            std::to_string(deviceId));
        return error;
    }
    MciError Close(MciDeviceId id) override {
        Log("mci close " + std::to_string(id));
        return mciSendCommandA(id, MCI_CLOSE, MCI_WAIT, 0);
    }
    MciError CloseAll() override {
        Log("mci close-all");
        return mciSendCommandA(kMciAllDeviceId, MCI_CLOSE, 0, 0);
    }
    MciError Play(MciDeviceId id, WindowRef notifyWindow) override {
        MCI_PLAY_PARMS play{};
        play.dwCallback = notifyWindow;
        const MciError error =
            mciSendCommandA(id, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
        Log("mci play " + std::to_string(id) + " " + std::to_string(error));
        return error;
    }
    MciError PlayFrom(MciDeviceId id, std::uint32_t fromMs, WindowRef notifyWindow) override {
        MCI_PLAY_PARMS play{};
        play.dwCallback = notifyWindow;
        play.dwFrom = fromMs;
        const MciError error = mciSendCommandA(id, MCI_PLAY, MCI_FROM | MCI_NOTIFY,
                                               reinterpret_cast<DWORD_PTR>(&play));
        Log("mci play-from " + std::to_string(id) + " " + std::to_string(fromMs) + " " +
            std::to_string(error));
        return error;
    }
    MciError Stop(MciDeviceId id) override {
        Log("mci stop " + std::to_string(id));
        return mciSendCommandA(id, MCI_STOP, MCI_WAIT, 0);
    }
    MciError Pause(MciDeviceId id) override { return mciSendCommandA(id, MCI_PAUSE, 0, 0); }
    MciError Resume(MciDeviceId id) override { return mciSendCommandA(id, MCI_RESUME, 0, 0); }
    MciError Seek(MciDeviceId id, std::uint32_t toMs) override {
        MCI_SEEK_PARMS seek{};
        seek.dwTo = toMs;
        const MciError error =
            mciSendCommandA(id, MCI_SEEK, kMciSeekFlags, reinterpret_cast<DWORD_PTR>(&seek));
        Log("mci seek " + std::to_string(id) + " " + std::to_string(toMs) + " " +
            std::to_string(error));
        return error;
    }
    MciError Status(MciDeviceId id, MciStatusItem item, bool wait, std::uint64_t& value) override {
        MCI_STATUS_PARMS status{};
        status.dwItem = static_cast<DWORD>(item);
        const MciError error =
            mciSendCommandA(id, MCI_STATUS, MCI_STATUS_ITEM | (wait ? MCI_WAIT : 0),
                            reinterpret_cast<DWORD_PTR>(&status));
        value = status.dwReturn;
        if (item == MciStatusItem::Mode) {
            Log("mci mode " + std::to_string(id) + " " + std::to_string(value));
        }
        return error;
    }
    MciError SetVolume(MciDeviceId id, std::uint32_t value) override {
        // MCI_DGV_SETAUDIO_PARMSA of <digitalv.h>, spelled out: mingw's headers lack it.
        struct SetAudioParms {
            DWORD_PTR dwCallback;
            DWORD dwItem;
            DWORD dwValue;
            DWORD dwOver;
            LPSTR lpstrAlgorithm;
            LPSTR lpstrQuality;
        } parms{};
        parms.dwItem = kMciDgvSetAudioVolume;
        parms.dwValue = value;
        return mciSendCommandA(id, 0x0873 /* MCI_SETAUDIO */, kMciSetVolumeFlags,
                               reinterpret_cast<DWORD_PTR>(&parms));
    }
    std::string ErrorText(MciError error) override {
        char text[520] = {};
        if (!mciGetErrorStringA(error, text, sizeof text)) {
            return {};
        }
        return text;
    }
};
static_assert(kMciAllDeviceId == MCI_ALL_DEVICE_ID);

// Stands in until the main window installs the program's host: the boxes are shown, there is
// no feature to call back yet.
class NoSoundHost final : public SoundHost {
public:
    void ShowMessage(WindowRef owner, const std::string& text, const char* caption) override {
        ShowSoundMessage(owner, text, caption);
    }
    void NotifySeekDialog() override {}
    void PlayNextSong(WindowRef) override {}
    void ResetSoundTestButtons() override {}
    void EnableVolumeDialogAudioControls(bool) override {}
    void KillAudioPositionTimer() override {}
    void ClearLastCustomTimeSignal() override {}
    void ResetAudioSongIndex() override {}
};

struct PendingFiles {
    std::mutex mutex;
    std::array<std::string, kSoundChannelCount> paths;
};

PendingFiles& Pending() {
    static PendingFiles pending;
    return pending;
}

std::string PendingFile(SoundChannel channel) {
    PendingFiles& pending = Pending();
    const std::lock_guard lock(pending.mutex);
    return pending.paths[static_cast<std::size_t>(channel)];
}

void TakePendingFile(SoundChannel channel) {
    PendingFiles& pending = Pending();
    const std::lock_guard lock(pending.mutex);
    const std::string& path = pending.paths[static_cast<std::size_t>(channel)];
    Channels().Channel(channel).fileName = path;
    // Which alarm or chime started, by its file: the soak counts firings per file.
    if constexpr (kTestHooks) {
        Log("sound-start " + std::to_string(static_cast<int>(channel)) + " " + path);
    }
}

constexpr const char* kNotifyWindowClass = "ZentravaSoundNotify";

void OnNotification(HWND at, WPARAM code, LPARAM deviceId, const std::string& where) {
    Log("mci notify " + std::to_string(code) + " " + std::to_string(deviceId) + " " + where);
    Channels().OnMciNotify(ToRef(at), static_cast<std::uint32_t>(code),
                           static_cast<MciDeviceId>(deviceId));
}

// The handler may close the channel and with it destroy this very window: nothing of the
// window is used after it.
LRESULT CALLBACK NotifyWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == MM_MCINOTIFY) {
        OnNotification(hwnd, wParam, lParam,
                       std::to_string(GetWindowLongPtrA(hwnd, GWLP_USERDATA)));
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Message-only windows on the main window's thread, where MCI posts the notifications and the
// channels run.
class MessageWindows final : public NotifyWindows {
public:
    WindowRef Renew(SoundChannel channel) override {
        UniqueWindow& window = windows_[static_cast<std::size_t>(channel)];
        window.reset();
        if (!Registered()) {
            return 0;
        }
        window.reset(CreateWindowExA(0, kNotifyWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                     nullptr, Instance(), nullptr));
        if (window) {
            SetWindowLongPtrA(window.get(), GWLP_USERDATA, static_cast<LONG_PTR>(channel));
        }
        return ToRef(window.get());
    }
    void Release(SoundChannel channel) override {
        windows_[static_cast<std::size_t>(channel)].reset();
    }

private:
    static HINSTANCE Instance() {
        return Context().instance != nullptr ? Context().instance : GetModuleHandleA(nullptr);
    }
    static bool Registered() {
        static const bool registered = [] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = &NotifyWindowProc;
            wc.hInstance = Instance();
            wc.lpszClassName = kNotifyWindowClass;
            return RegisterClassA(&wc) != 0;
        }();
        return registered;
    }

    std::array<UniqueWindow, kSoundChannelCount> windows_;
};

MessageWindows& Windows() {
    static MessageWindows windows;
    return windows;
}

WindowsMci& Mci() {
    static WindowsMci mci;
    return mci;
}

} // namespace

SoundChannels& Channels() {
    static NoSoundHost noHost;
    static SoundChannels channels(Mci(), noHost, &Windows());
    return channels;
}

void ShowSoundMessage(WindowRef owner, const std::string& text, const char* caption) {
    Log("mci-box " + text.substr(0, text.find('\n')));
    // A start may have been sent by the tick: let it go on while the box is open.
    ReleaseSender();
    MessageBoxA(ToHwnd(owner), text.c_str(), caption, MB_OK);
}

void SetSoundHost(SoundHost& host) {
    Channels().SetHost(host);
}

bool AlarmChannelSounding() {
    return Channels().IsSounding(SoundChannel::Alarm);
}

void SetChannelFile(SoundChannel channel, const std::string& path) {
    PendingFiles& pending = Pending();
    const std::lock_guard lock(pending.mutex);
    pending.paths[static_cast<std::size_t>(channel)] = path;
}

bool DispatchSoundCommand(HWND hwnd, int id, LPARAM lParam, LRESULT& result) {
    SoundChannels& channels = Channels();
    const WindowRef window = ToRef(hwnd);
    result = 1;
    switch (id) {
    case kCmdStartAlarmSound:
        TakePendingFile(SoundChannel::Alarm);
        result = channels.OnStartAlarmSound(window);
        return true;
    case kCmdStopAlarm:
        channels.OnStopAlarm(window);
        return true;
    case kCmdStartTimeSignalSound:
        TakePendingFile(SoundChannel::TimeSignal);
        result = channels.OnStartTSSound(window);
        return true;
    case kCmdStopTimeSignalSound:
        channels.OnStopTSSound(window);
        return true;
    case kCmdSoundTest:
        result = channels.SoundTestToggle(window, PendingFile(SoundChannel::SoundTest));
        return true;
    case kCmdSoundTestPause:
        channels.OnAlarmSoundTestPause(window);
        return true;
    case kCmdStopAudio:
        channels.StopAudio(window);
        return true;
    case kCmdPauseAudio:
        channels.PauseAudio(window);
        return true;
    case kCmdSeekAudio:
        channels.OnSeekAudio(window, static_cast<int>(lParam));
        return true;
    default:
        return false;
    }
}

LRESULT OnSetVolumeRequest(WPARAM channel, LPARAM volume) {
    return static_cast<LRESULT>(
        Channels().SetVolumeRequest(static_cast<int>(channel), static_cast<std::uint32_t>(volume)));
}

void OnMciNotify(HWND hwnd, WPARAM code, LPARAM deviceId) {
    OnNotification(hwnd, code, deviceId, "main");
}

void StopEverySound(HWND hwnd) {
    Channels().StopEverySound(ToRef(hwnd));
}

} // namespace zentrava
