#include "dialogs/drop_files_win.h"

#include <shlobj.h>

#include <cstring>

namespace zentrava {

HDROP MakeDrop(const std::vector<std::string>& paths) {
    std::string names;
    for (const std::string& path : paths) {
        names += path;
        names += '\0';
    }
    names += '\0';
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

bool DropFreed(HDROP drop) {
    return GlobalSize(drop) == 0;
}

} // namespace zentrava
