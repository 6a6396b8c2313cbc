#include "app/popup_menu_win.h"

#include "app/app_win.h"
#include "base/callback_gate_win.h"
#include "resources/commands.h"
#include "resources/resource.h"

#include <mmsystem.h>
#include <windowsx.h>

#include <atomic>
#include <utility>

namespace zentrava {

namespace {

constexpr int kMenuTextBuffer = 64;
constexpr UINT kRefreshPeriodMs = 100;
constexpr UINT kRefreshTimerResolution = 1;

// Window-thread state of the menu being tracked.
struct TrackedMenu {
    bool tracking = false;
    const MenuBitmaps* bitmaps = nullptr;
    MenuInputsProvider provider;
};

TrackedMenu& Tracked() {
    static TrackedMenu tracked;
    return tracked;
}

// Shared with the refresh timer's thread. Static rather than on TrackPopup's stack: a callback
// the system had already queued when the timer was killed may still start, and must find
// something to read.
struct MenuRefresh {
    CallbackGate gate;
    // Written only while the gate is closed and no callback runs.
    HMENU menu = nullptr;
    MenuInputsProvider provider;
};

MenuRefresh& Refresh() {
    static MenuRefresh refresh;
    return refresh;
}

HINSTANCE ResourceModule() {
    const HINSTANCE instance = Context().instance;
    return instance != nullptr ? instance : GetModuleHandleA(nullptr);
}

void CALLBACK OnRefreshTimer(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    MenuRefresh& r = Refresh();
    r.gate.Run([&r] {
        if (r.provider) {
            ApplyMenuState(r.menu, ComputeMenuState(r.provider()), false, nullptr);
        }
    });
}

// Keeps the open menu's states current; when it goes, no callback touches the menu any more.
class MenuRefreshTimer {
public:
    MenuRefreshTimer(HMENU popup, MenuInputsProvider provider) {
        MenuRefresh& r = Refresh();
        r.menu = popup;
        r.provider = std::move(provider);
        r.gate.Open();
        timeBeginPeriod(kRefreshTimerResolution);
        id_ = timeSetEvent(kRefreshPeriodMs, 0, &OnRefreshTimer, 0, TIME_PERIODIC);
    }
    MenuRefreshTimer(const MenuRefreshTimer&) = delete;
    MenuRefreshTimer& operator=(const MenuRefreshTimer&) = delete;
    ~MenuRefreshTimer() {
        MenuRefresh& r = Refresh();
        r.gate.Close();
        if (id_ != 0) {
            timeKillEvent(id_);
        }
        timeEndPeriod(kRefreshTimerResolution);
        // The provider may send to this thread: keep answering until the callback has left.
        r.gate.WaitUntilIdle();
        r.menu = nullptr;
        r.provider = nullptr;
    }

private:
    UINT id_ = 0;
};

void ApplyShowHideText(HMENU menu, int textId) {
    if (GetMenuState(menu, kCmdShowHide, MF_BYCOMMAND) == static_cast<UINT>(-1)) {
        return;
    }
    char wanted[kMenuTextBuffer] = {};
    if (LoadStringA(ResourceModule(), static_cast<UINT>(textId), wanted, kMenuTextBuffer) <= 0) {
        return;
    }
    char current[kMenuTextBuffer] = {};
    GetMenuStringA(menu, kCmdShowHide, current, kMenuTextBuffer, MF_BYCOMMAND);
    // Only on a change: the refresher comes ten times a second, and a rewritten item is reset.
    if (lstrcmpiA(current, wanted) != 0) {
        ModifyMenuA(menu, kCmdShowHide, MF_BYCOMMAND | MF_STRING, kCmdShowHide, wanted);
    }
}

} // namespace

MenuBitmaps MenuBitmaps::Load(HINSTANCE resources) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        metrics.iMenuHeight = 0;
    }
    const MenuBitmapIds ids = MenuBitmapIdsForMenuHeight(metrics.iMenuHeight);
    const auto load = [resources](int id) {
        return UniqueBitmap(LoadBitmapA(resources, MAKEINTRESOURCEA(id)));
    };
    MenuBitmaps bitmaps;
    bitmaps.play_ = load(ids.play);
    bitmaps.pauseUnchecked_ = load(ids.pauseUnchecked);
    bitmaps.pauseChecked_ = load(ids.pauseChecked);
    bitmaps.stop_ = load(ids.stop);
    return bitmaps;
}

void ApplyMenuState(HMENU menu, const MenuState& state, bool withBitmaps,
                    const MenuBitmaps* bitmaps) {
    if (menu == nullptr) {
        return;
    }
    ApplyShowHideText(menu, state.showHideTextId);
    for (const MenuItemState& item : state.items) {
        const UINT id = static_cast<UINT>(item.id);
        EnableMenuItem(menu, id, MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(menu, id, MF_BYCOMMAND | (item.checked ? MF_CHECKED : MF_UNCHECKED));
    }
    if (withBitmaps && bitmaps != nullptr && bitmaps->complete()) {
        SetMenuItemBitmaps(menu, kCmdPlayAudio, MF_BYCOMMAND, bitmaps->play(), bitmaps->play());
        SetMenuItemBitmaps(menu, kCmdPauseAudio, MF_BYCOMMAND, bitmaps->pauseUnchecked(),
                           bitmaps->pauseChecked());
        SetMenuItemBitmaps(menu, kCmdStopAudio, MF_BYCOMMAND, bitmaps->stop(), bitmaps->stop());
    }
}

bool TrackPopup(HWND owner, int menuId, POINT at, MenuInputsProvider provider) {
    TrackedMenu& tracked = Tracked();
    // Reached again from inside the menu's own loop (a tray click): the open menu stays.
    if (tracked.tracking) {
        return false;
    }
    const HINSTANCE resources = ResourceModule();
    // Declared before the menu so that they outlive it: the menu shows them until destroyed.
    MenuBitmaps bitmaps;
    const UniqueMenu menu(LoadMenuA(resources, MAKEINTRESOURCEA(menuId)));
    const HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr;
    if (popup == nullptr) {
        return false;
    }
    // Without its pictures the menu still opens: exit must stay within reach.
    bitmaps = MenuBitmaps::Load(resources);

    tracked.tracking = true;
    tracked.bitmaps = &bitmaps;
    {
        const MenuRefreshTimer refresh(popup, std::move(provider));
        App& app = TheApp();
        app.menuIdle = 0;
        TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
        app.menuIdle = 1;
    }
    tracked.bitmaps = nullptr;
    tracked.tracking = false;
    return true;
}

void SetMenuInputsProvider(MenuInputsProvider provider) {
    Tracked().provider = std::move(provider);
}

void ShowContextMenu(HWND hwnd, LPARAM screenPoint) {
    // Signed: monitors left of or above the primary one have negative coordinates.
    const POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    TrackPopup(hwnd, IDR_MENU_CONTEXT, at, Tracked().provider);
}

void ShowTrayMenu(HWND hwnd) {
    SetForegroundWindow(hwnd);
    POINT at{};
    GetCursorPos(&at);
    TrackPopup(hwnd, IDR_MENU_TRAY, at, Tracked().provider);
}

void OnInitMenuPopup(HMENU popup) {
    const TrackedMenu& tracked = Tracked();
    if (tracked.provider) {
        ApplyMenuState(popup, ComputeMenuState(tracked.provider()), true, tracked.bitmaps);
    }
}

} // namespace zentrava
