#pragma once
// The one thread that talks to NTP servers. The tick and the window only hand a query over
// and get the outcome back as a posted message: a server that does not answer, or a name that
// takes seconds to resolve, never holds up the clock or the page.
//
// One query at a time: a query asked for while one is in flight is refused (StartNtpJob
// returns false) and the asker drops it. Each query starts and cleans up the socket library
// itself; WaitForNtpWorker, called before the program's window goes, lets a running one end.

#include "timesync/ntp_schedule.h"
#include "timesync/sntp_exchange.h"

#include <windows.h>

#include <optional>

namespace zentrava {

// Posted to the main window when a start-up, retry, resume or scheduled query is done.
inline constexpr UINT kNtpResultMessage = WM_APP + 3;
// Posted to the time-server page when its synchronisation test is done.
inline constexpr UINT kNtpTestResultMessage = WM_APP + 4;

struct NtpJob {
    NtpQuery query;
    bool test = false; // the page's synchronisation test
    HWND notify = nullptr;
    UINT message = kNtpResultMessage;
};

struct NtpJobResult {
    NtpJob job;
    NtpQueryOutcome outcome;     // what the schedule and the balloons need
    SntpExchangeResult exchange; // every field of the answer, for the page's report
};

// Any thread. False when a query is in flight.
bool StartNtpJob(const NtpJob& job);
// The window thread of `notify`, on job.message: the finished result for that window, once.
std::optional<NtpJobResult> TakeNtpResult(HWND notify);
// Waits for a query in flight to end (at most the name look-up and a second).
void WaitForNtpWorker();
// True while a query is in flight.
bool NtpWorkerBusy();

} // namespace zentrava
