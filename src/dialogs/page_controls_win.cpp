#include "dialogs/page_controls_win.h"

#include <vector>

namespace zentrava {

std::string ControlText(HWND page, int control, std::size_t bufferSize) {
    std::vector<char> text(bufferSize, '\0');
    GetDlgItemTextA(page, control, text.data(), static_cast<int>(text.size()));
    return text.data();
}

bool Checked(HWND page, int control) {
    return IsDlgButtonChecked(page, control) == BST_CHECKED;
}

void SetChecked(HWND page, int control, int on) {
    CheckDlgButton(page, control, on == 1 ? BST_CHECKED : BST_UNCHECKED);
}

void SetupSpin(HWND page, int spin, int min, int max, int step) {
    SendDlgItemMessageA(page, spin, UDM_SETRANGE32, static_cast<WPARAM>(min), max);
    if (step != 1) {
        UDACCEL accel{0, static_cast<UINT>(step)};
        SendDlgItemMessageA(page, spin, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    }
}

void ShowSpinNumber(HWND page, int edit, int spin, int value, EditedFields& edited) {
    // The position first: with the edit as its buddy the spin writes its clamped number there,
    // which the stored one then replaces.
    SendDlgItemMessageA(page, spin, UDM_SETPOS32, 0, value);
    SetDlgItemInt(page, edit, static_cast<UINT>(value), TRUE);
    edited.Forget(edit);
}

std::optional<std::string> EditedText(HWND page, int edit, const EditedFields& edited,
                                      std::size_t bufferSize) {
    if (!edited.Edited(edit)) {
        return std::nullopt;
    }
    return ControlText(page, edit, bufferSize);
}

int EditedSpinValue(HWND page, int edit, int spin, const EditedFields& edited, int stored) {
    if (!edited.Edited(edit)) {
        return stored;
    }
    BOOL failed = FALSE;
    return static_cast<int>(
        SendDlgItemMessageA(page, spin, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
}

} // namespace zentrava
