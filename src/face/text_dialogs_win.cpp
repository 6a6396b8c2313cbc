#include "face/text_dialogs_win.h"

namespace zentrava {

void RunFontSizesDialog(HWND, HWND, FontSettings&, const std::function<void()>&) {}

void RunTextColoursDialog(HWND, FontSettings&, const std::function<void()>&) {}

} // namespace zentrava
