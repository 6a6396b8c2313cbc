#include "face/world_zone_page_win.h"

#include "base/app_context_win.h"
#include "base/settings_path.h"
#include "base/win_handles_win.h"
#include "clock/clocks_win.h"
#include "dialogs/page_controls_win.h"
#include "dialogs/pickers_win.h"
#include "face/world_zone_page.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <array>
#include <optional>
#include <string>

namespace zentrava {

static_assert(IDC_ZONE_HOUR == kZoneHourEdit && IDC_ZONE_MINUTE == kZoneMinuteEdit);

namespace {

// The page edits both records of its section together; Apply saves both.
struct ZonePageRecord {
    WorldZoneSettings zones;
    PictureSettings picture;
};

// The drop-down's items in the order of PicRotStdTimeZone's values.
constexpr std::array<const char*, 2> kRotationClocks{"日本標準時(JST)", "世界協定時(GMT)"};

constexpr int kHourDigits = 3; // a sign and two digits
constexpr int kMinuteDigits = 2;

std::size_t Slot(int zone) {
    return static_cast<std::size_t>(zone);
}

bool IsOffsetEdit(int control) {
    return (control >= IDC_ZONE_HOUR && control < IDC_ZONE_HOUR + kWorldZoneCount) ||
           (control >= IDC_ZONE_MINUTE && control < IDC_ZONE_MINUTE + kWorldZoneCount);
}

class WorldZonePage final : public SheetPage {
public:
    WorldZonePage(PictureSettings& livePicture, std::function<void()> onApplied)
        : livePicture_(livePicture), onApplied_(std::move(onApplied)) {}

    void Start(HWND page) override {
        page_ = page;
        copies_.Begin({TheClocks().Zones(), livePicture_});
        for (int n = 0; n < kWorldZoneCount; ++n) {
            SetDlgItemTextA(page, IDC_ZONE_GROUP + n, ZoneGroupCaption(n + 1).c_str());
            SendDlgItemMessageA(page, IDC_ZONE_HOUR + n, EM_LIMITTEXT, kHourDigits, 0);
            SendDlgItemMessageA(page, IDC_ZONE_MINUTE + n, EM_LIMITTEXT, kMinuteDigits, 0);
            SetupSpin(page, IDC_ZONE_HOUR_SPIN + n, -11, 11);
            SetupSpin(page, IDC_ZONE_MINUTE_SPIN + n, 0, 59);
        }
        for (const char* item : kRotationClocks) {
            SendDlgItemMessageA(page, IDC_PICTURE_CLOCK, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(item));
        }
        Fill(page);
        pictureBox_.Attach(GetDlgItem(page, IDC_PICTURE_NAME), FileKind::Picture,
                           [this](const ChosenFile& file) {
                               copies_.working().picture.BkGndPicFile = file.path;
                               MarkPageChanged(page_, *this);
                           });
    }

    bool OnControl(HWND page, int control, int notification) override {
        if (notification == EN_UPDATE) {
            return IsOffsetEdit(control);
        }
        if (control == IDC_PICTURE_CLOCK) {
            return notification == CBN_SELCHANGE && ReadRotationClock(page);
        }
        if (notification != BN_CLICKED) {
            return false;
        }
        ZonePageRecord& w = copies_.working();
        for (int n = 0; n < kWorldZoneCount; ++n) {
            if (control == IDC_ZONE_SHOW + n) {
                w.zones.TimeZoneDiffOnFlag[Slot(n)] = Checked(page, control) ? 1 : 0;
                return true;
            }
            if (control == IDC_ZONE_SUMMER + n) {
                w.zones.TimeZoneDiffSummerTimeOnFlag[Slot(n)] = Checked(page, control) ? 1 : 0;
                return true;
            }
            if (control == IDC_ZONE_COLOUR + n) {
                return ChooseHandColour(page, n);
            }
        }
        switch (control) {
        case IDC_PICTURE_ROTATE:
            w.picture.PicRotEnable = Checked(page, control) ? 1 : 0;
            return true;
        case IDC_PICTURE_CHOOSE:
            return ChoosePicture(page);
        case IDC_PICTURE_CLEAR:
            w.picture.BkGndPicFile.clear();
            SetDlgItemTextA(page, IDC_PICTURE_NAME, "");
            return true;
        default:
            return false;
        }
    }

    std::optional<PageProblem> Validate(HWND page) override {
        // An untouched page shows only what was loaded, and that is clamped into range.
        if (!copies_.changed()) {
            return std::nullopt;
        }
        std::array<ZoneOffsetText, kWorldZoneCount> typed;
        for (int n = 0; n < kWorldZoneCount; ++n) {
            typed[Slot(n)] = {ControlText(page, IDC_ZONE_HOUR + n),
                              ControlText(page, IDC_ZONE_MINUTE + n)};
        }
        return CheckZoneOffsets(typed);
    }

    void Apply(HWND page) override {
        ReadOffsets(page);
        ZonePageRecord live{TheClocks().Zones(), livePicture_};
        copies_.Apply(live, [this](const ZonePageRecord& now) {
            // The world records take the new offsets at once, without a reload of the clock.
            TheClocks().ApplyZones(now.zones);
            SaveWorldZoneSettings(*Context().settings, now.zones);
            SavePictureSettings(*Context().settings, now.picture);
            livePicture_ = now.picture;
            if (onApplied_) {
                onApplied_();
            }
        });
    }

    // The live zones and picture change only on Apply, so they already equal the backup;
    // only the page's own copies go back.
    void Revert() override {
        ZonePageRecord scratch;
        copies_.Revert(scratch);
    }

    bool Changed() const override { return copies_.changed(); }
    void MarkChanged() override { copies_.MarkChanged(); }

    void Finish(HWND) override {
        pictureBox_.Detach();
        for (UniqueBrush& brush : sampleBrushes_) {
            brush.reset();
        }
    }

    INT_PTR OnMessage(HWND, UINT message, WPARAM, LPARAM lParam) override {
        if (message != WM_CTLCOLORSTATIC) {
            return FALSE;
        }
        const int control = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        if (control < IDC_ZONE_SAMPLE || control >= IDC_ZONE_SAMPLE + kWorldZoneCount) {
            return FALSE;
        }
        return reinterpret_cast<INT_PTR>(sampleBrushes_[Slot(control - IDC_ZONE_SAMPLE)].get());
    }

private:
    void Fill(HWND page) {
        const ZonePageRecord& w = copies_.working();
        for (int n = 0; n < kWorldZoneCount; ++n) {
            ShowNumber(page, IDC_ZONE_HOUR + n, IDC_ZONE_HOUR_SPIN + n,
                       w.zones.TimeZoneDiffHour[Slot(n)]);
            ShowNumber(page, IDC_ZONE_MINUTE + n, IDC_ZONE_MINUTE_SPIN + n,
                       w.zones.TimeZoneDiffMinute[Slot(n)]);
            SetChecked(page, IDC_ZONE_SHOW + n, w.zones.TimeZoneDiffOnFlag[Slot(n)]);
            SetChecked(page, IDC_ZONE_SUMMER + n, w.zones.TimeZoneDiffSummerTimeOnFlag[Slot(n)]);
            ShowSample(page, n);
        }
        SendDlgItemMessageA(page, IDC_PICTURE_CLOCK, CB_SETCURSEL,
                            static_cast<WPARAM>(w.picture.PicRotStdTimeZone == 1 ? 1 : 0), 0);
        SetChecked(page, IDC_PICTURE_ROTATE, w.picture.PicRotEnable);
        // A configured picture is named from the start: an empty field would tell the user
        // there is none while the face shows it.
        SetDlgItemTextA(page, IDC_PICTURE_NAME, FileDisplayName(w.picture.BkGndPicFile).c_str());
    }

    static void ShowNumber(HWND page, int edit, int spin, int value) {
        SendDlgItemMessageA(page, spin, UDM_SETPOS32, 0, value);
        SetDlgItemTextA(page, edit, std::to_string(value).c_str());
    }

    // Only called after the check accepted the typed offsets (leaving the page, or the Apply
    // before this one); a text that still does not parse keeps the stored value.
    void ReadOffsets(HWND page) {
        WorldZoneSettings& z = copies_.working().zones;
        for (int n = 0; n < kWorldZoneCount; ++n) {
            int& hour = z.TimeZoneDiffHour[Slot(n)];
            int& minute = z.TimeZoneDiffMinute[Slot(n)];
            hour = ParseTypedNumber(ControlText(page, IDC_ZONE_HOUR + n)).value_or(hour);
            minute = ParseTypedNumber(ControlText(page, IDC_ZONE_MINUTE + n)).value_or(minute);
        }
    }

    bool ReadRotationClock(HWND page) {
        const LRESULT selected = SendDlgItemMessageA(page, IDC_PICTURE_CLOCK, CB_GETCURSEL, 0, 0);
        if (selected == CB_ERR) {
            return false;
        }
        copies_.working().picture.PicRotStdTimeZone = selected == 1 ? 1 : 0;
        return true;
    }

    // The old brush goes only once the sample no longer needs it: the new one is in place
    // before the old one is deleted.
    void ShowSample(HWND page, int zone) {
        const auto colour =
            static_cast<COLORREF>(copies_.working().zones.TimeZoneDiffColor[Slot(zone)]);
        sampleBrushes_[Slot(zone)] = UniqueBrush(CreateSolidBrush(colour));
        InvalidateRect(GetDlgItem(page, IDC_ZONE_SAMPLE + zone), nullptr, TRUE);
    }

    bool ChooseHandColour(HWND page, int zone) {
        int& colour = copies_.working().zones.TimeZoneDiffColor[Slot(zone)];
        const std::optional<COLORREF> chosen = ChooseColour(page, static_cast<COLORREF>(colour));
        if (!chosen) {
            return false;
        }
        colour = static_cast<int>(*chosen);
        ShowSample(page, zone);
        return true;
    }

    // The chooser empties what it is given when it refuses a file; it is given a copy, so a
    // refused file leaves the picture the page had.
    bool ChoosePicture(HWND page) {
        std::string& path = copies_.working().picture.BkGndPicFile;
        ChosenFile file{path, FileDisplayName(path)};
        if (!ChoosePictureFile(page, file)) {
            return false;
        }
        path = file.path;
        SetDlgItemTextA(page, IDC_PICTURE_NAME, file.displayName.c_str());
        return true;
    }

    PictureSettings& livePicture_;
    std::function<void()> onApplied_;
    HWND page_ = nullptr;
    PageCopies<ZonePageRecord> copies_;
    DropBox pictureBox_;
    std::array<UniqueBrush, kWorldZoneCount> sampleBrushes_;
};

} // namespace

std::unique_ptr<SheetPage> CreateWorldZonePage(PictureSettings& livePicture,
                                               std::function<void()> onApplied) {
    return std::make_unique<WorldZonePage>(livePicture, std::move(onApplied));
}

} // namespace zentrava
