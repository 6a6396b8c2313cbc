#include "alarms/time_signal_page_win.h"

#include "alarms/time_signal_page.h"
#include "alarms/time_signal_win.h"
#include "base/app_context_win.h"
#include "dialogs/page_controls_win.h"
#include "dialogs/pickers_win.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zentrava {

static_assert(IDC_TS_CUSTOM_HOUR == kCustomHourEdit && IDC_TS_CUSTOM_MINUTE == kCustomMinuteEdit &&
              IDC_TS_CUSTOM_SECOND == kCustomSecondEdit);
static_assert(kCustomTimeSignalCount == 2 * kCustomRowsPerPage);

namespace {

constexpr int kMillisecondStep = 50;

struct Range {
    int min;
    int max;
};
constexpr Range kHours{0, 23};
constexpr Range kMinutes{0, 59};
constexpr Range kMilliseconds{0, 950};

// One start time of a chime: its three edits' ids and the record's fields.
struct StartRow {
    int minuteEdit;
    int minuteSpin;
    int secondEdit;
    int secondSpin;
    int msecondEdit;
    int msecondSpin;
    int TimeSignalSettings::*minute;
    int TimeSignalSettings::*second;
    int TimeSignalSettings::*msecond;
};
constexpr StartRow kStartRows[] = {
    {IDC_TS_HOUR_START_MINUTE, IDC_TS_HOUR_START_MINUTE_SPIN, IDC_TS_HOUR_START_SECOND,
     IDC_TS_HOUR_START_SECOND_SPIN, IDC_TS_HOUR_START_MSECOND, IDC_TS_HOUR_START_MSECOND_SPIN,
     &TimeSignalSettings::TimeSignalMinuteBase, &TimeSignalSettings::TimeSignalSecondBase,
     &TimeSignalSettings::TimeSignalMSecondBase},
    {IDC_TS_HALF_START_MINUTE, IDC_TS_HALF_START_MINUTE_SPIN, IDC_TS_HALF_START_SECOND,
     IDC_TS_HALF_START_SECOND_SPIN, IDC_TS_HALF_START_MSECOND, IDC_TS_HALF_START_MSECOND_SPIN,
     &TimeSignalSettings::TimeSignalMinuteBase30, &TimeSignalSettings::TimeSignalSecondBase30,
     &TimeSignalSettings::TimeSignalMSecondBase30},
};

// The page's plain check boxes and the switch each one stands for.
constexpr CheckBoxField<TimeSignalSettings> kCheckBoxes[] = {
    {IDC_TS_SIGNAL_ON, &TimeSignalSettings::TimeSignalFlag},
    {IDC_TS_BALLOON, &TimeSignalSettings::TimeSignalBallonHelpOn},
    {IDC_TS_MSECOND_ENABLE, &TimeSignalSettings::TimeSignalMSecondEnable},
    {IDC_TS_HOUR_CHIME_ON, &TimeSignalSettings::TimeSignal0JustOnFlag},
    {IDC_TS_HALF_HOUR_CHIME_ON, &TimeSignalSettings::TimeSignal30JustOnFlag},
};

void SetupSpin(HWND page, int spin, Range range, int step) {
    zentrava::SetupSpin(page, spin, range.min, range.max, step);
}

bool IsNumberEdit(int control) {
    auto in = [control](int first, int count) {
        return control >= first && control < first + count;
    };
    if (in(IDC_TS_CUSTOM_HOUR, kCustomRowsPerPage) ||
        in(IDC_TS_CUSTOM_MINUTE, kCustomRowsPerPage) ||
        in(IDC_TS_CUSTOM_SECOND, kCustomRowsPerPage) ||
        in(IDC_TS_CUSTOM_MSECOND, kCustomRowsPerPage)) {
        return true;
    }
    for (const StartRow& row : kStartRows) {
        if (control == row.minuteEdit || control == row.secondEdit || control == row.msecondEdit) {
            return true;
        }
    }
    return false;
}

class TimeSignalPage final : public SheetPage {
public:
    void Start(HWND page) override {
        page_ = page;
        copies_.Begin(TheTimeSignal().Settings());
        half_ = 0;
        for (int r = 0; r < kCustomRowsPerPage; ++r) {
            SetupSpin(page, IDC_TS_CUSTOM_HOUR_SPIN + r, kHours, 1);
            SetupSpin(page, IDC_TS_CUSTOM_MINUTE_SPIN + r, kMinutes, 1);
            SetupSpin(page, IDC_TS_CUSTOM_SECOND_SPIN + r, kMinutes, 1);
            SetupSpin(page, IDC_TS_CUSTOM_MSECOND_SPIN + r, kMilliseconds, kMillisecondStep);
            for (int edit : {IDC_TS_CUSTOM_HOUR, IDC_TS_CUSTOM_MINUTE, IDC_TS_CUSTOM_SECOND}) {
                SendDlgItemMessageA(page, edit + r, EM_LIMITTEXT, 2, 0);
            }
        }
        for (const StartRow& row : kStartRows) {
            SetupSpin(page, row.minuteSpin, kMinutes, 1);
            SetupSpin(page, row.secondSpin, kMinutes, 1);
            SetupSpin(page, row.msecondSpin, kMilliseconds, kMillisecondStep);
        }
        Fill(page);
        soundBox_.Attach(GetDlgItem(page, IDC_TS_SOUND_NAME), FileKind::Sound,
                         [this](const ChosenFile& file) {
                             TimeSignalSettings& w = copies_.working();
                             w.TimeSignalSoundFile = file.path;
                             w.TimeSignalSoundFileName = file.displayName;
                             MarkPageChanged(page_, *this);
                         });
    }

    bool OnControl(HWND page, int control, int notification) override {
        if (showing_) {
            return false;
        }
        if (notification == EN_CHANGE) {
            if (!IsNumberEdit(control)) {
                return false;
            }
            edited_.Note(control);
            return true;
        }
        if (notification != BN_CLICKED) {
            return false;
        }
        TimeSignalSettings& w = copies_.working();
        if (ReadCheckBox<TimeSignalSettings>(page, kCheckBoxes, control, w) != nullptr) {
            if (control == IDC_TS_MSECOND_ENABLE) {
                EnableMilliseconds(page, w.TimeSignalMSecondEnable == 1);
            }
            return true;
        }
        if (control >= IDC_TS_CUSTOM_ON && control < IDC_TS_CUSTOM_ON + kCustomRowsPerPage) {
            Entry(control - IDC_TS_CUSTOM_ON).TimeSignalOn = Checked(page, control) ? 1 : 0;
            return true;
        }
        switch (control) {
        case IDC_TS_PREVIOUS_HALF:
        case IDC_TS_NEXT_HALF:
            SwitchHalf(page);
            return false;
        case IDC_TS_EACH_SIGNAL:
            return EditEachTimeSignal(page, w);
        case IDC_TS_SOUND_CHOOSE:
            return ChooseSound(page);
        case IDC_TS_SOUND_CLEAR:
            w.TimeSignalSoundFile.clear();
            w.TimeSignalSoundFileName.clear();
            SetDlgItemTextA(page, IDC_TS_SOUND_NAME, "");
            return true;
        default:
            return false;
        }
    }

    std::optional<PageProblem> Validate(HWND page) override {
        std::array<CustomRowText, kCustomRowsPerPage> rows;
        for (int r = 0; r < kCustomRowsPerPage; ++r) {
            rows[static_cast<std::size_t>(r)] = {Typed(page, IDC_TS_CUSTOM_HOUR + r),
                                                 Typed(page, IDC_TS_CUSTOM_MINUTE + r),
                                                 Typed(page, IDC_TS_CUSTOM_SECOND + r)};
        }
        return ValidateCustomRows(rows);
    }

    void Apply(HWND page) override {
        ReadRows(page);
        ReadStartTimes(page);
        TimeSignalSettings live;
        copies_.Apply(live, [](const TimeSignalSettings& edited) {
            const TimeSignalSettings now = CommitPagePart(SettingsPage::TimeSignal, edited);
            SaveTimeSignal(*Context().settings, now);
        });
    }

    void Revert() override {
        TimeSignalSettings restored;
        if (copies_.Revert(restored)) {
            CommitPagePart(SettingsPage::TimeSignal, restored);
        }
    }

    bool Changed() const override { return copies_.changed(); }
    void MarkChanged() override { copies_.MarkChanged(); }
    void Finish(HWND) override { soundBox_.Detach(); }

private:
    std::optional<std::string> Typed(HWND page, int edit) const {
        return EditedText(page, edit, edited_);
    }

    // The stored number, shown as it is; the spin holds it within its range.
    void Show(HWND page, int edit, int spin, int value) {
        ShowSpinNumber(page, edit, spin, value, edited_);
    }

    int SpinNumber(HWND page, int edit, int spin, int stored) const {
        return EditedSpinValue(page, edit, spin, edited_, stored);
    }

    CustomTimeSignal& Entry(int row) {
        return copies_.working().custom[static_cast<std::size_t>(half_ * kCustomRowsPerPage + row)];
    }

    void Fill(HWND page) {
        const TimeSignalSettings& w = copies_.working();
        showing_ = true;
        FillCheckBoxes<TimeSignalSettings>(page, kCheckBoxes, w);
        SetDlgItemTextA(page, IDC_TS_SOUND_NAME, w.TimeSignalSoundFileName.c_str());
        for (const StartRow& row : kStartRows) {
            Show(page, row.minuteEdit, row.minuteSpin, w.*row.minute);
            Show(page, row.secondEdit, row.secondSpin, w.*row.second);
            Show(page, row.msecondEdit, row.msecondSpin, w.*row.msecond);
        }
        showing_ = false;
        ShowRows(page);
        EnableMilliseconds(page, w.TimeSignalMSecondEnable == 1);
    }

    void ShowRows(HWND page) {
        showing_ = true;
        for (int r = 0; r < kCustomRowsPerPage; ++r) {
            const CustomTimeSignal& entry = Entry(r);
            const int number = half_ * kCustomRowsPerPage + r + 1;
            SetDlgItemTextA(page, IDC_TS_CUSTOM_LABEL + r, CustomRowLabel(number).c_str());
            Show(page, IDC_TS_CUSTOM_HOUR + r, IDC_TS_CUSTOM_HOUR_SPIN + r, entry.TimeSignalHour);
            Show(page, IDC_TS_CUSTOM_MINUTE + r, IDC_TS_CUSTOM_MINUTE_SPIN + r,
                 entry.TimeSignalMinute);
            Show(page, IDC_TS_CUSTOM_SECOND + r, IDC_TS_CUSTOM_SECOND_SPIN + r,
                 entry.TimeSignalSecond);
            Show(page, IDC_TS_CUSTOM_MSECOND + r, IDC_TS_CUSTOM_MSECOND_SPIN + r,
                 entry.TimeSignalMSecond);
            SetChecked(page, IDC_TS_CUSTOM_ON + r, entry.TimeSignalOn);
        }
        showing_ = false;
    }

    // Only called after Validate accepted the rows, so every typed hour, minute and second
    // parses. Edits the user left alone keep the entry's stored numbers.
    void ReadRows(HWND page) {
        for (int r = 0; r < kCustomRowsPerPage; ++r) {
            CustomTimeSignal& entry = Entry(r);
            auto number = [this, page](int control, int stored) {
                const std::optional<std::string> text = Typed(page, control);
                return text ? ParseTypedNumber(*text).value_or(stored) : stored;
            };
            entry.TimeSignalHour = number(IDC_TS_CUSTOM_HOUR + r, entry.TimeSignalHour);
            entry.TimeSignalMinute = number(IDC_TS_CUSTOM_MINUTE + r, entry.TimeSignalMinute);
            entry.TimeSignalSecond = number(IDC_TS_CUSTOM_SECOND + r, entry.TimeSignalSecond);
            entry.TimeSignalMSecond =
                MillisecondSpin(page, IDC_TS_CUSTOM_MSECOND + r, IDC_TS_CUSTOM_MSECOND_SPIN + r,
                                entry.TimeSignalMSecond);
            entry.TimeSignalOn = Checked(page, IDC_TS_CUSTOM_ON + r) ? 1 : 0;
        }
    }

    void ReadStartTimes(HWND page) {
        TimeSignalSettings& w = copies_.working();
        for (const StartRow& row : kStartRows) {
            w.*row.minute = SpinNumber(page, row.minuteEdit, row.minuteSpin, w.*row.minute);
            w.*row.second = SpinNumber(page, row.secondEdit, row.secondSpin, w.*row.second);
            w.*row.msecond =
                MillisecondSpin(page, row.msecondEdit, row.msecondSpin, w.*row.msecond);
        }
    }

    // A typed millisecond lands on the tick's step; a stored one is kept as it is.
    int MillisecondSpin(HWND page, int edit, int spin, int stored) const {
        return edited_.Edited(edit) ? MillisecondOnStep(SpinNumber(page, edit, spin, stored))
                                    : stored;
    }

    // Both buttons go to the other half; the rows shown must hold moments before they are
    // kept, so a bad one keeps the user on it.
    void SwitchHalf(HWND page) {
        if (const std::optional<PageProblem> problem = Validate(page)) {
            ShowPageProblem(page, *problem);
            return;
        }
        ReadRows(page);
        half_ = 1 - half_;
        ShowRows(page);
    }

    bool ChooseSound(HWND page) {
        TimeSignalSettings& w = copies_.working();
        ChosenFile file{w.TimeSignalSoundFile, w.TimeSignalSoundFileName};
        // A cancelled or refused choice leaves the setting as it was.
        if (!ChooseSoundFile(page, file)) {
            return false;
        }
        w.TimeSignalSoundFile = file.path;
        w.TimeSignalSoundFileName = file.displayName;
        SetDlgItemTextA(page, IDC_TS_SOUND_NAME, file.displayName.c_str());
        return true;
    }

    static void EnableMilliseconds(HWND page, bool on) {
        for (int r = 0; r < kCustomRowsPerPage; ++r) {
            EnableWindow(GetDlgItem(page, IDC_TS_CUSTOM_MSECOND + r), on);
            EnableWindow(GetDlgItem(page, IDC_TS_CUSTOM_MSECOND_SPIN + r), on);
        }
        for (const StartRow& row : kStartRows) {
            EnableWindow(GetDlgItem(page, row.msecondEdit), on);
            EnableWindow(GetDlgItem(page, row.msecondSpin), on);
        }
    }

    HWND page_ = nullptr;
    PageCopies<TimeSignalSettings> copies_;
    DropBox soundBox_;
    EditedFields edited_;
    int half_ = 0; // 0: entries 1-10 shown, 1: entries 11-20
    bool showing_ = false;
};

} // namespace

TimeSignalSettings CommitPagePart(SettingsPage page, const TimeSignalSettings& edited) {
    TimeSignal& signal = TheTimeSignal();
    TimeSignalSettings live = signal.Settings();
    TakePageFields(page, edited, live);
    CommitTimeSignal(signal, live);
    return live;
}

std::unique_ptr<SheetPage> CreateTimeSignalPage() {
    return std::make_unique<TimeSignalPage>();
}

} // namespace zentrava
