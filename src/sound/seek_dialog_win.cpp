#include "sound/seek_dialog_win.h"

namespace zentrava {

INT_PTR OpenSeekDialog(HWND) {
    return 0;
}
bool SeekDialogOpen() {
    return false;
}
void RefreshSeekDialog() {}
void NotifySeekDialogNewSong() {}

} // namespace zentrava
