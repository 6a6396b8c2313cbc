#pragma once
// The settings-sheet page "時間帯円グラフの設定": the 24 time bands, four at a time, each with
// its start and end time, its switch and its colour.

#include "dialogs/settings_sheet_win.h"
#include "face/time_bands.h"

#include <functional>
#include <memory>

namespace zentrava {

// `live` is the table the face paints from; it changes only on Apply, after which `onApplied`
// lets the clock repaint with it. Both must outlive the page.
std::unique_ptr<SheetPage> CreateTimeBandPage(TimeBands& live, std::function<void()> onApplied);

} // namespace zentrava
