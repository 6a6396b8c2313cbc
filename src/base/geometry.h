#pragma once
// Points and rectangles in window pixels, shared by the face, the window's placement and the
// dialogs.

#include <algorithm>

namespace zentrava {

struct Point {
    int x = 0;
    int y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend bool operator==(const Rect&, const Rect&) = default;
};

// The top-left that centres a width x height window on the primary screen. A window larger
// than the screen keeps its top-left on it, so that its caption can still be grabbed.
constexpr Point CentredOnScreen(int screenWidth, int screenHeight, int width, int height) {
    return Point{std::max((screenWidth - width) / 2, 0), std::max((screenHeight - height) / 2, 0)};
}

} // namespace zentrava
