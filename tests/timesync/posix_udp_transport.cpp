#include "timesync/posix_udp_transport.h"

#include <arpa/inet.h>
#include <cerrno>
#include <ctime>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zentrava {
namespace {

// 1601-01-01 to 1970-01-01 in 100 ns.
constexpr std::int64_t kUnixEpochFileTicks = 116'444'736'000'000'000;

std::int64_t Ticks(const timespec& ts) {
    return std::int64_t{ts.tv_sec} * kTicksPerSecond + ts.tv_nsec / 100;
}

} // namespace

PosixUdpTransport::PosixUdpTransport(const std::string& address, std::uint16_t port)
    : fd_(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)), serverPort_(htons(port)) {
    in_addr parsed{};
    addressOk_ = ::inet_pton(AF_INET, address.c_str(), &parsed) == 1;
    serverAddress_ = parsed.s_addr;
}

PosixUdpTransport::~PosixUdpTransport() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool PosixUdpTransport::Send(std::span<const std::uint8_t> request) {
    if (!valid()) {
        return false;
    }
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = serverPort_;
    to.sin_addr.s_addr = serverAddress_;
    const ssize_t sent = ::sendto(fd_, request.data(), request.size(), 0,
                                  reinterpret_cast<const sockaddr*>(&to), sizeof to);
    return sent == static_cast<ssize_t>(request.size());
}

std::optional<SntpDatagram> PosixUdpTransport::Receive(std::span<std::uint8_t> buffer,
                                                       std::int64_t timeout) {
    // Rounded up: a wait cut short by rounding would end the exchange a little early.
    const std::int64_t ms = (timeout + kTicksPerMillisecond - 1) / kTicksPerMillisecond;
    pollfd p{fd_, POLLIN, 0};
    int ready = 0;
    do {
        ready = ::poll(&p, 1, static_cast<int>(ms));
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0) {
        return std::nullopt;
    }
    sockaddr_in from{};
    socklen_t fromSize = sizeof from;
    const ssize_t got = ::recvfrom(fd_, buffer.data(), buffer.size(), 0,
                                   reinterpret_cast<sockaddr*>(&from), &fromSize);
    if (got < 0) {
        return std::nullopt;
    }
    SntpDatagram datagram;
    datagram.size = static_cast<std::size_t>(got);
    datagram.fromServer = fromSize >= sizeof from && from.sin_family == AF_INET &&
                          from.sin_addr.s_addr == serverAddress_ && from.sin_port == serverPort_;
    return datagram;
}

std::int64_t PosixClocks::SystemNow() {
    timespec ts{};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    return kUnixEpochFileTicks + Ticks(ts);
}

MonotonicTime PosixClocks::MonotonicNow() {
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return Ticks(ts);
}

} // namespace zentrava
