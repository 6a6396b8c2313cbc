// The folder chooser with the shell's own browser, driven from a second thread, and with
// browsers that hand back what the real one rarely does.

#include "dialogs/folder_chooser_win.h"
#include "e2e/e2e_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include <string>
#include <thread>

namespace zentrava {
namespace {

// The browser of this thread once it is on screen.
HWND WaitForBrowser(DWORD thread) {
    HWND found = nullptr;
    e2e::WaitFor(
        [&] {
            found = e2e::FindThreadWindow(thread, [](HWND w) { return IsWindowVisible(w) != 0; });
            return found != nullptr;
        },
        30000);
    return found;
}

// The name of the item the browser's tree has selected; empty until it has chosen one.
std::string SelectedName(HWND browser) {
    const HWND tree = FindWindowExA(browser, nullptr, "SysTreeView32", nullptr);
    const auto item =
        reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    char name[MAX_PATH]{};
    TVITEMA query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = name;
    query.cchTextMax = sizeof name;
    return tree != nullptr && item != nullptr &&
                   SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query)) != 0
               ? name
               : "";
}

bool ShowsText(HWND dialog, const char* text) {
    struct Search {
        const char* text;
        bool found;
    } search{text, false};
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM out) -> BOOL {
            auto* s = reinterpret_cast<Search*>(out);
            char shown[128]{};
            GetWindowTextA(child, shown, sizeof shown);
            s->found = s->found || std::string(shown) == s->text;
            return !s->found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(FolderChooserWin, OpensOnTheCurrentFolderAndOkOrCancelAnswers) {
    char temp[MAX_PATH]{};
    GetTempPathA(sizeof temp, temp);
    std::string current = temp;
    current.pop_back(); // no trailing separator, as the browser gives paths back
    for (const int button : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(button);
        const DWORD thread = GetCurrentThreadId();
        bool titled = false;
        std::thread driver([&] {
            const HWND browser = WaitForBrowser(thread);
            if (browser == nullptr) {
                ADD_FAILURE() << "no browser";
                return;
            }
            // The browser selects the folder once it has filled its tree, later on a busy
            // machine: OK before that answers with the tree's first item.
            const std::string name = current.substr(current.find_last_of('\\') + 1);
            EXPECT_TRUE(e2e::WaitFor([&] { return SelectedName(browser) == name; }, 5000))
                << "the browser shows " << SelectedName(browser);
            titled = ShowsText(browser, kFolderChooserTitle);
            PostMessageA(browser, WM_COMMAND, static_cast<WPARAM>(button), 0);
        });
        std::string path = current;
        const bool chosen = ChooseFolder(nullptr, path);
        driver.join();
        EXPECT_TRUE(titled);
        EXPECT_EQ(chosen, button == IDOK);
        EXPECT_EQ(path, current) << "OK takes the folder it opened on";
    }
}

PIDLIST_ABSOLUTE WINAPI BrowseNothing(LPBROWSEINFOA) {
    return nullptr;
}

// "Computer": an item the shell has, but no file-system path.
PIDLIST_ABSOLUTE WINAPI BrowseComputer(LPBROWSEINFOA) {
    PIDLIST_ABSOLUTE item = nullptr;
    SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &item);
    return item;
}

TEST(FolderChooserWin, AChoiceWithoutAPathIsACancelAndLeavesTheFolder) {
    std::string path = "C:\\music";
    EXPECT_FALSE(ChooseFolder(nullptr, path, {BrowseComputer, SHGetPathFromIDListA}));
    EXPECT_EQ(path, "C:\\music");
    EXPECT_FALSE(ChooseFolder(nullptr, path, {BrowseNothing, SHGetPathFromIDListA}));
    EXPECT_EQ(path, "C:\\music");
}

TEST(FolderChooserWin, AThreadThatAlreadyUsesComKeepsIt) {
    std::thread other([] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        std::string path;
        ChooseFolder(nullptr, path, {BrowseNothing, SHGetPathFromIDListA});
        // Still initialised by its owner: a second start only counts up.
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
        CoUninitialize();
        CoUninitialize();
    });
    other.join();
}

} // namespace
} // namespace zentrava
