#pragma once
// What every end-to-end test does: find the built programs, start a staged copy, close it.

#include "e2e/zentrava_driver_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zentrava::e2e {

inline constexpr const char* kShipped = "Zentrava.exe";
inline constexpr const char* kTestBuild = "Zentrava_test.exe";

// CTest passes the build folder as a Unix path; Wine shows / as drive Z:.
inline std::string ProgramPath(const char* exeName) {
    std::string dir = ZENTRAVA_BIN_DIR;
    if (!dir.empty() && dir.front() == '/') {
        dir = "Z:" + dir;
    }
    std::replace(dir.begin(), dir.end(), '/', '\\');
    return dir + "\\" + exeName;
}

inline ::testing::AssertionResult StartCopy(ZentravaSession& session, const char* exeName,
                                            const std::string& baseName,
                                            std::string_view ini = {}) {
    if (!session.Stage(ProgramPath(exeName), baseName)) {
        return ::testing::AssertionFailure() << "stage: " << session.lastError();
    }
    if (!ini.empty() && !session.WriteIni(ini)) {
        return ::testing::AssertionFailure() << "ini: " << session.lastError();
    }
    if (!session.Launch()) {
        return ::testing::AssertionFailure() << "launch: " << session.lastError();
    }
    if (session.WaitForMainWindow() == nullptr) {
        return ::testing::AssertionFailure() << "window: " << session.lastError();
    }
    return ::testing::AssertionSuccess();
}

// Polls until the condition holds; false when it did not within the time.
template <typename Condition>
bool WaitFor(Condition condition, DWORD timeoutMs = 5000) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() >= end) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

// How often `needle` occurs in `text` (lines of the event log, mostly).
inline std::size_t Count(std::string_view text, std::string_view needle) {
    std::size_t n = 0;
    for (std::size_t at = text.find(needle); at != std::string_view::npos;
         at = text.find(needle, at + 1)) {
        ++n;
    }
    return n;
}

// A visible dialog of the program with this caption (a property sheet, a modal dialog).
inline HWND FindDialog(const ZentravaSession& session, const std::string& caption) {
    for (HWND w : session.process().TopLevelWindows("#32770")) {
        if (IsWindowVisible(w) && WindowText(w) == caption) {
            return w;
        }
    }
    return nullptr;
}

inline void ExpectClosesCleanly(ZentravaSession& session) {
    const CloseResult r = session.Close();
    EXPECT_TRUE(r.exited) << r.error;
    EXPECT_FALSE(r.terminated) << "had to be killed: " << r.error;
    EXPECT_EQ(r.exitCode, 0u) << r.error;
}

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

// degrees clockwise from the top, radius as a fraction of R.
inline std::uint32_t AlongAxis(const Bitmap& face, int cx, int cy, int R, double degrees,
                               double fraction) {
    const double a = degrees * 3.14159265358979 / 180.0;
    const double r = fraction * R;
    return face.At(cx + static_cast<int>(std::lround(r * std::sin(a))),
                   cy - static_cast<int>(std::lround(r * std::cos(a))));
}

} // namespace zentrava::e2e
