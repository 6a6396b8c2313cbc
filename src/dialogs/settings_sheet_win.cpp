#include "dialogs/settings_sheet_win.h"

#include "alarms/alarms_win.h"
#include "alarms/time_signal_page_win.h"
#include "app/app_win.h"
#include "app/commands.h"
#include "resources/resource.h"
#include "sound/sound_win.h"
#include "timesync/time_server_page_win.h"

#include <commctrl.h>

#include <array>
#include <memory>

namespace zentrava {

namespace {

struct SheetState {
    bool settingsOpen = false;
    HWND soundTestPage = nullptr;
};

SheetState& Sheets() {
    static SheetState state;
    return state;
}

// What a page procedure finds behind its window: its page, its place in the sheet, and the
// sheet's shared parts.
struct PageSlot {
    const SheetSetup* setup = nullptr;
    std::span<SheetPage* const> pages;
    SheetPage* page = nullptr;
    int index = 0;
    bool filling = false;
};

PageSlot* SlotOf(HWND page) {
    return reinterpret_cast<PageSlot*>(GetWindowLongPtrA(page, DWLP_USER));
}

INT_PTR Answer(HWND page, LONG_PTR result) {
    SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR OnInitPage(HWND page, LPARAM lParam) {
    const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    auto* slot = reinterpret_cast<PageSlot*>(sheetPage->lParam);
    SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(slot));
    slot->filling = true;
    slot->page->Start(page);
    slot->filling = false;
    return TRUE;
}

INT_PTR OnPageCommand(HWND page, PageSlot& slot, WPARAM wParam) {
    if (slot.filling) {
        return FALSE;
    }
    if (slot.page->OnControl(page, LOWORD(wParam), HIWORD(wParam))) {
        MarkPageChanged(page, *slot.page);
    }
    return TRUE;
}

INT_PTR OnPageNotify(HWND page, PageSlot& slot, const NMHDR& header) {
    switch (header.code) {
    case PSN_SETACTIVE:
        // Pages never see WM_ACTIVATE (it goes to the sheet's frame), so the page being shown
        // is recorded here.
        if (slot.setup->activePage != nullptr) {
            *slot.setup->activePage = slot.index;
        }
        return Answer(page, 0);
    case PSN_KILLACTIVE:
        if (const std::optional<PageProblem> problem = slot.page->Validate(page)) {
            ShowPageProblem(page, *problem);
            return Answer(page, TRUE);
        }
        return Answer(page, FALSE);
    case PSN_APPLY:
        if (slot.page->Changed()) {
            slot.page->Apply(page);
        }
        return Answer(page, PSNRET_NOERROR);
    case PSN_QUERYCANCEL:
        if (slot.setup->onCancel) {
            slot.setup->onCancel(slot.pages);
        }
        return Answer(page, FALSE);
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitPage(page, lParam);
    }
    PageSlot* slot = SlotOf(page);
    if (slot == nullptr) {
        return FALSE;
    }
    switch (message) {
    case WM_COMMAND:
        return OnPageCommand(page, *slot, wParam);
    case WM_NOTIFY:
        return OnPageNotify(page, *slot, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_DESTROY:
        slot->page->Finish(page);
        SetWindowLongPtrA(page, DWLP_USER, 0);
        return FALSE;
    default:
        return slot->page->OnMessage(page, message, wParam, lParam);
    }
}

// A page whose feature is not built yet: present at its index with its caption, with every
// control it may already have disabled, so nothing on it pretends to work.
class PlaceholderPage final : public SheetPage {
public:
    void Start(HWND page) override {
        EnumChildWindows(
            page,
            [](HWND child, LPARAM) -> BOOL {
                EnableWindow(child, FALSE);
                return TRUE;
            },
            0);
    }
};

// Each page's maker; a feature's page replaces its placeholder here.
std::unique_ptr<SheetPage> MakeAlarmPage() {
    return std::make_unique<PlaceholderPage>();
}
std::unique_ptr<SheetPage> MakeTimeSignalPage() {
    return CreateTimeSignalPage();
}
std::unique_ptr<SheetPage> MakeHourlySoundsPage() {
    return CreateChimeSoundsPage(SettingsPage::HourlySounds);
}
std::unique_ptr<SheetPage> MakeHalfHourlySoundsPage() {
    return CreateChimeSoundsPage(SettingsPage::HalfHourlySounds);
}
std::unique_ptr<SheetPage> MakeAudioPage() {
    return std::make_unique<PlaceholderPage>();
}
std::unique_ptr<SheetPage> MakeIntervalNoodlePage() {
    return std::make_unique<PlaceholderPage>();
}
std::unique_ptr<SheetPage> MakeTimeBandPage() {
    return std::make_unique<PlaceholderPage>();
}
std::unique_ptr<SheetPage> MakeWorldZonePage() {
    return std::make_unique<PlaceholderPage>();
}
std::unique_ptr<SheetPage> MakeTimeServerPage() {
    return CreateTimeServerPage();
}
std::unique_ptr<SheetPage> MakeManualTimePage() {
    return std::make_unique<PlaceholderPage>();
}

// The alarms-armed flag follows the table: on exactly when any alarm is on.
void RecomputeAlarmsArmed() {
    Alarms().Update([](const AlarmRecords& records, bool& armed) {
        armed = AnyAlarmOn(records);
        return 0;
    });
}

std::string LoadText(HINSTANCE instance, UINT id) {
    std::array<char, 64> buffer{};
    const int length = LoadStringA(instance, id, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

struct OwnedPages {
    std::vector<std::unique_ptr<SheetPage>> owned;
    std::vector<SheetPageEntry> entries;

    void Add(int dialogId, std::unique_ptr<SheetPage> page) {
        entries.push_back({dialogId, nullptr, page.get()});
        owned.push_back(std::move(page));
    }
};

} // namespace

void ShowPageProblem(HWND page, const PageProblem& problem) {
    MessageBoxA(page, problem.message.c_str(), kAppCaption, MB_OK);
    if (HWND control = GetDlgItem(page, problem.control)) {
        SetFocus(control);
        SendMessageA(control, EM_SETSEL, 0, -1);
    }
}

void MarkPageChanged(HWND page, SheetPage& sheetPage) {
    sheetPage.MarkChanged();
    PropSheet_Changed(GetParent(page), page);
}

INT_PTR RunSheet(const SheetSetup& setup) {
    std::vector<SheetPage*> pages;
    pages.reserve(setup.pages.size());
    for (const SheetPageEntry& entry : setup.pages) {
        pages.push_back(entry.page);
    }
    // The slots must not move while the sheet runs: every page holds a pointer to its own.
    std::vector<PageSlot> slots(setup.pages.size());
    std::vector<PROPSHEETPAGEA> sheetPages(setup.pages.size());
    for (std::size_t i = 0; i < setup.pages.size(); ++i) {
        const SheetPageEntry& entry = setup.pages[i];
        slots[i] = PageSlot{&setup, pages, entry.page, static_cast<int>(i), false};
        PROPSHEETPAGEA& p = sheetPages[i];
        p.dwSize = sizeof(p);
        p.hInstance = setup.instance;
        if (entry.dialogTemplate != nullptr) {
            p.dwFlags = PSP_DLGINDIRECT;
            p.pResource = entry.dialogTemplate;
        } else {
            p.dwFlags = PSP_DEFAULT;
            p.pszTemplate = MAKEINTRESOURCEA(entry.dialogId);
        }
        p.pfnDlgProc = PageProc;
        p.lParam = reinterpret_cast<LPARAM>(&slots[i]);
    }
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.hwndParent = setup.owner;
    header.hInstance = setup.instance;
    header.pszCaption = setup.caption.c_str();
    header.nPages = static_cast<UINT>(sheetPages.size());
    header.nStartPage = static_cast<UINT>(setup.startPage);
    header.ppsp = sheetPages.data();
    return PropertySheetA(&header);
}

INT_PTR OpenSettingsSheet(HWND owner) {
    App& app = TheApp();
    OwnedPages pages;
    pages.Add(IDD_ALARM_PAGE, MakeAlarmPage());
    pages.Add(IDD_TIME_SIGNAL_PAGE, MakeTimeSignalPage());
    pages.Add(IDD_HOURLY_SOUNDS_PAGE, MakeHourlySoundsPage());
    pages.Add(IDD_HALF_HOURLY_SOUNDS_PAGE, MakeHalfHourlySoundsPage());
    pages.Add(IDD_AUDIO_PAGE, MakeAudioPage());
    pages.Add(IDD_INTERVAL_NOODLE_PAGE, MakeIntervalNoodlePage());
    pages.Add(IDD_TIME_BAND_PAGE, MakeTimeBandPage());
    pages.Add(IDD_WORLD_ZONE_PAGE, MakeWorldZonePage());
    static_assert(kSettingsPageCount == 8);

    SheetSetup setup;
    setup.owner = owner;
    setup.instance = app.instance;
    setup.caption = LoadText(app.instance, IDS_SETTINGS_SHEET_CAPTION);
    setup.pages = std::move(pages.entries);
    setup.startPage = StartPage(app.behaviour.AudioFilePropertySheetPos);
    setup.activePage = &app.behaviour.AudioFilePropertySheetPos;
    setup.onCancel = [owner](std::span<SheetPage* const> all) { RunSettingsCancel(owner, all); };

    Sheets().settingsOpen = true;
    const INT_PTR result = RunSheet(setup);
    Sheets().settingsOpen = false;
    return result;
}

INT_PTR OpenDateTimeSheet(HWND owner) {
    App& app = TheApp();
    OwnedPages pages;
    pages.Add(IDD_TIME_SERVER_PAGE, MakeTimeServerPage());
    pages.Add(IDD_MANUAL_TIME_PAGE, MakeManualTimePage());

    SheetSetup setup;
    setup.owner = owner;
    setup.instance = app.instance;
    setup.caption = "日付と時刻の設定";
    setup.pages = std::move(pages.entries);
    // Each page puts back what it changed at once; an unchanged page does nothing.
    setup.onCancel = [](std::span<SheetPage* const> all) {
        for (SheetPage* page : all) {
            page->Revert();
        }
    };
    return RunSheet(setup);
}

bool SettingsSheetOpen() {
    return Sheets().settingsOpen;
}

void SetSoundTestPage(HWND page) {
    Sheets().soundTestPage = page;
}

HWND SoundTestPage() {
    return Sheets().soundTestPage;
}

void ClearSoundTestPage() {
    Sheets().soundTestPage = nullptr;
}

void RunSettingsCancel(HWND mainWindow, std::span<SheetPage* const> pages) {
    CancelInputs inputs;
    inputs.soundTestSounding = Channels().IsSounding(SoundChannel::SoundTest);
    for (std::size_t i = 0; i < pages.size() && i < inputs.changed.size(); ++i) {
        inputs.changed[i] = pages[i]->Changed();
    }
    for (const CancelStep step : CancelPlan(inputs)) {
        switch (step) {
        case CancelStep::StopSoundTest:
            SendMessageA(mainWindow, WM_COMMAND, kCmdSoundTest, 0);
            break;
        case CancelStep::RecomputeAlarmsArmed:
            RecomputeAlarmsArmed();
            break;
        default:
            if (const std::optional<SettingsPage> page = PageOfStep(step)) {
                pages[static_cast<std::size_t>(PageIndex(*page))]->Revert();
            }
            break;
        }
    }
}

} // namespace zentrava
