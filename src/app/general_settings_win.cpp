#include "app/general_settings_win.h"

namespace zentrava {

void RunGeneralSettings(HWND) {}

} // namespace zentrava
