#pragma once
// What the end-to-end tests of the settings sheet's pages share: opening the sheet, typing
// into a page, Apply and closing, the program's message boxes and screenshots.

#include "e2e/e2e_support.h"
#include "resources/commands.h"

#include <commctrl.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace zentrava::e2e {

inline constexpr const char* kSettingsCaption = "アラーム、時報、オーディオ、時間帯、その他の設定";

inline HWND WaitForDialog(const ZentravaSession& session, const std::string& caption) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindDialog(session, caption)) != nullptr; });
    return found;
}

inline HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// The settings sheet of a running copy, opened on the page its settings file names.
struct OpenSheet {
    HWND sheet = nullptr;
    HWND page = nullptr;
};

inline OpenSheet OpenSettings(ZentravaSession& session) {
    OpenSheet open;
    session.Post(WM_COMMAND, kCmdSettingsSheet, 0);
    open.sheet = WaitForDialog(session, kSettingsCaption);
    if (open.sheet != nullptr) {
        open.page = CurrentPage(open.sheet);
    }
    return open;
}

inline void Type(HWND page, int control, const char* text) {
    SendMessageA(GetDlgItem(page, control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

inline std::string Text(HWND page, int control) {
    return WindowText(GetDlgItem(page, control));
}

// The press arrives as a posted click, after any sent message: wait until the apply has run,
// which leaves the sheet's Apply button (0x3021) disabled again.
inline void PressApply(HWND sheet) {
    SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    HWND apply = GetDlgItem(sheet, 0x3021);
    WaitFor([apply] { return apply == nullptr || !IsWindowEnabled(apply); }, 3000);
    SendMessageA(sheet, WM_NULL, 0, 0);
}

// The window with the keyboard focus in the thread of `window` (another process's too).
inline HWND FocusOf(HWND window) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui) ? gui.hwndFocus
                                                                             : nullptr;
}

inline bool CloseSheet(HWND sheet, int button) {
    PostMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
    return WaitFor([sheet] { return !IsWindow(sheet); }, 3000);
}

inline void Screenshot(HWND window, const char* name) {
    if (const char* dir = std::getenv("ZENTRAVA_SCREENSHOT_DIR")) {
        Sleep(200); // let the page paint
        RECT r{};
        GetWindowRect(window, &r);
        SaveScreenBmp(std::string(dir) + "\\" + name, r);
    }
}

// A message box of the program with our caption (the sheet itself is a dialog too).
inline std::optional<MessageBoxInfo> WaitForProgramMessage(const ZentravaSession& session) {
    std::optional<MessageBoxInfo> box;
    WaitFor([&] {
        for (const MessageBoxInfo& info : session.MessageBoxes()) {
            if (info.caption == "Zentrava") {
                box = info;
                return true;
            }
        }
        return false;
    });
    return box;
}

} // namespace zentrava::e2e
