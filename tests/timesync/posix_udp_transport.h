#pragma once
// POSIX sockets and clocks for RunSntpExchange, for the loopback tests and the accuracy probe
// on Linux. The program itself carries the datagrams with Winsock; this does the same job the
// same way: no connect, the request from an ephemeral port, and only a datagram from the
// server's address and port 123 counts as the server's.

#include "timesync/sntp_exchange.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zentrava {

class PosixUdpTransport : public SntpTransport {
public:
    // An IPv4 address in dotted form. valid() is false if the address or the socket is bad.
    explicit PosixUdpTransport(const std::string& address, std::uint16_t port = kNtpPort);
    ~PosixUdpTransport() override;
    PosixUdpTransport(const PosixUdpTransport&) = delete;
    PosixUdpTransport& operator=(const PosixUdpTransport&) = delete;

    bool valid() const { return fd_ >= 0 && addressOk_; }

    bool Send(std::span<const std::uint8_t> request) override;
    std::optional<SntpDatagram> Receive(std::span<std::uint8_t> buffer,
                                        std::int64_t timeout) override;

private:
    int fd_ = -1;
    bool addressOk_ = false;
    std::uint32_t serverAddress_ = 0; // network order
    std::uint16_t serverPort_ = 0;    // network order
};

// CLOCK_REALTIME on the file-time scale and CLOCK_MONOTONIC, both in 100 ns.
class PosixClocks : public SntpClocks {
public:
    std::int64_t SystemNow() override;
    MonotonicTime MonotonicNow() override;
};

} // namespace zentrava
