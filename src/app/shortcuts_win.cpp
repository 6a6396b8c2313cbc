#include "app/shortcuts_win.h"

namespace zentrava {

std::optional<std::string> ShortcutPath(ShortcutPlace) {
    return std::nullopt;
}

bool ShortcutExists(ShortcutPlace) {
    return false;
}

void ApplyShortcut(ShortcutPlace, bool) {}

} // namespace zentrava
