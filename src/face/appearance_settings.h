#pragma once
// The clock's look: sections Clock_Setting, Font_Setting and Draw_Color.
//
// How the main window uses them:
//   WM_CREATE   LoadClockAndFontSettings first of all the settings; LoadDrawColors and
//               ReplaceDrawingObjects after it.
//   WM_SIZE     ReplaceDrawingObjects with the new client height (the text fonts follow the
//               window when AutoFontSize is 1); keep client height / 8 in HeightDisit so the
//               next start opens with it.
//   Settings OK SaveAppearanceSettings, with the window-behaviour writer of Window_Position.
//   WM_DESTROY  the DrawingObjects are released by their owner.

#include "base/settings_keys.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace zentrava {

// A few keys begin with a digit or hold dots; their fields spell the number out
// (12H_24H_Setting is TwelveH_24H_Setting, 5MinMesColor is FiveMinMesColor,
// Clock_24_2_4...HourLineLength is Clock_24_2_4_HourLineLength).
struct ClockSettings {
    int DigitalDateMode = 1;
    int DigitalTimeMode = 1;
    int ClockMeasureStringOnOff = 1;
    int JSTStringOnOff = 1;
    int DigitalDateFormatMode = 0;
    int DigitalTimeFormatMode = 0;
    int ClockMeasureLongLineOnOff = 1;
    int ClockMeasureShortLineOnOff = 1;
    int ClockMeasureLongLineThick = 1;
    int ClockMeasure24HLongLineThick = 1;
    int SecondHandSmooth = 0;
    int SecondHandDispOnOff = 1;
    int TaskTrayIconClock = 0;
    int ClockHandDesign = 0;
    int ClockMinuteGraduationDesign = 1;
    int TwelveH_24H_Setting = 0;
    int ClockFrameWidth = 3;
    int Clock1MinuteLineLength = 5;
    int Clock5MinuteLineLength = 5;
    int ClockMinuteCirclePos = 5;
    int Clock24HourMarkSize = 10;
    int Clock24HourMarkPos = 10;
    int Clock_24_2_4_HourLineLength = 7;
    int Clock_1_3_5_HourLineLength = 12;
    int Clock0HourPos = 0;
    int TimeColonAdj = 0;

    friend bool operator==(const ClockSettings&, const ClockSettings&) = default;
};

struct FontSettings {
    LogFontFields logFont;
    int HeightDisit = 14;
    int TextColor = 0;
    int DateTextColor = 0;
    int TimeTextColor = 0;
    int MesStrTextColor = 0;
    int JSTTextColor = 0;
    int AutoFontSize = 1;
    int DateTextSize = 14;
    int TimeTextSize = 14;
    int MesStrTextSize = 14;
    int JSTStrTextSize = 14;

    friend bool operator==(const FontSettings&, const FontSettings&) = default;
};

// COLORREF values (0x00BBGGRR) as the file holds them.
struct DrawColors {
    int HourHandColor = 16744576;
    int MinuteHandColor = 16744576;
    int SecondHandColor = 16744576;
    int ClockFaceColor = 16777215;
    int BackGroundColor = 16744576;
    int FiveMinMesColor = 0;
    int OneMinMesColor = 0;
    int TwentyFourHourHandColor = 16744576; // fill of the 24-hour hand
    int TwentyFourHourHandPenColor = 0;     // frame of the 24-hour hand
    int DrawHandFrame = 1;

    friend bool operator==(const DrawColors&, const DrawColors&) = default;
};

struct AppearanceSettings {
    ClockSettings clock;
    FontSettings font;
    DrawColors colors;

    friend bool operator==(const AppearanceSettings&, const AppearanceSettings&) = default;
};

inline constexpr std::string_view kDrawColorSection = "Draw_Color";

ClockSettings LoadClockSettings(const SettingsStore& store);
FontSettings LoadFontSettings(const SettingsStore& store);
// Clock_Setting, then the LOGFONTA keys, then the text keys of Font_Setting; the colours are
// left alone (they are read after the main font exists).
void LoadClockAndFontSettings(const SettingsStore& store, AppearanceSettings& settings);
DrawColors LoadDrawColors(const SettingsStore& store);

// Writes Window_Position's behaviour keys; the window-behaviour feature owns them and passes
// its writer in, so that the file keeps one order of sections.
using WindowBehaviourWriter = std::function<void(SettingsStore&)>;

// Font_Setting, Clock_Setting, the window-behaviour keys, then Draw_Color.
void SaveAppearanceSettings(SettingsStore& store, const AppearanceSettings& settings,
                            const WindowBehaviourWriter& writeWindowBehaviour);

} // namespace zentrava
