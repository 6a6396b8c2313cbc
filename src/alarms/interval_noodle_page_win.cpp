#include "alarms/interval_noodle_page_win.h"

#include "alarms/interval_alarm_win.h"
#include "alarms/interval_noodle_page.h"
#include "base/app_context_win.h"
#include "dialogs/page_controls_win.h"
#include "dialogs/pickers_win.h"
#include "resources/resource.h"

#include <iterator>
#include <optional>
#include <string>

namespace zentrava {

static_assert(IDC_IV_HOUR == kIntervalHourEdit && IDC_IV_MINUTE == kIntervalMinuteEdit &&
              IDC_IV_SECOND == kIntervalSecondEdit);

namespace {

constexpr int kTypedDigits = 2;

constexpr SpinField<IntervalAlarmSettings> kSpinFields[] = {
    {IDC_IV_HOUR, IDC_IV_HOUR_SPIN, 0, 24, &IntervalAlarmSettings::IntervalAlarmHour},
    {IDC_IV_MINUTE, IDC_IV_MINUTE_SPIN, 0, 59, &IntervalAlarmSettings::IntervalAlarmMinute},
    {IDC_IV_SECOND, IDC_IV_SECOND_SPIN, 0, 59, &IntervalAlarmSettings::IntervalAlarmSecond},
};

constexpr CheckBoxField<IntervalAlarmSettings> kCheckBoxes[] = {
    {IDC_IV_ON, &IntervalAlarmSettings::IntervalAlarmOn},
    {IDC_IV_BALLOON, &IntervalAlarmSettings::IntervalAlarmBalloonHelp},
    {IDC_IV_JUST_0_SECOND, &IntervalAlarmSettings::IntervalAlarmJust0Second},
};

// One sound of the page: its edit (a drop box), its chooser and clear buttons, its fields.
struct SoundRow {
    int nameEdit;
    int choose;
    int clear;
    std::string IntervalAlarmSettings::*path;
    std::string IntervalAlarmSettings::*name;
};
constexpr SoundRow kSoundRows[] = {
    {IDC_IV_SOUND_NAME, IDC_IV_SOUND_CHOOSE, IDC_IV_SOUND_CLEAR,
     &IntervalAlarmSettings::IntervalAlarmSoundFile,
     &IntervalAlarmSettings::IntervalAlarmSoundFileName},
    {IDC_IV_NOODLE_SOUND_NAME, IDC_IV_NOODLE_SOUND_CHOOSE, IDC_IV_NOODLE_SOUND_CLEAR,
     &IntervalAlarmSettings::NoodleTimerSoundFile,
     &IntervalAlarmSettings::NoodleTimerSoundFileName},
};

class IntervalNoodlePage final : public SheetPage {
public:
    explicit IntervalNoodlePage(HWND mainWindow) : mainWindow_(mainWindow) {}

    void Start(HWND page) override {
        page_ = page;
        copies_.Begin(TheIntervalAlarm().Settings());
        const IntervalAlarmSettings& w = copies_.working();
        showing_ = true;
        FillSpinFields<IntervalAlarmSettings>(page, kSpinFields, w, edited_, kTypedDigits);
        FillCheckBoxes<IntervalAlarmSettings>(page, kCheckBoxes, w);
        for (const SoundRow& row : kSoundRows) {
            SetDlgItemTextA(page, row.nameEdit, (w.*row.name).c_str());
        }
        showing_ = false;
        for (std::size_t i = 0; i < std::size(kSoundRows); ++i) {
            const SoundRow& row = kSoundRows[i];
            boxes_[i].Attach(GetDlgItem(page, row.nameEdit), FileKind::Sound,
                             [this, &row](const ChosenFile& file) {
                                 IntervalAlarmSettings& edit = copies_.working();
                                 edit.*row.path = file.path;
                                 edit.*row.name = file.displayName;
                                 MarkPageChanged(page_, *this);
                             });
        }
    }

    bool OnControl(HWND page, int control, int notification) override {
        if (showing_) {
            return false;
        }
        if (notification == EN_CHANGE) {
            if (!IsSpinEdit<IntervalAlarmSettings>(kSpinFields, control)) {
                return false;
            }
            edited_.Note(control);
            return true;
        }
        if (notification != BN_CLICKED) {
            return false;
        }
        IntervalAlarmSettings& w = copies_.working();
        if (ReadCheckBox<IntervalAlarmSettings>(page, kCheckBoxes, control, w) != nullptr) {
            return true;
        }
        for (const SoundRow& row : kSoundRows) {
            if (control == row.choose) {
                return ChooseSound(page, row);
            }
            if (control == row.clear) {
                (w.*row.path).clear();
                (w.*row.name).clear();
                SetDlgItemTextA(page, row.nameEdit, "");
                return true;
            }
        }
        return false;
    }

    std::optional<PageProblem> Validate(HWND page) override {
        return ValidateIntervalFields({EditedText(page, IDC_IV_HOUR, edited_),
                                       EditedText(page, IDC_IV_MINUTE, edited_),
                                       EditedText(page, IDC_IV_SECOND, edited_)});
    }

    void Apply(HWND page) override {
        // Validate accepted every typed number; edits the user left alone keep the record's.
        IntervalAlarmSettings& w = copies_.working();
        for (const SpinField<IntervalAlarmSettings>& f : kSpinFields) {
            const std::optional<std::string> text = EditedText(page, f.edit, edited_);
            if (text) {
                w.*f.field = ParseTypedNumber(*text).value_or(w.*f.field);
            }
        }
        IntervalAlarmSettings live;
        const HWND mainWindow = mainWindow_;
        copies_.Apply(live, [mainWindow](const IntervalAlarmSettings& applied) {
            CommitIntervalAlarm(mainWindow, applied);
            SaveIntervalAlarmSettings(*Context().settings, applied);
        });
    }

    // The live record never changed before apply, but the interval starts again from now, as
    // after an apply.
    void Revert() override {
        IntervalAlarmSettings restored;
        if (copies_.Revert(restored)) {
            CommitIntervalAlarm(mainWindow_, restored);
        }
    }

    bool Changed() const override { return copies_.changed(); }
    void MarkChanged() override { copies_.MarkChanged(); }
    void Finish(HWND) override {
        for (DropBox& box : boxes_) {
            box.Detach();
        }
    }

private:
    bool ChooseSound(HWND page, const SoundRow& row) {
        IntervalAlarmSettings& w = copies_.working();
        ChosenFile file{w.*row.path, w.*row.name};
        // A cancelled or refused choice leaves the setting as it was.
        if (!ChooseSoundFile(page, file)) {
            return false;
        }
        w.*row.path = file.path;
        w.*row.name = file.displayName;
        SetDlgItemTextA(page, row.nameEdit, file.displayName.c_str());
        return true;
    }

    HWND mainWindow_;
    HWND page_ = nullptr;
    PageCopies<IntervalAlarmSettings> copies_;
    DropBox boxes_[std::size(kSoundRows)];
    EditedFields edited_;
    bool showing_ = false;
};

} // namespace

std::unique_ptr<SheetPage> CreateIntervalNoodlePage(HWND mainWindow) {
    return std::make_unique<IntervalNoodlePage>(mainWindow);
}

} // namespace zentrava
