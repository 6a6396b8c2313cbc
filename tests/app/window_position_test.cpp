#include "app/window_position.h"

#include "base/memory_settings_store.h"

#include <gtest/gtest.h>

#include <string>

namespace zentrava {
namespace {

TEST(WindowPosition, EmptyFileGivesDefaults) {
    const WindowPositionSettings loaded = LoadWindowPosition(MemorySettingsStore());
    EXPECT_EQ(loaded.Window_X_Pos, 200);
    EXPECT_EQ(loaded.Window_Y_Pos, 200);
    EXPECT_EQ(loaded.Window_Width, 128);
    EXPECT_EQ(loaded.Window_Height, 128);
    EXPECT_EQ(loaded.WindowDispOn, 1);
    EXPECT_EQ(loaded.Window_Maximized, 0);
}

TEST(WindowPosition, StoredValuesAreRead) {
    const MemorySettingsStore store("[Window_Position]\r\nWindow_X_Pos=-300\r\nWindow_Y_Pos=40\r\n"
                                    "Window_Width=500\r\nWindow_Height=260\r\nWindowDispOn=0\r\n"
                                    "Window_Maximized=1\r\n");
    EXPECT_EQ(LoadWindowPosition(store), (WindowPositionSettings{-300, 40, 500, 260, 0, 1}));
}

TEST(WindowPosition, KeysMatchWhateverTheirCase) {
    const MemorySettingsStore store("[window_position]\r\nwindow_width=300\r\nWINDOW_X_POS=7\r\n");
    const WindowPositionSettings loaded = LoadWindowPosition(store);
    EXPECT_EQ(loaded.Window_Width, 300);
    EXPECT_EQ(loaded.Window_X_Pos, 7);
}

struct DamagedLine {
    std::string_view line;
    int WindowPositionSettings::*field;
    int expected;
};

TEST(WindowPosition, DamagedValuesClampOrFallBack) {
    const DamagedLine cases[] = {
        {"Window_Width=10", &WindowPositionSettings::Window_Width, 64},
        {"Window_Width=abc", &WindowPositionSettings::Window_Width, 64},
        {"Window_Width=", &WindowPositionSettings::Window_Width, 128},
        {"Window_Height=99999999999", &WindowPositionSettings::Window_Height, 32767},
        {"Window_Height=-2147483648", &WindowPositionSettings::Window_Height, 64},
        {"Window_X_Pos=-40000", &WindowPositionSettings::Window_X_Pos, -32768},
        {"Window_Y_Pos=0x7fffffff", &WindowPositionSettings::Window_Y_Pos, 32767},
        {"Window_Y_Pos=12px", &WindowPositionSettings::Window_Y_Pos, 12},
        // Read as hidden in one place and as shown in another otherwise.
        {"WindowDispOn=7", &WindowPositionSettings::WindowDispOn, 1},
        {"WindowDispOn=-1", &WindowPositionSettings::WindowDispOn, 0},
        {"Window_Maximized=-1", &WindowPositionSettings::Window_Maximized, 0},
        {"Window_Maximized=2", &WindowPositionSettings::Window_Maximized, 1},
    };
    for (const DamagedLine& c : cases) {
        const MemorySettingsStore store("[Window_Position]\r\n" + std::string(c.line) + "\r\n");
        EXPECT_EQ(LoadWindowPosition(store).*c.field, c.expected) << c.line;
    }
}

TEST(WindowPosition, SaveWritesSixDecimalKeys) {
    MemorySettingsStore store;
    SaveWindowPosition(store, {-32768, 32767, 64, 1000, 0, 1});
    EXPECT_EQ(store.Text(), "[Window_Position]\r\nWindow_X_Pos=-32768\r\nWindow_Y_Pos=32767\r\n"
                            "Window_Width=64\r\nWindow_Height=1000\r\nWindowDispOn=0\r\n"
                            "Window_Maximized=1\r\n");
}

TEST(WindowPosition, SaveThenLoadRoundTrips) {
    MemorySettingsStore store("[Window_Position]\r\nWindow_Width=900\r\n[Other]\r\nx=1\r\n");
    const WindowPositionSettings saved{-120, 3000, 333, 222, 0, 1};
    SaveWindowPosition(store, saved);
    EXPECT_EQ(LoadWindowPosition(store), saved);
    EXPECT_EQ(store.GetInt("Other", "x", 0), 1);
}

TEST(WindowPosition, SizeIsNarrowedToTheVirtualScreen) {
    const WindowPositionSettings loaded{-3000, 50, 5000, 2000, 0, 1};
    EXPECT_EQ(FitToVirtualScreen(loaded, 3840, 1080),
              (WindowPositionSettings{-3000, 50, 3840, 1080, 0, 1}));
    EXPECT_EQ(FitToVirtualScreen(loaded, 5000, 2001), loaded);
    EXPECT_EQ(FitToVirtualScreen({0, 0, 10, -5, 1, 0}, 1920, 1080),
              (WindowPositionSettings{0, 0, 64, 64, 1, 0}));
}

TEST(WindowPosition, OddScreenMetricsNeverGiveAWindowBelowTheMinimumSize) {
    for (const int metric : {0, -1, 1, 63, 64}) {
        const WindowPositionSettings fitted =
            FitToVirtualScreen({200, 200, 128, 300, 1, 0}, metric, metric);
        EXPECT_EQ(fitted.Window_Width, 64) << metric;
        EXPECT_EQ(fitted.Window_Height, 64) << metric;
    }
}

} // namespace
} // namespace zentrava
