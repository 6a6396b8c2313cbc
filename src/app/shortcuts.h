#pragma once
// The rules of the program's shortcuts: their name, which special folder each place is, and
// where the link goes and starts in.

#include <optional>
#include <string>
#include <string_view>

namespace zentrava {

enum class ShortcutPlace { Desktop, Startup, AllUsersDesktop, AllUsersStartup };
inline constexpr int kShortcutPlaces = 4;

inline constexpr const char* kShortcutFileName = "Zentrava(64ビット).lnk";
inline constexpr const char* kShortcutDescription = "Zentrava(64ビット)";

// The platform's number for the special folder of each place (CSIDL_DESKTOP, CSIDL_STARTUP,
// CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_STARTUP).
constexpr int ShortcutFolderId(ShortcutPlace place) {
    switch (place) {
    case ShortcutPlace::Desktop:
        return 0x0000;
    case ShortcutPlace::Startup:
        return 0x0007;
    case ShortcutPlace::AllUsersDesktop:
        return 0x0019;
    case ShortcutPlace::AllUsersStartup:
        return 0x0018;
    }
    return 0x0000;
}

// The link in `folder`; nothing when there is no folder, so that a failed folder lookup can
// never turn into a link at the root of the drive.
std::optional<std::string> LinkPathIn(std::string_view folder);

// The folder a program path starts in: its drive and directory with the trailing separator.
std::string WorkingFolderOf(std::string_view programPath);

} // namespace zentrava
