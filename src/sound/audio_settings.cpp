#include "sound/audio_settings.h"

#include "base/format_text.h"
#include "base/settings_keys.h"
#include "base/settings_path.h"

#include <array>

namespace zentrava {
namespace {

constexpr std::array<IntKey<AudioSettings>, 4> kAudioSettingKeys{{
    {"SelectAudioSource", &AudioSettings::SelectAudioSource},
    {"AudioRepeatOn", &AudioSettings::AudioRepeatOn},
    {"AudioPlaySetting", &AudioSettings::AudioPlaySetting},
    {"SelectPlayListNo", &AudioSettings::SelectPlayListNo},
}};
constexpr std::string_view kSelectFolderKey = "SelectFolderPlayListNo";

bool Put(SettingsStore& store, std::string_view section, std::string_view key,
         std::string_view value, bool changed) {
    return !changed || store.PutText(section, key, value);
}

} // namespace

AudioSong ChosenSong(std::string path) {
    AudioSong song;
    song.displayName = FileDisplayName(path);
    song.path = std::move(path);
    return song;
}

bool SelectedPlaylistHasSong(const AudioSettings& settings) {
    for (const AudioSong& song : settings.SelectedPlaylist()) {
        if (song.Playable()) {
            return true;
        }
    }
    return false;
}

std::string SongKey(int playlist, int song) {
    return FormatText("AudioSoundFile%02d%02d", playlist + 1, song + 1);
}

std::string FolderKey(int folder) {
    return FormatText("Audio_Folder_%02d", folder + 1);
}

AudioSettings LoadAudioSettings(const SettingsStore& store, const FolderReader& folders) {
    AudioSettings s;
    for (int f = 0; f < kFolderPlaylistCount; ++f) {
        std::string path =
            store.GetTrimmedText(kAudioFolderSection, FolderKey(f), "", kPathBufferSize);
        s.folders[f] = folders.IsDirectory(path) ? std::move(path) : std::string();
    }
    s.SelectFolderPlayListNo = GetClampedInt(store, kAudioFolderSection, kSelectFolderKey, 0);
    ReadInts<AudioSettings>(store, kAudioSettingSection, kAudioSettingKeys, s);
    for (int p = 0; p < kPlaylistCount; ++p) {
        for (int n = 0; n < kSongsPerPlaylist; ++n) {
            AudioSong& song = s.playlists[p][n];
            song.path =
                store.GetTrimmedText(kAudioSoundSettingSection, SongKey(p, n), "", kPathBufferSize);
            song.missing = !song.path.empty() && !store.FileExists(song.path);
            if (!song.missing) {
                song.displayName = FileDisplayName(song.path);
            }
        }
    }
    return s;
}

bool SaveAudioSettings(SettingsStore& store, const AudioSettings& settings,
                       const AudioSettings* before) {
    const AudioSettings& old = before ? *before : settings;
    const bool all = before == nullptr;
    bool ok = true;
    for (const IntKey<AudioSettings>& k : kAudioSettingKeys) {
        if (all || settings.*k.field != old.*k.field) {
            ok = store.PutInt(kAudioSettingSection, k.key, settings.*k.field) && ok;
        }
    }
    for (int p = 0; p < kPlaylistCount; ++p) {
        for (int n = 0; n < kSongsPerPlaylist; ++n) {
            const std::string& path = settings.playlists[p][n].path;
            ok = Put(store, kAudioSoundSettingSection, SongKey(p, n), path,
                     all || path != old.playlists[p][n].path) &&
                 ok;
        }
    }
    for (int f = 0; f < kFolderPlaylistCount; ++f) {
        ok = Put(store, kAudioFolderSection, FolderKey(f), settings.folders[f],
                 all || settings.folders[f] != old.folders[f]) &&
             ok;
    }
    if (all || settings.SelectFolderPlayListNo != old.SelectFolderPlayListNo) {
        ok = store.PutInt(kAudioFolderSection, kSelectFolderKey, settings.SelectFolderPlayListNo) &&
             ok;
    }
    return ok;
}

} // namespace zentrava
