#pragma once
// When the time is fetched from the NTP server, and what is done with the answer: the update
// at start-up, after resume and on the one retry, the scheduled updates of the tick, and the
// result balloons.
//
// Threads. No query runs on the thread that asks for it: the tick and the window must never
// wait for a server. Every query goes to one worker thread, one at a time:
//   - The asking thread decides here and hands the query over (NtpActions::StartQuery); a
//     query asked for while another is in flight is dropped. The time-server lockout is set
//     before the hand-off, so the next whole minute cannot ask again while the first waits.
//   - The worker runs the exchange (sntp_packet.h, sntp_math.h), asks the injected setter for
//     the computer's clock when ShouldSetSystemClock says so, and posts the outcome to the
//     window thread, which calls FinishNtpUpdate.
//   - The decisions read the settings under NtpSync's lock and act through NtpActions after
//     releasing it.
//
// How the main window uses them:
//   WM_CREATE, resume  with NTPStartUpTimeAdjust = 1: load the clocks from the system clock,
//                      then StartNtpStartUpUpdate.
//   timer 8193         kill it, then RetryNtpStartUpUpdate.
//   tick, minute       CheckNtpSchedule from TickDuties::CheckTimeServerSchedule.
//   tick, second       StartWaitingNtpQuery from TickDuties::StartWaitingTimeServerQuery.
//   worker's result    FinishNtpUpdate with the query it answers.
//   page's test        NoteNtpOutcome, so that a refusal counts there too.

#include "base/lockout.h"
#include "clock/clock_time.h"
#include "timesync/ntp_settings.h"
#include "timesync/sntp_math.h"
#include "timesync/sntp_packet.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zentrava {

enum class NtpUpdateKind {
    StartUp,   // also after resume, and the retry
    Scheduled, // from the tick
};

// At most this many other servers of the list are asked to confirm a large correction.
inline constexpr std::size_t kMaxWitnesses = 3;

// What the worker is handed: everything it needs, so it never reads the settings itself.
struct NtpQuery {
    NtpUpdateKind kind = NtpUpdateKind::StartUp;
    std::string server;
    int SetLocalTime = 1;
    int SetLocalTimeForcedUpdate = 0;
    // The list's other servers, in order, that may confirm a large correction (none for the
    // page's test: a person asked for that time and sees it in the report).
    std::vector<std::string> witnesses;
};

// The most a scheduled update waits into its minute: every copy of the program asking at the
// same second would reach the servers as one burst.
inline constexpr int kMaxScheduleDelaySeconds = 50;

// A scheduled query waiting for its second (tick thread only).
struct WaitingNtpQuery {
    NtpQuery query;
    ClockTimeRecord due; // the schedule's minute, at the second it is to start
};

// Why a query brought no time.
enum class QueryError {
    None,
    SocketLibrary, // the socket library could not be started
    UnknownHost,
    NoSocket,
    NoAnswer, // nothing acceptable within the second
    Rejected, // the server answered without a time; `reply` says why
    Shunned,  // not asked: it refused us earlier in this run
    NoThread, // the worker thread could not be started
};

struct NtpQueryOutcome {
    SetResult result = SetResult::NoTime;
    QueryError error = QueryError::NoAnswer;
    // Rejected: the reason. NoAnswer: the last datagram ignored while waiting, Valid when
    // nothing at all came.
    ReplyStatus reply = ReplyStatus::Valid;
    std::int64_t corrected = 0; // the server's time at T4 (sntp_math.h)
    MonotonicTime atT4 = 0;     // the monotonic clock when T4 was read
};

// Due at this whole minute, by the mode: 0 at SetNTPHour:SetNTPMinute:00; 1 when the minutes
// since midnight are a multiple of the interval (never for 0); 2 at minute
// SetNTPAccessMinuteTime of every hour; any other mode never. Switch and lockout aside.
bool IsNtpUpdateDue(const NtpSettings& settings, const ClockTimeRecord& now);

// The delay of the retry timer: NTPAccessRetryTime seconds, kept within the page's 0-60 so a
// hand-edited negative value cannot turn into a timer of weeks.
int NtpRetryDelayMs(const NtpSettings& settings);

// What the decisions ask of the rest of the program.
class NtpActions {
public:
    virtual ~NtpActions() = default;
    // Hands the query to the worker without waiting for it; false when one is already in
    // flight, and the query is dropped.
    virtual bool StartQuery(const NtpQuery& query) = 0;
    // Loads the clocks from outcome.corrected moved on by the monotonic time since T4
    // (CorrectedTimeNow), through the clock keeper's load; then one more tick when asked.
    virtual void LoadCorrectedTime(const NtpQueryOutcome& outcome, bool advanceOneTick) = 0;
    virtual bool BalloonsSupported() = 0;                     // platform major version >= 5
    virtual void RequestBalloon(const std::string& text) = 0; // BalloonSource::TimeUpdate
    virtual void StartRetryTimer(int milliseconds) = 0;       // timer 8193
    // 0 to kMaxScheduleDelaySeconds, evenly and unpredictably.
    virtual int ScheduleDelaySeconds() = 0;
    // The tray icon clock, when the icon exists and TaskTrayIconClock is 1.
    virtual void RefreshTrayClock() = 0;
};

// How many due times of the schedule make a day: the slowest a server that answered RATE is
// asked (NtpSync::SlowDown).
int NtpDueTimesPerDay(const NtpSettings& settings);

// Tick thread, at every whole minute: with NTPAutoUpdate = 1, the lockout clear and the
// update due, sets the lockout and returns a scheduled query to wait for a random second of
// this minute (ScheduleDelaySeconds), unless the server asked us to slow down and this due
// time is one it is spared. The tick keeps it for StartWaitingNtpQuery.
std::optional<WaitingNtpQuery> CheckNtpSchedule(NtpSync& sync, Lockout& lockout,
                                                const Clocks& clocks, NtpActions& actions);

// Tick thread, at every whole second: starts the waiting query once its second has come, or
// at once when the clock has left its minute (a load moved it); drops it when scheduled
// updates were switched off meanwhile.
void StartWaitingNtpQuery(NtpSync& sync, Lockout& lockout, std::optional<WaitingNtpQuery>& waiting,
                          const Clocks& clocks, NtpActions& actions);

// Window thread: start-up, resume and the retry. The caller has loaded the clocks from the
// system clock. Sets the lockout and starts the query; false when another query was in flight
// and this one was dropped.
bool StartNtpStartUpUpdate(NtpSync& sync, Lockout& lockout, NtpActions& actions);

// Window thread, on timer 8193: the retry, or, when another query is still in flight, the
// timer again for a later try; the retry mark stays until the retry has been reported.
void RetryNtpStartUpUpdate(NtpSync& sync, Lockout& lockout, NtpActions& actions);

// Window thread, when the worker's outcome for `query` comes back: the program's clock takes
// the corrected time unless the computer's clock was set (that broadcasts a time change, and
// the clocks reload from it); the balloon, the retry and the lockout follow the kind of update.
// A query to a server that refused us never reaches the worker: its failure is finished at
// once on the thread that asked, and then nothing is loaded.
void FinishNtpUpdate(NtpSync& sync, Lockout& lockout, const NtpQuery& query,
                     const NtpQueryOutcome& outcome, NtpActions& actions);

// What an answer tells about `server` for later queries: DENY or RSTR shun it, RATE slows
// it down, a time forgives both. FinishNtpUpdate does this itself.
void NoteNtpOutcome(NtpSync& sync, const std::string& server, const NtpQueryOutcome& outcome);

} // namespace zentrava
