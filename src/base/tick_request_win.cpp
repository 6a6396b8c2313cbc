#include "base/tick_request_win.h"

#include <mutex>

namespace zentrava {

namespace {

// The one request the tick is waiting for, if any. The lock is held only to read or write the
// record, never across the send.
struct Announcement {
    std::mutex mutex;
    bool waiting = false;
    bool claimed = false;
    DWORD thread = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

Announcement& Board() {
    static Announcement board;
    return board;
}

// The notification code in a tick request's wParam (a menu's is 0, an accelerator's 1): a
// command the window sends itself with the same id and value is never taken for the tick's.
constexpr WORD kTickRequestCode = 0x5A54;

thread_local bool handlingTickRequest = false;

// Sent from another thread and not answered yet: the only state in which an answer can still
// release a sender.
bool UnansweredCrossThreadSend() {
    return (InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_REPLIED)) == ISMEX_SEND;
}

bool ClaimIfAnnounced(WPARAM wParam, LPARAM lParam) {
    Announcement& board = Board();
    const std::lock_guard lock(board.mutex);
    if (!board.waiting || board.claimed || board.thread == GetCurrentThreadId() ||
        board.wParam != wParam || board.lParam != lParam) {
        return false;
    }
    board.claimed = true;
    return true;
}

// Raised synchronously by the window thread's own calls (moving, sizing, showing, destroying
// the window): they carry on the work of the message that caused them.
bool SentByTheWindowItself(UINT message) {
    switch (message) {
    case WM_SIZE:
    case WM_MOVE:
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
    case WM_NCCALCSIZE:
    case WM_GETMINMAXINFO:
    case WM_SHOWWINDOW:
    case WM_DESTROY:
    case WM_NCDESTROY:
        return true;
    default:
        return false;
    }
}

} // namespace

LRESULT SendTickRequest(HWND window, int command, LPARAM lParam) {
    const WPARAM wParam = MAKEWPARAM(command, kTickRequestCode);
    // From the window's own thread it is an ordinary call, and must not take the place of a
    // request the tick may be waiting on.
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        return SendMessageA(window, WM_COMMAND, wParam, lParam);
    }
    Announcement& board = Board();
    {
        const std::lock_guard lock(board.mutex);
        board.waiting = true;
        board.claimed = false;
        board.thread = GetCurrentThreadId();
        board.wParam = wParam;
        board.lParam = lParam;
    }
    const LRESULT result = SendMessageA(window, WM_COMMAND, wParam, lParam);
    {
        const std::lock_guard lock(board.mutex);
        board.waiting = false;
    }
    return result;
}

IncomingMessage::IncomingMessage(UINT message, WPARAM wParam, LPARAM lParam)
    : outer_(handlingTickRequest) {
    if (message == WM_COMMAND && UnansweredCrossThreadSend() && ClaimIfAnnounced(wParam, lParam)) {
        handlingTickRequest = true;
    } else if (!SentByTheWindowItself(message)) {
        handlingTickRequest = false;
    }
}

IncomingMessage::~IncomingMessage() {
    handlingTickRequest = outer_;
}

bool HandlingTickRequest() {
    return handlingTickRequest && UnansweredCrossThreadSend();
}

} // namespace zentrava
