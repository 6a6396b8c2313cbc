#pragma once
// Drives a running copy of the clock from outside, the way a user and the desktop would: starts
// it in a throw-away folder, talks to its windows with ordinary messages and the test build's
// WM_COPYDATA requests, looks at what is on screen and closes it again.
// Every call reports its result; nothing throws.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "base/win_handles_win.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrava::e2e {

inline constexpr const char* kMainWindowClass = "Zentrava";
// "ダミー" in CP932, spelled as bytes so that this file means the same under any compiler
// execution character set.
inline constexpr const char* kOwnerWindowClass = "\x83\x5F\x83\x7E\x81\x5B";
inline constexpr const char* kInstanceMutexName = "Zentrava_Application_UserMode";
inline constexpr const char* kMessageBoxClass = "#32770";

inline constexpr DWORD kDefaultTimeoutMs = 10000;

// The account name the program puts into its settings file name.
std::string CurrentUserName();
// "<drive><dir><base>_<user>.ini" for the given exe path.
std::string SettingsPathFor(const std::string& exePath, const std::string& userName);
// The settings path with ".ini" replaced by the event-log suffix.
std::string EventLogPathFor(const std::string& settingsPath);

// True while some copy of the program holds the single-instance mutex in this session.
bool AnyInstanceRunning();

// Whole file contents, opened so that a writer that keeps the file open does not block us.
std::optional<std::string> ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, std::string_view bytes);
bool FileExists(const std::string& path);
// Names (not paths) of the files in a folder that match a pattern such as "*.ini".
std::vector<std::string> ListFiles(const std::string& dir, const std::string& pattern);

// A folder under %TEMP% with a fresh name, removed with everything in it on destruction.
class TempDir {
public:
    TempDir() = default;
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    TempDir(TempDir&& other) noexcept;
    TempDir& operator=(TempDir&& other) noexcept;
    ~TempDir();

    bool Create(const std::string& prefix);
    // Returns false when something in it could not be deleted (a file still open elsewhere).
    bool Remove();
    // With a trailing backslash.
    const std::string& path() const { return path_; }
    bool valid() const { return !path_.empty(); }

private:
    std::string path_;
};

// A process we started: its handles, and what can be learnt about it from outside.
class ChildProcess {
public:
    bool Start(const std::string& exePath, const std::string& arguments,
               const std::string& workingDir);
    bool started() const { return static_cast<bool>(process_); }
    DWORD id() const { return id_; }
    HANDLE handle() const { return process_.get(); }
    bool Running() const;
    // The exit code once it has ended within the timeout.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs) const;
    // Last resort for a process that would not end; only ever this process.
    bool Terminate();
    // Top-level windows of this process (hidden ones too); a null class matches any.
    std::vector<HWND> TopLevelWindows(const char* className = nullptr) const;

private:
    UniqueHandle process_;
    UniqueHandle thread_;
    DWORD id_ = 0;
};

struct LayeredInfo {
    bool ok = false;
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
};

struct WindowState {
    bool exists = false;
    RECT rect{};
    bool visible = false;
    bool iconic = false;
    bool zoomed = false;
    UINT showCmd = 0; // from the window placement
    RECT normalRect{};
    LONG_PTR style = 0;
    LONG_PTR exStyle = 0;
    bool topmost = false;
    HWND owner = nullptr;
    std::string ownerClass;
    bool ownerVisible = false;
    LONG_PTR ownerExStyle = 0;
    std::string caption;
    int regionType = ERROR; // GetWindowRgn: ERROR when the window has no region
    RECT regionBox{};
    LayeredInfo layered;

    int width() const { return rect.right - rect.left; }
    int height() const { return rect.bottom - rect.top; }
};
WindowState ReadWindowState(HWND hwnd);
std::string WindowClassName(HWND hwnd);
std::string WindowText(HWND hwnd);

struct MessageBoxInfo {
    HWND hwnd = nullptr;
    std::string caption;
    std::string text;
    std::vector<std::string> buttons;
};
MessageBoxInfo ReadMessageBox(HWND dialog);

struct CloseResult {
    bool exited = false;     // the process ended by itself
    bool terminated = false; // it did not, and was killed
    DWORD exitCode = 0;
    std::string error;
    bool Clean() const { return exited && !terminated && exitCode == 0; }
};

// 24-bit bottom-up BMP of the screen area, as the user sees it now.
bool SaveScreenBmp(const std::string& path, const RECT& area);
bool SaveScreenBmp(const std::string& path); // the whole primary screen

// One copy of the program under test.
class ZentravaSession {
public:
    ZentravaSession() = default;
    ZentravaSession(const ZentravaSession&) = delete;
    ZentravaSession& operator=(const ZentravaSession&) = delete;
    // Closes a program still running (killing it if need be) and removes the folder.
    ~ZentravaSession();

    // Copies sourceExe into a new temporary folder as "<baseName>.exe".
    bool Stage(const std::string& sourceExe, const std::string& baseName);
    // Runs the exe where it is: its settings beside it are the user's own, left alone.
    void UseInPlace(const std::string& exePath);
    // Writes the settings file (raw CP932 bytes) the program will read at start-up.
    bool WriteIni(std::string_view bytes);

    // Refuses to start while another copy holds the instance mutex, since the new one would
    // just exit and every check after would be about the wrong program. Time-server updates
    // are switched off in the settings file unless the test set them.
    bool Launch(const std::string& arguments = {});
    // For a start that must find no settings file: the program ends before it could ask a
    // time server, and the test checks that it wrote nothing.
    void LeaveSettingsFileAlone() { keepTimeServersOff_ = false; }
    // Another copy of the same exe, for single-instance checks.
    bool LaunchAnother(ChildProcess& other, const std::string& arguments = {}) const;

    // The clock window of our process; null if the process ended or the timeout passed.
    HWND WaitForMainWindow(DWORD timeoutMs = kDefaultTimeoutMs);
    HWND mainWindow() const { return main_; }
    WindowState MainState() const { return ReadWindowState(main_); }
    // Polls the main window's state until pred holds or the timeout passes; the last state.
    template <typename Pred>
    WindowState WaitForState(Pred pred, DWORD timeoutMs = 3000) const {
        const ULONGLONG end = GetTickCount64() + timeoutMs;
        for (;;) {
            WindowState s = MainState();
            if (pred(s) || GetTickCount64() >= end) {
                return s;
            }
            Sleep(20);
        }
    }

    std::optional<LRESULT> Send(UINT message, WPARAM wParam, LPARAM lParam,
                                DWORD timeoutMs = 5000) const;
    bool Post(UINT message, WPARAM wParam, LPARAM lParam) const;
    std::optional<LRESULT> Command(int id, LPARAM lParam = 0, DWORD timeoutMs = 5000) const;
    std::optional<LRESULT> CopyData(std::uint32_t code, const void* data, DWORD size,
                                    DWORD timeoutMs = 5000) const;
    std::optional<LRESULT> CopyDataText(std::uint32_t code, const std::string& text) const;

    // Test-build requests.
    bool LoadClocks(const SYSTEMTIME& t) const;
    std::optional<std::string> ReadClocks() const;
    bool SaveBackBuffer(const std::string& path) const;
    bool RequestSystemClock(const SYSTEMTIME& t) const;

    // Settings and logs.
    const std::string& exePath() const { return exePath_; }
    const std::string& dir() const { return dir_; }
    std::string IniPath() const;
    std::string EventLogPath() const;
    // The key's value as a plain decimal number; nullopt when missing or not a number.
    std::optional<long long> IniNumber(const char* section, const char* key) const;
    std::string IniString(const char* section, const char* key, const char* fallback = "") const;
    std::optional<std::string> IniText() const { return ReadWholeFile(IniPath()); }
    std::optional<std::string> EventLogText() const { return ReadWholeFile(EventLogPath()); }
    // Waits until the event log holds a line containing needle; the whole log either way.
    std::string WaitForLogLine(std::string_view needle, DWORD timeoutMs = 3000) const;

    // Message boxes and other dialogs of our process.
    std::vector<MessageBoxInfo> MessageBoxes() const;
    std::optional<MessageBoxInfo> WaitForMessageBox(DWORD timeoutMs = kDefaultTimeoutMs) const;
    // Presses the first button; true once the box is gone.
    bool DismissMessageBox(HWND dialog, DWORD timeoutMs = 3000) const;

    bool ScreenshotWindow(const std::string& path) const;

    ChildProcess& process() { return process_; }
    const ChildProcess& process() const { return process_; }
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = kDefaultTimeoutMs) const {
        return process_.WaitForExit(timeoutMs);
    }
    // WM_CLOSE to the clock window, then waits; kills our process only if it will not end.
    CloseResult Close(DWORD timeoutMs = kDefaultTimeoutMs);
    // Stops tracking the process without ending it (a person started it to use it).
    void Detach();
    // Why the last call that failed did so, for test messages and the command line.
    const std::string& lastError() const { return lastError_; }

private:
    bool KeepTimeServersOff();
    bool keepTimeServersOff_ = true;

    TempDir temp_;
    std::string dir_;
    std::string exePath_;
    std::string userName_ = CurrentUserName();
    ChildProcess process_;
    HWND main_ = nullptr;
    mutable std::string lastError_;
};

// "YYYY-MM-DD HH:MM:SS.mmm" (milliseconds optional) to a SYSTEMTIME with its day of week.
std::optional<SYSTEMTIME> ParseLogTime(std::string_view text);
std::string FormatLogTime(const SYSTEMTIME& t);
// Milliseconds since 1601 (FILETIME scale / 10000), for differences.
std::optional<std::int64_t> ToMilliseconds(const SYSTEMTIME& t);

// --- Notification area -----------------------------------------------------------------------
// Under Wine, explorer.exe gives each notification-area icon a small window of its own; with no
// tray on the X display they sit in explorer's "Wine System Tray" window, which is shown only
// while it holds an icon. Whose icon a window is, and its tip and balloon, are in explorer's
// record behind that window, read from explorer's memory and believed only when the record
// names the very window it was reached through. Strings are in the ANSI code page, as the
// program handed them to Shell_NotifyIconA. Defined in zentrava_driver_tray_win.cpp.

struct TrayIcon {
    HWND window = nullptr; // explorer's window for the icon
    HWND owner = nullptr;
    UINT id = 0;
    UINT callbackMessage = 0;
    std::string tip;
};
// Icons on show; one hidden with NIS_HIDDEN has no window and is not among them.
std::vector<TrayIcon> TrayIcons();
std::optional<TrayIcon> FindTrayIcon(HWND owner, UINT id);
inline bool TrayIconPresent(HWND owner, UINT id) {
    return FindTrayIcon(owner, id).has_value();
}
std::optional<TrayIcon> WaitForTrayIcon(HWND owner, UINT id, DWORD timeoutMs = 3000);
// Wine also drops the icons of a window that is destroyed, so an icon gone after the program
// ended does not show that the program deleted it. Deleting the last icon keeps the program
// waiting about two seconds on Xvfb while explorer hides its tray window.
bool WaitForTrayIconGone(HWND owner, UINT id, DWORD timeoutMs = 3000);

// The icon's pixels (0x00RRGGBB, rows top down) as the user sees them, after asking explorer to
// paint the tray afresh: explorer draws a new image over the old one without erasing it.
// Nothing when another window covers the icon.
std::optional<std::vector<std::uint32_t>> CaptureTrayIcon(const TrayIcon& icon);
// Whether the icon shows `expected`, drawn the way explorer draws it: small-icon size, centred,
// on the tray's background. Nothing when the icon cannot be seen.
std::optional<bool> TrayIconShows(const TrayIcon& icon, HICON expected, DWORD timeoutMs = 2000);

struct BalloonSeen {
    HWND window = nullptr; // explorer's balloon: a tooltip with TTS_BALLOON
    HWND owner = nullptr;  // the icon it points at
    UINT id = 0;
    std::string title;   // from explorer's record; the balloon window does not give it out
    std::string text;    // what the balloon shows
    DWORD infoFlags = 0; // NIIF_* as given
    UINT timeoutMs = 0;  // as explorer keeps it: held between 10 and 30 seconds
};
// Explorer shows one balloon at a time, about two seconds after NIF_INFO; a new one for the same
// icon replaces it, one with an empty text takes it down, and so does deleting the icon.
std::optional<BalloonSeen> CurrentBalloon();
std::optional<BalloonSeen> WaitForBalloon(DWORD timeoutMs = 5000);
bool WaitForBalloonGone(DWORD timeoutMs = 3000);

// Posted to explorer's icon window in the order a real click makes them; explorer passes each
// one to the owner as its callback message (wParam the id, lParam the mouse message).
bool DoubleClickTrayIcon(HWND owner, UINT id);
bool RightClickTrayIcon(HWND owner, UINT id);
// What explorer would post, straight to the owner: for when explorer shows no icon to click.
bool PostTrayNotification(HWND owner, UINT callbackMessage, UINT id, UINT mouseMessage);

// A restarted task bar has lost every icon and says so with the registered "TaskbarCreated"
// message to all top-level windows. ForgetTrayIcon deletes an icon behind its owner's back, as
// the restart would; the broadcast returns once every window has handled it or not answered
// within the time-out.
bool ForgetTrayIcon(HWND owner, UINT id);
bool BroadcastTaskbarCreated(DWORD timeoutMs = 5000);

} // namespace zentrava::e2e
