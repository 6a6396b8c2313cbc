#pragma once
// The time-server page of the date-and-time sheet: the server list, the synchronisation test
// and its report, and the switches and times of the automatic updates.

#include "dialogs/settings_sheet_win.h"

#include <memory>

namespace zentrava {

std::unique_ptr<SheetPage> CreateTimeServerPage();

} // namespace zentrava
