#pragma once
// The clock window's placement and behaviour as the window thread carries them out: the round
// face with its rim handles, square sizing, the remembered places and the round region, the
// maximised square, corners and reset, layering and transparency, and hiding or showing as the
// mouse comes near. The decisions live in placement.h, proximity.h and window_behaviour.h.

#include <windows.h>

namespace zentrava {

// Creation: the remembered places start from the loaded placement keys.
void StartPlacement();
// First showing: a clock saved maximised takes the maximised square of this screen.
void ApplySavedMaximised(HWND hwnd);

// WM_NCHITTEST: the default code, turned into a rim handle or a caption hit inside the client.
LRESULT FaceHitTest(HWND hwnd, WPARAM wParam, LPARAM lParam);
// True when the last hit test turned a client hit into a caption hit.
bool LastHitInsideFace();

void KeepSquareWhileSizing(HWND hwnd, WPARAM edge, RECT* rect);
void MarkWindowMoving();
void EndSizeMove();

void RecordMove(HWND hwnd);
// WM_SIZE after the face is laid out again: the round region and the saved size.
void RecordSizeAndRegion(HWND hwnd, WPARAM sizeType);
void DeleteWindowRegion(HWND hwnd);

void ToggleMaximisedSquare(HWND hwnd);
void ResetPlacement(HWND hwnd);
void MoveToCorner(HWND hwnd, int command);
// The saved rectangle shares no pixel with the monitor nearest to it.
bool PlacementOffEveryMonitor();

// Creation: the layered style (and click-through) where the platform has them.
void ApplyLayeredStyle(HWND hwnd);
// Creation and its command: the colour key and opacity, or the refusal for all-black colours.
void ApplyTransparency(HWND hwnd);
// The configured layering, or the same fully opaque (the Ctrl override and the watchdog).
void ApplyLayering(HWND hwnd, bool opaque);
// The opacity slider: the configured layering with its new alpha, the window left as it is (a
// new alpha needs no new layout, and refreshing would lay the face out twice per step).
void ApplyOpacity(HWND hwnd);

// The proximity states start over: the next check acts whatever it finds.
void RestartProximity();
// Starts or stops the 10 ms proximity timer as the behaviour is switched on or off.
void StartProximityTimer(HWND hwnd);
void RunProximityCheck(HWND hwnd);

} // namespace zentrava
