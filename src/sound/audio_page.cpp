#include "sound/audio_page.h"

#include "base/format_text.h"

namespace zentrava {

std::array<std::string, kPlaylistCount> ListItems(int source) {
    static_assert(kPlaylistCount == kFolderPlaylistCount);
    const char* format = source == 0 ? "フォルダプレイリスト%02d" : "プレイリスト%02d";
    std::array<std::string, kPlaylistCount> items;
    for (int n = 0; n < kPlaylistCount; ++n) {
        items[static_cast<std::size_t>(n)] = FormatText(format, n + 1);
    }
    return items;
}

int ShownList(const AudioSettings& settings) {
    return settings.PlaysFolders() ? settings.SelectFolderPlayListNo : settings.SelectPlayListNo;
}

bool SelectShownList(AudioSettings& settings, int selection) {
    if (selection < 0 || selection >= kPlaylistCount) {
        return false;
    }
    (settings.PlaysFolders() ? settings.SelectFolderPlayListNo : settings.SelectPlayListNo) =
        selection;
    return true;
}

AudioPageButtons EnabledButtons(int source) {
    return source == 0 ? AudioPageButtons{false, true} : AudioPageButtons{true, false};
}

void SetSong(AudioSettings& settings, int slot, std::string path) {
    settings.playlists[static_cast<std::size_t>(settings.SelectPlayListNo)]
                      [static_cast<std::size_t>(slot)] = ChosenSong(std::move(path));
}

std::array<std::string, kSongsPerPlaylist> ShownSongNames(const AudioSettings& settings) {
    std::array<std::string, kSongsPerPlaylist> names;
    for (std::size_t s = 0; s < names.size(); ++s) {
        names[s] = settings.SelectedPlaylist()[s].displayName;
    }
    return names;
}

bool CommitAudioPage(PageCopies<AudioSettings>& copies, SettingsStore& store,
                     const std::function<void(const AudioSettings&)>& makeLive) {
    // Keys are compared with the last applied state, which Apply replaces before it saves.
    const AudioSettings written = copies.backup();
    AudioSettings live;
    return copies.Apply(live, [&](const AudioSettings& applied) {
        SaveAudioSettings(store, applied, &written);
        makeLive(applied);
    });
}

} // namespace zentrava
