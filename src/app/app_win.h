#pragma once
// Process-wide values of the application core: set at start-up, read everywhere after.

#include "app/appearance_settings.h"
#include "app/drawing_objects_win.h"
#include "app/settings_store.h"
#include "app/tick.h"
#include "app/win_handles_win.h"
#include "app/window_behaviour.h"
#include "app/window_position.h"
#include "clock/clock_keeper.h"
#include "face/face_geometry.h"
#include "face/hands.h"

#include <windows.h>

#include <memory>
#include <string>

namespace zentrava {

inline constexpr const char* kAppIdentifier = "Zentrava_Application_UserMode";
inline constexpr const char* kVendorIdentifier = "Zentrava_Application_VenderMode";
inline constexpr const char* kMainClassName = "Zentrava";
inline constexpr const char* kOwnerClassName = "ダミー";
inline constexpr const char* kAppCaption = "Zentrava";
// The tray icon's callback; WM_APP itself is the set-volume request.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 2;

struct App {
    HINSTANCE instance = nullptr;
    unsigned platformMajor = 0;
    std::string userName;
    std::string settingsPath;
    std::unique_ptr<SettingsStore> settings;
    UniqueHandle mutex;
    HWND owner = nullptr;
    HWND main = nullptr;
    // Windows that take dialog keys in the message loop; null while they do not exist.
    HWND notificationWindow = nullptr;
    HWND quickTimerWindow = nullptr;

    WindowPositionSettings position;
    WindowBehaviour behaviour;

    AppearanceSettings appearance;
    VolumeSettings volumes;
    UniqueFont mainFont;
    DrawingObjects drawing;

    // Recomputed on every size change, read by every paint.
    FaceGeometry faceGeometry;
    HandShapes handShapes;
    TextFontHeights fontHeights;

    ClockKeeper clocks;
    TickState tick;

    int modalDialog = 0;
    int menuIdle = 1;
    int positionTracking = 1;
    UINT taskbarCreatedMessage = 0;
};

App& TheApp();

// The icon resource of this edition.
int AppIconId();

} // namespace zentrava
