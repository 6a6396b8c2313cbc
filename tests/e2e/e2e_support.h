#pragma once
// What every end-to-end test does: find the built programs, start a staged copy, close it.

#include "e2e/zentrava_driver_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
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

// The first window of the thread for which `match` holds; null when none does.
template <typename Match>
HWND FindThreadWindow(DWORD thread, Match match) {
    struct Search {
        Match* match;
        HWND found;
    } search{&match, nullptr};
    EnumThreadWindows(
        thread,
        [](HWND w, LPARAM out) -> BOOL {
            auto* s = reinterpret_cast<Search*>(out);
            if ((*s->match)(w)) {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
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

// A 24-bit bottom-up BMP file of width x height; colour(x, y) gives each pixel as COLORREF.
template <typename Colour>
std::string Bmp24(int width, int height, Colour colour) {
    const int stride = (width * 3 + 3) & ~3;
    const auto le = [](std::string& out, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out.push_back(static_cast<char>(v >> (8 * i)));
        }
    };
    std::string bmp = "BM";
    le(bmp, static_cast<std::uint32_t>(54 + stride * height), 4);
    le(bmp, 0, 4);
    le(bmp, 54, 4);
    le(bmp, 40, 4);
    le(bmp, static_cast<std::uint32_t>(width), 4);
    le(bmp, static_cast<std::uint32_t>(height), 4);
    le(bmp, 1, 2);
    le(bmp, 24, 2);
    le(bmp, 0, 4);
    le(bmp, static_cast<std::uint32_t>(stride * height), 4);
    bmp.append(16, '\0'); // resolution and palette counts
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = colour(x, y);
            bmp.push_back(static_cast<char>(c >> 16)); // blue, green, red
            bmp.push_back(static_cast<char>(c >> 8));
            bmp.push_back(static_cast<char>(c));
        }
        bmp.append(static_cast<std::size_t>(stride - width * 3), '\0');
    }
    return bmp;
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

// A real mouse event at a screen point, as a hand on the mouse would make it.
inline void SendMouse(DWORD flags, POINT at) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
    Sleep(50);
}

inline RECT ClientOnScreen(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Black pixels (every other one) in the middle half of a 480 x 240 notification's picture, as
// on the screen: text drawn over the picture.
inline int BlackPixelsOverPicture(HWND notice) {
    const RECT onScreen = ClientOnScreen(notice);
    const HDC screen = GetDC(nullptr);
    int black = 0;
    for (int y = onScreen.top + 60; y < onScreen.top + 180; y += 2) {
        for (int x = onScreen.left + 120; x < onScreen.left + 360; x += 2) {
            black += GetPixel(screen, x, y) == RGB(0, 0, 0) ? 1 : 0;
        }
    }
    ReleaseDC(nullptr, screen);
    return black;
}

inline void ExpectClosesCleanly(ZentravaSession& session) {
    const CloseResult r = session.Close();
    EXPECT_TRUE(r.exited) << r.error;
    EXPECT_FALSE(r.terminated) << "had to be killed: " << r.error;
    EXPECT_EQ(r.exitCode, 0u) << r.error;
}

// degrees clockwise from the top, radius as a fraction of R.
inline std::uint32_t AlongAxis(const Bitmap& face, int cx, int cy, int R, double degrees,
                               double fraction) {
    const double a = degrees * 3.14159265358979 / 180.0;
    const double r = fraction * R;
    return face.At(cx + static_cast<int>(std::lround(r * std::sin(a))),
                   cy - static_cast<int>(std::lround(r * std::cos(a))));
}

} // namespace zentrava::e2e
