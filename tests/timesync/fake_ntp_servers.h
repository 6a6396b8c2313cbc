#pragma once
// The loopback NTP servers the socket tests talk to (started by scripts/ntp-servers.sh): chronyd
// on 127.0.0.1 and, on 127.0.1.N, tests/timesync/fake_ntp_server.py with one behaviour per
// address.
//
// tests/timesync/fake_ntp_server.py reads its address table from THIS FILE, row by row, so
// the two stay in step: keep the rows of kFakeNtpServers one per line in the form
// {"address", Behaviour::Name, ReplyStatus::Name, answered, offsetMs}, with offsetMs a number
// or one of the std::int64_t constants defined here. Change a row and the server follows; add
// a behaviour and teach the server it too (it refuses to start on one it does not know).

#include "timesync/sntp_packet.h"

#include <cstdint>
#include <string_view>

namespace zentrava::fake_ntp {

inline constexpr std::string_view kChronyAddress = "127.0.0.1";

// What the server at one address does with each request. "ThenValid" sends the bad datagram
// first and our answer right after it; the bad one carries a different time, so taking it
// shows in the offset.
enum class Behaviour {
    Valid,
    ValidWithExtension,     // 48-byte header and 20 bytes more (a key id and a MAC)
    ShortThenValid,         // the first 40 bytes of an answer
    BroadcastModeThenValid, // mode 5
    Version2ThenValid,
    OriginateMismatchThenValid,
    OtherPortThenValid, // an answer from another source port of the same address
    LeapUnsynchronised, // leap indicator 3
    Stratum16,
    ZeroTransmit,
    KissRate,
    KissDeny,
    KissRestrict,
    Silent,
    OnlyBad, // a short datagram, then a wrong originate; never our answer
    Valid3250ms,
    EraOne,        // a server clock past 7 February 2036: its timestamps count from era 1
    TwoHoursAhead, // a correction large enough to need a second server's word
    // Well-formed answers whose time cannot be right (every other answer carries a reference
    // time a minute before T2, stratum 2 and a small root distance):
    ZeroReceive,
    ReferenceAfterTransmit, // synchronised a minute after it answered
    ZeroReferenceStratum1,  // a primary server that never synchronised
    RootDispersion16s,      // root distance of exactly 16 s
    // Valid, on the soak's simulated time: the real time plus the lead (100 ns units) that the
    // test build writes to kSoakLeadFile before each query; no file, no lead.
    SoakLead,
};

// A Linux temporary file (Wine shows it as Z:\tmp\...). The soak removes it when it ends.
inline constexpr std::string_view kSoakLeadFile = "/tmp/zentrava-soak-lead";

struct Server {
    std::string_view address;
    Behaviour behaviour;
    // Rejected or NoAnswer: the status the exchange ends with.
    ReplyStatus status;
    // The exchange ends with a time (status Valid, error None).
    bool answered;
    // The server's clock minus the real one.
    std::int64_t offsetMs;
};

// 3830 days: the era server's clock is 10.5 years ahead, so from November 2025 on it reads past
// the end of era 0 (2036-02-07 06:28:16 UTC).
inline constexpr std::int64_t kEraOneOffsetMs = 330'912'000'000;

inline constexpr std::int64_t kTwoHoursMs = 7'200'000;

// clang-format off
inline constexpr Server kFakeNtpServers[] = {
    {"127.0.1.1", Behaviour::Valid, ReplyStatus::Valid, true, 0},
    {"127.0.1.2", Behaviour::ValidWithExtension, ReplyStatus::Valid, true, 0},
    {"127.0.1.3", Behaviour::ShortThenValid, ReplyStatus::Valid, true, 0},
    {"127.0.1.4", Behaviour::BroadcastModeThenValid, ReplyStatus::Valid, true, 0},
    {"127.0.1.5", Behaviour::Version2ThenValid, ReplyStatus::Valid, true, 0},
    {"127.0.1.6", Behaviour::OriginateMismatchThenValid, ReplyStatus::Valid, true, 0},
    {"127.0.1.7", Behaviour::OtherPortThenValid, ReplyStatus::Valid, true, 0},
    {"127.0.1.8", Behaviour::LeapUnsynchronised, ReplyStatus::Unsynchronised, false, 0},
    {"127.0.1.9", Behaviour::Stratum16, ReplyStatus::StratumTooHigh, false, 0},
    {"127.0.1.10", Behaviour::ZeroTransmit, ReplyStatus::ZeroTransmit, false, 0},
    {"127.0.1.11", Behaviour::KissRate, ReplyStatus::KissRate, false, 0},
    {"127.0.1.12", Behaviour::KissDeny, ReplyStatus::KissDeny, false, 0},
    {"127.0.1.13", Behaviour::KissRestrict, ReplyStatus::KissRestrict, false, 0},
    {"127.0.1.14", Behaviour::Silent, ReplyStatus::Valid, false, 0},
    {"127.0.1.15", Behaviour::OnlyBad, ReplyStatus::OriginateMismatch, false, 0},
    {"127.0.1.16", Behaviour::Valid3250ms, ReplyStatus::Valid, true, 3250},
    {"127.0.1.17", Behaviour::EraOne, ReplyStatus::Valid, true, kEraOneOffsetMs},
    {"127.0.1.18", Behaviour::TwoHoursAhead, ReplyStatus::Valid, true, kTwoHoursMs},
    {"127.0.1.19", Behaviour::TwoHoursAhead, ReplyStatus::Valid, true, kTwoHoursMs},
    {"127.0.1.20", Behaviour::ZeroReceive, ReplyStatus::ZeroReceive, false, 0},
    {"127.0.1.21", Behaviour::ReferenceAfterTransmit, ReplyStatus::ReferenceAfterTransmit, false, 0},
    {"127.0.1.22", Behaviour::ZeroReferenceStratum1, ReplyStatus::ZeroReference, false, 0},
    {"127.0.1.23", Behaviour::RootDispersion16s, ReplyStatus::RootDistanceTooLarge, false, 0},
    {"127.0.1.24", Behaviour::SoakLead, ReplyStatus::Valid, true, 0},
};
// clang-format on

// The offset the servers put on the bad datagram they send before our answer: 1000 s, far
// from any expected offset.
inline constexpr std::int64_t kDecoyOffsetMs = 1'000'000;

inline constexpr const Server& Find(Behaviour behaviour) {
    for (const Server& server : kFakeNtpServers) {
        if (server.behaviour == behaviour) {
            return server;
        }
    }
    return kFakeNtpServers[0];
}

} // namespace zentrava::fake_ntp
