#!/usr/bin/env bash
# The loopback NTP servers of the time-sync tests: chronyd on 127.0.0.1:123, serving its own
# clock with -x (it never sets the clock), and the misbehaving servers of
# tests/timesync/fake_ntp_server.py on 127.0.1.N:123.
#
#   ntp-servers.sh start <statedir>          start both (if not already running) and wait for them
#   ntp-servers.sh stop <statedir>           stop the ones this statedir started
#   ntp-servers.sh chrony-offset <statedir>  ask chronyd -Q what it makes of 127.0.0.1's clock
#                                            and print its offset (server minus us) in seconds
#
# chronyd comes from Debian's package, unpacked into build/tools/chrony and never installed:
# the package would start a system time service.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tools="$root/build/tools"
chronyd="$tools/chrony/usr/sbin/chronyd"
python=/usr/bin/python3
[ -x "$python" ] || python=python3
fake="$root/tests/timesync/fake_ntp_server.py"

usage() {
    echo "usage: $0 start|stop|chrony-offset <statedir>" >&2
    exit 2
}
[ $# -eq 2 ] || usage
action=$1
state=$(mkdir -p "$2" && cd "$2" && pwd)

ensure_chronyd() {
    [ -x "$chronyd" ] && return 0
    mkdir -p "$tools/debs"
    (cd "$tools/debs" && rm -f chrony_*.deb && apt-get download chrony >/dev/null 2>&1) ||
        { apt-get update -qq && (cd "$tools/debs" && apt-get download chrony >/dev/null); }
    dpkg-deb -x "$tools"/debs/chrony_*.deb "$tools/chrony"
    [ -x "$chronyd" ]
}

# A pid file names our process only while that process is still the one we started.
alive() { # pidfile command-substring
    local pid
    [ -s "$1" ] || return 1
    pid=$(cat "$1")
    [ -d "/proc/$pid" ] && tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q -- "$2"
}

stop_one() { # pidfile command-substring
    local pid i
    if alive "$1" "$2"; then
        pid=$(cat "$1")
        kill "$pid" 2>/dev/null || true
        for i in $(seq 50); do
            [ -d "/proc/$pid" ] || break
            sleep 0.1
        done
        [ -d "/proc/$pid" ] && kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$1"
}

# Servers started from another build tree may hold port 123 while its tests run: wait for
# them to finish (up to 5 minutes) rather than fail.
wait_for_port() {
    local i
    for i in $(seq 300); do
        ss -Hlun 'sport = :123' 2>/dev/null | grep -qE '127\.0\.(0\.1|1\.[0-9]+):123' || return 0
        [ "$i" -eq 1 ] && echo "ntp-servers: port 123 on loopback is busy, waiting" >&2
        sleep 1
    done
    echo "ntp-servers: port 123 on loopback stayed busy" >&2
    ss -Hlunp 'sport = :123' >&2 || true
    return 1
}

start() {
    local chrony_up=0 fake_up=0
    alive "$state/chronyd.pid" "$state/chrony.conf" && chrony_up=1
    alive "$state/fake.pid" "$fake" && fake_up=1
    if [ "$chrony_up" -eq 1 ] && [ "$fake_up" -eq 1 ]; then
        "$python" "$fake" --probe 127.0.0.1 127.0.1.1 --timeout 10
        return
    fi
    ensure_chronyd
    if [ "$chrony_up" -eq 0 ] && [ "$fake_up" -eq 0 ]; then
        wait_for_port
    fi
    if [ "$chrony_up" -eq 0 ]; then
        # No sources: "local" makes chronyd serve its own clock as synchronised.
        cat >"$state/chrony.conf" <<EOF
port 123
bindaddress 127.0.0.1
allow 127.0.0.0/8
local stratum 8
cmdport 0
pidfile $state/chronyd-own.pid
driftfile $state/chrony.drift
EOF
        "$chronyd" -x -d -u root -f "$state/chrony.conf" >"$state/chronyd.log" 2>&1 &
        echo $! >"$state/chronyd.pid"
    fi
    if [ "$fake_up" -eq 0 ]; then
        "$python" "$fake" >"$state/fake.log" 2>&1 &
        echo $! >"$state/fake.pid"
    fi
    if ! "$python" "$fake" --probe 127.0.0.1 127.0.1.1 --timeout 20; then
        echo "ntp-servers: the servers did not answer; logs:" >&2
        tail -n 20 "$state/chronyd.log" "$state/fake.log" >&2 || true
        return 1
    fi
}

stop() {
    stop_one "$state/chronyd.pid" "$state/chrony.conf"
    stop_one "$state/fake.pid" "$fake"
    rm -f "$state/chronyd-own.pid"
}

# chronyd -Q measures the server at 127.0.0.1 and reports without touching the clock.
chrony_offset() {
    ensure_chronyd
    cat >"$state/chrony-query.conf" <<EOF
server 127.0.0.1 iburst
pidfile $state/chronyd-query.pid
cmdport 0
EOF
    local out line
    out=$(timeout 60 "$chronyd" -Q -u root -f "$state/chrony-query.conf" 2>&1) || true
    line=$(grep -oE 'System clock wrong by -?[0-9.]+ seconds' <<<"$out" | tail -n 1)
    if [ -z "$line" ]; then
        echo "ntp-servers: chronyd -Q printed no offset:" >&2
        echo "$out" >&2
        return 1
    fi
    # chronyd reports how far our clock is off: positive when it is behind, as our offset.
    awk '{print $5}' <<<"$line"
}

case "$action" in
start) start ;;
stop) stop ;;
chrony-offset) chrony_offset ;;
*) usage ;;
esac
