#include "base/settings_path.h"

#include <gtest/gtest.h>

#include <string>

namespace zentrava {
namespace {

TEST(SettingsPath, NamedAfterExecutableAndUser) {
    const PathParts exe = SplitPath("C:\\Tools\\Clock.exe");
    EXPECT_EQ(exe.drive, "C:");
    EXPECT_EQ(exe.dir, "\\Tools\\");
    EXPECT_EQ(exe.base, "Clock");
    EXPECT_EQ(exe.ext, ".exe");
    EXPECT_EQ(BuildSettingsPath(exe, "ann"), "C:\\Tools\\Clock_ann.ini");
    EXPECT_EQ(BuildSettingsPath(exe, "Unknown"), "C:\\Tools\\Clock_Unknown.ini");
}

TEST(SettingsPath, SplitsLikeThePlatformSplitter) {
    struct Case {
        const char* path;
        const char* drive;
        const char* dir;
        const char* base;
        const char* ext;
    };
    const Case cases[] = {
        {"Clock.exe", "", "", "Clock", ".exe"},
        {"\\\\server\\share\\Clock.exe", "", "\\\\server\\share\\", "Clock", ".exe"},
        {"C:/a/b.c/Clock", "C:", "/a/b.c/", "Clock", ""},
        {"C:\\a\\my.clock.exe", "C:", "\\a\\", "my.clock", ".exe"},
        {"D:\\", "D:", "\\", "", ""},
    };
    for (const Case& c : cases) {
        const PathParts p = SplitPath(c.path);
        EXPECT_EQ(p.drive, c.drive) << c.path;
        EXPECT_EQ(p.dir, c.dir) << c.path;
        EXPECT_EQ(p.base, c.base) << c.path;
        EXPECT_EQ(p.ext, c.ext) << c.path;
    }
}

TEST(SettingsPath, JapaneseFolderWhoseSecondByteLooksLikeABackslash) {
    // "表示" in CP932 is 95 5C 8E A6; "ソフト" begins 83 5C.
    const std::string dir = "C:\\\x95\x5C\x8E\xA6\\\x83\x5C\x83\x74\x83\x67\\";
    const PathParts p = SplitPath(dir + "Clock.exe");
    EXPECT_EQ(p.dir, dir.substr(2));
    EXPECT_EQ(p.base, "Clock");
    // A name that ends in such a character keeps it whole.
    const PathParts q = SplitPath("C:\\x\\\x83\x5C.exe");
    EXPECT_EQ(q.dir, "\\x\\");
    EXPECT_EQ(q.base, "\x83\x5C");
}

TEST(SettingsPath, DisplayNameSplitsOnRealSeparatorsOnly) {
    // 表 is 0x95 0x5C: its second byte is a backslash.
    EXPECT_EQ(FileDisplayName("C:\\\x95\x5C\\\x95\x5C.wav"), "\x95\x5C.wav");
    EXPECT_EQ(FileDisplayName("C:\\Music.d\\chime"), "chime");
    EXPECT_EQ(FileDisplayName(""), "");
}

TEST(SettingsPath, RefusesANameThatWouldNotFit) {
    PathParts exe = SplitPath("C:\\Clock.exe");
    exe.dir = "\\" + std::string(240, 'd') + "\\";
    // 2 + 242 + 5 + 1 + user + 4 characters; 259 is the most a 260-character buffer holds.
    EXPECT_TRUE(BuildSettingsPath(exe, "abcde").has_value());
    EXPECT_EQ(BuildSettingsPath(exe, "abcde")->size(), 259u);
    EXPECT_FALSE(BuildSettingsPath(exe, "abcdef").has_value());
    EXPECT_FALSE(BuildSettingsPath(exe, std::string(256, 'u')).has_value());
}

TEST(SettingsPath, NamesWithCharactersCp932LacksAreRecognised) {
    struct Case {
        const char* path;
        bool lost;
    };
    const Case cases[] = {
        {"C:\\Tools\\Clock_ann.ini", false},
        // 表示\ソフト: second bytes 0x5C, nothing lost.
        {"C:\\\x95\x5C\x8E\xA6\\\x83\x5C\x83\x74\x83\x67\\Clock_ann.ini", false},
        // 한 in a folder, é in a user name: what the ANSI functions make of them.
        {"C:\\?\\Clock_ann.ini", true},
        {"C:\\Tools\\Clock_Ren?.ini", true},
        {"C:\\\x95\x5C?\\Clock_ann.ini", true},
        // Started through a long-path name: the prefix is the platform's, not a lost character.
        {"\\\\?\\C:\\Tools\\Clock_ann.ini", false},
        {"\\\\?\\C:\\T?ols\\Clock_ann.ini", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LostCharacters(c.path), c.lost) << c.path;
    }
}

} // namespace
} // namespace zentrava
