#pragma once
// Tells the tick's requests to the main window from every other message sent to it. Only a
// request of the tick may be answered before its handler is done: the tick must not wait on a
// person, but a sender in another process (the session's end, a power event) may end the
// program as soon as it has its answer, so it gets it only when everything is saved.

#include <windows.h>

namespace zentrava {

// Tick thread: SendMessageA(window, WM_COMMAND, command, lParam), announced beforehand so that
// the window thread can recognise it when it arrives.
LRESULT SendTickRequest(HWND window, int command, LPARAM lParam = 0);

// Window thread, one at the top of the main window procedure for each message. A message the
// tick announced is the tick's; the messages the window sends itself while handling one (a
// resize, its own destruction) belong to whatever is being handled; anything else is not the
// tick's, even when it arrives while a request of the tick waits.
class IncomingMessage {
public:
    IncomingMessage(UINT message, WPARAM wParam, LPARAM lParam);
    ~IncomingMessage();
    IncomingMessage(const IncomingMessage&) = delete;
    IncomingMessage& operator=(const IncomingMessage&) = delete;

private:
    bool outer_;
};

// Window thread: a request of the tick is being handled and has not been answered yet.
bool HandlingTickRequest();

} // namespace zentrava
