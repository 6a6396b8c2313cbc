#include "timesync/time_server_page_win.h"

#include "base/app_context_win.h"
#include "clock/platform_time_win.h"
#include "dialogs/page_controls_win.h"
#include "resources/resource.h"
#include "timesync/ntp_schedule.h"
#include "timesync/ntp_texts.h"
#include "timesync/ntp_worker_win.h"
#include "timesync/time_server_page.h"
#include "timesync/timesync_win.h"

#include <commctrl.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zentrava {

namespace {

// A server name is at most 254 characters (the file's buffers hold 255 with the terminator).
constexpr int kServerNameChars = static_cast<int>(kNtpServerNameBufferSize) - 1;
// The numeric edits take two typed digits; the spin buttons reach further (an interval of up
// to 360 minutes).
constexpr int kTypedDigits = 2;

// Shown when the test could not start because another query (a scheduled or start-up update)
// is still waiting for its server.
constexpr const char* kQueryBusyText =
    "ほかの問い合わせを実行中です。しばらくしてから、もう一度お試しください。\r\n";

constexpr SpinField<NtpSettings> kNumbers[] = {
    {IDC_NTP_HOUR, IDC_NTP_HOUR_SPIN, 0, 23, &NtpSettings::SetNTPHour},
    {IDC_NTP_MINUTE, IDC_NTP_MINUTE_SPIN, 0, 59, &NtpSettings::SetNTPMinute},
    {IDC_NTP_INTERVAL, IDC_NTP_INTERVAL_SPIN, 3, 360, &NtpSettings::SetNTPInterval},
    {IDC_NTP_ACCESS_MINUTE, IDC_NTP_ACCESS_MINUTE_SPIN, 0, 59,
     &NtpSettings::SetNTPAccessMinuteTime},
    {IDC_NTP_RETRY, IDC_NTP_RETRY_SPIN, 0, 60, &NtpSettings::NTPAccessRetryTime},
};

constexpr CheckBoxField<NtpSettings> kCheckBoxes[] = {
    {IDC_NTP_SET_LOCAL_TIME, &NtpSettings::SetLocalTime},
    {IDC_NTP_FORCED_UPDATE, &NtpSettings::SetLocalTimeForcedUpdate},
    {IDC_NTP_AUTO_UPDATE, &NtpSettings::NTPAutoUpdate},
    {IDC_NTP_STARTUP_ADJUST, &NtpSettings::NTPStartUpTimeAdjust},
    {IDC_NTP_RESULT_BALLOON, &NtpSettings::NTPTimeUpdateResultBallonHelpOn},
};

// Indexed by SetNTPUpdateTime.
constexpr std::array<int, 3> kModeRadios{IDC_NTP_MODE_DAILY, IDC_NTP_MODE_INTERVAL,
                                         IDC_NTP_MODE_HOURLY};

// The page's changes act on the live settings at once: the scheduler on the tick thread sees a
// switch before apply. Only the window thread writes them, so read, change, commit is safe.
template <typename Change>
NtpSettings ChangeLive(Change&& change) {
    NtpSync& sync = TheNtpSync();
    NtpSettings settings = sync.Settings();
    change(settings);
    sync.Commit(settings);
    return settings;
}

HWND Combo(HWND page) {
    return GetDlgItem(page, IDC_NTP_SERVER);
}

int ComboSelection(HWND page) {
    return static_cast<int>(SendMessageA(Combo(page), CB_GETCURSEL, 0, 0));
}

std::string ComboEntry(HWND combo, int index) {
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT got = SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == CB_ERR ? 0 : static_cast<std::size_t>(got));
    return text;
}

std::vector<std::string> ComboEntries(HWND page) {
    HWND combo = Combo(page);
    const auto count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    std::vector<std::string> entries;
    for (int i = 0; i < count; ++i) {
        entries.push_back(ComboEntry(combo, i));
    }
    return entries;
}

// The box selects `selection`; with none, its edit field shows the server that is current
// although not in the list, so the user sees which one the updates ask.
void ShowSelection(HWND page, int selection, const NtpSettings& settings) {
    HWND combo = Combo(page);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
    if (selection < 0) {
        SetWindowTextA(combo, settings.NTPServerName.c_str());
    }
}

void SetReport(HWND page, const std::string& text) {
    SetDlgItemTextA(page, IDC_NTP_REPORT, text.c_str());
}

void EnableTestButton(HWND page, bool on) {
    HWND button = GetDlgItem(page, IDC_NTP_TEST);
    // A disabled button cannot keep the focus, and the page's keys would go nowhere.
    if (!on && GetFocus() == button) {
        SendMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Combo(page)), TRUE);
    }
    EnableWindow(button, on ? TRUE : FALSE);
}

class TimeServerPage final : public SheetPage {
public:
    void Start(HWND page) override {
        const NtpSettings s = TheNtpSync().Settings();
        copy_ = TakePageCopy(s);
        changed_ = false;
        testing_ = false;
        SetReport(page, "");
        FillServers(page, s);
        FillCheckBoxes<NtpSettings>(page, kCheckBoxes, s);
        for (std::size_t mode = 0; mode < kModeRadios.size(); ++mode) {
            const bool on = s.SetNTPUpdateTime == static_cast<int>(mode);
            CheckDlgButton(page, kModeRadios[mode], on ? BST_CHECKED : BST_UNCHECKED);
        }
        FillSpinFields<NtpSettings>(page, kNumbers, s, edited_, kTypedDigits);
    }

    bool OnControl(HWND page, int control, int notification) override {
        if (control == IDC_NTP_SERVER) {
            return notification == CBN_SELCHANGE;
        }
        if (notification == EN_CHANGE) {
            if (!IsSpinEdit<NtpSettings>(kNumbers, control)) {
                return false;
            }
            edited_.Note(control);
            return true;
        }
        if (notification != BN_CLICKED) {
            return false;
        }
        if (NtpSettings s = TheNtpSync().Settings();
            ReadCheckBox<NtpSettings>(page, kCheckBoxes, control, s) != nullptr) {
            TheNtpSync().Commit(s);
            return true;
        }
        for (std::size_t mode = 0; mode < kModeRadios.size(); ++mode) {
            if (control == kModeRadios[mode]) {
                ChangeLive([mode](NtpSettings& s) { s.SetNTPUpdateTime = static_cast<int>(mode); });
                return true;
            }
        }
        switch (control) {
        case IDC_NTP_DELETE:
            return DeleteSelected(page);
        case IDC_NTP_TEST:
            return StartTest(page);
        default:
            return false;
        }
    }

    void Apply(HWND page) override {
        changed_ = false;
        const int selection = ComboSelection(page);
        const std::vector<std::string> entries = ComboEntries(page);
        auto typed = [&](int edit) {
            return EditedText(page, edit, edited_, kNtpServerNameBufferSize);
        };
        const TimeServerNumbers numbers{typed(IDC_NTP_HOUR), typed(IDC_NTP_MINUTE),
                                        typed(IDC_NTP_INTERVAL), typed(IDC_NTP_ACCESS_MINUTE),
                                        typed(IDC_NTP_RETRY)};
        const NtpSettings s = ChangeLive([&](NtpSettings& live) {
            if (selection >= 0) {
                AdoptServerEntries(live, entries, selection);
            }
            ReadTypedNumbers(live, numbers);
        });
        copy_ = TakePageCopy(s);
        SaveNtpSettings(*Context().settings, s);
    }

    void Revert() override {
        if (!changed_) {
            return;
        }
        ChangeLive([this](NtpSettings& s) { RestorePageCopy(s, copy_); });
        changed_ = false;
    }

    bool Changed() const override { return changed_; }
    void MarkChanged() override { changed_ = true; }

    void Finish(HWND page) override {
        // A result delivered but not yet handled would otherwise wait for this window forever.
        if (testing_) {
            TakeNtpResult(page);
        }
    }

    INT_PTR OnMessage(HWND page, UINT message, WPARAM, LPARAM) override {
        if (message != kNtpTestResultMessage) {
            return FALSE;
        }
        OnTestResult(page);
        return TRUE;
    }

private:
    // The list in the file's order: inserted, not added, so that the sorted box does not
    // reorder it and entry n of the list stays entry n-1 of the box.
    static void FillServers(HWND page, const NtpSettings& s) {
        HWND combo = Combo(page);
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        SendMessageA(combo, CB_LIMITTEXT, static_cast<WPARAM>(kServerNameChars), 0);
        for (const std::string& entry : ServerListEntries(s)) {
            SendMessageA(combo, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(entry.c_str()));
        }
        ShowSelection(page, s.currentIndex - 1, s);
    }

    static bool DeleteSelected(HWND page) {
        const int deleted = ComboSelection(page);
        if (deleted < 0) {
            return false;
        }
        SendMessageA(Combo(page), CB_DELETESTRING, static_cast<WPARAM>(deleted), 0);
        const std::vector<std::string> entries = ComboEntries(page);
        const int selection = SelectionAfterDelete(deleted, static_cast<int>(entries.size()));
        const NtpSettings s =
            ChangeLive([&](NtpSettings& live) { AdoptServerEntries(live, entries, selection); });
        ShowSelection(page, selection, s);
        return true;
    }

    // True when the page is to be marked changed: a name typed rather than chosen.
    bool StartTest(HWND page) {
        if (testing_) {
            return false;
        }
        const int selection = ComboSelection(page);
        const bool typed = selection < 0;
        const std::string server = typed
                                       ? ControlText(page, IDC_NTP_SERVER, kNtpServerNameBufferSize)
                                       : ComboEntry(Combo(page), selection);
        if (IsBlankServerName(server)) {
            SetReport(page, EmptyServerNameText());
            return false;
        }
        // Asked even when it refused the updates earlier: a person asking again is owed the
        // server's present answer, and a time from it lifts the ban.
        NtpJob job;
        job.query = TheNtpSync().Decide([&server](const NtpSettings& s) {
            // No witnesses: the test shows this server's time, however far it is off.
            return NtpQuery{NtpUpdateKind::StartUp, server, s.SetLocalTime,
                            s.SetLocalTimeForcedUpdate, {}};
        });
        job.test = true;
        job.notify = page;
        job.message = kNtpTestResultMessage;
        if (!StartNtpJob(job)) {
            SetReport(page, kQueryBusyText);
            return typed;
        }
        testing_ = true;
        SetReport(page, NtpQueryRunningText(server));
        EnableTestButton(page, false);
        return typed;
    }

    void OnTestResult(HWND page) {
        std::optional<NtpJobResult> result = TakeNtpResult(page);
        if (!result) {
            return;
        }
        testing_ = false;
        EnableTestButton(page, true);
        const std::string& server = result->job.query.server;
        const NtpQueryOutcome& outcome = result->outcome;
        if (outcome.error == QueryError::SocketLibrary) {
            SetReport(page, "");
            MessageBoxA(page, SocketUnavailableText().c_str(), DateTimeSettingCaption().c_str(),
                        MB_OK);
            return;
        }
        NoteNtpOutcome(TheNtpSync(), server, outcome);
        if (outcome.result == SetResult::NoTime) {
            SetReport(page, NtpFailureReportText(outcome));
            return;
        }
        const NtpReportData data = MakeNtpReportData(server, result->exchange, outcome.result,
                                                     result->clockAtAnswer, UtcTicksToLocal);
        LoadClocksFromNtp(outcome, true);
        SetReport(page, NtpReportText(data));
        TakeAnsweringServer(page, server);
    }

    // The server answered: it becomes the current one, added to the list if it is not there
    // and the list has room.
    static void TakeAnsweringServer(HWND page, const std::string& server) {
        const std::vector<std::string> entries = ComboEntries(page);
        const ServerAfterReply step = DecideServerAfterReply(entries, server);
        int selection = step.index;
        switch (step.kind) {
        case ServerAfterReply::Kind::ListFull:
            MessageBoxA(page, ServerListFullText().c_str(), kAppCaption, MB_OK);
            return;
        case ServerAfterReply::Kind::Select:
            break;
        case ServerAfterReply::Kind::Add:
            selection = static_cast<int>(SendMessageA(Combo(page), CB_ADDSTRING, 0,
                                                      reinterpret_cast<LPARAM>(server.c_str())));
            if (selection < 0) {
                return;
            }
            break;
        }
        SendMessageA(Combo(page), CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
        const std::vector<std::string> now = ComboEntries(page);
        ChangeLive([&](NtpSettings& live) { AdoptServerEntries(live, now, selection); });
    }

    TimeServerPageCopy copy_;
    EditedFields edited_;
    bool changed_ = false;
    bool testing_ = false;
};

} // namespace

std::unique_ptr<SheetPage> CreateTimeServerPage() {
    return std::make_unique<TimeServerPage>();
}

} // namespace zentrava
