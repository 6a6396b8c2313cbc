// winsock2.h first: it must come before anything that brings in windows.h.
#include <winsock2.h>

#include "timesync/ntp_worker_win.h"

#include "base/event_log_win.h"
#include "clock/platform_time_win.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

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
    in_addr address{};
    address.s_addr = inet_addr(name.c_str());
    if (address.s_addr == INADDR_NONE) {
        if constexpr (kTestHooks) {
            return std::nullopt; // names are looked up only by the shipped program
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

std::uint32_t RandomBits() {
    std::random_device device;
    return device();
}

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
    asked.exchange = RunSntpExchange(transport, clocks, RandomBits());
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
SetResult SetComputerClock(const NtpJob& job, const SntpExchangeResult& exchange) {
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
    const SntpExchangeResult& basis = confirmed ? *confirmed : exchange;
    const std::int64_t now = CorrectedTimeNow(basis.sample.corrected, basis.atT4, MonotonicNow());
    return RequestSystemClock(ToSystemTime(UtcTicksToLocal(now))) ? SetResult::Set
                                                                  : SetResult::SetFailed;
}

NtpJobResult RunJob(const NtpJob& job) {
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
    outcome.error = asked.error;
    outcome.reply = asked.exchange.status;
    if (asked.error == QueryError::None) {
        outcome.corrected = asked.exchange.sample.corrected;
        outcome.atT4 = asked.exchange.atT4;
        outcome.result = SetComputerClock(job, asked.exchange);
    }
    return result;
}

struct Worker {
    ~Worker() {
        if (thread.joinable()) {
            thread.join();
        }
    }
    std::mutex startMutex; // one start or wait at a time; guards `thread`
    std::thread thread;
    std::atomic<bool> busy{false};
    std::mutex resultsMutex;
    std::vector<NtpJobResult> results; // finished, not yet taken
};

Worker& TheWorker() {
    static Worker worker;
    return worker;
}

void Deliver(Worker& w, NtpJobResult result) {
    const HWND notify = result.job.notify;
    const UINT message = result.job.message;
    {
        const std::lock_guard lock(w.resultsMutex);
        w.results.push_back(std::move(result));
    }
    w.busy.store(false);
    if (PostMessageA(notify, message, 0, 0) == FALSE) {
        // Nobody is left to take it: a page closed while its test ran.
        const std::lock_guard lock(w.resultsMutex);
        std::erase_if(w.results,
                      [notify](const NtpJobResult& r) { return r.job.notify == notify; });
    }
}

} // namespace

bool StartNtpJob(const NtpJob& job) {
    Worker& w = TheWorker();
    const std::lock_guard lock(w.startMutex);
    if (w.busy.load()) {
        if constexpr (kTestHooks) {
            LogEvent("ntp busy " + job.query.server);
        }
        return false;
    }
    if (w.thread.joinable()) {
        w.thread.join(); // it has delivered; only its last instructions may be left
    }
    {
        // A result posted just before its window went will never be taken.
        const std::lock_guard results(w.resultsMutex);
        std::erase_if(w.results,
                      [](const NtpJobResult& r) { return IsWindow(r.job.notify) == FALSE; });
    }
    if constexpr (kTestHooks) {
        LogEvent("ntp start " + job.query.server);
    }
    w.busy.store(true);
    w.thread = std::thread([job, &w] { Deliver(w, RunJob(job)); });
    return true;
}

std::optional<NtpJobResult> TakeNtpResult(HWND notify) {
    Worker& w = TheWorker();
    const std::lock_guard lock(w.resultsMutex);
    const auto found =
        std::find_if(w.results.begin(), w.results.end(),
                     [notify](const NtpJobResult& r) { return r.job.notify == notify; });
    if (found == w.results.end()) {
        return std::nullopt;
    }
    NtpJobResult result = std::move(*found);
    w.results.erase(found);
    return result;
}

void WaitForNtpWorker() {
    Worker& w = TheWorker();
    const std::lock_guard lock(w.startMutex);
    if (w.thread.joinable()) {
        w.thread.join();
    }
}

bool NtpWorkerBusy() {
    return TheWorker().busy.load();
}

} // namespace zentrava
