#include "face/time_band_page_win.h"

#include "base/app_context_win.h"
#include "base/win_handles_win.h"
#include "dialogs/page_controls_win.h"
#include "dialogs/pickers_win.h"
#include "face/time_band_page.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <array>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

namespace zentrava {

static_assert(IDC_BAND_START_HOUR == kBandStartHourEdit &&
              IDC_BAND_START_MINUTE == kBandStartMinuteEdit &&
              IDC_BAND_END_HOUR == kBandEndHourEdit && IDC_BAND_END_MINUTE == kBandEndMinuteEdit);

namespace {

constexpr int kBandCount = static_cast<int>(std::tuple_size_v<TimeBands>);
constexpr int kBandGroups = kBandCount / kBandRowsPerPage;
static_assert(kBandGroups * kBandRowsPerPage == kBandCount);

// More than the two characters an edit takes from the keyboard: a text set past the limit
// ("123") is refused as it stands rather than read cut short as "12".
constexpr std::size_t kTimeTextBuffer = 16;

// One of a row's four times: its edit and up-down control in the first row, its range and the
// band's field.
struct TimeField {
    int edit;
    int spin;
    int max;
    int TimeBand::*field;
};
constexpr TimeField kTimeFields[] = {
    {IDC_BAND_START_HOUR, IDC_BAND_START_HOUR_SPIN, 23, &TimeBand::startHour},
    {IDC_BAND_START_MINUTE, IDC_BAND_START_MINUTE_SPIN, 59, &TimeBand::startMinute},
    {IDC_BAND_END_HOUR, IDC_BAND_END_HOUR_SPIN, 23, &TimeBand::endHour},
    {IDC_BAND_END_MINUTE, IDC_BAND_END_MINUTE_SPIN, 59, &TimeBand::endMinute},
};

// The visible row of a control in the block of four that starts at `first`.
std::optional<int> RowOf(int control, int first) {
    if (control >= first && control < first + kBandRowsPerPage) {
        return control - first;
    }
    return std::nullopt;
}

bool IsTimeEdit(int control) {
    for (const TimeField& f : kTimeFields) {
        if (RowOf(control, f.edit)) {
            return true;
        }
    }
    return false;
}

class TimeBandPage final : public SheetPage {
public:
    TimeBandPage(TimeBands& live, std::function<void()> onApplied)
        : live_(live), onApplied_(std::move(onApplied)) {}

    void Start(HWND page) override {
        copies_.Begin(live_);
        group_ = 0;
        for (int r = 0; r < kBandRowsPerPage; ++r) {
            for (const TimeField& f : kTimeFields) {
                SetupSpin(page, f.spin + r, 0, f.max);
                SendDlgItemMessageA(page, f.edit + r, EM_LIMITTEXT, 2, 0);
            }
        }
        ShowGroup(page);
    }

    bool OnControl(HWND page, int control, int notification) override {
        // Showing a group sets the edits' texts, which notifies like typing does.
        if (showing_) {
            return false;
        }
        if (notification == EN_UPDATE) {
            return IsTimeEdit(control);
        }
        if (notification != BN_CLICKED) {
            return false;
        }
        // The switch is read with the rest of its row when the rows are stored.
        if (RowOf(control, IDC_BAND_ON)) {
            return true;
        }
        if (const std::optional<int> row = RowOf(control, IDC_BAND_COLOUR)) {
            return ChooseRowColour(page, *row);
        }
        if (control == IDC_BAND_PREVIOUS || control == IDC_BAND_NEXT) {
            Turn(page, control == IDC_BAND_NEXT ? 1 : -1);
        }
        return false;
    }

    std::optional<PageProblem> Validate(HWND page) override {
        std::array<BandRowText, kBandRowsPerPage> rows;
        for (int r = 0; r < kBandRowsPerPage; ++r) {
            auto text = [page, r](int first) {
                return ControlText(page, first + r, kTimeTextBuffer);
            };
            rows[static_cast<std::size_t>(r)] = {
                text(IDC_BAND_START_HOUR), text(IDC_BAND_START_MINUTE), text(IDC_BAND_END_HOUR),
                text(IDC_BAND_END_MINUTE)};
        }
        return CheckBandRows(rows);
    }

    void Apply(HWND page) override {
        StoreRows(page);
        if (copies_.Apply(
                live_, [](const TimeBands& bands) { SaveTimeBands(*Context().settings, bands); }) &&
            onApplied_) {
            onApplied_();
        }
    }

    // The live table only ever changes on Apply, so putting back the backup leaves the face as
    // it was last applied.
    void Revert() override { copies_.Revert(live_); }

    bool Changed() const override { return copies_.changed(); }
    void MarkChanged() override { copies_.MarkChanged(); }

    void Finish(HWND) override {
        for (UniqueBrush& brush : samples_) {
            brush.reset();
        }
    }

    INT_PTR OnMessage(HWND, UINT message, WPARAM, LPARAM lParam) override {
        if (message != WM_CTLCOLORSTATIC) {
            return FALSE;
        }
        const std::optional<int> row =
            RowOf(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), IDC_BAND_SAMPLE);
        if (!row) {
            return FALSE;
        }
        // A dialog answers the colour messages with the brush itself.
        return reinterpret_cast<INT_PTR>(samples_[static_cast<std::size_t>(*row)].get());
    }

private:
    TimeBand& Band(int row) {
        return copies_.working()[static_cast<std::size_t>(group_ * kBandRowsPerPage + row)];
    }

    void ShowGroup(HWND page) {
        showing_ = true;
        for (int r = 0; r < kBandRowsPerPage; ++r) {
            const TimeBand& band = Band(r);
            const int number = group_ * kBandRowsPerPage + r + 1;
            SetDlgItemTextA(page, IDC_BAND_GROUP + r, BandGroupCaption(number).c_str());
            for (const TimeField& f : kTimeFields) {
                // The position first: the up-down control writes it into its edit.
                SendDlgItemMessageA(page, f.spin + r, UDM_SETPOS32, 0, band.*f.field);
                SetDlgItemInt(page, f.edit + r, static_cast<UINT>(band.*f.field), FALSE);
            }
            SetChecked(page, IDC_BAND_ON + r, band.On() ? 1 : 0);
            ShowSample(page, r);
        }
        showing_ = false;
    }

    // Only after the rows were accepted, so every edit holds a number in its range.
    void StoreRows(HWND page) {
        for (int r = 0; r < kBandRowsPerPage; ++r) {
            TimeBand& band = Band(r);
            for (const TimeField& f : kTimeFields) {
                const std::string text = ControlText(page, f.edit + r, kTimeTextBuffer);
                band.*f.field = ParseTypedNumber(text).value_or(band.*f.field);
            }
            // A switch the user left alone keeps the number the file held.
            const bool on = Checked(page, IDC_BAND_ON + r);
            if (on != band.On()) {
                band.onFlag = on ? 1 : 0;
            }
        }
    }

    // The rows shown must hold times before they are kept, so a bad one keeps the user on it.
    void Turn(HWND page, int step) {
        if (const std::optional<PageProblem> problem = Validate(page)) {
            ShowPageProblem(page, *problem);
            return;
        }
        if (copies_.changed()) {
            StoreRows(page);
        }
        group_ = (group_ + step + kBandGroups) % kBandGroups;
        ShowGroup(page);
    }

    bool ChooseRowColour(HWND page, int row) {
        TimeBand& band = Band(row);
        const std::optional<COLORREF> chosen = ChooseColour(page, band.colour);
        if (!chosen) {
            return false;
        }
        band.colour = static_cast<std::uint32_t>(*chosen);
        ShowSample(page, row);
        return true;
    }

    void ShowSample(HWND page, int row) {
        samples_[static_cast<std::size_t>(row)].reset(CreateSolidBrush(Band(row).colour));
        InvalidateRect(GetDlgItem(page, IDC_BAND_SAMPLE + row), nullptr, TRUE);
    }

    TimeBands& live_;
    std::function<void()> onApplied_;
    PageCopies<TimeBands> copies_;
    std::array<UniqueBrush, kBandRowsPerPage> samples_;
    int group_ = 0; // bands group_ * 4 + 1 to group_ * 4 + 4 are shown
    bool showing_ = false;
};

} // namespace

std::unique_ptr<SheetPage> CreateTimeBandPage(TimeBands& live, std::function<void()> onApplied) {
    return std::make_unique<TimeBandPage>(live, std::move(onApplied));
}

} // namespace zentrava
