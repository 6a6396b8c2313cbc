#include "dialogs/settings_sheet_win.h"

#include "base/app_context_win.h"
#include "resources/commands.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <array>

namespace zentrava {

namespace {

// What a page procedure finds behind its window: its page, its place in the sheet, and the
// sheet's shared parts.
struct PageSlot {
    const SheetSetup* setup = nullptr;
    std::span<SheetPage* const> pages;
    SheetPage* page = nullptr;
    int index = 0;
    bool filling = false;
};

PageSlot* SlotOf(HWND page) {
    return reinterpret_cast<PageSlot*>(GetWindowLongPtrA(page, DWLP_USER));
}

INT_PTR Answer(HWND page, LONG_PTR result) {
    SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR OnInitPage(HWND page, LPARAM lParam) {
    const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    auto* slot = reinterpret_cast<PageSlot*>(sheetPage->lParam);
    SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(slot));
    slot->filling = true;
    slot->page->Start(page);
    slot->filling = false;
    return TRUE;
}

INT_PTR OnPageCommand(HWND page, PageSlot& slot, WPARAM wParam) {
    if (slot.filling) {
        return FALSE;
    }
    if (slot.page->OnControl(page, LOWORD(wParam), HIWORD(wParam))) {
        MarkPageChanged(page, *slot.page);
    }
    return TRUE;
}

// The sheet's own notifications are handled above; anything else comes from a control of the
// page and is the page's.
INT_PTR OnControlNotify(HWND page, PageSlot& slot, const NMHDR& header) {
    if (header.hwndFrom == GetParent(page)) {
        return FALSE;
    }
    LONG_PTR answer = 0;
    const bool changed = slot.page->OnNotify(page, header, answer);
    if (changed && !slot.filling) {
        MarkPageChanged(page, *slot.page);
    }
    return Answer(page, answer);
}

INT_PTR OnPageNotify(HWND page, PageSlot& slot, const NMHDR& header) {
    switch (header.code) {
    case PSN_SETACTIVE:
        // Pages never see WM_ACTIVATE (it goes to the sheet's frame), so the page being shown
        // is recorded here.
        if (slot.setup->activePage != nullptr) {
            *slot.setup->activePage = slot.index;
        }
        return Answer(page, 0);
    case PSN_KILLACTIVE:
        if (const std::optional<PageProblem> problem = slot.page->Validate(page)) {
            ShowPageProblem(page, *problem);
            return Answer(page, TRUE);
        }
        return Answer(page, FALSE);
    case PSN_APPLY:
        slot.page->OnEveryApply(page);
        if (slot.page->Changed()) {
            slot.page->Apply(page);
        }
        return Answer(page, PSNRET_NOERROR);
    case PSN_QUERYCANCEL:
        if (slot.setup->onCancel) {
            slot.setup->onCancel(slot.pages);
        }
        return Answer(page, FALSE);
    default:
        return OnControlNotify(page, slot, header);
    }
}

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitPage(page, lParam);
    }
    PageSlot* slot = SlotOf(page);
    if (slot == nullptr) {
        return FALSE;
    }
    switch (message) {
    case WM_COMMAND:
        return OnPageCommand(page, *slot, wParam);
    case WM_NOTIFY:
        return OnPageNotify(page, *slot, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_DESTROY:
        slot->page->Finish(page);
        SetWindowLongPtrA(page, DWLP_USER, 0);
        return FALSE;
    default:
        return slot->page->OnMessage(page, message, wParam, lParam);
    }
}

} // namespace

void ShowPageProblem(HWND page, const PageProblem& problem) {
    const char* caption = problem.caption.empty() ? kAppCaption : problem.caption.c_str();
    MessageBoxA(page, problem.message.c_str(), caption, MB_OK);
    if (HWND control = GetDlgItem(page, problem.control)) {
        SetFocus(control);
        SendMessageA(control, EM_SETSEL, 0, -1);
    }
}

void MarkPageChanged(HWND page, SheetPage& sheetPage) {
    sheetPage.MarkChanged();
    PropSheet_Changed(GetParent(page), page);
}

INT_PTR RunSheet(const SheetSetup& setup) {
    std::vector<SheetPage*> pages;
    pages.reserve(setup.pages.size());
    for (const SheetPageEntry& entry : setup.pages) {
        pages.push_back(entry.page);
    }
    // The slots must not move while the sheet runs: every page holds a pointer to its own.
    std::vector<PageSlot> slots(setup.pages.size());
    std::vector<PROPSHEETPAGEA> sheetPages(setup.pages.size());
    for (std::size_t i = 0; i < setup.pages.size(); ++i) {
        const SheetPageEntry& entry = setup.pages[i];
        slots[i] = PageSlot{&setup, pages, entry.page, static_cast<int>(i), false};
        PROPSHEETPAGEA& p = sheetPages[i];
        p.dwSize = sizeof(p);
        p.hInstance = setup.instance;
        if (entry.dialogTemplate != nullptr) {
            p.dwFlags = PSP_DLGINDIRECT;
            p.pResource = entry.dialogTemplate;
        } else {
            p.dwFlags = PSP_DEFAULT;
            p.pszTemplate = MAKEINTRESOURCEA(entry.dialogId);
        }
        p.pfnDlgProc = PageProc;
        p.lParam = reinterpret_cast<LPARAM>(&slots[i]);
    }
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.hwndParent = setup.owner;
    header.hInstance = setup.instance;
    header.pszCaption = setup.caption.c_str();
    header.nPages = static_cast<UINT>(sheetPages.size());
    header.nStartPage = static_cast<UINT>(setup.startPage);
    header.ppsp = sheetPages.data();
    return PropertySheetA(&header);
}

} // namespace zentrava
