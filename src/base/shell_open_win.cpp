#include "base/shell_open_win.h"

namespace zentrava {

ShellOpener InstallShellOpener(ShellOpener opener) {
    return opener;
}

bool OpenInShell(HWND, const std::string&) {
    return false;
}

} // namespace zentrava
