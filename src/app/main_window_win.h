#pragma once
// The main clock window: its window procedure, its creation and destruction sequences.

#include <windows.h>

namespace zentrava {

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// After a settings page applied something the face draws (bands, zones, their colours, the
// picture): the objects made from the settings are rebuilt and the face repainted. The picture
// is decoded again when its path or the face colour changed, or when the page that chooses it
// was applied (the user may have changed the file itself).
enum class PictureReload { IfChanged, Always };
void FaceSettingsApplied(HWND hwnd, PictureReload reload = PictureReload::IfChanged);

} // namespace zentrava
