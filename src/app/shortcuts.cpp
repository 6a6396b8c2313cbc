#include "app/shortcuts.h"

#include "base/cp932_text.h"

namespace zentrava {

namespace {

// Where the last path separator is, skipping the second bytes of double-byte characters: "ソ"
// ends in the byte of '\'.
std::string_view::size_type LastSeparator(std::string_view path) {
    std::string_view::size_type last = std::string_view::npos;
    for (std::string_view::size_type i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (IsCp932LeadByte(c)) {
            ++i;
        } else if (c == '\\' || c == '/') {
            last = i;
        }
    }
    return last;
}

} // namespace

std::optional<std::string> LinkPathIn(std::string_view folder) {
    if (folder.empty()) {
        return std::nullopt;
    }
    std::string path(folder);
    // A drive's root comes back as "C:\"; every other folder without the separator.
    if (LastSeparator(path) != path.size() - 1) {
        path += '\\';
    }
    return path + kShortcutFileName;
}

std::string WorkingFolderOf(std::string_view programPath) {
    const std::string_view::size_type slash = LastSeparator(programPath);
    if (slash == std::string_view::npos) {
        // A bare "C:zentrava.exe" still names its drive.
        const std::string_view::size_type colon = programPath.find(':');
        return colon == std::string_view::npos ? std::string()
                                               : std::string(programPath.substr(0, colon + 1));
    }
    return std::string(programPath.substr(0, slash + 1));
}

} // namespace zentrava
