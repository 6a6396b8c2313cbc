// The version dialog as the user meets it in the test build: the version line comes from the
// build, and a real click on either link opens it through the shell opener (which the test build
// only records) without dragging the link about the dialog.

#include "app/program_resources_win.h"
#include "e2e/sheet_support.h"
#include "resources/commands.h"
#include "resources/resource.h"
#include "zentrava_version.h"

#include <gtest/gtest.h>

#include <string>

namespace zentrava::e2e {
namespace {

constexpr const char* kVersionCaption = "バージョン情報";

std::string ResourceText(UINT id) {
    char text[129] = {};
    LoadStringA(ProgramResources(), id, text, static_cast<int>(sizeof text));
    return text;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(VersionDialog, ShowsTheBuildsVersionAndAClickOpensEachLinkWhereItStands) {
    ZentravaSession session;
    ASSERT_TRUE(StartCopy(session, kTestBuild, "Zentrava"));
    session.Post(WM_COMMAND, kCmdAbout, 0);
    const HWND dialog = WaitForDialog(session, kVersionCaption);
    ASSERT_NE(dialog, nullptr);
    Screenshot(dialog, "version_dialog.bmp");

    const std::string line = WindowText(GetDlgItem(dialog, IDC_VERSION_LINE));
    const std::string shortVersion = std::to_string(ZENTRAVA_VERSION_MAJOR) + "." +
                                     std::to_string(ZENTRAVA_VERSION_MINOR) +
                                     std::to_string(ZENTRAVA_VERSION_PATCH);
    EXPECT_NE(line.find(" " + shortVersion + " (" ZENTRAVA_VERSION_TEXT ")"), std::string::npos)
        << line;

    const struct {
        int id;
        std::string target;
    } links[] = {
        {IDC_VERSION_WEB_LINK, ResourceText(IDS_WEB_ADDRESS)},
        {IDC_VERSION_MAIL_LINK, "mailto:" + ResourceText(IDS_MAIL_ADDRESS)},
    };
    for (const auto& link : links) {
        const HWND control = GetDlgItem(dialog, link.id);
        ASSERT_NE(control, nullptr) << link.id;
        RECT before{};
        GetWindowRect(control, &before);
        const POINT centre{(before.left + before.right) / 2, (before.top + before.bottom) / 2};
        // A static without SS_NOTIFY answers HTTRANSPARENT, and the click goes to the dialog.
        EXPECT_EQ(SendMessageA(control, WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)), HTCAPTION)
            << link.id;
        // Pressed, moved and let go: a caption click passed on would drag the control along.
        SendMouse(0, centre);
        SendMouse(MOUSEEVENTF_LEFTDOWN, centre);
        SendMouse(0, POINT{centre.x + 30, centre.y + 15});
        SendMouse(MOUSEEVENTF_LEFTUP, POINT{centre.x + 30, centre.y + 15});
        const std::string log = session.WaitForLogLine("open " + link.target);
        EXPECT_EQ(Count(log, "open " + link.target), 1u) << link.target;
        // The program takes the input in its own time: a drag would show within this wait.
        RECT after{};
        EXPECT_FALSE(WaitFor(
            [&] {
                GetWindowRect(control, &after);
                return !SameRect(before, after);
            },
            500))
            << link.id << " moved";
    }
    for (const MessageBoxInfo& box : session.MessageBoxes()) {
        EXPECT_EQ(box.hwnd, dialog) << "a box " << box.caption << ": " << box.text;
    }
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([dialog] { return !IsWindow(dialog); }));
    ExpectClosesCleanly(session);
}

} // namespace
} // namespace zentrava::e2e
