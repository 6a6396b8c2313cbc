// Paint time of one face frame under Wine or Windows: each dial mode at 128, 512 and 1024 px,
// the median of many frames into a back buffer, and the GDI objects left behind per frame; then
// the two banded dials at 1024 px with all 24 time bands on.

#include "app/gdi_count_win.h"
#include "base/win_handles_win.h"
#include "face/appearance_settings.h"
#include "face/drawing_objects_win.h"
#include "face/face_geometry.h"
#include "face/face_painter_win.h"
#include "face/hands.h"
#include "face/time_bands.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

using namespace zentrava;

double NowMs() {
    LARGE_INTEGER f;
    LARGE_INTEGER c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

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
    return 0;
}
