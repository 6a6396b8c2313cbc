#include "e2e/zentrava_driver_win.h"

#include "base/test_hooks.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace zentrava::e2e {

namespace {

constexpr DWORD kUserNameBufferSize = 257;
constexpr DWORD kPollMs = 20;

std::string Hex(ULONG_PTR value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

std::string LastErrorText(const char* what) {
    return std::string(what) + " failed, error " + std::to_string(GetLastError());
}

bool EndsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

std::string WithTrailingSlash(std::string dir) {
    if (!dir.empty() && dir.back() != '\\' && dir.back() != '/') {
        dir += '\\';
    }
    return dir;
}

// Position just past the last path separator, skipping CP932 trail bytes that look like one.
std::size_t NameStart(std::string_view path) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<BYTE>(path[i]);
        if (IsDBCSLeadByteEx(932, c) && i + 1 < path.size()) {
            ++i;
        } else if (c == '\\' || c == '/' || c == ':') {
            start = i + 1;
        }
    }
    return start;
}

struct EnumState {
    DWORD processId = 0;
    const char* className = nullptr;
    std::vector<HWND>* found = nullptr;
};

BOOL CALLBACK CollectProcessWindow(HWND hwnd, LPARAM param) {
    auto& state = *reinterpret_cast<EnumState*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != state.processId) {
        return TRUE;
    }
    if (state.className != nullptr && WindowClassName(hwnd) != state.className) {
        return TRUE;
    }
    try {
        state.found->push_back(hwnd);
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param) {
    try {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, &CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

void PutLe(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
}

std::string ScratchPath(const std::string& dir, const char* stem) {
    static std::atomic<unsigned> counter{0};
    std::string base = dir;
    if (base.empty()) {
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(MAX_PATH, temp);
        base = temp;
    }
    return WithTrailingSlash(base) + stem + "_" + std::to_string(GetCurrentProcessId()) + "_" +
           std::to_string(counter.fetch_add(1)) + ".txt";
}

} // namespace

std::string CurrentUserName() {
    char name[kUserNameBufferSize + 1] = {};
    DWORD size = kUserNameBufferSize;
    return GetUserNameA(name, &size) ? std::string(name) : std::string("Unknown");
}

std::string SettingsPathFor(const std::string& exePath, const std::string& userName) {
    const std::size_t nameStart = NameStart(exePath);
    std::string base = exePath;
    for (std::size_t i = exePath.size(); i > nameStart; --i) {
        if (exePath[i - 1] == '.') {
            base.resize(i - 1);
            break;
        }
    }
    return base + "_" + userName + ".ini";
}

std::string EventLogPathFor(const std::string& settingsPath) {
    std::string path = settingsPath;
    if (EndsWith(path, ".ini")) {
        path.resize(path.size() - 4);
    }
    return path + hooks::kEventLogSuffix;
}

bool AnyInstanceRunning() {
    UniqueHandle mutex(OpenMutexA(SYNCHRONIZE, FALSE, kInstanceMutexName));
    return static_cast<bool>(mutex);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    char chunk[16384];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) {
            return std::nullopt;
        }
        if (got == 0) {
            return bytes;
        }
        bytes.append(chunk, got);
    }
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::vector<std::string> ListFiles(const std::string& dir, const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    UniqueFindHandle find(FindFirstFileA((WithTrailingSlash(dir) + pattern).c_str(), &data));
    if (!find) {
        return names;
    }
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.emplace_back(data.cFileName);
        }
    } while (FindNextFileA(find.get(), &data));
    return names;
}

// --- TempDir ---------------------------------------------------------------------------------

TempDir::TempDir(TempDir&& other) noexcept : path_(std::exchange(other.path_, {})) {}

TempDir& TempDir::operator=(TempDir&& other) noexcept {
    if (this != &other) {
        Remove();
        path_ = std::exchange(other.path_, {});
    }
    return *this;
}

TempDir::~TempDir() {
    Remove();
}

bool TempDir::Create(const std::string& prefix) {
    Remove();
    static std::atomic<unsigned> counter{0};
    char temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH, temp);
    if (length == 0 || length >= MAX_PATH) {
        return false;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate =
            WithTrailingSlash(temp) + prefix + "_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(GetTickCount64() % 1000000) + "_" + std::to_string(counter.fetch_add(1));
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate + "\\";
            return true;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            return false;
        }
    }
    return false;
}

namespace {

bool RemoveTree(const std::string& dir) {
    bool ok = true;
    WIN32_FIND_DATAA data;
    {
        UniqueFindHandle find(FindFirstFileA((dir + "*").c_str(), &data));
        if (find) {
            do {
                const std::string name = data.cFileName;
                if (name == "." || name == "..") {
                    continue;
                }
                const std::string full = dir + name;
                if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                    ok = RemoveTree(full + "\\") && ok;
                } else {
                    SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                    ok = DeleteFileA(full.c_str()) && ok;
                }
            } while (FindNextFileA(find.get(), &data));
        }
    }
    return RemoveDirectoryA(dir.c_str()) && ok;
}

} // namespace

bool TempDir::Remove() {
    if (path_.empty()) {
        return true;
    }
    // An exe that has just ended can stay mapped for a moment after its process is signalled.
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (RemoveTree(path_) || GetFileAttributesA(path_.c_str()) == INVALID_FILE_ATTRIBUTES) {
            path_.clear();
            return true;
        }
        Sleep(kPollMs);
    }
    path_.clear();
    return false;
}

// --- ChildProcess ----------------------------------------------------------------------------

bool ChildProcess::Start(const std::string& exePath, const std::string& arguments,
                         const std::string& workingDir) {
    std::string commandLine = "\"" + exePath + "\"";
    if (!arguments.empty()) {
        commandLine += " " + arguments;
    }
    std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exePath.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &info)) {
        return false;
    }
    process_.reset(info.hProcess);
    thread_.reset(info.hThread);
    id_ = info.dwProcessId;
    return true;
}

bool ChildProcess::Running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ChildProcess::WaitForExit(DWORD timeoutMs) const {
    if (!process_ || WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    if (!GetExitCodeProcess(process_.get(), &code)) {
        return std::nullopt;
    }
    return code;
}

bool ChildProcess::Terminate() {
    return process_ && TerminateProcess(process_.get(), 0xDEAD) &&
           WaitForSingleObject(process_.get(), 5000) == WAIT_OBJECT_0;
}

std::vector<HWND> ChildProcess::TopLevelWindows(const char* className) const {
    std::vector<HWND> found;
    if (id_ == 0) {
        return found;
    }
    EnumState state{id_, className, &found};
    EnumWindows(&CollectProcessWindow, reinterpret_cast<LPARAM>(&state));
    return found;
}

// --- Windows ---------------------------------------------------------------------------------

std::string WindowClassName(HWND hwnd) {
    char name[256] = {};
    const int length = GetClassNameA(hwnd, name, sizeof name);
    return length > 0 ? std::string(name, static_cast<std::size_t>(length)) : std::string();
}

std::string WindowText(HWND hwnd) {
    // WM_GETTEXT is marshalled between processes, unlike GetWindowText on a foreign control.
    const auto length = [hwnd]() -> std::optional<DWORD_PTR> {
        DWORD_PTR chars = 0;
        if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &chars)) {
            return std::nullopt;
        }
        return chars;
    };
    // The text may be replaced between the messages (a report rewritten while we read it): read
    // until the length stays the same around the read.
    for (int attempt = 0; attempt < 10; ++attempt) {
        const std::optional<DWORD_PTR> before = length();
        if (!before) {
            return {};
        }
        std::vector<char> text(2 * *before + 64, '\0');
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, text.size(),
                                 reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 2000,
                                 &copied)) {
            return {};
        }
        if (length() == before) {
            return std::string(text.data(), std::min<std::size_t>(copied, *before));
        }
    }
    return {};
}

WindowState ReadWindowState(HWND hwnd) {
    WindowState s;
    if (hwnd == nullptr || !IsWindow(hwnd)) {
        return s;
    }
    s.exists = true;
    GetWindowRect(hwnd, &s.rect);
    s.visible = IsWindowVisible(hwnd) != FALSE;
    s.iconic = IsIconic(hwnd) != FALSE;
    s.zoomed = IsZoomed(hwnd) != FALSE;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(hwnd, &placement)) {
        s.showCmd = placement.showCmd;
        s.normalRect = placement.rcNormalPosition;
    }
    s.style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    s.exStyle = GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
    s.topmost = (s.exStyle & WS_EX_TOPMOST) != 0;
    s.owner = GetWindow(hwnd, GW_OWNER);
    if (s.owner != nullptr) {
        s.ownerClass = WindowClassName(s.owner);
        s.ownerVisible = IsWindowVisible(s.owner) != FALSE;
        s.ownerExStyle = GetWindowLongPtrA(s.owner, GWL_EXSTYLE);
    }
    s.caption = WindowText(hwnd);
    UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    if (region) {
        s.regionType = GetWindowRgn(hwnd, region.get());
        if (s.regionType != ERROR) {
            GetRgnBox(region.get(), &s.regionBox);
        }
    }
    if ((s.exStyle & WS_EX_LAYERED) != 0) {
        s.layered.ok = GetLayeredWindowAttributes(hwnd, &s.layered.key, &s.layered.alpha,
                                                  &s.layered.flags) != FALSE;
    }
    return s;
}

MessageBoxInfo ReadMessageBox(HWND dialog) {
    MessageBoxInfo info;
    info.hwnd = dialog;
    info.caption = WindowText(dialog);
    for (HWND child : ChildWindows(dialog)) {
        const std::string cls = WindowClassName(child);
        if (_stricmp(cls.c_str(), "Static") == 0) {
            const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
            if ((style & SS_TYPEMASK) == SS_ICON) {
                continue;
            }
            const std::string text = WindowText(child);
            if (!text.empty()) {
                info.text += info.text.empty() ? text : "\n" + text;
            }
        } else if (_stricmp(cls.c_str(), "Button") == 0) {
            info.buttons.push_back(WindowText(child));
        }
    }
    return info;
}

// --- Screenshots -----------------------------------------------------------------------------

bool SaveScreenBmp(const std::string& path, const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return false;
    }
    ScopedWindowDc screen(nullptr);
    if (screen.get() == nullptr) {
        return false;
    }
    UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    if (!memory || !bitmap) {
        return false;
    }
    {
        ScopedSelect select(memory.get(), bitmap.get());
        // CAPTUREBLT takes layered windows too, which is how the clock may be drawn.
        if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top,
                    SRCCOPY | CAPTUREBLT)) {
            return false;
        }
    }
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height; // bottom-up, as BMP files usually are
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    bi.bmiHeader.biSizeImage = imageSize;
    std::vector<unsigned char> pixels(imageSize);
    if (GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(), &bi,
                  DIB_RGB_COLORS) != height) {
        return false;
    }

    constexpr std::uint32_t kFileHeaderSize = 14;
    constexpr std::uint32_t kInfoHeaderSize = 40;
    std::vector<unsigned char> file;
    file.reserve(kFileHeaderSize + kInfoHeaderSize + imageSize);
    file.push_back('B');
    file.push_back('M');
    PutLe(file, kFileHeaderSize + kInfoHeaderSize + imageSize, 4);
    PutLe(file, 0, 4); // reserved
    PutLe(file, kFileHeaderSize + kInfoHeaderSize, 4);
    PutLe(file, kInfoHeaderSize, 4);
    PutLe(file, static_cast<std::uint32_t>(width), 4);
    PutLe(file, static_cast<std::uint32_t>(height), 4);
    PutLe(file, 1, 2);
    PutLe(file, 24, 2);
    PutLe(file, BI_RGB, 4);
    PutLe(file, imageSize, 4);
    PutLe(file, 2835, 4); // 72 dpi
    PutLe(file, 2835, 4);
    PutLe(file, 0, 4);
    PutLe(file, 0, 4);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return WriteWholeFile(
        path, std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
}

bool SaveScreenBmp(const std::string& path) {
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return SaveScreenBmp(path, screen);
}

// --- Session ---------------------------------------------------------------------------------

ZentravaSession::~ZentravaSession() {
    if (process_.Running()) {
        Close(5000);
    }
    temp_.Remove();
}

bool ZentravaSession::Stage(const std::string& sourceExe, const std::string& baseName) {
    if (!temp_.Create("zentrava_e2e")) {
        lastError_ = LastErrorText("creating the temporary folder");
        return false;
    }
    dir_ = temp_.path();
    exePath_ = dir_ + baseName + ".exe";
    if (!CopyFileA(sourceExe.c_str(), exePath_.c_str(), TRUE)) {
        lastError_ = LastErrorText(("copying " + sourceExe).c_str());
        return false;
    }
    return true;
}

void ZentravaSession::UseInPlace(const std::string& exePath) {
    exePath_ = exePath;
    dir_ = exePath.substr(0, NameStart(exePath));
}

bool ZentravaSession::WriteIni(std::string_view bytes) {
    if (!WriteWholeFile(IniPath(), bytes)) {
        lastError_ = LastErrorText(("writing " + IniPath()).c_str());
        return false;
    }
    return true;
}

bool ZentravaSession::Launch(const std::string& arguments) {
    if (process_.Running()) {
        lastError_ = "already launched";
        return false;
    }
    if (AnyInstanceRunning()) {
        lastError_ = "another copy already holds the mutex " + std::string(kInstanceMutexName) +
                     "; a new one would exit at once";
        return false;
    }
    main_ = nullptr;
    if (keepTimeServersOff_ && !KeepTimeServersOff()) {
        return false;
    }
    if (!process_.Start(exePath_, arguments, dir_)) {
        lastError_ = LastErrorText(("starting " + exePath_).c_str());
        return false;
    }
    return true;
}

// A clock started with the defaults asks a public time server at start-up and on the hour.
// Tests must not, so unless a test chose these switches itself they are off.
bool ZentravaSession::KeepTimeServersOff() {
    const std::string ini = IniPath();
    for (const char* key : {"NTPStartUpTimeAdjust", "NTPAutoUpdate"}) {
        char value[8] = {};
        GetPrivateProfileStringA("NTP_Setting", key, "unset", value, sizeof value, ini.c_str());
        if (std::string_view(value) == "unset" &&
            WritePrivateProfileStringA("NTP_Setting", key, "0", ini.c_str()) == FALSE) {
            lastError_ = LastErrorText(("writing " + ini).c_str());
            return false;
        }
    }
    return true;
}

bool ZentravaSession::LaunchAnother(ChildProcess& other, const std::string& arguments) const {
    if (!other.Start(exePath_, arguments, dir_)) {
        lastError_ = LastErrorText(("starting another " + exePath_).c_str());
        return false;
    }
    return true;
}

HWND ZentravaSession::WaitForMainWindow(DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        const std::vector<HWND> windows = process_.TopLevelWindows(kMainWindowClass);
        if (!windows.empty()) {
            main_ = windows.front();
            // The window exists before start-up has shown and placed it; the message loop
            // running means start-up is over. An input-idle process is not enough: start-up
            // waits on other processes (the tray), answering sent messages meanwhile. The
            // test build says when its loop starts.
            WaitForInputIdle(process_.handle(), 2000);
            if (EventLogText()) {
                const ULONGLONG now = GetTickCount64();
                WaitForLogLine("message-loop",
                               now < end ? static_cast<DWORD>(end - now) : DWORD{0});
            }
            return main_;
        }
        if (!process_.Running()) {
            const std::optional<DWORD> code = process_.WaitForExit(0);
            lastError_ = "the program ended before its window appeared, exit code " +
                         (code ? std::to_string(*code) : std::string("unknown"));
            return nullptr;
        }
        if (GetTickCount64() >= end) {
            lastError_ = "no window of class " + std::string(kMainWindowClass) + " within " +
                         std::to_string(timeoutMs) + " ms";
            return nullptr;
        }
        Sleep(kPollMs);
    }
}

std::optional<LRESULT> ZentravaSession::Send(UINT message, WPARAM wParam, LPARAM lParam,
                                             DWORD timeoutMs) const {
    if (main_ == nullptr) {
        lastError_ = "no main window";
        return std::nullopt;
    }
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(main_, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs,
                             &result)) {
        lastError_ = LastErrorText(("sending message " + Hex(message)).c_str());
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

bool ZentravaSession::Post(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (main_ == nullptr || !PostMessageA(main_, message, wParam, lParam)) {
        lastError_ = LastErrorText(("posting message " + Hex(message)).c_str());
        return false;
    }
    return true;
}

std::optional<LRESULT> ZentravaSession::Command(int id, LPARAM lParam, DWORD timeoutMs) const {
    return Send(WM_COMMAND, MAKEWPARAM(id, 0), lParam, timeoutMs);
}

std::optional<LRESULT> ZentravaSession::CopyData(std::uint32_t code, const void* data, DWORD size,
                                                 DWORD timeoutMs) const {
    COPYDATASTRUCT copy{};
    copy.dwData = code;
    copy.cbData = size;
    copy.lpData = const_cast<void*>(data);
    return Send(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), timeoutMs);
}

std::optional<LRESULT> ZentravaSession::CopyDataText(std::uint32_t code,
                                                     const std::string& text) const {
    return CopyData(code, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

bool ZentravaSession::LoadClocks(const SYSTEMTIME& t) const {
    return CopyData(hooks::kLoadClocks, &t, sizeof t).value_or(0) == 1;
}

std::optional<std::string> ZentravaSession::ReadClocks() const {
    const std::string path = ScratchPath(temp_.valid() ? dir_ : std::string(), "clocks");
    DeleteFileA(path.c_str());
    if (CopyDataText(hooks::kReadClocks, path).value_or(0) != 1) {
        lastError_ = "the program did not take the clock-read request";
        return std::nullopt;
    }
    std::optional<std::string> text = ReadWholeFile(path);
    DeleteFileA(path.c_str());
    if (!text) {
        lastError_ = "the program wrote no clock records to " + path;
    }
    return text;
}

bool ZentravaSession::SaveBackBuffer(const std::string& path) const {
    return CopyDataText(hooks::kSaveBackBuffer, path).value_or(0) == 1;
}

bool ZentravaSession::RequestSystemClock(const SYSTEMTIME& t) const {
    return CopyData(hooks::kSetSystemClock, &t, sizeof t).value_or(0) == 1;
}

std::string ZentravaSession::IniPath() const {
    return SettingsPathFor(exePath_, userName_);
}

std::string ZentravaSession::EventLogPath() const {
    return EventLogPathFor(IniPath());
}

std::optional<long long> ZentravaSession::IniNumber(const char* section, const char* key) const {
    const std::string text = IniString(section, key, "");
    if (text.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != '\0') {
        return std::nullopt;
    }
    return value;
}

std::string ZentravaSession::IniString(const char* section, const char* key,
                                       const char* fallback) const {
    char value[4096] = {};
    const DWORD length =
        GetPrivateProfileStringA(section, key, fallback, value, sizeof value, IniPath().c_str());
    return std::string(value, length);
}

std::string ZentravaSession::WaitForLogLine(std::string_view needle, DWORD timeoutMs) const {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        std::string log = EventLogText().value_or("");
        if (log.find(needle) != std::string::npos || GetTickCount64() >= end) {
            return log;
        }
        Sleep(kPollMs);
    }
}

std::vector<MessageBoxInfo> ZentravaSession::MessageBoxes() const {
    std::vector<MessageBoxInfo> boxes;
    for (HWND dialog : process_.TopLevelWindows(kMessageBoxClass)) {
        if (IsWindowVisible(dialog)) {
            boxes.push_back(ReadMessageBox(dialog));
        }
    }
    return boxes;
}

std::optional<MessageBoxInfo> ZentravaSession::WaitForMessageBox(DWORD timeoutMs) const {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        std::vector<MessageBoxInfo> boxes = MessageBoxes();
        if (!boxes.empty()) {
            return boxes.front();
        }
        if (!process_.Running() || GetTickCount64() >= end) {
            lastError_ = "no message box appeared";
            return std::nullopt;
        }
        Sleep(kPollMs);
    }
}

bool ZentravaSession::DismissMessageBox(HWND dialog, DWORD timeoutMs) const {
    HWND button = nullptr;
    for (HWND child : ChildWindows(dialog)) {
        if (_stricmp(WindowClassName(child).c_str(), "Button") == 0) {
            button = child;
            break;
        }
    }
    const auto gone = [dialog](DWORD ms) {
        const ULONGLONG end = GetTickCount64() + ms;
        while (IsWindow(dialog)) {
            if (GetTickCount64() >= end) {
                return false;
            }
            Sleep(kPollMs);
        }
        return true;
    };
    if (button != nullptr) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &ignored);
        if (gone(timeoutMs / 2)) {
            return true;
        }
    }
    // A click can be lost on a box that is not the active window; the command is not.
    const int id = button != nullptr ? GetDlgCtrlID(button) : IDOK;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    if (gone(timeoutMs)) {
        return true;
    }
    lastError_ = "the message box " + Hex(reinterpret_cast<ULONG_PTR>(dialog)) + " stayed open";
    return false;
}

bool ZentravaSession::ScreenshotWindow(const std::string& path) const {
    RECT r{};
    if (main_ == nullptr || !GetWindowRect(main_, &r)) {
        lastError_ = "no main window to photograph";
        return false;
    }
    return SaveScreenBmp(path, r);
}

CloseResult ZentravaSession::Close(DWORD timeoutMs) {
    CloseResult result;
    if (!process_.started()) {
        result.error = "nothing was launched";
        return result;
    }
    if (const std::optional<DWORD> code = process_.WaitForExit(0)) {
        result.exited = true;
        result.exitCode = *code;
        result.error = "the program had already ended";
        return result;
    }
    if (main_ == nullptr || !IsWindow(main_)) {
        result.error = "no main window to close";
    } else if (!PostMessageA(main_, WM_CLOSE, 0, 0)) {
        result.error = LastErrorText("posting WM_CLOSE");
    }
    if (const std::optional<DWORD> code = process_.WaitForExit(timeoutMs)) {
        result.exited = true;
        result.exitCode = *code;
        return result;
    }
    if (result.error.empty()) {
        result.error = "the program did not end within " + std::to_string(timeoutMs) + " ms";
    }
    result.terminated = process_.Terminate();
    if (const std::optional<DWORD> code = process_.WaitForExit(0)) {
        result.exitCode = *code;
    }
    return result;
}

void ZentravaSession::Detach() {
    process_ = ChildProcess{};
    main_ = nullptr;
}

// --- Times -----------------------------------------------------------------------------------

std::optional<SYSTEMTIME> ParseLogTime(std::string_view text) {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    const std::string s(text);
    const int fields = std::sscanf(s.c_str(), "%4d-%2d-%2d %2d:%2d:%2d.%3d", &year, &month, &day,
                                   &hour, &minute, &second, &millisecond);
    if (fields < 6) {
        return std::nullopt;
    }
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    t.wSecond = static_cast<WORD>(second);
    t.wMilliseconds = static_cast<WORD>(millisecond);
    FILETIME ft;
    SYSTEMTIME normalised;
    if (!SystemTimeToFileTime(&t, &ft) || !FileTimeToSystemTime(&ft, &normalised)) {
        return std::nullopt;
    }
    return normalised;
}

std::string FormatLogTime(const SYSTEMTIME& t) {
    char text[40];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u", t.wYear, t.wMonth,
                  t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    return text;
}

std::optional<std::int64_t> ToMilliseconds(const SYSTEMTIME& t) {
    FILETIME ft;
    if (!SystemTimeToFileTime(&t, &ft)) {
        return std::nullopt;
    }
    ULARGE_INTEGER value;
    value.LowPart = ft.dwLowDateTime;
    value.HighPart = ft.dwHighDateTime;
    return static_cast<std::int64_t>(value.QuadPart / 10000);
}

} // namespace zentrava::e2e
