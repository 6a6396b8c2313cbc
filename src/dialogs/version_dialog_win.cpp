#include "dialogs/version_dialog_win.h"

#include "base/app_context_win.h"
#include "base/shell_open_win.h"
#include "base/win_handles_win.h"
#include "dialogs/version_text.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace zentrava {

namespace {

// Texts the dialog reads back from its controls are cut at this length.
constexpr int kMaxText = 128;
constexpr UINT_PTR kLinkSubclassId = 1;
constexpr COLORREF kLinkColour = 0xFF0000; // blue

enum class LinkKind : DWORD_PTR { Web, Mail };

// What the dialog creates for its lifetime.
struct DialogObjects {
    UniqueFont plain;
    UniqueFont underlined;
    UniqueIcon icon;
};

std::optional<FileVersion> OwnFileVersion() {
    char path[MAX_PATH] = {};
    if (GetModuleFileNameA(nullptr, path, MAX_PATH) == 0) {
        return std::nullopt;
    }
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0) {
        return std::nullopt;
    }
    std::vector<char> block(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(path, 0, size, block.data()) ||
        !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) ||
        fixed == nullptr || length < sizeof *fixed) {
        return std::nullopt;
    }
    return SplitFileVersion(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
}

UniqueFont MakeFont(bool underlined) {
    const ScopedWindowDc screen(nullptr);
    const int dpi =
        std::max(GetDeviceCaps(screen.get(), LOGPIXELSX), GetDeviceCaps(screen.get(), LOGPIXELSY));
    int height = MulDiv(-9, dpi, 72);
    if (height == -1) { // MulDiv's failure
        height = 12;
    }
    return UniqueFont(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, underlined ? TRUE : FALSE,
                                  FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "ＭＳ Ｐゴシック"));
}

std::string ControlText(HWND control) {
    char text[kMaxText + 1] = {};
    GetWindowTextA(control, text, static_cast<int>(sizeof text));
    return text;
}

std::string LoadText(UINT id) {
    char text[kMaxText + 1] = {};
    LoadStringA(Context().instance, id, text, static_cast<int>(sizeof text));
    return text;
}

// The control becomes exactly as large as its text in its own font, staying where it is.
void SizeToText(HWND control) {
    if (control == nullptr) {
        return;
    }
    const std::string text = ControlText(control);
    SIZE extent{};
    {
        const ScopedWindowDc dc(control);
        const ScopedSelect font(dc.get(),
                                reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    SetWindowPos(control, nullptr, 0, 0, extent.cx, extent.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowText(HWND dialog, int id, const std::string& text, HFONT font = nullptr) {
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) {
        return;
    }
    if (font != nullptr) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    SetWindowTextA(control, text.c_str());
    SizeToText(control);
}

// A static with SS_NOTIFY answers HTCLIENT; turned into HTCAPTION, the click arrives as
// WM_NCLBUTTONDOWN, which opens the link and goes no further: the default handling of a
// caption click would start dragging the control about the dialog.
LRESULT CALLBACK LinkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR kind) {
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(static_cast<HCURSOR>(
            LoadImageA(nullptr, IDC_HAND, IMAGE_CURSOR, 0, 0, LR_SHARED | LR_DEFAULTSIZE)));
        return TRUE;
    case WM_NCHITTEST: {
        const LRESULT hit = DefSubclassProc(link, message, wParam, lParam);
        return hit == HTCLIENT ? HTCAPTION : hit;
    }
    case WM_NCLBUTTONDOWN: {
        const std::string text = ControlText(link);
        OpenInShell(GetParent(link),
                    static_cast<LinkKind>(kind) == LinkKind::Mail ? "mailto:" + text : text);
        return 0;
    }
    default:
        return DefSubclassProc(link, message, wParam, lParam);
    }
}

void SubclassLink(HWND dialog, int id, LinkKind kind) {
    const HWND link = GetDlgItem(dialog, id);
    if (link == nullptr ||
        !SetWindowSubclass(link, &LinkProc, kLinkSubclassId, static_cast<DWORD_PTR>(kind))) {
        MessageBoxA(nullptr, "Error", "OK", MB_OK);
    }
}

INT_PTR OnInitDialog(HWND dialog, DialogObjects& objects) {
    objects.plain = MakeFont(false);
    objects.underlined = MakeFont(true);
    objects.icon.reset(static_cast<HICON>(LoadImageA(Context().instance, MAKEINTRESOURCEA(IDI_APP),
                                                     IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
    SendDlgItemMessageA(dialog, IDC_VERSION_ICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(objects.icon.get()), 0);
    CentreWindow(dialog);
    ShowText(dialog, IDC_VERSION_LINE,
             VersionLine(LoadText(IDS_VERSION_LINE).c_str(), OwnFileVersion()));
    for (int i = 0; i <= IDS_NOTICE_LAST - IDS_NOTICE_FIRST; ++i) {
        ShowText(dialog, IDC_VERSION_NOTICE_FIRST + i,
                 LoadText(static_cast<UINT>(IDS_NOTICE_FIRST + i)));
    }
    for (const int label : {IDC_VERSION_URL_LABEL, IDC_VERSION_MAIL_LABEL}) {
        SendDlgItemMessageA(dialog, label, WM_SETFONT,
                            reinterpret_cast<WPARAM>(objects.plain.get()), FALSE);
    }
    ShowText(dialog, IDC_VERSION_WEB_LINK, LoadText(IDS_WEB_ADDRESS), objects.underlined.get());
    ShowText(dialog, IDC_VERSION_MAIL_LINK, LoadText(IDS_MAIL_ADDRESS), objects.underlined.get());
    SubclassLink(dialog, IDC_VERSION_WEB_LINK, LinkKind::Web);
    SubclassLink(dialog, IDC_VERSION_MAIL_LINK, LinkKind::Mail);
    return TRUE;
}

INT_PTR OnLinkColours(HWND control, HDC dc) {
    const int id = GetDlgCtrlID(control);
    if (id != IDC_VERSION_WEB_LINK && id != IDC_VERSION_MAIL_LINK) {
        return FALSE;
    }
    SetTextColor(dc, kLinkColour);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
}

void OnClose(HWND dialog, int result) {
    for (const int id : {IDC_VERSION_WEB_LINK, IDC_VERSION_MAIL_LINK}) {
        if (!RemoveWindowSubclass(GetDlgItem(dialog, id), &LinkProc, kLinkSubclassId)) {
            MessageBoxA(dialog, "Error", "OK", MB_OK);
        }
    }
    EndDialog(dialog, result);
}

INT_PTR CALLBACK VersionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, *reinterpret_cast<DialogObjects*>(lParam));
    case WM_CTLCOLORSTATIC:
        return OnLinkColours(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            OnClose(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

void RunVersionDialog(HWND owner) {
    // Outlives the dialog's controls, which use the fonts and the icon until they are destroyed.
    DialogObjects objects;
    DialogBoxParamA(Context().instance, MAKEINTRESOURCEA(IDD_VERSION), owner, &VersionDialogProc,
                    reinterpret_cast<LPARAM>(&objects));
}

} // namespace zentrava
