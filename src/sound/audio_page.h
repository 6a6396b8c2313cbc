#pragma once
// What the "オーディオファイルの設定" page decides, apart from its controls: which list the
// drop-down offers and shows, which buttons work for the chosen source, what a chosen, cleared
// or dropped song does to the working copy, and what an apply writes.

#include "base/settings_store.h"
#include "dialogs/page_protocol.h"
#include "sound/audio_settings.h"

#include <array>
#include <functional>
#include <string>

namespace zentrava {

// The drop-down's ten items for the source (0 folders, 1 playlists), numbered from 01.
std::array<std::string, kPlaylistCount> ListItems(int source);

// The drop-down's selection: the selected folder playlist or playlist of the source shown.
int ShownList(const AudioSettings& settings);

// A selection the user made in the drop-down; false for none (CB_ERR) or one past the lists.
bool SelectShownList(AudioSettings& settings, int selection);

// Songs are chosen only while playlists play, a folder only while folders play.
struct AudioPageButtons {
    bool songs = false;
    bool folder = false;

    friend bool operator==(const AudioPageButtons&, const AudioPageButtons&) = default;
};
AudioPageButtons EnabledButtons(int source);

// The user chose (or, with an empty path, cleared) the song of `slot` in the selected playlist.
// Only such a slot loses a stored path that named no file at start-up.
void SetSong(AudioSettings& settings, int slot, std::string path);

// The names the twenty song edits show: those of the selected playlist.
std::array<std::string, kSongsPerPlaylist> ShownSongNames(const AudioSettings& settings);

// OK or Apply on a changed page: the working copy becomes live through `makeLive`, and only the
// keys that differ from the last apply are written (each write rewrites the whole file under
// Wine). True when the page was changed and so committed.
bool CommitAudioPage(PageCopies<AudioSettings>& copies, SettingsStore& store,
                     const std::function<void(const AudioSettings&)>& makeLive);

} // namespace zentrava
