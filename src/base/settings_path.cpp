#include "base/settings_path.h"

#include "base/cp932_text.h"
#include "base/settings_store.h"

namespace zentrava {

PathParts SplitPath(std::string_view path) {
    PathParts parts;
    if (path.size() >= 2 && path[1] == ':') {
        parts.drive = std::string(path.substr(0, 2));
        path.remove_prefix(2);
    }
    // Positions of the last separator and the last dot, skipping double-byte characters.
    std::size_t lastSep = std::string_view::npos;
    std::size_t lastDot = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (IsCp932LeadByte(c) && i + 1 < path.size()) {
            ++i;
        } else if (c == '\\' || c == '/') {
            lastSep = i;
            lastDot = std::string_view::npos;
        } else if (c == '.') {
            lastDot = i;
        }
    }
    const std::size_t nameStart = lastSep == std::string_view::npos ? 0 : lastSep + 1;
    parts.dir = std::string(path.substr(0, nameStart));
    const std::string_view name = path.substr(nameStart);
    if (lastDot == std::string_view::npos) {
        parts.base = std::string(name);
    } else {
        parts.base = std::string(name.substr(0, lastDot - nameStart));
        parts.ext = std::string(name.substr(lastDot - nameStart));
    }
    return parts;
}

std::string FileDisplayName(std::string_view path) {
    const PathParts parts = SplitPath(path);
    return parts.base + parts.ext;
}

std::optional<std::string> BuildSettingsPath(const PathParts& exe, std::string_view userName) {
    std::string path = exe.drive + exe.dir + exe.base + "_";
    path += userName;
    path += ".ini";
    if (path.size() >= kPathBufferSize) {
        return std::nullopt;
    }
    return path;
}

bool LostCharacters(std::string_view ansiPath) {
    // A program started through a long-path name is given its own path with that prefix.
    constexpr std::string_view kLongPathPrefix = "\\\\?\\";
    if (ansiPath.starts_with(kLongPathPrefix)) {
        ansiPath.remove_prefix(kLongPathPrefix.size());
    }
    return ansiPath.find('?') != std::string_view::npos;
}

} // namespace zentrava
