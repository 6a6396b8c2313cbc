#include "face/face_painter_win.h"

#include "face/band_sectors_win.h"
#include "face/digital_text.h"
#include "face/picture_rotation.h"

#include <array>
#include <string>
#include <string_view>

namespace zentrava {
namespace {

RECT ToRect(const Rect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

int TextWidth(HDC dc, std::string_view text) {
    SIZE size{};
    if (text.empty() ||
        GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size) == 0) {
        return 0;
    }
    return size.cx;
}

// Puts the caller's text colour back when the step ends.
class ScopedTextColor {
public:
    ScopedTextColor(HDC dc, int colour)
        : dc_(dc), previous_(SetTextColor(dc, static_cast<COLORREF>(colour))) {}
    ScopedTextColor(const ScopedTextColor&) = delete;
    ScopedTextColor& operator=(const ScopedTextColor&) = delete;
    ~ScopedTextColor() {
        if (previous_ != CLR_INVALID) {
            SetTextColor(dc_, previous_);
        }
    }

private:
    HDC dc_;
    COLORREF previous_;
};

void DrawTextIn(HDC dc, std::string_view text, const Rect& rect, UINT format) {
    if (text.empty()) {
        return;
    }
    RECT r = ToRect(rect);
    DrawTextA(dc, text.data(), static_cast<int>(text.size()), &r, format);
}

void Dot(HDC dc, Point p) {
    MoveToEx(dc, p.x, p.y, nullptr);
    LineTo(dc, p.x, p.y);
}

void Line(HDC dc, Point from, Point to) {
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
}

// 0 and 1 choose the thin or thick pen; any other value keeps the pen already selected.
HPEN FiveMinutePen(const DrawingObjects& o, int thick) {
    if (thick == 1) {
        return o.fiveMinThickPen.get();
    }
    if (thick == 0) {
        return o.fiveMinThinPen.get();
    }
    return nullptr;
}

void DrawNumeral(HDC dc, const NumeralPlacement& numeral) {
    const std::string text = std::to_string(numeral.number);
    TextOutA(dc, numeral.topLeft.x, numeral.topLeft.y, text.data(), static_cast<int>(text.size()));
}

// The 24-hour dial may turn its picture; the dials with a 24-hour ring lay their bands over it.
// True when the picture drew the background, and the bands with it.
bool DrawBackgroundPicture(HDC dc, const FaceFrameInputs& in, bool turningDial, bool bands) {
    if (in.picture == nullptr || in.pictureSettings == nullptr || !in.picture->Shown()) {
        return false;
    }
    const ClockSettings& clock = in.settings.clock;
    const PictureSettings& p = *in.pictureSettings;
    const bool turning = turningDial && p.PicRotEnable == 1;
    const int step = turning ? PictureTurnStep(in.clocks.LocalClock, in.clocks.UtcClock,
                                               p.PicRotStdTimeZone, clock.Clock0HourPos)
                             : 0;
    return in.picture->Draw(
        dc, PictureFrame{in.geometry, static_cast<COLORREF>(in.settings.colors.BackGroundColor),
                         turning, step, bands ? &in.bands : nullptr, clock.Clock0HourPos});
}

// The ring and the face, and on the banded dials the bands.
void DrawBackground(HDC dc, const FaceFrameInputs& in, bool turningDial, bool bands) {
    if (DrawBackgroundPicture(dc, in, turningDial, bands)) {
        return;
    }
    const FaceGeometry& g = in.geometry;
    const DrawingObjects& o = in.objects;
    {
        ScopedSelect pen(dc, o.backGround.pen.get());
        ScopedSelect brush(dc, o.backGround.brush.get());
        Ellipse(dc, g.client.left, g.client.top, g.client.right, g.client.bottom);
    }
    {
        ScopedSelect pen(dc, o.clockFace.pen.get());
        ScopedSelect brush(dc, o.clockFace.brush.get());
        Ellipse(dc, g.face.left, g.face.top, g.face.right, g.face.bottom);
    }
    if (bands) {
        DrawBandSectors(dc, g, in.bands, in.settings.clock.Clock0HourPos);
    }
}

void DrawGraduations(HDC dc, const FaceFrameInputs& in, MinuteDial dial) {
    const ClockSettings& s = in.settings.clock;
    const DrawColors& colors = in.settings.colors;
    const DrawingObjects& o = in.objects;
    const bool outer12 = dial == MinuteDial::Outer12;
    const bool dots = s.ClockMinuteGraduationDesign == 1;
    const auto marks = MinuteMarks(in.geometry, dial);

    if (s.ClockMeasureLongLineOnOff == 1) {
        // One temporary pen for all twelve dots, gone when the step ends.
        UniquePen dotPen;
        if (dots) {
            dotPen.reset(CreatePen(PS_SOLID, HourDotPenWidth(in.geometry),
                                   static_cast<COLORREF>(colors.FiveMinMesColor)));
        }
        HPEN linePen = FiveMinutePen(o, s.ClockMeasureLongLineThick);
        HGDIOBJ pen = dots ? static_cast<HGDIOBJ>(dotPen.get()) : linePen;
        if (pen == nullptr) {
            pen = GetCurrentObject(dc, OBJ_PEN);
        }
        ScopedSelect select(dc, pen);
        for (const MinuteMark& mark : marks) {
            if (!mark.hourPosition) {
                continue;
            }
            if (dots) {
                Dot(dc, mark.outer);
            } else if (outer12) {
                // LineTo stops one pixel short; the end pixel completes the line.
                Line(dc, mark.outer, mark.inner);
                SetPixel(dc, mark.inner.x, mark.inner.y,
                         static_cast<COLORREF>(colors.FiveMinMesColor));
            } else {
                Line(dc, mark.inner, mark.outer);
            }
        }
    }

    if (s.ClockMeasureShortLineOnOff == 1) {
        UniquePen dotPen;
        if (dots) {
            dotPen.reset(CreatePen(PS_SOLID, MinuteDotPenWidth(in.geometry),
                                   static_cast<COLORREF>(colors.OneMinMesColor)));
        }
        ScopedSelect select(dc, dots ? static_cast<HGDIOBJ>(dotPen.get()) : o.oneMinPen.get());
        for (const MinuteMark& mark : marks) {
            if (mark.hourPosition) {
                continue;
            }
            if (dots) {
                Dot(dc, mark.outer);
            } else {
                Line(dc, mark.outer, mark.inner);
                SetPixel(dc, mark.inner.x, mark.inner.y,
                         static_cast<COLORREF>(colors.OneMinMesColor));
            }
        }
    }
}

int NumeralHeight(const FaceFrameInputs& in) {
    return in.fontHeights.numeral;
}

void DrawMinuteGraduations(HDC dc, const FaceFrameInputs& in) {
    DrawGraduations(dc, in, MinuteDial::Outer12);
    const ClockSettings& s = in.settings.clock;
    if (s.ClockMeasureStringOnOff != 1) {
        return;
    }
    ScopedTextColor colour(dc, in.settings.font.MesStrTextColor);
    for (const NumeralPlacement& numeral :
         TwelveHourNumerals(in.geometry, s.ClockMinuteGraduationDesign, NumeralHeight(in))) {
        DrawNumeral(dc, numeral);
    }
}

void DrawInnerMinuteGraduations(HDC dc, const FaceFrameInputs& in) {
    DrawGraduations(dc, in, MinuteDial::Inner24);
}

void DrawHourRing24(HDC dc, const FaceFrameInputs& in) {
    const ClockSettings& s = in.settings.clock;
    {
        HGDIOBJ pen = FiveMinutePen(in.objects, s.ClockMeasure24HLongLineThick);
        if (pen == nullptr) {
            pen = GetCurrentObject(dc, OBJ_PEN);
        }
        ScopedSelect select(dc, pen);
        for (const HourRingMark& mark : HourRingMarks(in.geometry)) {
            Line(dc, mark.outer, mark.inner);
        }
    }
    if (s.ClockMeasureStringOnOff != 1) {
        return;
    }
    ScopedTextColor colour(dc, in.settings.font.MesStrTextColor);
    for (const NumeralPlacement& numeral :
         HourRingNumerals(in.geometry, s.TwelveH_24H_Setting, s.Clock0HourPos, NumeralHeight(in))) {
        DrawNumeral(dc, numeral);
    }
}

Point Centre(const FaceFrameInputs& in) {
    return Point{in.geometry.cx, in.geometry.cy};
}

template <std::size_t N>
void DrawPolygon(HDC dc, const std::array<Point, N>& local, double angle, Point centre, HPEN pen,
                 HBRUSH brush) {
    const std::array<Point, N> screen = RotateHand(local, angle, centre);
    std::array<POINT, N> points{};
    for (std::size_t i = 0; i < N; ++i) {
        points[i] = POINT{screen[i].x, screen[i].y};
    }
    ScopedSelect selectPen(dc, pen);
    ScopedSelect selectBrush(dc, brush);
    Polygon(dc, points.data(), static_cast<int>(N));
}

// A black outline for every hand but the 24-hour marker when DrawHandFrame asks for one.
HPEN HandPen(const FaceFrameInputs& in, const PenAndBrush& hand) {
    return in.settings.colors.DrawHandFrame != 0 ? in.objects.blackPen.get() : hand.pen.get();
}

void DrawHourHand(HDC dc, const FaceFrameInputs& in) {
    const PenAndBrush& hand = in.objects.hourHand;
    DrawPolygon(dc, in.hands.hourHand, HourHandAngle(in.clocks.LocalClock), Centre(in),
                HandPen(in, hand), hand.brush.get());
}

void DrawMinuteHand(HDC dc, const FaceFrameInputs& in) {
    const PenAndBrush& hand = in.objects.minuteHand;
    DrawPolygon(dc, in.hands.minuteHand,
                MinuteHandAngle(in.clocks.LocalClock, in.settings.clock.SecondHandDispOnOff),
                Centre(in), HandPen(in, hand), hand.brush.get());
}

void DrawSecondHand(HDC dc, const FaceFrameInputs& in) {
    if (in.settings.clock.SecondHandDispOnOff != 1) {
        return;
    }
    const PenAndBrush& hand = in.objects.secondHand;
    HPEN pen = HandPen(in, hand);
    DrawPolygon(dc, in.hands.secondHand,
                SecondHandAngle(in.clocks.LocalClock, in.settings.clock.SecondHandSmooth),
                Centre(in), pen, hand.brush.get());
    const int d = in.hands.secondCapRadius;
    const FaceGeometry& g = in.geometry;
    ScopedSelect selectPen(dc, pen);
    ScopedSelect selectBrush(dc, hand.brush.get());
    Ellipse(dc, g.cx - d, g.cy - d, g.cx + d + 1, g.cy + d + 1);
}

void DrawHands12(HDC dc, const FaceFrameInputs& in) {
    DrawHourHand(dc, in);
    DrawMinuteHand(dc, in);
    DrawSecondHand(dc, in);
}

// The hour-hand shape turning once a day with the given clock.
void DrawDayHand(HDC dc, const FaceFrameInputs& in, const ClockTimeRecord& clock, HPEN pen,
                 HBRUSH brush) {
    DrawPolygon(dc, in.hands.hourHand, TwentyFourHourAngle(clock, in.settings.clock.Clock0HourPos),
                Centre(in), pen, brush);
}

void Draw24HourHand(HDC dc, const FaceFrameInputs& in) {
    const PenAndBrush& hand = in.objects.hourHand;
    DrawDayHand(dc, in, in.clocks.LocalClock, HandPen(in, hand), hand.brush.get());
}

// zone is 1 or 2.
void DrawWorldZoneHand(HDC dc, const FaceFrameInputs& in, int zone) {
    const std::size_t index = zone == 1 ? 0 : 1;
    const ClockTimeRecord& clock = zone == 1 ? in.clocks.WorldClock1 : in.clocks.WorldClock2;
    HPEN pen = in.settings.colors.DrawHandFrame != 0 ? in.objects.blackPen.get()
                                                     : in.objects.worldZonePens[index].get();
    DrawDayHand(dc, in, clock, pen, in.objects.worldZoneBrushes[index].get());
}

void Draw24HourMarker(HDC dc, const FaceFrameInputs& in) {
    DrawPolygon(dc, in.hands.marker24,
                TwentyFourHourAngle(in.clocks.LocalClock, in.settings.clock.Clock0HourPos),
                Centre(in), in.objects.hour24FramePen.get(), in.objects.hour24FillBrush.get());
}

void DrawWorldZoneHands(HDC dc, const FaceFrameInputs& in) {
    for (int zone = 1; zone <= 2; ++zone) {
        if (in.zones.TimeZoneDiffOnFlag[static_cast<std::size_t>(zone - 1)] == 1) {
            DrawWorldZoneHand(dc, in, zone);
        }
    }
}

void DrawDate(HDC dc, const FaceFrameInputs& in) {
    const ClockTimeRecord& c = in.clocks.LocalClock;
    const ClockSettings& s = in.settings.clock;
    ScopedSelect font(dc, in.objects.dateFont.get());
    const std::string text = FormatDate(c.Year, c.Month, c.Day, c.DayOfWeek,
                                        s.DigitalDateFormatMode, in.settings.font.logFont.CharSet);
    const Rect rect = DateTextRect(in.geometry.cx, in.geometry.cy, TextWidth(dc, text),
                                   in.fontHeights.date, s.DigitalDateFormatMode);
    ScopedTextColor colour(dc, in.settings.font.DateTextColor);
    DrawTextIn(dc, text, rect, DT_CENTER | DT_WORDBREAK);
}

// Both forms of the time; the second form's prefix is empty in the first.
void DrawTime(HDC dc, const FaceFrameInputs& in) {
    const ClockTimeRecord& c = in.clocks.LocalClock;
    const ClockSettings& s = in.settings.clock;
    const int mode = s.DigitalTimeFormatMode;
    ScopedSelect font(dc, in.objects.timeFont.get());
    const TimeTextParts parts = SplitTime(c.Hour, c.Minute, mode);
    TimeTextWidths widths;
    widths.whole = TextWidth(dc, FormatTime(c.Hour, c.Minute, mode));
    widths.prefix = TextWidth(dc, parts.prefix);
    widths.hourField = TextWidth(dc, parts.hourField);
    widths.colon = TextWidth(dc, kTimeColonText);
    widths.minute = TextWidth(dc, parts.minute);
    const TimeTextRects rects =
        TimeTextLayout(in.geometry.cx, in.geometry.cy, in.fontHeights.time, widths, s.TimeColonAdj);
    ScopedTextColor colour(dc, in.settings.font.TimeTextColor);
    DrawTextIn(dc, parts.prefix, rects.prefix, DT_CENTER | DT_SINGLELINE);
    DrawTextIn(dc, parts.hour, rects.hour, DT_RIGHT | DT_SINGLELINE);
    if (in.clocks.HalfSecondFlag == 1) {
        DrawTextIn(dc, kTimeColonText, rects.colon, DT_CENTER | DT_SINGLELINE);
    }
    DrawTextIn(dc, parts.minute, rects.minute, DT_LEFT | DT_SINGLELINE);
}

void DrawCaption(HDC dc, const FaceFrameInputs& in) {
    ScopedSelect font(dc, in.objects.jstFont.get());
    const Rect rect = CaptionTextRect(in.geometry.cx, in.geometry.cy, TextWidth(dc, kCaptionText),
                                      in.fontHeights.jst);
    ScopedTextColor colour(dc, in.settings.font.JSTTextColor);
    DrawTextIn(dc, kCaptionText, rect, DT_CENTER | DT_SINGLELINE);
}

void DrawTexts(HDC dc, const FaceFrameInputs& in) {
    const ClockSettings& s = in.settings.clock;
    if (s.DigitalDateMode == 1) {
        DrawDate(dc, in);
    }
    if (s.DigitalTimeMode == 1) {
        DrawTime(dc, in);
    }
    if (s.JSTStringOnOff == 1) {
        DrawCaption(dc, in);
    }
}

} // namespace

void PaintFace12(HDC dc, const FaceFrameInputs& in) {
    ScopedSelect pen(dc, in.objects.blackPen.get());
    ScopedSelect brush(dc, in.objects.blackBrush.get());
    DrawBackground(dc, in, false, false);
    ScopedSelect font(dc, in.objects.numeralFont.get());
    DrawMinuteGraduations(dc, in);
    DrawHands12(dc, in);
    DrawTexts(dc, in);
}

void PaintFace24(HDC dc, const FaceFrameInputs& in) {
    ScopedSelect pen(dc, in.objects.blackPen.get());
    ScopedSelect brush(dc, in.objects.blackBrush.get());
    DrawBackground(dc, in, true, true);
    ScopedSelect font(dc, in.objects.numeralFont.get());
    DrawHourRing24(dc, in);
    DrawInnerMinuteGraduations(dc, in);
    Draw24HourHand(dc, in);
    DrawWorldZoneHands(dc, in);
    DrawMinuteHand(dc, in);
    DrawSecondHand(dc, in);
    DrawTexts(dc, in);
}

void PaintFace12And24(HDC dc, const FaceFrameInputs& in) {
    ScopedSelect pen(dc, in.objects.blackPen.get());
    ScopedSelect brush(dc, in.objects.blackBrush.get());
    DrawBackground(dc, in, false, true);
    ScopedSelect font(dc, in.objects.numeralFont.get());
    DrawHourRing24(dc, in);
    DrawInnerMinuteGraduations(dc, in);
    Draw24HourMarker(dc, in);
    DrawHands12(dc, in);
    DrawTexts(dc, in);
}

void PaintFace(HDC backBuffer, const FaceFrameInputs& in) {
    switch (in.settings.clock.TwelveH_24H_Setting) {
    case 0:
        PaintFace12(backBuffer, in);
        break;
    case 1:
        PaintFace24(backBuffer, in);
        break;
    case 2:
        PaintFace12And24(backBuffer, in);
        break;
    default:
        break;
    }
}

} // namespace zentrava
