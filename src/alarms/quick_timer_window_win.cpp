#include "alarms/quick_timer_window_win.h"

#include "alarms/quick_timer_win.h"
#include "base/app_context_win.h"
#include "base/event_log_win.h"
#include "base/win_handles_win.h"
#include "clock/clocks_win.h"
#include "dialogs/pickers_win.h"
#include "face/drawing_objects_win.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <utility>

namespace zentrava {
namespace {

constexpr UINT kRanOutMessage = WM_APP + 1;
constexpr UINT_PTR kDisplaySubclassId = 1;

constexpr std::array<int, 5> kMinuteButtons{1, 3, 5, 10, 30}; // IDC_QT_ADD_1 onwards
static_assert(kMinuteButtons.size() == IDC_QT_ADD_30 - IDC_QT_ADD_1 + 1);

// The controls a running countdown takes out of play.
constexpr std::array<int, 10> kStoppedOnlyControls{
    IDC_QT_ADD_1,          IDC_QT_ADD_3,        IDC_QT_ADD_5,        IDC_QT_ADD_10,
    IDC_QT_ADD_30,         IDC_QT_CLEAR,        IDC_QT_SOUND_CHOOSE, IDC_QT_SOUND_CLEAR,
    IDC_QT_PICTURE_CHOOSE, IDC_QT_PICTURE_CLEAR};

LogFontFields DisplayFont() {
    LogFontFields font;
    font.Height = 48;
    font.FontFaceName = "ＭＳ ゴシック";
    return font;
}

class QuickTimerDialog {
public:
    HWND hwnd() const { return hwnd_; }
    bool InChooser() const { return inChooser_; }
    void Close();

    static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK DisplayProc(HWND display, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR self);

private:
    void Start(HWND hwnd);
    void OnCommand(int control);
    void StartOrStop();
    void ShowControlsFor(bool running);
    void ShowFiles();
    void CommitChangedFiles();
    void PaintDisplay(HWND display);
    template <typename Choose>
    bool RunChooser(Choose choose);

    HWND hwnd_ = nullptr;
    bool inChooser_ = false;
    bool destroyed_ = false;
    QuickTimerEdits edits_;
    std::string lastPainted_; // the test build logs each new text it paints
};

std::unique_ptr<QuickTimerDialog>& Open() {
    static std::unique_ptr<QuickTimerDialog> open;
    return open;
}

// A window destroyed while its file chooser was up (the clock exited meanwhile): its object
// waits here until the chooser's own loop has returned into it.
std::unique_ptr<QuickTimerDialog>& Orphan() {
    static std::unique_ptr<QuickTimerDialog> orphan;
    return orphan;
}

// A chooser runs a modal loop of its own, in which the window may be destroyed. False when it
// was: the object is freed and the caller must not touch it.
template <typename Choose>
bool QuickTimerDialog::RunChooser(Choose choose) {
    inChooser_ = true;
    choose();
    inChooser_ = false;
    if (destroyed_) {
        Orphan().reset();
        return false;
    }
    return true;
}

// The open window's display for the tick thread, which may not read Open().
std::atomic<HWND>& OpenDisplay() {
    static std::atomic<HWND> display{nullptr};
    return display;
}
std::atomic<HWND>& OpenWindow() {
    static std::atomic<HWND> window{nullptr};
    return window;
}

void QuickTimerDialog::Start(HWND hwnd) {
    hwnd_ = hwnd;
    edits_.files = TheQuickTimer().Files();
    ShowFiles();
    CentreWindow(hwnd);
    const HWND display = GetDlgItem(hwnd, IDC_QT_DISPLAY);
    SetWindowSubclass(display, &DisplayProc, kDisplaySubclassId, reinterpret_cast<DWORD_PTR>(this));
    ShowControlsFor(TheQuickTimer().Running());
    OpenWindow().store(hwnd);
    OpenDisplay().store(display);
    InvalidateRect(display, nullptr, FALSE);
    edits_.changed = false;
}

void QuickTimerDialog::ShowControlsFor(bool running) {
    for (int id : kStoppedOnlyControls) {
        EnableWindow(GetDlgItem(hwnd_, id), running ? FALSE : TRUE);
    }
    SetDlgItemTextA(hwnd_, IDC_QT_START, running ? "ストップ" : "スタート");
}

void QuickTimerDialog::ShowFiles() {
    SetDlgItemTextA(hwnd_, IDC_QT_SOUND_NAME, edits_.files.SoundFileName.c_str());
    SetDlgItemTextA(hwnd_, IDC_QT_PICTURE_NAME, edits_.files.ImgFileName.c_str());
}

void QuickTimerDialog::CommitChangedFiles() {
    QuickTimerFiles files;
    if (TakeFilesToCommit(edits_, files)) {
        SaveQuickTimerFiles(*Context().settings, files);
        TheQuickTimer().CommitFiles(std::move(files));
    }
}

void QuickTimerDialog::StartOrStop() {
    switch (TheQuickTimer().StartOrStop()) {
    case QuickTimerToggle::Started:
        CommitChangedFiles();
        ShowControlsFor(true);
        if constexpr (kTestHooks) {
            LogEvent("quicktimer-start " +
                     FormatLogTime(LocalDateTime(TheClocks().Read().LocalClock)));
        }
        break;
    case QuickTimerToggle::Stopped:
        ShowControlsFor(false);
        break;
    case QuickTimerToggle::Nothing:
        break;
    }
}

void QuickTimerDialog::OnCommand(int control) {
    if (control >= IDC_QT_ADD_1 && control <= IDC_QT_ADD_30) {
        TheQuickTimer().AddMinutes(
            kMinuteButtons[static_cast<std::size_t>(control - IDC_QT_ADD_1)]);
        edits_.changed = true;
        InvalidateQuickTimerDisplay();
        return;
    }
    switch (control) {
    case IDC_QT_CLEAR:
        TheQuickTimer().Clear();
        edits_.changed = true;
        InvalidateQuickTimerDisplay();
        return;
    case IDC_QT_START:
        StartOrStop();
        return;
    case IDC_QT_SOUND_CHOOSE: {
        ChosenFile file{edits_.files.SoundFile, edits_.files.SoundFileName};
        bool chosen = false;
        if (!RunChooser([&] { chosen = ChooseSoundFile(hwnd_, file); })) {
            return; // the window is gone, and so is this object
        }
        if (chosen) {
            edits_.files.SoundFile = file.path;
            edits_.files.SoundFileName = file.displayName;
            edits_.changed = true;
        }
        break;
    }
    case IDC_QT_SOUND_CLEAR:
        edits_.files.SoundFile.clear();
        edits_.files.SoundFileName.clear();
        edits_.changed = true;
        break;
    case IDC_QT_PICTURE_CHOOSE: {
        ChosenFile file{edits_.files.ImgFile, edits_.files.ImgFileName};
        bool chosen = false;
        if (!RunChooser([&] { chosen = ChoosePictureFile(hwnd_, file); })) {
            return;
        }
        if (chosen) {
            edits_.files.ImgFile = file.path;
            edits_.files.ImgFileName = file.displayName;
            edits_.changed = true;
        }
        break;
    }
    case IDC_QT_PICTURE_CLEAR:
        edits_.files.ImgFile.clear();
        edits_.files.ImgFileName.clear();
        edits_.changed = true;
        break;
    case IDCANCEL:
        Close();
        return;
    default:
        return;
    }
    ShowFiles();
}

// The time set and the files chosen are kept; the countdown goes on.
void QuickTimerDialog::Close() {
    CommitChangedFiles();
    DestroyWindow(hwnd_);
}

// Composed off screen and copied whole, so the running time never flickers.
void QuickTimerDialog::PaintDisplay(HWND display) {
    const std::string text = QuickTimerText(TheQuickTimer().View());
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(display, &ps);
    RECT r{};
    GetClientRect(display, &r);
    const UniqueMemoryDc memory(CreateCompatibleDC(dc));
    const UniqueBitmap bitmap(CreateCompatibleBitmap(dc, r.right, r.bottom));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const UniquePen pen(CreatePen(PS_SOLID, 1, face));
    const UniqueBrush brush(CreateSolidBrush(face));
    const LOGFONTA logFont = ToLogFontA(DisplayFont());
    const UniqueFont font(CreateFontIndirectA(&logFont));
    if (memory && bitmap && pen && brush && font) {
        const ScopedSelect selectBitmap(memory.get(), bitmap.get());
        {
            const ScopedSelect selectPen(memory.get(), pen.get());
            const ScopedSelect selectBrush(memory.get(), brush.get());
            Rectangle(memory.get(), r.left, r.top, r.right, r.bottom);
        }
        const ScopedSelect selectFont(memory.get(), font.get());
        SetBkMode(memory.get(), TRANSPARENT);
        RECT box = r;
        DrawTextA(memory.get(), text.data(), static_cast<int>(text.size()), &box,
                  DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        BitBlt(dc, 0, 0, r.right, r.bottom, memory.get(), 0, 0, SRCCOPY);
    }
    EndPaint(display, &ps);
    if constexpr (kTestHooks) {
        if (text != lastPainted_) {
            lastPainted_ = text;
            LogEvent("quicktimer-shows " + text);
        }
    }
}

LRESULT CALLBACK QuickTimerDialog::DisplayProc(HWND display, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR id, DWORD_PTR self) {
    switch (message) {
    case WM_PAINT:
        reinterpret_cast<QuickTimerDialog*>(self)->PaintDisplay(display);
        return 0;
    case WM_DESTROY:
        RemoveWindowSubclass(display, &DisplayProc, id);
        break;
    default:
        break;
    }
    return DefSubclassProc(display, message, wParam, lParam);
}

INT_PTR CALLBACK QuickTimerDialog::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<QuickTimerDialog*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        self->Start(hwnd);
        return TRUE;
    }
    auto* self = reinterpret_cast<QuickTimerDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    switch (message) {
    case WM_COMMAND:
        self->OnCommand(LOWORD(wParam));
        return TRUE;
    case kRanOutMessage:
        self->ShowControlsFor(TheQuickTimer().Running());
        InvalidateQuickTimerDisplay();
        return TRUE;
    case WM_NCDESTROY:
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        if (OpenWindow().load() == hwnd) {
            OpenDisplay().store(nullptr);
            OpenWindow().store(nullptr);
        }
        if (Open() && Open()->hwnd() == hwnd) {
            if (self->InChooser()) {
                self->destroyed_ = true;
                Orphan() = std::move(Open());
            } else {
                Open().reset(); // the window's working copies go with it
            }
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

HWND OpenQuickTimerWindow(HWND owner) {
    // Its file chooser is up: replacing it now would pull the window from under the chooser.
    if (Open() && Open()->InChooser()) {
        SetForegroundWindow(Open()->hwnd());
        return Open()->hwnd();
    }
    if (Open()) {
        Open()->Close();
        Open().reset();
    }
    auto window = std::make_unique<QuickTimerDialog>();
    const HWND hwnd =
        CreateDialogParamA(Context().instance, MAKEINTRESOURCEA(IDD_QUICK_TIMER), owner,
                           &QuickTimerDialog::Proc, reinterpret_cast<LPARAM>(window.get()));
    if (hwnd == nullptr) {
        MessageBoxA(owner, "クイックタイマーダイアログが作成できませんでした。", kAppCaption,
                    MB_OK);
        return nullptr;
    }
    Open() = std::move(window);
    ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

HWND QuickTimerWindow() {
    return Open() ? Open()->hwnd() : nullptr;
}

void InvalidateQuickTimerDisplay() {
    if (const HWND display = OpenDisplay().load()) {
        InvalidateRect(display, nullptr, FALSE);
    }
}

void PostQuickTimerRanOut() {
    if (const HWND window = OpenWindow().load()) {
        PostMessageA(window, kRanOutMessage, 0, 0);
    }
}

} // namespace zentrava
