#include "face/text_dialogs_win.h"

#include "base/app_context_win.h"
#include "base/win_handles_win.h"
#include "dialogs/pickers_win.h"
#include "face/text_dialogs.h"
#include "resources/resource.h"

#include <array>
#include <optional>
#include <string>

namespace zentrava {

namespace {

// Posted by a size box that lost the focus, so that the check runs once the focus has arrived
// where it was going (wParam: the box's text kind).
constexpr UINT kCheckLeftBox = WM_APP + 1;

struct FontSizesDialog {
    HWND mainWindow;
    FontSettings& font;
    const std::function<void()>& relayout;
    std::array<int, kTextKinds> snapshot{};
    bool ready = false;
    // Set by OK and Cancel: the boxes lose the focus as the dialog goes, and no check may
    // stop that.
    bool closing = false;
};

std::optional<int> KindOf(int control, int first) {
    if (control >= first && control < first + kTextKinds) {
        return control - first;
    }
    return std::nullopt;
}

std::string BoxText(HWND dialog, int kind) {
    std::array<char, 16> text{};
    GetDlgItemTextA(dialog, IDC_FS_SIZE + kind, text.data(), static_cast<int>(text.size()));
    return text.data();
}

void SetSize(FontSizesDialog& state, int kind, int size) {
    state.font.*kTextSizeFields[static_cast<std::size_t>(kind)] = size;
    if (state.relayout) {
        state.relayout();
    }
}

void FillSizeBox(HWND dialog, int kind, int size) {
    const HWND box = GetDlgItem(dialog, IDC_FS_SIZE + kind);
    for (const int offered : kOfferedFontSizes) {
        SendMessageA(box, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(std::to_string(offered).c_str()));
    }
    SendMessageA(box, CB_LIMITTEXT, kFontSizeTextLimit, 0);
    const std::string shown = std::to_string(size);
    const LRESULT item = SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(shown.c_str()));
    if (item != CB_ERR) {
        SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    } else {
        SetWindowTextA(box, shown.c_str());
    }
}

// The message leaves the user in the box with its text selected, to type over it.
void RefuseSizeText(HWND dialog, const FontSizesDialog& state, int kind) {
    MessageBoxA(state.mainWindow, kFontSizeNotNumberMessage, kAppCaption, MB_OK);
    const HWND box = GetDlgItem(dialog, IDC_FS_SIZE + kind);
    SetFocus(box);
    SendMessageA(box, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

void OnSizesInit(HWND dialog, FontSizesDialog& state) {
    for (int kind = 0; kind < kTextKinds; ++kind) {
        const int size = state.font.*kTextSizeFields[static_cast<std::size_t>(kind)];
        state.snapshot[static_cast<std::size_t>(kind)] = size;
        FillSizeBox(dialog, kind, size);
    }
    CentreWindow(dialog);
    state.ready = true;
}

void OnSizeBox(HWND dialog, FontSizesDialog& state, int kind, WORD code) {
    const HWND box = GetDlgItem(dialog, IDC_FS_SIZE + kind);
    switch (code) {
    case CBN_SELCHANGE: {
        const LRESULT item = SendMessageA(box, CB_GETCURSEL, 0, 0);
        std::array<char, 16> text{};
        if (item != CB_ERR && SendMessageA(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0) <
                                  static_cast<LRESULT>(text.size())) {
            SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(item),
                         reinterpret_cast<LPARAM>(text.data()));
            if (const std::optional<int> size = SizeFromText(text.data())) {
                SetSize(state, kind, *size);
            }
        }
        break;
    }
    case CBN_EDITCHANGE:
        if (const std::optional<int> size = SizeFromText(BoxText(dialog, kind))) {
            SetSize(state, kind, *size);
        }
        break;
    case CBN_KILLFOCUS:
        PostMessageA(dialog, kCheckLeftBox, static_cast<WPARAM>(kind), 0);
        break;
    default:
        break;
    }
}

void OnLeftBox(HWND dialog, FontSizesDialog& state, int kind) {
    // The click that moved the focus to Cancel is still to come: a message box now would
    // swallow it, and Cancel throws the text away in any case.
    if (state.closing || GetFocus() == GetDlgItem(dialog, IDCANCEL)) {
        return;
    }
    if (!IsValidSizeText(BoxText(dialog, kind))) {
        RefuseSizeText(dialog, state, kind);
    }
}

void OnSizesOk(HWND dialog, FontSizesDialog& state) {
    for (int kind = 0; kind < kTextKinds; ++kind) {
        if (!IsValidSizeText(BoxText(dialog, kind))) {
            RefuseSizeText(dialog, state, kind);
            return;
        }
    }
    state.closing = true;
    if (state.relayout) {
        state.relayout();
    }
    EndDialog(dialog, IDOK);
}

void OnSizesCancel(HWND dialog, FontSizesDialog& state) {
    state.closing = true;
    for (int kind = 0; kind < kTextKinds; ++kind) {
        state.font.*kTextSizeFields[static_cast<std::size_t>(kind)] =
            state.snapshot[static_cast<std::size_t>(kind)];
    }
    if (state.relayout) {
        state.relayout();
    }
    EndDialog(dialog, IDCANCEL);
}

INT_PTR CALLBACK FontSizesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        OnSizesInit(dialog, *reinterpret_cast<FontSizesDialog*>(lParam));
        return TRUE;
    }
    auto* state = reinterpret_cast<FontSizesDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (state == nullptr || !state->ready) {
        return FALSE;
    }
    if (message == kCheckLeftBox) {
        OnLeftBox(dialog, *state, static_cast<int>(wParam));
        return TRUE;
    }
    if (message != WM_COMMAND) {
        return FALSE;
    }
    const int control = LOWORD(wParam);
    if (control == IDOK) {
        OnSizesOk(dialog, *state);
    } else if (control == IDCANCEL) {
        OnSizesCancel(dialog, *state);
    } else if (const std::optional<int> kind = KindOf(control, IDC_FS_SIZE)) {
        if (!state->closing) {
            OnSizeBox(dialog, *state, *kind, HIWORD(wParam));
        }
    }
    return TRUE;
}

struct TextColoursDialog {
    FontSettings& font;
    const std::function<void()>& repaint;
    std::array<int, kTextKinds> snapshot{};
    std::array<UniqueBrush, kTextKinds> swatches{};
};

int& ColourOf(TextColoursDialog& state, int kind) {
    return state.font.*kTextColourFields[static_cast<std::size_t>(kind)];
}

void PaintSwatchIn(HWND dialog, TextColoursDialog& state, int kind) {
    state.swatches[static_cast<std::size_t>(kind)].reset(
        CreateSolidBrush(static_cast<COLORREF>(ColourOf(state, kind))));
    InvalidateRect(GetDlgItem(dialog, IDC_TC_SWATCH + kind), nullptr, TRUE);
}

void OnColoursInit(HWND dialog, TextColoursDialog& state) {
    for (int kind = 0; kind < kTextKinds; ++kind) {
        state.snapshot[static_cast<std::size_t>(kind)] = ColourOf(state, kind);
        PaintSwatchIn(dialog, state, kind);
    }
    CentreWindow(dialog);
}

void OnChooseColour(HWND dialog, TextColoursDialog& state, int kind) {
    const std::optional<COLORREF> chosen =
        ChooseTextColour(dialog, static_cast<COLORREF>(ColourOf(state, kind)));
    if (!chosen) {
        return;
    }
    ColourOf(state, kind) = static_cast<int>(*chosen);
    // The swatch's brush is the colour it shows: a new colour needs a new brush.
    PaintSwatchIn(dialog, state, kind);
    if (state.repaint) {
        state.repaint();
    }
}

void OnColoursCancel(HWND dialog, TextColoursDialog& state) {
    for (int kind = 0; kind < kTextKinds; ++kind) {
        ColourOf(state, kind) = state.snapshot[static_cast<std::size_t>(kind)];
    }
    if (state.repaint) {
        state.repaint();
    }
    if (const HWND owner = GetWindow(dialog, GW_OWNER)) {
        InvalidateRect(owner, nullptr, TRUE);
    }
    EndDialog(dialog, IDCANCEL);
}

INT_PTR OnSwatchColour(TextColoursDialog& state, HDC dc, HWND control) {
    const std::optional<int> kind = KindOf(GetDlgCtrlID(control), IDC_TC_SWATCH);
    if (!kind) {
        return FALSE;
    }
    SetBkMode(dc, TRANSPARENT);
    // A dialog answers the colour messages with the brush itself.
    return reinterpret_cast<INT_PTR>(state.swatches[static_cast<std::size_t>(*kind)].get());
}

INT_PTR CALLBACK TextColoursProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        OnColoursInit(dialog, *reinterpret_cast<TextColoursDialog*>(lParam));
        return TRUE;
    }
    auto* state = reinterpret_cast<TextColoursDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (state == nullptr) {
        return FALSE;
    }
    if (message == WM_CTLCOLORSTATIC) {
        return OnSwatchColour(*state, reinterpret_cast<HDC>(wParam),
                              reinterpret_cast<HWND>(lParam));
    }
    if (message != WM_COMMAND) {
        return FALSE;
    }
    const int control = LOWORD(wParam);
    if (control == IDOK) {
        EndDialog(dialog, IDOK);
    } else if (control == IDCANCEL) {
        OnColoursCancel(dialog, *state);
    } else if (const std::optional<int> kind = KindOf(control, IDC_TC_CHOOSE)) {
        if (HIWORD(wParam) == BN_CLICKED) {
            OnChooseColour(dialog, *state, *kind);
        }
    }
    return TRUE;
}

} // namespace

void RunFontSizesDialog(HWND owner, HWND mainWindow, FontSettings& font,
                        const std::function<void()>& relayout) {
    FontSizesDialog state{mainWindow, font, relayout};
    DialogBoxParamA(Context().instance, MAKEINTRESOURCEA(IDD_FONT_SIZES), owner, FontSizesProc,
                    reinterpret_cast<LPARAM>(&state));
}

void RunTextColoursDialog(HWND owner, FontSettings& font, const std::function<void()>& repaint) {
    // The swatches' brushes belong to this frame and go when the dialog has gone.
    TextColoursDialog state{font, repaint};
    DialogBoxParamA(Context().instance, MAKEINTRESOURCEA(IDD_TEXT_COLOURS), owner, TextColoursProc,
                    reinterpret_cast<LPARAM>(&state));
}

} // namespace zentrava
