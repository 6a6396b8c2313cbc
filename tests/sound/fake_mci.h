#pragma once
// A scripted MCI device and program around the sound channels. Both write what happens, in
// order, into one journal, so that a test reads the commands and the calls to the rest of the
// program as one sequence. The device behaves as MCI does where the channels depend on it:
// aliases are unique, commands to a device that is not open fail, a null device type cannot
// open, and a device's mode follows play, pause, resume, stop and seek.

#include "sound/sound_channels.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zentrava {

inline constexpr MciError kMciErrInvalidDeviceId = 257;
inline constexpr MciError kMciErrInvalidDeviceName = 263;
inline constexpr MciError kMciErrDuplicateAlias = 289;

class FakeMci final : public MciPort {
public:
    explicit FakeMci(std::vector<std::string>& journal) : journal_(journal) {}

    // The nth call of command from now on fails with error (CloseAll counts as a Close).
    void FailNext(MciCommand command, int nth, MciError error) {
        failures_.push_back({command, nth, error});
    }
    void ReportMode(MciDeviceId id, std::uint64_t mode) { devices_[id].mode = mode; }
    std::uint64_t lengthMs = 0;
    std::uint64_t positionMs = 0;
    WindowRef lastNotifyWindow = 0;
    MciDeviceId lastOpened = 0;

    bool IsOpen(MciDeviceId id) const { return devices_.count(id) != 0; }
    std::size_t OpenCount() const { return devices_.size(); }

    MciError Open(const char* deviceType, const char* element, const char* alias,
                  MciDeviceId& deviceId) override {
        Log(std::string("open ") + (deviceType ? deviceType : "null") + " " + element + " " +
            alias);
        deviceId = 0;
        if (const MciError e = Scripted(MciCommand::Open)) {
            return e;
        }
        if (deviceType == nullptr) {
            return kMciErrInvalidDeviceName;
        }
        for (const auto& [id, device] : devices_) {
            if (device.alias == alias) {
                return kMciErrDuplicateAlias;
            }
        }
        deviceId = lastOpened = nextId_++;
        devices_[deviceId] = {alias, kMciModeStop};
        return 0;
    }
    MciError Close(MciDeviceId id) override {
        Log("close " + std::to_string(id));
        return Command(MciCommand::Close, id, [&] { devices_.erase(id); });
    }
    MciError CloseAll() override {
        Log("closeall");
        if (const MciError e = Scripted(MciCommand::Close)) {
            return e;
        }
        devices_.clear();
        return 0;
    }
    MciError Play(MciDeviceId id, WindowRef notifyWindow) override {
        Log("play " + std::to_string(id));
        lastNotifyWindow = notifyWindow;
        return Command(MciCommand::Play, id, [&] { devices_[id].mode = kMciModePlay; });
    }
    MciError PlayFrom(MciDeviceId id, std::uint32_t fromMs, WindowRef notifyWindow) override {
        Log("playfrom " + std::to_string(id) + " " + std::to_string(fromMs));
        lastNotifyWindow = notifyWindow;
        return Command(MciCommand::Play, id, [&] {
            devices_[id].mode = kMciModePlay;
            positionMs = fromMs;
        });
    }
    MciError Stop(MciDeviceId id) override {
        Log("stop " + std::to_string(id));
        return Command(MciCommand::Stop, id, [&] { devices_[id].mode = kMciModeStop; });
    }
    MciError Pause(MciDeviceId id) override {
        Log("pause " + std::to_string(id));
        return Command(MciCommand::Pause, id, [&] { devices_[id].mode = kMciModePause; });
    }
    MciError Resume(MciDeviceId id) override {
        Log("resume " + std::to_string(id));
        return Command(MciCommand::Resume, id, [&] { devices_[id].mode = kMciModePlay; });
    }
    MciError Seek(MciDeviceId id, std::uint32_t toMs) override {
        Log("seek " + std::to_string(id) + " " + std::to_string(toMs));
        return Command(MciCommand::Seek, id, [&] {
            devices_[id].mode = kMciModeStop;
            positionMs = toMs;
        });
    }
    MciError Status(MciDeviceId id, MciStatusItem item, bool wait, std::uint64_t& value) override {
        static const std::map<MciStatusItem, std::string> kNames{
            {MciStatusItem::Length, "length"},
            {MciStatusItem::Position, "position"},
            {MciStatusItem::Mode, "mode"}};
        Log("status " + std::to_string(id) + " " + kNames.at(item) + (wait ? " wait" : ""));
        value = 0;
        return Command(MciCommand::Status, id, [&] {
            value = item == MciStatusItem::Mode     ? devices_[id].mode
                    : item == MciStatusItem::Length ? lengthMs
                                                    : positionMs;
        });
    }
    MciError SetVolume(MciDeviceId id, std::uint32_t value) override {
        Log("volume " + std::to_string(id) + " " + std::to_string(value));
        return Command(MciCommand::SetAudio, id, [] {});
    }
    std::string ErrorText(MciError error) override { return "text of " + std::to_string(error); }

private:
    struct Device {
        std::string alias;
        std::uint64_t mode = kMciModeStop;
    };
    struct Failure {
        MciCommand command;
        int remaining;
        MciError error;
    };

    void Log(std::string line) { journal_.push_back(std::move(line)); }

    MciError Scripted(MciCommand command) {
        MciError error = 0;
        for (Failure& f : failures_) {
            if (f.command == command && f.remaining > 0 && --f.remaining == 0) {
                error = f.error;
            }
        }
        return error;
    }

    MciError Command(MciCommand command, MciDeviceId id, const std::function<void()>& effect) {
        if (const MciError e = Scripted(command)) {
            return e;
        }
        if (!IsOpen(id)) {
            return kMciErrInvalidDeviceId;
        }
        effect();
        return 0;
    }

    std::vector<std::string>& journal_;
    std::vector<Failure> failures_;
    std::map<MciDeviceId, Device> devices_;
    MciDeviceId nextId_ = 11;
};

// Hands out a new window number at each open, as the glue makes a new window; a released
// window is gone for good, as a destroyed one is.
class FakeNotifyWindows final : public NotifyWindows {
public:
    WindowRef Renew(SoundChannel channel) override {
        live_[channel] = next_;
        return next_++;
    }
    void Release(SoundChannel channel) override { live_.erase(channel); }
    bool Live(WindowRef window) const {
        for (const auto& [channel, w] : live_) {
            if (w == window) {
                return true;
            }
        }
        return false;
    }
    std::size_t LiveCount() const { return live_.size(); }

private:
    std::map<SoundChannel, WindowRef> live_;
    WindowRef next_ = 0x501;
};

struct ShownBox {
    WindowRef owner;
    std::string text;
    std::string caption;
    friend bool operator==(const ShownBox&, const ShownBox&) = default;
};

class FakeSoundHost final : public SoundHost {
public:
    explicit FakeSoundHost(std::vector<std::string>& journal) : journal_(journal) {}
    std::vector<ShownBox> boxes;
    std::function<void(WindowRef)> onNextSong;

    void ShowMessage(WindowRef owner, const std::string& text, const char* caption) override {
        journal_.push_back("box");
        boxes.push_back({owner, text, caption});
    }
    void NotifySeekDialog() override { journal_.push_back("seek dialog"); }
    void PlayNextSong(WindowRef window) override {
        journal_.push_back("next song");
        if (onNextSong) {
            onNextSong(window);
        }
    }
    void ResetSoundTestButtons() override { journal_.push_back("test buttons"); }
    void EnableVolumeDialogAudioControls(bool enable) override {
        journal_.push_back(enable ? "volume controls on" : "volume controls off");
    }
    void KillAudioPositionTimer() override { journal_.push_back("kill timer"); }
    void ClearLastCustomTimeSignal() override { journal_.push_back("last custom -1"); }
    void ResetAudioSongIndex() override { journal_.push_back("song index 0"); }

private:
    std::vector<std::string>& journal_;
};

} // namespace zentrava
