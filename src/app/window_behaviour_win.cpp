#include "app/window_behaviour_win.h"

#include "app/app_win.h"
#include "app/placement.h"
#include "app/proximity.h"
#include "app/window_behaviour.h"
#include "resources/commands.h"

#include <windowsx.h>

namespace zentrava {

namespace {

// Run-time placement and behaviour state; all of it lives on the window thread.
struct BehaviourState {
    PlacementMemory memory;
    bool lastHitInsideFace = false;
    bool moving = false;
    bool firstSizingStepDone = false;
    SizingLimits sizingLimits;
    bool opacityChanged = false;
    ShowWhenNearState showWhenNear = ShowWhenNearState::Restarted;
    HideWhenNearState hideWhenNear = HideWhenNearState::Restarted;
};

BehaviourState& State() {
    static BehaviourState state;
    return state;
}

constexpr const char* kAllBlackRefusal =
    "現在の各種の色の設定ではアナログ時計画面を透明化すると\n時計画面が完全に透過してしまいます。";

bool LayeringAvailable() {
    return Context().platformMajor >= static_cast<unsigned>(kLayeringPlatformMajor);
}

LayerColours CurrentLayerColours() {
    const AppearanceSettings& a = TheApp().appearance;
    return {a.font.TextColor, a.colors.ClockFaceColor, a.colors.SecondHandColor,
            a.colors.BackGroundColor};
}

Point FaceCentreOnScreen(HWND hwnd) {
    const FaceGeometry& g = TheApp().faceGeometry;
    POINT centre{g.cx, g.cy};
    ClientToScreen(hwnd, &centre);
    return {centre.x, centre.y};
}

void MoveTo(HWND hwnd, const Rect& r, UINT flags) {
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
}

void SetExStyle(HWND hwnd, LONG_PTR bits, bool on) {
    const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
    SetWindowLongPtrA(hwnd, GWL_EXSTYLE, on ? style | bits : style & ~bits);
}

void SetLayered(HWND hwnd, const LayeredAttributes& a) {
    DWORD flags = 0;
    if (a.useColourKey) {
        flags |= LWA_COLORKEY;
    }
    if (a.useAlpha) {
        flags |= LWA_ALPHA;
    }
    SetLayeredWindowAttributes(hwnd, static_cast<COLORREF>(a.colourKey), a.alpha, flags);
}

// A one-pixel resize and back: the window is laid out and repainted whole, which a layered
// window whose attributes just changed does not always do by itself.
void RefreshWindow(HWND hwnd) {
    const Rect r = RefreshRectangle(TheApp().position, State().memory);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    MoveWindow(hwnd, r.left, r.top, width, height + 1, TRUE);
    MoveWindow(hwnd, r.left, r.top, width, height, TRUE);
}

void ShowNormally(HWND hwnd) {
    const App& app = TheApp();
    if (app.behaviour.WindowCtrlKeyDownLayeredCancelSetting == 1) {
        if (app.behaviour.WindowMouseLayer == 1) {
            SetExStyle(hwnd, WS_EX_TRANSPARENT, true);
        }
        SendMessageA(hwnd, WM_COMMAND, kCmdApplyLayer, 0);
    }
    ShowWindow(hwnd, SW_SHOWNA);
}

void ShowOpaque(HWND hwnd) {
    if (TheApp().behaviour.WindowCtrlKeyDownLayeredCancelSetting == 1) {
        SetExStyle(hwnd, WS_EX_TRANSPARENT, false);
        SendMessageA(hwnd, WM_COMMAND, kCmdApplyOpaqueLayer, 0);
    }
    ShowWindow(hwnd, SW_SHOWNA);
}

void Carry(HWND hwnd, ProximityAction action) {
    switch (action) {
    case ProximityAction::Hide:
        ShowWindow(hwnd, SW_HIDE);
        break;
    case ProximityAction::ShowNormal:
        ShowNormally(hwnd);
        break;
    case ProximityAction::ShowOpaque:
        ShowOpaque(hwnd);
        break;
    case ProximityAction::None:
        break;
    }
}

} // namespace

void StartPlacement() {
    const WindowPositionSettings& p = TheApp().position;
    State().memory.restore = {p.Window_X_Pos, p.Window_Y_Pos};
    State().memory.maximised = NormalRectangle(p);
}

void ApplySavedMaximised(HWND hwnd) {
    if (TheApp().position.Window_Maximized != 1) {
        return;
    }
    const Rect square =
        MaximisedSquare(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    State().memory.maximised = square;
    MoveTo(hwnd, square, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT FaceHitTest(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    BehaviourState& state = State();
    const LRESULT code = DefWindowProcA(hwnd, WM_NCHITTEST, wParam, lParam);
    if (code != HTCLIENT) {
        state.lastHitInsideFace = false;
        return code;
    }
    POINT cursor{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(hwnd, &cursor);
    const FaceGeometry& g = TheApp().faceGeometry;
    const FaceHit hit = HitTestFace({cursor.x, cursor.y}, {g.cx, g.cy}, g.R);
    if (hit == FaceHit::Caption) {
        state.lastHitInsideFace = true;
    }
    return static_cast<LRESULT>(hit);
}

bool LastHitInsideFace() {
    return State().lastHitInsideFace;
}

void KeepSquareWhileSizing(HWND hwnd, WPARAM edge, RECT* rect) {
    BehaviourState& state = State();
    state.moving = true;
    const Point centre = FaceCentreOnScreen(hwnd);
    if (!state.firstSizingStepDone) {
        state.firstSizingStepDone = true;
        state.sizingLimits = RecordSizingLimits(GetSystemMetrics(SM_CYCAPTION), centre.y);
    }
    const Rect squared =
        KeepSquareWhileSizing({rect->left, rect->top, rect->right, rect->bottom},
                              static_cast<SizingEdge>(edge), centre, state.sizingLimits);
    *rect = RECT{squared.left, squared.top, squared.right, squared.bottom};
}

void MarkWindowMoving() {
    State().moving = true;
}

void EndSizeMove() {
    State().moving = false;
    State().firstSizingStepDone = false;
}

void RecordMove(HWND hwnd) {
    App& app = TheApp();
    RECT r;
    if (app.positionTracking != 1 || !GetWindowRect(hwnd, &r)) {
        return;
    }
    zentrava::RecordMove(app.position, State().memory, {r.left, r.top}, IsIconic(hwnd) != FALSE);
}

void RecordSizeAndRegion(HWND hwnd, WPARAM sizeType) {
    RECT client;
    GetClientRect(hwnd, &client);
    // One pixel more to the right and below, or the ellipse would shave the face's last column
    // and row. The system owns the region once it is set and deletes the one it replaces.
    const RECT box{0, 0, client.right + 1, client.bottom + 1};
    if (HRGN region = CreateEllipticRgnIndirect(&box)) {
        if (SetWindowRgn(hwnd, region, TRUE) == 0) {
            DeleteObject(region);
        }
    }
    RECT window;
    if (GetWindowRect(hwnd, &window)) {
        RecordSize(TheApp().position, State().memory, window.right - window.left,
                   window.bottom - window.top, sizeType == SIZE_MINIMIZED);
    }
}

void DeleteWindowRegion(HWND hwnd) {
    SetWindowRgn(hwnd, nullptr, FALSE);
}

void ToggleMaximisedSquare(HWND hwnd) {
    const Rect r = ToggleMaximised(TheApp().position, State().memory, GetSystemMetrics(SM_CXSCREEN),
                                   GetSystemMetrics(SM_CYSCREEN));
    MoveTo(hwnd, r, SWP_NOZORDER);
    UpdateWindow(hwnd);
}

void ResetPlacement(HWND hwnd) {
    const Rect r = ResetPlacement(TheApp().position, State().memory);
    MoveWindow(hwnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    RestartProximity();
}

void MoveToCorner(HWND hwnd, int command) {
    RECT work{};
    RECT window{};
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0) && GetWindowRect(hwnd, &window)) {
        const int width = window.right - window.left;
        const int height = window.bottom - window.top;
        if (const auto at = CornerPosition(static_cast<ScreenCorner>(command),
                                           {work.left, work.top, work.right, work.bottom}, width,
                                           height, GetSystemMetrics(SM_CYCAPTION))) {
            SetWindowPos(hwnd, nullptr, at->x, at->y, width, height, SWP_SHOWWINDOW);
        } else {
            ShowWindow(hwnd, SW_SHOWNA);
        }
    }
    SetWindowShown(1);
}

bool PlacementOffEveryMonitor() {
    const Rect r = NormalRectangle(TheApp().position);
    const RECT saved{r.left, r.top, r.right, r.bottom};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromRect(&saved, MONITOR_DEFAULTTONEAREST), &info)) {
        return false;
    }
    const RECT& m = info.rcMonitor;
    return LiesOffMonitor(r, {m.left, m.top, m.right, m.bottom});
}

void ApplyLayeredStyle(HWND hwnd) {
    const App& app = TheApp();
    State().opacityChanged = OpacityChanged(app.behaviour);
    if (!LayeringAvailable()) {
        return;
    }
    SetExStyle(hwnd, WS_EX_LAYERED, true);
    if (app.behaviour.WindowMouseLayer == 1) {
        SetExStyle(hwnd, WS_EX_TRANSPARENT, true);
    }
}

void ApplyTransparency(HWND hwnd) {
    if (!LayeringAvailable()) {
        return;
    }
    const App& app = TheApp();
    const LayerColours colours = CurrentLayerColours();
    auto attributes = TransparencyAttributes(app.behaviour, colours, State().opacityChanged);
    if (!attributes) {
        MessageBoxA(hwnd, kAllBlackRefusal, kAppCaption, MB_OK);
        // A layered window without attributes is never drawn: keep the opacity alone.
        WindowBehaviour withoutKey = app.behaviour;
        withoutKey.WindowLayer = 0;
        attributes = TransparencyAttributes(withoutKey, colours, State().opacityChanged);
    }
    SetLayered(hwnd, *attributes);
    RefreshWindow(hwnd);
}

void ApplyLayering(HWND hwnd, bool opaque) {
    if (!LayeringAvailable()) {
        return;
    }
    const App& app = TheApp();
    State().opacityChanged = true;
    SetExStyle(hwnd, WS_EX_LAYERED, true);
    const LayerColours colours = CurrentLayerColours();
    SetLayered(hwnd, opaque ? OpaqueLayerAttributes(app.behaviour, colours)
                            : ConfiguredLayerAttributes(app.behaviour, colours));
    RefreshWindow(hwnd);
}

void ApplyOpacity(HWND hwnd) {
    if (!LayeringAvailable()) {
        return;
    }
    State().opacityChanged = true;
    if ((GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED) == 0) {
        SetExStyle(hwnd, WS_EX_LAYERED, true);
    }
    SetLayered(hwnd, ConfiguredLayerAttributes(TheApp().behaviour, CurrentLayerColours()));
}

void RestartProximity() {
    State().showWhenNear = ShowWhenNearState::Restarted;
    State().hideWhenNear = HideWhenNearState::Restarted;
}

void StartProximityTimer(HWND hwnd) {
    if (TheApp().behaviour.WindowHideSetting == 1) {
        RestartProximity();
        SetTimer(hwnd, kTimerProximity, 10, nullptr);
    } else {
        KillTimer(hwnd, kTimerProximity);
    }
}

void RunProximityCheck(HWND hwnd) {
    const App& app = TheApp();
    if (app.behaviour.WindowHideSetting != 1 || app.position.WindowDispOn != 1) {
        return;
    }
    BehaviourState& state = State();
    POINT cursor{};
    RECT client{};
    if (!GetCursorPos(&cursor) || !ScreenToClient(hwnd, &cursor) || !GetClientRect(hwnd, &client)) {
        return;
    }
    // The key as it is now, wherever it was pressed: a hidden clock receives no input, so the
    // key state of this thread's queue would never change while it is hidden.
    const ProximityInput input{
        CursorInsideClient({cursor.x, cursor.y},
                           {client.left, client.top, client.right, client.bottom}),
        GetAsyncKeyState(VK_CONTROL) < 0, app.menuIdle == 0, state.moving};
    if (app.behaviour.WindowShowHideSetting == 1) {
        const auto step = StepShowWhenNear(state.showWhenNear, input);
        state.showWhenNear = step.state;
        Carry(hwnd, step.action);
    } else {
        const auto step = StepHideWhenNear(state.hideWhenNear, input);
        state.hideWhenNear = step.state;
        Carry(hwnd, step.action);
    }
}

} // namespace zentrava
