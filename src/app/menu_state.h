#pragma once
// Which items of the context and tray menus are checked or grayed, and which text the
// show/hide item carries, decided from what the features report.

#include "resources/resource.h"

#include <array>

namespace zentrava {

// Where the audio player stands, as its flags say (sounding, paused, playlist run). A run
// between two songs has no song open, yet a pause or stop still applies to it.
enum class AudioPlayback {
    Idle,
    Playing,
    Paused,
    BetweenSongs,
};

// The audio channel's sounding flag decides first: while a song is open the playlist-run flag
// is stale, and a paused flag without an open song means nothing.
AudioPlayback AudioPlaybackOf(bool sounding, bool paused, bool playlistRun);

struct MenuInputs {
    int WindowDispOn = 1;
    bool alarmsArmed = false;
    int IntervalAlarmOn = 0;
    bool alarmSounding = false;
    bool noodleRunning = false;
    int noodleSelection = 0; // 0..2 for the 3, 4 and 5 minute items
    bool modalDialogOpen = false;
    bool seekWindowOpen = false;
    AudioPlayback audio = AudioPlayback::Idle;
    // A pause asked for while no song was open: the next song opens paused.
    bool audioPausePending = false;
    // The selected playlist holds a song, or the selected folder playable files.
    bool audioSourceHasSongs = false;
};

struct MenuItemState {
    int id = 0;
    bool enabled = true;
    bool checked = false;
};

inline constexpr int kMenuStateItemCount = 16;

struct MenuState {
    // The show/hide item names what choosing it would do next.
    int showHideTextId = IDS_MENU_ICONISE_CLOCK;
    std::array<MenuItemState, kMenuStateItemCount> items{};

    // Null for an item whose state no rule decides.
    const MenuItemState* Find(int id) const;
};

MenuState ComputeMenuState(const MenuInputs& in);

// Bitmap resources beside the audio items, sized to the menu's line height.
struct MenuBitmapIds {
    int play = 0;
    int pauseUnchecked = 0;
    int pauseChecked = 0;
    int stop = 0;
};

MenuBitmapIds MenuBitmapIdsForMenuHeight(int menuHeight);

} // namespace zentrava
