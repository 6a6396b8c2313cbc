#include "app/sheets_win.h"

#include "alarms/alarm_page_win.h"
#include "alarms/alarms_win.h"
#include "alarms/interval_noodle_page_win.h"
#include "alarms/time_signal_page_win.h"
#include "app/app_win.h"
#include "app/main_window_win.h"
#include "face/time_band_page_win.h"
#include "face/world_zone_page_win.h"
#include "resources/commands.h"
#include "resources/resource.h"
#include "sound/audio_page_win.h"
#include "sound/sound_win.h"
#include "timesync/manual_time_page_win.h"
#include "timesync/time_server_page_win.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

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

// Each page's maker, with what it needs of the main window.
// The sound test runs on the main window's sound-test channel.
std::unique_ptr<SheetPage> MakeAlarmPage(HWND owner) {
    AlarmPageHooks hooks;
    hooks.soundTestWindow = owner;
    hooks.soundTestSounding = [] { return Channels().IsSounding(SoundChannel::SoundTest); };
    hooks.setSoundTestPage = [](HWND page) { Sheets().soundTestPage = page; };
    return CreateAlarmPage(hooks);
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
    return CreateAudioPage();
}
// Apply and cancel restart the interval timer, which belongs to the main window.
std::unique_ptr<SheetPage> MakeIntervalNoodlePage(HWND owner) {
    return CreateIntervalNoodlePage(owner);
}
// The face paints from the live table every frame; after an apply the clock repaints at once.
std::unique_ptr<SheetPage> MakeTimeBandPage(HWND owner) {
    return CreateTimeBandPage(TheApp().timeBands, [owner] { FaceSettingsApplied(owner); });
}
// The face is rebuilt from the new zone colours and picture as soon as they are applied.
std::unique_ptr<SheetPage> MakeWorldZonePage(HWND owner) {
    return CreateWorldZonePage(TheApp().picture,
                               [owner] { FaceSettingsApplied(owner, PictureReload::Always); });
}
std::unique_ptr<SheetPage> MakeTimeServerPage() {
    return CreateTimeServerPage();
}
std::unique_ptr<SheetPage> MakeManualTimePage() {
    return CreateManualTimePage();
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

INT_PTR OpenSettingsSheet(HWND owner) {
    App& app = TheApp();
    OwnedPages pages;
    pages.Add(IDD_ALARM_PAGE, MakeAlarmPage(owner));
    pages.Add(IDD_TIME_SIGNAL_PAGE, MakeTimeSignalPage());
    pages.Add(IDD_HOURLY_SOUNDS_PAGE, MakeHourlySoundsPage());
    pages.Add(IDD_HALF_HOURLY_SOUNDS_PAGE, MakeHalfHourlySoundsPage());
    pages.Add(IDD_AUDIO_PAGE, MakeAudioPage());
    pages.Add(IDD_INTERVAL_NOODLE_PAGE, MakeIntervalNoodlePage(owner));
    pages.Add(IDD_TIME_BAND_PAGE, MakeTimeBandPage(owner));
    pages.Add(IDD_WORLD_ZONE_PAGE, MakeWorldZonePage(owner));
    static_assert(kSettingsPageCount == 8);

    SheetSetup setup;
    setup.owner = owner;
    setup.instance = Context().instance;
    setup.caption = LoadText(Context().instance, IDS_SETTINGS_SHEET_CAPTION);
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
    OwnedPages pages;
    pages.Add(IDD_TIME_SERVER_PAGE, MakeTimeServerPage());
    pages.Add(IDD_MANUAL_TIME_PAGE, MakeManualTimePage());

    SheetSetup setup;
    setup.owner = owner;
    setup.instance = Context().instance;
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
