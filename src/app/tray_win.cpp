#include "app/tray_win.h"

#include "alarms/interval_alarm_win.h"
#include "app/app_win.h"
#include "app/tray_text.h"
#include "base/event_log_win.h"
#include "base/format_text.h"
#include "clock/clocks_win.h"
#include "face/tray_clock_win.h"
#include "resources/commands.h"
#include "sound/audio_player_win.h"
#include "sound/sound_win.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <atomic>
#include <cstring>
#include <string>

namespace zentrava {

namespace {

constexpr UINT kTooltipHideMs = 6000;
constexpr UINT kBalloonTimeoutMs = 10000;

struct TrayState {
    std::atomic<bool> iconPresent{false};
    std::atomic<bool> clockRefreshPending{false};
    UniqueIcon fixedIcon;
    // Window thread only: the clock icon last handed to the shell, kept until another icon has
    // taken its place there.
    UniqueIcon clockIcon;
    ShellTip tip;

    // Window thread only.
    HWND faceTooltip = nullptr;
    bool faceTooltipShown = false;
    POINT lastMove{-1, -1};
};

TrayState& State() {
    static TrayState state;
    return state;
}

NOTIFYICONDATAA IconData(HWND hwnd) {
    NOTIFYICONDATAA data;
    std::memset(&data, 0, sizeof data);
    data.cbSize = sizeof data;
    data.hWnd = hwnd;
    data.uID = kTrayIconId;
    return data;
}

// lstrcpynA semantics, with the cut already made on a character boundary.
template <std::size_t N>
void CopyField(char (&field)[N], std::string_view text) {
    const std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
}

// What the later features show in the tooltip: the playing song and the next interval alarm.
// Read on the tick: from the audio channel's flag and the player's copy of the song's path,
// from the interval alarm's atomics, never from the window thread's records.
TrayStatus GatherTrayStatus() {
    TrayStatus status;
    status.audioPlaying = Channels().IsSounding(SoundChannel::Audio);
    if (status.audioPlaying) {
        status.audioFilePath = PlayingSongPath();
    }
    const IntervalTrayData interval = TheIntervalAlarm().TrayData();
    status.intervalAlarmOn = interval.on;
    status.intervalJust0Second = interval.just0Second;
    status.intervalStarted = interval.started;
    status.startHour = interval.startHour;
    status.startMinute = interval.startMinute;
    status.startSecond = interval.startSecond;
    status.intervalSeconds = interval.intervalSeconds;
    return status;
}

// The tick's thread: from the snapshot, never from the window thread's records.
int MainCharSet() {
    return TheApp().snapshot.Read().MainCharSet;
}

std::string RefreshTipText() {
    return TrayRefreshTip(TheClocks().Read().LocalClock, MainCharSet(), GatherTrayStatus());
}

bool TrayClockOn() {
    return TheApp().appearance.clock.TaskTrayIconClock == 1;
}

UniqueIcon DrawClockNow(HWND hwnd) {
    const ClockTimeRecord local = TheClocks().Read().LocalClock;
    UniqueIcon icon = DrawTrayClockIcon(hwnd, local.Hour, local.Minute);
    if constexpr (kTestHooks) {
        LogEvent(icon ? "tray-clock " + FormatText("%02d:%02d", local.Hour, local.Minute)
                      : std::string("tray-clock failed"));
    }
    return icon;
}

HICON FixedIcon() {
    TrayState& state = State();
    if (!state.fixedIcon) {
        state.fixedIcon.reset(static_cast<HICON>(
            LoadImageA(Context().instance, MAKEINTRESOURCEA(AppIconId()), IMAGE_ICON, 16, 16, 0)));
    }
    return state.fixedIcon.get();
}

// Called once the shell has taken its new icon (`clock`, or the fixed one when empty): only
// now is the clock icon it showed before destroyed.
void ShellShows(UniqueIcon clock) {
    State().clockIcon = std::move(clock);
}

bool Modify(NOTIFYICONDATAA& data) {
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

bool AddTrayIcon(HWND hwnd) {
    NOTIFYICONDATAA data = IconData(hwnd);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallbackMessage;
    // A clock that cannot be drawn now shows its last drawing, or else the fixed picture.
    UniqueIcon fresh = TrayClockOn() ? DrawClockNow(hwnd) : UniqueIcon();
    const bool clockShown = fresh || (TrayClockOn() && State().clockIcon);
    data.hIcon = fresh ? fresh.get() : clockShown ? State().clockIcon.get() : FixedIcon();
    const std::string tip =
        TrayAddTip(TheClocks().Read().LocalClock, MainCharSet(), GatherTrayStatus());
    CopyField(data.szTip, tip);
    const bool added = Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
    State().iconPresent.store(added);
    if (added && (fresh || !clockShown)) {
        ShellShows(std::move(fresh));
    }
    if (added) {
        State().tip.Held(tip);
    } else {
        State().tip.Forget();
    }
    if constexpr (kTestHooks) {
        LogEvent(added ? "tray-add ok" : "tray-add failed");
    }
    return added;
}

void DeleteTrayIcon(HWND hwnd) {
    NOTIFYICONDATAA data = IconData(hwnd);
    Shell_NotifyIconA(NIM_DELETE, &data);
    State().iconPresent.store(false);
    State().tip.Forget();
    if constexpr (kTestHooks) {
        LogEvent("tray-delete");
    }
}

namespace {

bool HandOverTip(HWND hwnd, std::string_view text) {
    NOTIFYICONDATAA data = IconData(hwnd);
    data.uFlags = NIF_TIP;
    CopyField(data.szTip, text);
    const bool taken = Modify(data);
    if (taken) {
        State().tip.Held(text);
    } else {
        State().tip.Forget();
    }
    return taken;
}

} // namespace

bool RefreshTrayTooltip(HWND hwnd) {
    return HandOverTip(hwnd, RefreshTipText());
}

void RefreshTrayTooltipIfChanged(HWND hwnd) {
    const std::string text = RefreshTipText();
    if (State().tip.Take(text)) {
        HandOverTip(hwnd, text);
    }
}

bool SetTrayTooltipText(HWND hwnd, std::string_view text) {
    return HandOverTip(hwnd, FitTooltip(text));
}

bool SetTrayIcon(HWND hwnd, HICON icon) {
    NOTIFYICONDATAA data = IconData(hwnd);
    data.uFlags = NIF_ICON;
    data.hIcon = icon;
    return Modify(data);
}

bool ShowBalloonNow(HWND hwnd, std::string_view title, std::string_view text) {
    const Balloon fitted = FitBalloon(title, text);
    NOTIFYICONDATAA data = IconData(hwnd);
    data.uFlags = NIF_INFO;
    CopyField(data.szInfoTitle, fitted.title);
    CopyField(data.szInfo, fitted.text);
    data.uTimeout = kBalloonTimeoutMs;
    data.dwInfoFlags = NIIF_INFO;
    const bool shown = Modify(data);
    if constexpr (kTestHooks) {
        LogEvent("balloon-shown " + Escaped(fitted.title) + "|" + Escaped(fitted.text));
    }
    return shown;
}

void RequestTrayClockRefresh(HWND hwnd) {
    TrayState& state = State();
    if (!state.clockRefreshPending.exchange(true) && !PostMessageA(hwnd, kTrayClockMessage, 0, 0)) {
        state.clockRefreshPending.store(false);
    }
}

void OnTrayClockMessage(HWND hwnd) {
    TrayState& state = State();
    // Cleared first: a request made while this one draws is drawn again afterwards.
    state.clockRefreshPending.store(false);
    if (!state.iconPresent.load()) {
        return; // the next add draws the clock
    }
    if (!TrayClockOn()) {
        const HICON fixed = FixedIcon();
        if (state.clockIcon && fixed != nullptr && SetTrayIcon(hwnd, fixed)) {
            ShellShows(UniqueIcon());
        }
        return;
    }
    // A failed drawing leaves the old clock in the tray rather than handing the shell nothing.
    UniqueIcon fresh = DrawClockNow(hwnd);
    if (fresh && SetTrayIcon(hwnd, fresh.get())) {
        ShellShows(std::move(fresh));
    }
}

void ShowPendingBalloon(HWND hwnd) {
    if (const auto balloon = Balloons().TakeCombined()) {
        ShowBalloonNow(hwnd, balloon->title, balloon->text);
    }
}

void FreeTrayIcons() {
    State().clockIcon.reset();
    State().fixedIcon.reset();
    // A request posted to the window that goes is never handled: the next window's first
    // request must post again.
    State().clockRefreshPending.store(false);
}

void OnTrayRetryTimer(HWND hwnd) {
    if (AddTrayIcon(hwnd)) {
        KillTimer(hwnd, kTimerTrayRetry);
    }
}

void OnTaskbarCreated(HWND hwnd) {
    if (!AddTrayIcon(hwnd)) {
        SetTimer(hwnd, kTimerTrayRetry, 5000, nullptr);
    }
}

void IconiseToTray(HWND hwnd) {
    // A failed refresh means the icon is gone (Explorer restarted unnoticed): add it again.
    if (!RefreshTrayTooltip(hwnd) && !AddTrayIcon(hwnd)) {
        SetTimer(hwnd, kTimerTrayRetry, 5000, nullptr);
    }
    SetWindowShown(0);
    ShowWindow(hwnd, SW_HIDE);
}

void CreateFaceTooltip(HWND hwnd) {
    TrayState& state = State();
    state.faceTooltipShown = false;
    state.lastMove = {-1, -1};
    state.faceTooltip = CreateWindowExA(
        WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr, Context().instance, nullptr);
    if (state.faceTooltip == nullptr) {
        return;
    }
    SendMessageA(state.faceTooltip, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = hwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
    tool.lpszText = const_cast<char*>("");
    SendMessageA(state.faceTooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(state.faceTooltip, TTM_SETDELAYTIME, TTDT_INITIAL, 100);
    SendMessageA(state.faceTooltip, TTM_SETDELAYTIME, TTDT_AUTOPOP, kTooltipHideMs);
}

void ShowFaceTooltip(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    TrayState& state = State();
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    // Showing the tooltip makes the system repeat the last mouse move; only a move that changes
    // both coordinates is taken as the user's.
    if (state.faceTooltip == nullptr || at.x == state.lastMove.x || at.y == state.lastMove.y) {
        return;
    }
    state.lastMove = at;
    MSG msg{hwnd, WM_NCMOUSEMOVE, wParam, lParam, static_cast<DWORD>(GetMessageTime()), at};
    SendMessageA(state.faceTooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    if (state.faceTooltipShown) {
        KillTimer(hwnd, kTimerTooltipHide);
        state.faceTooltipShown = false;
    }
    SetTimer(hwnd, kTimerTooltipHide, kTooltipHideMs, nullptr);
    state.faceTooltipShown = true;
    std::string text =
        FaceTooltipText(TheClocks().Read().LocalClock, MainCharSet(), GatherTrayStatus());
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = hwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
    tool.lpszText = text.data();
    SendMessageA(state.faceTooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(state.faceTooltip, TTM_UPDATE, 0, 0);
    SendMessageA(state.faceTooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void OnTooltipHideTimer(HWND hwnd) {
    TrayState& state = State();
    KillTimer(hwnd, kTimerTooltipHide);
    if (state.faceTooltip != nullptr) {
        SendMessageA(state.faceTooltip, TTM_POP, 0, 0);
    }
    state.faceTooltipShown = false;
}

} // namespace zentrava
