#include "app/appearance_settings.h"

#include "app/settings_clamps.h"

#include <array>

namespace zentrava {
namespace {

template <typename Record>
struct IntKey {
    std::string_view key;
    int Record::*field;
    // Set where the reader asks under another spelling than the writer uses.
    std::string_view readKey = {};

    std::string_view ReadName() const { return readKey.empty() ? key : readKey; }
};

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

constexpr std::array<IntKey<LogFontFields>, 5> kLogFontIntKeys{{
    {"Height", &LogFontFields::Height},
    {"Width", &LogFontFields::Width},
    {"Escapement", &LogFontFields::Escapement},
    {"Orientation", &LogFontFields::Orientation},
    {"Weight", &LogFontFields::Weight},
}};

struct ByteKey {
    std::string_view key;
    std::uint8_t LogFontFields::*field;
};

constexpr std::array<ByteKey, 8> kLogFontByteKeys{{
    {"Italic", &LogFontFields::Italic},
    {"Underline", &LogFontFields::Underline},
    {"StrikeOut", &LogFontFields::StrikeOut},
    {"CharSet", &LogFontFields::CharSet},
    {"OutPrecision", &LogFontFields::OutPrecision},
    {"ClipPrecision", &LogFontFields::ClipPrecision},
    {"Quality", &LogFontFields::Quality},
    {"PitchAndFamily", &LogFontFields::PitchAndFamily},
}};

constexpr std::string_view kFaceNameKey = "FontFaceName";

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

constexpr std::array<IntKey<VolumeSettings>, 8> kVolumeKeys{{
    {"AudioVolumeVal", &VolumeSettings::AudioVolumeVal},
    {"AlarmVolumeVal", &VolumeSettings::AlarmVolumeVal},
    {"TimeSignalVolumeVal", &VolumeSettings::TimeSignalVolumeVal},
    {"MuteAudio", &VolumeSettings::MuteAudio},
    {"MuteAlarm", &VolumeSettings::MuteAlarm},
    {"MuteTimeSignal", &VolumeSettings::MuteTimeSignal},
    {"VariousSoundAdjSync", &VolumeSettings::VariousSoundAdjSync},
    {"OtherSoundMuteAudio", &VolumeSettings::OtherSoundMuteAudio},
}};

template <typename Record, std::size_t N>
void ReadInts(const SettingsStore& store, std::string_view section,
              const std::array<IntKey<Record>, N>& keys, Record& record) {
    const Record defaults{};
    for (const IntKey<Record>& k : keys) {
        record.*k.field = GetClampedInt(store, section, k.ReadName(), defaults.*k.field);
    }
}

template <typename Record, std::size_t N>
void WriteInts(SettingsStore& store, std::string_view section,
               const std::array<IntKey<Record>, N>& keys, const Record& record) {
    for (const IntKey<Record>& k : keys) {
        store.PutInt(section, k.key, record.*k.field);
    }
}

constexpr int kHandDesignCount = 3;

LogFontFields LoadLogFont(const SettingsStore& store) {
    LogFontFields font;
    ReadInts(store, kFontSettingSection, kLogFontIntKeys, font);
    const LogFontFields defaults;
    for (const ByteKey& k : kLogFontByteKeys) {
        // The platform record holds a byte, so a larger number keeps its low byte as it would
        // in the platform's own record.
        font.*k.field = static_cast<std::uint8_t>(
            GetClampedInt(store, kFontSettingSection, k.key, defaults.*k.field));
    }
    font.FontFaceName =
        store.GetText(kFontSettingSection, kFaceNameKey, kDefaultFontFaceName, kFaceNameBufferSize);
    // An empty name would let the font mapper pick any face, often one without Japanese.
    if (font.FontFaceName.empty()) {
        font.FontFaceName = std::string(kDefaultFontFaceName);
    }
    return font;
}

void SaveLogFont(SettingsStore& store, const LogFontFields& font) {
    WriteInts(store, kFontSettingSection, kLogFontIntKeys, font);
    for (const ByteKey& k : kLogFontByteKeys) {
        store.PutInt(kFontSettingSection, k.key, font.*k.field);
    }
    store.PutText(kFontSettingSection, kFaceNameKey, font.FontFaceName);
}

} // namespace

ClockSettings LoadClockSettings(const SettingsStore& store) {
    ClockSettings settings;
    ReadInts(store, kClockSettingSection, kClockKeys, settings);
    // Any other design would stop the hands from being built at every resize, with a message
    // box each time; a clamp would pick a design nobody chose.
    if (settings.ClockHandDesign < 0 || settings.ClockHandDesign >= kHandDesignCount) {
        settings.ClockHandDesign = 0;
    }
    return settings;
}

FontSettings LoadFontSettings(const SettingsStore& store) {
    FontSettings settings;
    settings.logFont = LoadLogFont(store);
    ReadInts(store, kFontSettingSection, kFontTextKeys, settings);
    return settings;
}

void LoadClockAndFontSettings(const SettingsStore& store, AppearanceSettings& settings) {
    settings.clock = LoadClockSettings(store);
    settings.font = LoadFontSettings(store);
}

DrawColors LoadDrawColors(const SettingsStore& store) {
    DrawColors colors;
    ReadInts(store, kDrawColorSection, kDrawColorKeys, colors);
    return colors;
}

VolumeSettings LoadVolumeSettings(const SettingsStore& store) {
    VolumeSettings settings;
    ReadInts(store, kSoundVolumeSettingSection, kVolumeKeys, settings);
    return settings;
}

void SaveVolumeSettings(SettingsStore& store, const VolumeSettings& settings) {
    WriteInts(store, kSoundVolumeSettingSection, kVolumeKeys, settings);
}

void SaveAppearanceSettings(SettingsStore& store, const AppearanceSettings& settings,
                            const WindowBehaviourWriter& writeWindowBehaviour) {
    SaveLogFont(store, settings.font.logFont);
    WriteInts(store, kFontSettingSection, kFontTextKeys, settings.font);
    WriteInts(store, kClockSettingSection, kClockKeys, settings.clock);
    if (writeWindowBehaviour) {
        writeWindowBehaviour(store);
    }
    WriteInts(store, kDrawColorSection, kDrawColorKeys, settings.colors);
}

} // namespace zentrava
