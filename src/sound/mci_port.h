#pragma once
// The few MCI commands the sound channels send, one call each, so that the channels' rules run
// natively against a scripted device and on Windows against mciSendCommandA. Every call maps to
// exactly one mciSendCommandA with the flags written beside it; the glue adds nothing.

#include <cstdint>
#include <string>

namespace zentrava {

using MciError = std::uint32_t;    // MCIERROR: 0 is success
using MciDeviceId = std::uint32_t; // MCIDEVICEID: 0 is "no device"
// A window (HWND) carried through portable code as a number; 0 is none.
using WindowRef = std::uintptr_t;

// Published MCI values the channels compare against or the glue sends.
inline constexpr std::uint32_t kMciNotify = 0x1;
inline constexpr std::uint32_t kMciWait = 0x2;
inline constexpr std::uint32_t kMciFrom = 0x4;
inline constexpr std::uint32_t kMciTo = 0x8;
inline constexpr std::uint32_t kMciStatusItem = 0x100;
inline constexpr std::uint32_t kMciOpenElement = 0x200;
inline constexpr std::uint32_t kMciOpenAlias = 0x400;
inline constexpr std::uint32_t kMciOpenType = 0x2000;
inline constexpr std::uint32_t kMciDgvSetAudioItem = 0x800000;
inline constexpr std::uint32_t kMciDgvSetAudioValue = 0x1000000;
inline constexpr std::uint32_t kMciDgvSetAudioVolume = 0x4002;
// MCI_ALL_DEVICE_ID is (MCIDEVICEID)-1 and MCIDEVICEID has 32 bits: 0xFFFF closes nothing.
inline constexpr MciDeviceId kMciAllDeviceId = 0xFFFFFFFF;

inline constexpr std::uint64_t kMciModeStop = 525;
inline constexpr std::uint64_t kMciModePlay = 526;
inline constexpr std::uint64_t kMciModePause = 529;

// wParam of MM_MCINOTIFY.
inline constexpr std::uint32_t kMciNotifySuccessful = 1;
inline constexpr std::uint32_t kMciNotifySuperseded = 2;
inline constexpr std::uint32_t kMciNotifyAborted = 4;
inline constexpr std::uint32_t kMciNotifyFailure = 8;

// Flags of the calls whose flags never vary.
inline constexpr std::uint32_t kMciOpenFlags =
    kMciWait | kMciOpenElement | kMciOpenAlias | kMciOpenType;
inline constexpr std::uint32_t kMciSeekFlags = kMciTo | kMciWait;
inline constexpr std::uint32_t kMciSetVolumeFlags =
    kMciDgvSetAudioItem | kMciDgvSetAudioValue | kMciWait;
static_assert(kMciOpenFlags == 0x2602 && kMciSeekFlags == 0xA && kMciSetVolumeFlags == 0x1800002);

enum class MciCommand : std::uint32_t {
    Open = 0x0803,
    Close = 0x0804,
    Play = 0x0806,
    Seek = 0x0807,
    Stop = 0x0808,
    Pause = 0x0809,
    Status = 0x0814,
    Resume = 0x0855,
    SetAudio = 0x0873,
};

enum class MciStatusItem : std::uint32_t { Length = 1, Position = 2, Mode = 4 };

class MciPort {
public:
    virtual ~MciPort() = default;

    // MCI_OPEN to device 0 with kMciOpenFlags and an MCI_OPEN_PARMSA of callback 0. deviceType
    // may be null and then stays null in the block (MCI refuses the open with its own error).
    // deviceId receives the block's device id (0 when the open failed).
    virtual MciError Open(const char* deviceType, const char* element, const char* alias,
                          MciDeviceId& deviceId) = 0;
    // MCI_CLOSE with MCI_WAIT and no parameter block.
    virtual MciError Close(MciDeviceId id) = 0;
    // MCI_CLOSE to MCI_ALL_DEVICE_ID with no flags and no parameter block: closes every device
    // this process has open.
    virtual MciError CloseAll() = 0;
    // MCI_PLAY with MCI_NOTIFY only: an MCI_PLAY_PARMS with callback = notifyWindow and no
    // from or to, so play goes on from the current position and the end comes back as
    // MM_MCINOTIFY to that window.
    virtual MciError Play(MciDeviceId id, WindowRef notifyWindow) = 0;
    // MCI_PLAY with MCI_FROM and MCI_NOTIFY: as Play, from dwFrom = fromMs.
    virtual MciError PlayFrom(MciDeviceId id, std::uint32_t fromMs, WindowRef notifyWindow) = 0;
    // MCI_STOP with MCI_WAIT.
    virtual MciError Stop(MciDeviceId id) = 0;
    // MCI_PAUSE, no flags.
    virtual MciError Pause(MciDeviceId id) = 0;
    // MCI_RESUME, no flags.
    virtual MciError Resume(MciDeviceId id) = 0;
    // MCI_SEEK with kMciSeekFlags, dwTo = toMs (the device's time format stays milliseconds).
    virtual MciError Seek(MciDeviceId id, std::uint32_t toMs) = 0;
    // MCI_STATUS with MCI_STATUS_ITEM, plus MCI_WAIT when wait is true, on a zeroed
    // MCI_STATUS_PARMS. value receives the block's dwReturn whether or not the command
    // succeeded (so 0 when the device did not fill it in).
    virtual MciError Status(MciDeviceId id, MciStatusItem item, bool wait,
                            std::uint64_t& value) = 0;
    // MCI_SETAUDIO with kMciSetVolumeFlags: callback 0, item MCI_DGV_SETAUDIO_VOLUME,
    // dwValue = value, everything else 0.
    virtual MciError SetVolume(MciDeviceId id, std::uint32_t value) = 0;
    // mciGetErrorStringA into a 520-character buffer; empty when the platform has no text.
    virtual std::string ErrorText(MciError error) = 0;
};

} // namespace zentrava
