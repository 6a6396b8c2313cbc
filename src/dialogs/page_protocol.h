#pragma once
// What every page of the settings sheet does with its settings, apart from its controls: the
// page edits a working copy, keeps a backup equal to what was last applied, and carries a
// changed mark; apply commits and saves, the sheet's one cancel handler puts back every changed
// page in a fixed order. Also the start-page rule and the check of typed numbers that keeps the
// user on a page with a bad value.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zentrava {

// The settings sheet's pages by index. The index is what AudioFilePropertySheetPos stores, so
// the order is fixed.
enum class SettingsPage : int {
    Alarms = 0,
    TimeSignal = 1,
    HourlySounds = 2,
    HalfHourlySounds = 3,
    Audio = 4,
    IntervalNoodle = 5,
    TimeBandChart = 6, // not TimeBands: that names the band table itself
    WorldZones = 7,
};
inline constexpr int kSettingsPageCount = 8;

constexpr int PageIndex(SettingsPage page) {
    return static_cast<int>(page);
}

// The page the settings sheet opens on. A value from an edited or damaged settings file that
// names no page opens the first one rather than a sheet with no page selected.
int StartPage(int savedPosition);

// One page's copies of its feature's record. The live record changes only through Apply and
// Revert, so the backup always equals the last applied state.
template <typename Record>
class PageCopies {
public:
    // The page is created: both copies start from the live settings, nothing is changed yet.
    void Begin(const Record& live) {
        backup_ = live;
        working_ = live;
        changed_ = false;
    }

    Record& working() { return working_; }
    const Record& working() const { return working_; }
    const Record& backup() const { return backup_; }

    bool changed() const { return changed_; }
    void MarkChanged() { changed_ = true; }

    // OK or Apply. Only a changed page commits and writes its section, so pressing OK on an
    // untouched page never rewrites the file. save(live) writes the section. True when the
    // page committed.
    template <typename Save>
    bool Apply(Record& live, Save&& save) {
        if (!changed_) {
            return false;
        }
        live = working_;
        backup_ = working_;
        std::forward<Save>(save)(std::as_const(live));
        changed_ = false;
        return true;
    }

    // The cancel handler: a changed page's live record goes back to the last applied state
    // (a page may have given part of its edit an immediate effect). Nothing is written: the file
    // already holds that state. True when the page was changed.
    bool Revert(Record& live) {
        if (!changed_) {
            return false;
        }
        live = backup_;
        working_ = backup_;
        changed_ = false;
        return true;
    }

private:
    Record working_{};
    Record backup_{};
    bool changed_ = false;
};

// The cancel handler's steps in the order they run. The sound test stops before anything is
// restored, so a test sound of a file the user is about to lose does not play on. The armed
// flag is recomputed only after the alarm records were put back: with the records untouched,
// recomputing would undo the menu's "alarms off", which leaves alarms switched on but unarmed.
enum class CancelStep {
    StopSoundTest,
    RestoreAlarms,
    RecomputeAlarmsArmed,
    RestoreTimeSignal,
    RestoreHourlySounds,
    RestoreHalfHourlySounds,
    RestoreAudio,
    RestoreIntervalNoodle,
    RestoreTimeBands,
    RestoreWorldZones,
};

struct CancelInputs {
    bool soundTestSounding = false;
    std::array<bool, kSettingsPageCount> changed{};
};

std::vector<CancelStep> CancelPlan(const CancelInputs& inputs);

// The page a restore step belongs to; nothing for the steps that are not a page's.
std::optional<SettingsPage> PageOfStep(CancelStep step);

// The number edits the user changed since the page last showed its record. Only these are
// read back and checked: an edit left alone still shows the record's own number, which may lie
// outside what its up-down control reaches (a hand-edited file). It goes back to the file as it
// was, neither clamped by the control nor refused as if the user had typed it.
class EditedFields {
public:
    void Note(int control);
    void Forget(int control);
    bool Edited(int control) const;

private:
    std::vector<int> controls_;
};

// A value that keeps the user on the page: the control to put the focus on, the message and
// the box's caption (empty for the program's own).
struct PageProblem {
    int control = 0;
    std::string message;
    std::string caption = {};

    friend bool operator==(const PageProblem&, const PageProblem&) = default;
};

// The range messages of the pages' typed hours and minutes: "時間の設定は0～23迄です。" and
// "分の設定は0～59迄です。".
inline constexpr std::string_view kHourRangeMessage =
    "\x8E\x9E\x8A\xD4\x82\xCC\x90\xDD\x92\xE8\x82\xCD"
    "0\x81`23\x96\x98\x82\xC5\x82\xB7\x81"
    "B";
inline constexpr std::string_view kMinuteRangeMessage = "\x95\xAA\x82\xCC\x90\xDD\x92\xE8\x82\xCD"
                                                        "0\x81`59\x96\x98\x82\xC5\x82\xB7\x81"
                                                        "B";

// One typed number and the range the page accepts for it.
struct NumberField {
    int control = 0;
    std::string_view text;
    int min = 0;
    int max = 0;
    std::string_view message; // shown for a number outside the range
    // Shown for anything that is not a number (letters, signs alone, an empty edit); empty:
    // `message` for those too.
    std::string_view notNumberMessage = {};
    std::string_view caption = {}; // empty: the program's own
    // The caption over the not-a-number message where a page words the two apart; empty:
    // `caption`.
    std::string_view notNumberCaption = {};
};

// A whole decimal number with an optional sign and nothing else (no blanks, no letters);
// nothing for anything else, and for numbers that do not fit an int.
std::optional<int> ParseTypedNumber(std::string_view text);

// The first field, in the order given, that is not a number within its range. Letters and
// empty edits are refused (with the field's not-a-number message, or its range message where it
// has none), so nothing that can never take effect reaches the settings file.
std::optional<PageProblem> FirstBadField(std::span<const NumberField> fields);

} // namespace zentrava
