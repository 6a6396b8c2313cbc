#pragma once
// The seek dialog (dialog 119): shows and changes the playing position of the current song.

#include <windows.h>

namespace zentrava {

// Command 40062: modal, owned by the main window.
INT_PTR OpenSeekDialog(HWND owner);
// Any thread: the dialog is open (the menu grays 40062 while it is).
bool SeekDialogOpen();
// Window thread. The position timer's once-a-second refresh (40065), when the dialog is open,
// the audio channel sounds and the user is not dragging the thumb.
void RefreshSeekDialog();
// Window thread. A new song was opened (40064), when the dialog is open.
void NotifySeekDialogNewSong();

} // namespace zentrava
