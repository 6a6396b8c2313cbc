#include "dialogs/folder_chooser_win.h"

#include "base/com_win.h"

#include <array>
#include <memory>

namespace zentrava {

namespace {

struct ItemListFree {
    void operator()(ITEMIDLIST* item) const { CoTaskMemFree(item); }
};
using UniqueItemList = std::unique_ptr<ITEMIDLIST, ItemListFree>;

int CALLBACK SelectCurrentFolder(HWND browser, UINT message, LPARAM, LPARAM current) {
    if (message == BFFM_INITIALIZED && current != 0 &&
        *reinterpret_cast<const char*>(current) != '\0') {
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, current);
    }
    return 0;
}

} // namespace

bool ChooseFolder(HWND owner, std::string& path, const FolderBrowserCalls& calls) {
    // The browser's tree is made of shell objects; COM is undone only by the one who started it.
    const ComApartment com;
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.lpszTitle = kFolderChooserTitle;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
    info.lpfn = SelectCurrentFolder;
    info.lParam = reinterpret_cast<LPARAM>(path.c_str());
    const UniqueItemList item(calls.browse(&info));
    if (!item) {
        return false;
    }
    // An item without a file-system path (a virtual folder) leaves the buffer empty: taking it
    // would save an empty folder.
    std::array<char, MAX_PATH> chosen{};
    if (!calls.pathOf(item.get(), chosen.data()) || chosen[0] == '\0') {
        return false;
    }
    path = chosen.data();
    return true;
}

} // namespace zentrava
