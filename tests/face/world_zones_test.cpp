#include "face/world_zones.h"

#include "base/memory_settings_store.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace zentrava {
namespace {

void ExpectSame(const WorldZoneSettings& actual, const WorldZoneSettings& expected) {
    EXPECT_EQ(actual.TimeZoneDiffOnFlag, expected.TimeZoneDiffOnFlag);
    EXPECT_EQ(actual.TimeZoneDiffSummerTimeOnFlag, expected.TimeZoneDiffSummerTimeOnFlag);
    EXPECT_EQ(actual.TimeZoneDiffHour, expected.TimeZoneDiffHour);
    EXPECT_EQ(actual.TimeZoneDiffMinute, expected.TimeZoneDiffMinute);
    EXPECT_EQ(actual.TimeZoneDiffColor, expected.TimeZoneDiffColor);
}

TEST(WorldZones, EmptyFileGivesDefaults) {
    const WorldZoneSettings loaded = LoadWorldZoneSettings(MemorySettingsStore());
    for (std::size_t zone = 0; zone < 2; ++zone) {
        EXPECT_EQ(loaded.TimeZoneDiffOnFlag[zone], 0);
        EXPECT_EQ(loaded.TimeZoneDiffSummerTimeOnFlag[zone], 0);
        EXPECT_EQ(loaded.TimeZoneDiffHour[zone], 0);
        EXPECT_EQ(loaded.TimeZoneDiffMinute[zone], 0);
        EXPECT_EQ(loaded.TimeZoneDiffColor[zone], 13684944);
    }
}

TEST(WorldZones, ZoneOneReadsIntoFirstSlotAndZoneTwoIntoSecond) {
    const MemorySettingsStore store(
        "[TimeZone_Diff_Setting]\r\nTimeZoneDiffOnFlag01=1\r\nTimeZoneDiffSummerTimeOnFlag01=0\r\n"
        "TimeZoneDiffHour01=-5\r\nTimeZoneDiffMinute01=30\r\nTimeZoneDiffColor01=255\r\n"
        "TimeZoneDiffOnFlag02=0\r\nTimeZoneDiffSummerTimeOnFlag02=1\r\nTimeZoneDiffHour02=9\r\n"
        "TimeZoneDiffMinute02=45\r\nTimeZoneDiffColor02=65280\r\n");
    WorldZoneSettings expected;
    expected.TimeZoneDiffOnFlag = {1, 0};
    expected.TimeZoneDiffSummerTimeOnFlag = {0, 1};
    expected.TimeZoneDiffHour = {-5, 9};
    expected.TimeZoneDiffMinute = {30, 45};
    expected.TimeZoneDiffColor = {255, 65280};
    ExpectSame(LoadWorldZoneSettings(store), expected);
}

TEST(WorldZones, KeysMatchWhateverTheirCase) {
    const MemorySettingsStore store("[timezone_diff_setting]\r\ntimezonediffhour02=-3\r\n");
    EXPECT_EQ(LoadWorldZoneSettings(store).TimeZoneDiffHour[1], -3);
}

struct DamagedLine {
    std::string_view line;
    std::array<int, 2> WorldZoneSettings::*field;
    std::size_t zone;
    int expected;
};

TEST(WorldZones, DamagedValuesClampOrFallBack) {
    const DamagedLine cases[] = {
        {"TimeZoneDiffHour01=12", &WorldZoneSettings::TimeZoneDiffHour, 0, 11},
        {"TimeZoneDiffHour02=-2147483648", &WorldZoneSettings::TimeZoneDiffHour, 1, -11},
        {"TimeZoneDiffHour01=2147483648", &WorldZoneSettings::TimeZoneDiffHour, 0, -11},
        {"TimeZoneDiffMinute01=60", &WorldZoneSettings::TimeZoneDiffMinute, 0, 59},
        {"TimeZoneDiffMinute02=-1", &WorldZoneSettings::TimeZoneDiffMinute, 1, 0},
        {"TimeZoneDiffMinute02=", &WorldZoneSettings::TimeZoneDiffMinute, 1, 0},
        {"TimeZoneDiffColor01=abc", &WorldZoneSettings::TimeZoneDiffColor, 0, 0},
        {"TimeZoneDiffColor02=", &WorldZoneSettings::TimeZoneDiffColor, 1, 13684944},
        {"TimeZoneDiffOnFlag01=2", &WorldZoneSettings::TimeZoneDiffOnFlag, 0, 2},
    };
    for (const DamagedLine& c : cases) {
        const MemorySettingsStore store("[TimeZone_Diff_Setting]\r\n" + std::string(c.line) +
                                        "\r\n");
        EXPECT_EQ((LoadWorldZoneSettings(store).*c.field)[c.zone], c.expected) << c.line;
    }
}

TEST(WorldZones, SaveWritesZoneOneThenZoneTwo) {
    WorldZoneSettings settings;
    settings.TimeZoneDiffOnFlag = {1, 0};
    settings.TimeZoneDiffHour = {-11, 11};
    settings.TimeZoneDiffMinute = {0, 59};
    settings.TimeZoneDiffColor = {255, 13684944};
    MemorySettingsStore store;
    SaveWorldZoneSettings(store, settings);
    EXPECT_EQ(store.Text(),
              "[TimeZone_Diff_Setting]\r\nTimeZoneDiffOnFlag01=1\r\n"
              "TimeZoneDiffSummerTimeOnFlag01=0\r\nTimeZoneDiffHour01=-11\r\n"
              "TimeZoneDiffMinute01=0\r\nTimeZoneDiffColor01=255\r\nTimeZoneDiffOnFlag02=0\r\n"
              "TimeZoneDiffSummerTimeOnFlag02=0\r\nTimeZoneDiffHour02=11\r\n"
              "TimeZoneDiffMinute02=59\r\nTimeZoneDiffColor02=13684944\r\n");
}

TEST(WorldZones, SaveThenLoadRoundTrips) {
    WorldZoneSettings settings;
    settings.TimeZoneDiffOnFlag = {1, 1};
    settings.TimeZoneDiffSummerTimeOnFlag = {1, 0};
    settings.TimeZoneDiffHour = {3, -7};
    settings.TimeZoneDiffMinute = {15, 30};
    settings.TimeZoneDiffColor = {0x123456, 0};
    MemorySettingsStore store("[TimeZone_Diff_Setting]\r\nTimeZoneDiffHour01=5\r\n");
    SaveWorldZoneSettings(store, settings);
    ExpectSame(LoadWorldZoneSettings(store), settings);
}

TEST(PictureSettings, SwitchesOnlyOnAtOneAndThePathKeptAsStored) {
    struct Case {
        std::string_view value;
        int expected;
    };
    for (const Case c : {Case{"1", 1}, Case{"0", 0}, Case{"2", 0}, Case{"-1", 0}, Case{"x", 0}}) {
        const MemorySettingsStore store(
            "[TimeZone_Diff_Setting]\r\nPicRotEnable=" + std::string(c.value) +
            "\r\nPicRotStdTimeZone=" + std::string(c.value) + "\r\n");
        const PictureSettings loaded = LoadPictureSettings(store);
        EXPECT_EQ(loaded.PicRotEnable, c.expected) << c.value;
        EXPECT_EQ(loaded.PicRotStdTimeZone, c.expected) << c.value;
    }
    // A picture on a drive that is not mounted yet keeps its path; only the face shows none.
    MemorySettingsStore store("[TimeZone_Diff_Setting]\r\nBkGndPicFile=Z:\\nowhere\\pic.jpg\r\n");
    const PictureSettings loaded = LoadPictureSettings(store);
    EXPECT_EQ(loaded.BkGndPicFile, "Z:\\nowhere\\pic.jpg");
    SavePictureSettings(store, loaded);
    EXPECT_EQ(LoadPictureSettings(store), loaded);
}

} // namespace
} // namespace zentrava
