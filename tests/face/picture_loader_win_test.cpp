#include "face/picture_loader_win.h"

#include "base/com_win.h"
#include "e2e/zentrava_driver_win.h"

#include <gtest/gtest.h>

#include <wincodec.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace zentrava {
namespace {

constexpr COLORREF kBackground = RGB(10, 20, 30);
constexpr std::uint32_t kBackgroundPixel = 0x0A141E;

std::wstring Wide(const std::string& cp932) {
    const int length = MultiByteToWideChar(932, 0, cp932.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(932, 0, cp932.c_str(), -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

// Written by the platform's encoder: PNG with straight alpha (opaque unless alpha says
// otherwise), BMP and JPEG as 24-bit pixels.
bool Write(const std::string& cp932Path, const GUID& container, const Picture& picture,
           const std::vector<std::uint8_t>& alpha = {}) {
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

// Nothing may keep the file open: an exclusive open and a delete both succeed.
bool FileIsFree(const std::wstring& path) {
    const HANDLE raw = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(raw);
    return DeleteFileW(path.c_str()) != FALSE;
}

Picture SixColours() {
    Picture picture = MakePicture(3, 2);
    picture.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0x102030};
    return picture;
}

class PictureLoader : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.Create("zentrava_picture")); }
    e2e::TempDir folder;
};

TEST_F(PictureLoader, DecodesBmpAndPngUnderJapaneseNamesAndLetsTheFileGo) {
    struct Case {
        const char* name;
        bool png;
    };
    const Case cases[] = {
        {"face.bmp", false},
        {"写真の背景.bmp", false},
        {"face.png", true},
        {"時計の絵.png", true},
    };
    const Picture expected = SixColours();
    for (const Case& c : cases) {
        const std::string path = folder.path() + c.name;
        ASSERT_TRUE(
            Write(path, c.png ? GUID_ContainerFormatPng : GUID_ContainerFormatBmp, expected))
            << c.name;
        const std::optional<Picture> loaded = LoadPicture(path, kBackground);
        ASSERT_TRUE(loaded.has_value()) << c.name;
        EXPECT_EQ(*loaded, expected) << c.name;
        EXPECT_TRUE(FileIsFree(Wide(path))) << c.name;
    }
}

TEST_F(PictureLoader, LargePictureIsScaledToTheMaximumKeepingItsAspect) {
    struct Case {
        int width;
        int height;
        int scaledWidth;
        int scaledHeight;
    };
    const Case cases[] = {
        {5000, 10, 4096, 8},
        {40, 4500, 36, 4096},
        {4096, 3, 4096, 3},
    };
    for (const Case& c : cases) {
        const std::string path = folder.path() + "big" + std::to_string(c.width) + "x" +
                                 std::to_string(c.height) + ".bmp";
        ASSERT_TRUE(Write(path, GUID_ContainerFormatBmp, MakePicture(c.width, c.height, 0x336699)));
        const std::optional<Picture> loaded = LoadPicture(path, kBackground);
        ASSERT_TRUE(loaded.has_value()) << c.width;
        EXPECT_EQ(loaded->width, c.scaledWidth);
        EXPECT_EQ(loaded->height, c.scaledHeight);
        EXPECT_EQ(*loaded, MakePicture(c.scaledWidth, c.scaledHeight, 0x336699)) << c.width;
    }
}

TEST_F(PictureLoader, MissingOrUndecodableFileGivesNothing) {
    ASSERT_TRUE(e2e::WriteWholeFile(folder.path() + "notes.txt", "not a picture at all\r\n"));
    ASSERT_TRUE(e2e::WriteWholeFile(folder.path() + "notes.png", "not a picture either\r\n"));
    ASSERT_TRUE(e2e::WriteWholeFile(folder.path() + "cut.bmp", "BM" + std::string(40, '\x7f')));
    for (const char* name : {"missing.png", "notes.txt", "notes.png", "cut.bmp", ""}) {
        EXPECT_FALSE(LoadPicture(folder.path() + std::string(name), kBackground).has_value())
            << name;
    }
    EXPECT_FALSE(LoadPicture("", kBackground).has_value());
}

TEST_F(PictureLoader, TransparentPixelsShowTheBackground) {
    Picture picture = MakePicture(3, 1);
    picture.pixels = {0xFF0000, 0xFFFFFF, 0x00FF00};
    ASSERT_TRUE(
        Write(folder.path() + "clear.png", GUID_ContainerFormatPng, picture, {0, 128, 255}));
    const std::optional<Picture> loaded = LoadPicture(folder.path() + "clear.png", kBackground);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->At(0, 0), kBackgroundPixel);
    EXPECT_EQ(loaded->At(2, 0), 0x00FF00u);
    // Half white over the background: each channel halfway, give or take rounding.
    const std::uint32_t half = loaded->At(1, 0);
    const int expectedHalf[3] = {(30 + 255) / 2, (20 + 255) / 2, (10 + 255) / 2};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(static_cast<int>((half >> (8 * i)) & 0xFF), expectedHalf[i], 2) << i;
    }
}

// Only a figure for the record: how long a 12-megapixel photo takes to decode here.
TEST_F(PictureLoader, TwelveMegapixelJpegDecodeTime) {
    Picture photo = MakePicture(4000, 3000);
    for (std::size_t i = 0; i < photo.pixels.size(); ++i) {
        photo.pixels[i] = static_cast<std::uint32_t>(i % 4000 * 0x10203 + i / 4000 * 0x50000);
    }
    const std::string path = folder.path() + "photo.jpg";
    ASSERT_TRUE(Write(path, GUID_ContainerFormatJpeg, photo));
    const ULONGLONG start = GetTickCount64();
    const std::optional<Picture> loaded = LoadPicture(path, kBackground);
    const ULONGLONG elapsed = GetTickCount64() - start;
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->width, photo.width);
    EXPECT_EQ(loaded->height, photo.height);
    std::printf("12-megapixel JPEG decoded in %llu ms\n", elapsed);
}

} // namespace
} // namespace zentrava
