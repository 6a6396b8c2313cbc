#include "dialogs/version_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace zentrava {
namespace {

TEST(VersionText, ShortVersionRunsTheThirdNumberOnAfterTheMinorOne) {
    struct Case {
        std::uint32_t mostSignificant;
        std::uint32_t leastSignificant;
        const char* shortVersion;
        const char* longVersion;
    };
    const Case cases[] = {
        {0x0003'0002, 0x0001'0000, "3.21", "3.2.1.0"},
        {0x0001'000A, 0x0002'0005, "1.102", "1.10.2.5"},
        {0x0001'0000, 0x0000'0000, "1.00", "1.0.0.0"},
        {0x0000'0000, 0x0000'0007, "0.00", "0.0.0.7"},
        // Every half is an unsigned 16-bit number, never a negative one.
        {0xFFFF'FFFF, 0xFFFF'FFFE, "65535.6553565535", "65535.65535.65535.65534"},
    };
    for (const Case& c : cases) {
        const FileVersion v = SplitFileVersion(c.mostSignificant, c.leastSignificant);
        EXPECT_EQ(ShortVersion(v), c.shortVersion) << c.longVersion;
        EXPECT_EQ(LongVersion(v), c.longVersion) << c.longVersion;
    }
}

TEST(VersionText, LineCarriesBothVersionsAndStaysWhenThereIsNoVersion) {
    EXPECT_EQ(VersionLine("V %s (%s)", SplitFileVersion(0x0003'0002, 0x0001'0000)),
              "V 3.21 (3.2.1.0)");
    EXPECT_EQ(VersionLine("V %s (%s)", std::nullopt), "V  ()");
    EXPECT_EQ(ShortVersion(std::nullopt), "");
    EXPECT_EQ(LongVersion(std::nullopt), "");
}

} // namespace
} // namespace zentrava
