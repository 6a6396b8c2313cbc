#pragma once
// The two modal property sheets and the protocol every page follows. A page supplies only its
// controls, its validation and what apply and cancel do to its feature's record (usually through
// PageCopies, page_protocol.h); the page procedure here does the rest: the changed mark and the
// sheet's Apply button, keeping the user on a bad value, apply, recording the active page and
// the one cancel handler.

#include "dialogs/page_protocol.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zentrava {

class SheetPage {
public:
    SheetPage() = default;
    SheetPage(const SheetPage&) = delete;
    SheetPage& operator=(const SheetPage&) = delete;
    virtual ~SheetPage() = default;

    // WM_INITDIALOG: take the backup and working copies, fill the controls from the working
    // copy, attach the drop boxes. Notifications the filling causes do not mark the page.
    virtual void Start(HWND page) = 0;
    // WM_COMMAND from a control: true when the user changed the working copy.
    virtual bool OnControl(HWND /*page*/, int /*control*/, int /*notification*/) { return false; }
    // WM_NOTIFY from a control (a tree view, a date picker, a month calendar): true when the
    // user changed the working copy. `answer` is what the page answers the control
    // (DWLP_MSGRESULT); it starts at 0. Notifications the filling causes do not mark the page.
    virtual bool OnNotify(HWND /*page*/, const NMHDR& /*header*/, LONG_PTR& /*answer*/) {
        return false;
    }
    // Leaving the page and before apply: the first bad value, if any.
    virtual std::optional<PageProblem> Validate(HWND /*page*/) { return std::nullopt; }
    // OK or Apply, changed or not, before Apply: what must happen whenever the sheet is
    // confirmed (a sound test still playing stops).
    virtual void OnEveryApply(HWND /*page*/) {}
    // OK or Apply on a changed page: commit, save the section, take any immediate effect.
    virtual void Apply(HWND /*page*/) {}
    // The cancel handler's step for a changed page: the live record back to the backup.
    virtual void Revert() {}
    virtual bool Changed() const { return false; }
    virtual void MarkChanged() {}
    // WM_DESTROY: the subclassed edits get their procedures back, the page's objects go.
    virtual void Finish(HWND /*page*/) {}
    // Any other message, as a dialog procedure answers it.
    virtual INT_PTR OnMessage(HWND /*page*/, UINT /*message*/, WPARAM /*wParam*/,
                              LPARAM /*lParam*/) {
        return FALSE;
    }
};

// Marks the page changed and enables the sheet's Apply button. For changes that do not come
// through OnControl (a chooser that returned a file, a drop).
void MarkPageChanged(HWND page, SheetPage& sheetPage);

// The page's message box (under the problem's caption, "Zentrava" when it has none), then the
// focus on the bad edit with all its text selected, so the user can type over it.
void ShowPageProblem(HWND page, const PageProblem& problem);

struct SheetPageEntry {
    int dialogId = 0;                            // a dialog resource of the instance, or
    const DLGTEMPLATE* dialogTemplate = nullptr; // a template in memory
    SheetPage* page = nullptr;
};

struct SheetSetup {
    HWND owner = nullptr;
    HINSTANCE instance = nullptr;
    std::string caption;
    std::vector<SheetPageEntry> pages;
    int startPage = 0;
    // Where the index of the page being shown is recorded; null when the sheet does not
    // remember its page.
    int* activePage = nullptr;
    // The sheet's one cancel handler, given every page in index order; empty for none.
    std::function<void(std::span<SheetPage* const>)> onCancel;
};

// Modal; returns what PropertySheetA returns (positive after OK or Apply, 0 after Cancel).
INT_PTR RunSheet(const SheetSetup& setup);

} // namespace zentrava
