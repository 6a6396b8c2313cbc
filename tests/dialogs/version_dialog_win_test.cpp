// The version dialog in this process, from the program's own resources. Each dialog is closed
// by a posted OK as soon as it has opened, so it ends before it is ever shown: a shown dialog
// costs seconds to close under Wine without a window manager.

#include "app/gdi_count_win.h"
#include "app/program_resources_win.h"
#include "base/app_context_win.h"
#include "dialogs/version_dialog_win.h"

#include <gtest/gtest.h>

namespace zentrava {
namespace {

// Closes each dialog of this thread as soon as its WM_INITDIALOG is done.
LRESULT CALLBACK AfterInitDialog(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_INITDIALOG) {
        PostMessageA(message->hwnd, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class VersionDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(ProgramResources(), nullptr);
        Context().instance = ProgramResources();
        hook_ =
            SetWindowsHookExA(WH_CALLWNDPROCRET, &AfterInitDialog, nullptr, GetCurrentThreadId());
        ASSERT_NE(hook_, nullptr);
    }
    void TearDown() override { UnhookWindowsHookEx(hook_); }

    HHOOK hook_ = nullptr;
};

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
