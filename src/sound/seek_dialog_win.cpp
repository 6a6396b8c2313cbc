#include "sound/seek_dialog_win.h"

#include "base/app_context_win.h"
#include "resources/commands.h"
#include "resources/resource.h"
#include "sound/painted_label_win.h"
#include "sound/seek_dialog.h"
#include "sound/sound_win.h"

#include <commctrl.h>

#include <atomic>

namespace zentrava {

namespace {

// The open dialog: its handle and the drag flag are read by the position timer's refresh; the
// rest belongs to the window thread.
struct SeekDialogState {
    std::atomic<HWND> window{nullptr};
    std::atomic<int> dragging{0};
    int position = 0;
    PaintedLabel elapsed;
    PaintedLabel remaining;
};

SeekDialogState& State() {
    static SeekDialogState state;
    return state;
}

HWND Slider(HWND dialog) {
    return GetDlgItem(dialog, IDC_SEEK_SLIDER);
}

int SongLength() {
    return Channels().Audio().songLength.load();
}

void ShowTexts() {
    SeekDialogState& s = State();
    const SeekTexts texts = SeekTextsFor(s.position, SongLength());
    s.elapsed.Show(texts.elapsed);
    s.remaining.Show(texts.remaining);
}

// 32-bit range messages: TBM_SETRANGE packs both ends into 16 bits each.
void SetUpSlider(HWND dialog) {
    const int length = SongLength();
    HWND slider = Slider(dialog);
    SendMessageA(slider, TBM_SETRANGEMIN, FALSE, 0);
    SendMessageA(slider, TBM_SETRANGEMAX, TRUE, SliderMaximum(length));
    SendMessageA(slider, TBM_SETTICFREQ, static_cast<WPARAM>(TickFrequency(length)), 0);
    SendMessageA(slider, TBM_SETPOS, TRUE, State().position);
}

void SetCaption(HWND dialog) {
    SetWindowTextA(dialog, SeekCaption(Channels().Channel(SoundChannel::Audio).fileName).c_str());
}

void OnNewSong(HWND dialog) {
    State().position = 0;
    SetUpSlider(dialog);
    SetCaption(dialog);
    ShowTexts();
}

void OnRefresh(HWND dialog) {
    SeekDialogState& s = State();
    s.position = Channels().GetAudioCurPos(reinterpret_cast<WindowRef>(dialog));
    SendMessageA(Slider(dialog), TBM_SETPOS, TRUE, s.position);
    ShowTexts();
}

void OnSlider(HWND dialog, int code) {
    const SeekSliderAction action = SeekSliderEvent(code);
    if (!action.handled) {
        return;
    }
    SeekDialogState& s = State();
    s.position = static_cast<int>(SendMessageA(Slider(dialog), TBM_GETPOS, 0, 0));
    if (action.setDragging) {
        s.dragging = action.dragging ? 1 : 0;
    }
    ShowTexts();
    if (action.seek && Channels().IsSounding(SoundChannel::Audio)) {
        SendMessageA(Context().main, WM_COMMAND, kCmdSeekAudio, s.position);
    }
}

INT_PTR OnInitDialog(HWND dialog) {
    SeekDialogState& s = State();
    s.window = dialog;
    s.dragging = 0;
    s.position = 0;
    CentreWindow(dialog);
    SetUpSlider(dialog);
    SetCaption(dialog);
    s.elapsed.Attach(GetDlgItem(dialog, IDC_SEEK_ELAPSED), DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    s.remaining.Attach(GetDlgItem(dialog, IDC_SEEK_REMAINING),
                       DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    SendMessageA(dialog, WM_COMMAND, ID_SEEK_REFRESH, 0);
    return TRUE;
}

void Close(HWND dialog, int result) {
    SeekDialogState& s = State();
    s.window = nullptr;
    s.dragging = 0;
    EndDialog(dialog, result);
}

INT_PTR CALLBACK SeekDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lParam) == Slider(dialog)) {
            OnSlider(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case ID_SEEK_NEW_SONG:
            OnNewSong(dialog);
            return TRUE;
        case ID_SEEK_REFRESH:
            OnRefresh(dialog);
            return TRUE;
        case IDOK:
        case IDCANCEL:
            Close(dialog, LOWORD(wParam));
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR OpenSeekDialog(HWND owner) {
    return DialogBoxParamA(Context().instance, MAKEINTRESOURCEA(IDD_SEEK), owner, &SeekDialogProc,
                           0);
}

bool SeekDialogOpen() {
    return State().window.load() != nullptr;
}

void RefreshSeekDialog() {
    const SeekDialogState& s = State();
    HWND dialog = s.window.load();
    if (dialog == nullptr || s.dragging.load() != 0 ||
        !Channels().IsSounding(SoundChannel::Audio)) {
        return;
    }
    SendMessageA(dialog, WM_COMMAND, ID_SEEK_REFRESH, 0);
}

void NotifySeekDialogNewSong() {
    if (HWND dialog = State().window.load()) {
        SendMessageA(dialog, WM_COMMAND, ID_SEEK_NEW_SONG, 0);
    }
}

} // namespace zentrava
