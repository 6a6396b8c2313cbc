#include "base/app_context_win.h"

#include "base/geometry.h"
#include "base/tick_request_win.h"

namespace zentrava {

AppContext& Context() {
    static AppContext context;
    return context;
}

void ReleaseSender() {
    if (HandlingTickRequest()) {
        ReplyMessage(0);
    }
}

void CentreWindow(HWND hwnd) {
    RECT r;
    if (!GetWindowRect(hwnd, &r)) {
        return;
    }
    const Point at = CentredOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                     r.right - r.left, r.bottom - r.top);
    SetWindowPos(hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace zentrava
