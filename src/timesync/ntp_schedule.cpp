#include "timesync/ntp_schedule.h"

#include "base/cp932_text.h"
#include "timesync/ntp_texts.h"

#include <algorithm>
#include <utility>

namespace zentrava {
namespace {

constexpr int kMaxRetrySeconds = 60;

// The list's other servers that may confirm a large correction: not the one asked, none that
// refused us.
std::vector<std::string> Witnesses(const NtpSync& sync, const NtpSettings& s) {
    std::vector<std::string> witnesses;
    for (const std::string& entry : s.NTPServerNameList) {
        if (entry.empty() || witnesses.size() == kMaxWitnesses) {
            break;
        }
        if (!SameIgnoringCase(entry, s.NTPServerName) && !sync.IsShunned(entry)) {
            witnesses.push_back(entry);
        }
    }
    return witnesses;
}

NtpQuery MakeQuery(const NtpSync& sync, NtpUpdateKind kind) {
    const NtpSettings s = sync.Settings();
    return NtpQuery{kind, s.NTPServerName, s.SetLocalTime, s.SetLocalTimeForcedUpdate,
                    Witnesses(sync, s)};
}

// The lockout goes on before the hand-off: the query may take a second or more, and the next
// whole minute must not find the way clear meanwhile. False when the worker was busy.
bool HandOff(NtpSync& sync, Lockout& lockout, const NtpQuery& query, NtpActions& actions) {
    lockout.Set();
    if (sync.IsShunned(query.server)) {
        // Reported at once, as a query without an answer would be, without asking.
        NtpQueryOutcome outcome;
        outcome.error = QueryError::Shunned;
        FinishNtpUpdate(sync, lockout, query, outcome, actions);
        return true;
    }
    return actions.StartQuery(query);
}

bool SameMinute(const ClockTimeRecord& a, const ClockTimeRecord& b) {
    return a.Year == b.Year && a.Month == b.Month && a.Day == b.Day && a.Hour == b.Hour &&
           a.Minute == b.Minute;
}

bool MayRetry(const NtpQueryOutcome& outcome) {
    if (outcome.error == QueryError::Shunned) {
        return false;
    }
    return outcome.error != QueryError::Rejected || !ForbidsRetry(outcome.reply);
}

struct BalloonWish {
    bool wanted = false;
    int retryMs = 0;
};

} // namespace

bool IsNtpUpdateDue(const NtpSettings& s, const ClockTimeRecord& now) {
    switch (s.SetNTPUpdateTime) {
    case 0:
        return now.Hour == s.SetNTPHour && now.Minute == s.SetNTPMinute && now.Second == 0;
    case 1: {
        const int interval = NtpIntervalMinutes(s.SetNTPInterval);
        return interval != 0 && (now.Hour * 60 + now.Minute) % interval == 0;
    }
    case 2:
        return now.Minute == s.SetNTPAccessMinuteTime;
    default:
        return false;
    }
}

int NtpRetryDelayMs(const NtpSettings& s) {
    return std::clamp(s.NTPAccessRetryTime, 0, kMaxRetrySeconds) * 1000;
}

int NtpDueTimesPerDay(const NtpSettings& s) {
    constexpr int kMinutesPerDay = 24 * 60;
    switch (s.SetNTPUpdateTime) {
    case 1: {
        const int interval = NtpIntervalMinutes(s.SetNTPInterval);
        return interval == 0 ? 1 : std::max(1, kMinutesPerDay / interval);
    }
    case 2:
        return 24;
    default:
        return 1;
    }
}

std::optional<WaitingNtpQuery> CheckNtpSchedule(NtpSync& sync, Lockout& lockout,
                                                const Clocks& clocks, NtpActions& actions) {
    if (lockout.IsSet()) {
        return std::nullopt;
    }
    const ClockTimeRecord& now = clocks.LocalClock;
    const bool due = sync.Decide(
        [&](const NtpSettings& s) { return s.NTPAutoUpdate == 1 && IsNtpUpdateDue(s, now); });
    if (!due) {
        return std::nullopt;
    }
    // One decision per due minute, whether the query waits, starts or is spared.
    lockout.Set();
    NtpQuery query = MakeQuery(sync, NtpUpdateKind::Scheduled);
    if (sync.SkipsDueTime(query.server)) {
        return std::nullopt;
    }
    WaitingNtpQuery waiting{std::move(query), now};
    waiting.due.Second = std::clamp(actions.ScheduleDelaySeconds(), 0, kMaxScheduleDelaySeconds);
    return waiting;
}

void StartWaitingNtpQuery(NtpSync& sync, Lockout& lockout, std::optional<WaitingNtpQuery>& waiting,
                          const Clocks& clocks, NtpActions& actions) {
    if (!waiting) {
        return;
    }
    const ClockTimeRecord& now = clocks.LocalClock;
    if (SameMinute(now, waiting->due) && now.Second < waiting->due.Second) {
        return;
    }
    const NtpQuery query = std::move(waiting->query);
    waiting.reset();
    if (sync.Decide([](const NtpSettings& s) { return s.NTPAutoUpdate == 1; })) {
        HandOff(sync, lockout, query, actions);
    }
}

bool StartNtpStartUpUpdate(NtpSync& sync, Lockout& lockout, NtpActions& actions) {
    return HandOff(sync, lockout, MakeQuery(sync, NtpUpdateKind::StartUp), actions);
}

void RetryNtpStartUpUpdate(NtpSync& sync, Lockout& lockout, NtpActions& actions) {
    if (!StartNtpStartUpUpdate(sync, lockout, actions)) {
        // Left dropped, the mark would claim a retry that never ran. Tried again after the
        // same wait, a second at least, so that a busy worker is not asked again at once.
        const int delayMs =
            sync.Decide([](const NtpSettings& s) { return std::max(NtpRetryDelayMs(s), 1000); });
        actions.StartRetryTimer(delayMs);
    }
}

void NoteNtpOutcome(NtpSync& sync, const std::string& server, const NtpQueryOutcome& outcome) {
    if (outcome.result != SetResult::NoTime) {
        sync.Forgive(server);
    } else if (outcome.error == QueryError::Rejected && ShunsServer(outcome.reply)) {
        sync.Shun(server);
    } else if (outcome.error == QueryError::Rejected && outcome.reply == ReplyStatus::KissRate) {
        sync.SlowDown(server, sync.Decide(NtpDueTimesPerDay));
    }
}

void FinishNtpUpdate(NtpSync& sync, Lockout& lockout, const NtpQuery& query,
                     const NtpQueryOutcome& outcome, NtpActions& actions) {
    NoteNtpOutcome(sync, query.server, outcome);
    const bool startUp = query.kind == NtpUpdateKind::StartUp;
    const bool gotTime = outcome.result != SetResult::NoTime;
    if (outcome.result == SetResult::SetFailed || outcome.result == SetResult::NotSet ||
        outcome.result == SetResult::Unconfirmed) {
        // A start-up load is followed by one tick, as every load at start-up is.
        actions.LoadCorrectedTime(outcome, startUp);
    }
    const BalloonWish wish = sync.Decide([](const NtpSettings& s) {
        return BalloonWish{s.NTPTimeUpdateResultBallonHelpOn == 1, NtpRetryDelayMs(s)};
    });
    // The one retry hangs on the result balloons: without them nobody would hear of it.
    if (wish.wanted && actions.BalloonsSupported()) {
        std::string text;
        if (gotTime) {
            const bool retried = startUp && sync.retryMark.exchange(0) != 0;
            text = NtpUpdateBalloonText(outcome.result, retried);
        } else if (!startUp || sync.retryMark.load() != 0 || !MayRetry(outcome)) {
            if (startUp) {
                sync.retryMark.store(0);
            }
            text = NtpUpdateFailedBalloonText();
        } else {
            sync.retryMark.store(1);
            actions.StartRetryTimer(wish.retryMs);
        }
        if (!text.empty()) {
            actions.RequestBalloon(text);
        }
    }
    lockout.Set();
    actions.RefreshTrayClock();
}

} // namespace zentrava
