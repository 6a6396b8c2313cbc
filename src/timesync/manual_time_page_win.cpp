#include "timesync/manual_time_page_win.h"

#include "base/app_context_win.h"
#include "clock/clocks_win.h"
#include "clock/platform_time_win.h"
#include "dialogs/page_controls_win.h"
#include "resources/resource.h"
#include "timesync/manual_time_page.h"
#include "timesync/ntp_texts.h"
#include "timesync/time_entry_edit_win.h"

#include <commctrl.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zentrava {

namespace {

constexpr int kTypedDigits = 2;
// An edit's text is at most two characters; anything longer came from outside the keyboard's
// rules and is refused by the check all the same.
constexpr std::size_t kEditBuffer = 32;

struct TimeField {
    int edit;
    int spin;
    int max;
    TimeEntryField field;
    WORD SYSTEMTIME::*now;
};
constexpr std::array<TimeField, 3> kFields{{
    {IDC_MT_HOUR, IDC_MT_HOUR_SPIN, 23, TimeEntryField::Hour, &SYSTEMTIME::wHour},
    {IDC_MT_MINUTE, IDC_MT_MINUTE_SPIN, 59, TimeEntryField::Minute, &SYSTEMTIME::wMinute},
    {IDC_MT_SECOND, IDC_MT_SECOND_SPIN, 59, TimeEntryField::Second, &SYSTEMTIME::wSecond},
}};

bool IsTimeEdit(int control) {
    for (const TimeField& f : kFields) {
        if (f.edit == control) {
            return true;
        }
    }
    return false;
}

CalendarDate DateOf(const SYSTEMTIME& t) {
    return CalendarDate{t.wYear, t.wMonth, t.wDay};
}

// The page's own controls, not theirs (an up-down's buddy is a sibling, moved on its own).
std::vector<HWND> Children(HWND page) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

void MoveBy(HWND page, HWND child, int dx, int dy) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(child, nullptr, r.left + dx, r.top + dy, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int PageWidth(HWND page) {
    RECT client{};
    GetClientRect(page, &client);
    return client.right - client.left;
}

// The calendar at the top of the page at the size it needs, and the template's controls below
// it. Created here rather than in the template: its size depends on the font and the locale it
// finds, and only the control itself can tell it. Its minimum size, for centring it again.
HWND CreateCalendar(HWND page, SIZE& minimum) {
    const std::vector<HWND> below = Children(page);
    // Tab stop: the keyboard is one way to choose a day.
    HWND calendar =
        CreateWindowExA(WS_EX_CLIENTEDGE, MONTHCAL_CLASSA, "",
                        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | MCS_DAYSTATE, 0, 0, 0, 0,
                        page, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MT_CALENDAR)),
                        Context().instance, nullptr);
    if (calendar == nullptr) {
        return nullptr;
    }
    RECT needed{};
    SendMessageA(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&needed));
    minimum = SIZE{needed.right - needed.left, needed.bottom - needed.top};
    const ManualPageLayout layout = LayOutManualPage(PageWidth(page), minimum.cx, minimum.cy);
    const Rect& c = layout.calendar;
    // First in the tab order, as it is first on the page.
    SetWindowPos(calendar, HWND_TOP, c.left, c.top, c.right - c.left, c.bottom - c.top,
                 SWP_NOACTIVATE);
    for (HWND child : below) {
        MoveBy(page, child, 0, layout.shift);
    }
    return calendar;
}

// The sheet sizes a page to its page area only after creating it: the page's controls move
// across as one, so the calendar stays centred and the time row under it.
void CentreAcross(HWND page, HWND calendar, SIZE minimum) {
    RECT at{};
    GetWindowRect(calendar, &at);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&at), 2);
    const int dx =
        LayOutManualPage(PageWidth(page), minimum.cx, minimum.cy).calendar.left - at.left;
    if (dx == 0) {
        return;
    }
    for (HWND child : Children(page)) {
        MoveBy(page, child, dx, 0);
    }
}

std::string EditText(HWND page, int edit) {
    return ControlText(page, edit, kEditBuffer);
}

ManualTimeTyped Typed(HWND page) {
    return ManualTimeTyped{EditText(page, IDC_MT_HOUR), EditText(page, IDC_MT_MINUTE),
                           EditText(page, IDC_MT_SECOND)};
}

class ManualTimePage final : public SheetPage {
public:
    // Every opening starts from the present time, the box cleared, nothing changed.
    void Start(HWND page) override {
        changed_ = false;
        setComputerClock_ = false;
        calendar_ = CreateCalendar(page, calendarMinimum_);
        SYSTEMTIME now{};
        GetLocalTime(&now);
        opening_ = DateOf(now);
        if (calendar_ != nullptr) {
            SendMessageA(calendar_, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&now));
        }
        for (const TimeField& f : kFields) {
            SendDlgItemMessageA(page, f.edit, EM_LIMITTEXT, kTypedDigits, 0);
            SetupSpin(page, f.spin, 0, f.max);
            SendDlgItemMessageA(page, f.spin, UDM_SETPOS32, 0, now.*f.now);
            SetDlgItemInt(page, f.edit, now.*f.now, FALSE);
            AttachTimeEntryEdit(GetDlgItem(page, f.edit), f.field);
        }
        CheckDlgButton(page, IDC_MT_SET_SYSTEM_CLOCK, BST_UNCHECKED);
    }

    // The edits are read back whole when the page is checked and applied, so a change only
    // marks the page.
    bool OnControl(HWND page, int control, int notification) override {
        if (IsTimeEdit(control)) {
            return notification == EN_UPDATE || notification == EN_CHANGE;
        }
        if (control == IDC_MT_SET_SYSTEM_CLOCK && notification == BN_CLICKED) {
            setComputerClock_ = Checked(page, control);
            return true;
        }
        return false;
    }

    bool OnNotify(HWND, const NMHDR& header, LONG_PTR&) override {
        if (header.idFrom != IDC_MT_CALENDAR) {
            return false;
        }
        switch (header.code) {
        case MCN_SELECT:
        case MCN_SELCHANGE: {
            const auto& change = reinterpret_cast<const NMSELCHANGE&>(header);
            const CalendarEvent event =
                header.code == MCN_SELECT ? CalendarEvent::Select : CalendarEvent::SelChange;
            return CalendarMarksChanged(event, opening_, DateOf(change.stSelStart));
        }
        case MCN_GETDAYSTATE: {
            // No day is shown in bold: the control asks, and an unanswered array may hold
            // anything.
            const auto& state = reinterpret_cast<const NMDAYSTATE&>(header);
            for (int i = 0; state.prgDayState != nullptr && i < state.cDayState; ++i) {
                state.prgDayState[i] = 0;
            }
            return false;
        }
        default:
            return false;
        }
    }

    std::optional<PageProblem> Validate(HWND page) override {
        return ValidateManualTime(Typed(page));
    }

    void Apply(HWND page) override {
        SYSTEMTIME selected{};
        if (calendar_ == nullptr ||
            SendMessageA(calendar_, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&selected)) == 0) {
            return;
        }
        const std::optional<DateTime> t = ManualClockTime(DateOf(selected), Typed(page));
        if (!t) {
            return; // refused on leaving the page; nothing half-set
        }
        changed_ = false;
        // The load's listener brings the tray's tooltip and clock icon along.
        LoadClocksAt(*t, MonotonicNow(), "manual");
        const bool computerClockSet = setComputerClock_ && RequestSystemClock(ToSystemTime(*t));
        MessageBoxA(page, ManualTimeSetText(computerClockSet).c_str(),
                    DateTimeSettingCaption().c_str(), MB_OK);
    }

    // Nothing live changes before apply.
    void Revert() override { changed_ = false; }

    bool Changed() const override { return changed_; }
    void MarkChanged() override { changed_ = true; }

    INT_PTR OnMessage(HWND page, UINT message, WPARAM, LPARAM) override {
        if (message == WM_SIZE && calendar_ != nullptr) {
            CentreAcross(page, calendar_, calendarMinimum_);
        }
        return FALSE;
    }

    void Finish(HWND page) override {
        for (const TimeField& f : kFields) {
            DetachTimeEntryEdit(GetDlgItem(page, f.edit));
        }
        calendar_ = nullptr;
    }

private:
    HWND calendar_ = nullptr;
    SIZE calendarMinimum_{};
    CalendarDate opening_;
    bool setComputerClock_ = false;
    // This page's own: the time-server page's apply, which runs first, must not clear it.
    bool changed_ = false;
};

} // namespace

std::unique_ptr<SheetPage> CreateManualTimePage() {
    return std::make_unique<ManualTimePage>();
}

} // namespace zentrava
