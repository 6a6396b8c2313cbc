#!/usr/bin/env bash
# Installs what the build, the clock and the tests need on Debian 12. Idempotent: it asks apt
# only for what is missing, and makes the locale only once.
set -euo pipefail

# Sound under Wine (MCI's MPEGVideo device -> DirectShow -> winegstreamer): the GStreamer
# "base" plugins for decodebin, the "good" ones for the WAV parser and the MP3 parser and
# decoder. The output is ALSA's, into a file (scripts/wine-audio.sh), so no sound server. sox
# makes the tests' MP3, which needs its MP3 format.
# The time-sync tests' loopback servers: python3 for the fake ones, and the libraries of
# chronyd, which scripts/ntp-servers.sh unpacks from Debian's package without installing it
# (installing it would start a system time service). libfaketime shifts one process's clock
# for scripts/bench-sntp.sh. clang 14 and its runtime libraries build the libFuzzer targets of
# scripts/fuzz.sh.
packages=(cmake ninja-build g++ libgtest-dev googletest libbenchmark-dev
          clang-14 libclang-rt-14-dev libfuzzer-14-dev ccache
          g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine wine64
          xvfb xauth x11-utils x11-apps locales fonts-ipafont-gothic imagemagick sox
          gstreamer1.0-plugins-base gstreamer1.0-plugins-good libsox-fmt-mp3
          python3 libcap2 libedit2 libgnutls30 libnettle8 libseccomp2 faketime libfaketime)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "setup: installing ${missing[*]}" >&2
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "setup: generating the ja_JP.UTF-8 locale" >&2
    $sudo sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
fi
