#pragma once
// The program's shortcuts on the desktop and in the start-up folder, for this user or for all.

#include "app/shortcuts.h"

#include <windows.h>
#include <shlobj.h>

#include <optional>
#include <string>

namespace zentrava {

// How a place's folder is found: the shell's special-folder lookup, replaceable so that a
// platform without the folder can be tried.
using ShortcutFolderLookup = BOOL(WINAPI*)(HWND, LPSTR, int, BOOL);

// The link's full path, or nothing when the platform names no such folder.
std::optional<std::string> ShortcutPath(ShortcutPlace place,
                                        ShortcutFolderLookup lookup = SHGetSpecialFolderPathA);
bool ShortcutExists(ShortcutPlace place, ShortcutFolderLookup lookup = SHGetSpecialFolderPathA);
// OK of the general settings: a wanted link is made when missing, an unwanted one deleted.
// Failures are silent: the box shows the truth at the next opening.
void ApplyShortcut(ShortcutPlace place, bool wanted,
                   ShortcutFolderLookup lookup = SHGetSpecialFolderPathA);

} // namespace zentrava
