#include "face/picture_rotation.h"

#include "face/face_geometry.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <utility>

namespace zentrava {
namespace {

constexpr std::uint32_t kUpperLeft = 0xFF0000;
constexpr std::uint32_t kUpperRight = 0x00FF00;
constexpr std::uint32_t kLowerLeft = 0x0000FF;
constexpr std::uint32_t kLowerRight = 0xFFFF00;
constexpr std::uint32_t kUntouched = 0xABCDEF;

ClockTimeRecord At(int hour, int minute = 0) {
    ClockTimeRecord record;
    LoadRecord(record, DateTime{2024, 5, 0, 5, hour, minute, 0, 0});
    return record;
}

// 300 x 200, one colour per quadrant, as a user's landscape photo would be.
Picture Quadrants() {
    Picture picture = MakePicture(300, 200);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const bool left = x < 150;
            const bool upper = y < 100;
            picture.At(x, y) =
                upper ? (left ? kUpperLeft : kUpperRight) : (left ? kLowerLeft : kLowerRight);
        }
    }
    return picture;
}

constexpr int kClient = 240;
constexpr FaceCircle kFace{{120, 120}, 110};

Picture Turned(const Picture& picture, int step) {
    Picture out = MakePicture(kClient, kClient, kUntouched);
    RotateIntoFace(ScaledPicture(picture, picture.height, picture.height), step, kFace, out);
    return out;
}

// Colours seen at the upper-left, upper-right, lower-left and lower-right of the face.
std::array<std::uint32_t, 4> Corners(const Picture& out) {
    const int d = 50;
    const int c = kFace.centre.x;
    return {out.At(c - d, c - d), out.At(c + d, c - d), out.At(c - d, c + d), out.At(c + d, c + d)};
}

TEST(PictureRotation, QuadrantsTurnWithTheTwentyFourHourHand) {
    using Four = std::array<std::uint32_t, 4>;
    const Four upright{kUpperLeft, kUpperRight, kLowerLeft, kLowerRight};
    const Four upsideDown{kLowerRight, kLowerLeft, kUpperRight, kUpperLeft};
    const Four quarterClockwise{kLowerLeft, kUpperLeft, kLowerRight, kUpperRight};
    const Four quarterAnticlockwise{kUpperRight, kLowerRight, kUpperLeft, kLowerLeft};
    struct Case {
        const char* name;
        ClockTimeRecord local;
        ClockTimeRecord utc;
        int picRotStdTimeZone;
        int clock0HourPos;
        Four seen;
    };
    const Case cases[] = {
        {"noon, hour 0 at the top", At(12), At(3), 0, 0, upright},
        {"midnight, hour 0 at the top", At(0), At(15), 0, 0, upsideDown},
        {"18:00, hour 0 at the top", At(18), At(9), 0, 0, quarterClockwise},
        {"06:00, hour 0 at the top", At(6), At(21), 0, 0, quarterAnticlockwise},
        {"midnight, hour 0 at the bottom", At(0), At(15), 0, 1, upright},
        {"noon, hour 0 at the bottom", At(12), At(3), 0, 1, upsideDown},
        {"21:00 turning with universal time", At(21), At(12), 1, 0, upright},
        {"03:00 turning with universal time", At(3), At(18), 1, 0, quarterClockwise},
        {"out-of-range zone choice turns with the clock", At(12), At(3), 7, 0, upright},
    };
    const Picture picture = Quadrants();
    for (const Case& c : cases) {
        const int step = PictureTurnStep(c.local, c.utc, c.picRotStdTimeZone, c.clock0HourPos);
        EXPECT_EQ(Corners(Turned(picture, step)), c.seen) << c.name;
    }
}

// The picture's top-centre marker sits where the 24-hour hand points: at 15:00 right of the
// top, at 18:00 on the right, and so on round the day.
TEST(PictureRotation, TopCentreFollowsTheHourAllDay) {
    Picture picture = MakePicture(100, 100);
    for (int y = 4; y < 16; ++y) {
        for (int x = 45; x < 55; ++x) {
            picture.At(x, y) = 0xFFFFFF;
        }
    }
    for (int hour = 0; hour < 24; ++hour) {
        const Picture out = Turned(picture, PictureTurnStep(At(hour), At(hour), 0, 0));
        double sumX = 0;
        double sumY = 0;
        int count = 0;
        for (int y = 0; y < out.height; ++y) {
            for (int x = 0; x < out.width; ++x) {
                if (out.At(x, y) == 0xFFFFFF) {
                    sumX += x + 0.5 - kFace.centre.x;
                    sumY += y + 0.5 - kFace.centre.y;
                    ++count;
                }
            }
        }
        ASSERT_GT(count, 0) << hour;
        // Clockwise from the top, as the 24-hour hand with hour 0 at the top is at noon.
        const double seen = std::atan2(sumX, -sumY);
        const double expected = (hour - 12) * kFacePi / 12;
        EXPECT_NEAR(std::remainder(seen - expected, 2 * kFacePi), 0.0, 0.03) << hour;
    }
    const int threePm = PictureTurnStep(At(15), At(15), 0, 0);
    EXPECT_EQ(threePm, kPictureTurnSteps / 8);
}

TEST(PictureRotation, TurnStepChangesOnlyOnWholeSeconds) {
    int changes = 0;
    for (int ticks = 1; ticks < 1728000; ++ticks) {
        const int before = PictureTurnStep(ticks - 1, 0);
        const int now = PictureTurnStep(ticks, 0);
        if (now != before) {
            ++changes;
            ASSERT_EQ(ticks % 20, 0) << ticks;
            ASSERT_EQ(now, (before + 1) % kPictureTurnSteps) << ticks;
        }
    }
    EXPECT_EQ(changes, kPictureTurnSteps - 1);
    EXPECT_EQ(PictureTurnStep(1727999, 0), PictureTurnStep(-1, 0));
}

TEST(PictureRotation, OnlyPixelsInsideTheFaceCircleAreWritten) {
    const FaceCircle circles[] = {kFace, {{30, 200}, 90}, {{120, 120}, 0}, {{-50, 120}, 40}};
    const Picture square = ScaledPicture(Quadrants(), 200, 200);
    for (const FaceCircle& circle : circles) {
        for (int step : {0, 7777, 43200}) {
            Picture out = MakePicture(kClient, kClient, kUntouched);
            RotateIntoFace(square, step, circle, out);
            Picture stretched = MakePicture(kClient, kClient, kUntouched);
            StretchIntoFace(square, circle, stretched);
            for (int y = 0; y < out.height; ++y) {
                for (int x = 0; x < out.width; ++x) {
                    const int dx = x - circle.centre.x;
                    const int dy = y - circle.centre.y;
                    const bool inside = dx * dx + dy * dy <= circle.radius * circle.radius;
                    ASSERT_EQ(out.At(x, y) != kUntouched, inside) << x << "," << y;
                    ASSERT_EQ(stretched.At(x, y) != kUntouched, inside) << x << "," << y;
                }
            }
        }
    }
}

// Every source pixel has its own value, so each destination pixel says where it sampled; the
// stepping must land where a per-pixel floating-point turn lands, give or take a pixel.
TEST(PictureRotation, SteppingMatchesAFloatingPointTurn) {
    constexpr int side = 37;
    Picture square = MakePicture(side, side);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            square.At(x, y) = static_cast<std::uint32_t>(y * side + x);
        }
    }
    const FaceCircle circle{{45, 35}, 34};
    for (int step : {0, 1, 3600, 12345, 21600, 43200, 60000, 86399}) {
        Picture out = MakePicture(90, 70, kUntouched);
        RotateIntoFace(square, step, circle, out);
        const double t = 2 * kFacePi * step / kPictureTurnSteps;
        int inside = 0;
        int exact = 0;
        for (int y = 0; y < out.height; ++y) {
            for (int x = 0; x < out.width; ++x) {
                if (out.At(x, y) == kUntouched) {
                    continue;
                }
                ++inside;
                const double a = (x + 0.5) * side / out.width - side / 2.0;
                const double b = (y + 0.5) * side / out.height - side / 2.0;
                const int rx = std::clamp(
                    static_cast<int>(std::floor(a * std::cos(t) + b * std::sin(t) + side / 2.0)), 0,
                    side - 1);
                const int ry = std::clamp(
                    static_cast<int>(std::floor(-a * std::sin(t) + b * std::cos(t) + side / 2.0)),
                    0, side - 1);
                const int sx = static_cast<int>(out.At(x, y) % side);
                const int sy = static_cast<int>(out.At(x, y) / side);
                ASSERT_LE(std::abs(sx - rx), 1) << step << " at " << x << "," << y;
                ASSERT_LE(std::abs(sy - ry), 1) << step << " at " << x << "," << y;
                exact += sx == rx && sy == ry;
            }
        }
        EXPECT_GT(exact, inside * 98 / 100) << step;
    }
}

constexpr std::uint32_t kRing = 0x123456;

PictureLayerShape Shape(bool turning, FaceCircle circle = kFace, int width = kClient) {
    return PictureLayerShape{width, kClient, circle, kRing, turning};
}

TEST(PictureLayer, OnePixelHighPictureIsStretchedUnturned) {
    Picture line = MakePicture(4, 1);
    line.pixels = {kUpperLeft, kUpperRight, kLowerLeft, kLowerRight};
    PictureLayer layer(line);
    layer.Reshape(Shape(true));
    const Picture& frame = layer.Frame(kPictureTurnSteps / 2);
    const int y = kFace.centre.y;
    EXPECT_EQ(frame.At(20, y), kUpperLeft);
    EXPECT_EQ(frame.At(80, y), kUpperRight);
    EXPECT_EQ(frame.At(160, y), kLowerLeft);
    EXPECT_EQ(frame.At(220, y), kLowerRight);
    layer.Frame(kPictureTurnSteps / 4);
    EXPECT_EQ(layer.Renders(), 1);
}

// The layer is the turned picture inside the face, the ring colour outside it, and the
// overlay OR-ed over the face only; it is recomputed only when the turn moved on by the face's
// quantum (62 steps at radius 110, 68 at 100) or the shape changed.
TEST(PictureLayer, FrameIsRecomputedOnlyWhenTheTurnOrTheShapeChanges) {
    const Picture picture = Quadrants();
    // A band overlay with one lit column through the centre, beyond the face too.
    const auto drawOverlay = [](Picture& overlay) {
        for (int y = 0; y < overlay.height; ++y) {
            overlay.At(overlay.width / 2, y) = 0x808080;
        }
        return true;
    };
    PictureLayer layer(picture);
    struct Call {
        int step;
        FaceCircle circle;
        int width;
        int renders;
    };
    const Call calls[] = {
        {100, kFace, kClient, 1},         {123, kFace, kClient, 1},
        {124, kFace, kClient, 2},         {124, {{120, 120}, 100}, kClient, 3},
        {135, {{120, 120}, 100}, 260, 4}, {136, {{120, 120}, 100}, 260, 5},
    };
    for (const Call& call : calls) {
        if (!layer.Shaped() || layer.shape() != Shape(true, call.circle, call.width)) {
            layer.Reshape(Shape(true, call.circle, call.width), drawOverlay);
        }
        const Picture& frame = layer.Frame(call.step);
        EXPECT_EQ(layer.Renders(), call.renders) << call.step;
        Picture expected = MakePicture(call.width, kClient, kRing);
        const int quantum = PictureTurnQuantum(call.circle.radius);
        RotateIntoFace(ScaledPicture(picture, call.width, call.width),
                       call.step - call.step % quantum, call.circle, expected);
        for (int y = 0; y < kClient; ++y) {
            const int dx = call.width / 2 - call.circle.centre.x;
            const int dy = y - call.circle.centre.y;
            if (dx * dx + dy * dy <= call.circle.radius * call.circle.radius) {
                expected.At(call.width / 2, y) |= 0x808080;
            }
        }
        EXPECT_EQ(frame, expected) << call.step;
    }
}

TEST(PictureLayer, TurnIsRedrawnWhenTheRimHasMovedAboutHalfAPixel) {
    const std::pair<int, int> cases[] = {{500, 13}, {110, 62}, {96, 71}, {100000, 1}, {0, 6875}};
    for (const auto& [radius, quantum] : cases) {
        EXPECT_EQ(PictureTurnQuantum(radius), quantum) << radius;
    }
}

TEST(PictureLayer, AStillPictureIsComposedOnceAndDroppedWithItsShape) {
    PictureLayer layer(Quadrants());
    layer.Reshape(Shape(false));
    const Picture first = layer.Frame(1);
    layer.Frame(kPictureTurnSteps / 2);
    EXPECT_EQ(layer.Renders(), 1);
    EXPECT_EQ(first.At(kFace.centre.x - 50, kFace.centre.y - 50), kUpperLeft);
    EXPECT_EQ(first.At(0, 0), kRing);
    layer.Drop();
    EXPECT_FALSE(layer.Shaped());
    EXPECT_TRUE(layer.Frame(1).Empty());
}

} // namespace
} // namespace zentrava
