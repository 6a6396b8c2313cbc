#pragma once
// The settings-sheet page "タイムゾーンの設定": the two world zones' offsets, summer time, hand
// colour and hand switch, and the face's background picture with its rotation.

#include "dialogs/settings_sheet_win.h"
#include "face/world_zones.h"

#include <functional>
#include <memory>

namespace zentrava {

// `livePicture` is the program's picture record, replaced on Apply; `onApplied` runs after an
// Apply has saved, so the face can rebuild what it draws from the new settings. The live zones
// are the clock keeper's.
std::unique_ptr<SheetPage> CreateWorldZonePage(PictureSettings& livePicture,
                                               std::function<void()> onApplied);

} // namespace zentrava
