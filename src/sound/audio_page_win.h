#pragma once
// The "オーディオファイルの設定" page of the settings sheet: the ten playlists and ten folder
// playlists, which of them plays, in which order and whether it repeats.

#include "dialogs/settings_sheet_win.h"

#include <memory>

namespace zentrava {

std::unique_ptr<SheetPage> CreateAudioPage();

} // namespace zentrava
