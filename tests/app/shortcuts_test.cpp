#include "app/shortcuts.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace zentrava {
namespace {

TEST(ShortcutRules, TheLinkGoesIntoItsFolderAndNowhereWithoutOne) {
    const std::string link = kShortcutFileName;
    const struct {
        std::string_view folder;
        std::optional<std::string> path;
    } cases[] = {
        {"", std::nullopt}, // a failed lookup: never "\Zentrava(64ビット).lnk" at the drive root
        {"C:\\users\\me\\Desktop", "C:\\users\\me\\Desktop\\" + link},
        {"C:\\", "C:\\" + link},
        {"D:/start", "D:/start\\" + link},
        {"D:/", "D:/" + link},
        // "ソ" ends in the byte of '\': the folder still needs its separator.
        {"C:\\\x83\x5C", "C:\\\x83\x5C\\" + link},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LinkPathIn(c.folder), c.path) << c.folder;
    }
}

TEST(ShortcutRules, TheLinkStartsInTheProgramsFolder) {
    const struct {
        std::string_view program;
        std::string_view folder;
    } cases[] = {
        {"C:\\Tools\\Zentrava.exe", "C:\\Tools\\"},
        {"C:\\Zentrava.exe", "C:\\"},
        {"\\\\server\\share\\z.exe", "\\\\server\\share\\"},
        {"C:\\\x83\x5C\x83\x74\x83\x67\\z.exe", "C:\\\x83\x5C\x83\x74\x83\x67\\"}, // "ソフト"
        {"C:\\a\\\x83\x5Cz.exe", "C:\\a\\"}, // the trail byte of "ソ" is not a separator
        {"C:z.exe", "C:"},
        {"z.exe", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WorkingFolderOf(c.program), c.folder) << c.program;
    }
}

} // namespace
} // namespace zentrava
