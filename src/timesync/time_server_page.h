#pragma once
// What the time-server page does to the NTP settings, apart from its controls: the server list
// as the page's sorted combo box shows it, deleting an entry, taking a server that answered
// the synchronisation test into the list, the values put back on cancel, the typed numbers
// read on apply, and the report of an answer.
//
// The combo box is the truth about order. The page fills it with the list in the file's order
// (inserted, not sorted, so entry n of the list is entry n-1 of the box), and a name added
// after a test goes in where the sorted box puts it; the list is then rebuilt from the box's
// entries. So these functions take the box's entries as the page reads them back and never
// guess at its sorting.

#include "clock/calendar.h"
#include "clock/clock_time.h"
#include "timesync/ntp_settings.h"
#include "timesync/ntp_texts.h"
#include "timesync/sntp_exchange.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zentrava {

// The list's leading non-empty entries, in order: what the combo box is filled with.
std::vector<std::string> ServerListEntries(const NtpSettings& settings);

// The list becomes the box's non-blank entries (the rest empty). The current server becomes the
// entry at `selection` (0-based, among the box's entries; a blank one counts as none). With no
// selection (-1) the current index is that of NTPServerName among the entries, 0 when it is not one
// of them, and the name stays: a program whose list was emptied still knows which server to ask.
void AdoptServerEntries(NtpSettings& settings, std::span<const std::string> entries, int selection);

// The entry the box selects after the one at `deleted` went: the same position, the last
// entry when the deleted one was last, none (-1) when the box is now empty.
int SelectionAfterDelete(int deleted, int entriesLeft);

// Where a name stands among the box's entries. Host names do not depend on case, and the box's
// own exact search ignores it too, so "NTP.NICT.JP" finds "ntp.nict.jp" rather than adding
// a second entry for the same server.
std::optional<int> FindServerEntry(std::span<const std::string> entries, std::string_view name);

// What happens to the list when the synchronisation test of `server` brought an answer.
struct ServerAfterReply {
    enum class Kind {
        Select,   // already an entry: select it (at `index`)
        ListFull, // not an entry, and twenty are all there is room for: tell the user
        Add,      // add it to the box, then adopt the box's entries with it selected
    };
    Kind kind = Kind::Add;
    int index = -1;
};
ServerAfterReply DecideServerAfterReply(std::span<const std::string> entries,
                                        std::string_view server);

// The values cancel puts back: the current index, the five switches, the mode and the five
// numbers. The list and NTPServerName are not among them: a deleted or added server stays in
// memory until a later apply writes it or the program ends.
struct TimeServerPageCopy {
    int currentIndex = 0;
    int SetLocalTime = 0;
    int SetLocalTimeForcedUpdate = 0;
    int NTPAutoUpdate = 0;
    int NTPStartUpTimeAdjust = 0;
    int NTPTimeUpdateResultBallonHelpOn = 0;
    int SetNTPUpdateTime = 0;
    int SetNTPHour = 0;
    int SetNTPMinute = 0;
    int SetNTPInterval = 0;
    int SetNTPAccessMinuteTime = 0;
    int NTPAccessRetryTime = 0;

    friend bool operator==(const TimeServerPageCopy&, const TimeServerPageCopy&) = default;
};
TimeServerPageCopy TakePageCopy(const NtpSettings& settings);
// The current index comes back only while it still names NTPServerName: after a deletion the
// old position may hold another server or none, and then the index is found again by name.
void RestorePageCopy(NtpSettings& settings, const TimeServerPageCopy& copy);

// The five numeric edits as typed; nothing for an edit the user has not changed since it
// showed the settings.
struct TimeServerNumbers {
    std::optional<std::string> hour;
    std::optional<std::string> minute;
    std::optional<std::string> interval;
    std::optional<std::string> accessMinute;
    std::optional<std::string> retrySeconds;
};

// Apply: each number as typed, sign allowed, without a range check (an hour of 99 is stored,
// and a daily update at that hour never comes; the schedule itself keeps an interval below 3
// from asking every minute). An edit the user did not change, or that holds no number, leaves
// its setting as it was.
void ReadTypedNumbers(NtpSettings& settings, const TimeServerNumbers& typed);

// UTC on the file-time scale to local calendar time, as the platform converts it.
using UtcToLocal = std::function<DateTime(std::int64_t fileTicks)>;

// The report's data for an answer that brought a time: the server's transmit time (T3) and
// the reference time as local time with their milliseconds from the fraction, the system's
// time when the answer arrived (T4), and `clockNow`, the program's own clock at that moment.
NtpReportData MakeNtpReportData(const std::string& server, const SntpExchangeResult& exchange,
                                SetResult result, const ClockTimeRecord& clockNow,
                                const UtcToLocal& toLocal);

} // namespace zentrava
