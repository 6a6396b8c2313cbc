#pragma once
// What the manual date-and-time page decides apart from its controls: which typed time it
// refuses and how it says so, when a move on the month calendar counts as a change, the time the
// clocks take on apply, what the closing box says, and where the calendar and the page's other
// controls go once the calendar's real size is known.

#include "base/geometry.h"
#include "clock/calendar.h"
#include "dialogs/page_protocol.h"
#include "resources/resource.h"

#include <optional>
#include <string>

namespace zentrava {

// The three edits' texts as they stand.
struct ManualTimeTyped {
    std::string hour;
    std::string minute;
    std::string second;
};

// The first bad field in the order hour, minute, second. An empty edit or letters are "not a
// number", told apart from a number out of range by message and, for the minute, by caption.
std::optional<PageProblem> ValidateManualTime(const ManualTimeTyped& typed);

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;

    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

enum class CalendarEvent {
    Select,    // the user chose a day (a click)
    SelChange, // the selection moved: a click, the keyboard, or the month scrolled under it
};

// Whether the calendar's event marks the page changed. A choice always does; a moved selection
// only when it left the day the page opened on, so a month scrolled there and back, or the
// control's own notifications about the opening day, do not make Apply set the clock.
bool CalendarMarksChanged(CalendarEvent event, const CalendarDate& opening,
                          const CalendarDate& selected);

// The time the clocks take: the calendar's date with its own day of the week (the control's
// may be left stale by a keyboard move), the typed hour, minute and second, milliseconds 0.
// Nothing when a number is not one the page accepts.
std::optional<DateTime> ManualClockTime(const CalendarDate& date, const ManualTimeTyped& typed);

// The box after apply: the program's clock was set, and the computer's was or was not.
std::string ManualTimeSetText(bool computerClockSet);

// Where the month calendar goes: centred across the page at the top, its minimum size with
// room for its borders; every other control moves down by `shift`, keeping its distance below
// the calendar. A page narrower than the calendar shows it from its left edge.
struct ManualPageLayout {
    Rect calendar;
    int shift = 0;
};
ManualPageLayout LayOutManualPage(int pageWidth, int calendarMinWidth, int calendarMinHeight);

} // namespace zentrava
