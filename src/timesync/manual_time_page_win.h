#pragma once
// The manual date-and-time page, second page of the date-and-time sheet: a date on a month
// calendar and a typed time that the program's clock takes on apply, and the computer's clock
// too when the user ticks the box for it.

#include "dialogs/settings_sheet_win.h"

#include <memory>

namespace zentrava {

std::unique_ptr<SheetPage> CreateManualTimePage();

} // namespace zentrava
