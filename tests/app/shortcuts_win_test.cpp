// The program's shortcuts, made and deleted for real on the test prefix's desktop (a folder of
// the prefix: the wine_real_desktop fixture replaces Wine's link to the home folder), and with
// a platform that names no folder.

#include "app/shortcuts_win.h"

#include "app/shortcut_checks_win.h"

#include "base/com_win.h"
#include "sound/test_sounds_win.h" // UnderWine

#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <array>
#include <string>
#include <thread>
#include <vector>

namespace zentrava {
namespace {

std::string ThisProgram() {
    std::array<char, MAX_PATH> path{};
    GetModuleFileNameA(nullptr, path.data(), MAX_PATH);
    return path.data();
}

std::string FileText(const std::string& path) {
    std::string text;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        std::array<char, 256> buffer{};
        const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), f);
        text.assign(buffer.data(), n);
        std::fclose(f);
    }
    return text;
}

bool WriteFileText(const std::string& path, const std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    std::fwrite(text.data(), 1, text.size(), f);
    return std::fclose(f) == 0;
}

class ShortcutsWin : public ::testing::Test {
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
};

TEST_F(ShortcutsWin, DesktopLinkStartsThisProgramAndGoesWhenUnwanted) {
    const std::optional<std::string> link = ShortcutPath(ShortcutPlace::Desktop);
    if (!UnderWine()) {
        GTEST_SKIP() << "the desktop here is a real user's";
    }
    ASSERT_TRUE(link);
    ASSERT_TRUE(InsideThePrefix(*link));
    DeleteFileA(link->c_str());
    EXPECT_FALSE(ShortcutExists(ShortcutPlace::Desktop));

    ApplyShortcut(ShortcutPlace::Desktop, true);
    ASSERT_TRUE(ShortcutExists(ShortcutPlace::Desktop)) << *link;
    const std::string program = ThisProgram();
    const LinkSeen seen = ReadLink(*link);
    EXPECT_EQ(seen.target, program);
    EXPECT_EQ(seen.description, "Zentrava(64ビット)");
    EXPECT_EQ(seen.folder + program.substr(program.find_last_of('\\') + 1), program);
    EXPECT_EQ(seen.icon, program);
    EXPECT_EQ(seen.iconIndex, 0);
    EXPECT_EQ(seen.show, SW_SHOWNORMAL);

    // A link already there is the user's: it is left as it is.
    ASSERT_TRUE(WriteFileText(*link, "kept"));
    ApplyShortcut(ShortcutPlace::Desktop, true);
    EXPECT_EQ(FileText(*link), "kept");

    ApplyShortcut(ShortcutPlace::Desktop, false);
    EXPECT_FALSE(ShortcutExists(ShortcutPlace::Desktop));
    EXPECT_EQ(GetFileAttributesA(link->c_str()), INVALID_FILE_ATTRIBUTES);
    ApplyShortcut(ShortcutPlace::Desktop, false); // nothing left to delete: no harm
}

BOOL WINAPI NoSuchFolder(HWND, LPSTR, int, BOOL) {
    return FALSE;
}

BOOL WINAPI EmptyFolder(HWND, LPSTR path, int, BOOL) {
    path[0] = '\0';
    return TRUE;
}

// A platform without the folder must not turn the link into "\Zentrava(64ビット).lnk": that
// is the root of the current drive, here the prefix's C: drive.
TEST_F(ShortcutsWin, AFolderThePlatformCannotNameTouchesNoDriveRoot) {
    if (!UnderWine()) {
        GTEST_SKIP() << "the C: drive here is a real machine's";
    }
    std::array<char, MAX_PATH> previous{};
    GetCurrentDirectoryA(MAX_PATH, previous.data());
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\windows\\temp"));
    const std::string atRoot = "C:\\Zentrava(64ビット).lnk";
    DeleteFileA(atRoot.c_str());
    for (const ShortcutFolderLookup lookup : {&NoSuchFolder, &EmptyFolder}) {
        for (int p = 0; p < kShortcutPlaces; ++p) {
            const auto place = static_cast<ShortcutPlace>(p);
            EXPECT_FALSE(ShortcutPath(place, lookup)) << p;
            EXPECT_FALSE(ShortcutExists(place, lookup)) << p;
            ApplyShortcut(place, true, lookup);
            EXPECT_EQ(GetFileAttributesA(atRoot.c_str()), INVALID_FILE_ATTRIBUTES)
                << "made at the drive root for place " << p;
            DeleteFileA(atRoot.c_str());
            // A file of that name at the root is not the program's to delete.
            ASSERT_TRUE(WriteFileText(atRoot, "someone else's"));
            ApplyShortcut(place, false, lookup);
            EXPECT_EQ(FileText(atRoot), "someone else's") << "deleted at the root for " << p;
            DeleteFileA(atRoot.c_str());
        }
    }
    SetCurrentDirectoryA(previous.data());
}

// COM is given back only by whoever started it: a thread that already uses COM keeps it, and
// a thread without it is left without it.
TEST(ShortcutsComWin, AThreadKeepsTheComItHadAndGetsNoneItHadNot) {
    const std::optional<std::string> link = ShortcutPath(ShortcutPlace::Desktop);
    if (!UnderWine()) {
        GTEST_SKIP() << "the desktop here is a real user's";
    }
    ASSERT_TRUE(link);
    ASSERT_TRUE(InsideThePrefix(*link));
    std::thread inOtherApartment([&] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        DeleteFileA(link->c_str());
        ApplyShortcut(ShortcutPlace::Desktop, true);
        EXPECT_TRUE(ShortcutExists(ShortcutPlace::Desktop)) << "made from another apartment";
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE) << "COM was undone";
        CoUninitialize();
        CoUninitialize();
    });
    inOtherApartment.join();
    std::thread withoutCom([&] {
        DeleteFileA(link->c_str());
        ApplyShortcut(ShortcutPlace::Desktop, true);
        EXPECT_TRUE(ShortcutExists(ShortcutPlace::Desktop));
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK) << "COM was left started";
        CoUninitialize();
    });
    withoutCom.join();
    DeleteFileA(link->c_str());
}

} // namespace
} // namespace zentrava
