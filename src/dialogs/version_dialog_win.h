#pragma once
// The version information dialog: the version read from the program's own version resource,
// the notice lines, and the web and mail links.

#include <windows.h>

namespace zentrava {

// Command 40002: modal, owned by the main clock window.
void RunVersionDialog(HWND owner);

} // namespace zentrava
