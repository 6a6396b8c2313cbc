#include "app/menu_state.h"

#include "resources/commands.h"

#include <algorithm>

namespace zentrava {

namespace {

constexpr int kSmallMenuHeightLimit = 20;

} // namespace

AudioPlayback AudioPlaybackOf(bool sounding, bool paused, bool playlistRun) {
    if (sounding) {
        return paused ? AudioPlayback::Paused : AudioPlayback::Playing;
    }
    return playlistRun ? AudioPlayback::BetweenSongs : AudioPlayback::Idle;
}

const MenuItemState* MenuState::Find(int id) const {
    const auto it = std::find_if(items.begin(), items.end(),
                                 [id](const MenuItemState& s) { return s.id == id; });
    return it == items.end() ? nullptr : &*it;
}

MenuState ComputeMenuState(const MenuInputs& in) {
    const bool songOpen = in.audio == AudioPlayback::Playing || in.audio == AudioPlayback::Paused;
    // Pause and stop act on an open song and on a run waiting for its next song alike.
    const bool runInProgress = songOpen || in.audio == AudioPlayback::BetweenSongs;
    const bool dialogsFree = !in.modalDialogOpen;

    MenuState s;
    s.showHideTextId = in.WindowDispOn == 0 ? IDS_MENU_SHOW_CLOCK : IDS_MENU_ICONISE_CLOCK;
    s.items = {{
        {kCmdToggleAlarms, true, in.alarmsArmed},
        {kCmdIntervalAlarm, true, in.IntervalAlarmOn == 1},
        {kCmdStopAlarm, in.alarmSounding, false},
        {kCmdNoodle3, !in.noodleRunning, in.noodleRunning && in.noodleSelection == 0},
        {kCmdNoodle4, !in.noodleRunning, in.noodleRunning && in.noodleSelection == 1},
        {kCmdNoodle5, !in.noodleRunning, in.noodleRunning && in.noodleSelection == 2},
        {kCmdNoodleCancel, in.noodleRunning, false},
        {kCmdGeneralSettings, dialogsFree, false},
        {kCmdVolumeDialog, dialogsFree, false},
        {kCmdSettingsSheet, dialogsFree, false},
        {kCmdDateTimeSheet, dialogsFree, false},
        {kCmdAbout, dialogsFree, false},
        {kCmdSeekDialog, dialogsFree && !in.seekWindowOpen && runInProgress, false},
        {kCmdPlayAudio, in.audio == AudioPlayback::Idle && in.audioSourceHasSongs, false},
        {kCmdPauseAudio, runInProgress, in.audio == AudioPlayback::Paused || in.audioPausePending},
        {kCmdStopAudio, runInProgress, false},
    }};
    return s;
}

MenuBitmapIds MenuBitmapIdsForMenuHeight(int menuHeight) {
    if (menuHeight < kSmallMenuHeightLimit) {
        return MenuBitmapIds{IDB_MENU_SMALL_PLAY, IDB_MENU_SMALL_PAUSE,
                             IDB_MENU_SMALL_PAUSE_CHECKED, IDB_MENU_SMALL_STOP};
    }
    return MenuBitmapIds{IDB_MENU_LARGE_PLAY, IDB_MENU_LARGE_PAUSE, IDB_MENU_LARGE_PAUSE_CHECKED,
                         IDB_MENU_LARGE_STOP};
}

} // namespace zentrava
