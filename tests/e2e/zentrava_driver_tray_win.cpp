// The notification-area part of the end-to-end driver: what explorer.exe under Wine shows of a
// program's tray icon and balloon, and the clicks and broadcasts a test plays the desktop with.

#include "e2e/zentrava_driver_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <utility>

namespace zentrava::e2e {

namespace {

constexpr DWORD kPollMs = 20;

// Wine 8's display driver keeps its icon windows in a standalone tray window when no tray on the
// X display takes them; later versions keep them in explorer's task bar window. The record check
// keeps a window of some other layout from being misread.
constexpr std::array<const char*, 2> kTrayIconClasses = {"__winex11_tray_icon", "__wine_tray_icon"};
constexpr std::array<const char*, 2> kTrayHostClasses = {"__winex11_standalone_tray",
                                                         "Shell_TrayWnd"};
constexpr const char* kTooltipClass = "tooltips_class32";

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
    try {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, &CollectWindow, reinterpret_cast<LPARAM>(&children));
    return children;
}

// Explorer's record of an icon as a 64-bit explorer lays it out: list links, image, owner,
// window, layered flag, tooltip, state, id, callback message, display slot, then the tip,
// balloon text and balloon title as UTF-16 arrays, the balloon flags and its time-out.
constexpr std::size_t kRecordOwner = 24;
constexpr std::size_t kRecordWindow = 32;
constexpr std::size_t kRecordId = 60;
constexpr std::size_t kRecordCallback = 64;
constexpr std::size_t kRecordTip = 72;        // 128 characters
constexpr std::size_t kRecordInfoText = 328;  // 256 characters
constexpr std::size_t kRecordInfoTitle = 840; // 64 characters
constexpr std::size_t kRecordInfoFlags = 968;
constexpr std::size_t kRecordInfoTimeout = 972;
constexpr std::size_t kRecordSize = 976;

struct IconRecord {
    TrayIcon icon;
    std::string infoText;
    std::string infoTitle;
    DWORD infoFlags = 0;
    UINT infoTimeout = 0;
};

bool ClassIsOneOf(HWND hwnd, const std::array<const char*, 2>& classes) {
    const std::string name = WindowClassName(hwnd);
    return std::any_of(classes.begin(), classes.end(),
                       [&name](const char* c) { return name == c; });
}

std::uint64_t GetLe(const unsigned char* p, int bytes) {
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | p[i];
    }
    return value;
}

HWND HandleAt(const unsigned char* record, std::size_t offset) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(GetLe(record + offset, 8)));
}

// A NUL-terminated UTF-16 array of the record, in the ANSI code page.
std::string TextAt(const unsigned char* record, std::size_t offset, std::size_t capacity) {
    std::wstring wide;
    for (std::size_t i = 0; i < capacity; ++i) {
        const auto c = static_cast<wchar_t>(GetLe(record + offset + 2 * i, 2));
        if (c == L'\0') {
            break;
        }
        wide.push_back(c);
    }
    if (wide.empty()) {
        return {};
    }
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(std::max(length, 0)), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                        nullptr, nullptr);
    return text;
}

std::optional<IconRecord> ReadIconRecord(HWND iconWindow) {
    const LONG_PTR address = GetWindowLongPtrA(iconWindow, GWLP_USERDATA);
    DWORD pid = 0;
    if (address == 0 || GetWindowThreadProcessId(iconWindow, &pid) == 0) {
        return std::nullopt;
    }
    UniqueHandle process(OpenProcess(PROCESS_VM_READ, FALSE, pid));
    std::array<unsigned char, kRecordSize> bytes{};
    SIZE_T got = 0;
    if (!process ||
        !ReadProcessMemory(process.get(), reinterpret_cast<const void*>(address), bytes.data(),
                           bytes.size(), &got) ||
        got != bytes.size()) {
        return std::nullopt;
    }
    const unsigned char* r = bytes.data();
    IconRecord record;
    record.icon.window = HandleAt(r, kRecordWindow);
    record.icon.owner = HandleAt(r, kRecordOwner);
    if (record.icon.window != iconWindow || !IsWindow(record.icon.owner)) {
        return std::nullopt;
    }
    record.icon.id = static_cast<UINT>(GetLe(r + kRecordId, 4));
    record.icon.callbackMessage = static_cast<UINT>(GetLe(r + kRecordCallback, 4));
    record.icon.tip = TextAt(r, kRecordTip, 128);
    record.infoText = TextAt(r, kRecordInfoText, 256);
    record.infoTitle = TextAt(r, kRecordInfoTitle, 64);
    record.infoFlags = static_cast<DWORD>(GetLe(r + kRecordInfoFlags, 4));
    record.infoTimeout = static_cast<UINT>(GetLe(r + kRecordInfoTimeout, 4));
    return record;
}

std::vector<HWND> TopLevelWindowsOfClass(const char* className) {
    std::vector<HWND> found;
    for (HWND w : TopLevelWindows()) {
        if (WindowClassName(w) == className) {
            found.push_back(w);
        }
    }
    return found;
}

// Docked icons are top-level windows; the others are children of the tray that holds them.
std::vector<HWND> TrayIconWindows() {
    std::vector<HWND> icons;
    for (HWND w : TopLevelWindows()) {
        if (ClassIsOneOf(w, kTrayIconClasses)) {
            icons.push_back(w);
        } else if (ClassIsOneOf(w, kTrayHostClasses)) {
            for (HWND child : ChildWindows(w)) {
                if (ClassIsOneOf(child, kTrayIconClasses)) {
                    icons.push_back(child);
                }
            }
        }
    }
    return icons;
}

std::optional<IconRecord> FindIconRecord(HWND owner, UINT id) {
    for (HWND w : TrayIconWindows()) {
        std::optional<IconRecord> record = ReadIconRecord(w);
        if (record && record->icon.owner == owner && record->icon.id == id) {
            return record;
        }
    }
    return std::nullopt;
}

// A page in another process, for messages whose arguments are pointers the window's own
// process has to read and write.
class RemotePage {
public:
    static constexpr SIZE_T kSize = 4096;
    explicit RemotePage(HANDLE process)
        : process_(process), address_(VirtualAllocEx(process, nullptr, kSize,
                                                     MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    RemotePage(const RemotePage&) = delete;
    RemotePage& operator=(const RemotePage&) = delete;
    ~RemotePage() {
        if (address_ != nullptr) {
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        }
    }
    char* address() const { return static_cast<char*>(address_); }

private:
    HANDLE process_;
    void* address_;
};

// The window a tooltip's first tool belongs to: for explorer's balloon, the icon's window.
HWND TooltipToolWindow(HWND tooltip) {
    DWORD pid = 0;
    if (GetWindowThreadProcessId(tooltip, &pid) == 0) {
        return nullptr;
    }
    UniqueHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (!process) {
        return nullptr;
    }
    RemotePage page(process.get());
    if (page.address() == nullptr) {
        return nullptr;
    }
    // The tooltip copies the tool's text too, up to its own limit of 1024 characters.
    constexpr SIZE_T kTextOffset = 1024;
    static_assert(sizeof(TTTOOLINFOW) <= kTextOffset);
    static_assert(RemotePage::kSize - kTextOffset >= 1024 * sizeof(wchar_t));
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.lpszText = reinterpret_cast<LPWSTR>(page.address() + kTextOffset);
    SIZE_T moved = 0;
    DWORD_PTR found = 0;
    if (!WriteProcessMemory(process.get(), page.address(), &info, sizeof info, &moved) ||
        !SendMessageTimeoutW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(page.address()),
                             SMTO_ABORTIFHUNG, 2000, &found) ||
        found == 0 ||
        !ReadProcessMemory(process.get(), page.address(), &info, sizeof info, &moved)) {
        return nullptr;
    }
    return (info.uFlags & TTF_IDISHWND) != 0 ? reinterpret_cast<HWND>(info.uId) : info.hwnd;
}

struct MouseStep {
    UINT message;
    WPARAM keys;
};

bool PostMouseSequence(HWND owner, UINT id, std::initializer_list<MouseStep> steps) {
    const std::optional<TrayIcon> icon = FindTrayIcon(owner, id);
    if (!icon) {
        return false;
    }
    RECT client{};
    GetClientRect(icon->window, &client);
    const LPARAM centre = MAKELPARAM(client.right / 2, client.bottom / 2);
    for (const MouseStep& step : steps) {
        if (!PostMessageA(icon->window, step.message, step.keys, centre)) {
            return false;
        }
    }
    return true;
}

// A bitmap's pixels as 0x00RRGGBB, rows top down; the bitmap must not be selected into a DC.
std::vector<std::uint32_t> BitmapPixels(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height; // top down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) *
                                      static_cast<std::size_t>(height));
    if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &bi, DIB_RGB_COLORS) !=
        height) {
        pixels.clear();
    }
    for (std::uint32_t& p : pixels) {
        p &= 0x00FFFFFFu;
    }
    return pixels;
}

std::vector<std::uint32_t> ScreenPixels(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    ScopedWindowDc screen(nullptr);
    UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    if (screen.get() == nullptr || !memory || !bitmap) {
        return {};
    }
    {
        ScopedSelect select(memory.get(), bitmap.get());
        if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top,
                    SRCCOPY)) {
            return {};
        }
    }
    return BitmapPixels(memory.get(), bitmap.get(), width, height);
}

// Explorer's drawing of an icon: the small-icon size, centred, over the tray's background.
std::vector<std::uint32_t> RenderTrayIcon(HICON icon, int width, int height,
                                          std::uint32_t background) {
    ScopedWindowDc screen(nullptr);
    UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    UniqueBrush brush(CreateSolidBrush(
        RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF)));
    if (!memory || !bitmap || !brush) {
        return {};
    }
    {
        ScopedSelect select(memory.get(), bitmap.get());
        const RECT all{0, 0, width, height};
        FillRect(memory.get(), &all, brush.get());
        const int cx = GetSystemMetrics(SM_CXSMICON);
        const int cy = GetSystemMetrics(SM_CYSMICON);
        DrawIconEx(memory.get(), (width - cx) / 2, (height - cy) / 2, icon, cx, cy, 0, nullptr,
                   DI_DEFAULTSIZE | DI_NORMAL);
    }
    return BitmapPixels(memory.get(), bitmap.get(), width, height);
}

bool VisibleAt(HWND hwnd, LONG x, LONG y) {
    return WindowFromPoint(POINT{x, y}) == hwnd;
}

} // namespace

std::vector<TrayIcon> TrayIcons() {
    std::vector<TrayIcon> icons;
    for (HWND w : TrayIconWindows()) {
        if (std::optional<IconRecord> record = ReadIconRecord(w)) {
            icons.push_back(std::move(record->icon));
        }
    }
    return icons;
}

std::optional<TrayIcon> FindTrayIcon(HWND owner, UINT id) {
    std::optional<IconRecord> record = FindIconRecord(owner, id);
    if (!record) {
        return std::nullopt;
    }
    return std::move(record->icon);
}

std::optional<TrayIcon> WaitForTrayIcon(HWND owner, UINT id, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        std::optional<TrayIcon> icon = FindTrayIcon(owner, id);
        if (icon || GetTickCount64() >= end) {
            return icon;
        }
        Sleep(kPollMs);
    }
}

bool WaitForTrayIconGone(HWND owner, UINT id, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (!TrayIconPresent(owner, id)) {
            return true;
        }
        if (GetTickCount64() >= end) {
            return false;
        }
        Sleep(kPollMs);
    }
}

std::optional<std::vector<std::uint32_t>> CaptureTrayIcon(const TrayIcon& icon) {
    RECT r{};
    if (!IsWindowVisible(icon.window) || !GetWindowRect(icon.window, &r) || r.right <= r.left ||
        r.bottom <= r.top) {
        return std::nullopt;
    }
    if (!VisibleAt(icon.window, r.left, r.top) || !VisibleAt(icon.window, r.right - 1, r.top) ||
        !VisibleAt(icon.window, r.left, r.bottom - 1) ||
        !VisibleAt(icon.window, r.right - 1, r.bottom - 1)) {
        return std::nullopt;
    }
    RedrawWindow(GetAncestor(icon.window, GA_ROOT), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    // The repaint happens in explorer's own time; two equal captures in a row mean it is done.
    std::vector<std::uint32_t> previous;
    for (int attempt = 0; attempt < 50; ++attempt) {
        Sleep(kPollMs);
        std::vector<std::uint32_t> pixels = ScreenPixels(r);
        if (pixels.empty()) {
            return std::nullopt;
        }
        if (pixels == previous) {
            return pixels;
        }
        previous = std::move(pixels);
    }
    return previous;
}

std::optional<bool> TrayIconShows(const TrayIcon& icon, HICON expected, DWORD timeoutMs) {
    RECT r{};
    if (!GetWindowRect(icon.window, &r)) {
        return std::nullopt;
    }
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        const std::optional<std::vector<std::uint32_t>> seen = CaptureTrayIcon(icon);
        if (!seen) {
            return std::nullopt;
        }
        // The small icon leaves a margin all round, so the corner is the tray's background.
        const std::vector<std::uint32_t> drawn =
            RenderTrayIcon(expected, r.right - r.left, r.bottom - r.top, seen->front());
        if (drawn == *seen) {
            return true;
        }
        if (GetTickCount64() >= end) {
            return false;
        }
        Sleep(kPollMs);
    }
}

std::optional<BalloonSeen> CurrentBalloon() {
    for (HWND w : TopLevelWindowsOfClass(kTooltipClass)) {
        if (!IsWindowVisible(w) || (GetWindowLongPtrA(w, GWL_STYLE) & TTS_BALLOON) == 0) {
            continue;
        }
        const HWND iconWindow = TooltipToolWindow(w);
        if (iconWindow == nullptr || !ClassIsOneOf(iconWindow, kTrayIconClasses)) {
            continue;
        }
        std::optional<IconRecord> record = ReadIconRecord(iconWindow);
        if (!record) {
            continue;
        }
        BalloonSeen balloon;
        balloon.window = w;
        balloon.owner = record->icon.owner;
        balloon.id = record->icon.id;
        balloon.title = std::move(record->infoTitle);
        balloon.text = WindowText(w);
        balloon.infoFlags = record->infoFlags;
        balloon.timeoutMs = record->infoTimeout;
        return balloon;
    }
    return std::nullopt;
}

std::optional<BalloonSeen> WaitForBalloon(DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        std::optional<BalloonSeen> balloon = CurrentBalloon();
        if (balloon || GetTickCount64() >= end) {
            return balloon;
        }
        Sleep(kPollMs);
    }
}

bool WaitForBalloonGone(DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (!CurrentBalloon()) {
            return true;
        }
        if (GetTickCount64() >= end) {
            return false;
        }
        Sleep(kPollMs);
    }
}

bool DoubleClickTrayIcon(HWND owner, UINT id) {
    return PostMouseSequence(owner, id,
                             {{WM_LBUTTONDOWN, MK_LBUTTON},
                              {WM_LBUTTONUP, 0},
                              {WM_LBUTTONDBLCLK, MK_LBUTTON},
                              {WM_LBUTTONUP, 0}});
}

bool RightClickTrayIcon(HWND owner, UINT id) {
    return PostMouseSequence(owner, id, {{WM_RBUTTONDOWN, MK_RBUTTON}, {WM_RBUTTONUP, 0}});
}

bool PostTrayNotification(HWND owner, UINT callbackMessage, UINT id, UINT mouseMessage) {
    return PostMessageA(owner, callbackMessage, id, static_cast<LPARAM>(mouseMessage)) != FALSE;
}

bool ForgetTrayIcon(HWND owner, UINT id) {
    // Explorer takes the owner from the request and does not ask who sent it.
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = owner;
    data.uID = id;
    return Shell_NotifyIconA(NIM_DELETE, &data) != FALSE;
}

bool BroadcastTaskbarCreated(DWORD timeoutMs) {
    const UINT message = RegisterWindowMessageA("TaskbarCreated");
    DWORD_PTR ignored = 0;
    return message != 0 && SendMessageTimeoutA(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG,
                                               timeoutMs, &ignored) != 0;
}

} // namespace zentrava::e2e
