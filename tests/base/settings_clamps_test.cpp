#include "base/settings_clamps.h"

#include "base/memory_settings_store.h"

#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <ostream>
#include <string>
#include <vector>

namespace zentrava {
namespace {

std::string IniWith(std::string_view section, std::string_view key, int value) {
    return "[" + std::string(section) + "]\r\n" + std::string(key) + "=" + std::to_string(value) +
           "\r\n";
}

struct ClampedKey {
    std::string_view section;
    std::string_view key;
    int min;
    int max;
};

const std::vector<ClampedKey> kClampedKeys = {
    {"Window_Position", "Window_Width", 64, 32767},
    {"Window_Position", "Window_Height", 64, 32767},
    {"Window_Position", "Window_X_Pos", -32768, 32767},
    {"Window_Position", "Window_Y_Pos", -32768, 32767},
    {"TimeZone_Diff_Setting", "TimeZoneDiffHour01", -11, 11},
    {"TimeZone_Diff_Setting", "TimeZoneDiffHour02", -11, 11},
    {"TimeZone_Diff_Setting", "TimeZoneDiffMinute01", 0, 59},
    {"TimeZone_Diff_Setting", "TimeZoneDiffMinute02", 0, 59},
    {"Window_Position", "WindowDispOn", 0, 1},
    {"Window_Position", "Window_Maximized", 0, 1},
    {"Clock_Setting", "12H_24H_Setting", 0, 2},
    {"Clock_Setting", "DigitalDateFormatMode", 0, 2},
    {"Clock_Setting", "TimeColonAdj", -32, 32},
};

void PrintTo(const ClampedKey& c, std::ostream* os) {
    *os << c.section << "/" << c.key;
}

class ClampedKeys : public testing::TestWithParam<ClampedKey> {};

TEST_P(ClampedKeys, OutOfRangeValuesLandOnTheNearestBound) {
    const ClampedKey& c = GetParam();
    const struct {
        int stored;
        int expected;
    } probes[] = {
        {INT_MIN, c.min},
        {INT_MAX, c.max},
        {c.min - 1, c.min},
        {c.max + 1, c.max},
        {-1, c.min > -1 ? c.min : -1},
        {0, c.min > 0 ? c.min : 0},
    };
    for (const auto& probe : probes) {
        const MemorySettingsStore store(IniWith(c.section, c.key, probe.stored));
        EXPECT_EQ(GetClampedInt(store, c.section, c.key, 5), probe.expected) << probe.stored;
    }
}

TEST_P(ClampedKeys, InRangeValuesPassThrough) {
    const ClampedKey& c = GetParam();
    for (int stored : {c.min, c.min + 1, (c.min + c.max) / 2, c.max - 1, c.max}) {
        const MemorySettingsStore store(IniWith(c.section, c.key, stored));
        EXPECT_EQ(GetClampedInt(store, c.section, c.key, 5), stored);
    }
}

TEST_P(ClampedKeys, ClampAppliesWhateverTheSpelling) {
    const ClampedKey& c = GetParam();
    std::string lowerSection(c.section);
    std::string lowerKey(c.key);
    for (char& ch : lowerSection) {
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
    for (char& ch : lowerKey) {
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
    const MemorySettingsStore store(IniWith(c.section, c.key, INT_MAX));
    EXPECT_EQ(GetClampedInt(store, lowerSection, lowerKey, 5), c.max);
}

INSTANTIATE_TEST_SUITE_P(Tables, ClampedKeys, testing::ValuesIn(kClampedKeys),
                         [](const testing::TestParamInfo<ClampedKey>& param) {
                             return std::string(param.param.key);
                         });

struct UnclampedKey {
    std::string_view section;
    std::string_view key;
};

TEST(UnclampedKeys, ComeBackAsRead) {
    const UnclampedKey keys[] = {
        {"Window_Position", "AudioFilePropertySheetPos"},
        {"Clock_Setting", "DigitalTimeFormatMode"},
        {"TimeZone_Diff_Setting", "TimeZoneDiffOnFlag01"},
        {"TimeZone_Diff_Setting", "TimeZoneDiffColor02"},
        {"Other_Section", "Window_Width"}, // a clamp belongs to its own section only
    };
    for (const UnclampedKey& k : keys) {
        for (int stored : {INT_MIN, -1, 0, 1, 99999, INT_MAX}) {
            const MemorySettingsStore store(IniWith(k.section, k.key, stored));
            EXPECT_EQ(GetClampedInt(store, k.section, k.key, 5), stored) << k.key;
        }
    }
}

TEST(UnclampedKeys, MissingKeyGivesTheDefault) {
    const MemorySettingsStore store;
    EXPECT_EQ(GetClampedInt(store, "Window_Position", "Window_Width", 128), 128);
    EXPECT_EQ(GetClampedInt(store, "Window_Position", "WindowDispOn", 1), 1);
    EXPECT_EQ(GetClampedInt(store, "Clock_Setting", "12H_24H_Setting", 0), 0);
}

} // namespace
} // namespace zentrava
