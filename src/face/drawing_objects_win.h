#pragma once
// The pens, brushes and fonts the face is drawn with, made from Draw_Color, the world zones'
// colours and Font_Setting. See appearance_settings.h for when the main window makes them.

#include "base/win_handles_win.h"
#include "clock/clock_time.h"
#include "face/appearance_settings.h"

#include <array>
#include <optional>

namespace zentrava {

struct PenAndBrush {
    UniquePen pen; // solid, width 1
    UniqueBrush brush;
};

struct DrawingObjects {
    PenAndBrush hourHand;
    PenAndBrush minuteHand;
    PenAndBrush secondHand;
    PenAndBrush clockFace;
    PenAndBrush backGround;
    UniquePen fiveMinThickPen; // width 3
    UniquePen fiveMinThinPen;  // width 1
    UniquePen oneMinPen;
    UniqueBrush hour24FillBrush;
    UniquePen hour24FramePen;
    UniquePen blackPen;
    UniquePen blackThickPen; // width 3
    UniqueBrush blackBrush;
    std::array<UniqueBrush, 2> worldZoneBrushes; // zone 1, zone 2
    std::array<UniquePen, 2> worldZonePens;      // width 1, outline when DrawHandFrame is 0
    UniqueFont numeralFont;
    UniqueFont dateFont;
    UniqueFont timeFont;
    UniqueFont jstFont;
};

// Pixel heights of the four text fonts.
struct TextFontHeights {
    int numeral = 0;
    int date = 0;
    int time = 0;
    int jst = 0;

    friend bool operator==(const TextFontHeights&, const TextFontHeights&) = default;
};

// With AutoFontSize 1 every height is client height / 8 (HeightDisit while there is no client
// height yet); otherwise each size in points at the DC's resolution. A null DC means the screen.
TextFontHeights ComputeTextFontHeights(const FontSettings& font, std::optional<int> clientHeight,
                                       HDC dc = nullptr);

// Font_Setting's LOGFONTA; the face name is cut to the platform's 32 bytes without splitting a
// double-byte character.
LOGFONTA ToLogFontA(const LogFontFields& fields);

// A whole new set, or nothing if any object could not be made.
std::optional<DrawingObjects> BuildDrawingObjects(const DrawColors& colors,
                                                  const WorldZoneSettings& zones,
                                                  const FontSettings& font,
                                                  const TextFontHeights& heights);

// Builds a new set and only then swaps it in; on failure the current set stays whole and
// false is returned. No object of the current set may be selected into a DC at the time: a
// selected object cannot be deleted and would leak.
bool ReplaceDrawingObjects(DrawingObjects& current, const DrawColors& colors,
                           const WorldZoneSettings& zones, const FontSettings& font,
                           const TextFontHeights& heights);

} // namespace zentrava
