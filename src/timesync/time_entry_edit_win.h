#pragma once
// The hour, minute and second edits of the manual date-and-time page: only digits that keep the
// field within its range, backspace, no pasting, and a context menu with one "copy" item. The
// page reads the values back from the edits itself.

#include "timesync/time_entry.h"

#include <windows.h>

namespace zentrava {

// Subclasses the edit; false when it could not be (the edit then takes any text, and the page's
// check on leaving and on apply still refuses it).
bool AttachTimeEntryEdit(HWND edit, TimeEntryField field);
// Gives the edit its own procedure back; before the page is destroyed.
void DetachTimeEntryEdit(HWND edit);

} // namespace zentrava
