#pragma once
// The notification-area icon, its tooltip and balloons, and the face's own tooltip. The texts
// and the merging of balloon requests live in tray_text.h and balloon_requests.h.

#include "base/balloon_requests.h"

#include <windows.h>

#include <string_view>

namespace zentrava {

inline constexpr UINT kTrayIconId = 100;

// Window thread. Each returns the shell's answer; the add keeps it as the icon-present flag.
// With TaskTrayIconClock on, the add shows the clock drawn afresh.
bool AddTrayIcon(HWND hwnd);
void DeleteTrayIcon(HWND hwnd);
// Either thread. Each hands the shell the tip and answers whether it took it.
bool RefreshTrayTooltip(HWND hwnd);
// Tick thread, every second: only a tip that differs from what the shell holds is handed over.
void RefreshTrayTooltipIfChanged(HWND hwnd);
bool SetTrayTooltipText(HWND hwnd, std::string_view text);
bool SetTrayIcon(HWND hwnd, HICON icon);
// Any thread: the tray clock is to show the time afresh. Only the window thread replaces the
// icon, so this posts kTrayClockMessage, once until that message is handled.
void RequestTrayClockRefresh(HWND hwnd);
// kTrayClockMessage: with TaskTrayIconClock on, a new clock icon is drawn, handed to the tray,
// and only then is the old one destroyed.
void OnTrayClockMessage(HWND hwnd);
bool ShowBalloonNow(HWND hwnd, std::string_view title, std::string_view text);
// Tick thread, every tick: one balloon for whatever was requested since the last.
void ShowPendingBalloon(HWND hwnd);
// The icons this feature loaded or drew, released at exit, and a waiting clock request.
void FreeTrayIcons();

// The icon could not be added: retry every 5 s until it is.
void OnTrayRetryTimer(HWND hwnd);
// The task bar came back (Explorer restarted): the icon has to be added again.
void OnTaskbarCreated(HWND hwnd);
// kCmdIconise: the clock goes into the tray.
void IconiseToTray(HWND hwnd);

void CreateFaceTooltip(HWND hwnd);
// WM_NCMOUSEMOVE over the face, with the message's own parameters.
void ShowFaceTooltip(HWND hwnd, WPARAM wParam, LPARAM lParam);
void OnTooltipHideTimer(HWND hwnd);

} // namespace zentrava
