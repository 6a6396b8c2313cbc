#include "face/appearance_settings.h"
#include "sound/volume_settings.h"

#include "base/cp932_text.h"
#include "base/memory_settings_store.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <string_view>

namespace zentrava {
namespace {

// "ＭＳ Ｐゴシック" in CP932, the bytes both builds must read and write.
constexpr std::string_view kMsPGothic =
    "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";

std::string Ini(std::string_view section, std::string_view lines) {
    return "[" + std::string(section) + "]\r\n" + std::string(lines) + "\r\n";
}

TEST(AppearanceDefaults, EmptyFileGivesTwelveHourFaceLightBlueHandsAndBoldGothic) {
    AppearanceSettings settings;
    settings.clock.TwelveH_24H_Setting = 2;
    settings.font.logFont.Weight = 400;
    LoadClockAndFontSettings(MemorySettingsStore(), settings);
    const DrawColors colors = LoadDrawColors(MemorySettingsStore());

    EXPECT_EQ(settings.clock.TwelveH_24H_Setting, 0);
    EXPECT_EQ(colors.HourHandColor, 16744576);
    EXPECT_EQ(colors.MinuteHandColor, 16744576);
    EXPECT_EQ(colors.SecondHandColor, 16744576);
    EXPECT_EQ(colors.ClockFaceColor, 16777215);
    EXPECT_EQ(colors.FiveMinMesColor, 0);
    EXPECT_EQ(colors.OneMinMesColor, 0);
    EXPECT_EQ(settings.font.logFont.Weight, 700);
    EXPECT_EQ(settings.font.logFont.FontFaceName, kMsPGothic);
    EXPECT_EQ(settings.font.logFont.Height, 14);
    EXPECT_EQ(settings.font.logFont.CharSet, 128);
}

TEST(AppearanceDefaults, EmptyFileGivesHalfVolumesUnmutedAndSynchronised) {
    const VolumeSettings volumes = LoadVolumeSettings(MemorySettingsStore());
    EXPECT_EQ(volumes, (VolumeSettings{500, 500, 500, 0, 0, 0, 1, 0}));
}

// Every key with its default, in the order the general settings dialog writes them.
constexpr std::string_view kDefaultsAsSaved =
    "[Font_Setting]\r\n"
    "Height=14\r\nWidth=0\r\nEscapement=0\r\nOrientation=0\r\nWeight=700\r\nItalic=0\r\n"
    "Underline=0\r\nStrikeOut=0\r\nCharSet=128\r\nOutPrecision=3\r\nClipPrecision=2\r\n"
    "Quality=1\r\nPitchAndFamily=49\r\n"
    "FontFaceName=\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E\r\n"
    "HeightDisit=14\r\nTextColor=0\r\nDateTextColor=0\r\nTimeTextColor=0\r\n"
    "MesStrTextColor=0\r\nJSTTextColor=0\r\nAutoFontSize=1\r\nDateTextSize=14\r\n"
    "TimeTextSize=14\r\nMesStrTextSize=14\r\nJSTStrTextSize=14\r\n"
    "[Clock_Setting]\r\n"
    "DigitalDateMode=1\r\nDigitalTimeMode=1\r\nClockMeasureStringOnOff=1\r\n"
    "JSTStringOnOff=1\r\nDigitalDateFormatMode=0\r\nDigitalTimeFormatMode=0\r\n"
    "ClockMeasureLongLineOnOff=1\r\nClockMeasureShortLineOnOff=1\r\n"
    "ClockMeasureLongLineThick=1\r\nClockMeasure24HLongLineThick=1\r\nSecondHandSmooth=0\r\n"
    "SecondHandDispOnOff=1\r\nTaskTrayIconClock=0\r\nClockHandDesign=0\r\n"
    "ClockMinuteGraduationDesign=1\r\n12H_24H_Setting=0\r\nClockFrameWidth=3\r\n"
    "Clock1MinuteLineLength=5\r\nClock5MinuteLineLength=5\r\nClockMinuteCirclePos=5\r\n"
    "Clock24HourMarkSize=10\r\nClock24HourMarkPos=10\r\n"
    "Clock_24_2_4...HourLineLength=7\r\nClock_1_3_5...HourLineLength=12\r\n"
    "Clock0HourPos=0\r\nTimeColonAdj=0\r\n"
    "[Window_Position]\r\n"
    "WindowTopMost=1\r\n"
    "[Draw_Color]\r\n"
    "HourHandColor=16744576\r\nMinuteHandColor=16744576\r\nSecondHandColor=16744576\r\n"
    "ClockFaceColor=16777215\r\nBackGroundColor=16744576\r\n5MinMesColor=0\r\n"
    "1MinMesColor=0\r\n24HourHandColor=16744576\r\n24HourHandPenColor=0\r\n"
    "DrawHandFrame=1\r\n";

void WriteTopMost(SettingsStore& store) {
    store.PutInt("Window_Position", "WindowTopMost", 1);
}

TEST(AppearanceSaving, WritesFontClockWindowBehaviourThenColoursInTheFilesOrder) {
    MemorySettingsStore store;
    SaveAppearanceSettings(store, AppearanceSettings{}, WriteTopMost);
    EXPECT_EQ(store.Text(), kDefaultsAsSaved);
}

TEST(AppearanceSaving, DefaultsSavedAreTheDefaultsLoaded) {
    const MemorySettingsStore store{std::string(kDefaultsAsSaved)};
    AppearanceSettings loaded;
    LoadClockAndFontSettings(store, loaded);
    loaded.colors = LoadDrawColors(store);
    EXPECT_EQ(loaded, AppearanceSettings{});
}

TEST(AppearanceSaving, VolumesAreWrittenAsEightKeysInTableOrder) {
    MemorySettingsStore store;
    SaveVolumeSettings(store, {1000, 0, 250, 1, 0, 1, 0, 1});
    EXPECT_EQ(store.Text(), "[Sound_Volume_Setting]\r\nAudioVolumeVal=1000\r\nAlarmVolumeVal=0\r\n"
                            "TimeSignalVolumeVal=250\r\nMuteAudio=1\r\nMuteAlarm=0\r\n"
                            "MuteTimeSignal=1\r\nVariousSoundAdjSync=0\r\n"
                            "OtherSoundMuteAudio=1\r\n");
}

// Every field away from its default and from its neighbours, all inside the load limits.
AppearanceSettings Unusual() {
    AppearanceSettings s;
    s.clock = {0, 0, 0, 0, 2,  3,  0,  0,  0,  0,  1,  0, 1,
               2, 0, 1, 7, 11, 13, 17, 33, 44, 15, 16, 1, -9};
    s.font.logFont = {-19, 8, 900, 450, 400, 1, 1, 1, 0, 7, 1, 5, 34, "Arial Narrow"};
    s.font.HeightDisit = 40;
    s.font.TextColor = 0x010203;
    s.font.DateTextColor = 0x040506;
    s.font.TimeTextColor = 0x070809;
    s.font.MesStrTextColor = 0x0A0B0C;
    s.font.JSTTextColor = 0x0D0E0F;
    s.font.AutoFontSize = 0;
    s.font.DateTextSize = 8;
    s.font.TimeTextSize = 72;
    s.font.MesStrTextSize = 9;
    s.font.JSTStrTextSize = 36;
    s.colors = {0x112233, 0x223344, 0x334455, 0x445566, 0x556677,
                0x667788, 0x778899, 0x8899AA, 0x99AABB, 0};
    return s;
}

TEST(AppearanceSaving, SaveThenLoadKeepsEveryValue) {
    MemorySettingsStore store("[Clock_Setting]\r\nClockFrameWidth=9\r\n[Other]\r\nx=1\r\n");
    const AppearanceSettings saved = Unusual();
    SaveAppearanceSettings(store, saved, {});
    AppearanceSettings loaded;
    LoadClockAndFontSettings(store, loaded);
    loaded.colors = LoadDrawColors(store);
    EXPECT_EQ(loaded, saved);
    EXPECT_EQ(store.GetInt("Other", "x", 0), 1);

    const VolumeSettings volumes{1000, 0, 731, 1, 1, 0, 0, 1};
    SaveVolumeSettings(store, volumes);
    EXPECT_EQ(LoadVolumeSettings(store), volumes);
}

TEST(AppearanceSaving, TwentyFourHourHandKeepsFillAndFrameColoursApart) {
    MemorySettingsStore store;
    AppearanceSettings saved;
    saved.colors.TwentyFourHourHandColor = 0x0000FF;
    saved.colors.TwentyFourHourHandPenColor = 0x00FF00;
    SaveAppearanceSettings(store, saved, {});
    EXPECT_EQ(store.GetInt("Draw_Color", "24HourHandColor", -1), 0x0000FF);
    EXPECT_EQ(store.GetInt("Draw_Color", "24HourHandPenColor", -1), 0x00FF00);
    const DrawColors loaded = LoadDrawColors(store);
    EXPECT_EQ(loaded.TwentyFourHourHandColor, 0x0000FF);
    EXPECT_EQ(loaded.TwentyFourHourHandPenColor, 0x00FF00);
}

TEST(AppearanceLoading, ZeroHourPositionWrittenInOneSpellingIsReadInTheOther) {
    MemorySettingsStore store;
    AppearanceSettings saved;
    saved.clock.Clock0HourPos = 1;
    SaveAppearanceSettings(store, saved, {});
    EXPECT_NE(store.Text().find("Clock0HourPos=1\r\n"), std::string::npos);
    EXPECT_EQ(LoadClockSettings(store).Clock0HourPos, 1);

    const MemorySettingsStore handEdited(Ini("Clock_Setting", "clock0hourpos=1"));
    EXPECT_EQ(LoadClockSettings(handEdited).Clock0HourPos, 1);
}

struct VolumeCase {
    std::string_view stored;
    int expected;
};

TEST(VolumeLoading, VolumesStayOnTheChannelsScale) {
    const VolumeCase cases[] = {
        {"5000", 1000},     {"1001", 1000}, {"1000", 1000},
        {"0", 0},           {"-5", 0},      {"-1", 0},
        {"731", 731},       {"", 500},      {"0x7fffffff", 1000},
        {"-2147483648", 0},
    };
    using Field = int VolumeSettings::*;
    const std::pair<std::string_view, Field> keys[] = {
        {"AudioVolumeVal", &VolumeSettings::AudioVolumeVal},
        {"AlarmVolumeVal", &VolumeSettings::AlarmVolumeVal},
        {"TimeSignalVolumeVal", &VolumeSettings::TimeSignalVolumeVal},
    };
    for (const auto& [key, field] : keys) {
        for (const VolumeCase& c : cases) {
            const MemorySettingsStore store(
                Ini("Sound_Volume_Setting", std::string(key) + "=" + std::string(c.stored)));
            EXPECT_EQ(LoadVolumeSettings(store).*field, c.expected) << key << "=" << c.stored;
        }
    }
}

struct ClockCase {
    std::string_view line;
    int ClockSettings::*field;
    int expected;
};

TEST(ClockLoading, DamagedGeometryStaysDrawableInsideTheWindow) {
    const ClockCase cases[] = {
        {"ClockFrameWidth=-3", &ClockSettings::ClockFrameWidth, 0},
        {"ClockFrameWidth=1000000", &ClockSettings::ClockFrameWidth, 16},
        {"ClockFrameWidth=10", &ClockSettings::ClockFrameWidth, 10},
        {"ClockMinuteCirclePos=-50", &ClockSettings::ClockMinuteCirclePos, 0},
        {"ClockMinuteCirclePos=0x7fffffff", &ClockSettings::ClockMinuteCirclePos, 100},
        {"Clock1MinuteLineLength=2147483647", &ClockSettings::Clock1MinuteLineLength, 70},
        {"Clock5MinuteLineLength=-2147483648", &ClockSettings::Clock5MinuteLineLength, 0},
        {"Clock5MinuteLineLength=16", &ClockSettings::Clock5MinuteLineLength, 16},
        {"Clock_24_2_4...HourLineLength=500", &ClockSettings::Clock_24_2_4_HourLineLength, 100},
        {"Clock_1_3_5...HourLineLength=-1", &ClockSettings::Clock_1_3_5_HourLineLength, 0},
        {"Clock24HourMarkSize=45", &ClockSettings::Clock24HourMarkSize, 40},
        {"Clock24HourMarkSize=0", &ClockSettings::Clock24HourMarkSize, 5},
        {"Clock24HourMarkSize=40", &ClockSettings::Clock24HourMarkSize, 40},
        {"Clock24HourMarkPos=-10", &ClockSettings::Clock24HourMarkPos, 0},
        {"Clock24HourMarkPos=99999", &ClockSettings::Clock24HourMarkPos, 60},
        {"TimeColonAdj=-2147483648", &ClockSettings::TimeColonAdj, -32},
        {"TimeColonAdj=33", &ClockSettings::TimeColonAdj, 32},
        {"TimeColonAdj=-32", &ClockSettings::TimeColonAdj, -32},
        {"12H_24H_Setting=7", &ClockSettings::TwelveH_24H_Setting, 2},
        {"12H_24H_Setting=-1", &ClockSettings::TwelveH_24H_Setting, 0},
        {"12H_24H_Setting=1", &ClockSettings::TwelveH_24H_Setting, 1},
        {"DigitalDateFormatMode=-4", &ClockSettings::DigitalDateFormatMode, 0},
        {"DigitalDateFormatMode=3", &ClockSettings::DigitalDateFormatMode, 2},
        {"DigitalDateFormatMode=2", &ClockSettings::DigitalDateFormatMode, 2},
        {"ClockHandDesign=3", &ClockSettings::ClockHandDesign, 0},
        {"ClockHandDesign=-1", &ClockSettings::ClockHandDesign, 0},
        {"ClockHandDesign=2", &ClockSettings::ClockHandDesign, 2},
    };
    for (const ClockCase& c : cases) {
        const MemorySettingsStore store(Ini("Clock_Setting", c.line));
        EXPECT_EQ(LoadClockSettings(store).*c.field, c.expected) << c.line;
    }
}

TEST(ClockLoading, ModesAndSwitchesAreUsedAsRead) {
    const ClockCase cases[] = {
        {"DigitalTimeFormatMode=9", &ClockSettings::DigitalTimeFormatMode, 9},
        {"Clock0HOurPos=5", &ClockSettings::Clock0HourPos, 5},
        {"SecondHandSmooth=2", &ClockSettings::SecondHandSmooth, 2},
        {"ClockMinuteGraduationDesign=3", &ClockSettings::ClockMinuteGraduationDesign, 3},
    };
    for (const ClockCase& c : cases) {
        const MemorySettingsStore store(Ini("Clock_Setting", c.line));
        EXPECT_EQ(LoadClockSettings(store).*c.field, c.expected) << c.line;
    }
}

TEST(FontLoading, AbsurdSizesAreBroughtBackToDrawableOnes) {
    using Get = std::function<int(const FontSettings&)>;
    const struct {
        std::string_view line;
        Get get;
        int expected;
    } cases[] = {
        {"Height=0x7fffffff", [](const FontSettings& f) { return f.logFont.Height; }, 1000},
        {"Height=-100000", [](const FontSettings& f) { return f.logFont.Height; }, -1000},
        {"Height=-19", [](const FontSettings& f) { return f.logFont.Height; }, -19},
        {"Width=2147483647", [](const FontSettings& f) { return f.logFont.Width; }, 1000},
        {"HeightDisit=-2147483648", [](const FontSettings& f) { return f.HeightDisit; }, -1000},
        {"HeightDisit=200", [](const FontSettings& f) { return f.HeightDisit; }, 200},
        {"DateTextSize=100000", [](const FontSettings& f) { return f.DateTextSize; }, 999},
        {"TimeTextSize=-100000", [](const FontSettings& f) { return f.TimeTextSize; }, -999},
        {"MesStrTextSize=72", [](const FontSettings& f) { return f.MesStrTextSize; }, 72},
        {"JSTStrTextSize=1000", [](const FontSettings& f) { return f.JSTStrTextSize; }, 999},
        // Bytes of the platform record keep their low byte, as the record itself would.
        {"CharSet=300", [](const FontSettings& f) { return int{f.logFont.CharSet}; }, 44},
        {"Italic=-1", [](const FontSettings& f) { return int{f.logFont.Italic}; }, 255},
        // Weights, angles and colours are used as read.
        {"Weight=5000", [](const FontSettings& f) { return f.logFont.Weight; }, 5000},
        {"Escapement=123456", [](const FontSettings& f) { return f.logFont.Escapement; }, 123456},
        {"TextColor=-1", [](const FontSettings& f) { return f.TextColor; }, -1},
        {"AutoFontSize=3", [](const FontSettings& f) { return f.AutoFontSize; }, 3},
    };
    for (const auto& c : cases) {
        const MemorySettingsStore store(Ini("Font_Setting", c.line));
        EXPECT_EQ(c.get(LoadFontSettings(store)), c.expected) << c.line;
    }
}

TEST(FontLoading, EmptyFaceNameFallsBackToTheJapaneseGothic) {
    for (std::string_view line : {"FontFaceName=", "FontFaceName=   ", "FontFaceName=\"\""}) {
        const MemorySettingsStore store(Ini("Font_Setting", line));
        EXPECT_EQ(LoadFontSettings(store).logFont.FontFaceName, kMsPGothic) << line;
    }
}

TEST(FaceNameFitting, CutsOnlyBetweenCharacters) {
    const struct {
        std::string_view text;
        std::size_t limit;
        std::string_view expected;
    } cases[] = {
        {kMsPGothic, 31, kMsPGothic},
        {kMsPGothic, 15, kMsPGothic},
        {kMsPGothic, 14, "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62"},
        {kMsPGothic, 5, "\x82\x6C\x82\x72\x20"},
        {kMsPGothic, 4, "\x82\x6C\x82\x72"},
        {kMsPGothic, 3, "\x82\x6C"},
        {"Arial", 3, "Ari"},
        {"a\x82", 31, "a"}, // half a character at the end
        {"", 31, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp932Prefix(c.text, c.limit), c.expected) << c.limit;
    }
}

} // namespace
} // namespace zentrava
