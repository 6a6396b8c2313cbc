#pragma once
// The folder chooser of the audio page: the shell's folder browser, opened on the current
// folder.

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace zentrava {

inline constexpr const char* kFolderChooserTitle = "フォルダの選択";

// The two shell calls the chooser makes, replaceable so that a browser whose item has no
// file-system path can be tried without one.
struct FolderBrowserCalls {
    PIDLIST_ABSOLUTE(WINAPI* browse)(LPBROWSEINFOA) = SHBrowseForFolderA;
    BOOL(WINAPI* pathOf)(PCIDLIST_ABSOLUTE, LPSTR) = SHGetPathFromIDListA;
};

// True when the user chose a folder: `path` is then its path. Cancel, and a choice that has no
// file-system path, leave `path` as it was.
bool ChooseFolder(HWND owner, std::string& path, const FolderBrowserCalls& calls = {});

} // namespace zentrava
