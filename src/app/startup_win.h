#pragma once

#include <windows.h>

namespace zentrava {

// The whole life of the program: single instance, settings file, windows, message loop.
int RunApplication(HINSTANCE instance);

} // namespace zentrava
