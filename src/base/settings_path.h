#pragma once
// The per-user settings file lives beside the executable: "<drive><dir><base>_<user>.ini".

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zentrava {

struct PathParts {
    std::string drive; // "C:" or empty
    std::string dir;   // "\Tools\" with its trailing separator, or empty
    std::string base;  // "Clock"
    std::string ext;   // ".exe" or empty
};

// Splits like the platform's path splitter, but never mistakes the second byte of a CP932
// double-byte character (0x5C in "表", "ソ", ...) for a separator.
PathParts SplitPath(std::string_view path);

// The name a page or a notification shows for a path: file name and extension; empty for an
// empty path.
std::string FileDisplayName(std::string_view path);

// The settings-file path, or nothing when it would not fit a 260-character path buffer: a
// truncated name would read and write some other file.
std::optional<std::string> BuildSettingsPath(const PathParts& exe, std::string_view userName);

// A folder or user name with characters that CP932 lacks comes from the platform's ANSI
// functions with '?' in their place. '?' is never part of a file name and never the second
// byte of a double-byte character, so a path holding one names no file that could be written.
bool LostCharacters(std::string_view ansiPath);

} // namespace zentrava
