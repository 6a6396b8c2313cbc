#pragma once
// The one thread that talks to NTP servers. The tick and the window only hand a query over
// and get the outcome back as a posted message: a server that does not answer, or a name that
// takes seconds to resolve, never holds up the clock or the page. Its life (queue, results,
// the bounded stop) is NtpWorker in ntp_worker.h; this is its Winsock and window side.
//
// One query per window at a time: a query asked for while one for the same window is queued
// or running is refused (StartNtpJob returns false) and the asker drops it. Each query starts
// and cleans up the socket library itself; WaitForNtpWorker, called before the program's
// window goes, lets a running one end, but never waits on a stuck name look-up for long.

#include "timesync/ntp_schedule.h"
#include "timesync/ntp_worker.h"
#include "timesync/sntp_exchange.h"

#include <windows.h>

#include <optional>

namespace zentrava {

static_assert(kNtpResultMessage == WM_APP + 3 && kNtpTestResultMessage == WM_APP + 4);

// The longest the window waits at exit: the answer's second, and a margin.
inline constexpr DWORD kNtpStopWaitMs = 1500;

// Any thread. False when a query for job.notify is in flight: queued, or running until its
// result is stored (before the post). A thread that cannot start is a failed query
// (QueryError::NoThread), posted like any result.
bool StartNtpJob(const NtpJob& job);
// The window thread of `notify`, on job.message: the finished result for that window, once.
std::optional<NtpJobResult> TakeNtpResult(HWND notify);
// The window thread, before its window goes: drops queued queries and waits for a running one
// to end, at most kNtpStopWaitMs, answering messages other threads send to this one (the tick
// may be sending to the window). A query still running then is given up: it never posts,
// never touches the program's state again, and its thread ends with the process.
void WaitForNtpWorker();
// True while any query is in flight.
bool NtpWorkerBusy();

} // namespace zentrava
