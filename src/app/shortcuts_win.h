#pragma once
// The program's shortcuts on the desktop and in the start-up folder, for this user or for all.

#include <windows.h>

#include <optional>
#include <string>

namespace zentrava {

enum class ShortcutPlace { Desktop, Startup, AllUsersDesktop, AllUsersStartup };
inline constexpr int kShortcutPlaces = 4;

// The link's full path, or nothing when the platform names no such folder.
std::optional<std::string> ShortcutPath(ShortcutPlace place);
bool ShortcutExists(ShortcutPlace place);
// OK of the general settings: a wanted link is made when missing, an unwanted one deleted.
// Failures are silent: the box shows the truth at the next opening.
void ApplyShortcut(ShortcutPlace place, bool wanted);

} // namespace zentrava
