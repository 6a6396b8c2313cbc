#pragma once
// The audio player's settings (sections Audio_Setting, Audio_Sound_Setting, Audio_Folder): ten
// playlists of twenty songs, ten folder playlists, which of them plays, in which order and
// whether it repeats. The player keeps the live record; the audio page edits copies of it.

#include "base/settings_clamps.h"
#include "base/settings_store.h"
#include "sound/folder_reader.h"

#include <array>
#include <string>
#include <string_view>

namespace zentrava {

inline constexpr int kPlaylistCount = 10;
inline constexpr int kSongsPerPlaylist = 20;
inline constexpr int kFolderPlaylistCount = 10;

inline constexpr std::string_view kAudioSoundSettingSection = "Audio_Sound_Setting";

struct AudioSong {
    // The stored text, kept as it was read even when the file is not there: a song on a drive
    // that is not plugged in at start-up must survive the next save of the page.
    std::string path;
    std::string displayName; // file name and extension; empty while the file is not there
    // The path named no file at load and nobody has chosen a file for the slot since: the slot
    // plays as empty and shows as empty.
    bool missing = false;

    // What a run may play: a path that named a file.
    bool Playable() const { return !path.empty() && !missing; }

    friend bool operator==(const AudioSong&, const AudioSong&) = default;
};

using Playlist = std::array<AudioSong, kSongsPerPlaylist>;

struct AudioSettings {
    int AudioRepeatOn = 1;
    int AudioPlaySetting = 0; // 0 list order, 1 random
    int SelectPlayListNo = 0;
    std::array<Playlist, kPlaylistCount> playlists;
    int SelectAudioSource = 1; // 1 playlists, 0 folders
    int SelectFolderPlayListNo = 0;
    std::array<std::string, kFolderPlaylistCount> folders;

    bool PlaysFolders() const { return SelectAudioSource == 0; }
    const Playlist& SelectedPlaylist() const { return playlists[SelectPlayListNo]; }
    const std::string& SelectedFolder() const { return folders[SelectFolderPlayListNo]; }

    friend bool operator==(const AudioSettings&, const AudioSettings&) = default;
};

// The slot's song after the user chose a file for it (path empty: the slot was cleared).
AudioSong ChosenSong(std::string path);

// True when the selected playlist has a song a run may play.
bool SelectedPlaylistHasSong(const AudioSettings& settings);

// "AudioSoundFile%02d%02d" for playlist and song counted from 0.
std::string SongKey(int playlist, int song);
// "Audio_Folder_%02d" for a folder playlist counted from 0.
std::string FolderKey(int folder);

// Folders are kept only when `folders` says they are directories; song files by the store's
// file-existence rule (FindFirstFileA). Integers are clamped to what indexes the lists.
AudioSettings LoadAudioSettings(const SettingsStore& store, const FolderReader& folders);

// Writes the keys whose values differ from `before` (every key when before is null), in the
// file's order. Each key rewrites the whole file under Wine, so an apply that changed one slot
// writes one key. True when every write reached the file.
bool SaveAudioSettings(SettingsStore& store, const AudioSettings& settings,
                       const AudioSettings* before);

} // namespace zentrava
