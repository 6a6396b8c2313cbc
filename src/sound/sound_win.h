#pragma once
// The sound channels on the main window: the real MCI device, the host calls, the commands and
// messages that reach them. The channel rules live in sound_channels.h.

#include "sound/sound_channels.h"

#include <windows.h>

#include <string>

namespace zentrava {

SoundChannels& Channels();

// What the channels call back: installed by the main window before its first sound.
void SetSoundHost(SoundHost& host);
// The MCI error boxes, for any host.
void ShowSoundMessage(WindowRef owner, const std::string& text, const char* caption);

// Any thread.
bool AlarmChannelSounding();
// Any thread: the path the next start of the alarm (40029) or time-signal (40050) channel
// plays, or the next sound test (40035) tries. The window thread copies it into the channel when
// the command runs, so the channel's record stays its own.
void SetChannelFile(SoundChannel channel, const std::string& path);

// The sound commands (40029, 40030, 40035, 40036, 40044, 40045, 40050, 40051, 40063); false
// for any other id.
bool DispatchSoundCommand(HWND hwnd, int id, LPARAM lParam, LRESULT& result);
// WM_APP: the set-volume request.
LRESULT OnSetVolumeRequest(WPARAM channel, LPARAM volume);
// MM_MCINOTIFY at the main window. Each channel's plays notify a window of the channel's own;
// only a play for which no such window could be made notifies the main window.
void OnMciNotify(HWND hwnd, WPARAM code, LPARAM deviceId);
// WM_DESTROY.
void StopEverySound(HWND hwnd);

} // namespace zentrava
