#pragma once
// The clock's context and tray menus: loading, tracking, and keeping their items' states
// current while they are open.

#include "app/menu_state.h"
#include "base/win_handles_win.h"

#include <windows.h>

#include <functional>

namespace zentrava {

// Gathers the menu's inputs from the features. Called on the window thread for
// WM_INITMENUPOPUP and every 100 ms on the multimedia-timer thread while a menu is open, so it
// may only read values that are safe to read from there.
using MenuInputsProvider = std::function<MenuInputs()>;

// The pictures beside the audio items, owned for as long as one menu is open.
class MenuBitmaps {
public:
    MenuBitmaps() = default;
    // The set that suits the current menu line height; incomplete when a bitmap is missing.
    static MenuBitmaps Load(HINSTANCE resources);

    bool complete() const { return play_ && pauseUnchecked_ && pauseChecked_ && stop_; }
    HBITMAP play() const { return play_.get(); }
    HBITMAP pauseUnchecked() const { return pauseUnchecked_.get(); }
    HBITMAP pauseChecked() const { return pauseChecked_.get(); }
    HBITMAP stop() const { return stop_.get(); }

private:
    UniqueBitmap play_;
    UniqueBitmap pauseUnchecked_;
    UniqueBitmap pauseChecked_;
    UniqueBitmap stop_;
};

// Sets the items' checks and grays and the show/hide text (its strings come from
// Context().instance). Items the menu does not hold are left alone. With withBitmaps the audio
// items also get their pictures, when bitmaps is complete.
void ApplyMenuState(HMENU menu, const MenuState& state, bool withBitmaps,
                    const MenuBitmaps* bitmaps);

// Shows the first submenu of menu resource menuId at a screen point and returns when it
// closes; false when the menu or its pictures could not be loaded, or another menu is open.
// Window thread only.
bool TrackPopup(HWND owner, int menuId, POINT at, MenuInputsProvider provider);

// The provider that the entry points below and OnInitMenuPopup use; set at window creation.
void SetMenuInputsProvider(MenuInputsProvider provider);

// WM_NCRBUTTONUP: lParam holds the screen point.
void ShowContextMenu(HWND hwnd, LPARAM screenPoint);
// The tray icon's right click: at the cursor.
void ShowTrayMenu(HWND hwnd);
// WM_INITMENUPOPUP: the state with the pictures of the menu being tracked.
void OnInitMenuPopup(HMENU popup);

} // namespace zentrava
