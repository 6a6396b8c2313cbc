#include "face/picture_face_win.h"

#include "base/win_handles_win.h"
#include "face/band_sectors_win.h"
#include "face/picture_loader_win.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace zentrava {
namespace {

// A top-down 32-bit DIB of the given size: its pixels are a Picture's pixels as they are.
BITMAPINFO TopDownInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

std::uint32_t PixelOf(COLORREF colour) {
    return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
}

// The bands drawn on black by the same code as the plain face, read back as pixels. Made once
// per shape: OR-ing one overlay gives the same pixels as OR-ing each band in turn.
Picture BandOverlay(const FaceGeometry& geometry, const TimeBands& bands, int clock0HourPos,
                    int width, int height) {
    if (std::none_of(bands.begin(), bands.end(), [](const TimeBand& b) { return b.On(); })) {
        return {};
    }
    const BITMAPINFO info = TopDownInfo(width, height);
    void* bits = nullptr;
    const UniqueBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dib || !dc || bits == nullptr) {
        return {};
    }
    {
        // A new DIB section is all zeros: black, which OR leaves alone.
        ScopedSelect select(dc.get(), dib.get());
        DrawBandSectors(dc.get(), geometry, bands, clock0HourPos);
        GdiFlush();
    }
    Picture overlay = MakePicture(width, height);
    std::memcpy(overlay.pixels.data(), bits, overlay.pixels.size() * sizeof(std::uint32_t));
    for (std::uint32_t& pixel : overlay.pixels) {
        pixel &= 0xFFFFFF;
    }
    return overlay;
}

} // namespace

void PictureFace::Load(const std::string& path, COLORREF faceColour) {
    if (layer_ && path == path_ && faceColour == faceColour_) {
        return;
    }
    layer_.reset();
    key_.reset();
    path_ = path;
    faceColour_ = faceColour;
    if (path.empty()) {
        return;
    }
    if (std::optional<Picture> picture = LoadPicture(path, faceColour)) {
        layer_.emplace(std::move(*picture));
    }
}

void PictureFace::Drop() {
    if (layer_) {
        layer_->Drop();
    }
    key_.reset();
}

bool PictureFace::Draw(HDC dc, const PictureFrame& frame) {
    if (!layer_) {
        return false;
    }
    const FaceGeometry& g = frame.geometry;
    const int width = g.client.right - g.client.left;
    const int height = g.client.bottom - g.client.top;
    if (width <= 0 || height <= 0) {
        return false;
    }
    Key key;
    key.shape =
        PictureLayerShape{width, height, FaceCircle{{g.cx, g.cy}, (g.face.right - g.face.left) / 2},
                          PixelOf(frame.ring), frame.turning};
    if (frame.bands != nullptr) {
        key.bands = *frame.bands;
        key.clock0HourPos = frame.clock0HourPos;
    }
    if (!key_ || *key_ != key) {
        Picture overlay =
            key.bands ? BandOverlay(g, *key.bands, key.clock0HourPos, width, height) : Picture{};
        layer_->Reshape(key.shape, std::move(overlay));
        key_ = std::move(key);
    }
    const Picture& layer = layer_->Frame(frame.turnStep);
    if (layer.Empty()) {
        return false;
    }
    const BITMAPINFO info = TopDownInfo(layer.width, layer.height);
    SetDIBitsToDevice(dc, g.client.left, g.client.top, static_cast<DWORD>(layer.width),
                      static_cast<DWORD>(layer.height), 0, 0, 0, static_cast<UINT>(layer.height),
                      layer.pixels.data(), &info, DIB_RGB_COLORS);
    return true;
}

} // namespace zentrava
