// "各時報のオンオフ設定": the 48 switches of the hourly and half-hourly chimes, opened from the
// time-signal page and working on that page's working copy.

#include "alarms/time_signal_page_win.h"

#include "base/app_context_win.h"
#include "resources/resource.h"

namespace zentrava {

namespace {

struct EachSignalDialog {
    TimeSignalSettings& working;
    bool clicked = false;
};

bool IsSwitch(int control) {
    return (control >= IDC_EACH_HOUR_ON && control < IDC_EACH_HOUR_ON + kChimeHourCount) ||
           (control >= IDC_EACH_HALF_HOUR_ON && control < IDC_EACH_HALF_HOUR_ON + kChimeHourCount);
}

void OnInit(HWND dialog, const EachSignalDialog& state) {
    for (int h = 0; h < kChimeHourCount; ++h) {
        const auto i = static_cast<std::size_t>(h);
        CheckDlgButton(dialog, IDC_EACH_HOUR_ON + h,
                       state.working.hours[i].EachTimeSignalFlag == 1 ? BST_CHECKED
                                                                      : BST_UNCHECKED);
        CheckDlgButton(dialog, IDC_EACH_HALF_HOUR_ON + h,
                       state.working.halfHours[i].EachTimeSignalFlag == 1 ? BST_CHECKED
                                                                          : BST_UNCHECKED);
    }
}

void OnOk(HWND dialog, EachSignalDialog& state) {
    for (int h = 0; h < kChimeHourCount; ++h) {
        const auto i = static_cast<std::size_t>(h);
        state.working.hours[i].EachTimeSignalFlag =
            IsDlgButtonChecked(dialog, IDC_EACH_HOUR_ON + h) == BST_CHECKED ? 1 : 0;
        state.working.halfHours[i].EachTimeSignalFlag =
            IsDlgButtonChecked(dialog, IDC_EACH_HALF_HOUR_ON + h) == BST_CHECKED ? 1 : 0;
    }
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK EachSignalProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        OnInit(dialog, *reinterpret_cast<EachSignalDialog*>(lParam));
        return TRUE;
    }
    auto* state = reinterpret_cast<EachSignalDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (state == nullptr || message != WM_COMMAND) {
        return FALSE;
    }
    const int control = LOWORD(wParam);
    if (control == IDOK) {
        OnOk(dialog, *state);
    } else if (control == IDCANCEL) {
        // The boxes only ever changed themselves, so the working copy is still as it was.
        EndDialog(dialog, IDCANCEL);
    } else if (IsSwitch(control) && HIWORD(wParam) == BN_CLICKED) {
        state->clicked = true;
    }
    return TRUE;
}

} // namespace

bool EditEachTimeSignal(HWND owner, TimeSignalSettings& working) {
    EachSignalDialog state{working};
    const INT_PTR result =
        DialogBoxParamA(Context().instance, MAKEINTRESOURCEA(IDD_EACH_TIME_SIGNAL), owner,
                        EachSignalProc, reinterpret_cast<LPARAM>(&state));
    return result == IDOK && state.clicked;
}

} // namespace zentrava
