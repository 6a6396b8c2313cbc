#include "app/startup_win.h"

#include "alarms/notification_window_win.h"
#include "alarms/quick_timer_window_win.h"
#include "app/app_win.h"
#include "app/main_window_win.h"
#include "app/window_behaviour_win.h"
#include "base/event_log_win.h"
#include "base/settings_path.h"
#include "base/settings_store_win.h"
#include "resources/commands.h"

#include <algorithm>

namespace zentrava {

App& TheApp() {
    static App app;
    return app;
}

void PublishWindowSnapshot() {
    App& app = TheApp();
    const ClockSettings& clock = app.appearance.clock;
    app.snapshot.Commit({app.position.WindowDispOn, clock.SecondHandDispOnOff,
                         clock.SecondHandSmooth, clock.TaskTrayIconClock,
                         app.appearance.font.logFont.CharSet});
}

void SetWindowShown(int on) {
    TheApp().position.WindowDispOn = on;
    PublishWindowSnapshot();
}

int AppIconId() {
    return std::string_view(kAppIdentifier) == kVendorIdentifier ? 117 : 102;
}

namespace {

constexpr DWORD kUserNameBufferSize = 256;

unsigned PlatformMajorVersion() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info; // 148
    static_assert(sizeof(OSVERSIONINFOA) == 148);
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)
#endif
    return GetVersionExA(&info) ? info.dwMajorVersion : 0;
}

// Any user of any session may open the mutex, so a second copy started elsewhere sees it.
UniqueHandle CreateInstanceMutex(bool& alreadyRunning) {
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, TRUE};
    UniqueHandle mutex(CreateMutexA(&attributes, FALSE, kAppIdentifier));
    alreadyRunning = mutex && GetLastError() == ERROR_ALREADY_EXISTS;
    return mutex;
}

std::string UserName() {
    char name[kUserNameBufferSize + 1] = {};
    DWORD size = kUserNameBufferSize;
    return GetUserNameA(name, &size) ? std::string(name) : std::string("Unknown");
}

std::string ModulePath(HINSTANCE instance) {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
    // A path that filled the buffer was cut short; using it would name some other file.
    return length == 0 || length >= MAX_PATH ? std::string() : std::string(path, length);
}

// The ANSI functions give a character that CP932 lacks as '?' or as a look-alike (best fit),
// which names another folder or user. Read back, such a name differs from the platform's own.
bool ReadsBackAs(const std::string& ansi, const std::wstring& wide) {
    const int length = static_cast<int>(ansi.size());
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    std::wstring back(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, back.data(), n);
    return back == wide;
}

bool NamesLostCharacters(HINSTANCE instance, const std::string& exePath,
                         const std::string& userName) {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH && !ReadsBackAs(exePath, std::wstring(path, length))) {
        return true;
    }
    wchar_t name[kUserNameBufferSize + 1] = {};
    DWORD size = kUserNameBufferSize;
    // "Unknown" stands in for a name that could not be had at all.
    return GetUserNameW(name, &size) && userName != "Unknown" &&
           !ReadsBackAs(userName, std::wstring(name));
}

LRESULT CALLBACK OwnerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

bool RegisterClasses(HINSTANCE instance) {
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(AppIconId()));
    WNDCLASSEXA owner{};
    owner.cbSize = sizeof owner; // 80
    owner.lpfnWndProc = &OwnerWindowProc;
    owner.hInstance = instance;
    owner.hIcon = icon;
    owner.lpszClassName = kOwnerClassName;
    if (RegisterClassExA(&owner) == 0) {
        return false;
    }
    WNDCLASSA main{};
    main.style = CS_HREDRAW | CS_VREDRAW;
    main.lpfnWndProc = &MainWindowProc;
    main.hInstance = instance;
    main.hIcon = icon;
    main.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    main.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    main.lpszClassName = kMainClassName;
    return RegisterClassA(&main) != 0;
}

void ShowFirstTime(App& app) {
    if (app.position.WindowDispOn == 1) {
        ApplySavedMaximised(Context().main);
        if (app.behaviour.WindowHideSetting != 1) {
            ShowWindow(Context().main, SW_SHOWNA);
        }
        SendMessageA(Context().main, WM_COMMAND, kCmdTopmost, app.behaviour.WindowTopMost);
        if (app.behaviour.WindowHideSetting == 1) {
            RestartProximity();
            RunProximityCheck(Context().main);
        }
    }
    UpdateWindow(Context().main);
}

int RunMessageLoop() {
    if constexpr (kTestHooks) {
        LogEvent("message-loop");
    }
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(msg.wParam);
        }
        if (got == -1) {
            return -1;
        }
        if (const HWND notice = NotificationWindow();
            notice != nullptr && IsDialogMessageA(notice, &msg)) {
            continue;
        }
        if (const HWND quickTimer = QuickTimerWindow();
            quickTimer != nullptr && IsDialogMessageA(quickTimer, &msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace

int RunApplication(HINSTANCE instance) {
    App& app = TheApp();
    Context().platformMajor = PlatformMajorVersion();

    bool alreadyRunning = false;
    app.mutex = CreateInstanceMutex(alreadyRunning);
    if (!app.mutex) {
        MessageBoxA(nullptr, "It fails in the mutex acquisition.", "Mutex Message",
                    MB_ICONINFORMATION);
        return 0;
    }
    if (alreadyRunning) {
        app.mutex.reset();
        return 0;
    }

    Context().instance = instance;
    app.userName = UserName();
    const std::string exePath = ModulePath(instance);
    std::optional<std::string> settingsPath;
    if (!exePath.empty()) {
        settingsPath = BuildSettingsPath(SplitPath(exePath), app.userName);
    }
    if (!settingsPath) {
        MessageBoxA(nullptr,
                    "設定ファイルのパスが長すぎます。\r\n"
                    "プログラムをもっと短いパスのフォルダーに置いてください。",
                    kAppCaption, MB_OK | MB_ICONERROR);
        return 0;
    }
    // Every write to such a path would fail without a word, and no setting would be kept.
    if (LostCharacters(*settingsPath) || NamesLostCharacters(instance, exePath, app.userName)) {
        MessageBoxA(nullptr,
                    "設定ファイルのパスにシフトJISで表せない文字が含まれているため、"
                    "設定を保存できません。\r\n"
                    "フォルダー名とユーザー名にはシフトJISで表せる文字だけを使ってください。",
                    kAppCaption, MB_OK | MB_ICONERROR);
        return 0;
    }
    app.settingsPath = *settingsPath;
    Context().settings = std::make_unique<IniFileSettingsStore>(app.settingsPath);
    OpenTestEventLog(app.settingsPath);

    app.position = LoadWindowPosition(*Context().settings);
    // A window larger than every monitor together cannot be seen whole or grabbed again.
    app.position = FitToVirtualScreen(app.position, GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                      GetSystemMetrics(SM_CYVIRTUALSCREEN));

    if (!RegisterClasses(instance)) {
        return 0;
    }
    app.owner = CreateWindowExA(WS_EX_TOOLWINDOW, kOwnerClassName, "",
                                WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 0, 0, 100, 100, nullptr,
                                nullptr, instance, nullptr);
    if (app.owner == nullptr) {
        return 0;
    }
    ShowWindow(app.owner, SW_HIDE);
    Context().main =
        CreateWindowExA(WS_EX_APPWINDOW, kMainClassName, "", WS_POPUP, app.position.Window_X_Pos,
                        app.position.Window_Y_Pos, app.position.Window_Width,
                        app.position.Window_Height, app.owner, nullptr, instance, nullptr);
    if (Context().main == nullptr) {
        return 0;
    }
    ShowFirstTime(app);

    const int code = RunMessageLoop();
    CloseTestEventLog();
    app.mutex.reset();
    return code;
}

} // namespace zentrava
