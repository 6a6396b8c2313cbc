#pragma once
// The general settings dialog: the face's look and the window's behaviour, shown live on the
// clock while the dialog is open; OK writes them and the shortcuts, Cancel puts back what was
// shown when it opened.

#include <windows.h>

#include <optional>
#include <string>

namespace zentrava {

// Command 40048: modal, owned by the main clock window.
void RunGeneralSettings(HWND mainWindow);

// Test build: the tip the open dialog answers for a control, asked as its tooltip asks;
// nothing when no dialog is open or the answer ran over the notification's own fields.
std::optional<std::string> GeneralSettingsTipForTest(int control);

} // namespace zentrava
