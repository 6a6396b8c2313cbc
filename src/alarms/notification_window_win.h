#pragma once
// The alarm and timer notification window: modeless, owned by the clock window, at most one at
// a time. It shows the notification text in the alarm's font and colours, or the alarm's
// picture fitted to the screen with the text drawn over it; only its OK button closes it, and
// closing it leaves the sound alone.

#include <windows.h>

namespace zentrava {

// The open request (lParam of the command): 0-19 for an alarm, -1 for the quick timer; any other
// index opens nothing. The text, colours, font and picture are copied now, so a later alarm
// never changes an open window. The sender (the tick) is released before anything that may
// take long or wait for the user. The new window, or null.
HWND OpenNotificationWindow(HWND owner, LPARAM index);

// The open notification window, or null: the message loop passes it dialog keys.
HWND NotificationWindow();

} // namespace zentrava
