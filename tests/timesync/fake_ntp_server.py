#!/usr/bin/env python3
"""Loopback NTP servers that misbehave on purpose, one behaviour per address.

The address table is read from tests/timesync/fake_ntp_servers.h, the header the tests
include, so the two cannot drift apart: a row there is a server here. Every behaviour named in
that header must have a branch in answers() below.

    fake_ntp_server.py [--header PATH]         serve until SIGTERM
    fake_ntp_server.py --probe ADDRESS [...]   exit 0 once every ADDRESS answers on port 123
"""

import argparse
import os
import re
import selectors
import signal
import socket
import struct
import sys
import time

NTP_PORT = 123
ERA0_TO_UNIX = 2_208_988_800
HERE = os.path.dirname(os.path.abspath(__file__))


def read_table(header):
    text = open(header, encoding="utf-8").read()
    constants = {
        name: int(value.replace("'", ""))
        for name, value in re.findall(
            r"inline constexpr std::int64_t (\w+) = ([0-9']+);", text)
    }
    rows = re.findall(
        r'\{"(127\.[0-9.]+)", Behaviour::(\w+), ReplyStatus::\w+, (?:true|false), (\w+)\}',
        text)
    if not rows or len(rows) != text.count('{"127.'):
        sys.exit(f"fake_ntp_server: the server rows of {header} are not in the form it reads")

    def number(token):
        return constants[token] if token in constants else int(token)

    lead_file = re.search(r'kSoakLeadFile = "([^"]+)";', text)
    if not lead_file:
        sys.exit(f"fake_ntp_server: {header} names no kSoakLeadFile")
    return ([(address, behaviour, number(offset)) for address, behaviour, offset in rows],
            constants["kDecoyOffsetMs"], lead_file.group(1))


def soak_lead_ms(path):
    """The soak's lead in milliseconds; 0 without a readable file."""
    try:
        with open(path, encoding="ascii") as f:
            return int(f.read().strip()) // 10_000
    except (OSError, ValueError):
        return 0


def ntp_timestamp(unix_ns):
    """Seconds modulo 2^32 (so era 1 wraps as a real server's would) and the fraction."""
    seconds, ns = divmod(unix_ns, 1_000_000_000)
    return ((seconds + ERA0_TO_UNIX) & 0xFFFFFFFF, (ns << 32) // 1_000_000_000)


def packet(originate, offset_ms, *, leap=0, version=4, mode=4, stratum=2,
           refid=b"LOCL", zero_transmit=False, zero_receive=False, receive_ns=None,
           reference_age_s=64, root_dispersion=0x10):
    """An answer whose receive and transmit times are the real time plus offset_ms, from a
    server that last synchronised reference_age_s before T2 (None: never, a zero reference)."""
    shift = offset_ms * 1_000_000
    t2_ns = (receive_ns or time.time_ns()) + shift
    t2 = (0, 0) if zero_receive else ntp_timestamp(t2_ns)
    t3 = (0, 0) if zero_transmit else ntp_timestamp(time.time_ns() + shift)
    ref = (0, 0) if reference_age_s is None else ntp_timestamp(t2_ns - reference_age_s * 10**9)
    first = (leap << 6) | (version << 3) | mode
    return struct.pack("!BBbbII4sII8sIIII", first, stratum, 6, -20, 0, root_dispersion, refid,
                       ref[0], ref[1], originate, t2[0], t2[1], t3[0], t3[1])


def kiss(originate, code):
    # Kiss-o'-death: stratum 0, leap 3, the code in the reference id, no times.
    return struct.pack("!BBbbII4s8s8s16s", (3 << 6) | (4 << 3) | 4, 0, 6, -20, 0, 0,
                       code, bytes(8), originate, bytes(16))


def answers(behaviour, originate, offset_ms, decoy_ms, receive_ns):
    """The datagrams to send for one request, in order; ("other", data) from another port."""
    good = packet(originate, offset_ms, receive_ns=receive_ns)
    decoy = packet(originate, decoy_ms, receive_ns=receive_ns)
    if behaviour in ("Valid", "Valid3250ms", "EraOne", "TwoHoursAhead", "SoakLead"):
        return [good]
    if behaviour == "ValidWithExtension":
        # A key id and a 16-byte digest, as an authenticated answer carries.
        return [good + struct.pack("!I", 1) + bytes(range(16))]
    if behaviour == "ShortThenValid":
        return [decoy[:40], good]
    if behaviour == "BroadcastModeThenValid":
        return [packet(originate, decoy_ms, mode=5), good]
    if behaviour == "Version2ThenValid":
        return [packet(originate, decoy_ms, version=2), good]
    if behaviour == "OriginateMismatchThenValid":
        wrong = bytes(originate[:7]) + bytes([originate[7] ^ 0x01])
        return [packet(wrong, decoy_ms), good]
    if behaviour == "OtherPortThenValid":
        return [("other", decoy), good]
    if behaviour == "LeapUnsynchronised":
        return [packet(originate, offset_ms, leap=3)]
    if behaviour == "Stratum16":
        return [packet(originate, offset_ms, stratum=16)]
    if behaviour == "ZeroTransmit":
        return [packet(originate, offset_ms, zero_transmit=True)]
    if behaviour == "KissRate":
        return [kiss(originate, b"RATE")]
    if behaviour == "KissDeny":
        return [kiss(originate, b"DENY")]
    if behaviour == "KissRestrict":
        return [kiss(originate, b"RSTR")]
    if behaviour == "ZeroReceive":
        return [packet(originate, offset_ms, zero_receive=True, receive_ns=receive_ns)]
    if behaviour == "ReferenceAfterTransmit":
        return [packet(originate, offset_ms, reference_age_s=-60, receive_ns=receive_ns)]
    if behaviour == "ZeroReferenceStratum1":
        return [packet(originate, offset_ms, stratum=1, refid=b"GPS\0", reference_age_s=None,
                       receive_ns=receive_ns)]
    if behaviour == "RootDispersion16s":
        return [packet(originate, offset_ms, root_dispersion=16 << 16, receive_ns=receive_ns)]
    if behaviour == "Silent":
        return []
    if behaviour == "OnlyBad":
        wrong = bytes(originate[:7]) + bytes([originate[7] ^ 0x01])
        return [decoy[:40], packet(wrong, decoy_ms)]
    raise ValueError(f"behaviour {behaviour} has no answer")


def serve(header):
    table, decoy_ms, lead_file = read_table(header)
    selector = selectors.DefaultSelector()
    for address, behaviour, offset_ms in table:
        answers(behaviour, bytes(8), offset_ms, decoy_ms, 0)  # every behaviour is known
        main = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        main.bind((address, NTP_PORT))
        other = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        other.bind((address, 0))
        selector.register(main, selectors.EVENT_READ, (behaviour, offset_ms, other))

    def stop(*_):
        sys.exit(0)

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    while True:
        for key, _ in selector.select():
            sock = key.fileobj
            data, peer = sock.recvfrom(2048)
            receive_ns = time.time_ns()
            behaviour, offset_ms, other = key.data
            if len(data) < 48:
                continue
            if behaviour == "SoakLead":
                offset_ms = soak_lead_ms(lead_file)
            originate = data[40:48]
            for datagram in answers(behaviour, originate, offset_ms, decoy_ms, receive_ns):
                if isinstance(datagram, tuple):
                    other.sendto(datagram[1], peer)
                else:
                    sock.sendto(datagram, peer)


def probe(addresses, timeout_s):
    deadline = time.monotonic() + timeout_s
    pending = list(addresses)
    while pending and time.monotonic() < deadline:
        address = pending[0]
        with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as sock:
            sock.settimeout(0.3)
            request = b"\x1b" + bytes(39) + struct.pack("!II", *ntp_timestamp(time.time_ns()))
            try:
                sock.sendto(request, (address, NTP_PORT))
                data, peer = sock.recvfrom(2048)
                if peer == (address, NTP_PORT) and len(data) >= 48 and data[24:32] == request[40:48]:
                    pending.pop(0)
                    continue
            except OSError:
                pass
        time.sleep(0.1)
    if pending:
        print(f"no answer from {' '.join(pending)}", file=sys.stderr)
        return 1
    return 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--header", default=os.path.join(HERE, "fake_ntp_servers.h"))
    parser.add_argument("--probe", nargs="+", metavar="ADDRESS")
    parser.add_argument("--timeout", type=float, default=20.0)
    args = parser.parse_args()
    if args.probe:
        return probe(args.probe, args.timeout)
    serve(args.header)
    return 0


if __name__ == "__main__":
    sys.exit(main())
