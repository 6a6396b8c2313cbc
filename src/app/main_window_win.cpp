#include "app/main_window_win.h"

#include "alarms/alarms_win.h"
#include "alarms/interval_alarm_win.h"
#include "alarms/notification_window_win.h"
#include "alarms/quick_timer_win.h"
#include "alarms/quick_timer_window_win.h"
#include "alarms/time_signal_win.h"
#include "app/app_win.h"
#include "app/back_buffer_win.h"
#include "app/command_table_win.h"
#include "app/general_settings_win.h"
#include "app/popup_menu_win.h"
#include "app/process_counts_win.h"
#include "app/power_events.h"
#include "app/sound_host_win.h"
#include "app/tick_win.h"
#include "app/tray_win.h"
#include "app/window_behaviour_win.h"
#include "base/event_log_win.h"
#include "base/test_hooks.h"
#include "base/tick_request_win.h"
#include "clock/clocks_win.h"
#include "clock/platform_time_win.h"
#include "face/face_painter_win.h"
#include "face/time_bands.h"
#include "face/world_zones.h"
#include "resources/commands.h"
#include "resources/resource.h"
#include "sound/audio_player_win.h"
#include "sound/seek_dialog_win.h"
#include "sound/sound_win.h"
#include "timesync/timesync_win.h"

#include <commctrl.h>
#include <mmsystem.h>
#include <windowsx.h>
#include <wtsapi32.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>

namespace zentrava {

namespace {

constexpr int kMinTrackSize = 64;

struct MainWindowState {
    BackBuffer backBuffer;
    ResumeGate power;
    bool destroyed = false;
    HWND window = nullptr; // known from WM_CREATE on, before CreateWindowExA returns it
};

MainWindowState& State() {
    static MainWindowState state;
    return state;
}

void LoadClocks(const DateTime& t, const char* reason) {
    LoadClocksAt(t, MonotonicNow(), reason);
}

// WTSAPI32 is loaded at run time: it is missing on some editions, and session tracking is
// only a refinement.
template <typename Fn>
void CallWtsApi(const char* name, HWND hwnd, Fn call) {
    UniqueLibrary library(LoadLibraryA("WTSAPI32.DLL"));
    if (!library) {
        return;
    }
    if (FARPROC proc = GetProcAddress(library.get(), name)) {
        call(proc, hwnd);
    }
}

void RegisterSessionNotification(HWND hwnd) {
    using Register = BOOL(WINAPI*)(HWND, DWORD);
    CallWtsApi("WTSRegisterSessionNotification", hwnd, [](FARPROC proc, HWND h) {
        reinterpret_cast<Register>(reinterpret_cast<void*>(proc))(h, NOTIFY_FOR_THIS_SESSION);
    });
}

void UnregisterSessionNotification(HWND hwnd) {
    using Unregister = BOOL(WINAPI*)(HWND);
    CallWtsApi("WTSUnRegisterSessionNotification", hwnd, [](FARPROC proc, HWND h) {
        reinterpret_cast<Unregister>(reinterpret_cast<void*>(proc))(h);
    });
}

void StartWindowTimers(HWND hwnd) {
    StartProximityTimer(hwnd);
    SetTimer(hwnd, kTimerTopmost, 200, nullptr);
}

void KillWindowTimers(HWND hwnd) {
    for (UINT_PTR id : {kTimerProximity, kTimerTopmost, kTimerTooltipHide, kTimerTimeServerRetry,
                        kTimerIntervalAlarm}) {
        KillTimer(hwnd, id);
    }
}

// The text fonts follow the window's height; the pens and brushes are rebuilt with them so
// the set is always whole.
void RebuildDrawingObjects(HWND hwnd) {
    App& app = TheApp();
    RECT client{};
    GetClientRect(hwnd, &client);
    std::optional<int> height;
    if (client.bottom > 0) {
        height = client.bottom;
        app.appearance.font.HeightDisit = client.bottom / 8;
    }
    const TextFontHeights heights = ComputeTextFontHeights(app.appearance.font, height);
    if (ReplaceDrawingObjects(app.drawing, app.appearance.colors, TheClocks().Zones(),
                              app.appearance.font, heights)) {
        app.fontHeights = heights;
    }
}

// The picture follows its settings and the face colour its clear parts show; an unchanged
// picture is not decoded again.
void LoadFacePicture(PictureReload reload = PictureReload::IfChanged) {
    App& app = TheApp();
    if (reload == PictureReload::Always) {
        app.facePicture = PictureFace{};
    }
    app.facePicture.Load(app.picture.BkGndPicFile,
                         static_cast<COLORREF>(app.appearance.colors.ClockFaceColor));
}

// The face's geometry, then the hand shapes made for its radius.
void RelayoutFace(HWND hwnd) {
    App& app = TheApp();
    RECT client{};
    GetClientRect(hwnd, &client);
    const ClockSettings& clock = app.appearance.clock;
    app.faceGeometry = ComputeFaceGeometry(client.right, client.bottom, clock);
    if (std::optional<HandShapes> shapes =
            BuildHandShapes(clock.ClockHandDesign, app.faceGeometry.R, clock.Clock24HourMarkSize,
                            clock.Clock24HourMarkPos)) {
        app.handShapes = *shapes;
    } else {
        // Only a design that bypassed the loader's clamp gets here; the old shapes stay.
        ReleaseSender();
        MessageBoxA(hwnd, std::string(kHandDesignErrorText).c_str(), kAppCaption, MB_OK);
    }
}

// What the menus show, read from the menu refresher's thread: the window's snapshot and the
// features' atomics, never the window thread's records.
MenuInputs GatherMenuInputs() {
    const App& app = TheApp();
    MenuInputs in;
    in.WindowDispOn = app.snapshot.Read().WindowDispOn;
    in.alarmsArmed = Alarms().Armed();
    in.alarmSounding = AlarmChannelSounding();
    in.modalDialogOpen = app.modalDialog.load() != 0;
    in.IntervalAlarmOn = TheIntervalAlarm().On();
    const NoodleState noodle = TheNoodleTimer().State();
    in.noodleRunning = noodle.running;
    in.noodleSelection = noodle.selection;
    in.seekWindowOpen = SeekDialogOpen();
    const SoundChannels& channels = Channels();
    const ChannelRecord& audio = channels.Channel(SoundChannel::Audio);
    in.audio = AudioPlaybackOf(audio.sounding.load() == 1, audio.paused.load() != 0,
                               channels.Audio().playlistRun.load() != 0);
    in.audioPausePending = channels.Audio().pausePending.load() != 0;
    in.audioSourceHasSongs = AudioSourceHasSongs();
    return in;
}

// Whatever loaded the clocks, the tray shows the new time at once.
void OnClocksLoaded() {
    HWND main = State().window;
    RefreshTrayTooltip(main);
    RequestTrayClockRefresh(main);
}

LRESULT OnCreate(HWND hwnd) {
    App& app = TheApp();
    State().destroyed = false;
    State().power = ResumeGate{};
    State().window = hwnd;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    (void)std::rand();

    app.taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    app.positionTracking = 1;
    RegisterSessionNotification(hwnd);

    InstallSoundHost();
    SetImmediateBalloon(&ShowBalloonNow);
    CreateFaceTooltip(hwnd);
    TheClocks().Reset();
    SetClockLoadListener(&OnClocksLoaded);
    StartPlacement();
    app.modalDialog = 0;

    // Every feature's settings, in the order the features depend on each other.
    const SettingsStore& settings = *Context().settings;
    LoadClockAndFontSettings(settings, app.appearance);
    LoadNtpSettingsAtCreate(settings);
    LoadTimeSignalSettings();
    LoadAlarmSettings();
    LoadAudioPlayer(settings);
    app.timeBands = LoadTimeBands(settings);
    TheClocks().SetZones(LoadWorldZoneSettings(settings));
    app.picture = LoadPictureSettings(settings);
    LoadIntervalAlarm();
    Channels().LoadVolumes(LoadVolumeSettings(settings));
    LoadQuickTimerSettings(settings);
    app.behaviour = LoadWindowBehaviour(settings, static_cast<int>(Context().platformMajor));
    ApplyLayeredStyle(hwnd);

    app.menuIdle = 1;
    SetMenuInputsProvider(&GatherMenuInputs);
    app.appearance.colors = LoadDrawColors(settings);
    LoadFacePicture();
    PublishWindowSnapshot();
    RelayoutFace(hwnd);
    RebuildDrawingObjects(hwnd);
    State().backBuffer.Create(hwnd);

    SetWindowLongPtrA(hwnd, GWL_EXSTYLE,
                      GetWindowLongPtrA(hwnd, GWL_EXSTYLE) &
                          ~static_cast<LONG_PTR>(WS_EX_APPWINDOW));
    ApplyTransparency(hwnd);
    if (PlacementOffEveryMonitor()) {
        SendMessageA(hwnd, WM_COMMAND, kCmdResetPlacement, 0);
    }

    SYSTEMTIME now;
    GetLocalTime(&now);
    LoadClocks(ToDateTime(now), "create");
    if (!AddTrayIcon(hwnd)) {
        SetTimer(hwnd, kTimerTrayRetry, 5000, nullptr);
    }
    StartWindowTimers(hwnd);
    RefreshTrayTooltip(hwnd);
    GetLocalTime(&now);
    LoadClocks(ToDateTime(now), "create");
    RunNtpStartUpUpdate(hwnd);
    StartTick(hwnd);
    StartIntervalAlarmAtCreation(hwnd);
    return 0;
}

void OnDestroy(HWND hwnd) {
    MainWindowState& state = State();
    if (state.destroyed) {
        return;
    }
    state.destroyed = true;
    App& app = TheApp();
    StopTick();
    KillWindowTimers(hwnd);
    StopNtp(hwnd);
    StopEverySound(hwnd);
    app.drawing = DrawingObjects{};
    app.facePicture = PictureFace{};
    state.backBuffer.Release();
    DeleteWindowRegion(hwnd);
    SaveVolumeSettings(*Context().settings, Channels().Volumes());
    Context().settings->PutInt("Window_Position", "AudioFilePropertySheetPos",
                               app.behaviour.AudioFilePropertySheetPos);
    SaveWindowPosition(*Context().settings, app.position);
    FreeAudioPlayer();
    SetClockLoadListener(nullptr);
    DeleteTrayIcon(hwnd);
    FreeTrayIcons();
    UnregisterSessionNotification(hwnd);
    PostMessageA(app.owner, WM_CLOSE, 0, 0);
}

void OnPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    BackBuffer& buffer = State().backBuffer;
    if (buffer.dc() != nullptr) {
        // A consistent copy: the tick may be advancing the records right now.
        const Clocks clocks = TheClocks().Read();
        const WorldZoneSettings zones = TheClocks().Zones();
        App& app = TheApp();
        PaintFace(buffer.dc(),
                  {app.faceGeometry, app.handShapes, app.appearance, app.drawing, app.fontHeights,
                   zones, clocks, app.timeBands, &app.facePicture, &app.picture});
    }
    RECT clip;
    const int kind = GetClipBox(dc, &clip);
    if (kind != ERROR && kind != NULLREGION && buffer.dc() != nullptr) {
        BitBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, buffer.dc(),
               clip.left, clip.top, SRCCOPY);
        TheApp().tick.unpaintedRedraws.store(0);
    }
    EndPaint(hwnd, &ps);
}

void OnClose(HWND hwnd) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(hwnd, &placement) && placement.showCmd == SW_SHOWMINIMIZED) {
        App& app = TheApp();
        app.position.Window_X_Pos = placement.rcNormalPosition.left;
        app.position.Window_Y_Pos = placement.rcNormalPosition.top;
    }
    DestroyWindow(hwnd);
}

PowerEvent ToPowerEvent(WPARAM event) {
    switch (event) {
    case PBT_APMSUSPEND:
        return PowerEvent::Suspend;
    case PBT_APMRESUMEAUTOMATIC:
        return PowerEvent::ResumeAutomatic;
    case PBT_APMRESUMESUSPEND:
        return PowerEvent::ResumeByUser;
    default:
        return PowerEvent::Other;
    }
}

LRESULT OnPowerBroadcast(HWND hwnd, WPARAM event) {
    const PowerStep step = State().power.Step(ToPowerEvent(event));
    switch (step.action) {
    case PowerAction::StopTick:
        StopTick();
        break;
    case PowerAction::Resume:
        LoadClocksFromSystem("resume");
        RunNtpStartUpUpdate(hwnd);
        StartTick(hwnd);
        break;
    case PowerAction::None:
        break;
    }
    return step.answerTrue ? TRUE : FALSE;
}

void OnTopmostTimer(HWND hwnd);

void OnWindowTimer(HWND hwnd, WPARAM id) {
    switch (id) {
    case kTimerTrayRetry:
        OnTrayRetryTimer(hwnd);
        break;
    case kTimerProximity:
        RunProximityCheck(hwnd);
        break;
    case kTimerTopmost:
        OnTopmostTimer(hwnd);
        break;
    case kTimerTooltipHide:
        OnTooltipHideTimer(hwnd);
        break;
    case kTimerTimeServerRetry:
        OnNtpRetryTimer(hwnd);
        break;
    default:
        break;
    }
}

void OnTopmostTimer(HWND hwnd) {
    const App& app = TheApp();
    if (app.behaviour.WindowTopMost == 1 && app.behaviour.WindowTopMostAlways == 1 &&
        app.menuIdle == 1 && app.modalDialog == 0 && NotificationWindow() == nullptr &&
        QuickTimerWindow() == nullptr) {
        SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    }
}

bool OnSetCursor(LPARAM lParam) {
    const App& app = TheApp();
    if (LOWORD(lParam) != HTCAPTION || !LastHitInsideFace()) {
        return false;
    }
    if (app.position.WindowDispOn == 0) {
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        return true;
    }
    if (app.menuIdle == 1) {
        if (HCURSOR cursor = LoadCursorA(Context().instance, MAKEINTRESOURCEA(IDCUR_FACE))) {
            SetCursor(cursor);
            return true;
        }
    }
    return false;
}

void OnTrayCallback(HWND hwnd, LPARAM mouseMessage) {
    switch (mouseMessage) {
    case WM_RBUTTONUP:
        ShowTrayMenu(hwnd);
        break;
    case WM_LBUTTONDBLCLK:
        ToggleClockShown(hwnd);
        SetForegroundWindow(hwnd);
        break;
    default:
        break;
    }
}

void WriteClocks(const std::string& path) {
    const Clocks c = TheClocks().Read();
    const UniqueFile file(std::fopen(path.c_str(), "wb"));
    std::FILE* f = file.get();
    if (f == nullptr) {
        return;
    }
    auto put = [f](const char* name, const ClockTimeRecord& r) {
        std::fprintf(f, "%s %d %d %d %d %d %d %d %d %d %d %d %d %d %d\n", name, r.Year, r.Month,
                     r.Day, r.DaysInMonth, r.DayOfWeek, r.Millisecond, r.Second, r.MinuteTicks,
                     r.Minute, r.HourTicks, r.Hour, r.HalfDayTicks, r.DayTicks, r.MillisecondStep);
    };
    put("LocalClock", c.LocalClock);
    put("UtcClock", c.UtcClock);
    put("WorldClock1", c.WorldClock1);
    put("WorldClock2", c.WorldClock2);
    std::fprintf(f, "HalfSecondFlag %d\nWorldSummerActive %d %d\n", c.HalfSecondFlag,
                 c.WorldSummerActive[0], c.WorldSummerActive[1]);
    std::fprintf(f, "SimulatedLead %lld\n", static_cast<long long>(SimulatedLead()));
}

int g_cancelledOnCreation = 0;
// Each dialog is answered as its window is made: a dialog without WS_VISIBLE is shown only
// once its queue is empty, and the answer is waiting there already.
LRESULT CALLBACK CancelOnCreation(int code, WPARAM wParam, LPARAM lParam) {
    char name[16] = {};
    if (code == HCBT_CREATEWND &&
        GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) > 0 &&
        std::strcmp(name, "#32770") == 0) {
        ++g_cancelledOnCreation;
        PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDCANCEL, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool WriteProcessCounts(const std::string& path) {
    const UniqueFile file(std::fopen(path.c_str(), "wb"));
    const HandleCounts handles = OwnHandleCounts();
    return file &&
           std::fprintf(file.get(), "handles %lld\nkeys %lld\nprivate %lld\n",
                        static_cast<long long>(handles.all), static_cast<long long>(handles.keys),
                        static_cast<long long>(OwnPrivateBytes())) > 0;
}

LRESULT OnTestHook(const COPYDATASTRUCT& data) {
    const auto text = [&data] {
        const char* p = static_cast<const char*>(data.lpData);
        std::string s(p, data.cbData);
        s.resize(s.find('\0') == std::string::npos ? s.size() : s.find('\0'));
        return s;
    };
    switch (data.dwData) {
    case hooks::kLoadClocks:
    case hooks::kSetSystemClock: {
        if (data.cbData != sizeof(SYSTEMTIME) || data.lpData == nullptr) {
            return 0;
        }
        SYSTEMTIME st;
        std::memcpy(&st, data.lpData, sizeof st);
        if (data.dwData == hooks::kLoadClocks) {
            LoadClocks(ToDateTime(st), "hook");
            return 1;
        }
        return RequestSystemClock(st) ? 1 : 0;
    }
    case hooks::kReadClocks:
        WriteClocks(text());
        return 1;
    case hooks::kSaveBackBuffer:
        return State().backBuffer.SaveBmp(text()) ? 1 : 0;
    case hooks::kSoak: {
        const std::string request = text();
        const std::size_t space = request.find(' ');
        SetSimulatedLeadFile(space == std::string::npos ? std::string()
                                                        : request.substr(space + 1));
        SetSoakTicksPerCallback(std::atoi(request.c_str()));
        return 1;
    }
    case hooks::kReadProcessCounts:
        return WriteProcessCounts(text()) ? 1 : 0;
    case hooks::kRequestBalloons:
        QueueTestBalloonRequests(text());
        return 1;
    case hooks::kPresetNoodleTimer:
    case hooks::kPresetQuickTimer: {
        std::int32_t seconds = 0;
        if (data.cbData != sizeof seconds || data.lpData == nullptr) {
            return 0;
        }
        std::memcpy(&seconds, data.lpData, sizeof seconds);
        if (data.dwData == hooks::kPresetNoodleTimer) {
            return PresetNoodleTimer(seconds) ? 1 : 0;
        }
        PresetQuickTimer(seconds);
        return 1;
    }
    case hooks::kGeneralSettingsTip: {
        const std::string request = text();
        const std::size_t space = request.find(' ');
        if (space == std::string::npos) {
            return 0;
        }
        const std::optional<std::string> tip =
            GeneralSettingsTipForTest(std::atoi(request.substr(0, space).c_str()));
        const UniqueFile file(tip ? std::fopen(request.substr(space + 1).c_str(), "wb") : nullptr);
        return file && std::fwrite(tip->data(), 1, tip->size(), file.get()) == tip->size() ? 1 : 0;
    }
    case hooks::kGeneralSettingsOpenings: {
        const HHOOK hook =
            SetWindowsHookExA(WH_CBT, CancelOnCreation, nullptr, GetCurrentThreadId());
        if (hook == nullptr) {
            return 0;
        }
        const int times = std::atoi(text().c_str());
        g_cancelledOnCreation = 0;
        for (int i = 0; i < times; ++i) {
            RunGeneralSettings(State().window);
        }
        UnhookWindowsHookEx(hook);
        return g_cancelledOnCreation == times ? 1 : 0;
    }
    case hooks::kMenuItemState: {
        std::int32_t id = 0;
        if (data.cbData != sizeof id || data.lpData == nullptr) {
            return 0;
        }
        std::memcpy(&id, data.lpData, sizeof id);
        const MenuState state = ComputeMenuState(GatherMenuInputs());
        const MenuItemState* item = state.Find(id);
        return item == nullptr ? 0 : 1 + (item->enabled ? 2 : 0) + (item->checked ? 4 : 0);
    }
    default:
        return 0;
    }
}

} // namespace

void FaceSettingsApplied(HWND hwnd, PictureReload reload) {
    LoadFacePicture(reload);
    RebuildDrawingObjects(hwnd);
    InvalidateRect(hwnd, nullptr, FALSE);
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const IncomingMessage incoming(message, wParam, lParam);
    App& app = TheApp();
    switch (message) {
    case WM_CREATE:
        return OnCreate(hwnd);
    case WM_DESTROY:
        OnDestroy(hwnd);
        return 0;
    case WM_ENDSESSION:
        // Only a session that really ends takes the program down with it.
        if (wParam != FALSE) {
            OnDestroy(hwnd);
        }
        return 0;
    case WM_MOVE:
        RecordMove(hwnd);
        return 0;
    case WM_SIZE:
        TheApp().facePicture.Drop();
        RelayoutFace(hwnd);
        RebuildDrawingObjects(hwnd);
        State().backBuffer.Create(hwnd);
        RecordSizeAndRegion(hwnd, wParam);
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_PAINT:
        OnPaint(hwnd);
        return 0;
    case WM_CLOSE:
        OnClose(hwnd);
        return 0;
    case WM_QUERYENDSESSION:
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMECHANGE:
        LoadClocksFromSystem("timechange");
        return 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {kMinTrackSize, kMinTrackSize};
        return 0;
    }
    case WM_COMMAND:
        return DispatchCommand(hwnd, LOWORD(wParam), lParam);
    case WM_TIMER:
        OnWindowTimer(hwnd, wParam);
        return 0;
    case WM_POWERBROADCAST:
        return OnPowerBroadcast(hwnd, wParam);
    case WM_WTSSESSION_CHANGE:
        if (wParam == WTS_CONSOLE_CONNECT) {
            app.positionTracking = 1;
        } else if (wParam == WTS_CONSOLE_DISCONNECT) {
            app.positionTracking = 0;
        }
        return 0;
    case WM_NOTIFY:
        return 0;
    case WM_NCHITTEST:
        return FaceHitTest(hwnd, wParam, lParam);
    case WM_SETCURSOR:
        if (OnSetCursor(lParam)) {
            return 0;
        }
        break;
    case WM_NCMOUSEMOVE:
        ShowFaceTooltip(hwnd, wParam, lParam);
        return 0;
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCAPTION && LastHitInsideFace()) {
            SetCursor(LoadCursorA(nullptr, IDC_SIZEALL));
        }
        break;
    case WM_SIZING:
        KeepSquareWhileSizing(hwnd, wParam, reinterpret_cast<RECT*>(lParam));
        return 0;
    case WM_MOVING:
        MarkWindowMoving();
        return 0;
    case WM_EXITSIZEMOVE:
        EndSizeMove();
        return 0;
    case WM_NCLBUTTONDBLCLK:
        ToggleMaximisedSquare(hwnd);
        return 0;
    case WM_NCRBUTTONUP:
        ShowContextMenu(hwnd, lParam);
        return 0;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_DPICHANGED: {
        // The face is laid out in pixels: take the rectangle the system suggests and let
        // WM_SIZE lay it out again.
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case MM_MCINOTIFY:
        OnMciNotify(hwnd, wParam, lParam);
        return 0;
    case WM_APP:
        return OnSetVolumeRequest(wParam, lParam);
    case kTrayCallbackMessage:
        OnTrayCallback(hwnd, lParam);
        return 0;
    case kTrayClockMessage:
        OnTrayClockMessage(hwnd);
        return 0;
    case kNtpResultMessage:
        OnNtpResult(hwnd);
        return 0;
    case kIntervalStartMessage:
        OnIntervalStartRequest(hwnd);
        return 0;
    case kAudioPositionMessage:
        OnAudioPositionMessage();
        return 0;
    case WM_COPYDATA:
        if constexpr (kTestHooks) {
            return OnTestHook(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        }
        break;
    default:
        if (message == app.taskbarCreatedMessage && message != 0) {
            OnTaskbarCreated(hwnd);
            return 0;
        }
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace zentrava
