// The running clock shows the time it keeps: load a known time through the test hooks and look
// at the face it paints.

#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace zentrava::e2e {
namespace {

// A 24-bit bottom-up BMP as written by the test build.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::string bytes;

    bool Load(const std::string& path) {
        const std::optional<std::string> file = ReadWholeFile(path);
        if (!file || file->size() < 54 || (*file)[0] != 'B' || (*file)[1] != 'M') {
            return false;
        }
        bytes = *file;
        width = static_cast<int>(Le32(18));
        height = static_cast<int>(Le32(22));
        return bytes.size() >= 54 + Stride() * static_cast<std::size_t>(height);
    }
    // 0x00BBGGRR, as COLORREF.
    std::uint32_t At(int x, int y) const {
        const std::size_t row = static_cast<std::size_t>(height - 1 - y);
        const std::size_t at = 54 + row * Stride() + static_cast<std::size_t>(x) * 3;
        const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
        return byte(at) << 16 | byte(at + 1) << 8 | byte(at + 2);
    }

private:
    std::size_t Stride() const { return (static_cast<std::size_t>(width) * 3 + 3) & ~3u; }
    std::uint32_t Le32(std::size_t at) const {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) {
            v = v << 8 | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
        }
        return v;
    }
};

constexpr std::uint32_t kHandColour = 16744576; // the default light blue
constexpr std::uint32_t kFaceColour = 16777215; // white

// Loads the running clock at 03:00 and saves the frame painted after it.
void SaveFaceAtThree(ZentravaSession& session, std::string& path) {
    const SYSTEMTIME three{2024, 6, 6, 1, 3, 0, 0, 0};
    ASSERT_TRUE(session.LoadClocks(three)) << session.lastError();
    session.WaitForLogLine("tick 2024-06-01 03:00:00.500 ", 5000);
    path = session.dir() + "face.bmp";
    ASSERT_TRUE(session.SaveBackBuffer(path)) << session.lastError();
}

TEST(Face, RunningClockShowsTheLoadedTime) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                          "[Window_Position]\r\nWindow_Width=200\r\nWindow_Height=200\r\n"
                          "[Clock_Setting]\r\nSecondHandDispOnOff=0\r\nDigitalDateMode=0\r\n"
                          "DigitalTimeMode=0\r\nJSTStringOnOff=0\r\n"));
    // 03:00: the hour hand points right, the minute hand up.
    std::string path;
    ASSERT_NO_FATAL_FAILURE(SaveFaceAtThree(session, path));
    ExpectClosesCleanly(session);

    Bitmap face;
    ASSERT_TRUE(face.Load(path));
    ASSERT_EQ(face.width, 200);
    // cx = cy = 100, R = 96.
    EXPECT_EQ(face.At(100 + 30, 100), kHandColour) << "hour hand to the right";
    EXPECT_EQ(face.At(100, 100 - 50), kHandColour) << "minute hand up";
    EXPECT_EQ(face.At(100 - 40, 100), kFaceColour) << "nothing to the left";
    EXPECT_EQ(face.At(100, 100 + 40), kFaceColour) << "nothing below";
}

// Hand-edited values no control offers: a dial mode no painter knows and a shown switch that is
// neither 0 nor 1. The clock still starts shown, with its hands.
TEST(Face, ValuesOutsideTheirControlsStillStartAShownClockWithHands) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                          "[Window_Position]\r\nWindow_Width=200\r\nWindow_Height=200\r\n"
                          "WindowDispOn=2\r\n"
                          "[Clock_Setting]\r\nSecondHandDispOnOff=0\r\nDigitalDateMode=0\r\n"
                          "DigitalTimeMode=0\r\nJSTStringOnOff=0\r\n12H_24H_Setting=7\r\n"));
    const WindowState shown = session.WaitForState([](const WindowState& w) { return w.visible; });
    EXPECT_TRUE(shown.visible);
    std::string path;
    ASSERT_NO_FATAL_FAILURE(SaveFaceAtThree(session, path));
    ExpectClosesCleanly(session);
    EXPECT_EQ(session.IniNumber("Window_Position", "WindowDispOn"), 1);

    Bitmap face;
    ASSERT_TRUE(face.Load(path));
    ASSERT_EQ(face.width, 200);
    EXPECT_EQ(face.At(100 + 30, 100), kHandColour) << "hour hand to the right";
    EXPECT_EQ(face.At(100, 100 - 50), kHandColour) << "minute hand up";
    EXPECT_EQ(face.At(100 - 40, 100), kFaceColour) << "the face, not a blank disc";
}

} // namespace
} // namespace zentrava::e2e
