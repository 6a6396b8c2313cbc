// The version dialog in this process, from the program's own resources. Each dialog is closed
// by a posted OK as soon as it has opened, so it ends before it is ever shown: a shown dialog
// costs seconds to close under Wine without a window manager.

#include "app/gdi_count_win.h"
#include "base/app_context_win.h"
#include "base/shell_open_win.h"
#include "dialogs/version_dialog_win.h"
#include "e2e/e2e_support.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace zentrava {
namespace {

// Runs `look` on each dialog of this thread when its WM_INITDIALOG is done, then closes it.
std::function<void(HWND)>* gLook = nullptr;

LRESULT CALLBACK AfterInitDialog(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_INITDIALOG) {
        if (gLook != nullptr) {
            (*gLook)(message->hwnd);
        }
        PostMessageA(message->hwnd, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// What reached the shell.
std::vector<std::string> gOpened;

bool RecordOpen(HWND, const std::string& target) {
    gOpened.push_back(target);
    return true;
}

class VersionDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        resources_ = LoadLibraryExA(e2e::ProgramPath(e2e::kTestBuild).c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(resources_, nullptr);
        Context().instance = resources_;
        hook_ =
            SetWindowsHookExA(WH_CALLWNDPROCRET, &AfterInitDialog, nullptr, GetCurrentThreadId());
        ASSERT_NE(hook_, nullptr);
    }
    void TearDown() override {
        gLook = nullptr;
        UnhookWindowsHookEx(hook_);
        FreeLibrary(resources_);
    }

    HMODULE resources_ = nullptr;
    HHOOK hook_ = nullptr;
};

TEST_F(VersionDialogTest, LinksAreUnderlinedClickableAndSizedToTheirTexts) {
    bool looked = false;
    std::function<void(HWND)> look = [&](HWND dialog) {
        looked = true;
        for (const int id : {IDC_VERSION_WEB_LINK, IDC_VERSION_MAIL_LINK, IDC_VERSION_URL_LABEL}) {
            const HWND control = GetDlgItem(dialog, id);
            ASSERT_NE(control, nullptr) << id;
            LOGFONTA font{};
            GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)),
                       sizeof font, &font);
            EXPECT_EQ(font.lfUnderline != 0, id != IDC_VERSION_URL_LABEL) << id;
            EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET) << id;
        }
        for (const int id : {IDC_VERSION_WEB_LINK, IDC_VERSION_MAIL_LINK}) {
            const HWND link = GetDlgItem(dialog, id);
            RECT r{};
            GetWindowRect(link, &r);
            const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            EXPECT_EQ(SendMessageA(link, WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)),
                      HTCAPTION)
                << id;
            gOpened.clear();
            SendMessageA(link, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(centre.x, centre.y));
            const std::string text = e2e::WindowText(link);
            EXPECT_EQ(gOpened, std::vector<std::string>{
                                   id == IDC_VERSION_MAIL_LINK ? "mailto:" + text : text});
            // As wide as its text in its own font: the whole text shows, and nothing beside it
            // is a link.
            ASSERT_FALSE(text.empty()) << id;
            const HDC dc = GetDC(link);
            const HGDIOBJ old =
                SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(link, WM_GETFONT, 0, 0)));
            SIZE extent{};
            GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
            SelectObject(dc, old);
            ReleaseDC(link, dc);
            EXPECT_EQ(r.right - r.left, extent.cx) << id;
        }
    };
    gLook = &look;
    const ShellOpener previous = InstallShellOpener(&RecordOpen);
    RunVersionDialog(nullptr);
    InstallShellOpener(previous);
    EXPECT_TRUE(looked);
}

// Twenty openings: a font or an icon kept by each would show twenty times.
TEST_F(VersionDialogTest, OpeningsLeaveNoGdiObjectBehind) {
    if (LiveGdiObjects() < 0) {
        GTEST_SKIP() << "no way to count GDI objects here";
    }
    RunVersionDialog(nullptr); // the platform's own caches fill on the first one
    const long before = LiveGdiObjects();
    for (int i = 0; i < 20; ++i) {
        RunVersionDialog(nullptr);
    }
    EXPECT_EQ(LiveGdiObjects(), before);
}

} // namespace
} // namespace zentrava
