// winsock2.h first: it must come before anything that brings in windows.h.
#include <winsock2.h>

#include "timesync/ntp_worker_win.h"

#include "base/event_log_win.h"
#include "clock/clocks_win.h"
#include "clock/platform_time_win.h"
#include "timesync/ntp_settings.h"

#include <algorithm>
#include <functional>
#include <stop_token>
#include <string>
#include <thread>
#include <utility>

namespace zentrava {

namespace {

// Every successful WSAStartup is matched by its WSACleanup, whatever the query comes to.
class WinsockSession {
public:
    WinsockSession() {
        WSADATA data{};
        started_ = WSAStartup(MAKEWORD(1, 1), &data) == 0;
        ready_ = started_ && data.wVersion == MAKEWORD(1, 1);
    }
    ~WinsockSession() {
        if (started_) {
            WSACleanup();
        }
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;
    bool ready() const { return ready_; }

private:
    bool started_ = false;
    bool ready_ = false;
};

class UniqueSocket {
public:
    explicit UniqueSocket(SOCKET s) : s_(s) {}
    ~UniqueSocket() {
        if (s_ != INVALID_SOCKET) {
            closesocket(s_);
        }
    }
    UniqueSocket(const UniqueSocket&) = delete;
    UniqueSocket& operator=(const UniqueSocket&) = delete;
    SOCKET get() const { return s_; }

private:
    SOCKET s_;
};

// The test build must never reach a server off this machine, whatever a settings file says.
bool AllowedInThisBuild(unsigned long address) {
    if constexpr (kTestHooks) {
        return (ntohl(address) >> 24) == 127;
    } else {
        (void)address;
        return true;
    }
}

// A dotted address is used as it is; anything else is looked up, first address taken.
std::optional<in_addr> Resolve(const std::string& name) {
    if (IsBlankServerName(name)) {
        return std::nullopt; // the resolver would answer with this computer
    }
    in_addr address{};
    address.s_addr = inet_addr(name.c_str());
    if (address.s_addr == INADDR_NONE) {
        if constexpr (kTestHooks) {
            // Names are looked up only by the shipped program. The tests' stand-in for a dead
            // DNS server: a look-up that does not come back for a minute.
            if (name.ends_with(".blackhole.invalid")) {
                Sleep(60'000);
            }
            return std::nullopt;
        }
        const hostent* host = gethostbyname(name.c_str());
        if (host == nullptr || host->h_addrtype != AF_INET || host->h_addr_list == nullptr ||
            host->h_addr_list[0] == nullptr) {
            return std::nullopt;
        }
        std::copy_n(host->h_addr_list[0], sizeof address, reinterpret_cast<char*>(&address));
    }
    if (!AllowedInThisBuild(address.s_addr)) {
        return std::nullopt;
    }
    return address;
}

class WinsockTransport final : public SntpTransport {
public:
    WinsockTransport(SOCKET s, in_addr server) : s_(s) {
        server_.sin_family = AF_INET;
        server_.sin_port = htons(kNtpPort);
        server_.sin_addr = server;
    }

    bool Send(std::span<const std::uint8_t> request) override {
        const int size = static_cast<int>(request.size());
        return sendto(s_, reinterpret_cast<const char*>(request.data()), size, 0,
                      reinterpret_cast<const sockaddr*>(&server_), sizeof server_) == size;
    }

    std::optional<SntpDatagram> Receive(std::span<std::uint8_t> buffer,
                                        std::int64_t timeout) override {
        // One blocking receive with a time limit rather than select and then a receive: under
        // Wine each is a trip through the server, and all of that time lands between the
        // answer's arrival and T4.
        const DWORD limitMs =
            static_cast<DWORD>(std::max<std::int64_t>(1, (timeout + 9'999) / 10'000));
        if (setsockopt(s_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&limitMs),
                       sizeof limitMs) == SOCKET_ERROR &&
            !Readable(timeout)) {
            return std::nullopt;
        }
        sockaddr_in from{};
        int fromSize = sizeof from;
        const int got =
            recvfrom(s_, reinterpret_cast<char*>(buffer.data()), static_cast<int>(buffer.size()), 0,
                     reinterpret_cast<sockaddr*>(&from), &fromSize);
        if (got == SOCKET_ERROR) {
            // A port-unreachable report of an earlier datagram, or a datagram too long for
            // any answer: neither is the answer, and the wait goes on.
            const int error = WSAGetLastError();
            if (error == WSAECONNRESET || error == WSAEMSGSIZE) {
                return SntpDatagram{};
            }
            return std::nullopt;
        }
        SntpDatagram datagram;
        datagram.size = static_cast<std::size_t>(got);
        datagram.fromServer =
            fromSize >= static_cast<int>(sizeof from) && from.sin_family == AF_INET &&
            from.sin_addr.s_addr == server_.sin_addr.s_addr && from.sin_port == server_.sin_port;
        return datagram;
    }

private:
    // Where a receive cannot be given a time limit.
    bool Readable(std::int64_t timeout) const {
        const std::int64_t micros = (timeout + 9) / 10;
        timeval wait{static_cast<long>(micros / 1'000'000), static_cast<long>(micros % 1'000'000)};
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(s_, &readable);
        return select(0, &readable, nullptr, nullptr, &wait) > 0 && FD_ISSET(s_, &readable);
    }

    SOCKET s_;
    sockaddr_in server_{};
};

class PlatformClocks final : public SntpClocks {
public:
    std::int64_t SystemNow() override { return SystemFileTicksNow(); }
    MonotonicTime MonotonicNow() override { return zentrava::MonotonicNow(); }
};

// One server asked: its name looked up, a socket of our own, one exchange.
struct Asked {
    QueryError error = QueryError::NoAnswer;
    SntpExchangeResult exchange;
};

Asked AskServer(const std::string& server) {
    Asked asked;
    const std::optional<in_addr> address = Resolve(server);
    if (!address) {
        asked.error = QueryError::UnknownHost;
        return asked;
    }
    const UniqueSocket s(socket(AF_INET, SOCK_DGRAM, 0));
    // An ephemeral port of our own, taken now: a first send that also has to bind the socket
    // takes longer, and all of that time would count as the way there.
    sockaddr_in local{};
    local.sin_family = AF_INET;
    if (s.get() == INVALID_SOCKET ||
        bind(s.get(), reinterpret_cast<const sockaddr*>(&local), sizeof local) == SOCKET_ERROR) {
        asked.error = QueryError::NoSocket;
        return asked;
    }
    WinsockTransport transport(s.get(), *address);
    PlatformClocks clocks;
    asked.exchange = RunSntpExchange(transport, clocks, RandomTransmitTimestamp());
    switch (asked.exchange.error) {
    case ExchangeError::None:
        asked.error = QueryError::None;
        break;
    case ExchangeError::Rejected:
        asked.error = QueryError::Rejected;
        break;
    case ExchangeError::SendFailed:
    case ExchangeError::NoAnswer:
        asked.error = QueryError::NoAnswer;
        break;
    }
    return asked;
}

// A large correction is confirmed by the first of the other servers that gives a time: its
// answer, taken right after the first, is what the clock is then set from. Nothing when none
// answers or the one that does disagrees.
std::optional<SntpExchangeResult> SecondOpinion(const NtpQuery& query, std::int64_t offset) {
    for (const std::string& witness : query.witnesses) {
        const Asked asked = AskServer(witness);
        if (asked.error != QueryError::None) {
            continue;
        }
        const bool agrees = OffsetsAgree(offset, asked.exchange.sample.offset);
        if constexpr (kTestHooks) {
            LogEvent("ntp witness " + witness + (agrees ? " agrees" : " disagrees"));
        }
        return agrees ? std::optional(asked.exchange) : std::nullopt;
    }
    if constexpr (kTestHooks) {
        LogEvent("ntp witness none");
    }
    return std::nullopt;
}

// The computer's clock, when the settings ask for it, through the one injected setter. A step
// beyond kLargeCorrection from an update needs a second opinion; the page's test is a person
// asking for that server's time, and is applied as it is.
SetResult SetComputerClock(const NtpJob& job, const SntpExchangeResult& exchange,
                           std::stop_token stop) {
    const NtpQuery& query = job.query;
    if (!ShouldSetSystemClock(exchange.sample.offset, query.SetLocalTime,
                              query.SetLocalTimeForcedUpdate)) {
        return SetResult::NotSet;
    }
    std::optional<SntpExchangeResult> confirmed;
    if (!job.test && IsLargeCorrection(exchange.sample.offset)) {
        confirmed = SecondOpinion(query, exchange.sample.offset);
        if (!confirmed) {
            return SetResult::Unconfirmed;
        }
    }
    if (stop.stop_requested()) {
        return SetResult::NotSet; // given up at exit while the witnesses were asked
    }
    const SntpExchangeResult& basis = confirmed ? *confirmed : exchange;
    const std::int64_t now = CorrectedTimeNow(basis.sample.corrected, basis.atT4, MonotonicNow());
    return RequestSystemClock(ToSystemTime(UtcTicksToLocal(now))) ? SetResult::Set
                                                                  : SetResult::SetFailed;
}

NtpJobResult RunJob(const NtpJob& job, std::stop_token stop) {
    NtpJobResult result;
    result.job = job;
    NtpQueryOutcome& outcome = result.outcome;
    const WinsockSession winsock;
    if (!winsock.ready()) {
        outcome.error = QueryError::SocketLibrary;
        return result;
    }
    const Asked asked = AskServer(job.query.server);
    result.exchange = asked.exchange;
    if (stop.stop_requested()) {
        return result; // given up at exit: the clocks below may be gone
    }
    result.clockAtAnswer = TheClocks().Read().LocalClock;
    outcome.error = asked.error;
    outcome.reply = asked.exchange.status;
    if (asked.error == QueryError::None) {
        outcome.corrected = asked.exchange.sample.corrected;
        outcome.atT4 = asked.exchange.atT4;
        outcome.result = SetComputerClock(job, asked.exchange, stop);
    }
    return result;
}

void StartDetached(std::function<void()> body) {
    std::thread(std::move(body)).detach();
}

bool PostResult(const NtpJob& job) {
    return PostMessageA(static_cast<HWND>(job.notify), job.message, 0, 0) != FALSE;
}

// Answers what other threads send to this one; posted messages stay queued for later.
void AnswerSentMessages(int limitMs) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(limitMs), QS_SENDMESSAGE);
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

NtpWorker& TheWorker() {
    // Its destructor lets go of its share of the state only: a thread given up keeps the rest.
    static NtpWorker worker(&RunJob, &PostResult, &StartDetached);
    return worker;
}

} // namespace

bool StartNtpJob(const NtpJob& job) {
    NtpWorker& w = TheWorker();
    // A result posted just before its window went will never be taken.
    w.DropResults(
        [](const NtpJobResult& r) { return IsWindow(static_cast<HWND>(r.job.notify)) == FALSE; });
    if constexpr (kTestHooks) {
        PublishSimulatedLead();
    }
    const bool started = w.Start(job);
    if constexpr (kTestHooks) {
        LogEvent((started ? "ntp start " : "ntp busy ") + job.query.server);
    }
    return started;
}

std::optional<NtpJobResult> TakeNtpResult(HWND notify) {
    return TheWorker().Take(notify);
}

void WaitForNtpWorker() {
    const bool ended = TheWorker().Stop(static_cast<int>(kNtpStopWaitMs), &AnswerSentMessages);
    if constexpr (kTestHooks) {
        if (!ended) {
            LogEvent("ntp given up");
        }
    }
}

bool NtpWorkerBusy() {
    return TheWorker().Busy();
}

} // namespace zentrava
