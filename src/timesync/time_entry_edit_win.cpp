#include "timesync/time_entry_edit_win.h"

namespace zentrava {

bool AttachTimeEntryEdit(HWND edit, TimeEntryField field) {
    (void)edit;
    (void)field;
    return false;
}

void DetachTimeEntryEdit(HWND edit) {
    (void)edit;
}

} // namespace zentrava
