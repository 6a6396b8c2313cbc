// Paint time of one face frame under Wine or Windows: each dial mode at 128, 512 and 1024 px,
// the median of many frames into a back buffer, and the GDI objects left behind per frame; then
// the two banded dials at 1024 px with all 24 time bands on; then a 4000 x 3000 photograph:
// its decoding, the 24-hour dial turning it at 1024 px (alone and under the bands) at two
// frames a second of clock time, and the first frame after a size change.

#include "bench/bench_clock_win.h"
#include "app/gdi_count_win.h"
#include "base/win_handles_win.h"
#include "face/appearance_settings.h"
#include "face/drawing_objects_win.h"
#include "face/face_geometry.h"
#include "face/face_painter_win.h"
#include "face/hands.h"
#include "face/picture_face_win.h"
#include "face/picture_files_win.h"
#include "face/time_bands.h"
#include "face/world_zones.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace zentrava;

void Measure(int dialMode, int size, int frames, const TimeBands& bands = {}) {
    AppearanceSettings settings;
    settings.clock.TwelveH_24H_Setting = dialMode;
    const WorldZoneSettings zones;
    Clocks clocks;
    ResetClocks(clocks);
    SetClocks(clocks, DateTime{2026, 12, 2, 8, 10, 8, 30, 0}, zones);

    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    const HDC screen = GetDC(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen, size, size));
    ReleaseDC(nullptr, screen);
    const ScopedSelect select(dc.get(), bitmap.get());
    SetBkMode(dc.get(), TRANSPARENT);

    const FaceGeometry geometry = ComputeFaceGeometry(size, size, settings.clock);
    const std::optional<HandShapes> hands = BuildHandShapes(
        0, geometry.R, settings.clock.Clock24HourMarkSize, settings.clock.Clock24HourMarkPos);
    const TextFontHeights heights = ComputeTextFontHeights(settings.font, size);
    const std::optional<DrawingObjects> objects =
        BuildDrawingObjects(settings.colors, zones, settings.font, heights);
    if (!hands || !objects) {
        std::printf("mode=%d size=%d failed\n", dialMode, size);
        return;
    }
    const FaceFrameInputs in{geometry, *hands, settings, *objects, heights, zones, clocks, bands};
    PaintFace(dc.get(), in); // the first frame loads glyphs
    GdiFlush();
    const long objectsBefore = LiveGdiObjects();
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        const double start = NowMs();
        PaintFace(dc.get(), in);
        GdiFlush();
        times.push_back(NowMs() - start);
    }
    const long objectsAfter = LiveGdiObjects();
    std::sort(times.begin(), times.end());
    const auto bandsOn =
        std::count_if(bands.begin(), bands.end(), [](const TimeBand& b) { return b.On(); });
    std::printf(
        "mode=%d size=%d bands=%d median_ms=%.3f p90_ms=%.3f gdi_objects_before=%ld after=%ld\n",
        dialMode, size, static_cast<int>(bandsOn), times[times.size() / 2],
        times[times.size() * 9 / 10], objectsBefore, objectsAfter);
}

double Percentile(std::vector<double> times, int percent) {
    std::sort(times.begin(), times.end());
    return times[std::min(times.size() - 1,
                          times.size() * static_cast<std::size_t>(percent) / 100)];
}

// A photograph-like 4000 x 3000 JPEG in the temporary folder; empty when it could not be made.
std::string WritePhoto() {
    char folder[MAX_PATH];
    if (GetTempPathA(MAX_PATH, folder) == 0) {
        return {};
    }
    const std::string path = std::string(folder) + "zentrava_bench_photo.jpg";
    Picture photo = MakePicture(4000, 3000);
    for (std::size_t i = 0; i < photo.pixels.size(); ++i) {
        photo.pixels[i] = static_cast<std::uint32_t>(i % 4000 * 0x10203 + i / 4000 * 0x50000);
    }
    return WritePictureFile(path, GUID_ContainerFormatJpeg, photo) ? path : std::string{};
}

// Frames at 1024 px with the picture turning, the clock advanced half a second between frames
// as the running clock paints; then size changes between 1024 and 1000 px.
void MeasurePicture(const std::string& photo, const TimeBands& bands) {
    AppearanceSettings settings;
    settings.clock.TwelveH_24H_Setting = 1;
    const WorldZoneSettings zones;
    PictureSettings pictureSettings;
    pictureSettings.BkGndPicFile = photo;
    pictureSettings.PicRotEnable = 1;
    Clocks clocks;
    ResetClocks(clocks);
    SetClocks(clocks, DateTime{2026, 12, 2, 8, 10, 8, 30, 0}, zones);

    PictureFace picture;
    const double decodeStart = NowMs();
    picture.Load(photo, static_cast<COLORREF>(settings.colors.ClockFaceColor));
    const double decodeMs = NowMs() - decodeStart;
    if (!picture.Shown()) {
        std::printf("picture: %s not decoded\n", photo.c_str());
        return;
    }

    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    const HDC screen = GetDC(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen, 1024, 1024));
    ReleaseDC(nullptr, screen);
    const ScopedSelect select(dc.get(), bitmap.get());
    SetBkMode(dc.get(), TRANSPARENT);

    // What the window makes for its size: on a size change the program makes it anew too.
    struct SizedFace {
        FaceGeometry geometry;
        std::optional<HandShapes> hands;
        TextFontHeights heights;
        std::optional<DrawingObjects> objects;
    };
    const auto makeFace = [&](int size) {
        SizedFace f;
        f.geometry = ComputeFaceGeometry(size, size, settings.clock);
        f.hands = BuildHandShapes(0, f.geometry.R, settings.clock.Clock24HourMarkSize,
                                  settings.clock.Clock24HourMarkPos);
        f.heights = ComputeTextFontHeights(settings.font, size);
        f.objects = BuildDrawingObjects(settings.colors, zones, settings.font, f.heights);
        return f;
    };
    const auto paint = [&](const SizedFace& f) {
        const FaceFrameInputs in{f.geometry, *f.hands, settings, *f.objects, f.heights,
                                 zones,      clocks,   bands,    &picture,   &pictureSettings};
        PaintFace(dc.get(), in);
        GdiFlush();
    };
    const SizedFace large = makeFace(1024);
    if (!large.hands || !large.objects) {
        return;
    }

    paint(large); // the first frame builds the layer
    const long objectsBefore = LiveGdiObjects();
    const int rendersBefore = picture.Renders();
    std::vector<double> frames;
    for (int i = 0; i < 200; ++i) {
        for (int tick = 0; tick < 10; ++tick) {
            AdvanceClocks(clocks, zones);
        }
        const double start = NowMs();
        paint(large);
        frames.push_back(NowMs() - start);
    }
    const long objectsAfter = LiveGdiObjects();
    const int renders = picture.Renders() - rendersBefore;

    std::vector<double> resizes;
    for (int i = 0; i < 10; ++i) {
        const int size = i % 2 == 0 ? 1000 : 1024;
        const double start = NowMs();
        picture.Drop();
        const SizedFace resized = makeFace(size);
        if (!resized.hands || !resized.objects) {
            return;
        }
        paint(resized);
        resizes.push_back(NowMs() - start);
    }
    const auto bandsOn =
        std::count_if(bands.begin(), bands.end(), [](const TimeBand& b) { return b.On(); });
    std::printf("picture 4000x3000 turning size=1024 bands=%d decode_ms=%.1f median_ms=%.3f "
                "p95_ms=%.3f p99_ms=%.3f turns_computed=%d/200 resize_max_ms=%.2f "
                "gdi_objects_before=%ld after=%ld\n",
                static_cast<int>(bandsOn), decodeMs, Percentile(frames, 50), Percentile(frames, 95),
                Percentile(frames, 99), renders, Percentile(resizes, 100), objectsBefore,
                objectsAfter);
}

} // namespace

int main() {
    for (int mode = 0; mode < 3; ++mode) {
        for (int size : {128, 512, 1024}) {
            Measure(mode, size, 200);
        }
    }
    // Every band on, each an hour long in its own colour: the most the band layer can ask.
    TimeBands bands;
    for (int i = 0; i < 24; ++i) {
        TimeBand& b = bands[static_cast<std::size_t>(i)];
        b = TimeBand{1, i, (i + 1) % 24, 0, 0, static_cast<std::uint32_t>(0x101010 * (i % 16))};
    }
    for (int mode : {1, 2}) {
        Measure(mode, 1024, 200, bands);
    }
    const std::string photo = WritePhoto();
    if (photo.empty()) {
        std::printf("picture: no JPEG encoder\n");
        return 1;
    }
    MeasurePicture(photo, TimeBands{});
    MeasurePicture(photo, bands);
    DeleteFileA(photo.c_str());
    return 0;
}
