#include "dialogs/file_pickers.h"

#include "base/cp932_text.h"
#include "base/settings_path.h"

#include <algorithm>
#include <array>

namespace zentrava {

namespace {

constexpr std::array<std::string_view, 6> kSoundExtensions = {".wav", ".wma",  ".mp3",
                                                              ".mid", ".midi", ".rmi"};
constexpr std::array<std::string_view, 5> kPictureExtensions = {".bmp", ".jpg", ".jpeg", ".png",
                                                                ".gif"};

bool Takes(FileKind kind, std::string_view path) {
    return path.size() <= kLongestChosenPath && AcceptsFile(kind, path);
}

} // namespace

bool AcceptsFile(FileKind kind, std::string_view path) {
    // The splitter knows CP932, so a trail byte 0x5C inside a folder name is not a separator.
    const std::string ext = SplitPath(path).ext;
    auto matches = [&ext](std::string_view accepted) { return SameIgnoringCase(ext, accepted); };
    return kind == FileKind::Sound ? std::ranges::any_of(kSoundExtensions, matches)
                                   : std::ranges::any_of(kPictureExtensions, matches);
}

std::string ChooserStartFolder(std::string_view currentPath) {
    if (currentPath.empty()) {
        return {};
    }
    const PathParts parts = SplitPath(currentPath);
    return parts.drive + parts.dir;
}

ChooserVerdict ConcludeChooser(FileKind kind, bool dialogOk, std::string_view chosenPath,
                               std::string_view fileTitle, ChosenFile& current) {
    if (!dialogOk) {
        return ChooserVerdict::Cancelled;
    }
    if (!Takes(kind, chosenPath)) {
        current = {};
        return ChooserVerdict::Refused;
    }
    current.path = std::string(chosenPath);
    current.displayName =
        kind == FileKind::Sound ? std::string(fileTitle) : FileDisplayName(chosenPath);
    return ChooserVerdict::Accepted;
}

const char* RefusalMessage(FileKind kind) {
    return kind == FileKind::Sound ? kNotPlayableMessage : kNotPictureMessage;
}

std::optional<ChosenFile> AcceptDrop(FileKind kind, unsigned fileCount, std::string_view path) {
    if (fileCount != 1 || !Takes(kind, path)) {
        return std::nullopt;
    }
    return ChosenFile{std::string(path), FileDisplayName(path)};
}

} // namespace zentrava
