#include "base/memory_settings_store.h"
#include "base/settings_keys.h"

#include <gtest/gtest.h>

#include <string>

namespace zentrava {
namespace {

using namespace std::string_literals;

// A face name that ends in blanks once cut (by its 32-byte field, or at a NUL inside the line)
// loses them on the next save, since a line's trailing blanks are not read: the load must give
// what a save keeps, or each save changes the font.
struct FaceCase {
    const char* name;
    std::string line; // the value as it stands in the file
    std::string face; // as loaded
};

const FaceCase kFaceCases[] = {
    {"BlanksBeforeANul", "\x82\x6C\x82\x72 03=" + std::string(30, '\t') + "\0x"s,
     "\x82\x6C\x82\x72 03="},
    {"CutByTheFieldAtSpaces", "Arial" + std::string(40, ' ') + "X", "Arial"},
    {"EndOfFileMarksBeforeANul", "Arial\x1A\x1A\0junk"s, "Arial"},
    {"InnerBlanksStay", "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E",
     "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E"},
};

TEST(LogFontKeys, FaceNameLoadsAsASaveKeepsIt) {
    for (const FaceCase& c : kFaceCases) {
        const MemorySettingsStore file("[Font_Setting]\r\nFontFaceName=" + c.line + "\r\n");
        const LogFontFields loaded = ReadLogFont(file, "Font_Setting", "", LogFontFields{});
        EXPECT_EQ(loaded.FontFaceName, c.face) << c.name;

        MemorySettingsStore saved;
        ASSERT_TRUE(WriteLogFont(saved, "Font_Setting", "", loaded)) << c.name;
        EXPECT_EQ(ReadLogFont(saved, "Font_Setting", "", LogFontFields{}), loaded) << c.name;
    }
}

} // namespace
} // namespace zentrava
