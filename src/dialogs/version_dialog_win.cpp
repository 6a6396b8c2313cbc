#include "dialogs/version_dialog_win.h"

namespace zentrava {

void RunVersionDialog(HWND) {}

} // namespace zentrava
