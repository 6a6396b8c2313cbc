#include "face/picture_rotation.h"

#include "face/face_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace zentrava {
namespace {

// DayTicks counts 50 ms ticks.
constexpr int kDayTicks = 1728000;
constexpr int kTicksPerStep = kDayTicks / kPictureTurnSteps;
static_assert(kTicksPerStep * kPictureTurnSteps == kDayTicks);
constexpr int kFixedOne = 1 << 16;

// Rows of the circle clipped to out, with the columns of each row, so that both the stretched
// and the turned drawing touch exactly the same pixels.
template <typename RowFn>
void ForEachCircleRow(const FaceCircle& circle, const Picture& out, RowFn&& row) {
    const int r = std::max(circle.radius, 0);
    const int top = std::max(circle.centre.y - r, 0);
    const int bottom = std::min(circle.centre.y + r, out.height - 1);
    for (int y = top; y <= bottom; ++y) {
        const std::int64_t dy = y - circle.centre.y;
        const std::int64_t rest = static_cast<std::int64_t>(r) * r - dy * dy;
        auto half = static_cast<std::int64_t>(std::sqrt(static_cast<double>(rest)));
        while (half * half > rest) {
            --half;
        }
        while ((half + 1) * (half + 1) <= rest) {
            ++half;
        }
        const int left = std::max(circle.centre.x - static_cast<int>(half), 0);
        const int right = std::min(circle.centre.x + static_cast<int>(half), out.width - 1);
        if (left <= right) {
            row(y, left, right);
        }
    }
}

// The source index whose span holds the centre of destination pixel i of count.
int NearestIndex(int i, int sourceCount, int count) {
    const auto index = ((2 * static_cast<std::int64_t>(i) + 1) * sourceCount) / (2 * count);
    return static_cast<int>(std::min<std::int64_t>(index, sourceCount - 1));
}

} // namespace

int PictureTurnStep(int dayTicks, int clock0HourPos) {
    const int offset = clock0HourPos == 1 ? 0 : kDayTicks / 2;
    const int ticks = ((dayTicks % kDayTicks) + kDayTicks + offset) % kDayTicks;
    return ticks / kTicksPerStep;
}

int PictureTurnStep(const ClockTimeRecord& local, const ClockTimeRecord& utc, int picRotStdTimeZone,
                    int clock0HourPos) {
    const ClockTimeRecord& turning = picRotStdTimeZone == 1 ? utc : local;
    return PictureTurnStep(turning.DayTicks, clock0HourPos);
}

double PictureTurnRadians(int turnStep) {
    return 2.0 * kFacePi * turnStep / kPictureTurnSteps;
}

int PictureTurnQuantum(int radius) {
    // The rim runs 2 pi r pixels a day; half a pixel of it takes this many steps.
    const double steps = kPictureTurnSteps / (4.0 * kFacePi * std::max(radius, 1));
    return std::max(static_cast<int>(steps), 1);
}

void ScalePicture(const Picture& picture, int width, int height, Picture& out) {
    if (picture.Empty() || width <= 0 || height <= 0) {
        Reformat(out, 0, 0);
        return;
    }
    // The source column of each destination column, worked out once rather than per pixel.
    std::vector<int> columns(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        columns[static_cast<std::size_t>(x)] = NearestIndex(x, picture.width, width);
    }
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* source =
            picture.pixels.data() +
            static_cast<std::size_t>(NearestIndex(y, picture.height, height)) * picture.width;
        std::uint32_t* target = &out.At(0, y);
        for (const int column : columns) {
            *target++ = source[column];
        }
    }
}

Picture ScaledPicture(const Picture& picture, int width, int height) {
    Picture out;
    ScalePicture(picture, width, height, out);
    return out;
}

void StretchIntoFace(const Picture& picture, const FaceCircle& circle, Picture& out) {
    if (picture.Empty() || out.Empty()) {
        return;
    }
    const int sourceWidth = picture.width;
    const int sourceHeight = picture.height;
    ForEachCircleRow(circle, out, [&](int y, int left, int right) {
        const int sy = NearestIndex(y, sourceHeight, out.height);
        for (int x = left; x <= right; ++x) {
            out.At(x, y) = picture.At(NearestIndex(x, sourceWidth, out.width), sy);
        }
    });
}

void RotateIntoFace(const Picture& square, int turnStep, const FaceCircle& circle, Picture& out) {
    if (square.Empty() || out.Empty()) {
        return;
    }
    const int side = std::min(square.width, square.height);
    const double angle = PictureTurnRadians(turnStep);
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double scaleX = static_cast<double>(side) / out.width;
    const double scaleY = static_cast<double>(side) / out.height;
    const double half = side / 2.0;
    // A destination point (a, b) from the square's centre shows the source point turned back
    // by the angle: (a c + b s, -a s + b c). Along a row only a grows, by scaleX a pixel.
    const auto stepX = static_cast<std::int32_t>(std::lround(scaleX * c * kFixedOne));
    const auto stepY = static_cast<std::int32_t>(std::lround(-scaleX * s * kFixedOne));
    const std::int32_t last = side - 1;
    ForEachCircleRow(circle, out, [&](int y, int left, int right) {
        const double a = (left + 0.5) * scaleX - half;
        const double b = (y + 0.5) * scaleY - half;
        // Within about 1.5 sides of the square in any case, so 16.16 cannot overflow.
        auto fx = static_cast<std::int32_t>(std::lround((a * c + b * s + half) * kFixedOne));
        auto fy = static_cast<std::int32_t>(std::lround((-a * s + b * c + half) * kFixedOne));
        std::uint32_t* target = &out.At(left, y);
        for (int x = left; x <= right; ++x) {
            const std::int32_t sx = std::clamp<std::int32_t>(fx >> 16, 0, last);
            const std::int32_t sy = std::clamp<std::int32_t>(fy >> 16, 0, last);
            *target++ = square.At(sx, sy);
            fx += stepX;
            fy += stepY;
        }
    });
}

PictureLayer::PictureLayer(Picture picture) : source_(std::move(picture)) {}

void PictureLayer::Reshape(const PictureLayerShape& shape,
                           const std::function<bool(Picture& overlay)>& drawOverlay) {
    Drop();
    shape_ = shape;
    shaped_ = true;
    quantum_ = PictureTurnQuantum(shape.circle.radius);
    const int width = std::max(shape.width, 0);
    const int height = std::max(shape.height, 0);
    Reformat(frame_, width, height, shape.ring);
    Reformat(overlay_, width, height);
    overlaid_ = drawOverlay && !frame_.Empty() && drawOverlay(overlay_);
    if (Turns() && !frame_.Empty()) {
        // Squeezed to the client's square once, so each turn samples about one source pixel
        // per pixel of the face, however large the photograph.
        const int side = std::max(width, height);
        ScalePicture(source_, side, side, square_);
    }
}

void PictureLayer::Drop() {
    shaped_ = false;
    lastStep_ = -1;
}

bool PictureLayer::Turns() const {
    return shape_.turning && source_.height >= 2;
}

const Picture& PictureLayer::Frame(int turnStep) {
    static const Picture kNone;
    if (!shaped_) {
        return kNone;
    }
    const int step = Turns() ? turnStep - turnStep % quantum_ : 0;
    if (!frame_.Empty() && step != lastStep_) {
        Render(step);
    }
    return frame_;
}

void PictureLayer::Render(int step) {
    if (Turns()) {
        RotateIntoFace(square_, step, shape_.circle, frame_);
    } else {
        StretchIntoFace(source_, shape_.circle, frame_);
    }
    if (overlaid_) {
        ForEachCircleRow(shape_.circle, frame_, [&](int y, int left, int right) {
            const std::uint32_t* band = &overlay_.At(left, y);
            std::uint32_t* target = &frame_.At(left, y);
            for (int x = left; x <= right; ++x) {
                *target++ |= *band++;
            }
        });
    }
    lastStep_ = step;
    ++renders_;
}

} // namespace zentrava
