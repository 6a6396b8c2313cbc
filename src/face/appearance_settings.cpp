#include "face/appearance_settings.h"

#include "base/settings_keys.h"

#include <array>

namespace zentrava {
namespace {

// Table order is the file's order: loading and saving both walk these tables.
constexpr std::array<IntKey<ClockSettings>, 26> kClockKeys{{
    {"DigitalDateMode", &ClockSettings::DigitalDateMode},
    {"DigitalTimeMode", &ClockSettings::DigitalTimeMode},
    {"ClockMeasureStringOnOff", &ClockSettings::ClockMeasureStringOnOff},
    {"JSTStringOnOff", &ClockSettings::JSTStringOnOff},
    {"DigitalDateFormatMode", &ClockSettings::DigitalDateFormatMode},
    {"DigitalTimeFormatMode", &ClockSettings::DigitalTimeFormatMode},
    {"ClockMeasureLongLineOnOff", &ClockSettings::ClockMeasureLongLineOnOff},
    {"ClockMeasureShortLineOnOff", &ClockSettings::ClockMeasureShortLineOnOff},
    {"ClockMeasureLongLineThick", &ClockSettings::ClockMeasureLongLineThick},
    {"ClockMeasure24HLongLineThick", &ClockSettings::ClockMeasure24HLongLineThick},
    {"SecondHandSmooth", &ClockSettings::SecondHandSmooth},
    {"SecondHandDispOnOff", &ClockSettings::SecondHandDispOnOff},
    {"TaskTrayIconClock", &ClockSettings::TaskTrayIconClock},
    {"ClockHandDesign", &ClockSettings::ClockHandDesign},
    {"ClockMinuteGraduationDesign", &ClockSettings::ClockMinuteGraduationDesign},
    {"12H_24H_Setting", &ClockSettings::TwelveH_24H_Setting},
    {"ClockFrameWidth", &ClockSettings::ClockFrameWidth},
    {"Clock1MinuteLineLength", &ClockSettings::Clock1MinuteLineLength},
    {"Clock5MinuteLineLength", &ClockSettings::Clock5MinuteLineLength},
    {"ClockMinuteCirclePos", &ClockSettings::ClockMinuteCirclePos},
    {"Clock24HourMarkSize", &ClockSettings::Clock24HourMarkSize},
    {"Clock24HourMarkPos", &ClockSettings::Clock24HourMarkPos},
    {"Clock_24_2_4...HourLineLength", &ClockSettings::Clock_24_2_4_HourLineLength},
    {"Clock_1_3_5...HourLineLength", &ClockSettings::Clock_1_3_5_HourLineLength},
    // The established file spelling differs from the reader's; lookup ignores case, so both
    // reach the same line.
    {"Clock0HourPos", &ClockSettings::Clock0HourPos, "Clock0HOurPos"},
    {"TimeColonAdj", &ClockSettings::TimeColonAdj},
}};

constexpr std::array<IntKey<FontSettings>, 11> kFontTextKeys{{
    {"HeightDisit", &FontSettings::HeightDisit},
    {"TextColor", &FontSettings::TextColor},
    {"DateTextColor", &FontSettings::DateTextColor},
    {"TimeTextColor", &FontSettings::TimeTextColor},
    {"MesStrTextColor", &FontSettings::MesStrTextColor},
    {"JSTTextColor", &FontSettings::JSTTextColor},
    {"AutoFontSize", &FontSettings::AutoFontSize},
    {"DateTextSize", &FontSettings::DateTextSize},
    {"TimeTextSize", &FontSettings::TimeTextSize},
    {"MesStrTextSize", &FontSettings::MesStrTextSize},
    {"JSTStrTextSize", &FontSettings::JSTStrTextSize},
}};

constexpr std::array<IntKey<DrawColors>, 10> kDrawColorKeys{{
    {"HourHandColor", &DrawColors::HourHandColor},
    {"MinuteHandColor", &DrawColors::MinuteHandColor},
    {"SecondHandColor", &DrawColors::SecondHandColor},
    {"ClockFaceColor", &DrawColors::ClockFaceColor},
    {"BackGroundColor", &DrawColors::BackGroundColor},
    {"5MinMesColor", &DrawColors::FiveMinMesColor},
    {"1MinMesColor", &DrawColors::OneMinMesColor},
    {"24HourHandColor", &DrawColors::TwentyFourHourHandColor},
    {"24HourHandPenColor", &DrawColors::TwentyFourHourHandPenColor},
    {"DrawHandFrame", &DrawColors::DrawHandFrame},
}};

constexpr int kHandDesignCount = 3;

} // namespace

ClockSettings LoadClockSettings(const SettingsStore& store) {
    ClockSettings settings;
    ReadInts<ClockSettings>(store, kClockSettingSection, kClockKeys, settings);
    // Any other design would stop the hands from being built at every resize, with a message
    // box each time; a clamp would pick a design nobody chose.
    if (settings.ClockHandDesign < 0 || settings.ClockHandDesign >= kHandDesignCount) {
        settings.ClockHandDesign = 0;
    }
    return settings;
}

FontSettings LoadFontSettings(const SettingsStore& store) {
    FontSettings settings;
    settings.logFont = ReadLogFont(store, kFontSettingSection, "", LogFontFields{});
    ReadInts<FontSettings>(store, kFontSettingSection, kFontTextKeys, settings);
    return settings;
}

void LoadClockAndFontSettings(const SettingsStore& store, AppearanceSettings& settings) {
    settings.clock = LoadClockSettings(store);
    settings.font = LoadFontSettings(store);
}

DrawColors LoadDrawColors(const SettingsStore& store) {
    DrawColors colors;
    ReadInts<DrawColors>(store, kDrawColorSection, kDrawColorKeys, colors);
    return colors;
}

void SaveAppearanceSettings(SettingsStore& store, const AppearanceSettings& settings,
                            const WindowBehaviourWriter& writeWindowBehaviour) {
    WriteLogFont(store, kFontSettingSection, "", settings.font.logFont);
    WriteInts<FontSettings>(store, kFontSettingSection, kFontTextKeys, settings.font);
    WriteInts<ClockSettings>(store, kClockSettingSection, kClockKeys, settings.clock);
    if (writeWindowBehaviour) {
        writeWindowBehaviour(store);
    }
    WriteInts<DrawColors>(store, kDrawColorSection, kDrawColorKeys, settings.colors);
}

} // namespace zentrava
