#pragma once
// The audio player on the main window: the live audio settings, the runs of 40042, the next
// song after each finished one, and the position timer that keeps the seek dialog current.

#include "base/settings_store.h"
#include "sound/audio_settings.h"
#include "sound/folder_reader.h"

#include <windows.h>

#include <string>

namespace zentrava {

// Posted to the main window by the position timer; its handler refreshes the seek dialog.
inline constexpr UINT kAudioPositionMessage = WM_APP + 10;

// The file system through PathIsDirectoryA and the wide find functions, names narrowed to the
// code page without best fit (a name outside it keeps its "?", so the scan can skip it).
const FolderReader& WindowsFolderReader();

// Window thread, at the main window's creation: the settings and the selected folder's list.
void LoadAudioPlayer(const SettingsStore& store);
// Window thread, at the main window's destruction: the position timer goes, whatever the run.
void FreeAudioPlayer();

// Window thread. A copy of the live record: the audio page opens on it.
AudioSettings LiveAudioSettings();
// Window thread. The audio page's apply: the record becomes live and a run in progress goes on
// with it. The page has saved what changed.
void ApplyAudioSettings(const AudioSettings& settings);

// Command 40042: starts a run unless one is in progress. Always 1.
LRESULT PlayAudio(HWND main);
// The channels' calls: the next song after a finished one; a stop of a sounding song.
void PlayNextSong(HWND main);
void KillAudioPositionTimer();
void ResetAudioSongIndex();
// kAudioPositionMessage at the main window.
void OnAudioPositionMessage();

// Any thread: the menu offers 40042 (the selected playlist holds a song, or the selected folder
// playable files).
bool AudioSourceHasSongs();
// Any thread: the path of the song opened last (the tray tip shows it while the audio channel
// sounds).
std::string PlayingSongPath();

} // namespace zentrava
