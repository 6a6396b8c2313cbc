// The running clock shows the time it keeps: load a known time through the test hooks and look
// at the face it paints.

#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace zentrava::e2e {
namespace {

constexpr std::uint32_t kHandColour = 16744576; // the default light blue
constexpr std::uint32_t kFaceColour = 16777215; // white

// Loads the running clock at t (1 June 2024) and saves the frame painted after it.
void SaveFaceAt(ZentravaSession& session, WORD hour, WORD minute, std::string& path) {
    const SYSTEMTIME t{2024, 6, 6, 1, hour, minute, 0, 0};
    ASSERT_TRUE(session.LoadClocks(t)) << session.lastError();
    char tick[40];
    std::snprintf(tick, sizeof tick, "tick 2024-06-01 %02d:%02d:00.500 ", hour, minute);
    session.WaitForLogLine(tick, 5000);
    path = session.dir() + "face.bmp";
    ASSERT_TRUE(session.SaveBackBuffer(path)) << session.lastError();
    if (const char* shots = std::getenv("ZENTRAVA_SCREENSHOT_DIR")) {
        const std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
        CopyFileA(path.c_str(), (std::string(shots) + "\\" + test + ".bmp").c_str(), FALSE);
    }
}

void SaveFaceAtThree(ZentravaSession& session, std::string& path) {
    SaveFaceAt(session, 3, 0, path);
}

constexpr const char* kPlain24HourDial =
    "[Clock_Setting]\r\nSecondHandDispOnOff=0\r\nDigitalDateMode=0\r\nDigitalTimeMode=0\r\n"
    "JSTStringOnOff=0\r\n12H_24H_Setting=1\r\n";

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

// On the 24-hour dial (hour 0 at the top, 15 degrees an hour): a band in red from 22:00 through
// midnight to 06:00, and world zone 2 (UTC-3, green) as an extra day hand. At 06:15 JST the local
// day hand points right and the minute hand right, clear of the band's probes; zone 2 is at
// 18:15, to the left.
TEST(Face, TimeBandAndWorldZoneHandOnThe24HourDial) {
    constexpr std::uint32_t kRed = 0x0000FF;
    constexpr std::uint32_t kZoneGreen = 0x00FF00;
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                          std::string("[Window_Position]\r\nWindow_Width=200\r\n"
                                      "Window_Height=200\r\n") +
                              kPlain24HourDial +
                              "[TimeZone_Setting]\r\nTimeZoneOnFlag01=1\r\n"
                              "TimeZoneStartHour01=22\r\nTimeZoneEndHour01=6\r\n"
                              "TimeZoneColor01=255\r\n"
                              "[TimeZone_Diff_Setting]\r\nTimeZoneDiffOnFlag02=1\r\n"
                              "TimeZoneDiffHour02=-3\r\nTimeZoneDiffColor02=65280\r\n"));
    std::string path;
    ASSERT_NO_FATAL_FAILURE(SaveFaceAt(session, 6, 15, path));
    ExpectClosesCleanly(session);

    Bitmap face;
    ASSERT_TRUE(face.Load(path));
    ASSERT_EQ(face.width, 200);
    // cx = cy = 100, R = 96.
    EXPECT_EQ(AlongAxis(face, 100, 100, 96, 23 * 15, 0.6), kRed) << "23:00 lies in the band";
    EXPECT_EQ(AlongAxis(face, 100, 100, 96, 0, 0.6), kRed) << "midnight lies in the band";
    EXPECT_EQ(AlongAxis(face, 100, 100, 96, 12 * 15, 0.6), kFaceColour) << "noon does not";
    EXPECT_EQ(AlongAxis(face, 100, 100, 96, 18.25 * 15, 0.3), kZoneGreen) << "zone 2's hand";
    EXPECT_NE(AlongAxis(face, 100, 100, 96, 6.25 * 15, 0.3), kZoneGreen) << "zone 1 is hidden";
}

// A band one minute long is a sliver, not the whole disc that a band ending where it starts is.
TEST(Face, OneMinuteBandOnASmallFaceDoesNotFloodIt) {
    constexpr std::uint32_t kRed = 0x0000FF;
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava",
                          std::string("[Window_Position]\r\nWindow_Width=64\r\n"
                                      "Window_Height=64\r\n") +
                              kPlain24HourDial +
                              "[TimeZone_Setting]\r\nTimeZoneOnFlag01=1\r\n"
                              "TimeZoneStartHour01=9\r\nTimeZoneEndHour01=9\r\n"
                              "TimeZoneEndMinute01=1\r\nTimeZoneColor01=255\r\n"));
    std::string path;
    ASSERT_NO_FATAL_FAILURE(SaveFaceAtThree(session, path));
    ExpectClosesCleanly(session);

    Bitmap face;
    ASSERT_TRUE(face.Load(path));
    ASSERT_EQ(face.width, 64);
    int inside = 0;
    int red = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            if ((x - 32) * (x - 32) + (y - 32) * (y - 32) <= 24 * 24) {
                ++inside;
                red += face.At(x, y) == kRed ? 1 : 0;
            }
        }
    }
    EXPECT_LT(red * 10, inside) << red << " of " << inside << " face pixels in the band colour";
}

// A 300 x 200 picture, one colour per quadrant.
constexpr std::uint32_t kUpperLeft = 0x0000FF; // red, as COLORREF
constexpr std::uint32_t kUpperRight = 0x00FF00;
constexpr std::uint32_t kLowerLeft = 0xFF0000;
constexpr std::uint32_t kLowerRight = 0x00FFFF;

std::string QuadrantsBmp() {
    return Bmp24(300, 200, [](int x, int y) {
        const bool upper = y < 100;
        const bool left = x < 150;
        return upper ? (left ? kUpperLeft : kUpperRight) : (left ? kLowerLeft : kLowerRight);
    });
}

// Starts the clock on a 200 px 24-hour dial whose picture is `picture` in the session's folder
// (written there when `bytes` is not empty), with the extra settings.
::testing::AssertionResult StartWithPicture(ZentravaSession& session, std::string_view bytes,
                                            const std::string& extra) {
    if (!session.Stage(ProgramPath(kTestBuild), "Zentrava")) {
        return ::testing::AssertionFailure() << "stage: " << session.lastError();
    }
    const std::string picture = session.dir() + "quadrants.bmp";
    if (!bytes.empty() && !WriteWholeFile(picture, bytes)) {
        return ::testing::AssertionFailure() << "picture";
    }
    const std::string ini = std::string("[Window_Position]\r\nWindow_Width=200\r\n"
                                        "Window_Height=200\r\n") +
                            kPlain24HourDial +
                            "[TimeZone_Diff_Setting]\r\nBkGndPicFile=" + picture + "\r\n" + extra;
    if (!session.WriteIni(ini) || !session.Launch() || session.WaitForMainWindow() == nullptr) {
        return ::testing::AssertionFailure() << "start: " << session.lastError();
    }
    return ::testing::AssertionSuccess();
}

// The colours on the face's four diagonals, upper-left, upper-right, lower-left, lower-right,
// inside the face.
using Four = std::array<std::uint32_t, 4>;
Four Diagonals(const Bitmap& face) {
    return {face.At(100 - 40, 100 - 40), face.At(100 + 40, 100 - 40), face.At(100 - 40, 100 + 40),
            face.At(100 + 40, 100 + 40)};
}

// The picture turns with the 24-hour hand (hour 0 at the top): upright at noon, upside down
// at midnight, a quarter turn clockwise at 18:00; turning with universal time, 21:00 here is
// noon there. The ring keeps its own colour throughout. At half past, the minute hand points
// down between the lower diagonals; the day hand's diagonal is not looked at.
TEST(Face, PictureTurnsOnceADayWithTheTwentyFourHourHand) {
    constexpr std::uint32_t kHand = 0xFFFFFFFF;
    struct Moment {
        WORD hour;
        Four diagonals; // kHand where the day hand may cover the picture
    };
    struct Run {
        const char* extra;
        std::vector<Moment> moments;
    };
    const Run runs[] = {
        {"PicRotEnable=1\r\n",
         {{12, {kUpperLeft, kUpperRight, kLowerLeft, kLowerRight}},
          {0, {kLowerRight, kLowerLeft, kUpperRight, kUpperLeft}},
          {18, {kLowerLeft, kUpperLeft, kLowerRight, kUpperRight}}}},
        {"PicRotEnable=1\r\nPicRotStdTimeZone=1\r\n",
         {{21, {kHand, kUpperRight, kLowerLeft, kLowerRight}}}},
        {"PicRotEnable=0\r\n", {{0, {kUpperLeft, kUpperRight, kLowerLeft, kLowerRight}}}},
    };
    const std::string bmp = QuadrantsBmp();
    for (const Run& run : runs) {
        ZentravaSession session;
        ASSERT_TRUE(StartWithPicture(session, bmp, run.extra));
        for (const Moment& m : run.moments) {
            SCOPED_TRACE(std::to_string(m.hour) + " " + run.extra);
            std::string path;
            ASSERT_NO_FATAL_FAILURE(SaveFaceAt(session, m.hour, 30, path));
            Bitmap face;
            ASSERT_TRUE(face.Load(path));
            Four seen = Diagonals(face);
            for (std::size_t i = 0; i < seen.size(); ++i) {
                seen[i] = m.diagonals[i] == kHand ? kHand : seen[i];
            }
            EXPECT_EQ(seen, m.diagonals);
            EXPECT_EQ(face.At(100, 1), 16744576u) << "the ring keeps BackGroundColor";
        }
        ExpectClosesCleanly(session);
    }
}

// A picture on a drive not mounted yet: the face shows its own colour and nobody is asked.
TEST(Face, MissingPictureShowsTheFaceColourWithoutAWord) {
    ZentravaSession session;
    ASSERT_TRUE(StartWithPicture(session, {}, "PicRotEnable=1\r\n"));
    std::string path;
    ASSERT_NO_FATAL_FAILURE(SaveFaceAt(session, 12, 30, path));
    EXPECT_TRUE(session.MessageBoxes().empty());
    ExpectClosesCleanly(session);
    Bitmap face;
    ASSERT_TRUE(face.Load(path));
    EXPECT_EQ(Diagonals(face), Four({kFaceColour, kFaceColour, kFaceColour, kFaceColour}));
}

} // namespace
} // namespace zentrava::e2e
