#include "dialogs/pickers_win.h"

#include "base/app_context_win.h"
#include "dialogs/chooser_colours.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <array>

namespace zentrava {

namespace {

// Room beyond the longest path the choosers take, so that a longer one comes back from the
// platform to be refused with a word rather than fail in the dialog without one.
constexpr std::size_t kPathBuffer = 1024;
static_assert(kPathBuffer > kLongestChosenPath + 1);
constexpr std::size_t kTitleBuffer = 256;
constexpr UINT_PTR kDropBoxSubclassId = 1;

// Copies text into a fixed dialog buffer, cut to fit with its NUL.
template <std::size_t N>
void CopyInto(std::array<char, N>& buffer, const std::string& text) {
    const std::size_t length = std::min(text.size(), N - 1);
    text.copy(buffer.data(), length);
    buffer[length] = '\0';
}

std::string AppCaption() {
    std::array<char, 64> caption{};
    const int length = LoadStringA(GetModuleHandleA(nullptr), IDS_APP_NAME, caption.data(),
                                   static_cast<int>(caption.size()));
    return length > 0 ? std::string(caption.data(), static_cast<std::size_t>(length))
                      : std::string(kAppCaption);
}

bool ChooseFile(HWND owner, FileKind kind, ChosenFile& current) {
    std::array<char, kPathBuffer> file{};
    std::array<char, kTitleBuffer> title{};
    CopyInto(file, current.displayName);
    const std::string startFolder = ChooserStartFolder(current.path);
    const std::string_view filter = kind == FileKind::Sound ? kSoundFileFilter : kPictureFileFilter;

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.data();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrFileTitle = title.data();
    dialog.nMaxFileTitle = static_cast<DWORD>(title.size());
    dialog.lpstrInitialDir = startFolder.empty() ? nullptr : startFolder.c_str();
    dialog.lpstrTitle = kChooserTitle;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    dialog.lpstrDefExt =
        kind == FileKind::Sound ? kSoundDefaultExtension : kPictureDefaultExtension;
    const bool ok = GetOpenFileNameA(&dialog) != FALSE;

    switch (ConcludeChooser(kind, ok, file.data(), title.data(), current)) {
    case ChooserVerdict::Accepted:
        return true;
    case ChooserVerdict::Refused:
        MessageBoxA(owner, RefusalMessage(kind), AppCaption().c_str(), MB_OK);
        return false;
    case ChooserVerdict::Cancelled:
        return false;
    }
    return false;
}

constexpr DWORD kColourChooserFlags = CC_RGBINIT | CC_ENABLEHOOK | CC_ANYCOLOR;
constexpr DWORD kClockFontChooserFlags =
    CF_SCREENFONTS | CF_ENABLEHOOK | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_NOVERTFONTS;
static_assert(kClockFontChooserFlags == 0x1000149);
// The font dialog's size combo and colour combo.
constexpr int kFontChooserSizeBox = 1138;
constexpr int kFontChooserColourBox = 1139;

struct ColourChooserState {
    std::array<COLORREF, 16> custom{};
};

ColourChooserState& ColourChooserRecord() {
    static ColourChooserState state;
    return state;
}

UINT_PTR CALLBACK CentreColourChooser(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        CentreWindow(dialog);
    }
    return 0;
}

// The choosers differ only in the custom colours they offer and keep.
std::optional<COLORREF> RunColourChooser(HWND owner, COLORREF start,
                                         std::array<COLORREF, 16>& custom) {
    CHOOSECOLORA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.rgbResult = start;
    dialog.lpCustColors = custom.data();
    dialog.Flags = kColourChooserFlags;
    dialog.lpfnHook = CentreColourChooser;
    if (!ChooseColorA(&dialog)) {
        return std::nullopt;
    }
    return dialog.rgbResult;
}

// The size comes from the font-size dialog and the colour is kept as the clock's text colour:
// the chooser offers neither box, only the face and its style.
UINT_PTR CALLBACK PrepareClockFontChooser(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        CentreWindow(dialog);
        for (const int box : {kFontChooserSizeBox, kFontChooserColourBox}) {
            EnableWindow(GetDlgItem(dialog, box), FALSE);
        }
        ShowWindow(dialog, SW_SHOW);
    }
    return 0;
}

} // namespace

bool ChooseSoundFile(HWND owner, ChosenFile& current) {
    return ChooseFile(owner, FileKind::Sound, current);
}

bool ChoosePictureFile(HWND owner, ChosenFile& current) {
    return ChooseFile(owner, FileKind::Picture, current);
}

std::optional<COLORREF> ChooseColour(HWND owner, COLORREF start) {
    ColourChooserState& state = ColourChooserRecord();
    state.custom[0] = start;
    return RunColourChooser(owner, start, state.custom);
}

bool DropBox::Attach(HWND edit, FileKind kind, std::function<void(const ChosenFile&)> onDrop) {
    Detach();
    if (!SetWindowSubclass(edit, Proc, kDropBoxSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    edit_ = edit;
    kind_ = kind;
    onDrop_ = std::move(onDrop);
    DragAcceptFiles(edit, TRUE);
    return true;
}

void DropBox::Detach() {
    if (edit_ != nullptr) {
        RemoveWindowSubclass(edit_, Proc, kDropBoxSubclassId);
        edit_ = nullptr;
    }
}

void DropBox::OnDrop(HDROP drop) {
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    std::array<char, kPathBuffer + 1> path{};
    if (count == 1) {
        DragQueryFileA(drop, 0, path.data(), static_cast<UINT>(path.size()));
    }
    if (const std::optional<ChosenFile> file = AcceptDrop(kind_, count, path.data())) {
        if (onDrop_) {
            onDrop_(*file);
        }
        SetWindowTextA(edit_, file->displayName.c_str());
    }
    DragFinish(drop);
}

LRESULT CALLBACK DropBox::Proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR self) {
    auto* box = reinterpret_cast<DropBox*>(self);
    switch (message) {
    case WM_DROPFILES:
        box->OnDrop(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_NCDESTROY:
        box->Detach();
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

std::optional<COLORREF> ChooseTextColour(HWND owner, COLORREF start) {
    std::array<COLORREF, 16> custom{};
    const auto fresh = FreshCustomColours(start);
    std::copy(fresh.begin(), fresh.end(), custom.begin());
    return RunColourChooser(owner, start, custom);
}

bool ChooseClockFont(HWND owner, LOGFONTA& font, COLORREF& colour) {
    LOGFONTA chosen = font;
    CHOOSEFONTA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpLogFont = &chosen;
    dialog.rgbColors = colour;
    dialog.Flags = kClockFontChooserFlags;
    dialog.lpfnHook = PrepareClockFontChooser;
    if (!ChooseFontA(&dialog)) {
        return false;
    }
    font = chosen;
    colour = dialog.rgbColors;
    return true;
}

} // namespace zentrava
