#pragma once
// The quick timer's window (dialog 123): modeless, owned by the clock window, at most one. It
// sets the time with its buttons, starts and stops the countdown, and chooses the sound and the
// picture. Closing it leaves a running countdown alone.

#include <windows.h>

namespace zentrava {

// Window thread: an open window is closed first as by its close button; then a fresh one.
// The new window, or null after telling the user.
HWND OpenQuickTimerWindow(HWND owner);

// The open window, or null: the message loop passes it dialog keys.
HWND QuickTimerWindow();

// Any thread. The tick never touches the window's controls: it asks for a repaint of the
// display, or posts that the time ran out and the window changes its controls itself.
void InvalidateQuickTimerDisplay();
void PostQuickTimerRanOut();

} // namespace zentrava
