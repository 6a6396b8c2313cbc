#include "app/placement.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace zentrava {
namespace {

// How far from a rim handle, in x and in y, the cursor still takes it.
constexpr int kHandleReach = 5;

// Where the clock goes when its place is lost (the default placement).
constexpr WindowPositionSettings kResetPosition{};

Rect BoxAt(int x, int y, int width, int height) {
    return Rect{x, y, x + width, y + height};
}

// start if a span of length from there shares a pixel with [lo, hi), else lo: a corner
// computed from an odd work area or caption height still leaves the window on the work area.
int KeepOverlapping(int start, int length, int lo, int hi) {
    return start >= hi || start + length <= lo ? lo : start;
}

} // namespace

FaceHit HitTestFace(Point cursor, Point faceCentre, int faceRadius) {
    struct Handle {
        Point at;
        FaceHit hit;
    };
    const int cx = faceCentre.x;
    const int cy = faceCentre.y;
    // On a face smaller than the reach the handles' squares overlap; the first one listed wins.
    const std::array<Handle, 4> handles{{
        {{cx, cy - faceRadius}, FaceHit::Top},
        {{cx + faceRadius, cy}, FaceHit::Right},
        {{cx, cy + faceRadius}, FaceHit::Bottom},
        {{cx - faceRadius, cy}, FaceHit::Left},
    }};
    for (const Handle& handle : handles) {
        if (std::abs(cursor.x - handle.at.x) <= kHandleReach &&
            std::abs(cursor.y - handle.at.y) <= kHandleReach) {
            return handle.hit;
        }
    }
    return FaceHit::Caption;
}

SizingLimits RecordSizingLimits(int captionHeight, int faceCentreScreenY) {
    SizingLimits limits;
    limits.captionHeight = captionHeight;
    limits.topLimit = 1 - captionHeight;
    limits.maxHeight = 2 * faceCentreScreenY + 2 * captionHeight - 1;
    return limits;
}

Rect KeepSquareWhileSizing(Rect dragged, SizingEdge edge, Point faceCentreScreen,
                           const SizingLimits& limits) {
    Rect r = dragged;
    switch (edge) {
    case SizingEdge::Left:
    case SizingEdge::Right: {
        const int w = r.right - r.left;
        r.top = faceCentreScreen.y - w / 2;
        r.bottom = faceCentreScreen.y + w / 2 + (w % 2 != 0 ? 1 : 0);
        // The limit keeps the window from growing past the top of the primary screen. When
        // the face centre sits so high (a monitor above the primary one) that the limited
        // square would be under the minimum size, or even inverted, there is no sensible
        // limited square, and the window sizes freely rather than collapsing.
        if (r.top < limits.topLimit && limits.maxHeight >= kMinWindowSide) {
            r.top = limits.topLimit;
            r.bottom = limits.maxHeight - limits.captionHeight + 1;
            if (edge == SizingEdge::Left) {
                r.left = r.right - limits.maxHeight;
            } else {
                r.right = r.left + limits.maxHeight;
            }
        }
        break;
    }
    case SizingEdge::Top:
    case SizingEdge::Bottom: {
        const int h = r.bottom - r.top;
        r.left = faceCentreScreen.x - h / 2;
        r.right = faceCentreScreen.x + h / 2 + (h % 2 != 0 ? 1 : 0);
        break;
    }
    }
    return r;
}

void RecordMove(WindowPositionSettings& position, PlacementMemory& memory, Point windowTopLeft,
                bool minimised) {
    if (position.Window_Maximized == 1) {
        // The saved place is what the double click returns to; only the square follows.
        const Rect& m = memory.maximised;
        memory.maximised =
            BoxAt(windowTopLeft.x, windowTopLeft.y, m.right - m.left, m.bottom - m.top);
        return;
    }
    position.Window_X_Pos = windowTopLeft.x;
    position.Window_Y_Pos = windowTopLeft.y;
    if (!minimised) {
        memory.restore = windowTopLeft;
    }
}

void RecordSize(WindowPositionSettings& position, PlacementMemory& memory, int windowWidth,
                int windowHeight, bool minimising) {
    // A minimised window reports the size of its icon bar, which is no size of the clock.
    if (minimising) {
        return;
    }
    if (position.Window_Maximized == 1) {
        memory.maximised.right = memory.maximised.left + windowWidth;
        memory.maximised.bottom = memory.maximised.top + windowHeight;
        return;
    }
    position.Window_Width = windowWidth;
    position.Window_Height = windowHeight;
}

Rect MaximisedSquare(int screenWidth, int screenHeight) {
    // A failed metric reads as 0; the square still has the minimum size rather than none.
    const int side = std::max(std::min(screenWidth, screenHeight), kMinWindowSide);
    return BoxAt((screenWidth - side) / 2, (screenHeight - side) / 2, side, side);
}

Rect ToggleMaximised(WindowPositionSettings& position, PlacementMemory& memory, int screenWidth,
                     int screenHeight) {
    if (position.Window_Maximized == 1) {
        position.Window_Maximized = 0;
        return NormalRectangle(position);
    }
    position.Window_Maximized = 1;
    memory.maximised = MaximisedSquare(screenWidth, screenHeight);
    return memory.maximised;
}

Rect ResetPlacement(WindowPositionSettings& position, PlacementMemory& memory) {
    position = kResetPosition;
    memory.restore = Point{kResetPosition.Window_X_Pos, kResetPosition.Window_Y_Pos};
    return NormalRectangle(position);
}

Rect NormalRectangle(const WindowPositionSettings& position) {
    return BoxAt(position.Window_X_Pos, position.Window_Y_Pos, position.Window_Width,
                 position.Window_Height);
}

Rect RefreshRectangle(const WindowPositionSettings& position, const PlacementMemory& memory) {
    if (position.Window_Maximized == 1) {
        return memory.maximised;
    }
    return BoxAt(memory.restore.x, memory.restore.y, position.Window_Width, position.Window_Height);
}

bool LiesOffMonitor(const Rect& window, const Rect& monitor) {
    // Right and bottom lie one past the last pixel, so a window starting exactly at the
    // monitor's right or bottom shows nothing on it.
    return window.left >= monitor.right || window.right <= monitor.left ||
           window.top >= monitor.bottom || window.bottom <= monitor.top;
}

std::optional<Point> CornerPosition(ScreenCorner corner, const Rect& workArea, int width,
                                    int height, int captionHeight) {
    if (workArea.right <= workArea.left || workArea.bottom <= workArea.top) {
        return std::nullopt;
    }
    const int right = workArea.right - width;
    const int bottom = workArea.bottom - height;
    const int belowCaption = workArea.top + captionHeight;
    Point at;
    switch (corner) {
    case ScreenCorner::TopRight:
        at = {right, belowCaption};
        break;
    case ScreenCorner::BottomRight:
        at = {right, bottom};
        break;
    case ScreenCorner::TopLeft:
        at = {workArea.left, belowCaption};
        break;
    case ScreenCorner::BottomLeft:
        at = {workArea.left, bottom};
        break;
    default:
        return std::nullopt;
    }
    // A work area no taller than the caption would push a top-corner window below it; a window
    // larger than the work area still overlaps it and keeps the plain position.
    return Point{KeepOverlapping(at.x, width, workArea.left, workArea.right),
                 KeepOverlapping(at.y, height, workArea.top, workArea.bottom)};
}

} // namespace zentrava
