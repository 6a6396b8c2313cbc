#include "app/app_win.h"
#include "app/back_buffer_win.h"
#include "clock/platform_time_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace zentrava {
namespace {

TEST(Platform, AnsiCodePageIsJapanese) {
    EXPECT_EQ(GetACP(), 932u);
    // Sources are UTF-8; the program's texts must reach the A functions as CP932.
    EXPECT_STREQ(kOwnerClassName, "\x83\x5F\x83\x7E\x81\x5B");
}

TEST(Platform, SystemTimeRoundTrips) {
    SYSTEMTIME st{2036, 2, 4, 7, 6, 28, 16, 999};
    const SYSTEMTIME back = ToSystemTime(ToDateTime(st));
    EXPECT_EQ(std::memcmp(&st, &back, sizeof st), 0);
}

TEST(Platform, MonotonicClockMovesForwardInRealTime) {
    const MonotonicTime a = MonotonicNow();
    Sleep(100);
    const MonotonicTime b = MonotonicNow();
    EXPECT_GE(b - a, 90 * 10'000);
    EXPECT_LT(b - a, 2000 * 10'000);
}

bool g_recorded = false;
bool RecordOnly(const SYSTEMTIME&) {
    g_recorded = true;
    return true;
}

TEST(Platform, UtcInstantsBecomeThisZonesCalendarTime) {
    SYSTEMTIME utc{};
    GetSystemTime(&utc);
    FILETIME f{};
    SystemTimeToFileTime(&utc, &f);
    SYSTEMTIME local{};
    SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    const DateTime t = UtcTicksToLocal(FileTicks(f));
    EXPECT_EQ(t.hour, local.wHour);
    EXPECT_EQ(t.minute, local.wMinute);
    EXPECT_EQ(t.milliseconds, local.wMilliseconds);
    EXPECT_EQ(t.dayOfWeek, local.wDayOfWeek);
}

TEST(Platform, PreciseSystemTimeIsTheSystemTime) {
    FILETIME before{};
    GetSystemTimeAsFileTime(&before);
    const std::int64_t now = SystemFileTicksNow();
    FILETIME after{};
    GetSystemTimeAsFileTime(&after);
    // The coarse clock may lag the precise one by its tick (up to about 16 ms).
    EXPECT_GE(now, FileTicks(before));
    EXPECT_LE(now, FileTicks(after) + 200'000);
}

TEST(Platform, TestBuildNeverSetsTheComputersClock) {
    SYSTEMTIME before;
    GetLocalTime(&before);
    SYSTEMTIME past{1999, 12, 5, 31, 23, 59, 0, 0};
    // The test build's own setter only records.
    EXPECT_TRUE(RequestSystemClock(past));
    SYSTEMTIME after;
    GetLocalTime(&after);
    EXPECT_EQ(after.wYear, before.wYear);

    const SystemClockSetter previous = InstallSystemClockSetter(&RecordOnly);
    EXPECT_TRUE(RequestSystemClock(past));
    EXPECT_TRUE(g_recorded);
    EXPECT_EQ(InstallSystemClockSetter(previous), &RecordOnly);
}

TEST(Platform, BackBufferSavesAReadableBitmap) {
    HWND hwnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 37, 21, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hwnd, nullptr);
    BackBuffer buffer;
    ASSERT_TRUE(buffer.Create(hwnd));
    EXPECT_EQ(buffer.width(), 37);
    EXPECT_EQ(buffer.height(), 21);
    SetPixel(buffer.dc(), 0, 0, RGB(255, 0, 0)); // top left, the last row of a bottom-up file

    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string path = std::string(dir) + "zentrava_buffer_test.bmp";
    ASSERT_TRUE(buffer.SaveBmp(path));
    std::FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::vector<unsigned char> bytes(100000);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
    DeleteFileA(path.c_str());
    DestroyWindow(hwnd);

    const std::size_t stride = (37 * 3 + 3) & ~3u;
    ASSERT_EQ(bytes.size(), 54 + stride * 21);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(bytes[18], 37);
    EXPECT_EQ(bytes[22], 21);
    EXPECT_EQ(bytes[28], 24);
    const std::size_t topLeft = 54 + stride * 20;
    EXPECT_EQ(bytes[topLeft + 2], 255); // red, stored as B G R
    EXPECT_EQ(bytes[topLeft + 0], 0);
    // The rest is the cleared light grey of an empty face.
    EXPECT_EQ(bytes[54], 0xC0);
}

} // namespace
} // namespace zentrava
