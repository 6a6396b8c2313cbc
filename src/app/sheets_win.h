#pragma once
// The two property sheets as the program composes them: which feature's page sits at which
// index, and the order in which the settings sheet's cancel puts pages back.

#include "dialogs/settings_sheet_win.h"

#include <windows.h>

#include <span>

namespace zentrava {

// kCmdSettingsSheet: the eight pages, opened on the page that was active last.
INT_PTR OpenSettingsSheet(HWND owner);
// kCmdDateTimeSheet: its two pages, opened on the first.
INT_PTR OpenDateTimeSheet(HWND owner);

// True while the settings sheet is on screen.
bool SettingsSheetOpen();

// The page whose test buttons the sound-test channel resets when a test sound ends: the alarm
// page sets itself here. The main window clears it before the settings sheet opens, so a test
// that ends later never reaches a page of an earlier sheet.
void SetSoundTestPage(HWND page);
HWND SoundTestPage();
void ClearSoundTestPage();

// The cancel handler of the settings sheet, in the order of CancelPlan.
void RunSettingsCancel(HWND mainWindow, std::span<SheetPage* const> pages);

} // namespace zentrava
