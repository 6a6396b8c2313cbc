#include "app/program_resources_win.h"
#include "base/app_context_win.h"
#include "base/win_handles_win.h"
#include "resources/resource.h"
#include "timesync/time_entry_edit_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace zentrava {
namespace {

bool PutOnClipboard(HWND owner, const char* text) {
    for (int attempt = 0; attempt < 50 && !OpenClipboard(owner); ++attempt) {
        Sleep(20);
    }
    EmptyClipboard();
    const std::size_t size = std::strlen(text) + 1;
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), text, size);
    GlobalUnlock(memory);
    const bool put = SetClipboardData(CF_TEXT, memory) != nullptr;
    CloseClipboard();
    return put;
}

std::string ClipboardText(HWND owner) {
    for (int attempt = 0; attempt < 50 && !OpenClipboard(owner); ++attempt) {
        Sleep(20);
    }
    std::string text;
    if (const HANDLE data = GetClipboardData(CF_TEXT); data != nullptr) {
        text = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void SetShift(bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&msg);
    }
}

class TimeEntryEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent_.reset(CreateWindowExA(0, "STATIC", "", WS_POPUP, 200, 200, 200, 120, nullptr,
                                      nullptr, nullptr, nullptr));
        hour_ = MakeEdit(30);
        plain_ = MakeEdit(70);
        ASSERT_TRUE(AttachTimeEntryEdit(hour_, TimeEntryField::Hour));
    }
    void TearDown() override {
        DetachTimeEntryEdit(hour_);
        parent_.reset();
        Context().instance = nullptr;
    }
    HWND MakeEdit(int y) {
        const HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 20, y,
                                          60, 24, parent_.get(), nullptr, nullptr, nullptr);
        SendMessageA(edit, EM_LIMITTEXT, 2, 0);
        return edit;
    }
    static std::string Type(HWND edit, const char* text, int start, int end, WPARAM typed) {
        SetWindowTextA(edit, text);
        SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(start), end);
        SendMessageA(edit, WM_CHAR, typed, 1);
        char now[16] = {};
        GetWindowTextA(edit, now, sizeof now);
        return now;
    }

    UniqueWindow parent_;
    HWND hour_ = nullptr;
    HWND plain_ = nullptr;
};

TEST_F(TimeEntryEditTest, HourTakesOnlyDigitsWithinItsRangeAndBackspace) {
    EXPECT_EQ(Type(hour_, "2", 1, 1, '3'), "23");
    EXPECT_EQ(Type(hour_, "2", 1, 1, '4'), "2");
    EXPECT_EQ(Type(hour_, "23", 2, 2, '\b'), "2");
    EXPECT_EQ(Type(hour_, "2", 1, 1, 'a'), "2");
    EXPECT_EQ(Type(hour_, "2", 1, 1, '.'), "2");
    // Attaching again must not make the edit its own previous procedure.
    ASSERT_TRUE(AttachTimeEntryEdit(hour_, TimeEntryField::Minute));
    EXPECT_EQ(Type(hour_, "2", 1, 1, '4'), "24");
    DetachTimeEntryEdit(hour_);
    EXPECT_EQ(Type(hour_, "2", 1, 1, 'a'), "2a");
}

TEST_F(TimeEntryEditTest, NoWayOfPastingReachesTheEdit) {
    ASSERT_TRUE(PutOnClipboard(parent_.get(), "99"));
    const struct {
        const char* what;
        UINT message;
        WPARAM wParam;
        bool shift;
    } pastes[] = {
        {"WM_PASTE", WM_PASTE, 0, false},
        {"Ctrl+V", WM_CHAR, 0x16, false},
        {"Shift+Insert", WM_KEYDOWN, VK_INSERT, true},
    };
    for (const auto& paste : pastes) {
        for (const HWND edit : {plain_, hour_}) {
            SetWindowTextA(edit, "1");
            SendMessageA(edit, EM_SETSEL, 0, -1);
            SetShift(paste.shift);
            SendMessageA(edit, paste.message, paste.wParam, 1);
            SetShift(false);
            char now[16] = {};
            GetWindowTextA(edit, now, sizeof now);
            // The plain edit shows that the key really pastes here.
            EXPECT_STREQ(now, edit == plain_ ? "99" : "1") << paste.what;
        }
    }
}

struct MenuProbe {
    HWND edit = nullptr;
    RECT menuRect{};
    int items = -1;
    UINT firstId = 0;
};
MenuProbe* g_menuProbe = nullptr;

// Runs inside the menu's own loop: looks at the open menu, then picks its first item.
void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const HWND menuWindow = FindWindowA("#32768", nullptr);
    if (menuWindow == nullptr || g_menuProbe == nullptr) {
        EndMenu();
        return;
    }
    GetWindowRect(menuWindow, &g_menuProbe->menuRect);
    const auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    g_menuProbe->items = GetMenuItemCount(menu);
    g_menuProbe->firstId = GetMenuItemID(menu, 0);
    PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
}

void CALLBACK RescueMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    EndMenu();
}

TEST_F(TimeEntryEditTest, CopyMenuOpensAtTheMouseOrUnderTheEditAndCopiesTheSelection) {
    Context().instance = ProgramResources();
    if (Context().instance == nullptr ||
        !UniqueMenu(LoadMenuA(Context().instance, MAKEINTRESOURCEA(IDR_MENU_EDIT_COPY)))) {
        GTEST_SKIP() << "Zentrava.exe has no menu 111";
    }
    RECT editRect{};
    GetWindowRect(hour_, &editRect);
    const struct {
        const char* how;
        LPARAM lParam;
        POINT expected;
    } openings[] = {
        {"mouse", MAKELPARAM(150, 160), {150, 160}},
        {"keyboard", -1, {editRect.left, editRect.bottom}},
    };
    for (const auto& opening : openings) {
        ASSERT_TRUE(PutOnClipboard(parent_.get(), "none"));
        SetWindowTextA(hour_, "23");
        SendMessageA(hour_, EM_SETSEL, 1, 2);
        MenuProbe probe;
        g_menuProbe = &probe;
        SetTimer(nullptr, 0, 300, &LookAtMenu);
        const UINT_PTR rescue = SetTimer(nullptr, 0, 4000, &RescueMenu);
        SendMessageA(hour_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hour_), opening.lParam);
        KillTimer(nullptr, rescue);
        g_menuProbe = nullptr;
        Pump();

        EXPECT_EQ(probe.items, 1) << opening.how;
        EXPECT_EQ(probe.firstId, static_cast<UINT>(ID_CMD_EDIT_COPY)) << opening.how;
        EXPECT_EQ(probe.menuRect.left, opening.expected.x) << opening.how;
        EXPECT_EQ(probe.menuRect.top, opening.expected.y) << opening.how;
        EXPECT_EQ(ClipboardText(parent_.get()), "3") << opening.how;
    }
}

} // namespace
} // namespace zentrava
