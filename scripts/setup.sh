#!/usr/bin/env bash
# Installs what the build, the clock and the tests need on Debian 12. Idempotent: it asks apt
# only for what is missing, and makes the locale only once.
set -euo pipefail

packages=(cmake ninja-build g++ libgtest-dev googletest libbenchmark-dev
          g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine wine64
          xvfb xauth x11-utils x11-apps locales fonts-ipafont-gothic imagemagick sox)

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
