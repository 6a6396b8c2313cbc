#include "sound/volume_dialog_win.h"

namespace zentrava {

INT_PTR OpenVolumeDialog(HWND) {
    return 0;
}
void EnableVolumeDialogAudioControls(bool) {}

} // namespace zentrava
