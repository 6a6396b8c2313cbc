#pragma once
// The general settings dialog: the face's look and the window's behaviour, shown live on the
// clock while the dialog is open; OK writes them and the shortcuts, Cancel puts back what was
// shown when it opened.

#include <windows.h>

namespace zentrava {

// Command 40048: modal, owned by the main clock window.
void RunGeneralSettings(HWND mainWindow);

} // namespace zentrava
