#pragma once
// The two sub-dialogs of the general settings that edit the clock's texts: their sizes and their
// colours. Both change the live settings at once and put them back on Cancel.

#include "face/appearance_settings.h"

#include <windows.h>

#include <functional>

namespace zentrava {

// The four text sizes; `relayout` makes the clock lay its face out again after each change.
void RunFontSizesDialog(HWND owner, HWND mainWindow, FontSettings& font,
                        const std::function<void()>& relayout);

// The four text colours; `repaint` redraws the clock after each change.
void RunTextColoursDialog(HWND owner, FontSettings& font, const std::function<void()>& repaint);

} // namespace zentrava
