#include "face/picture_loader_win.h"

#include "base/com_win.h"
#include "e2e/zentrava_driver_win.h"
#include "face/picture_files_win.h"

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
        ASSERT_TRUE(WritePictureFile(
            path, c.png ? GUID_ContainerFormatPng : GUID_ContainerFormatBmp, expected))
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
        ASSERT_TRUE(WritePictureFile(path, GUID_ContainerFormatBmp,
                                     MakePicture(c.width, c.height, 0x336699)));
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
    ASSERT_TRUE(WritePictureFile(folder.path() + "clear.png", GUID_ContainerFormatPng, picture,
                                 {0, 128, 255}));
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

} // namespace
} // namespace zentrava
