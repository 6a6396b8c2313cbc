#pragma once
// Drops made as the shell makes them, for tests of the windows that take them.

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace zentrava {

// DROPFILES followed by the ANSI names, each ended by a NUL, with one more NUL after the last.
// The receiver frees it with DragFinish.
HDROP MakeDrop(const std::vector<std::string>& paths);

// DragFinish has freed the drop: its handle no longer names a block of memory.
bool DropFreed(HDROP drop);

} // namespace zentrava
