#include "app/gdi_count_win.h"
#include "face/drawing_objects_win.h"

#include "base/memory_settings_store.h"

#include <winternl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace zentrava {
namespace {

struct PenFacts {
    COLORREF colour;
    LONG width;
};

PenFacts FactsOf(HPEN pen) {
    LOGPEN logPen{};
    EXPECT_EQ(GetObjectA(pen, sizeof logPen, &logPen), static_cast<int>(sizeof logPen));
    EXPECT_EQ(logPen.lopnStyle, static_cast<UINT>(PS_SOLID));
    return {logPen.lopnColor, logPen.lopnWidth.x};
}

COLORREF ColourOf(HBRUSH brush) {
    LOGBRUSH logBrush{};
    EXPECT_EQ(GetObjectA(brush, sizeof logBrush, &logBrush), static_cast<int>(sizeof logBrush));
    EXPECT_EQ(logBrush.lbStyle, static_cast<UINT>(BS_SOLID));
    return logBrush.lbColor;
}

LOGFONTA LogFontOf(HFONT font) {
    LOGFONTA logFont{};
    EXPECT_EQ(GetObjectA(font, sizeof logFont, &logFont), static_cast<int>(sizeof logFont));
    return logFont;
}

// A font someone can read: realised, neither collapsed to a pixel (what the platform makes of
// heights it cannot honour) nor so large or wide that a short text outgrows any window.
void ExpectReadable(HFONT font, const char* line) {
    LogFontOf(font);
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    ScopedSelect select(dc.get(), font);
    SIZE size{};
    const char* sample = "12:34 JST \x93\xfa"; // ends with 日
    ASSERT_NE(GetTextExtentPoint32A(dc.get(), sample, static_cast<int>(std::strlen(sample)), &size),
              0)
        << line;
    EXPECT_GT(size.cx, 0) << line;
    EXPECT_LE(size.cx, 32767) << line;
    EXPECT_GE(size.cy, 4) << line;
    EXPECT_LE(size.cy, 2000) << line;
}

std::vector<HGDIOBJ> HandlesOf(const DrawingObjects& set) {
    std::vector<HGDIOBJ> handles{
        set.hourHand.pen.get(),     set.hourHand.brush.get(),  set.minuteHand.pen.get(),
        set.minuteHand.brush.get(), set.secondHand.pen.get(),  set.secondHand.brush.get(),
        set.clockFace.pen.get(),    set.clockFace.brush.get(), set.backGround.pen.get(),
        set.backGround.brush.get(), set.fiveMinThickPen.get(), set.fiveMinThinPen.get(),
        set.oneMinPen.get(),        set.hour24FillBrush.get(), set.hour24FramePen.get(),
        set.blackPen.get(),         set.blackThickPen.get(),   set.blackBrush.get(),
        set.numeralFont.get(),      set.dateFont.get(),        set.timeFont.get(),
        set.jstFont.get()};
    for (const UniqueBrush& brush : set.worldZoneBrushes) {
        handles.push_back(brush.get());
    }
    return handles;
}

const TextFontHeights kHeights{16, 17, 18, 19};

DrawColors DistinctColours() {
    return {0x010101, 0x020202, 0x030303, 0x040404, 0x050505,
            0x060606, 0x070707, 0x0000FF, 0x00FF00, 1};
}

TEST(DrawingObjects, EveryPenBrushAndFontIsMadeInItsColourAndWidth) {
    WorldZoneSettings zones;
    zones.TimeZoneDiffColor = {0x112233, 0x445566};
    const auto set = BuildDrawingObjects(DistinctColours(), zones, FontSettings{}, kHeights);
    ASSERT_TRUE(set.has_value());
    for (HGDIOBJ handle : HandlesOf(*set)) {
        EXPECT_NE(GetObjectType(handle), 0u);
    }

    const struct {
        const char* name;
        HPEN pen;
        PenFacts expected;
    } pens[] = {
        {"hour", set->hourHand.pen.get(), {0x010101, 1}},
        {"minute", set->minuteHand.pen.get(), {0x020202, 1}},
        {"second", set->secondHand.pen.get(), {0x030303, 1}},
        {"face", set->clockFace.pen.get(), {0x040404, 1}},
        {"background", set->backGround.pen.get(), {0x050505, 1}},
        {"5-minute thick", set->fiveMinThickPen.get(), {0x060606, 3}},
        {"5-minute thin", set->fiveMinThinPen.get(), {0x060606, 1}},
        {"1-minute", set->oneMinPen.get(), {0x070707, 1}},
        {"24-hour frame", set->hour24FramePen.get(), {0x00FF00, 1}},
        {"black", set->blackPen.get(), {0, 1}},
        {"black thick", set->blackThickPen.get(), {0, 3}},
    };
    for (const auto& p : pens) {
        const PenFacts facts = FactsOf(p.pen);
        EXPECT_EQ(facts.colour, p.expected.colour) << p.name;
        EXPECT_EQ(facts.width, p.expected.width) << p.name;
    }

    const struct {
        const char* name;
        HBRUSH brush;
        COLORREF expected;
    } brushes[] = {
        {"hour", set->hourHand.brush.get(), 0x010101},
        {"minute", set->minuteHand.brush.get(), 0x020202},
        {"second", set->secondHand.brush.get(), 0x030303},
        {"face", set->clockFace.brush.get(), 0x040404},
        {"background", set->backGround.brush.get(), 0x050505},
        {"24-hour fill", set->hour24FillBrush.get(), 0x0000FF},
        {"black", set->blackBrush.get(), 0},
        {"zone 1", set->worldZoneBrushes[0].get(), 0x112233},
        {"zone 2", set->worldZoneBrushes[1].get(), 0x445566},
    };
    for (const auto& b : brushes) {
        EXPECT_EQ(ColourOf(b.brush), b.expected) << b.name;
    }
}

TEST(DrawingObjects, FourTextFontsDifferOnlyInHeight) {
    FontSettings font;
    font.logFont.Italic = 1;
    font.logFont.Weight = 400;
    const auto set = BuildDrawingObjects(DrawColors{}, WorldZoneSettings{}, font, kHeights);
    ASSERT_TRUE(set.has_value());
    const LOGFONTA configured = ToLogFontA(font.logFont);
    const struct {
        HFONT font;
        LONG height;
    } fonts[] = {{set->numeralFont.get(), 16},
                 {set->dateFont.get(), 17},
                 {set->timeFont.get(), 18},
                 {set->jstFont.get(), 19}};
    for (const auto& f : fonts) {
        LOGFONTA made = LogFontOf(f.font);
        EXPECT_EQ(made.lfHeight, f.height);
        made.lfHeight = configured.lfHeight;
        EXPECT_EQ(std::memcmp(&made, &configured, sizeof made), 0) << f.height;
        ExpectReadable(f.font, "text font");
    }
}

TEST(TextFontHeights, FollowTheWindowOrThePointSizes) {
    FontSettings font;
    font.HeightDisit = 23;
    EXPECT_EQ(ComputeTextFontHeights(font, std::nullopt), (TextFontHeights{23, 23, 23, 23}));
    EXPECT_EQ(ComputeTextFontHeights(font, 400), (TextFontHeights{50, 50, 50, 50}));
    EXPECT_EQ(ComputeTextFontHeights(font, 127), (TextFontHeights{15, 15, 15, 15}));

    font.AutoFontSize = 0;
    font.MesStrTextSize = 9;
    font.DateTextSize = 14;
    font.TimeTextSize = 72;
    font.JSTStrTextSize = 0;
    const ScopedWindowDc screen(nullptr);
    const int dpi =
        std::max(GetDeviceCaps(screen.get(), LOGPIXELSX), GetDeviceCaps(screen.get(), LOGPIXELSY));
    ASSERT_GT(dpi, 0);
    const auto pixels = [dpi](int points) { return (points * dpi * 2 + 72) / 144; };
    const TextFontHeights expected{pixels(9), pixels(14), dpi, 0};
    EXPECT_EQ(ComputeTextFontHeights(font, 400), expected);
    EXPECT_EQ(ComputeTextFontHeights(font, 400, screen.get()), expected);
}

TEST(TextFontHeights, SizeThatConvertsToMinusOneGetsTwelvePixels) {
    FontSettings font;
    font.AutoFontSize = 0;
    const ScopedWindowDc screen(nullptr);
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    // -1 point is -1 pixel at any resolution up to 108 dpi (MulDiv rounds half away from 0).
    ASSERT_LT(dpi, 108);
    font.MesStrTextSize = -1;
    font.DateTextSize = -1;
    EXPECT_EQ(ComputeTextFontHeights(font, 400, screen.get()).numeral, 12);
    EXPECT_EQ(ComputeTextFontHeights(font, 400, screen.get()).date, 12);
}

TEST(FaceName, IsCutToThePlatformFieldBetweenCharacters) {
    LogFontFields fields;
    fields.FontFaceName.clear();
    for (int i = 0; i < 20; ++i) {
        fields.FontFaceName += "\x83\x53"; // ゴ
    }
    // 31 bytes would end in half a character.
    EXPECT_EQ(std::string(ToLogFontA(fields).lfFaceName), fields.FontFaceName.substr(0, 30));
}

// Lines a damaged or hand-edited Font_Setting section may hold.
constexpr const char* kDamagedFontLines[] = {
    "FontFaceName=",
    "FontFaceName=No Such Face Anywhere",
    "FontFaceName=\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF",
    "Height=0x7fffffff",
    "Height=-100000",
    "Height=-2147483648",
    "Width=2147483647",
    "Weight=5000",
    "Weight=-1",
    "Escapement=-2147483648\r\nOrientation=2147483647",
    "CharSet=77",
    "CharSet=2",
    "CharSet=255",
    "CharSet=99",
    "Italic=255\r\nUnderline=255\r\nStrikeOut=255\r\nCharSet=255\r\nOutPrecision=255\r\n"
    "ClipPrecision=255\r\nQuality=255\r\nPitchAndFamily=255",
    "AutoFontSize=1\r\nHeightDisit=2147483647",
    "AutoFontSize=1\r\nHeightDisit=-100000",
    "AutoFontSize=0\r\nDateTextSize=2147483647\r\nTimeTextSize=-2147483648\r\n"
    "MesStrTextSize=100000\r\nJSTStrTextSize=-100000",
};

TEST(DrawingObjects, DamagedFontSettingsStillGiveReadableFonts) {
    for (const char* line : kDamagedFontLines) {
        const MemorySettingsStore store(std::string("[Font_Setting]\r\n") + line + "\r\n");
        const FontSettings font = LoadFontSettings(store);
        for (std::optional<int> clientHeight : {std::optional<int>{}, std::optional<int>{256}}) {
            const auto set = BuildDrawingObjects(DrawColors{}, WorldZoneSettings{}, font,
                                                 ComputeTextFontHeights(font, clientHeight));
            ASSERT_TRUE(set.has_value()) << line;
            for (HFONT f : {set->numeralFont.get(), set->dateFont.get(), set->timeFont.get(),
                            set->jstFont.get()}) {
                ExpectReadable(f, line);
            }
        }
    }
}

TEST(DrawingObjects, ColoursOutsideTheRgbRangeStillGiveAWholeSet) {
    for (int colour : {-1, INT_MIN, INT_MAX, 0x01000005, 0x02FFFFFF}) {
        DrawColors colours;
        colours.HourHandColor = colours.ClockFaceColor = colours.FiveMinMesColor = colour;
        colours.TwentyFourHourHandColor = colours.TwentyFourHourHandPenColor = colour;
        WorldZoneSettings zones;
        zones.TimeZoneDiffColor = {colour, colour};
        EXPECT_TRUE(BuildDrawingObjects(colours, zones, FontSettings{}, kHeights).has_value())
            << colour;
    }
}

TEST(GdiCount, SeesObjectsComeAndGo) {
    const long before = LiveGdiObjects();
    ASSERT_GT(before, 0) << "no way to count GDI objects here";
    {
        std::vector<UniquePen> pens;
        for (int i = 0; i < 7; ++i) {
            pens.emplace_back(CreatePen(PS_SOLID, 1, RGB(i, 0, 0)));
        }
        EXPECT_EQ(LiveGdiObjects(), before + 7);
    }
    EXPECT_EQ(LiveGdiObjects(), before);
}

TEST(DrawingObjects, ReplacingTheSetFiveHundredTimesLeaksNothing) {
    FontSettings font;
    DrawingObjects current;
    ASSERT_TRUE(ReplaceDrawingObjects(current, DrawColors{}, WorldZoneSettings{}, font, kHeights));
    // The first DCs and fonts make a few lasting objects of the system's; count after them.
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(
            ReplaceDrawingObjects(current, DrawColors{}, WorldZoneSettings{}, font, kHeights));
    }
    const long before = LiveGdiObjects();
    ASSERT_GT(before, 0);

    for (int i = 0; i < 500; ++i) {
        DrawColors colours;
        colours.HourHandColor = i;
        colours.TwentyFourHourHandPenColor = 0xFFFFFF - i;
        WorldZoneSettings zones;
        zones.TimeZoneDiffColor = {i * 3, i * 5};
        font.logFont.Weight = 100 * (i % 10);
        const TextFontHeights heights{10 + i % 50, 11 + i % 40, 12 + i % 30, 13 + i % 20};
        const std::vector<HGDIOBJ> old = HandlesOf(current);
        ASSERT_TRUE(ReplaceDrawingObjects(current, colours, zones, font, heights)) << i;
        // Right after the swap nothing new has been made, so an old handle that still names an
        // object was never deleted.
        for (HGDIOBJ handle : old) {
            ASSERT_EQ(GetObjectType(handle), 0u) << "iteration " << i;
        }
        ASSERT_EQ(ColourOf(current.hourHand.brush.get()), static_cast<COLORREF>(i));
    }
    EXPECT_LE(LiveGdiObjects(), before + 4);

    const std::vector<HGDIOBJ> last = HandlesOf(current);
    current = DrawingObjects{};
    for (HGDIOBJ handle : last) {
        EXPECT_EQ(GetObjectType(handle), 0u);
    }
}

} // namespace
} // namespace zentrava
