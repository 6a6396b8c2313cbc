#include "sound/audio_player_win.h"

#include "base/callback_gate_win.h"
#include "base/event_log_win.h"
#include "base/win_handles_win.h"
#include "sound/audio_player.h"
#include "sound/seek_dialog_win.h"
#include "sound/sound_win.h"

#include <mmsystem.h>
#include <shlwapi.h>

#include <atomic>
#include <ctime>
#include <mutex>

namespace zentrava {
namespace {

constexpr UINT kPositionPeriodMs = 1000;
constexpr UINT kPositionTimerResolution = 1000;

// Names come through the wide functions and are narrowed without best fit: FindFirstFileA would
// hand "café.wav" over as "cafe.wav" (a best-fit look-alike, under Wine and Windows alike),
// a name that opens nothing or another file. Without best fit the lost character is '?', which
// the scan knows to skip.
std::string Narrow(const wchar_t* name) {
    char text[MAX_PATH * 2];
    BOOL lost = FALSE;
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name, -1, text, sizeof text, "?",
                            &lost) == 0) {
        return "?";
    }
    return text;
}

std::wstring Widen(const std::string& text) {
    const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (n <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
    wide.resize(static_cast<std::size_t>(n - 1));
    return wide;
}

class WindowsFolders final : public FolderReader {
public:
    bool IsDirectory(std::string_view path) const override {
        return PathIsDirectoryA(std::string(path).c_str()) != FALSE;
    }
    std::vector<FolderEntry> List(std::string_view folder) const override {
        std::vector<FolderEntry> entries;
        const std::wstring pattern = Widen(std::string(folder) + "\\*.*");
        WIN32_FIND_DATAW data{};
        // The scan needs only the long names: without short names (FindExInfoBasic) nobody
        // has to make up an 8.3 name for each of thousands of entries.
        const UniqueFindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                                     FindExSearchNameMatch, nullptr,
                                                     FIND_FIRST_EX_LARGE_FETCH));
        if (!find) {
            return entries;
        }
        do {
            entries.push_back(
                {Narrow(data.cFileName), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
        } while (FindNextFileW(find.get(), &data) != FALSE);
        return entries;
    }
};

// The player's state. Window thread, except what the comments say.
struct PlayerState {
    AudioPlayer player{static_cast<std::uint32_t>(std::time(nullptr))};
    // 40042 is inside its first song's open (an error box's loop may run meanwhile).
    bool starting = false;
    // Read by the menu refresher.
    std::atomic<bool> hasSongs{false};
    // Read by the tick for the tray tip; written before the song opens, so the channel's
    // sounding flag never announces a song whose path is not here yet.
    std::mutex songMutex;
    std::string playingSong;
    // The position timer; its callback runs on the multimedia-timer thread.
    CallbackGate gate;
    UINT timerId = 0;
    bool periodBegun = false;
    std::atomic<HWND> window{nullptr};
    std::atomic<bool> refreshPending{false};
};

PlayerState& State() {
    static PlayerState state;
    return state;
}

WindowRef ToRef(HWND hwnd) {
    return reinterpret_cast<WindowRef>(hwnd);
}

void PublishHasSongs() {
    State().hasSongs.store(State().player.HasSongs());
}

// Never sends: the main window refreshes the seek dialog when the post arrives, at most one post
// waiting at a time.
void CALLBACK OnPositionTimer(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    PlayerState& state = State();
    state.gate.Run([&state] {
        if (!SeekDialogOpen() || state.refreshPending.exchange(true)) {
            return;
        }
        if (PostMessageA(state.window.load(), kAudioPositionMessage, 0, 0) == FALSE) {
            state.refreshPending.store(false);
        }
    });
}

void StartPositionTimer(HWND main) {
    PlayerState& state = State();
    if (state.timerId != 0) {
        return;
    }
    state.window.store(main);
    state.gate.Open();
    state.periodBegun = timeBeginPeriod(kPositionTimerResolution) == TIMERR_NOERROR;
    state.timerId = timeSetEvent(kPositionPeriodMs, 0, &OnPositionTimer, 0, TIME_PERIODIC);
    if (state.timerId == 0) {
        KillAudioPositionTimer();
        return;
    }
    if constexpr (kTestHooks) {
        LogEvent("audio timer start");
    }
}

bool PlaySong(HWND main, const std::string& path) {
    PlayerState& state = State();
    {
        const std::lock_guard lock(state.songMutex);
        state.playingSong = path;
    }
    if constexpr (kTestHooks) {
        LogEvent("audio song " + path);
    }
    SoundChannels& channels = Channels();
    channels.Channel(SoundChannel::Audio).fileName = path;
    if (channels.OnMCIPlaySoundCmd(ToRef(main)) != 1) {
        return false;
    }
    channels.Audio().songLength = channels.GetAudioLength(ToRef(main));
    NotifySeekDialogNewSong();
    return true;
}

// However a run ends (its last song, a stop asked between songs, a song that would not open),
// it leaves nothing behind: not between songs, no stop waiting for the next run, no timer.
void EndRun() {
    KillAudioPositionTimer();
    AudioRunState& run = Channels().Audio();
    run.playlistRun.store(0);
    run.stopRequest.store(0);
    if constexpr (kTestHooks) {
        LogEvent("audio run ended");
    }
}

} // namespace

const FolderReader& WindowsFolderReader() {
    static const WindowsFolders folders;
    return folders;
}

void LoadAudioPlayer(const SettingsStore& store) {
    State().player.Load(LoadAudioSettings(store, WindowsFolderReader()), WindowsFolderReader());
    PublishHasSongs();
}

void FreeAudioPlayer() {
    KillAudioPositionTimer();
}

AudioSettings LiveAudioSettings() {
    return State().player.Settings();
}

void ApplyAudioSettings(const AudioSettings& settings) {
    State().player.Load(settings, WindowsFolderReader());
    PublishHasSongs();
}

LRESULT PlayAudio(HWND main) {
    PlayerState& state = State();
    SoundChannels& channels = Channels();
    if (state.starting || channels.IsSounding(SoundChannel::Audio) ||
        channels.Audio().playlistRun.load() != 0) {
        return 1;
    }
    channels.Audio().stopRequest.store(0);
    const PlayStep step = state.player.StartRun(WindowsFolderReader());
    PublishHasSongs();
    if (!step.play) {
        return 1;
    }
    state.starting = true;
    const bool opened = PlaySong(main, step.path);
    state.starting = false;
    if (opened) {
        StartPositionTimer(main);
    } else {
        EndRun();
    }
    return 1;
}

void PlayNextSong(HWND main) {
    const bool stopRequested = Channels().Audio().stopRequest.load() != 0;
    const PlayStep step = State().player.Next(stopRequested);
    if (!step.play || !PlaySong(main, step.path)) {
        EndRun();
    }
}

void KillAudioPositionTimer() {
    PlayerState& state = State();
    state.gate.Close();
    if (state.timerId != 0) {
        timeKillEvent(state.timerId);
        state.timerId = 0;
        if constexpr (kTestHooks) {
            LogEvent("audio timer kill");
        }
    }
    if (state.periodBegun) {
        timeEndPeriod(kPositionTimerResolution);
        state.periodBegun = false;
    }
    state.gate.WaitUntilIdle();
}

void ResetAudioSongIndex() {
    State().player.ResetSongIndex();
}

void OnAudioPositionMessage() {
    State().refreshPending.store(false);
    RefreshSeekDialog();
}

bool AudioSourceHasSongs() {
    return State().hasSongs.load();
}

std::string PlayingSongPath() {
    PlayerState& state = State();
    const std::lock_guard lock(state.songMutex);
    return state.playingSong;
}

} // namespace zentrava
