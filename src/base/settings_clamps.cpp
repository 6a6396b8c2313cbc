#include "base/settings_clamps.h"

#include <algorithm>
#include <array>

namespace zentrava {
namespace {

constexpr std::array kWindowPositionClamps{
    // Below the minimum tracking size the window cannot be shown as stored; the glue narrows
    // the upper bound further to the virtual screen.
    IntClamp{"Window_Width", kMinWindowSide, 32767},
    IntClamp{"Window_Height", kMinWindowSide, 32767},
    // Window coordinates travel as 16-bit values in messages.
    IntClamp{"Window_X_Pos", -32768, 32767},
    IntClamp{"Window_Y_Pos", -32768, 32767},
    // Switches that the code tests against 1; any other value would read as off in one place
    // and as on in another.
    IntClamp{"WindowTopMost", 0, 1},
    IntClamp{"WindowTopMostAlways", 0, 1},
    IntClamp{"WindowLayer", 0, 1},
    IntClamp{"WindowMouseLayer", 0, 1},
    IntClamp{"WindowHideSetting", 0, 1},
    IntClamp{"WindowShowHideSetting", 0, 1},
    IntClamp{"WindowCtrlKeyDownLayeredCancelSetting", 0, 1},
    IntClamp{"WindowDispOn", 0, 1},
    IntClamp{"Window_Maximized", 0, 1},
    // The opacity's percent: beyond it the alpha no longer fits its byte.
    IntClamp{"WindowLayerPercent", 0, 100},
};

constexpr std::array kTimeZoneDiffClamps{
    // The offset arithmetic multiplies these; unclamped they overflow.
    IntClamp{"TimeZoneDiffHour01", -11, 11},
    IntClamp{"TimeZoneDiffHour02", -11, 11},
    IntClamp{"TimeZoneDiffMinute01", 0, 59},
    IntClamp{"TimeZoneDiffMinute02", 0, 59},
};

constexpr std::array kClockSettingClamps{
    // The face is inset by the frame: a negative frame draws the face past the window's edge,
    // and beyond 16 a window at its smallest size (64) keeps less than half its radius for the
    // face (from 32 on, none at all).
    IntClamp{"ClockFrameWidth", 0, 16},
    // Percentages of the face radius. Negative ones put the graduations past the rim and the
    // window's edge; these bounds keep every graduation end inside the face even on the inner
    // circle of the 24-hour dials (circle position + 30 + line length stays within 200 %, the
    // far side of the face). Huge values would also overflow the sums and the radii.
    IntClamp{"ClockMinuteCirclePos", 0, 100},
    IntClamp{"Clock1MinuteLineLength", 0, 70},
    IntClamp{"Clock5MinuteLineLength", 0, 70},
    IntClamp{"Clock_24_2_4...HourLineLength", 0, 100},
    IntClamp{"Clock_1_3_5...HourLineLength", 0, 100},
    // The marker's unit is R / (45 - size): 45 divides by zero, above it the marker turns
    // inside out, and from 41 it reaches far past the window.
    IntClamp{"Clock24HourMarkSize", 5, 40},
    // Negative positions push the marker's tip past the rim; beyond 60 the largest marker's
    // base crosses the far rim.
    IntClamp{"Clock24HourMarkPos", 0, 60},
    // Its control's range: the colon's offset beyond it puts the colon outside the window.
    IntClamp{"TimeColonAdj", -32, 32},
    // Modes with one painter or layout each; any other value paints a face with no hands and
    // no text, or a two-line date into a one-line box.
    IntClamp{"12H_24H_Setting", 0, 2},
    IntClamp{"DigitalDateFormatMode", 0, 2},
};

// Text must fit a window and stay legible. Asked for heights far beyond any window, the font
// mapper gives up and realises the font one pixel high; an absurd width stretches a time text
// to hundreds of thousands of pixels.
constexpr int kFontPixelLimit = 1000;
constexpr int kFontPointLimit = 999; // the size entry takes three digits

constexpr std::array kFontSettingClamps{
    IntClamp{"Height", -kFontPixelLimit, kFontPixelLimit},
    IntClamp{"Width", -kFontPixelLimit, kFontPixelLimit},
    IntClamp{"HeightDisit", -kFontPixelLimit, kFontPixelLimit},
    IntClamp{"DateTextSize", -kFontPointLimit, kFontPointLimit},
    IntClamp{"TimeTextSize", -kFontPointLimit, kFontPointLimit},
    IntClamp{"MesStrTextSize", -kFontPointLimit, kFontPointLimit},
    IntClamp{"JSTStrTextSize", -kFontPointLimit, kFontPointLimit},
};

constexpr std::array kSoundVolumeSettingClamps{
    // The channels' volume scale.
    IntClamp{"AudioVolumeVal", 0, 1000},
    IntClamp{"AlarmVolumeVal", 0, 1000},
    IntClamp{"TimeSignalVolumeVal", 0, 1000},
};

constexpr std::array kIntervalAlarmSettingClamps{
    // The interval becomes a window timer's period in milliseconds: a huge hour overflows it,
    // a negative part makes a negative interval that still counts as "not 0".
    IntClamp{"IntervalAlarmHour", 0, 24},
    IntClamp{"IntervalAlarmMinute", 0, 59},
    IntClamp{"IntervalAlarmSecond", 0, 59},
    // Switches the code tests against 1.
    IntClamp{"IntervalAlarmOn", 0, 1},
    IntClamp{"IntervalAlarmBalloonHelp", 0, 1},
    IntClamp{"IntervalAlarmJust0Second", 0, 1},
};

constexpr std::array kAudioSettingClamps{
    // They index the ten playlists or choose between two modes.
    IntClamp{"SelectPlayListNo", 0, 9},
    IntClamp{"AudioRepeatOn", 0, 1},
    IntClamp{"AudioPlaySetting", 0, 1},
    IntClamp{"SelectAudioSource", 0, 1},
};

constexpr std::array kAudioFolderClamps{
    IntClamp{"SelectFolderPlayListNo", 0, 9},
};

struct SectionClamps {
    std::string_view section;
    std::span<const IntClamp> clamps;
};

constexpr std::array kSections{
    SectionClamps{kWindowPositionSection, kWindowPositionClamps},
    SectionClamps{kTimeZoneDiffSection, kTimeZoneDiffClamps},
    SectionClamps{kClockSettingSection, kClockSettingClamps},
    SectionClamps{kFontSettingSection, kFontSettingClamps},
    SectionClamps{kSoundVolumeSettingSection, kSoundVolumeSettingClamps},
    SectionClamps{kIntervalAlarmSettingSection, kIntervalAlarmSettingClamps},
    SectionClamps{kAudioSettingSection, kAudioSettingClamps},
    SectionClamps{kAudioFolderSection, kAudioFolderClamps},
};

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return fold(x) == fold(y); });
}

} // namespace

std::span<const IntClamp> ClampsForSection(std::string_view section) {
    for (const SectionClamps& entry : kSections) {
        if (EqualsIgnoringAsciiCase(entry.section, section)) {
            return entry.clamps;
        }
    }
    return {};
}

int GetClampedInt(const SettingsStore& store, std::string_view section, std::string_view key,
                  int def) {
    const int value = store.GetInt(section, key, def);
    for (const IntClamp& clamp : ClampsForSection(section)) {
        if (EqualsIgnoringAsciiCase(clamp.key, key)) {
            return std::clamp(value, clamp.min, clamp.max);
        }
    }
    return value;
}

} // namespace zentrava
