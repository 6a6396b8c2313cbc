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

} // namespace

void PictureFace::Load(const std::string& path, COLORREF faceColour) {
    if (layer_ && path == path_ && faceColour == faceColour_) {
        return;
    }
    layer_.reset();
    key_.reset();
    overlayDib_.reset();
    path_ = path;
    faceColour_ = faceColour;
    if (path.empty()) {
        return;
    }
    if (std::optional<Picture> picture = LoadPicture(path, faceColour)) {
        layer_.emplace(std::move(*picture));
    }
}

// The bands drawn on black by the same code as the plain face, read back as pixels. Made once
// per shape: OR-ing one overlay gives the same pixels as OR-ing each band in turn. The DIB
// they are drawn into is kept while the client fits in it, so a window shrunk or resized back
// does not pay for fresh memory again.
bool PictureFace::DrawBandOverlay(const FaceGeometry& geometry, const TimeBands& bands,
                                  int clock0HourPos, Picture& overlay) {
    if (std::none_of(bands.begin(), bands.end(), [](const TimeBand& b) { return b.On(); })) {
        return false;
    }
    if (!overlayDib_ || overlayWidth_ < overlay.width || overlayHeight_ < overlay.height) {
        overlayDib_.reset();
        overlayWidth_ = std::max(overlayWidth_, overlay.width);
        overlayHeight_ = std::max(overlayHeight_, overlay.height);
        const BITMAPINFO info = TopDownInfo(overlayWidth_, overlayHeight_);
        overlayDib_.reset(
            CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &overlayBits_, nullptr, 0));
    }
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!overlayDib_ || !dc || overlayBits_ == nullptr) {
        overlayDib_.reset();
        overlayWidth_ = overlayHeight_ = 0;
        return false;
    }
    auto* rows = static_cast<std::uint32_t*>(overlayBits_);
    const auto stride = static_cast<std::size_t>(overlayWidth_);
    const auto rowBytes = static_cast<std::size_t>(overlay.width) * sizeof(std::uint32_t);
    for (int y = 0; y < overlay.height; ++y) {
        // Black, which OR leaves alone.
        std::memset(rows + y * stride, 0, rowBytes);
    }
    {
        ScopedSelect select(dc.get(), overlayDib_.get());
        DrawBandSectors(dc.get(), geometry, bands, clock0HourPos);
        GdiFlush();
    }
    for (int y = 0; y < overlay.height; ++y) {
        const std::uint32_t* source = rows + y * stride;
        std::uint32_t* target = &overlay.At(0, y);
        for (int x = 0; x < overlay.width; ++x) {
            target[x] = source[x] & 0xFFFFFF;
        }
    }
    return true;
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
        if (key.bands) {
            layer_->Reshape(key.shape, [&](Picture& overlay) {
                return DrawBandOverlay(g, *key.bands, key.clock0HourPos, overlay);
            });
        } else {
            layer_->Reshape(key.shape);
        }
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
