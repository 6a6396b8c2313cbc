#pragma once
// The "インターバルアラーム、ラーメンタイマー設定" page of the settings sheet: the interval, its
// sound and switches, and the noodle timer's sound.

#include "dialogs/settings_sheet_win.h"

#include <windows.h>

#include <memory>

namespace zentrava {

// mainWindow owns the interval's timer, which apply and cancel restart.
std::unique_ptr<SheetPage> CreateIntervalNoodlePage(HWND mainWindow);

} // namespace zentrava
