#pragma once
// What the shortcut tests check of a link on the test prefix's desktop.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace zentrava {

// The shortcut tests write only where the prefix's own folders are: every folder from the
// drive down to the link's is a real one (Wine shows a link as a reparse point) and lies under
// WINEPREFIX.
::testing::AssertionResult InsideThePrefix(const std::string& link);

struct LinkSeen {
    std::string target, description, folder, icon;
    int iconIndex = -1;
    int show = -1;
};

// Needs COM on the calling thread.
LinkSeen ReadLink(const std::string& path);

} // namespace zentrava
