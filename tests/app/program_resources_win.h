#pragma once
// The program's own resources, read from the built executable without running it.

#include "base/win_handles_win.h"

#include <windows.h>

#include <string>

namespace zentrava {

inline HINSTANCE ProgramResources() {
    static const UniqueLibrary module(
        LoadLibraryExA((std::string(ZENTRAVA_BIN_DIR) + "/Zentrava.exe").c_str(), nullptr,
                       LOAD_LIBRARY_AS_DATAFILE));
    return module.get();
}

} // namespace zentrava
