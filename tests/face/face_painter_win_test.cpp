#include "face/face_painter_win.h"

#include "app/gdi_count_win.h"
#include "base/memory_settings_store.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

// The whole-frame references live in tests/face/reference. To rewrite them after a deliberate
// change of the face, run this program once with ZENTRAVA_WRITE_REFERENCES=1, look at every
// image, and commit them on their own with the reason.

namespace zentrava {
namespace {

constexpr COLORREF kUntouched = RGB(255, 0, 255);
constexpr int kRed = 0x0000FF;
constexpr int kGreen = 0x00FF00;
constexpr int kBlue = 0xFF0000;
constexpr int kYellow = 0x00FFFF;

// A frame read back from a 24-bit top-down DIB.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgr; // rows of width * 3 bytes, no padding

    COLORREF At(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
        return RGB(bgr[i + 2], bgr[i + 1], bgr[i]);
    }
};

struct Scene {
    AppearanceSettings settings;
    WorldZoneSettings zones;
    Clocks clocks;
    TimeBands bands;
    int width = 200;
    int height = 200;
};

Clocks ClocksAt(int hour, int minute, int second, int halfSecondFlag = 1) {
    Clocks clocks;
    ResetClocks(clocks);
    // Tuesday, 8 December 2026.
    SetLocalClock(clocks, DateTime{.year = 2026,
                                   .month = 12,
                                   .dayOfWeek = 2,
                                   .day = 8,
                                   .hour = hour,
                                   .minute = minute,
                                   .second = second});
    clocks.HalfSecondFlag = halfSecondFlag;
    return clocks;
}

// Defaults, without the texts: they lie over the hands' axes near the centre.
Scene HandsOnly(int dialMode, int hour, int minute, int second) {
    Scene scene;
    ClockSettings& c = scene.settings.clock;
    c.TwelveH_24H_Setting = dialMode;
    c.DigitalDateMode = 0;
    c.DigitalTimeMode = 0;
    c.JSTStringOnOff = 0;
    DrawColors& colours = scene.settings.colors;
    colours.HourHandColor = kRed;
    colours.MinuteHandColor = kGreen;
    colours.SecondHandColor = kBlue;
    colours.TwentyFourHourHandColor = kYellow;
    colours.DrawHandFrame = 0;
    scene.clocks = ClocksAt(hour, minute, second);
    return scene;
}

Frame Render(const Scene& scene) {
    const int w = scene.width;
    const int h = scene.height;
    Frame frame{w, h, {}};
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    EXPECT_TRUE(dc);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    EXPECT_TRUE(bitmap);
    if (!bitmap || bits == nullptr) {
        return frame;
    }
    const int stride = (w * 3 + 3) & ~3;
    {
        ScopedSelect selectBitmap(dc.get(), bitmap.get());
        // As the back buffer does: text over the face, not in boxes.
        SetBkMode(dc.get(), TRANSPARENT);
        auto* rows = static_cast<std::uint8_t*>(bits);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                std::uint8_t* p = rows + y * stride + x * 3;
                p[0] = GetBValue(kUntouched);
                p[1] = GetGValue(kUntouched);
                p[2] = GetRValue(kUntouched);
            }
        }
        const FaceGeometry geometry = ComputeFaceGeometry(w, h, scene.settings.clock);
        const ClockSettings& c = scene.settings.clock;
        const std::optional<HandShapes> hands = BuildHandShapes(
            c.ClockHandDesign, geometry.R, c.Clock24HourMarkSize, c.Clock24HourMarkPos);
        EXPECT_TRUE(hands.has_value());
        const TextFontHeights heights = ComputeTextFontHeights(scene.settings.font, h);
        std::optional<DrawingObjects> objects =
            BuildDrawingObjects(scene.settings.colors, scene.zones, scene.settings.font, heights);
        EXPECT_TRUE(objects.has_value());
        if (!hands || !objects) {
            return frame;
        }
        PaintFace(dc.get(), FaceFrameInputs{geometry, *hands, scene.settings, *objects, heights,
                                            scene.zones, scene.clocks, scene.bands});
        GdiFlush();
    }
    const auto* rows = static_cast<const std::uint8_t*>(bits);
    frame.bgr.resize(static_cast<std::size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y) {
        std::memcpy(frame.bgr.data() + static_cast<std::size_t>(y) * w * 3, rows + y * stride,
                    static_cast<std::size_t>(w) * 3);
    }
    return frame;
}

// degrees clockwise from 12 o'clock; radius in fractions of R.
POINT OnAxis(const FaceGeometry& g, double degrees, double fraction) {
    const double a = degrees * 3.14159265358979 / 180.0;
    const double r = fraction * g.R;
    return POINT{g.cx + static_cast<LONG>(std::lround(r * std::sin(a))),
                 g.cy - static_cast<LONG>(std::lround(r * std::cos(a)))};
}

std::string Hex(COLORREF c) {
    char text[16];
    std::snprintf(text, sizeof text, "%06lX", static_cast<unsigned long>(c));
    return text;
}

// ---------------------------------------------------------------------------------------------
// The hands point where the time says.

struct HandCase {
    const char* name;
    int dialMode;
    int clock0HourPos;
    int hour, minute, second;
    int showSecond;
    double degrees;  // where the hand must point
    double from, to; // sampled span along the axis, fractions of R
    int colour;
};

TEST(ClockHands, PointWhereTheTimeSays) {
    const HandCase cases[] = {
        {"03:00 hour hand right", 0, 0, 3, 0, 0, 0, 90, 0.2, 0.45, kRed},
        {"03:00 minute hand up", 0, 0, 3, 0, 0, 0, 0, 0.7, 0.85, kGreen},
        {"15:00 hour hand right", 0, 0, 15, 0, 0, 0, 90, 0.2, 0.45, kRed},
        {"09:00 hour hand left", 0, 0, 9, 0, 0, 0, 270, 0.2, 0.45, kRed},
        {"06:00 hour hand down", 0, 0, 6, 0, 0, 0, 180, 0.2, 0.45, kRed},
        {"12:15:30 minute hand past three", 0, 0, 12, 15, 30, 1, 93, 0.7, 0.85, kGreen},
        {"12:15:30 second hand down", 0, 0, 12, 15, 30, 1, 180, 0.3, 0.9, kBlue},
        {"12:15:30 second hand tail up", 0, 0, 12, 15, 30, 1, 0, 0.07, 0.15, kBlue},
        {"24-hour dial 18:00 hand left", 1, 0, 18, 0, 0, 0, 270, 0.2, 0.45, kRed},
        {"24-hour dial 06:00 hand right", 1, 0, 6, 0, 0, 0, 90, 0.2, 0.45, kRed},
        {"24-hour dial 18:00 minute hand up", 1, 0, 18, 0, 0, 0, 0, 0.7, 0.85, kGreen},
        {"24-hour dial midnight at the bottom", 1, 1, 0, 0, 0, 0, 180, 0.2, 0.45, kRed},
        {"24-hour dial with 0 below: 06:00 hand left", 1, 1, 6, 0, 0, 0, 270, 0.2, 0.45, kRed},
        {"12/24 dial 03:00 hour hand right", 2, 0, 3, 0, 0, 0, 90, 0.2, 0.45, kRed},
        {"12/24 dial 03:00 marker at 45 degrees", 2, 0, 3, 0, 0, 0, 45, 0.76, 0.8, kYellow},
        {"12/24 dial 18:00 marker left", 2, 0, 18, 0, 0, 0, 270, 0.76, 0.8, kYellow},
    };
    for (const HandCase& c : cases) {
        Scene scene = HandsOnly(c.dialMode, c.hour, c.minute, c.second);
        scene.settings.clock.Clock0HourPos = c.clock0HourPos;
        scene.settings.clock.SecondHandDispOnOff = c.showSecond;
        const Frame frame = Render(scene);
        ASSERT_FALSE(frame.bgr.empty()) << c.name;
        const FaceGeometry g = ComputeFaceGeometry(200, 200, scene.settings.clock);
        for (double f = c.from; f <= c.to + 1e-9; f += (c.to - c.from) / 4) {
            const POINT p = OnAxis(g, c.degrees, f);
            EXPECT_EQ(Hex(frame.At(p.x, p.y)), Hex(static_cast<COLORREF>(c.colour)))
                << c.name << " at " << p.x << "," << p.y;
        }
    }
}

// The hour hand and a world zone's day hand take the black outline only when DrawHandFrame is
// on; otherwise each is outlined in its own colour. At 06:00 here zone 1 (UTC-3) is at 18:00:
// its hand points left on the 24-hour dial, the local day hand right.
TEST(ClockHands, OutlinedInBlackOnlyWhenTheFrameIsOn) {
    constexpr COLORREF kZone = RGB(0, 128, 255);
    for (const int frameOn : {0, 1}) {
        Scene twelve = HandsOnly(0, 3, 0, 0);
        twelve.settings.colors.DrawHandFrame = frameOn;
        Scene day = HandsOnly(1, 6, 0, 0);
        day.settings.colors.DrawHandFrame = frameOn;
        day.zones.TimeZoneDiffOnFlag[0] = 1;
        day.zones.TimeZoneDiffHour[0] = -3;
        day.zones.TimeZoneDiffColor[0] = static_cast<int>(kZone);
        SetClocks(day.clocks, LocalDateTime(day.clocks.LocalClock), day.zones);
        struct Case {
            const Scene& scene;
            int side; // +1: the hand points right, -1: left
            COLORREF colour;
        };
        for (const Case& c : {Case{twelve, 1, static_cast<COLORREF>(kRed)}, Case{day, -1, kZone}}) {
            const Frame frame = Render(c.scene);
            ASSERT_FALSE(frame.bgr.empty());
            const FaceGeometry g = ComputeFaceGeometry(200, 200, c.scene.settings.clock);
            // The hand's edge, half its width (R / 24) below the axis, and its inside.
            const int x = g.cx + c.side * 30;
            EXPECT_EQ(Hex(frame.At(x, g.cy + g.R / 24)),
                      Hex(frameOn == 1 ? RGB(0, 0, 0) : c.colour))
                << "frame " << frameOn << " side " << c.side;
            EXPECT_EQ(Hex(frame.At(x, g.cy)), Hex(c.colour)) << "side " << c.side;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// The face, the frame ring and what lies outside them.

TEST(ClockFace, FaceAndFrameRingKeepTheirColours) {
    for (int mode = 0; mode <= 2; ++mode) {
        Scene scene;
        scene.settings.clock.TwelveH_24H_Setting = mode;
        scene.clocks = ClocksAt(3, 0, 20);
        const Frame frame = Render(scene);
        ASSERT_FALSE(frame.bgr.empty()) << mode;
        const FaceGeometry g = ComputeFaceGeometry(200, 200, scene.settings.clock);
        const COLORREF face = static_cast<COLORREF>(scene.settings.colors.ClockFaceColor);
        const COLORREF ring = static_cast<COLORREF>(scene.settings.colors.BackGroundColor);
        // Between the centre's texts and the graduations, away from every hand.
        for (const double degrees : {225.0, 240.0, 300.0}) {
            const POINT p = OnAxis(g, degrees, 0.45);
            EXPECT_EQ(Hex(frame.At(p.x, p.y)), Hex(face)) << "mode " << mode << " " << degrees;
        }
        // Inside the window's circle but outside the face disc.
        const POINT ring_points[] = {{100, 1}, {1, 100}, {198, 100}, {100, 198}};
        for (const POINT& p : ring_points) {
            EXPECT_EQ(Hex(frame.At(p.x, p.y)), Hex(ring))
                << "mode " << mode << " " << p.x << "," << p.y;
        }
    }
}

TEST(ClockFace, NothingIsDrawnOutsideTheWindowsCircle) {
    for (int mode = 0; mode <= 2; ++mode) {
        for (int design = 0; design < kHandDesignCount; ++design) {
            for (int graduation = 0; graduation <= 1; ++graduation) {
                Scene scene;
                scene.settings.clock.TwelveH_24H_Setting = mode;
                scene.settings.clock.ClockHandDesign = design;
                scene.settings.clock.ClockMinuteGraduationDesign = graduation;
                scene.clocks = ClocksAt(10, 8, 30);
                const Frame frame = Render(scene);
                ASSERT_FALSE(frame.bgr.empty());
                int outside = 0;
                for (int y = 0; y < frame.height; ++y) {
                    for (int x = 0; x < frame.width; ++x) {
                        const double dx = x + 0.5 - 100.0;
                        const double dy = y + 0.5 - 100.0;
                        if (dx * dx + dy * dy > 101.0 * 101.0 && frame.At(x, y) != kUntouched) {
                            ++outside;
                        }
                    }
                }
                EXPECT_EQ(outside, 0)
                    << "mode " << mode << " design " << design << " graduation " << graduation;
            }
        }
    }
}

// A hand-edited dial mode no painter knows would leave a face with no hands for the whole run;
// as loaded, it is one the painters draw.
TEST(ClockFace, ADialModeOutsideTheThreeFromTheFileStillShowsTheHands) {
    for (const char* line : {"12H_24H_Setting=7", "12H_24H_Setting=-1", "12H_24H_Setting=3"}) {
        const MemorySettingsStore store(std::string("[Clock_Setting]\r\n") + line + "\r\n");
        Scene scene = HandsOnly(0, 3, 0, 0);
        scene.settings.clock.TwelveH_24H_Setting = LoadClockSettings(store).TwelveH_24H_Setting;
        scene.settings.clock.SecondHandDispOnOff = 0;
        const Frame frame = Render(scene);
        ASSERT_FALSE(frame.bgr.empty()) << line;
        const FaceGeometry g = ComputeFaceGeometry(200, 200, scene.settings.clock);
        for (const double f : {0.2, 0.3, 0.4}) {
            const POINT hour = OnAxis(g, 90, f);
            EXPECT_EQ(Hex(frame.At(hour.x, hour.y)), Hex(static_cast<COLORREF>(kRed))) << line;
        }
        const POINT minute = OnAxis(g, 0, 0.75);
        EXPECT_EQ(Hex(frame.At(minute.x, minute.y)), Hex(static_cast<COLORREF>(kGreen))) << line;
    }
}

// ---------------------------------------------------------------------------------------------
// The digital time's colon blinks with the half second.

TEST(DigitalTime, ColonShowsInTheFirstHalfOfEachSecondOnly) {
    for (int mode = 0; mode <= 2; ++mode) {
        Scene scene;
        scene.settings.clock.TwelveH_24H_Setting = mode;
        scene.settings.font.TimeTextColor = kRed;
        scene.clocks = ClocksAt(3, 0, 20, 1);
        const Frame shown = Render(scene);
        scene.clocks.HalfSecondFlag = 0;
        const Frame hidden = Render(scene);
        ASSERT_FALSE(shown.bgr.empty());
        ASSERT_FALSE(hidden.bgr.empty());
        const int h = ComputeTextFontHeights(scene.settings.font, 200).time;
        int solidColonPixels = 0;
        int strayChanges = 0;
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 200; ++x) {
                if (shown.At(x, y) == hidden.At(x, y)) {
                    continue;
                }
                solidColonPixels += shown.At(x, y) == kRed ? 1 : 0;
                // Only the colon (its smoothed edges too), near the centre on the time's line,
                // over bare face when it is gone.
                const bool onColon = std::abs(x - 100) <= h / 2 && y >= 100 + h / 2 &&
                                     y < 100 + h + h / 2 && hidden.At(x, y) == RGB(255, 255, 255);
                strayChanges += onColon ? 0 : 1;
            }
        }
        EXPECT_GT(solidColonPixels, 0) << "mode " << mode;
        EXPECT_EQ(strayChanges, 0) << "mode " << mode;
    }
}

// ---------------------------------------------------------------------------------------------
// Painting makes no lasting GDI objects.

TEST(ClockFace, PaintingLeavesNoGdiObjectsBehind) {
    if (LiveGdiObjects() < 0) {
        GTEST_SKIP() << "no way to count GDI objects here";
    }
    for (int mode = 0; mode <= 2; ++mode) {
        Scene scene;
        scene.settings.clock.TwelveH_24H_Setting = mode;
        scene.clocks = ClocksAt(10, 8, 30);
        Render(scene); // the first frame may load fonts for good
        const long before = LiveGdiObjects();
        for (int i = 0; i < 5; ++i) {
            Render(scene);
        }
        EXPECT_EQ(LiveGdiObjects(), before) << "mode " << mode;
    }
}

// ---------------------------------------------------------------------------------------------
// Whole frames against the committed references.

std::string ReferencePath(const char* name) {
    std::string path = std::string("Z:") + ZENTRAVA_SOURCE_DIR + "/tests/face/reference/" + name;
    for (char& ch : path) {
        if (ch == '/') {
            ch = '\\';
        }
    }
    return path;
}

// A plain bottom-up 24-bit BMP, as image viewers expect.
bool WriteBmp(const std::string& path, const Frame& frame) {
    const int stride = (frame.width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * frame.height);
    info.biSize = sizeof info;
    info.biWidth = frame.width;
    info.biHeight = frame.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    UniqueFile out(std::fopen(path.c_str(), "wb"));
    if (!out) {
        return false;
    }
    std::fwrite(&file, sizeof file, 1, out.get());
    std::fwrite(&info, sizeof info, 1, out.get());
    std::vector<std::uint8_t> row(static_cast<std::size_t>(stride), 0);
    for (int y = frame.height - 1; y >= 0; --y) {
        std::memcpy(row.data(), frame.bgr.data() + static_cast<std::size_t>(y) * frame.width * 3,
                    static_cast<std::size_t>(frame.width) * 3);
        std::fwrite(row.data(), row.size(), 1, out.get());
    }
    return std::ferror(out.get()) == 0;
}

std::optional<Frame> ReadBmp(const std::string& path) {
    UniqueFile in(std::fopen(path.c_str(), "rb"));
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    if (!in || std::fread(&file, sizeof file, 1, in.get()) != 1 ||
        std::fread(&info, sizeof info, 1, in.get()) != 1 || file.bfType != 0x4D42 ||
        info.biBitCount != 24 || info.biCompression != BI_RGB || info.biWidth <= 0) {
        return std::nullopt;
    }
    Frame frame;
    frame.width = info.biWidth;
    frame.height = std::abs(info.biHeight);
    const bool bottomUp = info.biHeight > 0;
    const int stride = (frame.width * 3 + 3) & ~3;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(stride));
    frame.bgr.resize(static_cast<std::size_t>(frame.width) * frame.height * 3);
    std::fseek(in.get(), static_cast<long>(file.bfOffBits), SEEK_SET);
    for (int i = 0; i < frame.height; ++i) {
        if (std::fread(row.data(), row.size(), 1, in.get()) != 1) {
            return std::nullopt;
        }
        const int y = bottomUp ? frame.height - 1 - i : i;
        std::memcpy(frame.bgr.data() + static_cast<std::size_t>(y) * frame.width * 3, row.data(),
                    static_cast<std::size_t>(frame.width) * 3);
    }
    return frame;
}

struct ReferenceCase {
    const char* file;
    int dialMode;
};

TEST(ClockFace, WholeFramesMatchTheReferences) {
    const ReferenceCase cases[] = {
        {"dial12_1008_30.bmp", 0},
        {"dial24_1008_30.bmp", 1},
        {"dial12and24_1008_30.bmp", 2},
    };
    const char* write = std::getenv("ZENTRAVA_WRITE_REFERENCES");
    const bool writing = write != nullptr && std::strcmp(write, "1") == 0;
    for (const ReferenceCase& c : cases) {
        Scene scene;
        scene.settings.clock.TwelveH_24H_Setting = c.dialMode;
        scene.clocks = ClocksAt(10, 8, 30);
        const Frame frame = Render(scene);
        ASSERT_FALSE(frame.bgr.empty()) << c.file;
        const std::string path = ReferencePath(c.file);
        if (writing) {
            EXPECT_TRUE(WriteBmp(path, frame)) << path;
            continue;
        }
        const std::optional<Frame> reference = ReadBmp(path);
        ASSERT_TRUE(reference.has_value()) << path;
        ASSERT_EQ(reference->width, frame.width) << c.file;
        ASSERT_EQ(reference->height, frame.height) << c.file;
        int differing = 0;
        for (int y = 0; y < frame.height; ++y) {
            for (int x = 0; x < frame.width; ++x) {
                differing += frame.At(x, y) != reference->At(x, y) ? 1 : 0;
            }
        }
        // Room for another font rasteriser's text edges (0.5 %, 200 pixels of a 200 x 200
        // frame); a lost ring of graduations or a turned hand changes several hundred.
        EXPECT_LE(differing, frame.width * frame.height / 200) << c.file;
    }
}

} // namespace
} // namespace zentrava
