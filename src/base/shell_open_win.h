#pragma once
// The one door to the desktop's default programs (browser, mail): the test build records the
// request in the event log ("open <target>") instead of starting anything.

#include <windows.h>

#include <string>

namespace zentrava {

using ShellOpener = bool (*)(HWND owner, const std::string& target);

// Returns the opener it replaces.
ShellOpener InstallShellOpener(ShellOpener opener);
bool OpenInShell(HWND owner, const std::string& target);

} // namespace zentrava
