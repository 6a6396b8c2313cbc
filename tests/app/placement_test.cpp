#include "app/placement.h"

#include <gtest/gtest.h>

#include <ostream>

namespace zentrava {

// Found by the printer through the argument's namespace; kept local to this file.
static void PrintTo(const Rect& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
static void PrintTo(const Point& p, std::ostream* os) {
    *os << "(" << p.x << ", " << p.y << ")";
}

namespace {

int Width(const Rect& r) {
    return r.right - r.left;
}
int Height(const Rect& r) {
    return r.bottom - r.top;
}

// ---- Rim handles ----------------------------------------------------------------------------

TEST(FaceHitTest, EachHandleReachesExactlyFivePixelsInBothDirections) {
    const Point centre{100, 100};
    const int r = 90;
    const struct {
        Point handle;
        FaceHit hit;
    } handles[] = {
        {{100, 10}, FaceHit::Top},
        {{190, 100}, FaceHit::Right},
        {{100, 190}, FaceHit::Bottom},
        {{10, 100}, FaceHit::Left},
    };
    for (const auto& h : handles) {
        for (int dx : {-5, 0, 5}) {
            for (int dy : {-5, 0, 5}) {
                EXPECT_EQ(HitTestFace({h.handle.x + dx, h.handle.y + dy}, centre, r), h.hit)
                    << dx << "," << dy;
            }
        }
        for (const Point off :
             {Point{-6, 0}, Point{6, 0}, Point{0, -6}, Point{0, 6}, Point{6, 6}, Point{-6, 5}}) {
            EXPECT_EQ(HitTestFace({h.handle.x + off.x, h.handle.y + off.y}, centre, r),
                      FaceHit::Caption)
                << off.x << "," << off.y;
        }
    }
}

TEST(FaceHitTest, TheRestOfTheFaceDragsTheWindow) {
    for (const Point p : {Point{100, 100}, Point{0, 0}, Point{199, 199}, Point{164, 36}}) {
        EXPECT_EQ(HitTestFace(p, {100, 100}, 90), FaceHit::Caption);
    }
}

TEST(FaceHitTest, OverlappingHandlesOnATinyFaceGoTopRightBottomLeft) {
    const Point c{20, 20};
    const int r = 3; // handles at (20,17), (23,20), (20,23), (17,20)
    EXPECT_EQ(HitTestFace({20, 20}, c, r), FaceHit::Top);    // inside all four
    EXPECT_EQ(HitTestFace({25, 24}, c, r), FaceHit::Right);  // right and bottom
    EXPECT_EQ(HitTestFace({15, 25}, c, r), FaceHit::Bottom); // bottom and left
    EXPECT_EQ(HitTestFace({14, 24}, c, r), FaceHit::Left);   // left only
    EXPECT_EQ(HitTestFace({20, 20}, c, 0), FaceHit::Top);
}

TEST(FaceHitTest, CursorLeftOfOrAboveTheClientAreaStillFindsTheHandle) {
    // The left handle of a face touching the client's edge reaches into negative coordinates.
    EXPECT_EQ(HitTestFace({-5, 50}, {50, 50}, 50), FaceHit::Left);
    EXPECT_EQ(HitTestFace({-6, 50}, {50, 50}, 50), FaceHit::Caption);
    EXPECT_EQ(HitTestFace({50, -5}, {50, 50}, 50), FaceHit::Top);
}

// ---- Square sizing --------------------------------------------------------------------------

constexpr int kCaption = 23;
constexpr Point kCentre{500, 400};
const SizingLimits kRoomy = RecordSizingLimits(kCaption, kCentre.y);

TEST(SquareSizing, SideEdgesSetTheHeightAroundTheCentre) {
    const struct {
        SizingEdge edge;
        Rect dragged;
        Rect expected;
    } cases[] = {
        {SizingEdge::Right, {400, 300, 600, 500}, {400, 300, 600, 500}},
        {SizingEdge::Right, {400, 300, 700, 500}, {400, 250, 700, 550}},
        {SizingEdge::Right, {400, 300, 701, 500}, {400, 250, 701, 551}}, // odd: one more below
        {SizingEdge::Left, {301, 300, 600, 500}, {301, 251, 600, 550}},
        {SizingEdge::Left, {300, 300, 600, 500}, {300, 250, 600, 550}},
        {SizingEdge::Left, {450, 300, 600, 500}, {450, 325, 600, 475}},
    };
    for (const auto& c : cases) {
        const Rect got = KeepSquareWhileSizing(c.dragged, c.edge, kCentre, kRoomy);
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(Width(got), Height(got));
    }
}

TEST(SquareSizing, TopAndBottomEdgesSetTheWidthAroundTheCentre) {
    const struct {
        SizingEdge edge;
        Rect dragged;
        Rect expected;
    } cases[] = {
        {SizingEdge::Bottom, {400, 300, 600, 600}, {350, 300, 650, 600}},
        {SizingEdge::Bottom, {400, 300, 600, 601}, {350, 300, 651, 601}},
        {SizingEdge::Top, {400, 100, 600, 500}, {300, 100, 700, 500}},
        {SizingEdge::Top, {400, 99, 600, 500}, {300, 99, 701, 500}},
        // No limit on this axis: the top may go anywhere.
        {SizingEdge::Top, {400, -900, 600, 500}, {-200, -900, 1200, 500}},
    };
    for (const auto& c : cases) {
        const Rect got = KeepSquareWhileSizing(c.dragged, c.edge, kCentre, kRoomy);
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(Width(got), Height(got));
    }
}

TEST(SquareSizing, CornersAreLeftAsDragged) {
    const Rect dragged{10, 20, 300, 250};
    for (int wmsz : {0, 4, 5, 7, 8, 9}) {
        EXPECT_EQ(KeepSquareWhileSizing(dragged, static_cast<SizingEdge>(wmsz), kCentre, kRoomy),
                  dragged)
            << wmsz;
    }
}

TEST(SquareSizing, DraggingPastTheScreenTopStopsAtCaptionHeightLessOneAbove) {
    const SizingLimits limits = RecordSizingLimits(kCaption, 100); // top -22, side 245
    // Exactly on the limit: untouched.
    EXPECT_EQ(KeepSquareWhileSizing({400, 0, 644, 0}, SizingEdge::Right, {500, 100}, limits),
              (Rect{400, -22, 644, 222}));
    // One pixel further: the square is the largest that fits, grown from the fixed edge.
    EXPECT_EQ(KeepSquareWhileSizing({400, 0, 646, 0}, SizingEdge::Right, {500, 100}, limits),
              (Rect{400, -22, 645, 223}));
    EXPECT_EQ(KeepSquareWhileSizing({400, 0, 1000, 0}, SizingEdge::Right, {500, 100}, limits),
              (Rect{400, -22, 645, 223}));
    EXPECT_EQ(KeepSquareWhileSizing({0, 0, 700, 0}, SizingEdge::Left, {500, 100}, limits),
              (Rect{455, -22, 700, 223}));
}

TEST(SquareSizing, OnMonitorsLeftOfOrAboveThePrimaryTheSquareNeverCollapses) {
    // Left of the primary screen: negative x alone changes nothing.
    EXPECT_EQ(KeepSquareWhileSizing({-900, 0, -601, 0}, SizingEdge::Right, {-750, 300},
                                    RecordSizingLimits(kCaption, 300)),
              (Rect{-900, 151, -601, 450}));
    // Above it the top limit would invert the window; it sizes freely instead.
    const Rect above = KeepSquareWhileSizing({-100, 0, 200, 0}, SizingEdge::Right, {50, -500},
                                             RecordSizingLimits(kCaption, -500));
    EXPECT_EQ(above, (Rect{-100, -650, 200, -350}));
    // The limit applies while its square is at least the minimum size, and not below that.
    EXPECT_EQ(KeepSquareWhileSizing({0, 0, 300, 0}, SizingEdge::Right, {150, 10},
                                    RecordSizingLimits(kCaption, 10)),
              (Rect{0, -22, 65, 43}));
    EXPECT_EQ(KeepSquareWhileSizing({0, 0, 300, 0}, SizingEdge::Right, {150, 9},
                                    RecordSizingLimits(kCaption, 9)),
              (Rect{0, -141, 300, 159}));
}

// ---- Remembered places, maximise, reset -----------------------------------------------------

const WindowPositionSettings kSaved{300, 150, 240, 240, 1, 0};

TEST(MaximisedSquare, IsTheLargestSquareCentredOnThePrimaryScreen) {
    EXPECT_EQ(MaximisedSquare(1920, 1080), (Rect{420, 0, 1500, 1080}));
    EXPECT_EQ(MaximisedSquare(1080, 1920), (Rect{0, 420, 1080, 1500}));
    EXPECT_EQ(MaximisedSquare(1921, 1080), (Rect{420, 0, 1500, 1080}));
    EXPECT_EQ(MaximisedSquare(800, 800), (Rect{0, 0, 800, 800}));
    // Failed metrics still give a window of the minimum size.
    EXPECT_EQ(Width(MaximisedSquare(0, 0)), kMinWindowSide);
}

TEST(MaximiseToggle, DoubleClicksSwitchBetweenSavedSquareAndScreenSquare) {
    WindowPositionSettings position = kSaved;
    PlacementMemory memory;
    EXPECT_EQ(ToggleMaximised(position, memory, 1920, 1080), (Rect{420, 0, 1500, 1080}));
    EXPECT_EQ(position.Window_Maximized, 1);
    EXPECT_EQ(memory.maximised, (Rect{420, 0, 1500, 1080}));
    EXPECT_EQ(ToggleMaximised(position, memory, 1920, 1080), (Rect{300, 150, 540, 390}));
    EXPECT_EQ(position, kSaved);
}

TEST(MaximiseToggle, MovingTheMaximisedSquareKeepsTheSavedPlace) {
    WindowPositionSettings position = kSaved;
    PlacementMemory memory{{}, {300, 150}};
    ToggleMaximised(position, memory, 1920, 1080);
    RecordMove(position, memory, {-500, 40}, false);
    EXPECT_EQ(memory.maximised, (Rect{-500, 40, 580, 1120}));
    EXPECT_EQ(memory.restore, (Point{300, 150}));
    EXPECT_EQ(RefreshRectangle(position, memory), memory.maximised);
    EXPECT_EQ(ToggleMaximised(position, memory, 1920, 1080), NormalRectangle(kSaved));
}

TEST(MaximiseToggle, ResizingTheMaximisedSquareKeepsTheSavedSize) {
    WindowPositionSettings position = kSaved;
    PlacementMemory memory;
    ToggleMaximised(position, memory, 1920, 1080);
    RecordSize(position, memory, 500, 500, false);
    EXPECT_EQ(memory.maximised, (Rect{420, 0, 920, 500}));
    EXPECT_EQ(position, WindowPositionSettings({300, 150, 240, 240, 1, 1}));
}

TEST(PlacementRecord, MovesAndSizesOfTheNormalWindowAreKept) {
    WindowPositionSettings position = kSaved;
    PlacementMemory memory{{}, {300, 150}};
    RecordMove(position, memory, {-1500, -20}, false);
    RecordSize(position, memory, 333, 334, false);
    EXPECT_EQ(position, WindowPositionSettings({-1500, -20, 333, 334, 1, 0}));
    EXPECT_EQ(memory.restore, (Point{-1500, -20}));
    EXPECT_EQ(RefreshRectangle(position, memory), (Rect{-1500, -20, -1167, 314}));
}

TEST(PlacementRecord, MinimisingMovesTheSavedPlaceButNotTheRestorePositionOrSize) {
    WindowPositionSettings position = kSaved;
    PlacementMemory memory{{}, {300, 150}};
    RecordMove(position, memory, {-32000, -32000}, true);
    RecordSize(position, memory, 160, 28, true);
    EXPECT_EQ(position.Window_X_Pos, -32000);
    EXPECT_EQ(position.Window_Width, 240);
    EXPECT_EQ(memory.restore, (Point{300, 150}));
    EXPECT_EQ(RefreshRectangle(position, memory), (Rect{300, 150, 540, 390}));
}

TEST(PlacementRecord, ResetPutsTheClockBackShownAt200By200) {
    WindowPositionSettings position{-7000, 9000, 3000, 64, 0, 1};
    PlacementMemory memory{{1, 2, 3, 4}, {-7000, 9000}};
    EXPECT_EQ(ResetPlacement(position, memory), (Rect{200, 200, 328, 328}));
    EXPECT_EQ(position, WindowPositionSettings({200, 200, 128, 128, 1, 0}));
    EXPECT_EQ(memory.restore, (Point{200, 200}));
    EXPECT_EQ(RefreshRectangle(position, memory), (Rect{200, 200, 328, 328}));
}

TEST(CentredOnScreen, CentresAndKeepsAnOversizedWindowsTopLeftOnScreen) {
    EXPECT_EQ(CentredOnScreen(1920, 1080, 400, 301), (Point{760, 389}));
    EXPECT_EQ(CentredOnScreen(800, 600, 1000, 700), (Point{0, 0}));
}

// ---- Off-monitor test -----------------------------------------------------------------------

TEST(OffMonitor, SharingOnePixelKeepsTheWindowOneMorePutsItOff) {
    const Rect monitors[] = {{0, 0, 1920, 1080}, {-1920, -200, 0, 880}};
    for (const Rect& m : monitors) {
        const auto at = [](int x, int y) { return NormalRectangle({x, y, 128, 100, 1, 0}); };
        const struct {
            Rect window;
            bool off;
        } cases[] = {
            {at(m.right - 1, m.top), false}, // last column shared
            {at(m.right, m.top), true},
            {at(m.left - 127, m.top), false},
            {at(m.left - 128, m.top), true},
            {at(m.left, m.bottom - 1), false},
            {at(m.left, m.bottom), true},
            {at(m.left, m.top - 99), false},
            {at(m.left, m.top - 100), true},
            {at(m.left + 500, m.top + 500), false},
            {{m.left - 10, m.top - 10, m.right + 10, m.bottom + 10}, false}, // covers it
            {at(m.right + 5000, m.bottom + 5000), true},
        };
        for (const auto& c : cases) {
            EXPECT_EQ(LiesOffMonitor(c.window, m), c.off)
                << testing::PrintToString(c.window) << " on " << testing::PrintToString(m);
        }
    }
}

// ---- Screen corners -------------------------------------------------------------------------

bool Overlaps(Point at, int w, int h, const Rect& area) {
    return at.x < area.right && at.x + w > area.left && at.y < area.bottom && at.y + h > area.top;
}

TEST(ScreenCorners, EachCornerOfTheWorkAreaTopOnesBelowACaption) {
    const struct {
        Rect work;
        int w;
        int h;
        Point topRight, bottomRight, topLeft, bottomLeft;
    } cases[] = {
        {{0, 0, 1920, 1040}, 128, 128, {1792, 23}, {1792, 912}, {0, 23}, {0, 912}},
        // A monitor left of and above the primary one.
        {{-1920, -300, 0, 780}, 200, 128, {-200, -277}, {-200, 652}, {-1920, -277}, {-1920, 652}},
        // Taskbar on the left.
        {{60, 0, 1920, 1080}, 128, 130, {1792, 23}, {1792, 950}, {60, 23}, {60, 950}},
        // A window larger than the work area still overlaps it where the formula puts it.
        {{0, 0, 100, 80}, 128, 128, {-28, 23}, {-28, -48}, {0, 23}, {0, -48}},
        // Work area no taller than the caption: the top corners stay on it.
        {{0, 0, 300, 23}, 64, 64, {236, 0}, {236, -41}, {0, 0}, {0, -41}},
        {{0, 0, 300, 24}, 64, 64, {236, 23}, {236, -40}, {0, 23}, {0, -40}},
    };
    for (const auto& c : cases) {
        const struct {
            ScreenCorner corner;
            Point expected;
        } corners[] = {
            {ScreenCorner::TopRight, c.topRight},
            {ScreenCorner::BottomRight, c.bottomRight},
            {ScreenCorner::TopLeft, c.topLeft},
            {ScreenCorner::BottomLeft, c.bottomLeft},
        };
        for (const auto& k : corners) {
            const std::optional<Point> at = CornerPosition(k.corner, c.work, c.w, c.h, kCaption);
            ASSERT_TRUE(at.has_value());
            EXPECT_EQ(*at, k.expected)
                << static_cast<int>(k.corner) << " in " << testing::PrintToString(c.work);
            EXPECT_TRUE(Overlaps(*at, c.w, c.h, c.work));
        }
    }
}

TEST(ScreenCorners, AnEmptyWorkAreaOrUnknownCornerLeavesTheWindowWhereItIs) {
    for (const Rect& work : {Rect{0, 0, 0, 1040}, Rect{0, 500, 1920, 500}, Rect{100, 0, 0, 50}}) {
        EXPECT_FALSE(CornerPosition(ScreenCorner::TopLeft, work, 128, 128, kCaption).has_value());
    }
    EXPECT_FALSE(
        CornerPosition(static_cast<ScreenCorner>(40078), {0, 0, 1920, 1040}, 128, 128, kCaption)
            .has_value());
}

} // namespace
} // namespace zentrava
