#pragma once
// Where the clock window goes and how big it is: the rim handles of the face, square sizing,
// the maximised square, the screen corners, the remembered places and whether a saved place
// still shows on a monitor. The glue hands in what the system reports (cursor, work area,
// monitor, metrics) and carries out the rectangle or position that comes back.

#include "app/window_position.h"
#include "base/geometry.h"
#include "resources/resource.h"

#include <optional>

namespace zentrava {

// Valued as the hit-test codes they stand for (HTCAPTION, HTLEFT, HTRIGHT, HTTOP, HTBOTTOM).
enum class FaceHit : int {
    Caption = 2,
    Left = 10,
    Right = 11,
    Top = 12,
    Bottom = 15,
};

// A client hit on the face: one of the four resize handles on the rim (top, right, bottom and
// left of the centre, radius away) when the cursor is within 5 pixels of it in both x and y,
// else Caption so that the whole face drags the window. cursor is in client coordinates.
FaceHit HitTestFace(Point cursor, Point faceCentre, int faceRadius);

// Valued as the WMSZ_ codes of the four edges. A corner (any other value) is left as dragged:
// the hit test never offers one.
enum class SizingEdge : int {
    Left = 1,
    Right = 2,
    Top = 3,
    Bottom = 6,
};

// Recorded at the first sizing step of a drag, from the caption height (SM_CYCAPTION) and the
// face centre's screen y at that moment.
struct SizingLimits {
    int captionHeight = 0;
    int topLimit = 0;  // the window's top may not go above this
    int maxHeight = 0; // the side of the square whose top sits on topLimit

    friend bool operator==(const SizingLimits&, const SizingLimits&) = default;
};

SizingLimits RecordSizingLimits(int captionHeight, int faceCentreScreenY);

// The dragged window rectangle (screen coordinates) made square again around the face centre.
Rect KeepSquareWhileSizing(Rect dragged, SizingEdge edge, Point faceCentreScreen,
                           const SizingLimits& limits);

// Run-time places kept beside the saved normal rectangle of WindowPositionSettings.
struct PlacementMemory {
    Rect maximised; // the centred square, valid while Window_Maximized is 1
    Point restore;  // the last top-left that was neither minimised nor maximised

    friend bool operator==(const PlacementMemory&, const PlacementMemory&) = default;
};

// The window moved to windowTopLeft (WM_MOVE while position tracking is on).
void RecordMove(WindowPositionSettings& position, PlacementMemory& memory, Point windowTopLeft,
                bool minimised);

// The window took a new outer size (WM_SIZE); minimising is the size event of a minimise.
void RecordSize(WindowPositionSettings& position, PlacementMemory& memory, int windowWidth,
                int windowHeight, bool minimising);

// The largest square centred on the primary screen (SM_CXSCREEN, SM_CYSCREEN).
Rect MaximisedSquare(int screenWidth, int screenHeight);

// A double click on the face: flips Window_Maximized and returns where the window goes, the
// normal rectangle or the (newly stored) maximised square.
Rect ToggleMaximised(WindowPositionSettings& position, PlacementMemory& memory, int screenWidth,
                     int screenHeight);

// Puts the window back at (200, 200), 128 x 128, shown and not maximised; returns where the
// window goes.
Rect ResetPlacement(WindowPositionSettings& position, PlacementMemory& memory);

// The saved rectangle: Window_X_Pos, Window_Y_Pos and the saved size.
Rect NormalRectangle(const WindowPositionSettings& position);

// Where the window stands now, for the one-pixel resize that makes it lay out and repaint.
Rect RefreshRectangle(const WindowPositionSettings& position, const PlacementMemory& memory);

// True when the window shares no pixel with the monitor (its full rectangle, not the work
// area) that the system names nearest to it.
bool LiesOffMonitor(const Rect& window, const Rect& monitor);

// Valued as the commands that ask for them.
enum class ScreenCorner : int {
    TopRight = ID_CMD_CORNER_TOP_RIGHT,
    BottomRight = ID_CMD_CORNER_BOTTOM_RIGHT,
    TopLeft = ID_CMD_CORNER_TOP_LEFT,
    BottomLeft = ID_CMD_CORNER_BOTTOM_LEFT,
};

// The top-left of a width x height window in the corner of the work area (SPI_GETWORKAREA).
// The top corners leave room for a caption above the window. No value for an empty work area:
// nothing can overlap it, so the window stays where it is.
std::optional<Point> CornerPosition(ScreenCorner corner, const Rect& workArea, int width,
                                    int height, int captionHeight);

} // namespace zentrava
