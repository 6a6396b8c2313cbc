// The folder scan through the real file functions: what FindFirstFileA shows of a name outside
// the code page, and of a sub-folder named like a song.

#include "sound/audio_player.h"
#include "sound/audio_player_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentrava {
namespace {

TEST(WindowsFolderReader, ScanListsOnlyFilesThatOpenByTheirAnsiName) {
    wchar_t temp[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring folder =
        std::wstring(temp) + L"zentrava_scan_" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    // "é" has no place in code page 932: the A functions show it as '?'.
    const std::wstring files[] = {L"a.wav", L"caf\u00e9.wav", L"b.txt"};
    for (const std::wstring& name : files) {
        const HANDLE h = CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        CloseHandle(h);
    }
    ASSERT_TRUE(CreateDirectoryW((folder + L"\\d.mp3").c_str(), nullptr));

    char ansi[MAX_PATH];
    ASSERT_NE(WideCharToMultiByte(CP_ACP, 0, folder.c_str(), -1, ansi, MAX_PATH, nullptr, nullptr),
              0);
    const std::string ansiFolder = ansi;
    EXPECT_TRUE(WindowsFolderReader().IsDirectory(ansiFolder));
    EXPECT_FALSE(WindowsFolderReader().IsDirectory(ansiFolder + "\\a.wav"));
    EXPECT_EQ(ScanFolder(WindowsFolderReader(), ansiFolder),
              std::vector<std::string>{ansiFolder + "\\a.wav"});

    for (const std::wstring& name : files) {
        DeleteFileW((folder + L"\\" + name).c_str());
    }
    RemoveDirectoryW((folder + L"\\d.mp3").c_str());
    RemoveDirectoryW(folder.c_str());
}

} // namespace
} // namespace zentrava
