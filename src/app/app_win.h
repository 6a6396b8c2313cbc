#pragma once
// Process-wide values of the application core: set at start-up, read everywhere after.

#include "app/tick.h"
#include "app/window_behaviour.h"
#include "app/window_position.h"
#include "base/app_context_win.h"
#include "base/guarded.h"
#include "base/win_handles_win.h"
#include "face/appearance_settings.h"
#include "face/drawing_objects_win.h"
#include "face/face_geometry.h"
#include "face/hands.h"
#include "face/picture_face_win.h"
#include "face/time_bands.h"
#include "face/world_zones.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

namespace zentrava {

inline constexpr const char* kAppIdentifier = "Zentrava_Application_UserMode";
inline constexpr const char* kVendorIdentifier = "Zentrava_Application_VenderMode";
inline constexpr const char* kMainClassName = "Zentrava";
inline constexpr const char* kOwnerClassName = "ダミー";
// The tray icon's callback; WM_APP itself is the set-volume request.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 2;
// The tray clock is to be drawn afresh (RequestTrayClockRefresh).
inline constexpr UINT kTrayClockMessage = WM_APP + 11;

// What the tick and the menu refresher read of the window thread's records: published by the
// window thread whenever one of them changes (PublishWindowSnapshot), read as a consistent copy.
struct WindowSnapshot {
    int WindowDispOn = 1;
    int SecondHandDispOnOff = 1;
    int SecondHandSmooth = 0;
    int TaskTrayIconClock = 0;
    int MainCharSet = 128; // the tray tooltip's texts are cut for it
};

// The main window's own values; what features may see of the program is in AppContext.
struct App {
    std::string userName;
    std::string settingsPath;
    UniqueHandle mutex;
    HWND owner = nullptr;

    WindowPositionSettings position;
    WindowBehaviour behaviour;

    AppearanceSettings appearance;
    DrawingObjects drawing;
    // The live band table: loaded at creation, replaced only by the band page's Apply.
    TimeBands timeBands;
    // The live picture settings: loaded at creation, replaced only by the zone page's Apply.
    PictureSettings picture;
    // The picture decoded from it, with the layers made for the window's size.
    PictureFace facePicture;

    // Recomputed on every size change, read by every paint.
    FaceGeometry faceGeometry;
    HandShapes handShapes;
    TextFontHeights fontHeights;

    TickState tick;
    Guarded<WindowSnapshot> snapshot;

    // Read by the menu refresher's thread.
    std::atomic<int> modalDialog{0};
    std::atomic<int> menuIdle{1};
    int positionTracking = 1;
    UINT taskbarCreatedMessage = 0;
};

App& TheApp();

// Window thread: after any change to the records WindowSnapshot copies.
void PublishWindowSnapshot();
// Window thread: WindowDispOn, published at once.
void SetWindowShown(int on);

// The icon resource of this edition.
int AppIconId();

} // namespace zentrava
