#include "face/drawing_objects_win.h"

#include "base/cp932_text.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace zentrava {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kPointsPerInch = 72;
// MulDiv answers -1 when it cannot; the text then gets a plain readable height.
constexpr int kFallbackPixelHeight = 12;

COLORREF ToColorRef(int value) {
    return static_cast<COLORREF>(value);
}

int PointsToPixels(int points, int dotsPerInch) {
    const int pixels = MulDiv(points, dotsPerInch, kPointsPerInch);
    return pixels == -1 ? kFallbackPixelHeight : pixels;
}

// A logical font is only a request; the mapper realises it when it is selected. A font is
// kept only when a DC accepts it and can measure text with it.
bool CanMeasureText(HFONT font) {
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) {
        return false;
    }
    ScopedSelect select(dc.get(), font);
    TEXTMETRICA metrics{};
    SIZE extent{};
    return GetTextMetricsA(dc.get(), &metrics) != 0 &&
           GetTextExtentPoint32A(dc.get(), "0", 1, &extent) != 0 && extent.cy > 0;
}

UniqueFont CreateCheckedFont(const LOGFONTA& logFont) {
    UniqueFont font(CreateFontIndirectA(&logFont));
    if (font && !CanMeasureText(font.get())) {
        font.reset();
    }
    return font;
}

// The configured font; failing that the same in any character set; failing that the default
// font at the wanted height.
UniqueFont CreateUsableFont(LOGFONTA logFont) {
    if (UniqueFont font = CreateCheckedFont(logFont)) {
        return font;
    }
    logFont.lfCharSet = DEFAULT_CHARSET;
    if (UniqueFont font = CreateCheckedFont(logFont)) {
        return font;
    }
    LOGFONTA fallback = ToLogFontA(LogFontFields{});
    fallback.lfHeight = logFont.lfHeight;
    return CreateCheckedFont(fallback);
}

UniquePen SolidPen(int width, COLORREF colour) {
    return UniquePen(CreatePen(PS_SOLID, width, colour));
}

UniqueBrush SolidBrush(COLORREF colour) {
    return UniqueBrush(CreateSolidBrush(colour));
}

PenAndBrush SolidPenAndBrush(int colour) {
    return {SolidPen(1, ToColorRef(colour)), SolidBrush(ToColorRef(colour))};
}

bool Complete(const PenAndBrush& pair) {
    return pair.pen && pair.brush;
}

bool Complete(const DrawingObjects& set) {
    const bool pairs = Complete(set.hourHand) && Complete(set.minuteHand) &&
                       Complete(set.secondHand) && Complete(set.clockFace) &&
                       Complete(set.backGround);
    const bool pens = set.fiveMinThickPen && set.fiveMinThinPen && set.oneMinPen &&
                      set.hour24FramePen && set.blackPen && set.blackThickPen;
    const bool brushes = set.hour24FillBrush && set.blackBrush &&
                         std::all_of(set.worldZoneBrushes.begin(), set.worldZoneBrushes.end(),
                                     [](const UniqueBrush& b) { return static_cast<bool>(b); });
    const bool zonePens = std::all_of(set.worldZonePens.begin(), set.worldZonePens.end(),
                                      [](const UniquePen& p) { return static_cast<bool>(p); });
    const bool fonts = set.numeralFont && set.dateFont && set.timeFont && set.jstFont;
    return pairs && pens && zonePens && brushes && fonts;
}

UniqueFont FontWithHeight(LOGFONTA logFont, int height) {
    logFont.lfHeight = height;
    return CreateUsableFont(logFont);
}

} // namespace

TextFontHeights ComputeTextFontHeights(const FontSettings& font, std::optional<int> clientHeight,
                                       HDC dc) {
    if (font.AutoFontSize == 1) {
        const int height = clientHeight ? *clientHeight / 8 : font.HeightDisit;
        return {height, height, height, height};
    }
    int dotsPerInch = 0;
    if (dc != nullptr) {
        dotsPerInch = std::max(GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY));
    } else {
        const ScopedWindowDc screen(nullptr);
        dotsPerInch = std::max(GetDeviceCaps(screen.get(), LOGPIXELSX),
                               GetDeviceCaps(screen.get(), LOGPIXELSY));
    }
    return {PointsToPixels(font.MesStrTextSize, dotsPerInch),
            PointsToPixels(font.DateTextSize, dotsPerInch),
            PointsToPixels(font.TimeTextSize, dotsPerInch),
            PointsToPixels(font.JSTStrTextSize, dotsPerInch)};
}

LOGFONTA ToLogFontA(const LogFontFields& fields) {
    LOGFONTA logFont{};
    logFont.lfHeight = fields.Height;
    logFont.lfWidth = fields.Width;
    logFont.lfEscapement = fields.Escapement;
    logFont.lfOrientation = fields.Orientation;
    logFont.lfWeight = fields.Weight;
    logFont.lfItalic = fields.Italic;
    logFont.lfUnderline = fields.Underline;
    logFont.lfStrikeOut = fields.StrikeOut;
    logFont.lfCharSet = fields.CharSet;
    logFont.lfOutPrecision = fields.OutPrecision;
    logFont.lfClipPrecision = fields.ClipPrecision;
    logFont.lfQuality = fields.Quality;
    logFont.lfPitchAndFamily = fields.PitchAndFamily;
    const std::string_view face = Cp932Prefix(fields.FontFaceName, LF_FACESIZE - 1);
    std::memcpy(logFont.lfFaceName, face.data(), face.size());
    return logFont;
}

std::optional<DrawingObjects> BuildDrawingObjects(const DrawColors& colors,
                                                  const WorldZoneSettings& zones,
                                                  const FontSettings& font,
                                                  const TextFontHeights& heights) {
    DrawingObjects set;
    set.hourHand = SolidPenAndBrush(colors.HourHandColor);
    set.minuteHand = SolidPenAndBrush(colors.MinuteHandColor);
    set.secondHand = SolidPenAndBrush(colors.SecondHandColor);
    set.clockFace = SolidPenAndBrush(colors.ClockFaceColor);
    set.backGround = SolidPenAndBrush(colors.BackGroundColor);
    set.fiveMinThickPen = SolidPen(3, ToColorRef(colors.FiveMinMesColor));
    set.fiveMinThinPen = SolidPen(1, ToColorRef(colors.FiveMinMesColor));
    set.oneMinPen = SolidPen(1, ToColorRef(colors.OneMinMesColor));
    set.hour24FillBrush = SolidBrush(ToColorRef(colors.TwentyFourHourHandColor));
    set.hour24FramePen = SolidPen(1, ToColorRef(colors.TwentyFourHourHandPenColor));
    set.blackPen = SolidPen(1, kBlack);
    set.blackThickPen = SolidPen(3, kBlack);
    set.blackBrush = SolidBrush(kBlack);
    for (std::size_t zone = 0; zone < set.worldZoneBrushes.size(); ++zone) {
        set.worldZoneBrushes[zone] = SolidBrush(ToColorRef(zones.TimeZoneDiffColor[zone]));
        set.worldZonePens[zone] = SolidPen(1, ToColorRef(zones.TimeZoneDiffColor[zone]));
    }
    const LOGFONTA logFont = ToLogFontA(font.logFont);
    set.numeralFont = FontWithHeight(logFont, heights.numeral);
    set.dateFont = FontWithHeight(logFont, heights.date);
    set.timeFont = FontWithHeight(logFont, heights.time);
    set.jstFont = FontWithHeight(logFont, heights.jst);
    if (!Complete(set)) {
        return std::nullopt;
    }
    return set;
}

bool ReplaceDrawingObjects(DrawingObjects& current, const DrawColors& colors,
                           const WorldZoneSettings& zones, const FontSettings& font,
                           const TextFontHeights& heights) {
    std::optional<DrawingObjects> fresh = BuildDrawingObjects(colors, zones, font, heights);
    if (!fresh) {
        return false;
    }
    current = std::move(*fresh);
    return true;
}

} // namespace zentrava
