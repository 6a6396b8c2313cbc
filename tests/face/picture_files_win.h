#pragma once
// Picture files written by the platform's encoder, for the tests and the paint benchmark.

#include "base/com_win.h"
#include "face/picture.h"

#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zentrava {

inline std::wstring Wide(const std::string& cp932) {
    const int length = MultiByteToWideChar(932, 0, cp932.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(932, 0, cp932.c_str(), -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

// Written by the platform's encoder: PNG with straight alpha (opaque unless alpha says
// otherwise), BMP and JPEG as 24-bit pixels.
inline bool WritePictureFile(const std::string& cp932Path, const GUID& container,
                             const Picture& picture, const std::vector<std::uint8_t>& alpha = {}) {
    const bool withAlpha = IsEqualGUID(container, GUID_ContainerFormatPng) != FALSE;
    WICPixelFormatGUID format =
        withAlpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR;
    const WICPixelFormatGUID wanted = format;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        for (int shift : {0, 8, 16}) {
            bytes.push_back(static_cast<std::uint8_t>((picture.pixels[i] >> shift) & 0xFF));
        }
        if (withAlpha) {
            bytes.push_back(alpha.empty() ? 255 : alpha[i]);
        }
    }
    const auto width = static_cast<UINT>(picture.width);
    const auto height = static_cast<UINT>(picture.height);
    const std::wstring path = Wide(cp932Path);
    const ComApartment apartment;
    ComRef<IWICImagingFactory> factory;
    ComRef<IWICStream> stream;
    ComRef<IWICBitmapEncoder> encoder;
    ComRef<IWICBitmapFrameEncode> frame;
    ComRef<IPropertyBag2> options;
    return apartment.Usable() &&
           SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory1, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICImagingFactory, factory.PutVoid())) &&
           SUCCEEDED(factory->CreateStream(stream.Put())) &&
           SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(factory->CreateEncoder(container, nullptr, encoder.Put())) &&
           SUCCEEDED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(frame.Put(), options.Put())) &&
           SUCCEEDED(frame->Initialize(options.get())) &&
           SUCCEEDED(frame->SetSize(width, height)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
           IsEqualGUID(format, wanted) &&
           SUCCEEDED(frame->WritePixels(height, static_cast<UINT>(bytes.size()) / height,
                                        static_cast<UINT>(bytes.size()), bytes.data())) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

} // namespace zentrava
