#pragma once
// The three settings-sheet pages of the time signal and what they share: the "時報設定" page
// with its custom signals and start times, and the two pages of per-hour and per-half-hour
// sounds.

#include "alarms/time_signal.h"
#include "dialogs/settings_sheet_win.h"

#include <windows.h>

#include <memory>

namespace zentrava {

std::unique_ptr<SheetPage> CreateTimeSignalPage();
// page: SettingsPage::HourlySounds or SettingsPage::HalfHourlySounds.
std::unique_ptr<SheetPage> CreateChimeSoundsPage(SettingsPage page);

// Commits the page's part of `edited` into the live time signal and leaves the parts the other
// pages own as they are live now. Returns the record now live.
TimeSignalSettings CommitPagePart(SettingsPage page, const TimeSignalSettings& edited);

// Modal "各時報のオンオフ設定" over the 48 hourly and half-hourly switches of `working`. True
// when the user ended it with OK after clicking a box; Cancel leaves `working` as it was.
bool EditEachTimeSignal(HWND owner, TimeSignalSettings& working);

} // namespace zentrava
