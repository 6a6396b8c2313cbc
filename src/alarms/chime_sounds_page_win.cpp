// The pages "各正時の音声ファイル設定" and "各30分の音声ファイル設定": one sound file per hour
// for the hourly or the half-hourly chime, and the switch that lets the chime use them. The two
// differ only in the part of the record they edit and the section they save.

#include "alarms/time_signal_page_win.h"

#include "alarms/time_signal_page.h"
#include "alarms/time_signal_win.h"
#include "base/app_context_win.h"
#include "dialogs/pickers_win.h"
#include "resources/resource.h"

#include <array>

namespace zentrava {

namespace {

class ChimeSoundsPage final : public SheetPage {
public:
    explicit ChimeSoundsPage(SettingsPage part) : part_(part) {}

    void Start(HWND page) override {
        page_ = page;
        copies_.Begin(TheTimeSignal().Settings());
        CheckDlgButton(page, IDC_CHIME_SOUND_ENABLE, Enable() == 1 ? BST_CHECKED : BST_UNCHECKED);
        for (int h = 0; h < kChimeHourCount; ++h) {
            SetDlgItemTextA(page, IDC_CHIME_SOUND_NAME + h,
                            Hour(h).TimeSignalSoundFileName.c_str());
            boxes_[static_cast<std::size_t>(h)].Attach(
                GetDlgItem(page, IDC_CHIME_SOUND_NAME + h), FileKind::Sound,
                [this, h](const ChosenFile& file) {
                    Hour(h).TimeSignalSoundFile = file.path;
                    Hour(h).TimeSignalSoundFileName = file.displayName;
                    MarkPageChanged(page_, *this);
                });
        }
    }

    bool OnControl(HWND page, int control, int notification) override {
        if (notification != BN_CLICKED) {
            return false;
        }
        if (control == IDC_CHIME_SOUND_ENABLE) {
            // A third state, should the box ever show one, keeps the switch as it was.
            switch (IsDlgButtonChecked(page, control)) {
            case BST_CHECKED:
                Enable() = 1;
                return true;
            case BST_UNCHECKED:
                Enable() = 0;
                return true;
            default:
                return false;
            }
        }
        if (control >= IDC_CHIME_SOUND_CHOOSE &&
            control < IDC_CHIME_SOUND_CHOOSE + kChimeHourCount) {
            return Choose(page, control - IDC_CHIME_SOUND_CHOOSE);
        }
        if (control >= IDC_CHIME_SOUND_CLEAR && control < IDC_CHIME_SOUND_CLEAR + kChimeHourCount) {
            const int h = control - IDC_CHIME_SOUND_CLEAR;
            Hour(h).TimeSignalSoundFile.clear();
            Hour(h).TimeSignalSoundFileName.clear();
            SetDlgItemTextA(page, IDC_CHIME_SOUND_NAME + h, "");
            return true;
        }
        return false;
    }

    void Apply(HWND) override {
        TimeSignalSettings live;
        copies_.Apply(live, [this](const TimeSignalSettings& edited) {
            const TimeSignalSettings now = CommitPagePart(part_, edited);
            if (part_ == SettingsPage::HourlySounds) {
                SavePerHourSounds(*Context().settings, now);
            } else {
                SavePerHalfHourSounds(*Context().settings, now);
            }
        });
    }

    void Revert() override {
        TimeSignalSettings restored;
        if (copies_.Revert(restored)) {
            CommitPagePart(part_, restored);
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
    int& Enable() {
        TimeSignalSettings& w = copies_.working();
        return part_ == SettingsPage::HourlySounds ? w.CustumTimeSignalSoundEnable
                                                   : w.CustumTimeSignalSoundEnable30;
    }

    ChimeHour& Hour(int h) {
        TimeSignalSettings& w = copies_.working();
        auto& hours = part_ == SettingsPage::HourlySounds ? w.hours : w.halfHours;
        return hours[static_cast<std::size_t>(h)];
    }

    bool Choose(HWND page, int h) {
        ChimeHour& hour = Hour(h);
        ChosenFile file{hour.TimeSignalSoundFile, hour.TimeSignalSoundFileName};
        // A cancelled or refused choice leaves the setting as it was.
        if (!ChooseSoundFile(page, file)) {
            return false;
        }
        hour.TimeSignalSoundFile = file.path;
        hour.TimeSignalSoundFileName = file.displayName;
        SetDlgItemTextA(page, IDC_CHIME_SOUND_NAME + h, file.displayName.c_str());
        return true;
    }

    SettingsPage part_;
    HWND page_ = nullptr;
    PageCopies<TimeSignalSettings> copies_;
    std::array<DropBox, kChimeHourCount> boxes_;
};

} // namespace

std::unique_ptr<SheetPage> CreateChimeSoundsPage(SettingsPage page) {
    return std::make_unique<ChimeSoundsPage>(page);
}

} // namespace zentrava
