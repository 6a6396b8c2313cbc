#pragma once
// The volume dialog (dialog 122): the volumes and mutes of the sound channels, the sliders'
// sync and the rule that turns the music down while an alarm or time signal sounds.

#include <windows.h>

namespace zentrava {

// Command 40067: modal, owned by the main window.
INT_PTR OpenVolumeDialog(HWND owner);
// Window thread. The audio controls (1887, 1880, 2063) follow the other-sound rule while the
// dialog is open.
void EnableVolumeDialogAudioControls(bool enable);

} // namespace zentrava
