#include "timesync/ntp_schedule.h"

#include "timesync/ntp_texts.h"

#include <algorithm>

namespace zentrava {
namespace {

constexpr int kMaxRetrySeconds = 60;

NtpQuery MakeQuery(const NtpSync& sync, NtpUpdateKind kind) {
    return sync.Decide([kind](const NtpSettings& s) {
        return NtpQuery{kind, s.NTPServerName, s.SetLocalTime, s.SetLocalTimeForcedUpdate};
    });
}

// The lockout goes on before the hand-off: the query may take a second or more, and the next
// whole minute must not find the way clear meanwhile.
void HandOff(NtpSync& sync, Lockout& lockout, const NtpQuery& query, NtpActions& actions) {
    lockout.Set();
    if (sync.IsShunned(query.server)) {
        // Reported at once, as a query without an answer would be, without asking.
        NtpQueryOutcome outcome;
        outcome.error = QueryError::Shunned;
        FinishNtpUpdate(sync, lockout, query, outcome, actions);
        return;
    }
    actions.StartQuery(query);
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

void CheckNtpSchedule(NtpSync& sync, Lockout& lockout, const Clocks& clocks, NtpActions& actions) {
    if (lockout.IsSet()) {
        return;
    }
    const ClockTimeRecord& now = clocks.LocalClock;
    const bool due = sync.Decide(
        [&](const NtpSettings& s) { return s.NTPAutoUpdate == 1 && IsNtpUpdateDue(s, now); });
    if (due) {
        HandOff(sync, lockout, MakeQuery(sync, NtpUpdateKind::Scheduled), actions);
    }
}

void StartNtpStartUpUpdate(NtpSync& sync, Lockout& lockout, NtpActions& actions) {
    HandOff(sync, lockout, MakeQuery(sync, NtpUpdateKind::StartUp), actions);
}

void NoteNtpOutcome(NtpSync& sync, const std::string& server, const NtpQueryOutcome& outcome) {
    if (outcome.error == QueryError::Rejected && ShunsServer(outcome.reply)) {
        sync.Shun(server);
    }
}

void FinishNtpUpdate(NtpSync& sync, Lockout& lockout, const NtpQuery& query,
                     const NtpQueryOutcome& outcome, NtpActions& actions) {
    NoteNtpOutcome(sync, query.server, outcome);
    const bool startUp = query.kind == NtpUpdateKind::StartUp;
    const bool gotTime = outcome.result != SetResult::NoTime;
    if (outcome.result == SetResult::SetFailed || outcome.result == SetResult::NotSet) {
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
