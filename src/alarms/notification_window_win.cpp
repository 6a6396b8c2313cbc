#include "alarms/notification_window_win.h"

#include "alarms/alarms_win.h"
#include "alarms/notification_layout.h"
#include "alarms/quick_timer_win.h"
#include "base/app_context_win.h"
#include "base/event_log_win.h"
#include "base/win_handles_win.h"
#include "face/drawing_objects_win.h"
#include "face/picture_loader_win.h"
#include "face/picture_rotation.h"
#include "resources/resource.h"

#include <memory>
#include <optional>
#include <string>

namespace zentrava {
namespace {

constexpr COLORREF kQuickTimerWindowColour = 12303291; // 0xBBBBBB
constexpr COLORREF kTextBackground = RGB(255, 255, 255);

// The quick timer has no font setting of its own.
LogFontFields QuickTimerFont() {
    LogFontFields font;
    font.Height = 20;
    font.FontFaceName = "ＭＳ ゴシック";
    return font;
}

// Everything the window shows, copied when it is opened.
struct NotificationContent {
    int index = kQuickTimerNotification;
    std::string text;
    COLORREF windowColour = kQuickTimerWindowColour;
    COLORREF textColour = 0;
    LogFontFields font = QuickTimerFont();
    std::optional<Picture> picture; // as decoded; scaled to the client once it is laid out
};

NotificationContent Snapshot(int index) {
    NotificationContent content;
    content.index = index;
    content.text = Alarms().Message();
    if (index == kQuickTimerNotification) {
        const std::string picture = TheQuickTimer().Files().ImgFile;
        if (!picture.empty()) {
            content.picture = LoadPicture(picture, content.windowColour);
        }
        return content;
    }
    const AlarmRecord alarm = Alarms().Records()[static_cast<std::size_t>(index)];
    content.windowColour = static_cast<COLORREF>(alarm.WindowColor);
    content.textColour = static_cast<COLORREF>(alarm.TextColor);
    content.font = alarm.Font;
    if (!alarm.PictureFile.empty()) {
        content.picture = LoadPicture(alarm.PictureFile, content.windowColour);
    }
    return content;
}

Extent ExtentOf(const RECT& r) {
    return Extent{r.right - r.left, r.bottom - r.top};
}

class Notification {
public:
    explicit Notification(NotificationContent content) : content_(std::move(content)) {}

    HWND hwnd() const { return hwnd_; }
    int index() const { return content_.index; }

    static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void Start(HWND hwnd);
    void FitPicture();
    bool Paint();

    NotificationContent content_;
    HWND hwnd_ = nullptr;
    UniqueFont font_;
    UniqueBrush textBrush_;
    UniqueBrush windowBrush_;
};

std::unique_ptr<Notification>& Open() {
    static std::unique_ptr<Notification> open;
    return open;
}

void Notification::Start(HWND hwnd) {
    hwnd_ = hwnd;
    if (content_.picture) {
        ShowWindow(GetDlgItem(hwnd, IDC_NOTICE_TEXT), SW_HIDE);
        FitPicture();
    }
    CentreWindow(hwnd);
    SetDlgItemTextA(hwnd, IDC_NOTICE_TEXT, content_.text.c_str());
    textBrush_.reset(CreateSolidBrush(kTextBackground));
    windowBrush_.reset(CreateSolidBrush(content_.windowColour));
    const LOGFONTA font = ToLogFontA(content_.font);
    font_.reset(CreateFontIndirectA(&font));
    SendDlgItemMessageA(hwnd, IDC_NOTICE_TEXT, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()),
                        TRUE);
    // Only OK closes the window: a notification must not be swept away by accident.
    EnableMenuItem(GetSystemMenu(hwnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    SetWindowTextA(hwnd, NotificationCaption(content_.index).c_str());
    // The button, not the text, takes the focus: Enter closes, and the text is not shown
    // selected.
    SetFocus(GetDlgItem(hwnd, IDOK));
}

// The client takes the fitted size, the picture is scaled to it once (a paint is one copy), and
// the OK button stays inside.
void Notification::FitPicture() {
    HWND ok = GetDlgItem(hwnd_, IDOK);
    RECT buttonRect{};
    GetWindowRect(ok, &buttonRect);
    const Extent button = ExtentOf(buttonRect);
    const Extent client = FitNotificationPicture(
        Extent{content_.picture->width, content_.picture->height},
        Extent{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, button);
    content_.picture = ScaledPicture(*content_.picture, client.width, client.height);
    RECT frame{0, 0, client.width, client.height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_EXSTYLE)));
    const Extent window = ExtentOf(frame);
    SetWindowPos(hwnd_, nullptr, 0, 0, window.width, window.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const Point place = NotificationButtonPlace(client, window, button);
    SetWindowPos(ok, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

// The picture with the text over it, composed off screen and copied in one piece.
bool Notification::Paint() {
    if (!content_.picture) {
        return false;
    }
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(hwnd_, &ps);
    const Picture& picture = *content_.picture;
    const UniqueMemoryDc memory(CreateCompatibleDC(dc));
    const UniqueBitmap bitmap(CreateCompatibleBitmap(dc, picture.width, picture.height));
    if (memory && bitmap) {
        ScopedSelect selectBitmap(memory.get(), bitmap.get());
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = picture.width;
        info.bmiHeader.biHeight = -picture.height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(memory.get(), 0, 0, static_cast<DWORD>(picture.width),
                          static_cast<DWORD>(picture.height), 0, 0, 0,
                          static_cast<UINT>(picture.height), picture.pixels.data(), &info,
                          DIB_RGB_COLORS);
        // The quick timer's text too, in the black of its text box: with a picture it would
        // otherwise say nothing at all.
        if (!content_.text.empty()) {
            ScopedSelect selectFont(memory.get(), font_.get());
            SetBkMode(memory.get(), TRANSPARENT);
            SetTextColor(memory.get(), content_.textColour);
            RECT box{picture.width / 4, picture.height / 4, picture.width * 3 / 4,
                     picture.height * 3 / 4};
            DrawTextA(memory.get(), content_.text.data(), static_cast<int>(content_.text.size()),
                      &box, DT_WORDBREAK | DT_CENTER);
        }
        BitBlt(dc, 0, 0, picture.width, picture.height, memory.get(), 0, 0, SRCCOPY);
    }
    EndPaint(hwnd_, &ps);
    return true;
}

INT_PTR CALLBACK Notification::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Notification*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        self->Start(hwnd);
        return FALSE; // the focus is set
    }
    auto* self = reinterpret_cast<Notification*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    switch (message) {
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(self->windowBrush_.get());
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, kTextBackground);
        SetTextColor(dc, self->content_.textColour);
        return reinterpret_cast<INT_PTR>(self->textBrush_.get());
    }
    case WM_PAINT:
        return self->Paint() ? TRUE : FALSE;
    case WM_COMMAND:
        // Cancel (Escape) does nothing: only OK closes.
        if (LOWORD(wParam) == IDOK) {
            DestroyWindow(hwnd);
        }
        return TRUE;
    case WM_CLOSE:
        return TRUE;
    case WM_NCDESTROY:
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        if (Open() && Open()->hwnd() == hwnd) {
            if constexpr (kTestHooks) {
                LogEvent("notification-close " + std::to_string(Open()->index()));
            }
            Open().reset(); // the window's objects go with it
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

HWND OpenNotificationWindow(HWND owner, LPARAM index) {
    if (!IsNotificationIndex(static_cast<long long>(index))) {
        return nullptr;
    }
    ReleaseSender();
    if (Open()) {
        DestroyWindow(Open()->hwnd());
        Open().reset();
    }
    auto window = std::make_unique<Notification>(Snapshot(static_cast<int>(index)));
    const HWND hwnd =
        CreateDialogParamA(Context().instance, MAKEINTRESOURCEA(IDD_ALARM_NOTICE), owner,
                           &Notification::Proc, reinterpret_cast<LPARAM>(window.get()));
    if (hwnd == nullptr) {
        MessageBoxA(owner, "アラーム出力ダイアログが作成できませんでした。", kAppCaption, MB_OK);
        return nullptr;
    }
    Open() = std::move(window);
    ShowWindow(hwnd, SW_SHOW);
    if constexpr (kTestHooks) {
        LogEvent("notification-open " + std::to_string(index));
    }
    return hwnd;
}

HWND NotificationWindow() {
    return Open() ? Open()->hwnd() : nullptr;
}

} // namespace zentrava
