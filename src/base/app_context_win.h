#pragma once
// What every feature may know of the running program: its instance, the settings file, the
// platform's version and the main window. Set once at start-up by the application, read by
// the features after; nothing here knows any feature.

#include "base/settings_store.h"

#include <windows.h>

#include <memory>

namespace zentrava {

inline constexpr const char* kAppCaption = "Zentrava";

struct AppContext {
    HINSTANCE instance = nullptr;
    unsigned platformMajor = 0;
    std::unique_ptr<SettingsStore> settings;
    HWND main = nullptr;

    // Balloons exist from platform version 5 on.
    bool BalloonsSupported() const { return platformMajor >= 5; }
};

AppContext& Context();

// A handler reached from the tick (SendTickRequest) must let the tick go on before it opens a
// message box or a dialog. Anything sent from elsewhere gets its answer when the handler is
// done: a sender in another process may end the program once it has its answer.
void ReleaseSender();

// Moves a dialog so that it is centred on the primary screen, keeping its size.
void CentreWindow(HWND hwnd);

} // namespace zentrava
