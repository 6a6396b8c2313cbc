#include "app/shortcuts_win.h"

#include "base/com_win.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <array>
#include <vector>

namespace zentrava {

namespace {

static_assert(ShortcutFolderId(ShortcutPlace::Desktop) == CSIDL_DESKTOP &&
              ShortcutFolderId(ShortcutPlace::Startup) == CSIDL_STARTUP &&
              ShortcutFolderId(ShortcutPlace::AllUsersDesktop) == CSIDL_COMMON_DESKTOPDIRECTORY &&
              ShortcutFolderId(ShortcutPlace::AllUsersStartup) == CSIDL_COMMON_STARTUP);

std::string ProgramPath() {
    std::array<char, MAX_PATH> path{};
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return length == 0 || length >= path.size() ? std::string() : std::string(path.data(), length);
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::vector<wchar_t> wide(static_cast<std::size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    return std::wstring(wide.data());
}

void CreateLink(const std::string& linkPath) {
    const std::string program = ProgramPath();
    const std::wstring wideLink = Wide(linkPath);
    if (program.empty() || wideLink.empty()) {
        return;
    }
    // COM is undone only by the owner that started it; a thread already in another apartment
    // can still make the in-process link object.
    const ComApartment com;
    if (!com.Usable()) {
        return;
    }
    ComRef<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.PutVoid()))) {
        return;
    }
    link->SetPath(program.c_str());
    link->SetDescription(kShortcutDescription);
    link->SetIconLocation(program.c_str(), 0);
    link->SetWorkingDirectory(WorkingFolderOf(program).c_str());
    link->SetShowCmd(SW_SHOWNORMAL);
    ComRef<IPersistFile> file;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.PutVoid()))) {
        file->Save(wideLink.c_str(), TRUE);
    }
}

} // namespace

std::optional<std::string> ShortcutPath(ShortcutPlace place, ShortcutFolderLookup lookup) {
    std::array<char, MAX_PATH> folder{};
    // No creation: a folder the user has not got is not made just to hold a link.
    if (!lookup(nullptr, folder.data(), ShortcutFolderId(place), FALSE)) {
        return std::nullopt;
    }
    folder.back() = '\0';
    return LinkPathIn(folder.data());
}

bool ShortcutExists(ShortcutPlace place, ShortcutFolderLookup lookup) {
    const std::optional<std::string> path = ShortcutPath(place, lookup);
    return path && FileExists(*path);
}

void ApplyShortcut(ShortcutPlace place, bool wanted, ShortcutFolderLookup lookup) {
    const std::optional<std::string> path = ShortcutPath(place, lookup);
    if (!path) {
        return;
    }
    const bool exists = FileExists(*path);
    if (wanted && !exists) {
        CreateLink(*path);
    } else if (!wanted && exists) {
        DeleteFileA(path->c_str());
    }
}

} // namespace zentrava
