#include "face/picture_loader_win.h"

#include "base/com_win.h"

#include <wincodec.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace zentrava {
namespace {

std::wstring WidePath(const std::string& path) {
    const int length =
        MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), wide.data(), length);
    return wide;
}

// The longer side becomes kMaxPictureSide; the shorter keeps the proportion, at least 1 px.
void FitWithinMaximum(UINT& width, UINT& height) {
    const UINT longer = std::max(width, height);
    if (longer <= static_cast<UINT>(kMaxPictureSide)) {
        return;
    }
    const auto shorten = [longer](UINT side) {
        const std::uint64_t scaled =
            (static_cast<std::uint64_t>(side) * kMaxPictureSide + longer / 2) / longer;
        return static_cast<UINT>(std::max<std::uint64_t>(scaled, 1));
    };
    width = shorten(width);
    height = shorten(height);
}

std::uint32_t OverBackground(std::uint32_t premultiplied, COLORREF background) {
    const std::uint32_t alpha = premultiplied >> 24;
    if (alpha == 255) {
        return premultiplied & 0xFFFFFF;
    }
    const std::uint32_t uncovered = 255 - alpha;
    const std::uint32_t channels[3] = {GetBValue(background), GetGValue(background),
                                       GetRValue(background)};
    std::uint32_t result = 0;
    for (int i = 0; i < 3; ++i) {
        const std::uint32_t own = (premultiplied >> (8 * i)) & 0xFF;
        const std::uint32_t mixed =
            std::min<std::uint32_t>(own + (channels[i] * uncovered + 127) / 255, 255);
        result |= mixed << (8 * i);
    }
    return result;
}

std::optional<Picture> Decode(IWICImagingFactory* factory, const std::wstring& path,
                              COLORREF background) {
    ComRef<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.Put()))) {
        return std::nullopt;
    }
    ComRef<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.Put()))) {
        return std::nullopt;
    }
    // Premultiplied first, so that a scaled-down edge between opaque and clear pixels does
    // not pick up the clear pixels' hidden colour; palette formats are converted before any
    // scaling too.
    ComRef<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.Put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom))) {
        return std::nullopt;
    }
    UINT width = 0;
    UINT height = 0;
    if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0) {
        return std::nullopt;
    }
    IWICBitmapSource* source = converter.get();
    ComRef<IWICBitmapScaler> scaler;
    const UINT fullWidth = width;
    const UINT fullHeight = height;
    FitWithinMaximum(width, height);
    if (width != fullWidth || height != fullHeight) {
        if (FAILED(factory->CreateBitmapScaler(scaler.Put())) ||
            FAILED(scaler->Initialize(converter.get(), width, height,
                                      WICBitmapInterpolationModeFant))) {
            return std::nullopt;
        }
        source = scaler.get();
    }
    Picture picture = MakePicture(static_cast<int>(width), static_cast<int>(height));
    const UINT stride = width * 4;
    const std::uint64_t bytes = static_cast<std::uint64_t>(stride) * height;
    if (bytes > std::numeric_limits<UINT>::max() ||
        FAILED(source->CopyPixels(nullptr, stride, static_cast<UINT>(bytes),
                                  reinterpret_cast<BYTE*>(picture.pixels.data())))) {
        return std::nullopt;
    }
    for (std::uint32_t& pixel : picture.pixels) {
        pixel = OverBackground(pixel, background);
    }
    return picture;
}

} // namespace

std::optional<Picture> LoadPicture(const std::string& cp932Path, COLORREF background) {
    const std::wstring path = WidePath(cp932Path);
    if (path.empty()) {
        return std::nullopt;
    }
    const ComApartment apartment;
    if (!apartment.Usable()) {
        return std::nullopt;
    }
    ComRef<IWICImagingFactory> factory;
    // The first factory: every Windows since Vista and Wine answer it, and it is all we use.
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory1, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, factory.PutVoid()))) {
        return std::nullopt;
    }
    // Every decoder object is released inside Decode, closing the file before we return.
    return Decode(factory.get(), path, background);
}

} // namespace zentrava
