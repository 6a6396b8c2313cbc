#include "sound/volume_dialog_win.h"

#include "base/app_context_win.h"
#include "base/format_text.h"
#include "resources/resource.h"
#include "sound/painted_label_win.h"
#include "sound/sound_win.h"
#include "sound/volume_dialog.h"

#include <commctrl.h>

#include <array>
#include <atomic>

namespace zentrava {

namespace {

struct SliderControls {
    int slider;
    int label;
    int mute;
    UINT text; // string with one %d for volume / 10
};
// In VolumeSlider's order.
constexpr std::array<SliderControls, kVolumeSliderCount> kSliders{{
    {IDC_VOL_AUDIO_SLIDER, IDC_VOL_AUDIO_LABEL, IDC_VOL_AUDIO_MUTE, IDS_VOLUME_AUDIO},
    {IDC_VOL_ALARM_SLIDER, IDC_VOL_ALARM_LABEL, IDC_VOL_ALARM_MUTE, IDS_VOLUME_ALARM},
    {IDC_VOL_TIME_SIGNAL_SLIDER, IDC_VOL_TIME_SIGNAL_LABEL, IDC_VOL_TIME_SIGNAL_MUTE,
     IDS_VOLUME_TIME_SIGNAL},
}};
// What the other-sound rule disables while it turns the music down.
constexpr std::array<int, 3> kAudioControls{IDC_VOL_AUDIO_MUTE, IDC_VOL_AUDIO_SLIDER,
                                            IDC_VOL_OTHER_SOUND};

struct VolumeDialogState {
    std::atomic<HWND> window{nullptr};
    std::array<PaintedLabel, kVolumeSliderCount> labels;
};

VolumeDialogState& State() {
    static VolumeDialogState state;
    return state;
}

void ShowLabel(VolumeSlider slider) {
    const auto i = static_cast<std::size_t>(slider);
    char format[65] = {};
    LoadStringA(Context().instance, kSliders[i].text, format, static_cast<int>(sizeof format));
    State().labels[i].Show(FormatText(format, SliderPositionOf(Channels().Volumes(), slider)));
}

void SetSlider(HWND dialog, VolumeSlider slider) {
    const auto i = static_cast<std::size_t>(slider);
    SendMessageA(GetDlgItem(dialog, kSliders[i].slider), TBM_SETPOS, TRUE,
                 SliderPositionOf(Channels().Volumes(), slider));
}

void EnableAudioControls(HWND dialog, bool enable) {
    if (!enable) {
        // A control that loses its enabled state must not keep the keyboard focus.
        const HWND focus = GetFocus();
        for (const int id : kAudioControls) {
            if (focus == GetDlgItem(dialog, id)) {
                SendMessageA(dialog, WM_NEXTDLGCTL,
                             reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDOK)), TRUE);
            }
        }
    }
    for (const int id : kAudioControls) {
        EnableWindow(GetDlgItem(dialog, id), enable ? TRUE : FALSE);
    }
}

bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

INT_PTR OnInitDialog(HWND dialog) {
    VolumeDialogState& s = State();
    CentreWindow(dialog);
    const VolumeSettings& volumes = Channels().Volumes();
    for (int i = 0; i < kVolumeSliderCount; ++i) {
        const auto slider = static_cast<VolumeSlider>(i);
        const SliderControls& c = kSliders[static_cast<std::size_t>(i)];
        HWND control = GetDlgItem(dialog, c.slider);
        SendMessageA(control, TBM_SETRANGEMIN, FALSE, 0);
        SendMessageA(control, TBM_SETRANGEMAX, TRUE, 100);
        SendMessageA(control, TBM_SETTICFREQ, 10, 0);
        SetSlider(dialog, slider);
        s.labels[static_cast<std::size_t>(i)].Attach(GetDlgItem(dialog, c.label),
                                                     DT_SINGLELINE | DT_TOP | DT_LEFT);
        ShowLabel(slider);
    }
    CheckDlgButton(dialog, IDC_VOL_AUDIO_MUTE,
                   volumes.MuteAudio != 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_VOL_ALARM_MUTE,
                   volumes.MuteAlarm != 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_VOL_TIME_SIGNAL_MUTE,
                   volumes.MuteTimeSignal != 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_VOL_SYNC,
                   volumes.VariousSoundAdjSync != 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_VOL_OTHER_SOUND,
                   volumes.OtherSoundMuteAudio != 0 ? BST_CHECKED : BST_UNCHECKED);
    if (!AudioControlsEnabled(Channels())) {
        EnableAudioControls(dialog, false);
    }
    s.window = dialog;
    return TRUE;
}

void OnSlider(HWND dialog, HWND control, int code) {
    if (code < 0 || code > TB_BOTTOM) {
        return; // TB_ENDTRACK follows every move
    }
    for (int i = 0; i < kVolumeSliderCount; ++i) {
        if (GetDlgItem(dialog, kSliders[static_cast<std::size_t>(i)].slider) != control) {
            continue;
        }
        const auto moved = static_cast<VolumeSlider>(i);
        const int position = static_cast<int>(SendMessageA(control, TBM_GETPOS, 0, 0));
        const auto changed = MoveVolumeSlider(Channels(), moved, position);
        for (int j = 0; j < kVolumeSliderCount; ++j) {
            if (!changed[static_cast<std::size_t>(j)]) {
                continue;
            }
            const auto slider = static_cast<VolumeSlider>(j);
            ShowLabel(slider);
            if (slider != moved) {
                SetSlider(dialog, slider);
            }
        }
        return;
    }
}

bool OnCommand(HWND dialog, int id, int code) {
    if (id != IDOK && id != IDCANCEL && code != BN_CLICKED) {
        return false;
    }
    switch (id) {
    case IDC_VOL_AUDIO_MUTE:
        SetVolumeMute(Channels(), VolumeSlider::Audio, Checked(dialog, id));
        return true;
    case IDC_VOL_ALARM_MUTE:
        SetVolumeMute(Channels(), VolumeSlider::Alarm, Checked(dialog, id));
        return true;
    case IDC_VOL_TIME_SIGNAL_MUTE:
        SetVolumeMute(Channels(), VolumeSlider::TimeSignal, Checked(dialog, id));
        return true;
    case IDC_VOL_SYNC:
        Channels().SetVolumeSync(Checked(dialog, id));
        return true;
    case IDC_VOL_OTHER_SOUND:
        SetOtherSoundRule(Channels(), Checked(dialog, id));
        EnableAudioControls(dialog, AudioControlsEnabled(Channels()));
        return true;
    case IDOK:
    case IDCANCEL:
        State().window = nullptr;
        EndDialog(dialog, id);
        return true;
    default:
        return false;
    }
}

INT_PTR CALLBACK VolumeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_HSCROLL:
        OnSlider(dialog, reinterpret_cast<HWND>(lParam), LOWORD(wParam));
        return TRUE;
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR OpenVolumeDialog(HWND owner) {
    return DialogBoxParamA(Context().instance, MAKEINTRESOURCEA(IDD_VOLUMES), owner,
                           &VolumeDialogProc, 0);
}

void EnableVolumeDialogAudioControls(bool enable) {
    if (HWND dialog = State().window.load()) {
        EnableAudioControls(dialog, enable);
    }
}

} // namespace zentrava
