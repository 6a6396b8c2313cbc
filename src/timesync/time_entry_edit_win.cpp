#include "timesync/time_entry_edit_win.h"

#include "base/app_context_win.h"
#include "base/win_handles_win.h"
#include "resources/resource.h"

#include <windowsx.h>

#include <string>

namespace zentrava {

namespace {

// The edit's own procedure and its field live on the edit itself, so that nothing has to be
// looked up or cleaned up apart from the window.
constexpr const char* kPreviousProcProp = "Zentrava.TimeEntry.Proc";
constexpr const char* kFieldProp = "Zentrava.TimeEntry.Field";

LRESULT CALLBACK TimeEntryEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

WNDPROC PreviousProc(HWND edit) {
    return reinterpret_cast<WNDPROC>(GetPropA(edit, kPreviousProcProp));
}

// Stored one above the enumerator, as a property of 0 reads the same as none.
TimeEntryField FieldOf(HWND edit) {
    const auto stored = reinterpret_cast<INT_PTR>(GetPropA(edit, kFieldProp));
    return static_cast<TimeEntryField>(stored - 1);
}

LRESULT PassOn(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC previous = PreviousProc(edit);
    return previous != nullptr ? CallWindowProcA(previous, edit, message, wParam, lParam)
                               : DefWindowProcA(edit, message, wParam, lParam);
}

bool OurProcIsCurrent(HWND edit) {
    return GetWindowLongPtrA(edit, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&TimeEntryEditProc);
}

void Unhook(HWND edit) {
    const WNDPROC previous = PreviousProc(edit);
    if (previous == nullptr) {
        return;
    }
    // Someone who subclassed the edit after us would be cut off by putting the old one back;
    // our procedure then stays, passing everything on, until the edit is destroyed.
    if (!OurProcIsCurrent(edit)) {
        return;
    }
    SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropA(edit, kPreviousProcProp);
    RemovePropA(edit, kFieldProp);
}

bool OnChar(HWND edit, char typed) {
    char text[33] = {};
    GetWindowTextA(edit, text, sizeof text);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return JudgeTimeEntryChar(FieldOf(edit), text, static_cast<int>(start), static_cast<int>(end),
                              typed)
        .passOn;
}

// A menu opened from the keyboard (Shift+F10, the menu key) has no mouse position: it opens
// just below the edit, where the user is looking.
POINT MenuPosition(HWND edit, LPARAM lParam) {
    if (GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1) {
        RECT rect{};
        GetWindowRect(edit, &rect);
        return POINT{rect.left, rect.bottom};
    }
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

void OnContextMenu(HWND edit, LPARAM lParam) {
    const HINSTANCE resources =
        Context().instance != nullptr ? Context().instance : GetModuleHandleA(nullptr);
    const UniqueMenu menu(LoadMenuA(resources, MAKEINTRESOURCEA(IDR_MENU_EDIT_COPY)));
    const HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr;
    const POINT at = MenuPosition(edit, lParam);
    if (popup == nullptr || !TrackPopupMenuEx(popup, TPM_RIGHTBUTTON, at.x, at.y, edit, nullptr)) {
        MessageBoxA(edit, "ポップアップメニューの表示が失敗しました。", kAppCaption, MB_OK);
    }
}

LRESULT CALLBACK TimeEntryEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
        // A double-byte character from the input method is never a digit: dropped whole.
        if (wParam > 0xFF || !OnChar(edit, static_cast<char>(wParam))) {
            return 0;
        }
        break;
    case WM_PASTE:
        return 0;
    case WM_KEYDOWN:
        // The edit pastes on Shift+Insert by itself, without a WM_PASTE to catch.
        if (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0) {
            return 0;
        }
        break;
    case WM_CONTEXTMENU:
        OnContextMenu(edit, lParam);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == ID_CMD_EDIT_COPY) {
            SendMessageA(edit, WM_COPY, 0, 0);
            return 0;
        }
        break;
    case WM_NCDESTROY: {
        const LRESULT result = PassOn(edit, message, wParam, lParam);
        Unhook(edit);
        RemovePropA(edit, kPreviousProcProp);
        RemovePropA(edit, kFieldProp);
        return result;
    }
    default:
        break;
    }
    return PassOn(edit, message, wParam, lParam);
}

} // namespace

bool AttachTimeEntryEdit(HWND edit, TimeEntryField field) {
    if (edit == nullptr) {
        return false;
    }
    const auto fieldValue = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(field) + 1);
    // Attached already: only the field changes, or the edit would pass messages to itself.
    if (PreviousProc(edit) != nullptr) {
        return SetPropA(edit, kFieldProp, fieldValue) != FALSE;
    }
    if (!SetPropA(edit, kFieldProp, fieldValue)) {
        return false;
    }
    const LONG_PTR previous = GetWindowLongPtrA(edit, GWLP_WNDPROC);
    if (previous == 0 || !SetPropA(edit, kPreviousProcProp, reinterpret_cast<HANDLE>(previous))) {
        RemovePropA(edit, kFieldProp);
        return false;
    }
    SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TimeEntryEditProc));
    return true;
}

void DetachTimeEntryEdit(HWND edit) {
    if (edit != nullptr) {
        Unhook(edit);
    }
}

} // namespace zentrava
