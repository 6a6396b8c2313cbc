// The download as a Windows user gets it: CTest's package_zip step has made the zip with cpack
// and unpacked it into an empty folder; the exe found there starts, and its version dialog shows
// the version the zip is named after. The shipped program runs here, so its links stay unclicked.

#include "e2e/sheet_support.h"
#include "resources/commands.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentrava::e2e {
namespace {

TEST(Download, UnpackedIntoAnEmptyFolderItStartsAndShowsTheVersionOfTheZipsName) {
    std::string folder = ProgramPath(kShipped);
    folder.erase(folder.rfind('\\') + 1);
    folder += "package_check\\";
    const std::vector<std::string> zips = ListFiles(folder, "Zentrava-*-win64.zip");
    ASSERT_EQ(zips.size(), 1u) << "run CTest's package_zip first";
    const std::string zipVersion =
        zips[0].substr(9, zips[0].size() - 9 - std::string("-win64.zip").size());

    ZentravaSession session;
    // The settings file that Launch writes first only keeps the clock off the time servers.
    session.UseInPlace(folder + "unpacked\\" + kShipped);
    ASSERT_TRUE(session.Launch()) << session.lastError();
    ASSERT_NE(session.WaitForMainWindow(), nullptr) << session.lastError();
    session.Post(WM_COMMAND, kCmdAbout, 0);
    const HWND dialog = WaitForDialog(session, "バージョン情報");
    ASSERT_NE(dialog, nullptr);

    const std::string line = WindowText(GetDlgItem(dialog, IDC_VERSION_LINE));
    const std::size_t open = line.rfind('(');
    ASSERT_NE(open, std::string::npos) << line;
    const std::string longVersion = line.substr(open + 1, line.size() - open - 2);
    // The resource has four numbers where the project may give three.
    EXPECT_TRUE(longVersion == zipVersion || longVersion == zipVersion + ".0")
        << line << " / " << zips[0];

    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([dialog] { return !IsWindow(dialog); }));
    ExpectClosesCleanly(session);
}

} // namespace
} // namespace zentrava::e2e
